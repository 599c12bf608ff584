#pragma once

#include "extras/banner_control.h"
#include "widgets/zoom_level.h"

#include <QCache>
#include <QDateTime>
#include <QElapsedTimer>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <optional>

class QImageReader;

// VelGif: the banner strip of the main window (341 x 49 pixels). It shows
// the picture of one list entry: an animated GIF plays, any other picture
// Qt can read is shown still, and a picture that cannot be read is replaced
// by the entry's tag on a plain field. Pictures are drawn unscaled and
// centred; larger ones are scaled down to fit.
//
// An image text may name anything: only a regular file within the picture
// limits of safe_file (size, and pixels of the canvas) is shown; anything
// else (a pipe, a device, a folder, a huge canvas) counts as a picture that
// cannot be read. A picture is decoded once and kept, scaled to fit, in a
// cache bounded by kCacheKiB; it is read again only when the file's size or
// time changes. An animation is decoded once too, every frame at the size
// it is shown, and plays from those frames: a GIF decoded afresh at every
// frame cost a core at its canvas' size. Its decoding is bounded as well:
// an animation of more than kMaxFrames frames, or whose frames hold more
// than kMaxAnimationPixels pixels of canvas together, shows its first frame
// still. A frame shows at least kMinimumFrameMs, as in browsers a shorter
// delay counts as kDefaultFrameMs.
//
// Twins: a device with more than one pixel per design pixel (a HiDPI
// screen, the zoom, a picture of the window saved at twice its size) is
// painted from the picture's twin for it, picked as ImageList picks its
// artwork: "ad@2x.gif" or "ad@4x.gif" beside "ad.gif", the same picture at
// two or four times the pixels. A picture without a twin that serves is
// drawn from the next smaller twin, or from itself, scaled smoothly. The
// picture the list names stays the entry (what is shown, the animation's
// timing); a twin only lends its pixels, frame for frame. A twin serves
// when it passes the same checks as its picture, holds exactly its canvas
// at its scale and as many frames, and its picture fits the strip
// unscaled; it plays when its picture plays. So the caps count a twin at
// its design size: a sharper screen must not show still what a plain one
// plays, and what a twin costs beyond its picture is the price of the
// device's pixels, which scaling the picture up at every frame pays as
// well. What a twin keeps is bounded instead: its frames at the size they
// are shown, by kMaxShownFramesKiB. A twin is decoded once per shown size,
// when first painted there.
//
// Once started, an entry has its time and then the control raises Cycle: at
// the end of each loop of an animation (but no sooner than
// MinimumLoopTime() after the entry began, so a GIF with a tiny loop cannot
// drive the rotation at frame speed), and every StillTime() for a still
// picture or a missing one. A left click (or Space/Enter while focused)
// raises Click. Before the first LoadImage the control shows an empty field,
// raises no Cycle and answers QueryClick with no.
class VelGif final : public QWidget, public BannerControl
{
    Q_OBJECT

public:
    static constexpr QSize kSize{341, 49};
    static constexpr int kStillTimeMs = 4000;
    static constexpr int kMinimumLoopTimeMs = 1500;
    // The shipped list shown at 4x, each picture also at 1x, takes 35 MiB.
    static constexpr int kCacheKiB = 64 * 1024;
    // Decoding that many pixels took 0.09 s on the development machine
    // (from a GIF without compression, the slowest to decode), once for as
    // long as the frames stay in the cache; showing that animation then
    // took 1.4 % of a core (bench_banner).
    static constexpr qint64 kMaxAnimationPixels = 2 * 1024 * 1024;
    // 8.5 MB of frames at the strip's size: the cache keeps seven.
    static constexpr int kMaxFrames = 128;
    // The frames of one twin at the size they are shown: 31 frames of the
    // whole strip at 4x (the shipped animation has 29), or 125 at 2x. That
    // bounds its decoding too, to 0.16-0.28 s on the development machine.
    static constexpr qint64 kMaxShownFramesKiB = 32 * 1024;
    static constexpr int kMinimumFrameMs = 20;
    static constexpr int kDefaultFrameMs = 100;

    enum class Showing { Nothing, Tag, Still, Animation };

    // Image texts that are not absolute paths are looked up in programFolder.
    // The strip is laid out at its design size and painted at the zoom
    // `zoom` holds, asked at every paint.
    explicit VelGif(QString programFolder, const ZoomLevel &zoom = ZoomLevel::Unzoomed(),
                    QWidget *parent = nullptr);
    ~VelGif() override;

    QSize sizeHint() const override;

    void SetTag(const QString &tag) override;
    void Start() override;
    void LoadImage(const QString &image) override;
    bool QueryClick(std::int16_t what) override;
    // Answered without opening the file: from the cache when the picture has
    // been decoded and is unchanged, else from its metadata (a regular file
    // within the size limit). A click asks this of every entry.
    bool CheckImage(const QString &image) override;
    void NotifyLinkOpened() override;

