#pragma once

#include "extras/banner_list.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>

#include <cstring>
#include <limits>
#include <optional>

// What the banner list reader must do with any bytes at all. The expected
// results are worked out by a second, deliberately different route (code
// points through toUcs4, fields through split) so that a slip in the
// reader's own index arithmetic cannot hide behind the same slip here.
namespace fuzz_checks {

namespace banner_detail {

inline QString Show(const BannerEntry &e)
{
    return QStringLiteral("{%1|%2|%3}").arg(e.tag, e.link, e.image);
}

inline QString Show(const std::optional<BannerEntry> &e)
{
    return e ? Show(*e) : QStringLiteral("(none)");
}

// The entry a line holds, or nothing.
inline std::optional<BannerEntry> ExpectedSplit(QStringView line)
{
    if (line.contains(QChar(u'\0')))
        return std::nullopt;
    // toUcs4 turns each unpaired surrogate into one U+FFFD, so it counts as
    // one character, as a pair does.
    const QList<uint> codePoints = line.toUcs4();
    if (codePoints.size() < 3)
        return std::nullopt;
    qsizetype prefixUnits = 0;
    for (int i = 0; i < 3; ++i) {
        if (codePoints[i] == '*')
            return std::nullopt;
        prefixUnits += codePoints[i] > 0xffff ? 2 : 1;
    }
    const QList<QStringView> parts = line.sliced(prefixUnits).split(QChar(u'*'));
    if (parts.size() < 3)
        return std::nullopt;
    QString image;
    for (qsizetype i = 2; i < parts.size(); ++i) {
        if (i > 2)
            image += QChar(u'*');
        image += parts[i];
    }
    return BannerEntry{parts[0].toString(), parts[1].toString(), image};
}

// The lines of a list file by a different cut than the reader's: every line
// end is first made an LF.
inline QList<QByteArray> Lines(QByteArrayView bytes)
{
    QByteArray text = bytes.toByteArray();
    if (text.startsWith("\xEF\xBB\xBF"))
        text.remove(0, 3);
    text.replace("\r\n", "\n");
    text.replace('\r', '\n');
    QList<QByteArray> lines = text.split('\n');
    // A line end closes a line; it does not open an empty one after it.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

inline QString CheckLine(QStringView line, const char *how)
{
    const std::optional<BannerEntry> got = SplitBannerLine(line);
    const std::optional<BannerEntry> want = ExpectedSplit(line);
    if (got != want) {
        return QStringLiteral("SplitBannerLine of the %1 line gave %2, expected %3")
            .arg(QLatin1String(how), Show(got), Show(want));
    }
    if (got && !line.endsWith(got->tag + u'*' + got->link + u'*' + got->image))
        return QStringLiteral("entry %1 is not the end of its line").arg(Show(got));
    return {};
}

} // namespace banner_detail

// Empty when every invariant holds, otherwise what broke.
inline QString CheckBannerList(QByteArrayView input)
{
    using namespace banner_detail;

    // The whole input as one line, read as UTF-8 and, to reach unpaired
    // surrogates that no UTF-8 decoder produces, as raw UTF-16.
    QString failure = CheckLine(QString::fromUtf8(input), "UTF-8");
    if (!failure.isEmpty())
        return failure;
    QString utf16(input.size() / 2, Qt::Uninitialized);
    std::memcpy(utf16.data(), input.data(), std::size_t(utf16.size()) * sizeof(QChar));
    failure = CheckLine(utf16, "UTF-16");
    if (!failure.isEmpty())
        return failure;

    const QList<BannerEntry> entries = ParseBannerList(input);
    if (entries.size() > banner_list::kMaxEntries
        || entries.size() > std::numeric_limits<qint16>::max())
        return QStringLiteral("%1 entries do not fit the 16-bit count").arg(entries.size());

    QList<BannerEntry> expected;
    for (const QByteArray &line : Lines(input)) {
        if (expected.size() == banner_list::kMaxEntries)
            break;
        if (line.size() > banner_list::kMaxLineBytes)
            continue;
        if (std::optional<BannerEntry> entry = ExpectedSplit(QString::fromUtf8(line)))
            expected.append(*entry);
    }
    if (entries.size() != expected.size()) {
        return QStringLiteral("ParseBannerList found %1 entries, expected %2")
            .arg(entries.size())
            .arg(expected.size());
    }
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const BannerEntry &e = entries[i];
        if (e != expected[i]) {
            return QStringLiteral("entry %1 is %2, expected %3")
                .arg(i + 1)
                .arg(Show(e), Show(expected[i]));
        }
        for (const QString *field : {&e.tag, &e.link, &e.image}) {
            if (field->contains(u'\r') || field->contains(u'\n') || field->contains(QChar(u'\0')))
                return QStringLiteral("entry %1 holds a line end or NUL").arg(i + 1);
        }
        if (e.tag.contains(u'*') || e.link.contains(u'*'))
            return QStringLiteral("entry %1 holds a \"*\" before its image").arg(i + 1);
    }
    return {};
}

} // namespace fuzz_checks
