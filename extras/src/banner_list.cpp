#include "extras/banner_list.h"

#include "platform/safe_file.h"

namespace {

constexpr char16_t kStar = u'*';

// Offset just past the first `count` code points of line, or nothing when
// the line is shorter or one of them is a "*": the skipped characters may
// be anything but the field separator, which must come later.
std::optional<qsizetype> SkipCodePoints(QStringView line, int count)
{
    qsizetype at = 0;
    for (int i = 0; i < count; ++i) {
        if (at >= line.size() || line[at] == kStar)
            return std::nullopt;
        const bool pair = line[at].isHighSurrogate() && at + 1 < line.size()
                          && line[at + 1].isLowSurrogate();
        at += pair ? 2 : 1;
    }
    return at;
}

void AddLine(QList<BannerEntry> &entries, QByteArrayView line)
{
    if (entries.size() >= banner_list::kMaxEntries || line.size() > banner_list::kMaxLineBytes)
        return;
    if (std::optional<BannerEntry> entry = SplitBannerLine(QString::fromUtf8(line)))
        entries.append(std::move(*entry));
}

} // namespace

std::optional<BannerEntry> SplitBannerLine(QStringView line)
{
    if (line.contains(QChar(u'\0')))
        return std::nullopt;
    const std::optional<qsizetype> tagStart = SkipCodePoints(line, 3);
    if (!tagStart)
        return std::nullopt;
    const qsizetype p1 = line.indexOf(kStar, *tagStart);
    if (p1 < 0)
        return std::nullopt;
    const qsizetype p2 = line.indexOf(kStar, p1 + 1);
    if (p2 < 0)
        return std::nullopt;
    return BannerEntry{line.sliced(*tagStart, p1 - *tagStart).toString(),
                       line.sliced(p1 + 1, p2 - p1 - 1).toString(),
                       line.sliced(p2 + 1).toString()};
}

QList<BannerEntry> ParseBannerList(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);

    QList<BannerEntry> entries;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n')
            continue;
        AddLine(entries, bytes.sliced(start, i - start));
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size())
        AddLine(entries, bytes.sliced(start));
    return entries;
}

QList<BannerEntry> ReadBannerList(const QString &path)
{
    // Read at every Cycle: a pipe or a device that takes the list's place,
    // even between a check and the open, must neither block nor never end.
    const safe_file::ReadResult read = safe_file::ReadStart(path, banner_list::kMaxFileBytes);
    if (!read.bytes)
        return {};
    QByteArray bytes = *read.bytes;
    if (read.cut) {
        // The limit cut the file: only the lines that end inside what was
        // read are read, never the first part of one that goes on.
        const qsizetype lastEnd = std::max(bytes.lastIndexOf('\n'), bytes.lastIndexOf('\r'));
        bytes.truncate(lastEnd + 1);
    }
    return ParseBannerList(bytes);
}
