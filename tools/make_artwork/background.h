#pragma once

#include <QImage>

// The main window's 795 x 515 background: the blue setup panel with its
// painted frames and labels on the left, the plain playing area on the right.
namespace background {

QImage Background(int scale);

} // namespace background
