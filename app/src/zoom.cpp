#include "app/zoom.h"

#include "platform/settings_store.h"

#include <QApplication>
#include <QShortcut>
#include <QWheelEvent>
#include <QWidget>

#include <algorithm>

namespace zoom {

QMargins FrameMargins(const QWidget &window)
{
    if (!window.isVisible())
        return QMargins(8, 40, 8, 8);
    const QRect f = window.frameGeometry();
    const QRect g = window.geometry();
    return QMargins(g.left() - f.left(), g.top() - f.top(), f.right() - g.right(),
                    f.bottom() - g.bottom());
}

int Largest(QSize client, QMargins frame, QSize available)
{
    int percent = kSmallest;
    for (int next = kSmallest + kStep;; next += kStep) {
        const QSize window = units::ScaledPx(client, units::Zoom{next})
                             + QSize(frame.left() + frame.right(), frame.top() + frame.bottom());
        if (window.width() > available.width() || window.height() > available.height())
            return percent;
        percent = next;
    }
}

units::Zoom Clamped(int percent, int largest)
{
    const int onStep = percent - (percent - kSmallest) % kStep;
    return units::Zoom{std::clamp(onStep, kSmallest, std::max(largest, kSmallest))};
}

units::Zoom Stepped(units::Zoom current, int direction, int largest)
{
    if (direction == 0)
        return units::Zoom{kSmallest};
    return Clamped(current.percent + direction * kStep, largest);
}

std::optional<units::Zoom> AtStartUp(const SettingsStore &settings, int largest)
{
    const std::optional<int> percent = settings.ZoomPercent();
    if (!percent || *percent < kSmallest)
        return std::nullopt;
    return Clamped(*percent, largest);
}

Keys::Keys(QWidget *window, std::function<void(int)> step)
    : QObject(window)
    , window_(window)
    , step_(std::move(step))
{
    const struct
    {
        QKeySequence keys;
        int direction;
    } bindings[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), +1},
        {QKeySequence(Qt::CTRL | Qt::Key_Equal), +1},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Equal), +1},
        // Plus typed as Shift+= on a US keyboard reaches Qt as plus with
        // Shift held, which Ctrl+Plus alone does not match.
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Plus), +1},
        {QKeySequence(Qt::CTRL | Qt::Key_Minus), -1},
        {QKeySequence(Qt::CTRL | Qt::Key_0), 0},
    };
    for (const auto &b : bindings) {
        auto *shortcut = new QShortcut(b.keys, window);
        const int direction = b.direction;
        connect(shortcut, &QShortcut::activated, this, [this, direction] { step_(direction); });
        // On X11 one press of Ctrl with Shift+= is offered both as Ctrl++ and
        // as Ctrl+Shift+=, two of these bindings at once: Qt then tells one
        // of them, as ambiguous, and nothing else. Both mean the same step.
        connect(shortcut, &QShortcut::activatedAmbiguously, this,
                [this, direction] { step_(direction); });
    }
    // The wheel reaches the widget under the mouse first (the prize list
    // would scroll); watching the application sees it before any of them.
    qApp->installEventFilter(this);
}

bool Keys::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Wheel || !watched->isWidgetType())
        return QObject::eventFilter(watched, event);
    auto *widget = static_cast<QWidget *>(watched);
    const auto *wheel = static_cast<QWheelEvent *>(event);
    if (widget->window() != window_ || !(wheel->modifiers() & Qt::ControlModifier))
        return QObject::eventFilter(watched, event);
    // A notched wheel turns 120 eighths a notch; a touchpad sends many
    // small turns that add up to the same.
    wheel_ += wheel->angleDelta().y();
    while (wheel_ >= 120) {
        wheel_ -= 120;
        step_(+1);
    }
    while (wheel_ <= -120) {
        wheel_ += 120;
        step_(-1);
    }
    return true;
}

} // namespace zoom
