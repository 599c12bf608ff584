#include "widgets/image_list.h"

#include "platform/pixel_buffer.h"
#include "widgets/units.h"
#include "widgets/zoom_level.h"

#include <QApplication>
#include <QColor>
#include <QFile>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QtDebug>
#include <QtEndian>

#include <algorithm>
#include <vector>

namespace {

constexpr std::array<QSize, ImageList::kCount> kSizes = {{
    // 1-12: the animal tokens.
    {32, 32}, {32, 32}, {32, 32}, {32, 32}, {32, 32}, {32, 32},
    {32, 32}, {32, 32}, {32, 32}, {32, 32}, {32, 32}, {32, 32},
    // 13-22: normal faces.
    {20, 21}, {21, 22}, {26, 29}, {48, 52}, {48, 50}, {61, 60}, {60, 60}, {48, 48}, {49, 50}, {48, 48},
    // 23-32: pressed faces.
    {22, 24}, {23, 23}, {26, 31}, {49, 53}, {50, 51}, {61, 61}, {60, 60}, {49, 47}, {47, 49}, {47, 48},
    // 33-39: greyed faces.
    {19, 23}, {20, 22}, {28, 34}, {49, 55}, {49, 52}, {62, 64}, {62, 62},
    // 40-47: start-mode faces.
    {78, 18}, {78, 18}, {79, 19}, {79, 19}, {78, 18}, {78, 18}, {79, 19}, {79, 19},
    // 48-49: the print button.
    {52, 50}, {50, 49},
}};

// A missing resource must not take the window down with it: a flat tile of
// the right size keeps every layout that depends on the picture's size.
QPixmap StandIn(QSize logical, qreal ratio)
{
    QPixmap p(logical * ratio);
    p.setDevicePixelRatio(ratio);
    p.fill(QColor(0x9a, 0xa4, 0xb0));
    return p;
}

QPixmap Load(const QString &file, QSize logical, int scale)
{
    QFile raw(QLatin1String(":/") + ImageList::RawFile(file));
    QImage image = raw.open(QIODevice::ReadOnly) ? ImageList::DecodeRaw(raw.readAll()) : QImage();
    if (image.isNull())
        image = QImage(QLatin1String(":/") + file);
    if (image.isNull() || image.size() != logical * scale) {
        qWarning("ImageList: %s is missing or has the wrong size", qPrintable(file));
        return StandIn(logical, scale);
    }
    // The @2x files would be read with ratio 2 anyway; setting it here keeps
    // the logical size exact whatever the file's name says.
    image.setDevicePixelRatio(scale);
    return QPixmap::fromImage(std::move(image));
}

// The application icon at the sizes it is drawn in, each read from its raw
// twin only when a window system first asks for that size: the first frame
// needs none of them, and QIcon::addFile would start the image format
// plugins just to learn each file's format.
class AppIconEngine final : public QIconEngine
{
public:
    QPixmap pixmap(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        const int want = std::max(size.width(), size.height());
        // The smallest picture at least as large as asked, else the largest.
        std::size_t best = ImageList::kIconSizes.size() - 1;
        for (std::size_t i = 0; i < ImageList::kIconSizes.size(); ++i)
            if (ImageList::kIconSizes[i] >= want) {
                best = i;
                break;
            }
        QPixmap &picture = loaded_[best];
        if (picture.isNull()) {
            const int pixels = ImageList::kIconSizes[best];
            picture = Load(ImageList::IconFile(pixels), QSize(pixels, pixels), 1);
        }
        return picture.width() == want ? picture
                                       : picture.scaled(size, Qt::KeepAspectRatio,
                                                        Qt::SmoothTransformation);
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (int pixels : ImageList::kIconSizes)
            sizes << QSize(pixels, pixels);
        return sizes;
    }

    QIconEngine *clone() const override { return new AppIconEngine(*this); }

private:
    std::array<QPixmap, ImageList::kIconSizes.size()> loaded_;
};

// A face as an icon: every device asks with its own pixel ratio and gets
// the artwork for it, drawn at the size asked for, so a start token stays
// sharp in a picture saved at twice the pixels as on the screen.
class PictureIconEngine final : public QIconEngine
{
public:
    PictureIconEngine(const ImageList &images, int index)
        : images_(images)
        , index_(index)
    {
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }

    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State, qreal scale) override
    {
        // A token is drawn again whenever its button changes, greyed for a
        // whole descent: greying and scaling are done once per look.
        for (const Made &made : made_)
            if (made.size == size && made.mode == mode && made.scale == scale)
                return made.picture;
        // `size` is in the device's pixels already (QIcon::pixmap multiplies).
        QPixmap picture = images_.PictureAt(index_, (QSizeF(size) / scale).toSize(), scale);
        if (picture.isNull())
            return picture;
        if (mode == QIcon::Disabled || mode == QIcon::Selected) {
            QStyleOption option;
            option.palette = QApplication::palette();
            picture = QApplication::style()->generatedIconPixmap(mode, picture, &option);
        }
        // Normal and greyed at one size and ratio, and a change of zoom.
        if (made_.size() >= 4)
            made_.erase(made_.begin());
        made_.push_back({size, mode, scale, picture});
        return picture;
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        painter->drawPixmap(rect, scaledPixmap((QSizeF(rect.size()) * ratio).toSize(), mode, state, ratio));
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        return {ImageList::PictureSize(index_)};
    }

