#pragma once

#include <QPixmap>
#include <QWidget>

class ImageList;

// A borderless picture box used as a button. It shows one face of the image
// list at the size the list shows it (its own size at 100 %, else the
// game's zoom) from its top-left corner, cut at its edges; a mouse press
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
    // A box that resizes to its picture takes the size of the face it
    // shows now: after the box has been placed, and after a change of zoom.
    void FitPicture();

    int NormalFace() const { return normalFace_; }
    int PressedFace() const { return pressedFace_; }

    // A click without the mouse (a key, a screen reader's press): emits
    // clicked() if the box is enabled and shown, as the mouse could.
    void Click();

    // A box given a checked state is one of a group of options, each
    // showing its state by its face: a screen reader hears a radio button,
    // checked or not, and is told of each change.
    void SetChecked(bool checked);
    bool IsCheckable() const { return checkable_; }
    bool IsChecked() const { return checked_; }

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
    // The zoomed face as last drawn, and which face it is; its size and
    // ratio tell the zoom and the device it was made for.
    QPixmap drawn_;
    int drawnFace_ = 0;
    bool resizesToPicture_ = false;
    bool leftDown_ = false;
    bool checkable_ = false;
    bool checked_ = false;
};
