#include "glyphs.h"

#include "raster.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QtMath>

#include <algorithm>

namespace glyphs {

namespace {

QRectF Square(const QRectF &area)
{
    const qreal s = std::min(area.width(), area.height());
    QRectF square(0, 0, s, s);
    square.moveCenter(area.center());
    return square;
}

// A filled polygon with its corners rounded by a pen of the same colour.
void SoftPolygon(QPainter &painter, const QPolygonF &polygon, QColor ink, qreal rounding)
{
    painter.save();
    painter.setPen(QPen(ink, rounding, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(ink);
    painter.drawPolygon(polygon);
    painter.restore();
}

QPen Stroke(QColor ink, qreal width)
{
    return QPen(ink, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// An arrow head with its tip at `tip`, pointing along `direction`.
QPolygonF Head(QPointF tip, QPointF direction, qreal length, qreal width)
{
    const qreal norm = std::hypot(direction.x(), direction.y());
    const QPointF d = direction / norm;
    const QPointF n(-d.y(), d.x());
    const QPointF base = tip - d * length;
    return QPolygonF({tip, base + n * (width / 2), base - n * (width / 2)});
}

} // namespace

void ArrowUp(QPainter &painter, const QRectF &area, QColor ink)
{
    const qreal w = std::min(area.width(), area.height() * 1.3);
    const qreal h = w * 0.72;
    const QPointF c = area.center();
    SoftPolygon(painter,
                QPolygonF({{c.x(), c.y() - h / 2}, {c.x() + w / 2, c.y() + h / 2},
                           {c.x() - w / 2, c.y() + h / 2}}),
                ink, w * 0.14);
}

void ArrowDown(QPainter &painter, const QRectF &area, QColor ink)
{
    const qreal w = std::min(area.width(), area.height() * 1.3);
    const qreal h = w * 0.72;
    const QPointF c = area.center();
    SoftPolygon(painter,
                QPolygonF({{c.x(), c.y() + h / 2}, {c.x() - w / 2, c.y() - h / 2},
                           {c.x() + w / 2, c.y() - h / 2}}),
                ink, w * 0.14);
}

void ArrowIntoList(QPainter &painter, const QRectF &area, QColor ink)
{
    const qreal stroke = area.width() * 0.22;
    const qreal headWidth = area.width() * 0.7;
    const qreal headLength = headWidth * 0.72;
    const qreal x = area.right() - headWidth / 2;
    const qreal y = area.top() + stroke / 2;
    const qreal bend = stroke * 1.2;
    QPainterPath shaft;
    shaft.moveTo(area.left() + stroke / 2, y);
    shaft.lineTo(x - bend, y);
    shaft.quadTo(x, y, x, y + bend);
    shaft.lineTo(x, area.bottom() - headLength + 0.5);
    painter.save();
    painter.setPen(QPen(ink, stroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(shaft);
    painter.restore();
    SoftPolygon(painter, Head({x, area.bottom()}, {0, 1}, headLength, headWidth), ink,
                stroke * 0.4);
}

void Cross(QPainter &painter, const QRectF &area, QColor ink)
{
    const QRectF s = Square(area);
    const qreal inset = s.width() * 0.16;
    const QRectF r = s.adjusted(inset, inset, -inset, -inset);
    painter.save();
    painter.setPen(Stroke(ink, s.width() * 0.2));
    painter.drawLine(r.topLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomLeft());
    painter.restore();
}

void Bin(QPainter &painter, const QRectF &area, QColor ink, QColor ground)
{
    const QRectF s = Square(area);
    const qreal u = s.width();
    const qreal cx = s.center().x();
    const qreal t = s.top();
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    // Handle, lid, then the can narrowing to its foot.
    painter.drawRoundedRect(QRectF(cx - 0.15 * u, t, 0.3 * u, 0.16 * u), 0.05 * u, 0.05 * u);
    painter.setBrush(ground);
    painter.drawRect(QRectF(cx - 0.07 * u, t + 0.06 * u, 0.14 * u, 0.1 * u));
    painter.setBrush(ink);
    painter.drawRoundedRect(QRectF(s.left() + 0.06 * u, t + 0.13 * u, 0.88 * u, 0.13 * u),
                            0.05 * u, 0.05 * u);
    QPainterPath can;
    can.moveTo(cx - 0.36 * u, t + 0.31 * u);
    can.lineTo(cx + 0.36 * u, t + 0.31 * u);
    can.lineTo(cx + 0.29 * u, t + u);
    can.lineTo(cx - 0.29 * u, t + u);
    can.closeSubpath();
    painter.setPen(Stroke(ink, 0.06 * u));
    painter.drawPath(can);
    painter.setPen(Stroke(ground, std::max(0.08 * u, 1.0)));
    for (qreal dx : {-0.15, 0.0, 0.15})
        painter.drawLine(QPointF(cx + dx * u, t + 0.44 * u), QPointF(cx + dx * 0.86 * u, t + 0.87 * u));
    painter.restore();
}

void Play(QPainter &painter, const QRectF &area, QColor ink)
{
    const QRectF s = Square(area);
    const qreal u = s.width();
    const QPointF c = s.center();
    SoftPolygon(painter,
                QPolygonF({{c.x() - 0.3 * u, c.y() - 0.4 * u}, {c.x() + 0.42 * u, c.y()},
                           {c.x() - 0.3 * u, c.y() + 0.4 * u}}),
                ink, 0.14 * u);
}

void Again(QPainter &painter, const QRectF &area, QColor ink)
{
    const QRectF s = Square(area);
    const qreal u = s.width();
    const qreal stroke = 0.15 * u;
    const qreal radius = 0.5 * u - stroke;
    const QPointF c = s.center();
    QRectF circle(0, 0, 2 * radius, 2 * radius);
    circle.moveCenter(c);
    // Clockwise from the upper left round to the left: a gap for the head.
    const qreal start = 150;
    const qreal sweep = -285;
    QPainterPath arc;
    arc.arcMoveTo(circle, start);
    arc.arcTo(circle, start, sweep);
    painter.save();
    painter.setPen(QPen(ink, stroke, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(arc);
    painter.restore();
    const qreal end = qDegreesToRadians(start + sweep);
    const QPointF tip = c + QPointF(radius * std::cos(end), -radius * std::sin(end));
    const QPointF along(std::sin(end), std::cos(end));
    const qreal length = stroke * 2.0;
    SoftPolygon(painter, Head(tip + along * length * 0.65, along, length, stroke * 3.0), ink,
                stroke * 0.3);
}

void Question(QPainter &painter, const QRectF &area, QColor ink)
{
    // The font's question mark is thin beside the other pictograms; an
    // outline in the same ink gives it their weight.
    QPainterPath mark;
    mark.addText(0, 0, raster::CaptionFont(area.height() * 1.05), QStringLiteral("?"));
    mark.translate(area.center() - mark.boundingRect().center());
    painter.save();
    painter.setPen(QPen(ink, area.height() * 0.07, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(ink);
    painter.drawPath(mark);
    painter.restore();
}

void Exit(QPainter &painter, const QRectF &area, QColor ink, QColor ground)
{
    const QRectF s = Square(area);
    const qreal u = s.width();
    const qreal stroke = 0.1 * u;
    const qreal left = s.left() + stroke / 2;
    const qreal top = s.top() + stroke / 2;
    const qreal bottom = s.bottom() - stroke / 2;
    const qreal frameRight = s.left() + 0.56 * u;
    painter.save();
    // The door frame, open towards the arrow.
    painter.setPen(Stroke(ink, stroke));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(QPolygonF({{frameRight, top + 0.12 * u}, {frameRight, top},
                                    {left, top}, {left, bottom}, {frameRight, bottom},
                                    {frameRight, bottom - 0.12 * u}}));
    // The door leaf, swung open on its hinge at the frame's left post.
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawPolygon(QPolygonF({{left, top}, {left + 0.3 * u, top + 0.12 * u},
                                   {left + 0.3 * u, bottom + 0.02 * u - 0.1 * u},
                                   {left, bottom}}));
    painter.setBrush(ground);
    painter.drawEllipse(QPointF(left + 0.22 * u, s.center().y() + 0.04 * u), 0.045 * u, 0.045 * u);
    // The arrow, with a ring of ground colour where it crosses the frame.
    const qreal y = s.center().y();
    const qreal from = left + 0.42 * u;
    const qreal headLength = 0.3 * u;
    painter.setPen(Stroke(ground, stroke * 2.2));
    painter.drawLine(QPointF(frameRight - stroke, y), QPointF(frameRight + stroke, y));
    painter.setPen(Stroke(ink, stroke * 1.15));
    painter.drawLine(QPointF(from, y), QPointF(s.right() - headLength + 1, y));
    painter.restore();
    SoftPolygon(painter, Head({s.right() - 0.02 * u, y}, {1, 0}, headLength, 0.44 * u), ink,
                stroke * 0.5);
}

void Printer(QPainter &painter, const QRectF &area, QColor ink, QColor ground)
{
    const qreal w = area.width();
    const qreal h = area.height();
    const qreal l = area.left();
    const qreal t = area.top();
    const qreal cx = area.center().x();
    painter.save();
    // The sheet waiting at the top.
    painter.setPen(Stroke(ink, 0.08 * w));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(cx - 0.28 * w, t + 0.04 * w, 0.56 * w, 0.3 * h));
    // The body with its ready light.
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawRoundedRect(QRectF(l, t + 0.3 * h, w, 0.42 * h), 0.12 * w, 0.12 * w);
    painter.setBrush(ground);
    painter.drawEllipse(QPointF(l + 0.84 * w, t + 0.42 * h), 0.05 * w, 0.05 * w);
    painter.drawRect(QRectF(cx - 0.36 * w, t + 0.58 * h, 0.72 * w, 0.08 * h));
    // The printed sheet coming out, with two lines of text.
    painter.setPen(QPen(ground, std::max(0.05 * w, 1.0)));
    painter.setBrush(ink);
    painter.drawRect(QRectF(cx - 0.28 * w, t + 0.6 * h, 0.56 * w, 0.4 * h));
    painter.setPen(QPen(ground, std::max(0.06 * w, 1.0)));
    painter.drawLine(QPointF(cx - 0.17 * w, t + 0.76 * h), QPointF(cx + 0.17 * w, t + 0.76 * h));
    painter.drawLine(QPointF(cx - 0.17 * w, t + 0.88 * h), QPointF(cx + 0.08 * w, t + 0.88 * h));
    painter.restore();
}

void Ladder(QPainter &painter, const QRectF &area, QColor ink, const QColor (&rungs)[3],
            qreal stroke)
{
    const qreal x0 = area.left() + stroke / 2;
    const qreal x2 = area.right() - stroke / 2;
    const qreal x1 = (x0 + x2) / 2;
    const qreal t = area.top() + stroke / 2;
    const qreal b = area.bottom() - stroke / 2;
    const qreal h = b - t;
    painter.save();
    painter.setPen(QPen(rungs[0], stroke, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(x0, t + 0.28 * h), QPointF(x1, t + 0.28 * h));
    painter.setPen(QPen(rungs[1], stroke, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(x1, t + 0.52 * h), QPointF(x2, t + 0.52 * h));
    painter.setPen(QPen(rungs[2], stroke, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(x0, t + 0.76 * h), QPointF(x1, t + 0.76 * h));
    painter.setPen(Stroke(ink, stroke));
    for (qreal x : {x0, x1, x2})
        painter.drawLine(QPointF(x, t), QPointF(x, b));
    painter.restore();
}

void Hand(QPainter &painter, const QRectF &area)
{
    // Designed on a 32 x 32 grid; the finger tip is at (10, 1).
    auto rounded = [](qreal x, qreal y, qreal w, qreal h, qreal r) {
        QPainterPath p;
        p.addRoundedRect(QRectF(x, y, w, h), r, r);
        return p;
    };
    // Edges on half pixels, so the 1 px outline lands on whole pixels at 1x.
    QPainterPath hand = rounded(7.5, 0.5, 5, 17, 2.5);
    hand = hand.united(rounded(12.5, 9.5, 4, 10, 2));
    hand = hand.united(rounded(16.5, 10.5, 4, 9.5, 2));
    hand = hand.united(rounded(20.5, 12.5, 3, 8, 1.5));
    hand = hand.united(rounded(7.5, 14.5, 16, 10, 3));
    hand = hand.united(rounded(9.5, 21.5, 13, 6, 2));
    QPainterPath thumb = rounded(0, -2, 7.5, 4, 2);
    thumb = QTransform().translate(9.5, 20).rotate(-140).map(thumb);
    hand = hand.united(thumb).simplified();

    const QColor outline(0x10, 0x14, 0x20);
    painter.save();
    painter.translate(area.topLeft());
    painter.scale(area.width() / 32.0, area.height() / 32.0);
    painter.setPen(QPen(outline, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::white);
    painter.drawPath(hand);
    painter.setPen(QPen(outline, 1, Qt::SolidLine, Qt::FlatCap));
    for (qreal x : {12.5, 16.5, 20.5})
        painter.drawLine(QPointF(x, 14), QPointF(x, 17));
    painter.restore();
}

} // namespace glyphs
