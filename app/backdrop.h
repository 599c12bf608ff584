#pragma once

#include "widgets/units.h"

#include <QPixmap>

#include <vector>

class DrawLayer;
class ImageList;
class QPainter;
class QRegion;

// What the window shows under its controls: the background picture at the
// window's zoom and, over it, the lines of the drawing layer.
class Backdrop
{
public:
    Backdrop(const ImageList &images, const DrawLayer &drawing);

    void SetZoom(units::Zoom zoom);
    void Paint(QPainter &painter, const QRegion &region) const;

private:
    // The background at the zoom for a device of `devicePixelRatio`, made
    // once per zoom and ratio; each paint then copies pixels.
    const QPixmap &Background(qreal devicePixelRatio) const;

    const ImageList &images_;
    const DrawLayer &drawing_;
    units::Zoom zoom_;
    struct Made
    {
        qreal devicePixelRatio;
        QPixmap picture;
    };
    mutable std::vector<Made> made_;
};
