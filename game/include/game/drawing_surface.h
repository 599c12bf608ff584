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

// A surface that keeps nothing: for building a round whose ladder nobody
// looks at (its animals for a sheet printed again, a benchmark).
class NoSurface final : public DrawingSurface
{
public:
    void Clear() override {}
    void SetLineWidth(int) override {}
    void DrawLine(int, int, int, int, int) override {}
};
