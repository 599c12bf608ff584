#pragma once

#include "widgets/units.h"

#include <QRgb>
#include <QWidget>

#include <array>

class ImageList;

// The controls of frmKapuna as laid out at design time, in creation order
// (later ones lie on top). The per-column arrays' element 0 are hidden
// templates: their geometry and settings are copied by confirm.
enum class ControlKind {
    TextBox,      // QLineEdit
    List,         // QListWidget
    Picture,      // PictureButton with a normal and a pressed face
    StartToken,   // TokenButton, template of cmdStart
    PenPicture,   // QLabel, template of imgPen
    Shadow,       // a plain filled box
    Banner,       // VelGif
};

struct ControlEntry
{
    const char *name;
    ControlKind kind;
    units::Twips place;
    int normal = 0;              // faces of a picture button (widgets/faces.h)
    int pressed = 0;
    const char *accessible = nullptr; // screen reader name, translated as MainWindow's
    const char *toolTip = nullptr;
    double fontPt = 0;           // Gulim of this size; 0 keeps the default
    int maxLength = 0;
    bool centred = false;        // text centred
    bool framed = true;
    bool template_ = false;      // placed, never shown
    bool resizesToPicture = false;
    QRgb back = 0;               // background colour; 0 keeps the palette's
};

extern const std::array<ControlEntry, 22> kControls;

// Creates every control of the table on `window`, named as in the table,
// placed at 100 %.
void BuildControls(QWidget *window, const ImageList &images, const QString &programFolder);

// Places and sizes every control of the table for `zoom`: its twip
// rectangle and font size times the zoom, faces drawn at that size. The
// table is the one source of the layout; nothing else moves these controls.
void PlaceControls(QWidget *window, units::Zoom zoom);

// The rectangle of the table's control `name` at 100 %, whatever the zoom;
// empty for a name the table does not hold.
QRect DesignRect(const QString &name);

// A control of `window` by its name; null when there is none of that type.
template <typename T = QWidget>
T *Control(const QWidget *window, const QString &name)
{
    return window->findChild<T *>(name, Qt::FindDirectChildrenOnly);
}
