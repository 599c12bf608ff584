#include "extras/vel_gif.h"

#include "platform/safe_file.h"
#include "widgets/fonts.h"
#include "widgets/image_list.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <memory>

namespace {

constexpr int kFlashMs = 150;

const QColor kFieldTop(0xee, 0xf4, 0xff);
const QColor kFieldBottom(0xd4, 0xe3, 0xfb);
const QColor kFieldEdge(0x9d, 0xb4, 0xe0);
const QColor kTagText(0x14, 0x30, 0x6b);

} // namespace

VelGif::VelGif(QString programFolder, const ZoomLevel &zoom, QWidget *parent)
    : QWidget(parent)
    , zoom_(zoom)
    , programFolder_(std::move(programFolder))
{
    setObjectName(QStringLiteral("VelGif"));
    setFixedSize(units::ScaledPx(kSize, zoom_.Current()));
    setAttribute(Qt::WA_OpaquePaintEvent);

    stillTimer_.setSingleShot(true);
    connect(&stillTimer_, &QTimer::timeout, this, &VelGif::StillTimeUp);
    frameTimer_.setSingleShot(true);
    connect(&frameTimer_, &QTimer::timeout, this, &VelGif::NextFrame);
    flashTimer_.setSingleShot(true);
    flashTimer_.setInterval(kFlashMs);
    connect(&flashTimer_, &QTimer::timeout, this, [this] {
        flash_ = false;
        update();
    });
}

VelGif::~VelGif()
{
    DropAnimation();
}

void VelGif::SetTag(const QString &tag)
{
    tag_ = tag;
    setToolTip(tag);
    setAccessibleName(tag);
    update();
}

void VelGif::Start()
{
    started_ = true;
    if (showing_ != Showing::Nothing && !entryTimed_)
        BeginEntryTime();
}

void VelGif::LoadImage(const QString &image)
{
    stillTimer_.stop();
    DropAnimation();
    picture_ = QPixmap();
    path_.clear();
    plain_ = DecodedPicture();
    twinAsked_ = 0;
    twin_.reset();
    shownFrame_ = 0;
    entryTimed_ = false;
    lastFrame_ = -1;

    const QString path = ResolveImage(image);
    const DecodedPicture *decoded = Decoded(path);
    if (!decoded || decoded->still.isNull()) {
        showing_ = Showing::Tag;
    } else {
        // A copy (of shared data): the cache may drop the entry while it is
        // shown.
        path_ = path;
        plain_ = *decoded;
        // The first frame is shown at once; an animation plays from it only
        // once the entry's time begins.
        picture_ = decoded->still;
        showing_ = Showing::Still;
        if (decoded->frames.size() > 1) {
            frames_ = decoded->frames;
            loopsLeft_ = decoded->loops;
            showing_ = Showing::Animation;
        }
    }

    setCursor(Qt::PointingHandCursor);
    if (started_)
        BeginEntryTime();
    update();
}

VelGif::Stamp VelGif::StampOf(const QString &path)
{
    const QFileInfo info(path); // a stat, never an open
    return info.isFile() ? Stamp{true, info.size(), info.lastModified()} : Stamp{};
}

const VelGif::DecodedPicture *VelGif::Decoded(const QString &path, int scale)
{
    if (path.isEmpty())
        return nullptr;
    const Stamp stamp = StampOf(path);
    if (const DecodedPicture *known = cache_.object(path);
        known && known->stamp == stamp && known->scale == scale)
        return known;

    std::unique_ptr<DecodedPicture> entry = Decode(path, stamp, scale);
    const auto bytes = [](const QPixmap &p) { return qint64(p.width()) * p.height() * 4; };
    // An animation's still is its first frame, held once.
    qint64 cost = entry->frames.isEmpty() ? bytes(entry->still) : 0;
    for (const Frame &frame : std::as_const(entry->frames))
        cost += bytes(frame.picture);
    // A refused file costs its stamp only, and is remembered like a picture
    // so that a click or a rotation does not try it again.
    if (!cache_.insert(path, entry.release(), qMax<qint64>(1, cost / 1024)))
        return nullptr;
    return cache_.object(path);
}

