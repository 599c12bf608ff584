#pragma once

#include <QImage>

// The window icon (a little coloured ladder on a blue tile) and the About
// box's pointing-hand link cursor.
namespace icons {

QImage AppIcon(int pixels);
QImage LinkCursor(int scale);

} // namespace icons
