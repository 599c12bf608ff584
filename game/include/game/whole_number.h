#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// Reading numbers the user typed. A count is written in plain decimal
// (optional blanks around it, an optional sign, an optional fraction); text
// that is anything else, or out of range, gives no value.
namespace whole_number {

std::optional<double> ToNumber(const QString &text);

// Rounded to the nearest whole number with halves going to the even
// neighbour (2.5 -> 2, 3.5 -> 4), as every count read from text is.
std::optional<std::int16_t> ToInt16(const QString &text);

// The same rounding for a value already in hand.
double RoundHalfEven(double value);

} // namespace whole_number
