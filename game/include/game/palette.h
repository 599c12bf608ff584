#pragma once

#include <cstdint>

// The classic 16-colour palette the game's colour numbers refer to.
namespace palette {

constexpr int kCount = 16;

// 0xRRGGBB of colour number n; numbers outside 0..15 give black.
std::uint32_t Rgb(int n);

} // namespace palette
