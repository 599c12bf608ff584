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

// Gives `dialog` the text of the zoom: its font times the factor.
void Apply(QWidget *dialog, const DialogZoom &zoom);

} // namespace dialog_zoom
