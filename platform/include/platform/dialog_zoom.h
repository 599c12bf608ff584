#pragma once

class QWidget;

// The zoom a window shows itself at, for the boxes it opens: a message or a
// save dialog over a game zoomed for a projector is read from as far away.
// The window states its zoom as the property kProperty (a factor, 1.0 for
// 100 %); a window without it counts as 100 %.
namespace dialog_zoom {

constexpr char kProperty[] = "kapunaZoom";

// The window `owner` belongs to, else the active window; null when neither.
QWidget *OwnerWindow(QWidget *owner);

// The zoom of `owner`'s window as a factor; 1.0 without an owner.
double Factor(const QWidget *owner);

// Gives `dialog` the text of its owner's zoom: its font times the factor.
void Apply(QWidget *dialog, const QWidget *owner);

} // namespace dialog_zoom
