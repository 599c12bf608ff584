#include "app/draw_layer.h"

#include "widgets/units.h"
#include "game/palette.h"

#include <QPainter>

DrawLayer::DrawLayer(QSize logicalSize, qreal devicePixelRatio)
    : image_((QSizeF(logicalSize) * devicePixelRatio).toSize(), QImage::Format_ARGB32_Premultiplied)
{
    image_.setDevicePixelRatio(devicePixelRatio);
    image_.fill(Qt::transparent);
}

void DrawLayer::Clear()
{
    image_.fill(Qt::transparent);
    if (dirty_)
        dirty_(QRect(QPoint(0, 0), image_.deviceIndependentSize().toSize()));
}

void DrawLayer::SetLineWidth(int pixels)
{
    width_ = pixels;
}

void DrawLayer::DrawLine(int x1, int y1, int x2, int y2, int colour)
{
    const QPointF from(units::MmToPx(x1), units::MmToPx(y1));
    const QPointF to(units::MmToPx(x2), units::MmToPx(y2));
    {
        QPainter painter(&image_);
        // Without antialiasing the pen snaps to whole device pixels: crisp
        // lines of exactly the width asked for.
        QPen pen(QColor::fromRgb(palette::Rgb(colour)), width_);
        pen.setCapStyle(Qt::SquareCap);
        painter.setPen(pen);
        painter.drawLine(from, to);
    }
    if (dirty_) {
        const int margin = width_ + 2;
        dirty_(QRectF(from, to).normalized().toAlignedRect().adjusted(-margin, -margin, margin,
                                                                      margin));
    }
}

void DrawLayer::Paint(QPainter &painter, const QRect &logicalRegion) const
{
    const qreal dpr = image_.devicePixelRatio();
    const QRect source(QPointF(logicalRegion.topLeft() * dpr).toPoint(),
                       QSizeF(logicalRegion.size() * dpr).toSize());
    painter.drawImage(logicalRegion, image_, source);
}

void DrawLayer::SetDirtyHandler(std::function<void(const QRect &)> handler)
{
    dirty_ = std::move(handler);
}
