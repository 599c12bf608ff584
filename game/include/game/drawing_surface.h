#pragma once

// Where the ladder is drawn: persistent lines in millimetres of the main
// window, in a palette colour, with a pen width in logical pixels. Lines stay
// until Clear. The window draws them for real; tests record them.
class DrawingSurface
{
public:
    virtual ~DrawingSurface() = default;

    virtual void Clear() = 0;
    virtual void SetLineWidth(int pixels) = 0;
    virtual void DrawLine(int x1, int y1, int x2, int y2, int colour) = 0;
};
