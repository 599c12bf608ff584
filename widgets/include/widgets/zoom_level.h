#pragma once

#include "platform/dialog_zoom.h"
#include "widgets/units.h"

#include <QObject>

// The game's zoom: the window, its pictures, lines and text, and every box
// it opens, at this many times their design size. There is one for the
// process, made before the window and the boxes and handed to whatever
// sizes or draws; each asks it when it does and keeps no copy, so nothing
// can disagree with it. Only the window changes it (MainWindow::SetZoom),
// and then places and draws itself again; a window of its own that stays
// open beside the game (the help) follows `changed`.
class ZoomLevel final : public QObject, public DialogZoom
{
    Q_OBJECT

public:
    ZoomLevel() = default;

    units::Zoom Current() const { return current_; }
    double Factor() const override { return current_.Factor(); }
    void Set(units::Zoom zoom);

    // 100 %, never changed: for a part shown on its own, outside the game's
    // window (in a test or a benchmark).
    static const ZoomLevel &Unzoomed();

signals:
    void changed();

private:
    units::Zoom current_;
};
