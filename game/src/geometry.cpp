#include "game/geometry.h"

#include "game/whole_number.h"

namespace geometry {

std::int16_t LadderLeft(int n)
{
    const double unrounded = (149.0 - 14.0 * (n - 1)) / 2.0 + 50.0;
    return std::int16_t(whole_number::RoundHalfEven(unrounded));
}

} // namespace geometry
