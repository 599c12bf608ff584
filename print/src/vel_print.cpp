#include "print/vel_print.h"

#include "platform/printer.h"

#include <QColor>

#include <limits>

namespace VelPrint {

namespace {

// The extent of a cell, from - to, is a 16-bit quantity. A cell so large
// that it does not fit is an error, never a wrapped-round number.
std::int16_t Extent(std::int16_t to, std::int16_t from)
{
    const int difference = int(to) - int(from);
    if (difference < std::numeric_limits<std::int16_t>::min()
        || difference > std::numeric_limits<std::int16_t>::max())
        throw PrinterError("overflow in the extent of a print cell");
    return std::int16_t(difference);
}

} // namespace

void DrawLine(Printer &printer, std::int16_t x1, std::int16_t y1, std::int16_t x2, std::int16_t y2)
{
    printer.Line(float(x1), float(y1), float(x2), float(y2));
}

void DrawBox(Printer &printer, std::int16_t x1, std::int16_t y1, std::int16_t x2, std::int16_t y2)
{
    DrawLine(printer, x1, y1, x2, y1);
    DrawLine(printer, x2, y1, x2, y2);
    DrawLine(printer, x2, y2, x1, y2);
    DrawLine(printer, x1, y2, x1, y1);
}

void PrintInBox(Printer &printer, const PrintRect &rect, const QString &text,
                const std::int16_t &align)
{
    if (text.isEmpty())
        return;

    float x;
    if (align == AlignLeft) {
        x = float(rect.Left) + 0.5f;
    } else if (align == AlignCenter) {
        const float w = printer.TextWidth(text);
        x = float(rect.Left) + (float(Extent(rect.Right, rect.Left)) - w) / 2.0f;
    } else {
        const float w = printer.TextWidth(text);
        x = float(rect.Right) - w - 0.5f;
    }
    printer.SetCurrentX(x);

    const float h = printer.TextHeight(text);
    const float y = float(rect.Top) + (float(Extent(rect.Bottom, rect.Top)) - h) / 2.0f;
    printer.SetCurrentY(y);

    printer.SetForeColor(QColor(255, 0, 0));
    printer.Print(text);
}

} // namespace VelPrint
