#pragma once

#include "game/descent_view.h"

#include <QMap>
#include <QPoint>

// The descent's window, as plain values: what is enabled, where each pen
// stands, what each box says.
class RecordingDescentView final : public DescentView
{
public:
    void SetKeyPreview(bool on) override { keyPreview = on; }
    void SetTimerRunning(bool on) override
    {
        timer = on;
        ++timerSwitches;
    }
    bool TimerRunning() const override { return timer; }
    void SetConfirmResetEnabled(bool enabled) override { confirmResetEnabled = enabled; }
    void SetStartButtonEnabled(int i, bool enabled) override { startEnabled[i] = enabled; }
    void MovePen(int i, int x, int y) override
    {
        penCorner[i] = QPoint(x, y);
        penVisible[i] = true;
    }
    void ParkPen(int i, int centreX) override { parkedAt[i] = centreX; }
    QString PrizeText(int c) const override { return prizes.value(c); }
    void SetPrizeText(int c, const QString &text) override { prizes[c] = text; }
    void SetPrizeColour(int c, int colour) override { prizeColour[c] = colour; }
    QString NameText(int i) const override { return names.value(i); }
    void SetNameText(int i, const QString &text) override { names[i] = text; }
    void SetNameColour(int i, int colour) override { nameColour[i] = colour; }

    bool keyPreview = false;
    bool timer = false;
    int timerSwitches = 0;
    bool confirmResetEnabled = true;
    QMap<int, bool> startEnabled;
    QMap<int, QPoint> penCorner;
    QMap<int, bool> penVisible;
    QMap<int, int> parkedAt;
    QMap<int, QString> prizes;
    QMap<int, int> prizeColour;
    QMap<int, QString> names;
    QMap<int, int> nameColour;
};
