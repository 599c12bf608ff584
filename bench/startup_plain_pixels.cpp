// The game's start-up as bench_startup times it, but with its window-sized
// pixel buffers as plain QImages: what the game would be without
// platform/pixel_buffer's mapped memory. This file's pixel_buffer::Image
// takes the place of platform's: a static library's member is linked only
// for a symbol still missing, and this one is not. Launched by
// bench_startup, never on its own by scripts/bench.sh.
#include "platform/pixel_buffer.h"
#include "startup_child.h"

namespace pixel_buffer {

QImage Image(QSize pixels, QImage::Format format)
{
    if (pixels.isEmpty())
        return {};
    return QImage(pixels, format);
}

} // namespace pixel_buffer

int main()
{
    return startup_child::Run(startup_child::Kind::Game);
}
