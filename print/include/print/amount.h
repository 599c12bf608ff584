#pragma once

#include <QLocale>
#include <QString>

#include <cstdint>
#include <optional>

namespace mdlPrint {

// The whole number a prize text stands for, read the way the given locale
// writes numbers: blanks around it, a leading sign, the locale's
// digit-grouping separator between digits and a decimal fraction, rounded
// to the nearest whole number with halves going to the even neighbour.
// Anything else, and anything outside the signed 32-bit range after
// rounding, gives no value. The text is what a user typed; nothing in it is
// trusted.
std::optional<std::int32_t> AmountValue(const QString &text, const QLocale &locale);

// `total` with the amount `text` stands for added, as the sheet totals its
// prizes: a text that is no amount, or a sum that would leave the signed
// 32-bit range, leaves the total as it was.
std::int32_t AddAmount(std::int32_t total, const QString &text, const QLocale &locale);

// The text as the sheet prints it: when it stands for a number whose
// decimal form is longer than three characters and its last four
// characters are digits, one "," goes before its last three characters;
// otherwise it is returned as typed. The characters are the text's own, so
// "1234567" becomes "1234,567" (a single mark, never one every three
// digits) and "01000" "01,000", while "2,000", "-500", "999.5" and "1000 "
// stay as they are.
QString FormatAmount(const QString &text, const QLocale &locale);

} // namespace mdlPrint
