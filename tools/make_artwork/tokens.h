#pragma once

#include <QImage>

// The twelve animal tokens, pictures 1..12: dog, rooster, pig, horse, snake,
// ox, sheep, dragon, monkey, rat, rabbit, tiger, each a Noto Color Emoji
// glyph on a white rounded tile.
namespace tokens {

QImage Token(int index, int scale);

} // namespace tokens
