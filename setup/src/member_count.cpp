#include "setup/member_count.h"

#include "widgets/picture_button.h"
#include "game/game_state.h"
#include "game/geometry.h"
#include "game/ladder.h"
#include "game/whole_number.h"

#include <QApplication>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QTimer>

namespace {

constexpr int kFewest = geometry::kFewestPlayers;
constexpr int kMost = geometry::kMostPlayers;
constexpr int kRepeatMs = 200;
// The virtual key a Windows input method reports while it is composing.
constexpr quint32 kInputMethodProcessKey = 229;

bool IsAsciiDigits(const QString &text)
{
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

// Letters, space and input-method keystrokes never reach the count: the box
// turns read-only for them, which also keeps Ctrl+V (whose key is V) out.
bool LocksTheBox(const QKeyEvent &key)
{
    const int k = key.key();
    return k == Qt::Key_Space || (k >= Qt::Key_A && k <= Qt::Key_Z)
        || key.nativeVirtualKey() == kInputMethodProcessKey;
}

// A text the count may stand as: digits only, 2..12.
bool IsCount(const QString &text)
{
    if (text.isEmpty() || !IsAsciiDigits(text))
        return false;
    const auto n = whole_number::ToInt16(text);
    return n && *n >= kFewest && *n <= kMost;
}

} // namespace

MemberCount::MemberCount(GameState &state, DrawingSurface &surface, QLineEdit *txtMember,
                         std::array<PictureButton *, 2> picUpdown, QTimer *tmrUpdown,
                         QObject *parent)
    : QObject(parent)
    , state_(state)
    , surface_(surface)
    , txtMember_(txtMember)
    , picUpdown_(picUpdown)
    , tmrUpdown_(tmrUpdown)
{
    // Typed and pasted text that would leave anything but digits is undone
    // by the box itself, and input-method text is kept out by the filter;
    // only text set by the program bypasses both, and the change handler
    // settles that.
    txtMember_->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]*")), txtMember_));
    txtMember_->setInputMethodHints(Qt::ImhDigitsOnly);
    txtMember_->installEventFilter(this);
    connect(txtMember_, &QLineEdit::textChanged, this, &MemberCount::txtMember_Change);

    for (int i = 0; i < 2; ++i) {
        PictureButton *half = picUpdown_[std::size_t(i)];
        connect(half, &PictureButton::pressed, this, [this, i] { picUpdown_MouseDown(i); });
        connect(half, &PictureButton::released, this, [this, i] { picUpdown_MouseUp(i); });
        connect(half, &PictureButton::clicked, this, [this, i] { picUpdown_Click(i); });
    }
    tmrUpdown_->setInterval(kRepeatMs);
    connect(tmrUpdown_, &QTimer::timeout, this, &MemberCount::tmrUpdown_Timer);
}

// Runs for every change, typed or set by the program. A correction sets the
// text again, which re-enters this handler before the outer call returns;
// the outer call then stops, so each change ends in exactly one drawing, of
// the final count.
void MemberCount::txtMember_Change()
{
    const QString text = txtMember_->text();
    // An empty box is being retyped: the last columns stay until the focus
    // leaves or the user clicks elsewhere in the window. A click on the
    // window's background or on a picture button moves no focus, so it is
    // watched for, as long as the box is empty.
    if (text.isEmpty()) {
        qApp->installEventFilter(this);
        return;
    }
    qApp->removeEventFilter(this);

    const std::optional<double> value = whole_number::ToNumber(text);
    if (!value) {
        txtMember_->setText(lastCount_);
        return;
    }
    if (*value > kMost) {
        txtMember_->setText(QString::number(kMost));
        return;
    }
    if (*value < kFewest) {
        txtMember_->setText(QString::number(kFewest));
        return;
    }
    const std::int16_t n = whole_number::ToInt16(text).value_or(kFewest);
    if (!IsAsciiDigits(text)) {
        txtMember_->setText(QString::number(n));
        return;
    }

    lastCount_ = text;
    // A disabled box means a confirmed ladder is on screen; the preview must
    // not wipe it. Reset redraws the columns from the text it finds.
    if (!txtMember_->isEnabled())
        return;
    DrawColumns(state_, surface_, n);
}

void MemberCount::txtMember_KeyDown(const QKeyEvent &key)
{
    // Decided afresh for every keystroke, before the box sees it.
    txtMember_->setReadOnly(LocksTheBox(key));
}

// An input method that takes the keyboard delivers its text as commits that
// never pass through key down, and the box applies them even when it is
// read-only. Text other than digits, composed or committed, is therefore
// kept from the box here, and counts as the input-method keystroke it
// stands for. Returns whether the event is to be kept from the box.
bool MemberCount::txtMember_InputMethod(const QInputMethodEvent &event)
{
    if (event.commitString().isEmpty() && event.preeditString().isEmpty())
        return false;
    const bool digits = event.preeditString().isEmpty() && IsAsciiDigits(event.commitString());
    txtMember_->setReadOnly(!digits);
    return !digits;
}

void MemberCount::txtMember_LostFocus()
{
    Settle();
}

void MemberCount::Settle()
{
    // An emptied box shows again the count the columns show.
    if (txtMember_->text().isEmpty())
        txtMember_->setText(lastCount_);
    else if (!IsCount(txtMember_->text()))
        txtMember_Change();
}

void MemberCount::picUpdown_MouseDown(int index)
{
    // The half shows its pressed face by itself.
    mUpdownIndex_ = std::int16_t(index);
    tmrUpdown_->start();
}

void MemberCount::picUpdown_MouseUp(int)
{
    tmrUpdown_->stop();
}

void MemberCount::picUpdown_Click(int index)
{
    Step(index);
}

void MemberCount::tmrUpdown_Timer()
{
    const int index = mUpdownIndex_;
    // A spinner disabled under the held mouse (a ladder was confirmed) must
    // not keep counting.
    if (index < 0 || index > 1 || !picUpdown_[std::size_t(index)]->isEnabled()) {
        tmrUpdown_->stop();
        return;
    }
    Step(index);
}

void MemberCount::Step(int index)
{
    if (index != 0 && index != 1)
        return;
    // The spinner never takes the focus, so a box left empty or odd by the
    // user is settled first, as if the focus had left it.
    Settle();
    const std::int16_t count = whole_number::ToInt16(txtMember_->text()).value_or(kFewest);
    if (index == 0 && count < kMost)
        txtMember_->setText(QString::number(count + 1));
    else if (index == 1 && count > kFewest)
        txtMember_->setText(QString::number(count - 1));
}

bool MemberCount::eventFilter(QObject *watched, QEvent *event)
{
    // Watched application-wide only while the box is empty.
    if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType()
        && watched != txtMember_) {
        const auto *clicked = static_cast<QWidget *>(watched);
        if (clicked->window() == txtMember_->window() && txtMember_->text().isEmpty())
            Settle();
        return QObject::eventFilter(watched, event);
    }
    // While the box is being destroyed it is no longer a QLineEdit, and a
    // late focus-out must not touch it.
    if (qobject_cast<QLineEdit *>(watched) != txtMember_)
        return QObject::eventFilter(watched, event);

    switch (event->type()) {
    case QEvent::KeyPress:
        txtMember_KeyDown(*static_cast<QKeyEvent *>(event));
        break;
    case QEvent::InputMethod:
        if (txtMember_InputMethod(*static_cast<QInputMethodEvent *>(event)))
            return true;
        break;
    case QEvent::FocusOut:
        // Opening the box's own context menu is not leaving it: the user may
        // be about to paste into the empty box.
        if (static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason)
            txtMember_LostFocus();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
