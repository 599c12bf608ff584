#include "app/token_button.h"

#include <QPainter>
#include <QPainterPath>

TokenButton::TokenButton(QWidget *parent)
    : QPushButton(parent)
{
    setAttribute(Qt::WA_NoSystemBackground);
    setCursor(Qt::PointingHandCursor);
}

void TokenButton::SetBackColour(const QColor &colour)
{
    back_ = colour;
    update();
}

void TokenButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const bool enabled = isEnabled();
    const bool down = isDown();
    const QRectF tile = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -2.5);

    // A soft shadow under the tile that the pressed tile sits down onto.
    if (enabled && !down) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 40, 80, 60));
        painter.drawRoundedRect(tile.translated(0, 1.5), 6, 6);
    }
    const QRectF face = down ? tile.translated(0, 1) : tile;
    QColor fill = back_;
    if (!enabled)
        fill = QColor::fromHsvF(fill.hsvHueF(), fill.hsvSaturationF() * 0.35, 0.93);
    else if (down)
        fill = fill.darker(112);
    painter.setBrush(fill);
    painter.setPen(QPen(enabled ? QColor(0x4a, 0x86, 0xa8) : QColor(0xa8, 0xb8, 0xc0), 1));
    painter.drawRoundedRect(face, 6, 6);
    if (hasFocus()) {
        painter.setPen(QPen(QColor(0x1e, 0x5a, 0xc8), 1.5, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(face.adjusted(2, 2, -2, -2), 4, 4);
    }

    const QSize size = iconSize();
    const QPixmap picture = icon().pixmap(size, devicePixelRatioF(),
                                          enabled ? QIcon::Normal : QIcon::Disabled);
    const QPointF at(face.center().x() - size.width() / 2.0, face.center().y() - size.height() / 2.0);
    painter.drawPixmap(at.toPoint(), picture);
}
