#pragma once

#include "platform/printer.h"
#include "platform/printer_error.h"
#include "platform/printer_provider.h"

#include <QColor>
#include <QList>
#include <QPixmap>
#include <QString>
#include <QStringList>

#include <functional>

// A printer that keeps a log instead of printing. Every operation appends
// one entry to `calls` ("Line(30,70,50,70)", "ForeColor(255,0,0)",
// "Print(이 름)", ...) and outputs are also kept as typed records with the
// state they were made in. Text extents are made up but fixed: a text is
// widthPerCharPerPoint * points wide per character and heightPerPoint *
// points high, so a 15-point line is 6 units high.
class RecordingPrinter final : public Printer
{
public:
    struct PrintedText
    {
        QString text;
        float x, y;
        QString font;
        double points;
        bool bold;
        QColor colour;
    };
    struct DrawnLine
    {
        float x1, y1, x2, y2;
        QColor colour;
    };
    struct PaintedPicture
    {
        qint64 cacheKey;
        QSizeF size; // logical pixels
        float x, y;
    };

    void SetOrientation(PageOrientation o) override
    {
        Enter(QStringLiteral("Orientation(%1)").arg(o == PageOrientation::Portrait ? QLatin1String("Portrait") : QLatin1String("Landscape")));
        orientation = o;
    }
    void SetPaperSize(PaperSize) override { Enter(QStringLiteral("PaperSize(A4)")); paperA4 = true; }
    void SetScaleUnit(ScaleUnit) override { Enter(QStringLiteral("ScaleUnit(mm)")); millimetres = true; }
    void SetFontName(const QString &family) override
    {
        Enter(QStringLiteral("FontName(%1)").arg(family));
        font = family;
    }
    void SetFontSize(double p) override
    {
        Enter(QStringLiteral("FontSize(%1)").arg(p));
        points = p;
    }
    void SetFontBold(bool b) override
    {
        Enter(QStringLiteral("FontBold(%1)").arg(b ? QLatin1String("true") : QLatin1String("false")));
        bold = b;
    }
    void SetForeColor(const QColor &c) override
    {
        Enter(QStringLiteral("ForeColor(%1,%2,%3)").arg(c.red()).arg(c.green()).arg(c.blue()));
        colour = c;
    }
    void SetCurrentX(float v) override
    {
        Enter(QStringLiteral("CurrentX(%1)").arg(v));
        x = v;
    }
    void SetCurrentY(float v) override
    {
        Enter(QStringLiteral("CurrentY(%1)").arg(v));
        y = v;
    }
    float CurrentX() const override { return x; }
    float CurrentY() const override { return y; }
    float TextWidth(const QString &text) override
    {
        Enter(QStringLiteral("TextWidth(%1)").arg(text));
        return WidthOf(text);
    }
    float TextHeight(const QString &text) override
    {
        Enter(QStringLiteral("TextHeight(%1)").arg(text));
        return HeightNow();
    }
    void Line(float x1, float y1, float x2, float y2) override
    {
        Enter(QStringLiteral("Line(%1,%2,%3,%4)").arg(x1).arg(y1).arg(x2).arg(y2));
        lines.append({x1, y1, x2, y2, colour});
    }
    void Print(const QString &text) override
    {
        Enter(QStringLiteral("Print(%1)").arg(text));
        texts.append({text, x, y, font, points, bold, colour});
        x = 0;
        y += HeightNow();
    }
    void PaintPicture(const QPixmap &picture, float px, float py) override
    {
        Enter(QStringLiteral("Picture(%1,%2)").arg(px).arg(py));
        pictures.append({picture.cacheKey(), picture.deviceIndependentSize(), px, py});
    }
    void EndDoc() override
    {
        Enter(QStringLiteral("EndDoc"));
        ++ended;
    }

    float WidthOf(const QString &text) const
    {
        return float(text.size()) * float(points) * widthPerCharPerPoint;
    }
    float HeightNow() const { return float(points) * heightPerPoint; }

    // The calls whose entry starts with one of the prefixes, in order.
    QStringList Only(const QStringList &prefixes) const
    {
        QStringList out;
        for (const QString &c : calls)
            for (const QString &p : prefixes)
                if (c.startsWith(p)) {
                    out << c;
                    break;
                }
        return out;
    }

    // When set and true for the entry about to be made, the operation
    // throws PrinterError instead of happening.
    std::function<bool(const QString &call)> failOn;

    float widthPerCharPerPoint = 0.2f;
    float heightPerPoint = 0.4f;

    QStringList calls;
    QList<PrintedText> texts;
    QList<DrawnLine> lines;
    QList<PaintedPicture> pictures;
    int ended = 0;

    // Current state, as a real printer starts: black, position 0,0.
    PageOrientation orientation = PageOrientation::Portrait;
    bool paperA4 = false;
    bool millimetres = false;
    QString font;
    double points = 10;
    bool bold = false;
    QColor colour = Qt::black;
    float x = 0;
    float y = 0;

private:
    void Enter(const QString &call)
    {
        if (failOn && failOn(call))
            throw PrinterError("recorded failure at " + call.toStdString());
        calls << call;
    }
};

// Hands out one RecordingPrinter for every job, as the real provider does:
// a job that fails with PrinterError is a printer failure. `unavailable`
// makes every job a printer failure before it starts (no default printer);
// a job that ends its document has the outcome `ended` (printed unless the
// test says otherwise).
class RecordingPrinterProvider final : public PrinterProvider
{
public:
    Outcome RunJob(const Job &job) override
    {
        ++jobs;
        if (unavailable)
            return {Outcome::Kind::PrinterFailure};
        try {
            job(printer);
        } catch (const PrinterError &) {
            return {Outcome::Kind::PrinterFailure};
        }
        return ended;
    }

    RecordingPrinter printer;
    bool unavailable = false;
    Outcome ended{Outcome::Kind::Printed};
    int jobs = 0;
};
