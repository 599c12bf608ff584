#pragma once

#include <QObject>
#include <QString>

#include <array>

class DrawingSurface;
class PictureButton;
class QKeyEvent;
class QInputMethodEvent;
class QLineEdit;
class QTimer;
struct GameState;

// The player count: the member-count box, its two-half spinner and the
// spinner's repeat timer. Keeps the box's text a whole number from 2 to 12
// (or empty while the user is retyping it) and redraws the empty columns on
// every change.
//
// What the box accepts: only ASCII digits get in by typing, pasting or an
// input method (a validator refuses the rest; letters, space and
// input-method keystrokes make the box read-only for that keystroke, and
// composed text other than digits never reaches it). Text that still
// arrives by other means is settled at once by the change handler: a
// decimal number outside 2..12 becomes "2" or "12", a number written with a
// sign, blanks or a fraction becomes its whole value rounded halves-to-even,
// and anything that is no number at all (a lone "-", "1e1", full-width
// digits) gives way to the last count the box held. So the text is either
// empty or a count. An empty box leaves the columns as they are and shows
// their count again when the focus leaves it, the user clicks anywhere else
// in its window, or the spinner is used. While the box is disabled (a confirmed ladder is on
// screen) the text is settled the same way but nothing is drawn.
class MemberCount : public QObject
{
    Q_OBJECT

public:
    MemberCount(GameState &state, DrawingSurface &surface, QLineEdit *txtMember,
                std::array<PictureButton *, 2> picUpdown, QTimer *tmrUpdown, QObject *parent);

    // The handlers, callable as the events would call them.
    void txtMember_Change();
    void txtMember_LostFocus();
    void picUpdown_MouseDown(int index);
    void picUpdown_MouseUp(int index);
    void picUpdown_Click(int index);
    void tmrUpdown_Timer();

    // One step of half `index`: 0 counts up to 12, 1 counts down to 2, any
    // other index does nothing.
    void Step(int index);

    // The spinner half last held down (0 up, 1 down).
    int HeldHalf() const { return mUpdownIndex_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void txtMember_KeyDown(const QKeyEvent &key);
    bool txtMember_InputMethod(const QInputMethodEvent &event);
    // Makes the text a count now, as losing the focus would.
    void Settle();

    GameState &state_;
    DrawingSurface &surface_;
    QLineEdit *txtMember_;
    std::array<PictureButton *, 2> picUpdown_;
    QTimer *tmrUpdown_;
    // The last text that was a count, the count the columns show;
    // unreadable text and an emptied box fall back to it.
    QString lastCount_ = QStringLiteral("2");
    std::int16_t mUpdownIndex_ = 0;
};
