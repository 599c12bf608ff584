#pragma once

#include <QColor>
#include <QRectF>

class QPainter;

// The pictograms on the buttons, each drawn to fill `area` (logical pixels)
// in `ink`. `ground` is the colour the pictogram sits on, used for the cut-outs
// that keep overlapping strokes apart.
namespace glyphs {

void ArrowUp(QPainter &painter, const QRectF &area, QColor ink);
void ArrowDown(QPainter &painter, const QRectF &area, QColor ink);
// Along the top, then down: from the entry box into the list below it.
void ArrowIntoList(QPainter &painter, const QRectF &area, QColor ink);
void Cross(QPainter &painter, const QRectF &area, QColor ink);
void Bin(QPainter &painter, const QRectF &area, QColor ink, QColor ground);
void Play(QPainter &painter, const QRectF &area, QColor ink);
void Again(QPainter &painter, const QRectF &area, QColor ink);
void Question(QPainter &painter, const QRectF &area, QColor ink);
void Exit(QPainter &painter, const QRectF &area, QColor ink, QColor ground);
void Printer(QPainter &painter, const QRectF &area, QColor ink, QColor ground);
// Three posts and staggered rungs: the game's own picture. `rungs` holds
// three colours, one per rung, or all three equal to `ink`.
void Ladder(QPainter &painter, const QRectF &area, QColor ink, const QColor (&rungs)[3],
            qreal stroke);
// A pointing hand, white with a dark outline, finger tip at the top.
void Hand(QPainter &painter, const QRectF &area);

} // namespace glyphs
