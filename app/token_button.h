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
    QColor back_{0xc0, 0xff, 0xff};
};
