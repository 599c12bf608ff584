#pragma once

#include "game/whole_number.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cfenv>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>

// What reading a typed count must do with any text. The expected value is
// found without the regular expression and without Qt's number parser: a
// hand-written recogniser for the one accepted form, then std::from_chars.
namespace fuzz_checks {

namespace whole_number_detail {

// The blanks a count may carry around it.
inline bool IsBlank(QChar c)
{
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

inline bool IsDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The value of [+-]?(digits[.digits] | .digits) between blanks, or nothing;
// a number too large for a double counts as none.
inline std::optional<double> ExpectedNumber(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    bool negative = false;
    if (begin < end && (text[begin] == u'+' || text[begin] == u'-')) {
        negative = text[begin] == u'-';
        ++begin;
    }
    qsizetype wholeDigits = 0;
    qsizetype at = begin;
    while (at < end && IsDigit(text[at]))
        ++at, ++wholeDigits;
    qsizetype fractionDigits = 0;
    if (at < end && text[at] == u'.') {
        ++at;
        while (at < end && IsDigit(text[at]))
            ++at, ++fractionDigits;
    }
    if (at != end || (wholeDigits == 0 && fractionDigits == 0))
        return std::nullopt;

    const QByteArray ascii = text.sliced(begin, end - begin).toLatin1();
    double value = 0;
    const auto [ptr, ec] = std::from_chars(ascii.constData(), ascii.constData() + ascii.size(), value);
    if (ec != std::errc() || ptr != ascii.constData() + ascii.size() || !std::isfinite(value))
        return std::nullopt;
    return negative ? -value : value;
}

// Halves to the even neighbour, decided on floor and the exact remainder.
inline double ExpectedRounding(double value)
{
    const double floor = std::floor(value);
    // Exact (Sterbenz) except for tiny negative values, where rounding the
    // rest can only push it towards 1, never across one half.
    const double rest = value - floor;
    if (rest < 0.5)
        return floor;
    if (rest > 0.5)
        return floor + 1;
    return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

inline QString Show(std::optional<double> v)
{
    return v ? QString::number(*v, 'g', 17) : QStringLiteral("(none)");
}

inline QString CheckText(const QString &text)
{
    const std::optional<double> number = whole_number::ToNumber(text);
    const std::optional<double> want = ExpectedNumber(text);
    if (number != want) {
        return QStringLiteral("ToNumber(\"%1\") gave %2, expected %3")
            .arg(text, Show(number), Show(want));
    }

    const std::optional<std::int16_t> count = whole_number::ToInt16(text);
    std::optional<std::int16_t> wantCount;
    if (want) {
        const double rounded = ExpectedRounding(*want);
        if (rounded >= std::numeric_limits<std::int16_t>::min()
            && rounded <= std::numeric_limits<std::int16_t>::max())
            wantCount = std::int16_t(rounded);
    }
    if (count != wantCount) {
        return QStringLiteral("ToInt16(\"%1\") gave %2, expected %3")
            .arg(text,
                 count ? QString::number(*count) : QStringLiteral("(none)"),
                 wantCount ? QString::number(*wantCount) : QStringLiteral("(none)"));
    }
    return {};
}

} // namespace whole_number_detail

// Empty when every invariant holds, otherwise what broke.
inline QString CheckWholeNumber(QByteArrayView input)
{
    using namespace whole_number_detail;

    QString failure = CheckText(QString::fromUtf8(input));
    if (!failure.isEmpty())
        return failure;
    QString utf16(input.size() / 2, Qt::Uninitialized);
    std::memcpy(utf16.data(), input.data(), std::size_t(utf16.size()) * sizeof(QChar));
    failure = CheckText(utf16);
    if (!failure.isEmpty())
        return failure;

    // Any finite double, rounded directly, and the rounding mode left as
    // it was found.
    if (input.size() >= qsizetype(sizeof(double))) {
        double value;
        std::memcpy(&value, input.data(), sizeof value);
        if (std::isfinite(value)) {
            const int mode = std::fegetround();
            const double rounded = whole_number::RoundHalfEven(value);
            if (std::fegetround() != mode)
                return QStringLiteral("RoundHalfEven changed the rounding mode");
            if (rounded != ExpectedRounding(value)) {
                return QStringLiteral("RoundHalfEven(%1) gave %2, expected %3")
                    .arg(Show(value), Show(rounded), Show(ExpectedRounding(value)));
            }
        }
    }
    return {};
}

} // namespace fuzz_checks
