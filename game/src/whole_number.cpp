#include "game/whole_number.h"

#include <QRegularExpression>

#include <cfenv>
#include <cmath>
#include <limits>

namespace whole_number {

std::optional<double> ToNumber(const QString &text)
{
    // Only ASCII digits count: QString::toDouble alone would take "1e3",
    // "inf" or "nan", none of which is a count anyone typed.
    static const QRegularExpression kDecimal(
        QStringLiteral("^\\s*[+-]?(\\d+\\.?\\d*|\\.\\d+)\\s*$"));
    if (!kDecimal.match(text).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

double RoundHalfEven(double value)
{
    // nearbyint follows the current rounding mode; the program never
    // changes it from round-to-nearest-even, but say so explicitly.
    const int saved = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(value);
    std::fesetround(saved);
    return rounded;
}

std::optional<std::int16_t> ToInt16(const QString &text)
{
    const std::optional<double> value = ToNumber(text);
    if (!value)
        return std::nullopt;
    const double rounded = RoundHalfEven(*value);
    if (rounded < std::numeric_limits<std::int16_t>::min()
        || rounded > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return std::int16_t(rounded);
}

} // namespace whole_number