std::unique_ptr<VelGif::DecodedPicture> VelGif::Decode(const QString &path, const Stamp &stamp,
                                                       int scale)
{
    auto entry = std::make_unique<DecodedPicture>();
    entry->stamp = stamp;
    entry->scale = scale;
    if (!stamp.isFile)
        return entry;
    ++decodeCount_;
    const safe_file::ReadResult read = safe_file::Read(path, safe_file::kMaxPictureBytes);
    const QImage first = read.bytes ? safe_file::DecodeFirstFrame(*read.bytes) : QImage();
    if (first.isNull())
        return entry;
    QBuffer buffer;
    buffer.setData(*read.bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    entry->canvas = first.size();
    // Counted from the blocks of the file, none of them decoded.
    entry->frameCount = reader.supportsAnimation() ? reader.imageCount() : 1;

    // A picture is fitted to the strip; a twin is shown at its own pixels
    // (TwinFor takes one only for a picture that fits unscaled).
    const QSize shown = scale == 1 ? PictureRect(first.size()).size() : first.size();
    QImage still = first.size() != shown
                       ? first.scaled(shown, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                       : first;
    still.setDevicePixelRatio(scale);
    entry->still = QPixmap::fromImage(std::move(still));
    DecodeFrames(reader, shown, *entry);
    if (!entry->frames.isEmpty())
        entry->still = entry->frames.first().picture;
    return entry;
}

void VelGif::DecodeFrames(QImageReader &reader, QSize shown, DecodedPicture &into)
{
    if (!reader.supportsAnimation())
        return;
    const int count = into.frameCount;
    const QSize canvas = reader.size();
    // Counted at the picture's design size (see the class comment); the
    // first frame was decoded once already.
    const qint64 designPixels =
        (count + 1) * qint64(canvas.width()) * canvas.height() / (qint64(into.scale) * into.scale);
    const qint64 shownKiB = count * qint64(shown.width()) * shown.height() * 4 / 1024;
    if (count < 2 || count > kMaxFrames || designPixels > kMaxAnimationPixels
        || shownKiB > kMaxShownFramesKiB)
        return;
    QList<Frame> frames;
    for (int i = 0; i < count; ++i) {
        const QImage frame = reader.read();
        if (frame.isNull())
            break;
        const int delay = reader.nextImageDelay();
        QImage picture = frame.size() != shown
                             ? frame.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                             : frame;
        picture.setDevicePixelRatio(into.scale);
        frames.append(Frame{QPixmap::fromImage(std::move(picture)),
                            delay < kMinimumFrameMs ? kDefaultFrameMs : delay});
    }
    // An animation that stops at a frame it cannot decode plays once.
    into.loops = frames.size() == count ? reader.loopCount() : 0;
    if (frames.size() > 1)
        into.frames = std::move(frames);
}

QString VelGif::TwinPath(const QString &path, int scale)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    // "ad" and ".gif" have no extension to keep after the suffix.
    if (dot <= slash + 1)
        dot = path.size();
    return path.left(dot) + QStringLiteral("@%1x").arg(scale) + path.mid(dot);
}

const VelGif::DecodedPicture *VelGif::TwinFor(int scale)
{
    if (scale == twinAsked_)
        return twin_ ? &*twin_ : nullptr;
    twinAsked_ = scale;
    twin_.reset();
    // A picture larger than the strip is scaled down already; its twin
    // would only be decoded at scale² the pixels to be scaled down further.
    if (PictureRect(plain_.canvas).size() != plain_.canvas)
        return nullptr;
    const bool plays = plain_.frames.size() > 1;
    for (int s = scale; s > 1 && !twin_; s /= 2) {
        // Anything but the picture's canvas at the twin's scale, frame for
        // frame, is no twin of it: its pixels could not stand in for the
        // picture's, nor its frames for the picture's timing.
        const DecodedPicture *twin = Decoded(TwinPath(path_, s), s);
        if (twin && !twin->still.isNull() && twin->canvas == plain_.canvas * s
            && twin->frameCount == plain_.frameCount && (!plays || twin->frames.size() > 1))
            twin_ = *twin;
    }
    return twin_ ? &*twin_ : nullptr;
}

QPixmap VelGif::PictureFor(qreal pixelsPerDesignPixel)
{
    const int scale = ImageList::ScaleFor(pixelsPerDesignPixel);
    if (scale == 1 || path_.isEmpty() || picture_.isNull())
        return picture_;
    const DecodedPicture *twin = TwinFor(scale);
    if (!twin)
        return picture_;
    if (showing_ == Showing::Animation && !twin->frames.isEmpty())
        return twin->frames.at(std::min<qsizetype>(shownFrame_, twin->frames.size() - 1)).picture;
    return twin->still;
}

bool VelGif::QueryClick(std::int16_t what)
{
    return what == 1 && showing_ != Showing::Nothing;
}

bool VelGif::CheckImage(const QString &image)
{
    const QString path = ResolveImage(image);
    if (path.isEmpty())
        return false;
    const Stamp stamp = StampOf(path);
    if (const DecodedPicture *known = cache_.object(path); known && known->stamp == stamp)
        return !known->still.isNull();
    return stamp.isFile && stamp.size <= safe_file::kMaxPictureBytes;
}

void VelGif::NotifyLinkOpened()
{
    flash_ = true;
    flashTimer_.start();
    update();
}

QString VelGif::ResolveImage(const QString &image) const
{
    if (image.isEmpty())
        return {};
    QString text = image;
    text.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (QDir::isAbsolutePath(text))
        return QDir::cleanPath(text);
    return QDir::cleanPath(QDir(programFolder_).filePath(text));
}

bool VelGif::EntryTimeRunning() const
{
    return entryTimed_ && (stillTimer_.isActive() || frameTimer_.isActive());
}

void VelGif::SetStillTime(int ms)
{
    stillTimeMs_ = std::max(ms, 1);
}

void VelGif::SetMinimumLoopTime(int ms)
{
    minimumLoopTimeMs_ = std::max(ms, 0);
}

void VelGif::BeginEntryTime()
{
    entryTimed_ = true;
    entryClock_.start();
    if (showing_ == Showing::Animation) {
        lastFrame_ = -1;
        ShowFrame(0);
    } else {
        stillTimer_.start(stillTimeMs_);
    }
}

void VelGif::StillTimeUp()
{
    if (!started_ || showing_ == Showing::Nothing)
        return;
    // Re-armed before the signal: its handler normally loads the next entry,
    // which restarts the clock for that entry.
    stillTimer_.start(stillTimeMs_);
    entryClock_.start();
    emit Cycle();
}

void VelGif::ShowFrame(int frame)
{
    frame_ = frame;
    // Armed before the frame is told: a Cycle it raises may load the next
    // entry, which stops this clock for good.
    frameTimer_.start(frames_.at(frame).ms);
    AnimationFrameShown(frame);
}

void VelGif::NextFrame()
{
    if (frames_.isEmpty())
        return;
    if (frame_ + 1 < frames_.size()) {
        ShowFrame(frame_ + 1);
        return;
    }
    if (loopsLeft_ == 0) {
        AnimationFinished();
        return;
    }
    if (loopsLeft_ > 0)
        --loopsLeft_;
    ShowFrame(0);
}

void VelGif::AnimationFrameShown(int frameNumber)
{
    if (frameNumber >= 0 && frameNumber < frames_.size()) {
        picture_ = frames_.at(frameNumber).picture;
        shownFrame_ = frameNumber;
    }
    update();
    const bool loopEnded = frameNumber == 0 && lastFrame_ > 0;
    lastFrame_ = frameNumber;
    if (!loopEnded || !started_ || entryClock_.elapsed() < minimumLoopTimeMs_)
        return;
    entryClock_.start();
    emit Cycle();
}

void VelGif::AnimationFinished()
{
    // A GIF that plays only once, or stops at a frame it cannot decode: its
    // last frame stays and it is timed like a still picture from here on,
    // having had at least the minimum loop time.
    if (!started_)
        return;
    const qint64 left = minimumLoopTimeMs_ - entryClock_.elapsed();
    if (left > 0)
        stillTimer_.start(int(left));
    else
        StillTimeUp();
}

void VelGif::DropAnimation()
{
    frameTimer_.stop();
    frames_.clear();
}

QSize VelGif::DesignSize() const
{
    return QSizeF(QSizeF(size()) / zoom_.Factor()).toSize();
}

QRect VelGif::PictureRect(QSize pictureSize) const
{
    const QSize design = DesignSize();
    const QSize fitted = pictureSize.width() > design.width() || pictureSize.height() > design.height()
                             ? pictureSize.scaled(design, Qt::KeepAspectRatio)
                             : pictureSize;
    QRect r(QPoint(0, 0), fitted.expandedTo(QSize(1, 1)));
    r.moveCenter(QRect(QPoint(0, 0), design).center());
    return r;
}

void VelGif::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const double f = zoom_.Factor();
    // The painter's device pixels per pixel of the widget: the screen's
    // ratio, or that of a picture of the window being saved (which leaves
    // the widget's own ratio alone).
    const qreal ratio = painter.deviceTransform().m11();
    const bool picture = !picture_.isNull() && showing_ != Showing::Tag;
    const QPixmap shown = picture ? PictureFor(ratio * f) : QPixmap();
    const QRect design = PictureRect(shown.deviceIndependentSize().toSize());
    const QRectF target(design.x() * f, design.y() * f, design.width() * f, design.height() * f);
    // An opaque picture over the whole strip (every shipped banner) hides
    // the field: at 4x, painting it too cost 40 % more a frame.
    if (!picture || shown.hasAlphaChannel() || !target.contains(QRectF(rect()))) {
        QLinearGradient field(0, 0, 0, height());
        field.setColorAt(0, kFieldTop);
        field.setColorAt(1, kFieldBottom);
        painter.fillRect(rect(), field);
    }

    if (picture) {
        const QRectF pixels(target.topLeft() * ratio, target.size() * ratio);
        if (pixels.size() == QSizeF(shown.size()) && pixels.topLeft() == pixels.topLeft().toPoint()) {
            // Pixel for pixel on the device: copied, at half the cost of
            // resampling it at 4x (and a tenth of scaling up the 1x file).
            painter.save();
            painter.scale(1 / ratio, 1 / ratio);
            painter.drawPixmap(pixels, shown, QRectF(shown.rect()));
            painter.restore();
        } else {
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawPixmap(target, shown, QRectF(shown.rect()));
        }
    } else {
        painter.setPen(kFieldEdge);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        if (showing_ == Showing::Tag && !tag_.isEmpty()) {
            painter.setFont(fonts::Gulim(11 * zoom_.Factor(), true));
            painter.setPen(kTagText);
            const int margin = int(8 * zoom_.Factor());
            const QRect text = rect().adjusted(margin, 0, -margin, 0);
            painter.drawText(text, Qt::AlignCenter,
                             painter.fontMetrics().elidedText(tag_, Qt::ElideRight, text.width()));
        }
    }

    if (flash_)
        painter.fillRect(rect(), QColor(255, 255, 255, 110));
}

void VelGif::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        pressed_ = true;
    event->accept();
}

void VelGif::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    // Like a button: a press that is dragged off the banner is no click.
    const bool click = pressed_ && rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click)
        emit Click();
}

void VelGif::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit Click();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

QSize VelGif::sizeHint() const
{
    return kSize;
}
