#include "widgets/token_button.h"

#include <QPainter>

namespace {

QRectF FaceRect(const QRect &bounds, bool down)
{
    const QRectF tile = QRectF(bounds).adjusted(1.5, 1.5, -1.5, -2.5);
    return down ? tile.translated(0, 1) : tile;
}

} // namespace

TokenButton::TokenButton(QWidget *parent)
    : QPushButton(parent)
{
    setAttribute(Qt::WA_NoSystemBackground);
    setCursor(Qt::PointingHandCursor);
}

void TokenButton::SetBackColour(const QColor &colour)
{
    back_ = colour;
    for (QPixmap &tile : tiles_)
        tile = QPixmap();
    update();
}

const QPixmap &TokenButton::Tile(Look look, qreal dpr)
{
    QPixmap &tile = tiles_[look];
    if (!tile.isNull() && tile.deviceIndependentSize().toSize() == size()
        && tile.devicePixelRatio() == dpr)
        return tile;

    tile = QPixmap((QSizeF(size()) * dpr).toSize());
    tile.setDevicePixelRatio(dpr);
    tile.fill(Qt::transparent);
    QPainter painter(&tile);
    painter.setRenderHint(QPainter::Antialiasing);
    const bool down = look == Down;
    // A soft shadow under the tile that the pressed tile sits down onto.
    if (look == Normal) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 40, 80, 60));
        painter.drawRoundedRect(FaceRect(rect(), false).translated(0, 1.5), 6, 6);
    }
    QColor fill = back_;
    if (look == Disabled)
        fill = QColor::fromHsvF(fill.hsvHueF(), fill.hsvSaturationF() * 0.35, 0.93);
    else if (down)
        fill = fill.darker(112);
    painter.setBrush(fill);
    painter.setPen(QPen(look == Disabled ? QColor(0xa8, 0xb8, 0xc0) : QColor(0x4a, 0x86, 0xa8), 1));
    painter.drawRoundedRect(FaceRect(rect(), down), 6, 6);
    return tile;
}

void TokenButton::paintEvent(QPaintEvent *)
{
    const bool enabled = isEnabled();
    const bool down = isDown();
    QPainter painter(this);
    // Drawn for the device painted on: the screen, or a picture of the
    // window saved at another pixel ratio.
    const qreal dpr = painter.device()->devicePixelRatioF();
    painter.drawPixmap(0, 0, Tile(!enabled ? Disabled : down ? Down : Normal, dpr));

    const QRectF face = FaceRect(rect(), down);
    if (hasFocus()) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(0x1e, 0x5a, 0xc8), 1.5, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(face.adjusted(2, 2, -2, -2), 4, 4);
    }
    const QSize size = iconSize();
    const QPixmap picture = icon().pixmap(size, dpr,
                                          enabled ? QIcon::Normal : QIcon::Disabled);
    const QPointF at(face.center().x() - size.width() / 2.0, face.center().y() - size.height() / 2.0);
    painter.drawPixmap(at.toPoint(), picture);
}
