#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <optional>

class QIODevice;

// The one reader of every file the program reads from beside itself or from
// the user's settings: the banner list and its pictures, the help file and
// what it refers to, the settings files. Such a path may name anything: a
// pipe that never delivers, a device that never ends, a folder, a huge
// file, or a tiny picture that claims an enormous canvas. These helpers turn
// every one of them into "cannot be read" without blocking and without large
// allocations.
namespace safe_file {

// Well above any banner picture (341 x 49) or help illustration, and small
// enough that reading one never shows in the program's memory.
inline constexpr qint64 kMaxPictureBytes = 4 * 1024 * 1024;
// 2048 x 2048: 16 MiB once decoded. For an animation this is its canvas,
// since every frame is composed at the canvas size.
inline constexpr qint64 kMaxPixels = 2048 * 2048;

// Why Read gave nothing.
enum class Refusal { NotPlain, TooLarge, Unreadable };

struct ReadResult
{
    std::optional<QByteArray> bytes;
    Refusal refusal = Refusal::Unreadable;
    // ReadStart only: the file went on beyond the bytes given.
    bool cut = false;
};

// The whole content of path when it is a regular file (links resolved) of at
// most maxBytes. The file is opened without waiting, so a pipe or a device
// swapped in after the metadata check is still refused rather than read.
ReadResult Read(const QString &path, qint64 maxBytes);

// The first maxBytes of path under the same checks as Read; a longer file is
// not refused but given cut, for a reader that can use the part it got.
ReadResult ReadStart(const QString &path, qint64 maxBytes);

// Whether the picture the reader's device holds has a canvas of at most
// maxPixels, judged from its header alone. A picture whose size cannot be
// told from its header is refused.
bool CanvasFits(QIODevice *device, qint64 maxPixels = kMaxPixels);

// The first frame of the picture in bytes, or a null image when the bytes
// are no picture or its canvas exceeds maxPixels. Decoding also runs under
// an allocation limit, so a header that lies about its size cannot make a
// frame larger than the cap.
QImage DecodeFirstFrame(const QByteArray &bytes, qint64 maxPixels = kMaxPixels);

// Read + DecodeFirstFrame under the picture limits.
QImage ReadPicture(const QString &path);

} // namespace safe_file
