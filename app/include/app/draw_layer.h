#pragma once

#include "game/drawing_surface.h"
#include "widgets/units.h"

#include <QImage>

#include <functional>
#include <vector>

class QPainter;
class ZoomLevel;

// The window's persistent drawing: lines in millimetres kept in a raster
// layer at the screen's device pixel ratio, so they stay sharp on HiDPI
// screens. The owner paints it under its child controls and is told which
// region each line dirtied, so a tick repaints only a few pixels.
//
// Every line is also kept as a segment in millimetres, drawn at the game's
// zoom; the raster remembers the zoom it was drawn at, and the first use
// after a change of zoom draws every segment again at the new size instead
// of stretching the raster.
class DrawLayer final : public DrawingSurface
{
public:
    DrawLayer(QSize logicalSize, qreal devicePixelRatio, const ZoomLevel &zoom);

    void Clear() override;
    void SetLineWidth(int pixels) override;
    void DrawLine(int x1, int y1, int x2, int y2, int colour) override;

    // Line widths are pixels at 100 % and grow with the zoom; the raster
    // is the design size times the zoom.

    struct Segment
    {
        int x1, y1, x2, y2, colour, width;
    };
    const std::vector<Segment> &Segments() const { return segments_; }

    void Paint(QPainter &painter, const QRect &logicalRegion) const;
    // The raster at the zoom now; null until a line is drawn.
    const QImage &Image() const;
    qreal DevicePixelRatio() const { return devicePixelRatio_; }
    // The screen's ratio changed (the window moved to another screen): the
    // raster is drawn again at the new ratio.
    void SetDevicePixelRatio(qreal ratio);

    // Called with the logical rectangle that needs repainting.
    void SetDirtyHandler(std::function<void(const QRect &)> handler);

private:
    // Draws one segment; returns the logical rectangle it touched.
    QRectF Stroke(QPainter &painter, const Segment &segment) const;
    // The same into the raster, made first if need be.
    QRect Rasterise(const Segment &segment) const;
    void Dirty(const QRect &rect) const;
    QSize LogicalSize() const;
    // Draws every segment again when the raster was drawn at another zoom.
    void FollowZoom() const;
    void Redraw() const;

    QSize designSize_;
    qreal devicePixelRatio_;
    const ZoomLevel &zoom_;
    // The raster and the zoom it was drawn at: a cache of the segments,
    // drawn again when the zoom has changed.
    mutable QImage image_;
    mutable units::Zoom drawnAt_;
    int width_ = 1;
    std::vector<Segment> segments_;
    std::function<void(const QRect &)> dirty_;
};
