#pragma once

#include <QImage>

// The faces of the picture buttons and of the start-mode selector,
// pictures 13..49 of the image list.
namespace faces {

// Picture `index` (13..49) at `scale` device pixels per logical pixel.
QImage Face(int index, int scale);

} // namespace faces
