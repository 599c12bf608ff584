#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

// One line of the banner list file: three characters that are never read,
// then tag*link*image. Fields are kept exactly as written: no trimming, no
// unquoting, and a third "*" belongs to the image.
struct BannerEntry
{
    QString tag;
    QString link;
    QString image;

    bool operator==(const BannerEntry &) const = default;
};

// The limits under which a list is read. Beyond them the file cannot be a
// hand-written list of banners, and reading it every few seconds (each Cycle
// re-reads the tags) must stay cheap.
namespace banner_list {

// Lines longer than this (in bytes, before decoding) are skipped whole:
// cutting one short would open or load something the line never named.
inline constexpr qsizetype kMaxLineBytes = 4096;
// Only this much of the file is read; a line cut by the limit is dropped.
inline constexpr qsizetype kMaxFileBytes = 1024 * 1024;
// Entries are counted in a signed 16-bit number; the rest are ignored.
inline constexpr int kMaxEntries = 32767;

} // namespace banner_list

// Splits one line (without its line end). Characters 1 to 3 are skipped
// whatever they are; the first "*" must come after them and a second "*"
// must follow it. Anything else is not an entry: an empty or short line, a
// line with fewer than two "*", a "*" among the first three characters, and
// a line holding a NUL character (binary, not text). Characters are Unicode
// code points, so a character outside the basic plane counts once.
std::optional<BannerEntry> SplitBannerLine(QStringView line);

// The entries of a list file's bytes, in file order. The bytes are UTF-8 (a
// leading byte-order mark is ignored; malformed sequences become U+FFFD).
// CR LF, a lone CR and a lone LF each end a line; a last line needs no line
// end. Only well-formed lines are entries: every other line is skipped
// without a trace, so the n-th entry is the n-th well-formed line. This is
// the one rule for every reader of the list, at start-up and at each Cycle.
QList<BannerEntry> ParseBannerList(QByteArrayView bytes);

// The entries of the list file at path; none when it is missing, is not a
// plain file or cannot be read. At most banner_list::kMaxFileBytes are read.
QList<BannerEntry> ReadBannerList(const QString &path);
