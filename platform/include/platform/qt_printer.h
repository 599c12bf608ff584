#pragma once

#include "platform/printer.h"

#include <QColor>
#include <QFont>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QBuffer;
class QIODevice;
class QMarginsF;
class QPainter;
class QPdfWriter;

// A Printer that lays the page out with Qt and writes it as PDF: the form
// in which it goes to the print system (CUPS takes PDF), to the file
// standing in for a missing printer and to a file the user saves.
//
// Like a spooler, it keeps the page to itself until EndDoc: the outputs are
// recorded and painted in one go when the document ends. A document that is
// abandoned half-way (an error, the printer dropped without EndDoc) thus
// never reaches anything and no half-written file is left behind.
class QtPrinter final : public Printer
{
public:
    // Called by EndDoc with the finished page, to send it on (WritePdf).
    using Deliver = std::function<void(const QtPrinter &page)>;

    explicit QtPrinter(Deliver deliver);
    ~QtPrinter() override;

    void SetOrientation(PageOrientation orientation) override;
    void SetPaperSize(PaperSize size) override;
    void SetScaleUnit(ScaleUnit unit) override;
    void SetFontName(const QString &family) override;
    void SetFontSize(double points) override;
    void SetFontBold(bool bold) override;
    void SetForeColor(const QColor &colour) override;
    void SetCurrentX(float x) override;
    void SetCurrentY(float y) override;
    float CurrentX() const override;
    float CurrentY() const override;
    float TextWidth(const QString &text) override;
    float TextHeight(const QString &text) override;
    void Line(float x1, float y1, float x2, float y2) override;
    void Print(const QString &text) override;
    void PaintPicture(const QPixmap &picture, float x, float y) override;
    void EndDoc() override;

    // Writes the recorded page as a one-page A4 PDF to file, positions
    // counting from the corner inside the given unprintable edges. Throws
    // PrinterError when the page cannot be started or finished; whether
    // the file took every byte is for the caller to check.
    void WritePdf(QIODevice &file, const QMarginsF &marginsMm) const;

private:
    using Output = std::function<void(QPainter &painter)>;

    void CheckOpen() const;
    QFont CurrentFont() const;

    Deliver deliver_;
    // Text is measured on a PDF device like the one the page is written to.
    std::unique_ptr<QBuffer> measureBuffer_;
    std::unique_ptr<QPdfWriter> measure_;

    std::vector<Output> page_;
    bool ended_ = false;
    PageOrientation orientation_ = PageOrientation::Portrait;

    QString fontFamily_;
    double fontPoints_ = 10;
    bool fontBold_ = false;
    QColor foreColour_ = Qt::black;
    float currentX_ = 0;
    float currentY_ = 0;
};
