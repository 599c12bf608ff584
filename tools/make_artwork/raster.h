#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QPointF>
#include <QSize>

#include <functional>

class QPainter;

// Small drawing helpers shared by every picture of the generator. Pictures
// are drawn once in logical pixels; `scale` (1 or 2) only changes how many
// device pixels each logical pixel gets, so the 1x and 2x files show the
// same design.
namespace raster {

// A transparent canvas of `logical` * `scale` device pixels, painted by
// `draw` in logical coordinates with antialiasing on.
QImage Paint(QSize logical, int scale, const std::function<void(QPainter &)> &draw);

// A soft shadow of `shape` moved by `offset` and blurred by about `radius`
// logical pixels, painted under whatever is drawn next.
void SoftShadow(QPainter &painter, const QPainterPath &shape, QPointF offset, qreal radius,
                QColor colour);

// Blurs every channel in place (premultiplied ARGB) with three box passes,
// which is close enough to a gaussian at these sizes.
void Blur(QImage &image, int radius);

// Registers the packaged Korean fonts, so that a machine whose fontconfig
// prefers another family still draws the same captions.
void LoadFonts();
// NanumGothic Bold at `pixels` logical pixels: the caption font.
QFont CaptionFont(qreal pixels);

// Draws `text` centred on `centre`, using the ink's own bounds rather than
// the font's ascent so that Hangul sits visually centred in small tiles.
void CentredText(QPainter &painter, QPointF centre, const QString &text, const QFont &font,
                 QColor colour);

} // namespace raster
