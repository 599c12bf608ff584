#include "print/amount.h"

#include <algorithm>
#include <limits>

namespace mdlPrint {

namespace {

// A magnitude past this is out of range whatever the sign; counting stops
// there, so no number of digits can overflow the accumulator.
constexpr std::uint64_t kBeyondRange = std::uint64_t(std::numeric_limits<std::int32_t>::max()) + 2;

class AmountReader
{
public:
    AmountReader(const QString &text, const QLocale &locale)
        : text_(text)
        , zero_(locale.zeroDigit())
        , group_(locale.groupSeparator())
        , decimal_(locale.decimalPoint())
        , minus_(locale.negativeSign())
        , plus_(locale.positiveSign())
    {
        // Where the locale groups with a (no-break) space, people type an
        // ordinary one.
        groupIsSpace_ = group_.size() == 1 && group_.at(0).isSpace();
    }

    std::optional<std::int32_t> Read()
    {
        // trimmed() knows every Unicode blank, the ideographic space too.
        text_ = text_.trimmed();
        pos_ = 0;

        bool negative = false;
        if (Take(minus_) || Take(QStringLiteral("-")))
            negative = true;
        else if (!Take(plus_))
            Take(QStringLiteral("+"));

        std::uint64_t magnitude = 0;
        bool anyDigit = false;
        int digit;
        while (pos_ < text_.size()) {
            if ((digit = DigitAt(pos_)) >= 0) {
                magnitude = std::min(kBeyondRange, magnitude * 10 + std::uint64_t(digit));
                anyDigit = true;
                ++pos_;
            } else if (anyDigit && GroupAt(pos_)) {
                continue; // GroupAt stepped over it
            } else {
                break;
            }
        }

        int firstFraction = 0;
        bool restOfFraction = false;
        if (Take(decimal_)) {
            bool first = true;
            while (pos_ < text_.size() && (digit = DigitAt(pos_)) >= 0) {
                if (first)
                    firstFraction = digit;
                else if (digit != 0)
                    restOfFraction = true;
                first = false;
                anyDigit = true;
                ++pos_;
            }
        }

        if (!anyDigit || pos_ != text_.size())
            return std::nullopt;

        // Round half to even, decided on the decimal digits themselves so
        // that no binary fraction blurs an exact half.
        const bool above = firstFraction > 5 || (firstFraction == 5 && restOfFraction);
        const bool half = firstFraction == 5 && !restOfFraction;
        if (above || (half && magnitude % 2 == 1))
            magnitude = std::min(kBeyondRange, magnitude + 1);

        const std::uint64_t limit = negative
            ? std::uint64_t(std::numeric_limits<std::int32_t>::max()) + 1
            : std::uint64_t(std::numeric_limits<std::int32_t>::max());
        if (magnitude > limit)
            return std::nullopt;
        const std::int64_t value = negative ? -std::int64_t(magnitude) : std::int64_t(magnitude);
        return std::int32_t(value);
    }

private:
    bool Take(const QString &token)
    {
        if (token.isEmpty() || !QStringView(text_).mid(pos_).startsWith(token))
            return false;
        pos_ += token.size();
        return true;
    }

    int DigitAt(qsizetype at) const
    {
        const char16_t c = text_.at(at).unicode();
        if (c >= u'0' && c <= u'9')
            return c - u'0';
        // Locales with digits of their own write them as ten code points
        // from their zero.
        if (zero_.size() == 1 && zero_.at(0) != QLatin1Char('0')) {
            const int offset = int(c) - int(zero_.at(0).unicode());
            if (offset >= 0 && offset <= 9)
                return offset;
        }
        return -1;
    }

    // A separator counts only between two digits of the whole part.
    bool GroupAt(qsizetype at)
    {
        qsizetype length = 0;
        if (!group_.isEmpty() && QStringView(text_).mid(at).startsWith(group_))
            length = group_.size();
        else if (groupIsSpace_ && text_.at(at) == QLatin1Char(' '))
            length = 1;
        if (length == 0 || at + length >= text_.size() || DigitAt(at + length) < 0)
            return false;
        pos_ = at + length;
        return true;
    }

    QString text_;
    const QString zero_;
    const QString group_;
    const QString decimal_;
    const QString minus_;
    const QString plus_;
    bool groupIsSpace_ = false;
    qsizetype pos_ = 0;
};

} // namespace

std::optional<std::int32_t> AmountValue(const QString &text, const QLocale &locale)
{
    return AmountReader(text, locale).Read();
}

QString FormatAmount(const QString &text, const QLocale &locale)
{
    const std::optional<std::int32_t> value = AmountValue(text, locale);
    if (!value)
        return text;
    if (QString::number(*value).size() <= 3)
        return text;
    // The mark goes only where it falls between digits: a text that ends in
    // anything but four digits ("2,000", "-500", "999.5", "1000 ") already
    // says how it reads and is printed as typed.
    if (text.size() < 4)
        return text;
    const QStringView lastFour = QStringView(text).right(4);
    if (!std::all_of(lastFour.begin(), lastFour.end(), [](QChar c) { return c.isDigit(); }))
        return text;
    return text.left(text.size() - 3) + QLatin1Char(',') + text.right(3);
}

std::int32_t AddAmount(std::int32_t total, const QString &text, const QLocale &locale)
{
    const std::optional<std::int32_t> value = AmountValue(text, locale);
    if (!value)
        return total;
    // Both fit in 32 bits, so their sum cannot overflow 64.
    const std::int64_t sum = std::int64_t(total) + *value;
    if (sum < std::numeric_limits<std::int32_t>::min() || sum > std::numeric_limits<std::int32_t>::max())
        return total;
    return std::int32_t(sum);
}

} // namespace mdlPrint
