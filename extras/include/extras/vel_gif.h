#pragma once

#include "extras/banner_control.h"
#include "widgets/zoom_level.h"

#include <QCache>
#include <QDateTime>
#include <QElapsedTimer>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

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
    static constexpr int kCacheKiB = 32 * 1024;
    // Decoding that many pixels took 0.09 s on the development machine
    // (from a GIF without compression, the slowest to decode), once for as
    // long as the frames stay in the cache; showing that animation then
    // took 1.4 % of a core (bench_banner).
    static constexpr qint64 kMaxAnimationPixels = 2 * 1024 * 1024;
    // 8.5 MB of frames at the strip's size: the cache keeps three.
    static constexpr int kMaxFrames = 128;
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
    // The picture now on show (the current frame of an animation).
    QPixmap Picture() const { return picture_; }

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
        QPixmap still; // null when the file is no picture we show
        QList<Frame> frames; // an animation's, at the size they are shown
        int loops = 0; // after the first play; -1: for ever
    };
    static Stamp StampOf(const QString &path);
    const DecodedPicture *Decoded(const QString &path);
    // Every frame of an animation within the caps, each scaled to `fit`.
    static void DecodeFrames(const QByteArray &bytes, QSize fit, DecodedPicture &into);
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
    QList<Frame> frames_; // of the animation shown
    int frame_ = 0;
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
