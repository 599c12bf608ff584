#pragma once

#include "widgets/units.h"

#include <QPixmap>

class DrawLayer;
class ImageList;
class QPainter;
class QRegion;
class ZoomLevel;

// What the window shows under its controls: the background picture at the
// window's zoom and, over it, the lines of the drawing layer.
class Backdrop
{
public:
    Backdrop(const ImageList &images, const DrawLayer &drawing, const ZoomLevel &zoom);

    void Paint(QPainter &painter, const QRegion &region) const;

private:
    // The background at `zoom` for a device of `devicePixelRatio`, made
    // once and kept for the next paint, which then only copies pixels. One
    // is kept: a picture saved at another ratio costs the screen's one
    // remaking, not the memory of a second window-sized picture for good.
    const QPixmap &Background(units::Zoom zoom, qreal devicePixelRatio) const;

    const ImageList &images_;
    const DrawLayer &drawing_;
    const ZoomLevel &zoom_;
    // The background kept, and the zoom and ratio it was made for.
    mutable units::Zoom madeAt_;
    mutable qreal madeFor_ = 0;
    mutable QPixmap made_;
};