    // The file an image text names. Backslashes count as folder separators,
    // so lists written for Windows ("data\ad.gif") work everywhere.
    QString ResolveImage(const QString &image) const;

    Showing Shows() const { return showing_; }
    QString Tag() const { return tag_; }
    bool IsStarted() const { return started_; }
    bool IsFlashing() const { return flash_; }
    // Whether the entry shown has begun its time.
    bool EntryTimeRunning() const;
    // The picture now on show (the current frame of an animation), as the
    // list's file holds it.
    QPixmap Picture() const { return picture_; }
    // The same as painted on a device of `pixelsPerDesignPixel` (its pixel
    // ratio times the zoom): from the twin for it, tagged with the twin's
    // scale as its device pixel ratio, or Picture() where no twin serves.
    QPixmap PictureFor(qreal pixelsPerDesignPixel);
    // The file of the twin of `path` at `scale`: "a/ad.gif" -> "a/ad@2x.gif".
    static QString TwinPath(const QString &path, int scale);

    int StillTime() const { return stillTimeMs_; }
    void SetStillTime(int ms);
    int MinimumLoopTime() const { return minimumLoopTimeMs_; }
    void SetMinimumLoopTime(int ms);

    // How many times a picture file has been read and decoded (for the bench
    // and the tests: a rotation through cached pictures reads none).
    int DecodeCount() const { return decodeCount_; }

    // What the control's clocks call; public so that a test can play the
    // clock instead of waiting for it.
    void StillTimeUp();
    void AnimationFrameShown(int frameNumber);
    void AnimationFinished();
    // The frame after the one shown; its time begins.
    void NextFrame();

signals:
    void Cycle();
    void Click();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // What a picture file held when it was last looked at. The metadata of
    // the file then tells whether the entry is still good.
    struct Stamp
    {
        bool isFile = false;
        qint64 size = 0;
        QDateTime modified;
        bool operator==(const Stamp &) const = default;
    };
    struct Frame
    {
        QPixmap picture;
        int ms = kDefaultFrameMs;
    };
    struct DecodedPicture
    {
        Stamp stamp;
        int scale = 1; // pixels of the file per design pixel: 1, or a twin's
        QSize canvas; // of the file, in its own pixels
        int frameCount = 0; // as its header counts them; 1 for a still
        QPixmap still; // null when the file is no picture we show
        QList<Frame> frames; // an animation's, at the size they are shown
        int loops = 0; // after the first play; -1: for ever
    };
    static Stamp StampOf(const QString &path);
    // The file at `path` decoded for showing, `scale` pixels of the file
    // per design pixel (1 for the picture the list names, else a twin's),
    // from the cache while the file is unchanged.
    const DecodedPicture *Decoded(const QString &path, int scale = 1);
    std::unique_ptr<DecodedPicture> Decode(const QString &path, const Stamp &stamp, int scale);
    // Every frame of the animation the reader holds, each scaled to `shown`
    // pixels and tagged with into.scale.
    static void DecodeFrames(QImageReader &reader, QSize shown, DecodedPicture &into);
    // The twin that paints for `scale`, looked up anew when another scale
    // is asked for than last time; null when the picture itself serves.
    const DecodedPicture *TwinFor(int scale);
    void ShowFrame(int frame);

    void BeginEntryTime();
    void DropAnimation();
    QRect PictureRect(QSize pictureSize) const;
    // The strip's size before zoom.
    QSize DesignSize() const;
    const ZoomLevel &zoom_;

    QString programFolder_;
    QString tag_;
    Showing showing_ = Showing::Nothing;
    QPixmap picture_;
    // The picture file shown, and a copy of it as decoded: the cache may
    // drop its entry while it plays.
    QString path_;
    DecodedPicture plain_;
    // The twin last painted from (null: the picture itself serves), for
    // the scale asked for then (0: none yet).
    int twinAsked_ = 0;
    std::optional<DecodedPicture> twin_;
    QList<Frame> frames_; // of the animation shown
    int frame_ = 0;
    int shownFrame_ = 0; // the frame in picture_
    int loopsLeft_ = 0;
    QTimer frameTimer_;
    QTimer stillTimer_;
    QTimer flashTimer_;
    QElapsedTimer entryClock_;
    int stillTimeMs_ = kStillTimeMs;
    int minimumLoopTimeMs_ = kMinimumLoopTimeMs;
    QCache<QString, DecodedPicture> cache_{kCacheKiB};
    int decodeCount_ = 0;
    int lastFrame_ = -1;
    bool started_ = false;
    bool entryTimed_ = false;
    bool pressed_ = false;
    bool flash_ = false;
};
