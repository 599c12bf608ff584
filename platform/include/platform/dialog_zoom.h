#pragma once

class QWidget;

// The zoom the game is shown at, as the boxes it opens see it: a message or
// a save dialog over a game zoomed for a projector is read from as far
// away. Each box is handed this when it is made and asks it whenever it
// opens, so it follows every change of zoom; the game's one zoom (widgets'
// ZoomLevel) is what main() hands out.
class DialogZoom
{
public:
    virtual ~DialogZoom() = default;
    // Times the design size: 1.0 at 100 %.
    virtual double Factor() const = 0;
};

namespace dialog_zoom {

// The window a box opened for `owner` belongs over: owner's window, else
// the active window; null when neither.
QWidget *OwnerWindow(QWidget *owner);

// Lays `box` (a dialog, a message box, a menu) out at the zoom, before it is
// shown: its text at the factor times the application's font for it, its
// margins, spacings, frames and icons through ZoomedStyle, a dialog's size
// grown by the factor within its screen, a message's text as wide before it
// wraps as the factor allows, a file dialog's columns and places as wide as
// their texts. What Qt makes later inside the box (a combo box's list, the
// question before a file is replaced, a context menu) is laid out the same
// when it appears. Applying the same zoom again changes nothing; at 100 %
// the box keeps the application's look, with room for its texts.
void Apply(QWidget *box, const DialogZoom &zoom);

// Every menu and tooltip that opens over `window`, its own and those Qt
// makes for its controls (a text box's context menu), at the zoom `zoom`
// holds when it opens. The window's own controls are left as they are.
// `zoom` must outlive the window.
void ApplyToPopups(QWidget *window, const DialogZoom &zoom);

} // namespace dialog_zoom
