#include "app/draw_layer.h"

#include "game/palette.h"
#include "widgets/pixel_buffer.h"

#include <QPainter>

#include <cmath>

namespace {

QImage Raster(QSize logicalSize, qreal devicePixelRatio)
{
    QImage image = pixel_buffer::Image((QSizeF(logicalSize) * devicePixelRatio).toSize(),
                                       QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::transparent);
    return image;
}

} // namespace

DrawLayer::DrawLayer(QSize logicalSize, qreal devicePixelRatio)
    : designSize_(logicalSize)
    , devicePixelRatio_(devicePixelRatio)
{
}

QSize DrawLayer::LogicalSize() const
{
    return units::ScaledPx(designSize_, zoom_);
}

void DrawLayer::Clear()
{
    segments_.clear();
    if (!image_.isNull())
        image_.fill(Qt::transparent);
    Dirty(QRect(QPoint(0, 0), LogicalSize()));
}

void DrawLayer::SetLineWidth(int pixels)
{
    width_ = pixels;
}

void DrawLayer::DrawLine(int x1, int y1, int x2, int y2, int colour)
{
    segments_.push_back({x1, y1, x2, y2, colour, width_});
    Dirty(Rasterise(segments_.back()));
}

QRectF DrawLayer::Stroke(QPainter &painter, const Segment &s) const
{
    const QPointF from(units::MmToPx(s.x1, zoom_), units::MmToPx(s.y1, zoom_));
    const QPointF to(units::MmToPx(s.x2, zoom_), units::MmToPx(s.y2, zoom_));
    const qreal width = s.width * zoom_.Factor();
    // Without antialiasing the pen snaps to whole device pixels: crisp
    // lines of exactly the width asked for.
    QPen pen(QColor::fromRgb(palette::Rgb(s.colour)), width);
    pen.setCapStyle(Qt::SquareCap);
    painter.setPen(pen);
    painter.drawLine(from, to);
    const qreal margin = std::ceil(width) + 2;
    return QRectF(from, to).normalized().adjusted(-margin, -margin, margin, margin);
}

QRect DrawLayer::Rasterise(const Segment &s)
{
    // Made on the first line, not at start: touching a window-sized buffer
    // costs the first frame more than everything else it draws.
    if (image_.isNull())
        image_ = Raster(LogicalSize(), devicePixelRatio_);
    QPainter painter(&image_);
    return Stroke(painter, s).toAlignedRect();
}

void DrawLayer::SetZoom(units::Zoom zoom)
{
    if (zoom == zoom_)
        return;
    zoom_ = zoom;
    Redraw();
}

void DrawLayer::SetDevicePixelRatio(qreal ratio)
{
    if (ratio == devicePixelRatio_ || ratio <= 0)
        return;
    devicePixelRatio_ = ratio;
    Redraw();
}

void DrawLayer::Redraw()
{
    image_ = QImage();
    // In drawing order, so that a shadow lies over its segment as before.
    for (const Segment &s : segments_)
        Rasterise(s);
    Dirty(QRect(QPoint(0, 0), LogicalSize()));
}

void DrawLayer::Paint(QPainter &painter, const QRect &logicalRegion) const
{
    if (image_.isNull())
        return;
    const qreal dpr = image_.devicePixelRatio();
    if (painter.device()->devicePixelRatioF() != dpr) {
        // A device of another ratio (a picture of the window saved at twice
        // the pixels, a screen the window moved to): the lines themselves at
        // its resolution, never the raster stretched.
        painter.save();
        painter.setClipRect(logicalRegion, Qt::IntersectClip);
        for (const Segment &s : segments_)
            Stroke(painter, s);
        painter.restore();
        return;
    }
    const QRect source(QPointF(logicalRegion.topLeft() * dpr).toPoint(),
                       QSizeF(logicalRegion.size() * dpr).toSize());
    painter.drawImage(logicalRegion, image_, source);
}

void DrawLayer::SetDirtyHandler(std::function<void(const QRect &)> handler)
{
    dirty_ = std::move(handler);
}

void DrawLayer::Dirty(const QRect &rect) const
{
    if (dirty_)
        dirty_(rect);
}
