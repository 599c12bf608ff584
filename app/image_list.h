#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

#include <array>

// ImageList1: the 49 pictures of the game, numbered from 1 — twelve animal
// tokens, the normal, pressed and greyed faces of the picture buttons, the
// start-mode faces and the print button's faces — plus the window's
// background picture and icon. Pictures are loaded once, for the device
// pixel ratio of the screen the window opens on, so they stay sharp on HiDPI
// screens while keeping their logical sizes.
class ImageList
{
public:
    static constexpr int kCount = 49;

    explicit ImageList(qreal devicePixelRatio = 1.0);

    // Picture `index`, 1..49; an empty pixmap for any other index.
    QPixmap Picture(int index) const;
    // Its size in logical pixels.
    static QSize PictureSize(int index);

    // The 795 x 515 background of the main window.
    QPixmap Background() const { return background_; }
    QIcon AppIcon() const { return icon_; }

private:
    std::array<QPixmap, kCount> pictures_;
    QPixmap background_;
    QIcon icon_;
};
