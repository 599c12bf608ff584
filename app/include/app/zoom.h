#pragma once

#include "widgets/units.h"

#include <QMargins>
#include <QObject>
#include <QSize>

#include <functional>
#include <optional>

class QWidget;
class SettingsStore;

// The steps of the window's zoom, the screen they must fit, the player's
// remembered choice, and the keys and wheel that change it. The zoom itself
// is the one ZoomLevel the window changes; everything here is told it,
// nothing keeps its own copy.
namespace zoom {

constexpr int kStep = 25;
constexpr int kSmallest = 100;

// The thickness of `window`'s frame on each side. Before the window is
// shown the frame is not known yet; a title bar and thin borders are
// assumed, so that a zoom restored at start-up leaves the whole window on
// the screen.
QMargins FrameMargins(const QWidget &window);

// The largest step at which the window, `client` at 100 % plus its
// `frame`, fits in `available`; never below 100 %.
int Largest(QSize client, QMargins frame, QSize available);

// `percent` brought onto a step between 100 % and `largest`.
units::Zoom Clamped(int percent, int largest);

// One step up (+1) or down (-1) from `current`, held within 100..largest;
// 0 goes back to 100 %.
units::Zoom Stepped(units::Zoom current, int direction, int largest);

// The zoom the window starts at: the player's remembered choice brought
// onto a step, never beyond `largest` (what this screen allows); nothing
// when none was remembered.
std::optional<units::Zoom> AtStartUp(const SettingsStore &settings, int largest);

// Ctrl+Plus (Ctrl+= too, where plus needs Shift), Ctrl+Minus and Ctrl+0
// anywhere in `window`, and Ctrl with the mouse wheel over any part of it,
// call `step` with +1, -1 or 0.
class Keys final : public QObject
{
    Q_OBJECT

public:
    Keys(QWidget *window, std::function<void(int)> step);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *window_;
    std::function<void(int)> step_;
    int wheel_ = 0; // eighths of a degree not yet turned into a step
};

} // namespace zoom
