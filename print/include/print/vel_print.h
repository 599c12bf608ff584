#pragma once

#include <QString>

#include <cstdint>

class Printer;

// The cell a text is placed in: the two y edges first, then the two x
// edges, in whole units of the printer's current scale.
struct PrintRect
{
    std::int16_t Top;
    std::int16_t Bottom;
    std::int16_t Left;
    std::int16_t Right;
};

// The print primitives. They know nothing of the game and leave every page
// setting as the caller made it, except the foreground colour, which
// PrintInBox sets to red before each text. None of them catches anything:
// a failing printer operation reaches the caller as PrinterError.
namespace VelPrint {

constexpr std::int16_t AlignLeft = 1;
constexpr std::int16_t AlignCenter = 2;
constexpr std::int16_t AlignRight = 3; // and every code other than 1 and 2

// One straight line in the printer's current foreground colour and width.
void DrawLine(Printer &printer, std::int16_t x1, std::int16_t y1, std::int16_t x2, std::int16_t y2);

// The outline of the rectangle with opposite corners (x1, y1) and (x2, y2),
// as four lines: top, right, bottom, left.
void DrawBox(Printer &printer, std::int16_t x1, std::int16_t y1, std::int16_t x2, std::int16_t y2);

// Prints text in rect, 0.5 unit in from the side it is aligned to (or
// centred), and centred vertically whatever the alignment. It is neither
// clipped nor shrunk. An empty text touches nothing at all, colour and
// position included. Throws PrinterError when the cell's width or height
// does not fit in 16 bits.
void PrintInBox(Printer &printer, const PrintRect &rect, const QString &text,
                const std::int16_t &align);

} // namespace VelPrint
