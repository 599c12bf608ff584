#pragma once

#include "platform/printer.h"

#include <QColor>
#include <QFont>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QPainter;
class QPrinter;
class QPrinterInfo;
class QSizeF;

// A Printer on Qt print support: a system printer (CUPS on Linux, the
// spooler on Windows) or a PDF file standing in for one.
//
// Like a spooler, it keeps the page to itself until EndDoc: the outputs are
// recorded and painted in one go when the document ends. A document that is
// abandoned half-way (an error, the printer dropped without EndDoc) thus
// never reaches the device and no half-written file is left behind.
class QtPrinter final : public Printer
{
public:
    // Prints on the given system printer. Throws PrinterError when Qt cannot
    // use it.
    explicit QtPrinter(const QPrinterInfo &device);
    // Writes the page as a PDF file at pdfPath, the whole page being the
    // printable area; finished(pdfPath) runs once the file is complete.
    QtPrinter(const QString &pdfPath, std::function<void(const QString &path)> finished);
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

    // The physical size, in millimetres, of a picture of the given logical
    // pixels: 15 twips to the pixel, 1440 twips to the inch.
    static QSizeF PictureSizeMm(const QSizeF &logicalPixels);

private:
    using Output = std::function<void(QPainter &painter)>;

    void Configure();
    void CheckOpen() const;
    QFont CurrentFont() const;
    double DotsPerUnit() const;
    void PaintPage();

    std::unique_ptr<QPrinter> printer_;
    bool toPdf_ = false;
    QString pdfPath_;
    std::function<void(const QString &)> finished_;

    std::vector<Output> page_;
    bool ended_ = false;

    QString fontFamily_;
    double fontPoints_ = 10;
    bool fontBold_ = false;
    QColor foreColour_ = Qt::black;
    float currentX_ = 0;
    float currentY_ = 0;
};
