#pragma once

#include <QString>

// What the descent rules do to the window, in the window's own terms.
// The window implements it with its controls and timer; tests record it.
// Positions are millimetres of the main window.
class DescentView
{
public:
    virtual ~DescentView() = default;

    virtual void SetKeyPreview(bool on) = 0;
    virtual void SetTimerRunning(bool on) = 0;
    virtual bool TimerRunning() const = 0;

    // picOk and picReset together: normal faces 18/19 or greyed 38/39.
    virtual void SetConfirmResetEnabled(bool enabled) = 0;
    virtual void SetStartButtonEnabled(int i, bool enabled) = 0;

    // Shows pen i with its lower-left corner at (x, y).
    virtual void MovePen(int i, int x, int y) = 0;
    // Stands pen i centred on x with its bottom on the ladder's bottom end.
    virtual void ParkPen(int i, int centreX) = 0;

    virtual QString PrizeText(int c) const = 0;
    virtual void SetPrizeText(int c, const QString &text) = 0;
    virtual void SetPrizeColour(int c, int colour) = 0;

    virtual QString NameText(int i) const = 0;
    virtual void SetNameText(int i, const QString &text) = 0;
    virtual void SetNameColour(int i, int colour) = 0;

    // A pen has reached its prize (mArrivedCount counts it already).
    virtual void PathEnded() {}
};
