#pragma once

#include "widgets/units.h"

#include <QPixmap>
#include <QWidget>

class ImageList;

// A borderless picture box used as a button. It shows one face of the image
// list, unscaled (at 100 %) from its top-left corner and cut at its edges; a mouse press
// with any button shows the pressed face and the release shows the normal
// face again, wherever the mouse is then. A left click released over the box
// emits clicked() after the normal face is back.
class PictureButton : public QWidget
{
    Q_OBJECT

public:
    PictureButton(const ImageList &images, int normalFace, int pressedFace, QWidget *parent);

    // Shows face `index` of the image list; 0 shows nothing.
    void SetFace(int index);
    int Face() const { return face_; }

    // Boxes that resize to their picture take the size of every face they
    // are given; the others keep their own size and cut the face.
    void SetResizesToPicture(bool on) { resizesToPicture_ = on; }

    // Faces are drawn at their size times the zoom, from the image list's
    // artwork for that zoom; a box that resizes to its picture follows.
    void SetZoom(units::Zoom zoom);

    int NormalFace() const { return normalFace_; }
    int PressedFace() const { return pressedFace_; }

signals:
    void clicked();
    void pressed(Qt::MouseButton button);
    void released(Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    const ImageList &images_;
    int normalFace_;
    int pressedFace_;
    int face_ = 0;
    QPixmap picture_;
    // The zoomed face as last drawn, and which face it is.
    QPixmap drawn_;
    int drawnFace_ = 0;
    units::Zoom zoom_;
    bool resizesToPicture_ = false;
    bool leftDown_ = false;
};
