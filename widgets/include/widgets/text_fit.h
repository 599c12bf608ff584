#pragma once

#include <QFont>
#include <QObject>

class QLineEdit;
class ZoomLevel;

// Text that is wider than its box is drawn smaller instead of being cut or
// scrolled: the font goes down in quarter points just far enough for the
// whole text to fit, never below 7 pt; should 7 pt still be too wide, the
// letters are narrowed instead. The box keeps its size and place.
namespace text_fit {

constexpr qreal kSmallestPointSize = 7.0;

// The font to draw `text` in, `width` pixels being free for it: `normal`
// whenever the text fits in that.
// `smallest` is the floor in points (kSmallestPointSize at 100 %).
QFont Fitted(const QFont &normal, const QString &text, int width,
             qreal smallest = kSmallestPointSize);

// Whether `text` in `font` fits in `width` pixels, counted as a one-line
// text box counts: the glyphs' overhang on both sides and a pixel for the
// caret included.
bool Fits(const QFont &font, const QString &text, int width);

// The width a line edit gives its text: inside its frame and margins.
int TextWidth(const QLineEdit *box);

} // namespace text_fit

// Keeps a line edit's text fitted: after every change of its text or size
// the box gets the fitted form of its design font at the game's zoom.
class TextFit : public QObject
{
    Q_OBJECT

public:
    // The handler lives as a child of the box and goes with it. `design` is
    // the box's font at 100 %; the zoom is asked at every fitting.
    static TextFit *Attach(QLineEdit *box, const QFont &design, const ZoomLevel &zoom);
    // The handler of `box`; null when it has none.
    static TextFit *Of(const QLineEdit *box);

    // Fits the text again: after a change of zoom (a change of text or of
    // the box's size is seen without being told).
    void Refit();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TextFit(QLineEdit *box, const QFont &design, const ZoomLevel &zoom);

    QLineEdit *box_;
    QFont design_;
    const ZoomLevel &zoom_;
};