    QIconEngine *clone() const override { return new PictureIconEngine(*this); }

private:
    struct Made
    {
        QSize size;
        QIcon::Mode mode;
        qreal scale;
        QPixmap picture;
    };
    const ImageList &images_;
    int index_;
    std::vector<Made> made_;
};

} // namespace

ImageList::ImageList(qreal devicePixelRatio)
    : ImageList(devicePixelRatio, ZoomLevel::Unzoomed())
{
}

ImageList::ImageList(qreal devicePixelRatio, const ZoomLevel &zoom)
    : devicePixelRatio_(devicePixelRatio)
    , zoom_(zoom)
{
    icon_ = QIcon(new AppIconEngine);
}

int ImageList::ScaleOn(qreal devicePixelRatio) const
{
    return ScaleFor(zoom_.Factor() * devicePixelRatio);
}

int ImageList::ScaleFor(qreal pixelsPerLogicalPixel)
{
    // Fractional ratios (1.25, 1.5) get the sharper set, scaled down by the
    // painter, rather than the softer one scaled up.
    return pixelsPerLogicalPixel > 2.0 ? 4 : pixelsPerLogicalPixel > 1.0 ? 2 : 1;
}

QPixmap ImageList::Background(qreal devicePixelRatio) const
{
    const int scale = ScaleOn(devicePixelRatio);
    if (scale != Scale())
        return Load(BackgroundFile(scale), kBackgroundSize, scale);
    if (background_.isNull() || background_.devicePixelRatio() != scale)
        background_ = Load(BackgroundFile(scale), kBackgroundSize, scale);
    return background_;
}

QCursor ImageList::LinkCursor() const
{
    // Only the About box points at links; the first frame does without.
    const int scale = Scale();
    if (linkCursorScale_ != scale) {
        linkCursorScale_ = scale;
        linkCursor_ = QCursor(Load(LinkCursorFile(scale), kLinkCursorSize, scale),
                              kLinkCursorHotSpot.x(), kLinkCursorHotSpot.y());
    }
    return linkCursor_;
}

QPixmap ImageList::Picture(int index, qreal devicePixelRatio) const
{
    if (index < 1 || index > kCount)
        return {};
    // Decoded on first use: a third of the faces are on screen at start-up,
    // the greyed and pressed ones only later or never.
    const int scale = ScaleOn(devicePixelRatio);
    QPixmap &picture = pictures_[Set(scale)][std::size_t(index - 1)];
    if (picture.isNull())
        picture = Load(PictureFile(index, scale), PictureSize(index), scale);
    return picture;
}

QPixmap ImageList::PictureAt(int index, QSize logical, qreal devicePixelRatio) const
{
    QPixmap picture = Picture(index, devicePixelRatio);
    const QSize pixels = (QSizeF(logical) * devicePixelRatio).toSize();
    if (picture.isNull() || pixels.isEmpty())
        return picture;
    if (picture.size() != pixels)
        picture = picture.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    // Tagged with the device's ratio, so that it draws at `logical` size.
    picture.setDevicePixelRatio(devicePixelRatio);
    return picture;
}

QIcon ImageList::Icon(int index) const
{
    return QIcon(new PictureIconEngine(*this, index));
}

QPixmap ImageList::PrintPicture(int index) const
{
    if (index < 1 || index > 12)
        return Picture(index);
    // Read only when a sheet is printed, and then each time: nothing of
    // them stays in memory for the screen.
    return Load(PrintPictureFile(index), PictureSize(index), kPrintScale);
}

QSize ImageList::PictureSize(int index)
{
    if (index < 1 || index > kCount)
        return {};
    return kSizes[std::size_t(index - 1)];
}

QSize ImageList::ShownSize(int index) const
{
    return units::ScaledPx(PictureSize(index), zoom_.Current());
}

namespace {

QString Scaled(const QString &stem, int scale)
{
    return scale > 1 ? stem + QStringLiteral("@%1x.png").arg(scale) : stem + QLatin1String(".png");
}

} // namespace

QString ImageList::PictureFile(int index, int scale)
{
    return Scaled(QStringLiteral("images/faces/%1").arg(index, 2, 10, QLatin1Char('0')), scale);
}

QString ImageList::PrintPictureFile(int index)
{
    return QStringLiteral("images/print/%1.png").arg(index, 2, 10, QLatin1Char('0'));
}

QString ImageList::BackgroundFile(int scale)
{
    return Scaled(QStringLiteral("images/background"), scale);
}

