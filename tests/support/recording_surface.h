#pragma once

#include "game/drawing_surface.h"

#include <QList>

// Records what is drawn: the lines since the last Clear, each with the pen
// width it was drawn with.
class RecordingSurface final : public DrawingSurface
{
public:
    struct Line
    {
        int x1, y1, x2, y2, colour, width;
        bool operator==(const Line &) const = default;
    };

    void Clear() override
    {
        lines.clear();
        ++clears;
    }
    void SetLineWidth(int pixels) override { width = pixels; }
    void DrawLine(int x1, int y1, int x2, int y2, int colour) override
    {
        lines.append({x1, y1, x2, y2, colour, width});
    }

    QList<Line> lines;
    int clears = 0;
    int width = 1;
};
