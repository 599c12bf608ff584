#pragma once

#include "game/drawing_surface.h"

#include <QImage>

#include <functional>

class QPainter;

// The window's persistent drawing: lines in millimetres kept in a raster
// layer at the screen's device pixel ratio, so they stay sharp on HiDPI
// screens. The owner paints it under its child controls and is told which
// region each line dirtied, so a tick repaints only a few pixels.
class DrawLayer final : public DrawingSurface
{
public:
    DrawLayer(QSize logicalSize, qreal devicePixelRatio);

    void Clear() override;
    void SetLineWidth(int pixels) override;
    void DrawLine(int x1, int y1, int x2, int y2, int colour) override;

    void Paint(QPainter &painter, const QRect &logicalRegion) const;
    const QImage &Image() const { return image_; }

    // Called with the logical rectangle that needs repainting.
    void SetDirtyHandler(std::function<void(const QRect &)> handler);

private:
    QImage image_;
    int width_ = 1;
    std::function<void(const QRect &)> dirty_;
};
