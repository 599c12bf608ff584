#pragma once

#include "print/amount.h"

#include <QByteArrayView>
#include <QLocale>
#include <QString>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>

// What reading and marking a prize amount must do with any text, under the
// locales the program is most likely to meet: the first input byte picks
// the locale, the rest is the text (as UTF-8, and again as raw UTF-16 so
// that unpaired surrogates and every code unit are reachable).
namespace fuzz_checks {

namespace amount_detail {

inline const QLocale &LocaleFor(unsigned char selector)
{
    static const std::array<QLocale, 5> kLocales = {
        QLocale::c(),
        QLocale(QStringLiteral("en_US")),
        QLocale(QStringLiteral("ko_KR")),
        QLocale(QStringLiteral("de_DE")),
        QLocale(QStringLiteral("fr_FR")),
    };
    return kLocales[selector % kLocales.size()];
}

inline QString Show(std::optional<std::int32_t> v)
{
    return v ? QString::number(*v) : QStringLiteral("(none)");
}

// A plain "-"? and 1 to 9 ASCII digits: a number every locale reads alike.
inline std::optional<std::int32_t> PlainValue(const QString &text)
{
    const qsizetype digits = text.size() - (text.startsWith(u'-') ? 1 : 0);
    if (digits < 1 || digits > 9)
        return std::nullopt;
    for (qsizetype i = text.size() - digits; i < text.size(); ++i) {
        if (text[i] < u'0' || text[i] > u'9')
            return std::nullopt;
    }
    return std::int32_t(text.toInt());
}

inline QString CheckText(const QString &text, const QLocale &locale)
{
    const std::optional<std::int32_t> value = mdlPrint::AmountValue(text, locale);
    const QString formatted = mdlPrint::FormatAmount(text, locale);
    const QString where = QStringLiteral(" (locale %1, text \"%2\")").arg(locale.name(), text);

    if (const std::optional<std::int32_t> plain = PlainValue(text); plain && value != plain)
        return QStringLiteral("read %1, expected %2").arg(Show(value), Show(plain)) + where;

    // The comma is due only where it falls between digits.
    const bool endsInFourDigits = text.size() >= 4
        && std::all_of(text.end() - 4, text.end(), [](QChar c) { return c.isDigit(); });
    if (!value || QString::number(*value).size() <= 3 || !endsInFourDigits) {
        if (formatted != text)
            return QStringLiteral("\"%1\" changed, though no comma is due").arg(formatted) + where;
        return {};
    }
    // The number is at least four characters long, and so is the text: no
    // locale writes a digit in less than one code unit.
    if (text.size() < 4)
        return QStringLiteral("a short text stands for %1").arg(*value) + where;
    const qsizetype cut = text.size() - 3;
    if (formatted.size() != text.size() + 1 || formatted.first(cut) != text.first(cut)
        || formatted[cut] != u',' || formatted.sliced(cut + 1) != text.sliced(cut))
        return QStringLiteral("\"%1\" is not the text with one comma before its last three")
                   .arg(formatted)
               + where;
    return {};
}

// Numbers the locale writes itself must read back: whole ones exactly, and
// halves rounded to the even neighbour.
inline QString CheckLocaleWritten(std::int32_t v, const QLocale &locale)
{
    const QString whole = locale.toString(qint64(v));
    if (const std::optional<std::int32_t> got = mdlPrint::AmountValue(whole, locale); got != v) {
        return QStringLiteral("the locale's own \"%1\" read as %2, expected %3")
            .arg(whole, Show(got))
            .arg(v);
    }
    const QString half = locale.toString(double(v) + 0.5, 'f', 1);
    const std::int64_t even = v % 2 == 0 ? std::int64_t(v) : std::int64_t(v) + 1;
    const std::optional<std::int32_t> want = even <= std::numeric_limits<std::int32_t>::max()
        ? std::optional<std::int32_t>(std::int32_t(even))
        : std::nullopt;
    if (const std::optional<std::int32_t> got = mdlPrint::AmountValue(half, locale); got != want) {
        return QStringLiteral("the locale's own \"%1\" read as %2, expected %3")
            .arg(half, Show(got), Show(want));
    }
    return {};
}

} // namespace amount_detail

// Empty when every invariant holds, otherwise what broke.
inline QString CheckAmount(QByteArrayView input)
{
    using namespace amount_detail;
    if (input.isEmpty())
        return {};
    const QLocale &locale = LocaleFor(static_cast<unsigned char>(input[0]));
    const QByteArrayView rest = input.sliced(1);

    QString failure = CheckText(QString::fromUtf8(rest), locale);
    if (!failure.isEmpty())
        return failure;
    QString utf16(rest.size() / 2, Qt::Uninitialized);
    std::memcpy(utf16.data(), rest.data(), std::size_t(utf16.size()) * sizeof(QChar));
    failure = CheckText(utf16, locale);
    if (!failure.isEmpty())
        return failure;

    if (rest.size() >= 4) {
        std::int32_t v;
        std::memcpy(&v, rest.data(), sizeof v);
        return CheckLocaleWritten(v, locale);
    }
    return {};
}

} // namespace fuzz_checks
