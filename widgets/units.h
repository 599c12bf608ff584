#pragma once

#include "game/geometry.h"

#include <QRect>

// The window is laid out in twips (15 to a logical pixel); the ladder is
// drawn in millimetres. Every conversion to pixels goes through here.
namespace units {

// A design-time rectangle: left, top, width and height in twips.
struct Twips
{
    int left, top, width, height;
};

constexpr int TwipsToPx(int twips) { return twips / 15; }
constexpr QRect TwipRect(int left, int top, int width, int height)
{
    return QRect(TwipsToPx(left), TwipsToPx(top), TwipsToPx(width), TwipsToPx(height));
}
constexpr QRect ToPx(Twips t) { return TwipRect(t.left, t.top, t.width, t.height); }
constexpr double MmToPx(double mm) { return mm * geometry::kPixelsPerMm; }
constexpr double PxToMm(double px) { return px / geometry::kPixelsPerMm; }

} // namespace units
