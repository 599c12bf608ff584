#pragma once

#include <QImage>
#include <QSize>

namespace pixel_buffer {

// An image whose pixels live in memory that is cheap to touch for the first
// time; its contents are unspecified, as a new QImage's are. A window-sized
// image is over a megabyte: on Linux it is placed in transparent huge pages
// and filled in with one call, so that writing it for the first time takes
// no fault per page (measured on a virtual machine: 0.1 ms instead of 4.4 ms
// for the 795 x 515 background, without huge pages 2.3 ms; for the whole
// start-up see bench_startup, which runs the game with plain QImages beside
// it). The price is the rest of each 2 MB page, about 0.4 MB a picture.
// Elsewhere, and for small images, it is an ordinary QImage. A null image
// when the memory cannot be had.
QImage Image(QSize pixels, QImage::Format format);

} // namespace pixel_buffer