QString ImageList::IconFile(int pixels)
{
    return QStringLiteral("images/icon/kapuna-%1.png").arg(pixels);
}

namespace {

// "KPX2", width, height and opacity (32-bit little-endian; opaque pictures
// are RGB32, which paints without blending), then the premultiplied ARGB32
// pixels row after row as runs: a 16-bit little-endian count n, then either
// one pixel to repeat n times or, with the top bit of the count set, n
// pixels as they are. The whole is compressed with qCompress. The runs are
// what makes the background cheap: its rows are mostly one colour, so it
// expands with a few fills instead of inflating 1.6 MB of pixels.
constexpr char kRawMagic[] = "KPX2";
constexpr int kRawHeader = 16;
constexpr quint16 kLiteral = 0x8000;
constexpr int kLongestRun = 0x7fff;

void AppendU16(QByteArray &bytes, quint16 v)
{
    const quint16 le = qToLittleEndian(v);
    bytes.append(reinterpret_cast<const char *>(&le), 2);
}

} // namespace

QString ImageList::RawFile(const QString &pngFile)
{
    QString raw = pngFile;
    raw.chop(4);
    return raw + QLatin1String(".kpx");
}

QByteArray ImageList::EncodeRaw(const QImage &image)
{
    const QImage pixels = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QByteArray bytes(kRawMagic, 4);
    const quint32 opaque = image.hasAlphaChannel() ? 0 : 1;
    for (quint32 v : {quint32(pixels.width()), quint32(pixels.height()), opaque}) {
        const quint32 le = qToLittleEndian(v);
        bytes.append(reinterpret_cast<const char *>(&le), 4);
    }
    // One stream of pixels: a 32-bit image's rows follow each other without
    // padding, so a run may carry on into the next row.
    const auto *px = reinterpret_cast<const quint32 *>(pixels.constBits());
    const qsizetype total = qsizetype(pixels.width()) * pixels.height();
    for (qsizetype i = 0; i < total;) {
        qsizetype same = 1;
        while (i + same < total && same < kLongestRun && px[i + same] == px[i])
            ++same;
        if (same >= 3) {
            AppendU16(bytes, quint16(same));
            const quint32 le = qToLittleEndian(px[i]);
            bytes.append(reinterpret_cast<const char *>(&le), 4);
            i += same;
            continue;
        }
        // Pixels as they are, up to the next run of three alike.
        qsizetype n = 0;
        while (i + n < total && n < kLongestRun
               && !(i + n + 2 < total && px[i + n] == px[i + n + 1] && px[i + n] == px[i + n + 2]))
            ++n;
        AppendU16(bytes, quint16(kLiteral | n));
        for (qsizetype k = 0; k < n; ++k) {
            const quint32 le = qToLittleEndian(px[i + k]);
            bytes.append(reinterpret_cast<const char *>(&le), 4);
        }
        i += n;
    }
    return qCompress(bytes, 9);
}

QImage ImageList::DecodeRaw(const QByteArray &compressed)
{
    const QByteArray bytes = qUncompress(compressed);
    if (bytes.size() < kRawHeader || !bytes.startsWith(kRawMagic))
        return {};
    const quint32 width = qFromLittleEndian<quint32>(bytes.constData() + 4);
    const quint32 height = qFromLittleEndian<quint32>(bytes.constData() + 8);
    const bool opaque = qFromLittleEndian<quint32>(bytes.constData() + 12) == 1;
    if (width == 0 || height == 0 || width > 4096 || height > 4096)
        return {};
    QImage image = pixel_buffer::Image(QSize(int(width), int(height)),
                                       opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
    if (image.bytesPerLine() != qsizetype(width) * 4)
        return {};
    auto *out = reinterpret_cast<quint32 *>(image.bits());
    const qsizetype total = qsizetype(width) * height;
    const char *in = bytes.constData() + kRawHeader;
    const char *const end = bytes.constData() + bytes.size();
    qsizetype done = 0;
    // Every count and pixel is checked against both ends: a damaged twin
    // reads as missing, never past either buffer.
    while (done < total) {
        if (end - in < 2)
            return {};
        const quint16 count = qFromLittleEndian<quint16>(in);
        in += 2;
        const qsizetype n = count & kLongestRun;
        if (n == 0 || n > total - done)
            return {};
        if (count & kLiteral) {
            if (end - in < n * 4)
                return {};
            for (qsizetype k = 0; k < n; ++k)
                out[done + k] = qFromLittleEndian<quint32>(in + k * 4);
            in += n * 4;
        } else {
            if (end - in < 4)
                return {};
            std::fill_n(out + done, n, qFromLittleEndian<quint32>(in));
            in += 4;
        }
        done += n;
    }
    return in == end ? image : QImage();
}

QString ImageList::LinkCursorFile(int scale)
{
    return Scaled(QStringLiteral("images/link_cursor"), scale);
}
