#pragma once

#include "game/geometry.h"

#include <QRect>

#include <cmath>

// The window is laid out in twips (15 to a logical pixel at 100 %); the
// ladder is drawn in millimetres. Every conversion to pixels goes through
// here, and each carries the window's zoom: a layout written in twips and
// millimetres is therefore right at every zoom without knowing of it.
namespace units {

// A design-time rectangle: left, top, width and height in twips.
struct Twips
{
    int left, top, width, height;
};

// A zoom in whole percent, as a value; 100 changes nothing. The game's own
// zoom is one ZoomLevel (widgets/zoom_level.h), which whatever places or
// paints something asks.
struct Zoom
{
    int percent = 100;
    constexpr double Factor() const { return percent / 100.0; }
    constexpr bool operator==(const Zoom &) const = default;
};

// Whole pixels from twips: at 100 % the plain integer division the design
// sizes were made for, at any other zoom the nearest pixel.
inline int TwipsToPx(int twips, Zoom zoom = {})
{
    return zoom.percent == 100 ? twips / 15 : int(std::lround(twips * zoom.Factor() / 15.0));
}
inline QRect TwipRect(int left, int top, int width, int height, Zoom zoom = {})
{
    return QRect(TwipsToPx(left, zoom), TwipsToPx(top, zoom), TwipsToPx(width, zoom),
                 TwipsToPx(height, zoom));
}
inline QRect ToPx(Twips t, Zoom zoom = {})
{
    return TwipRect(t.left, t.top, t.width, t.height, zoom);
}
// A size in pixels at 100 % (a picture, a design size) at `zoom`.
inline QSize ScaledPx(QSize px, Zoom zoom)
{
    return QSize(int(std::lround(px.width() * zoom.Factor())),
                 int(std::lround(px.height() * zoom.Factor())));
}
constexpr double MmToPx(double mm, Zoom zoom = {})
{
    return mm * geometry::kPixelsPerMm * zoom.Factor();
}
constexpr double PxToMm(double px, Zoom zoom = {})
{
    return px / geometry::kPixelsPerMm / zoom.Factor();
}

} // namespace units
