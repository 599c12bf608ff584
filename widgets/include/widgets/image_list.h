#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <QPoint>
#include <QSize>
#include <QString>

#include <array>

class ZoomLevel;

// ImageList1: the 49 pictures of the game, numbered from 1 — twelve animal
// tokens, the normal, pressed and greyed faces of the picture buttons, the
// start-mode faces and the print button's faces — plus the window's
// background picture, icon and the About box's link cursor. Pictures are
// loaded once, for the device pixel ratio of the screen the window opens on
// and the game's zoom, so they stay sharp on HiDPI screens and projectors
// while keeping their logical sizes.
//
// The pictures are PNGs compiled in as resources; tools/make_artwork writes
// them, under the names given by the *File() functions below.
class ImageList
{
public:
    static constexpr int kCount = 49;
    static constexpr QSize kBackgroundSize{795, 515};
    // Square sizes of the application icon, in pixels.
    static constexpr std::array<int, 6> kIconSizes = {16, 32, 48, 64, 128, 256};
    static constexpr QSize kLinkCursorSize{32, 32};
    // The tip of the pointing finger, in logical pixels of the cursor picture.
    static constexpr QPoint kLinkCursorHotSpot{10, 1};

    // Pictures are drawn at the zoom `zoom` holds, asked each time. The
    // artwork is picked per device: the 2x set once zoom x the device's
    // pixel ratio is above 1, the 4x set above 2.
    explicit ImageList(qreal devicePixelRatio = 1.0);
    ImageList(qreal devicePixelRatio, const ZoomLevel &zoom);

    // The artwork's pixels per logical pixel on the window's screen: 1, 2 or 4.
    int Scale() const { return ScaleOn(devicePixelRatio_); }
    static int ScaleFor(qreal pixelsPerLogicalPixel);

    // Picture `index`, 1..49, for the window's screen; an empty pixmap for
    // any other index.
    QPixmap Picture(int index) const { return Picture(index, devicePixelRatio_); }
    // The same for a device of `devicePixelRatio` (a saved picture at twice
    // the pixels, a screen of another ratio). Each set is decoded once.
    QPixmap Picture(int index, qreal devicePixelRatio) const;
    // The same drawn at `logical` size on that device: exactly logical x
    // ratio pixels, from the artwork for it, scaled only if need be.
    QPixmap PictureAt(int index, QSize logical, qreal devicePixelRatio) const;
    // A picture as an icon that gives each device its own artwork.
    QIcon Icon(int index) const;
    // Its size in logical pixels; an empty size for any other index.
    static QSize PictureSize(int index);
    // The size it is shown at in the window: its size at the zoom.
    QSize ShownSize(int index) const;

    // Pixels per logical pixel of the pictures the result sheet prints: a
    // 32-pixel token prints a third of an inch wide, so 4 gives 384 dpi.
    static constexpr int kPrintScale = 4;
    // Picture `index` for paper: the animal tokens 1..12 at kPrintScale
    // (same logical size, device pixel ratio kPrintScale); any other
    // picture as Picture() gives it.
    QPixmap PrintPicture(int index) const;

    // The 795 x 515 background of the main window, for the window's screen
    // or for a device of `devicePixelRatio`, at the zoom. Only the screen's
    // is kept: a window-sized picture at 4x is 26 MB.
    QPixmap Background() const { return Background(devicePixelRatio_); }
    QPixmap Background(qreal devicePixelRatio) const;
    QIcon AppIcon() const { return icon_; }
    // A pointing hand for labels that open a link.
    QCursor LinkCursor() const;

    // Resource paths relative to ":/" (and to assets/ in the source tree);
    // `scale` is 1, 2 or 4 (faces and background only), the @2x and @4x
    // files holding the same picture at twice and four times the pixels.
    static QString PictureFile(int index, int scale);
    // The print version of token `index`, 1..12.
    static QString PrintPictureFile(int index);
    static QString BackgroundFile(int scale);
    static QString IconFile(int pixels);
    static QString LinkCursorFile(int scale);

    // The same pictures as raw pixels: a ".kpx" beside each face, background
    // and icon PNG, which tools/make_artwork writes from the PNG. Reading
    // one needs no image format plugin, and starting those plugins costs
    // more than decoding every picture of the first frame.
    static QString RawFile(const QString &pngFile);
    static QByteArray EncodeRaw(const QImage &image);
    static QImage DecodeRaw(const QByteArray &bytes);

private:
    int ScaleOn(qreal devicePixelRatio) const;
    // The three sets of artwork, at 1x, 2x and 4x.
    static std::size_t Set(int scale) { return scale >= 4 ? 2 : scale >= 2 ? 1 : 0; }

    qreal devicePixelRatio_ = 1.0;
    const ZoomLevel &zoom_;
    mutable std::array<std::array<QPixmap, kCount>, 3> pictures_;
    // The background at the screen's scale (its ratio tells which); any
    // other is read when asked.
    mutable QPixmap background_;
    QIcon icon_;
    // Made for the scale it has; another zoom makes it again.
    mutable QCursor linkCursor_;
    mutable int linkCursorScale_ = 0;
};
