#pragma once

#include <QObject>

#include <array>

class DrawingSurface;
class PictureButton;
class QLineEdit;
class QTimer;
struct GameState;

// The player count: the member-count box, its two-half spinner and the
// spinner's repeat timer. Keeps the box's text a whole number from 2 to 12
// and redraws the empty columns on every change.
class MemberCount : public QObject
{
    Q_OBJECT

public:
    MemberCount(GameState &state, DrawingSurface &surface, QLineEdit *txtMember,
                std::array<PictureButton *, 2> picUpdown, QTimer *tmrUpdown, QObject *parent);

private:
    void TextChanged();

    GameState &state_;
    DrawingSurface &surface_;
    QLineEdit *txtMember_;
    std::array<PictureButton *, 2> picUpdown_;
    QTimer *tmrUpdown_;
};
