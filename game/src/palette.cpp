#include "game/palette.h"

#include <array>

namespace palette {

std::uint32_t Rgb(int n)
{
    static constexpr std::array<std::uint32_t, kCount> kColours = {
        0xff000000, 0xff000080, 0xff008000, 0xff008080,
        0xff800000, 0xff800080, 0xff808000, 0xffc0c0c0,
        0xff808080, 0xff0000ff, 0xff00ff00, 0xff00ffff,
        0xffff0000, 0xffff00ff, 0xffffff00, 0xffffffff,
    };
    return n >= 0 && n < kCount ? kColours[std::size_t(n)] : kColours[0];
}

} // namespace palette
