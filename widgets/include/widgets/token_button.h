#pragma once

#include <QPushButton>

// The push button above each column: the player's animal on a pale cyan
// tile. It paints itself rather than through a style sheet, so that twelve
// of them are created in a blink at every confirm and repaint cheaply while
// a pen runs past them.
class TokenButton : public QPushButton
{
    Q_OBJECT

public:
    explicit TokenButton(QWidget *parent = nullptr);

    QColor BackColour() const { return back_; }
    void SetBackColour(const QColor &colour);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    enum Look { Normal, Down, Disabled, LookCount };
    // The tile without its picture, drawn once per look and size: the
    // antialiased outline is the costly part, and a descent flips all the
    // buttons between enabled and disabled at the start and end of a path.
    const QPixmap &Tile(Look look, qreal devicePixelRatio);

    QColor back_{0xc0, 0xff, 0xff};
    QPixmap tiles_[LookCount];
};
