#pragma once

#include <QLabel>

// A player's pen: the animal picture on its white ground. It fills that
// ground itself instead of being an auto-filled (opaque) child, because
// moving an opaque child makes the window recompute the region its opaque
// children cover on every tick of a descent.
class PenLabel : public QLabel
{
    Q_OBJECT

public:
    explicit PenLabel(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
