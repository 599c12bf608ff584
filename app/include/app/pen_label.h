#pragma once

#include <QLabel>

class ImageList;

// A player's pen: the animal picture on its white ground, drawn at the
// label's size. It fills that ground itself instead of being an auto-filled
// (opaque) child, because moving an opaque child makes the window recompute
// the region its opaque children cover on every tick of a descent.
class PenLabel : public QLabel
{
    Q_OBJECT

public:
    explicit PenLabel(QWidget *parent = nullptr);

    // Shows picture `index` of `images` (which must outlive the label),
    // drawn from the artwork for the device painted on: the screen, or a
    // picture of the window saved at another pixel ratio.
    void SetPicture(const ImageList &images, int index);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const ImageList *images_ = nullptr;
    int index_ = 0;
    // The picture at the label's size for the last device painted on: a
    // descent repaints the pen at every tick, which must not scale anew.
    QPixmap drawn_;
};
