#include "app/draw_layer.h"

#include "game/palette.h"
#include "platform/pixel_buffer.h"
#include "widgets/zoom_level.h"

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

DrawLayer::DrawLayer(QSize logicalSize, qreal devicePixelRatio, const ZoomLevel &zoom)
    : designSize_(logicalSize)
    , devicePixelRatio_(devicePixelRatio)
    , zoom_(zoom)
    , drawnAt_(zoom.Current())
{
}

QSize DrawLayer::LogicalSize() const
{
    return units::ScaledPx(designSize_, zoom_.Current());
}

void DrawLayer::Clear()
{
    segments_.clear();
    if (drawnAt_ != zoom_.Current()) {
        // A raster of another size: the next line makes one of this size.
        drawnAt_ = zoom_.Current();
        image_ = QImage();
    } else if (!image_.isNull()) {
        image_.fill(Qt::transparent);
    }
    Dirty(QRect(QPoint(0, 0), LogicalSize()));
}

void DrawLayer::SetLineWidth(int pixels)
{
    width_ = pixels;
}

void DrawLayer::DrawLine(int x1, int y1, int x2, int y2, int colour)
{
    FollowZoom();
    segments_.push_back({x1, y1, x2, y2, colour, width_});
    Dirty(Rasterise(segments_.back()));
}

QRectF DrawLayer::Stroke(QPainter &painter, const Segment &s) const
{
    const units::Zoom zoom = zoom_.Current();
    const QPointF from(units::MmToPx(s.x1, zoom), units::MmToPx(s.y1, zoom));
    const QPointF to(units::MmToPx(s.x2, zoom), units::MmToPx(s.y2, zoom));
    const qreal width = s.width * zoom.Factor();
    // Without antialiasing the pen snaps to whole device pixels: crisp
    // lines of exactly the width asked for.
    QPen pen(QColor::fromRgb(palette::Rgb(s.colour)), width);
    pen.setCapStyle(Qt::SquareCap);
    painter.setPen(pen);
    painter.drawLine(from, to);
    const qreal margin = std::ceil(width) + 2;
    return QRectF(from, to).normalized().adjusted(-margin, -margin, margin, margin);
}

QRect DrawLayer::Rasterise(const Segment &s) const
{
    // Made on the first line, not at start: touching a window-sized buffer
    // costs the first frame more than everything else it draws.
    if (image_.isNull())
        image_ = Raster(LogicalSize(), devicePixelRatio_);
    QPainter painter(&image_);
    return Stroke(painter, s).toAlignedRect();
}

void DrawLayer::FollowZoom() const
{
    // The window repaints itself whole after a change of zoom: nothing to
    // tell it here.
    if (drawnAt_ != zoom_.Current())
        Redraw();
}

const QImage &DrawLayer::Image() const
{
    FollowZoom();
    return image_;
}

void DrawLayer::SetDevicePixelRatio(qreal ratio)
{
    if (ratio == devicePixelRatio_ || ratio <= 0)
        return;
    devicePixelRatio_ = ratio;
    Redraw();
    Dirty(QRect(QPoint(0, 0), LogicalSize()));
}

void DrawLayer::Redraw() const
{
    drawnAt_ = zoom_.Current();
    image_ = QImage();
    // In drawing order, so that a shadow lies over its segment as before.
    for (const Segment &s : segments_)
        Rasterise(s);
}

void DrawLayer::Paint(QPainter &painter, const QRect &logicalRegion) const
{
    FollowZoom();
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
