#include "raster.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <QtDebug>

#include <algorithm>
#include <vector>

namespace raster {

QImage Paint(QSize logical, int scale, const std::function<void(QPainter &)> &draw)
{
    QImage image(logical * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.scale(scale, scale);
    draw(painter);
    painter.end();
    return image;
}

namespace {

// One horizontal box pass over each row of premultiplied pixels.
void BoxRows(QImage &image, int radius)
{
    const int w = image.width();
    std::vector<int> sums(std::size_t(w) * 4);
    const int window = 2 * radius + 1;
    for (int y = 0; y < image.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        std::vector<QRgb> source(row, row + w);
        for (int x = 0; x < w; ++x) {
            int a = 0, r = 0, g = 0, b = 0;
            for (int k = -radius; k <= radius; ++k) {
                const int i = x + k;
                if (i < 0 || i >= w)
                    continue; // outside is transparent
                const QRgb p = source[std::size_t(i)];
                a += qAlpha(p);
                r += qRed(p);
                g += qGreen(p);
                b += qBlue(p);
            }
            row[x] = qRgba(r / window, g / window, b / window, a / window);
        }
    }
}

QImage Transposed(const QImage &image)
{
    QImage out(image.height(), image.width(), image.format());
    for (int y = 0; y < image.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            reinterpret_cast<QRgb *>(out.scanLine(x))[y] = row[x];
    }
    return out;
}

} // namespace

void Blur(QImage &image, int radius)
{
    if (radius <= 0)
        return;
    image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    // Three passes of a third of the radius each approximate a gaussian.
    const int pass = std::max(1, radius / 2);
    for (int i = 0; i < 3; ++i)
        BoxRows(image, pass);
    image = Transposed(image);
    for (int i = 0; i < 3; ++i)
        BoxRows(image, pass);
    image = Transposed(image);
}

void SoftShadow(QPainter &painter, const QPainterPath &shape, QPointF offset, qreal radius,
                QColor colour)
{
    const QTransform world = painter.worldTransform();
    const QSize deviceSize(painter.device()->width(), painter.device()->height());
    QImage layer(deviceSize, QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    {
        QPainter p(&layer);
        p.setRenderHint(QPainter::Antialiasing);
        p.setTransform(world);
        p.translate(offset);
        p.fillPath(shape, colour);
    }
    Blur(layer, qRound(radius * world.m11()));
    painter.save();
    painter.resetTransform();
    painter.drawImage(0, 0, layer);
    painter.restore();
}

void LoadFonts()
{
    for (const char *file : {"/usr/share/fonts/truetype/nanum/NanumGothicBold.ttf",
                             "/usr/share/fonts/truetype/nanum/NanumGothic.ttf"}) {
        if (QFontDatabase::addApplicationFont(QString::fromLatin1(file)) < 0)
            qFatal("make_artwork: %s is missing (Debian package fonts-nanum)", file);
    }
}

QFont CaptionFont(qreal pixels)
{
    QFont font(QStringLiteral("NanumGothic"));
    font.setPixelSize(qRound(pixels));
    font.setBold(true);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

void CentredText(QPainter &painter, QPointF centre, const QString &text, const QFont &font,
                 QColor colour)
{
    const QFontMetricsF metrics(font);
    const QRectF ink = metrics.tightBoundingRect(text);
    const qreal advance = metrics.horizontalAdvance(text);
    // Horizontally the advance is steadier than the ink, which varies with
    // each glyph's side bearings; vertically only the ink looks centred.
    // Whole logical pixels keep the 1x captions crisp.
    const QPointF baseline(qRound(centre.x() - advance / 2), qRound(centre.y() - ink.center().y()));
    painter.save();
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(baseline, text);
    painter.restore();
}

} // namespace raster
