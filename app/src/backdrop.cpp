#include "app/backdrop.h"

#include "app/draw_layer.h"
#include "widgets/image_list.h"

#include <QPainter>
#include <QRegion>

Backdrop::Backdrop(const ImageList &images, const DrawLayer &drawing)
    : images_(images)
    , drawing_(drawing)
{
}

void Backdrop::SetZoom(units::Zoom zoom)
{
    if (zoom == zoom_)
        return;
    zoom_ = zoom;
    made_ = QPixmap();
    madeFor_ = 0;
}

const QPixmap &Backdrop::Background(qreal devicePixelRatio) const
{
    if (madeFor_ == devicePixelRatio)
        return made_;
    // From the artwork the image list holds for this zoom and ratio, used
    // as it is when it has exactly the pixels wanted (200 % from the 2x set
    // on a plain screen, from the 4x set on a HiDPI one).
    QPixmap picture = images_.Background(devicePixelRatio);
    const QSize pixels =
        (QSizeF(units::ScaledPx(ImageList::kBackgroundSize, zoom_)) * devicePixelRatio).toSize();
    if (!picture.isNull() && picture.size() != pixels) {
        // Kept opaque (RGB32) as the picture is: painting it is then a copy,
        // not a blend, on every tick of a descent.
        picture = QPixmap::fromImage(
            picture.toImage()
                .scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                .convertToFormat(QImage::Format_RGB32));
    }
    madeFor_ = devicePixelRatio;
    made_ = std::move(picture);
    return made_;
}

void Backdrop::Paint(QPainter &painter, const QRegion &region) const
{
    const QPixmap &background = Background(painter.device()->devicePixelRatioF());
    // Pixels of the picture per logical pixel of the window: the source
    // rectangles are in the picture's pixels, whatever ratio it is tagged with.
    const qreal ratio =
        background.width() / qreal(units::ScaledPx(ImageList::kBackgroundSize, zoom_).width());
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
