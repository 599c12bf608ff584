#include "icons.h"

#include "glyphs.h"
#include "layout.h"
#include "raster.h"

#include "widgets/image_list.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace icons {

QImage AppIcon(int pixels)
{
    // Drawn on a 32-unit grid and scaled, so every size shows one design;
    // the smallest sizes get thicker lines to stay readable.
    const qreal scale = pixels / 32.0;
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    const QRectF tile(1, 1, 30, 30);
    QPainterPath shape;
    shape.addRoundedRect(tile, 7, 7);
    QLinearGradient blue(tile.topLeft(), tile.bottomLeft());
    blue.setColorAt(0, QColor::fromRgb(layout::kPanelBlue).lighter(115));
    blue.setColorAt(1, QColor::fromRgb(layout::kPanelBlueDeep));
    painter.fillPath(shape, blue);
    const QColor rungs[3] = {QColor(0xff, 0xd8, 0x4d), QColor(0xff, 0x6f, 0xa5),
                             QColor(0x5c, 0xf0, 0x8a)};
    const qreal stroke = pixels <= 16 ? 3.6 : 3.0;
    glyphs::Ladder(painter, QRectF(7, 6, 18, 20), Qt::white, rungs, stroke);
    painter.end();
    return image;
}

QImage LinkCursor(int scale)
{
    return raster::Paint(ImageList::kLinkCursorSize, scale, [](QPainter &painter) {
        glyphs::Hand(painter, QRectF(QPointF(0, 0), ImageList::kLinkCursorSize));
    });
}

} // namespace icons
