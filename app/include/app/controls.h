#pragma once

#include "widgets/units.h"

#include <QFont>
#include <QRgb>

#include <array>
#include <variant>

class ImageList;
class PictureButton;
class QLabel;
class QLineEdit;
class QListWidget;
class QWidget;
class TokenButton;
class VelGif;
class ZoomLevel;

// The design-time controls of frmKapuna, one typed member each, named as
// the control is. The code reaches a control only through its member, so
// a misspelt control is a compile error, never a null pointer at run time.
// BuildControls fills every member from the table below. The per-column
// arrays' element 0 are hidden templates: confirm copies their settings.
struct Controls
{
    QLineEdit *txtInput = nullptr;
    QListWidget *lstBul = nullptr;
    QLineEdit *txtMember = nullptr;
    TokenButton *cmdStart0 = nullptr;
    QLineEdit *txtName0 = nullptr;
    QLineEdit *txtbul0 = nullptr;
    QLabel *imgPen0 = nullptr;
    PictureButton *picUpdown0 = nullptr;
    PictureButton *picAdd = nullptr;
    PictureButton *picDel = nullptr;
    PictureButton *picClear = nullptr;
    PictureButton *picOk = nullptr;
    PictureButton *picReset = nullptr;
    PictureButton *picEnd = nullptr;
    PictureButton *picAbout = nullptr;
    PictureButton *picHelp = nullptr;
    PictureButton *picUpdown1 = nullptr;
    PictureButton *picStart0 = nullptr;
    PictureButton *picStart1 = nullptr;
    // The banner's navy shadow: a plain filled box.
    QWidget *Picture1 = nullptr;
    PictureButton *picPrint = nullptr;
    VelGif *VelGif1 = nullptr;
};

// A member of Controls. Its type is the kind of control the table makes:
// a QLineEdit text box, the QListWidget list, a PictureButton, the
// TokenButton template of cmdStart, the QLabel template of imgPen, a plain
// QWidget box, the VelGif banner.
using ControlMember =
    std::variant<QLineEdit *Controls::*, QListWidget *Controls::*, PictureButton *Controls::*,
                 TokenButton *Controls::*, QLabel *Controls::*, QWidget *Controls::*,
                 VelGif *Controls::*>;

// One control as laid out at design time. The table lists them in creation
// order (later ones lie on top); its entries give the member and its
// object name from one identifier (see controls.cpp), so the two agree.
struct ControlEntry
{
    const char *name;
    ControlMember member;
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

// Creates every control of the table on `window`, named as in the table and
// placed at the zoom `zoom` holds now, and returns them.
Controls BuildControls(QWidget *window, const ImageList &images, const ZoomLevel &zoom,
                       const QString &programFolder);

// Places and sizes every control of the table for `zoom`: its twip
// rectangle and font size times the zoom, faces drawn at that size. The
// table is the one source of the layout; nothing else moves these controls.
void PlaceControls(const Controls &controls, units::Zoom zoom);

// The control a member names.
QWidget *Widget(const Controls &controls, const ControlMember &member);

// The table's entry for a member.
const ControlEntry &Design(const ControlMember &member);

// The font of a text box of the table at 100 %.
QFont DesignFont(const ControlMember &member);
