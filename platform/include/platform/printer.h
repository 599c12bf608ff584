#pragma once

#include "platform/printer_error.h"

#include <QSizeF>
#include <QString>

class QColor;
class QPixmap;

enum class PageOrientation { Portrait = 1, Landscape = 2 };
enum class PaperSize { A4 };
enum class ScaleUnit { Millimetres };

// One document on a printer, driven like a pen plotter with a current
// position. Positions and sizes are in the current scale unit, measured from
// the top-left corner of the printable area, y growing downward. Page
// settings are made before the first output. Every operation that fails
// throws PrinterError; nothing already output is taken back.
class Printer
{
public:
    virtual ~Printer() = default;

    virtual void SetOrientation(PageOrientation orientation) = 0;
    virtual void SetPaperSize(PaperSize size) = 0;
    virtual void SetScaleUnit(ScaleUnit unit) = 0;

    virtual void SetFontName(const QString &family) = 0;
    virtual void SetFontSize(double points) = 0;
    virtual void SetFontBold(bool bold) = 0;

    // Used by text and by lines alike; a new printer starts with black.
    virtual void SetForeColor(const QColor &colour) = 0;

    virtual void SetCurrentX(float x) = 0;
    virtual void SetCurrentY(float y) = 0;
    virtual float CurrentX() const = 0;
    virtual float CurrentY() const = 0;

    // Extent of text in the current font, in the current unit. The height
    // is that of the text line: ascent and descent, no extra line gap.
    virtual float TextWidth(const QString &text) = 0;
    virtual float TextHeight(const QString &text) = 0;

    // A line in the foreground colour at the printer's own line width.
    virtual void Line(float x1, float y1, float x2, float y2) = 0;
    // Text with the top-left of its line at the current position; the
    // position then moves to the start of the next line (x = 0).
    virtual void Print(const QString &text) = 0;
    // A picture with its top-left corner at (x, y), at its own physical size
    // (a logical pixel is 1/96 inch, 15 twips), not scaled to anything.
    virtual void PaintPicture(const QPixmap &picture, float x, float y) = 0;

    // Sends the document to the printer. Only then does the page leave.
    virtual void EndDoc() = 0;

    // The physical size, in millimetres, that PaintPicture gives a picture
    // of the given logical pixels: 15 twips to the pixel, 1440 twips to the
    // inch.
    static QSizeF PictureSizeMm(const QSizeF &logicalPixels)
    {
        constexpr double kMmPerPixel = 15.0 / 1440.0 * 25.4;
        return logicalPixels * kMmPerPixel;
    }
};
