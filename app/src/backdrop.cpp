#include "app/backdrop.h"

#include "app/draw_layer.h"
#include "widgets/image_list.h"
#include "widgets/zoom_level.h"

#include <QPainter>
#include <QRegion>

Backdrop::Backdrop(const ImageList &images, const DrawLayer &drawing, const ZoomLevel &zoom)
    : images_(images)
    , drawing_(drawing)
    , zoom_(zoom)
{
}

const QPixmap &Backdrop::Background(units::Zoom zoom, qreal devicePixelRatio) const
{
    if (madeAt_ == zoom && madeFor_ == devicePixelRatio)
        return made_;
    // From the artwork the image list holds for this zoom and ratio, used
    // as it is when it has exactly the pixels wanted (200 % from the 2x set
    // on a plain screen, from the 4x set on a HiDPI one).
    QPixmap picture = images_.Background(devicePixelRatio);
    const QSize pixels =
        (QSizeF(units::ScaledPx(ImageList::kBackgroundSize, zoom)) * devicePixelRatio).toSize();
    if (!picture.isNull() && picture.size() != pixels) {
        // Kept opaque (RGB32) as the picture is: painting it is then a copy,
        // not a blend, on every tick of a descent.
        picture = QPixmap::fromImage(
            picture.toImage()
                .scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                .convertToFormat(QImage::Format_RGB32));
    }
    madeAt_ = zoom;
    madeFor_ = devicePixelRatio;
    made_ = std::move(picture);
    return made_;
}

void Backdrop::Paint(QPainter &painter, const QRegion &region) const
{
    const units::Zoom zoom = zoom_.Current();
    const QPixmap &background = Background(zoom, painter.device()->devicePixelRatioF());
    // Pixels of the picture per logical pixel of the window: the source
    // rectangles are in the picture's pixels, whatever ratio it is tagged with.
    const qreal ratio =
        background.width() / qreal(units::ScaledPx(ImageList::kBackgroundSize, zoom).width());
    // One rectangle at a time, each the whole clip: under the paint event's
    // own clip, a region of several rectangles, the raster engine blends span
    // by span and a descent tick costs ten times as much.
    for (const QRect &rect : region) {
        painter.setClipRect(rect);
        // The grey back colour shows only if the picture failed to load.
        if (background.isNull())
            painter.fillRect(rect, QColor(0xc0, 0xc0, 0xc0));
        painter.drawPixmap(rect, background,
                           QRectF(QPointF(rect.topLeft()) * ratio, QSizeF(rect.size()) * ratio)
                               .toRect());
        drawing_.Paint(painter, rect);
    }
}
