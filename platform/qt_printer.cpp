#include "platform/qt_printer.h"

#include <QFileInfo>
#include <QFile>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPen>
#include <QPixmap>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kTwipsPerPixel = 15.0;
constexpr double kTwipsPerInch = 1440.0;

const QString kDocumentName = QStringLiteral("Kapuna 결과");

bool Finite(float value)
{
    return std::isfinite(value);
}

} // namespace

QtPrinter::QtPrinter(const QPrinterInfo &device)
    : printer_(std::make_unique<QPrinter>(device, QPrinter::HighResolution))
{
    if (device.isNull() || !printer_->isValid())
        throw PrinterError("the printer cannot be used");
    Configure();
}

QtPrinter::QtPrinter(const QString &pdfPath, std::function<void(const QString &)> finished)
    : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution))
    , toPdf_(true)
    , pdfPath_(pdfPath)
    , finished_(std::move(finished))
{
    printer_->setOutputFormat(QPrinter::PdfFormat);
    printer_->setOutputFileName(pdfPath);
    Configure();
}

// Nothing has reached the device unless EndDoc ran: dropping the recorded
// page is all there is to cancelling.
QtPrinter::~QtPrinter() = default;

void QtPrinter::Configure()
{
    printer_->setDocName(kDocumentName);
    printer_->setCreator(QStringLiteral("Kapuna"));
    // Some queues default to grey; the sheet is red.
    printer_->setColorMode(QPrinter::Color);
    fontFamily_ = QFont().family();
}

void QtPrinter::CheckOpen() const
{
    if (ended_)
        throw PrinterError("the document has already ended");
}

void QtPrinter::SetOrientation(PageOrientation orientation)
{
    CheckOpen();
    const auto qtOrientation = orientation == PageOrientation::Landscape
        ? QPageLayout::Landscape
        : QPageLayout::Portrait;
    if (!printer_->setPageOrientation(qtOrientation))
        throw PrinterError("the printer refused the page orientation");
}

void QtPrinter::SetPaperSize(PaperSize size)
{
    CheckOpen();
    Q_UNUSED(size); // A4 is the only paper the program asks for.
    if (!printer_->setPageSize(QPageSize(QPageSize::A4)))
        throw PrinterError("the printer refused the paper size");
}

void QtPrinter::SetScaleUnit(ScaleUnit unit)
{
    CheckOpen();
    Q_UNUSED(unit); // Millimetres are the only unit, and the starting one.
}

void QtPrinter::SetFontName(const QString &family)
{
    CheckOpen();
    fontFamily_ = family;
}

void QtPrinter::SetFontSize(double points)
{
    CheckOpen();
    if (!std::isfinite(points) || points <= 0)
        throw PrinterError("invalid font size");
    fontPoints_ = points;
}

void QtPrinter::SetFontBold(bool bold)
{
    CheckOpen();
    fontBold_ = bold;
}

void QtPrinter::SetForeColor(const QColor &colour)
{
    CheckOpen();
    if (!colour.isValid())
        throw PrinterError("invalid colour");
    foreColour_ = colour;
}

void QtPrinter::SetCurrentX(float x)
{
    CheckOpen();
    if (!Finite(x))
        throw PrinterError("invalid position");
    currentX_ = x;
}

void QtPrinter::SetCurrentY(float y)
{
    CheckOpen();
    if (!Finite(y))
        throw PrinterError("invalid position");
    currentY_ = y;
}

float QtPrinter::CurrentX() const
{
    return currentX_;
}

float QtPrinter::CurrentY() const
{
    return currentY_;
}

QFont QtPrinter::CurrentFont() const
{
    // The family is asked for by name so that a registered substitute (a
    // Korean font for "굴림") applies and gets embedded.
    QFont font(fontFamily_);
    font.setPointSizeF(fontPoints_);
    font.setBold(fontBold_);
    return font;
}

double QtPrinter::DotsPerUnit() const
{
    return printer_->resolution() / kMmPerInch;
}

float QtPrinter::TextWidth(const QString &text)
{
    CheckOpen();
    const QFontMetricsF metrics(CurrentFont(), printer_.get());
    qreal widest = 0;
    for (const QString &line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return float(widest / DotsPerUnit());
}

float QtPrinter::TextHeight(const QString &text)
{
    CheckOpen();
    const QFontMetricsF metrics(CurrentFont(), printer_.get());
    const qsizetype lines = text.count(QLatin1Char('\n')) + 1;
    return float((metrics.height() + (lines - 1) * metrics.lineSpacing()) / DotsPerUnit());
}

void QtPrinter::Line(float x1, float y1, float x2, float y2)
{
    CheckOpen();
    if (!Finite(x1) || !Finite(y1) || !Finite(x2) || !Finite(y2))
        throw PrinterError("invalid line");
    const double k = DotsPerUnit();
    const QLineF line(x1 * k, y1 * k, x2 * k, y2 * k);
    // Width 0 is one device dot on any device: the printer's own thinnest
    // line, as an unchanged line width is meant to be.
    QPen pen(foreColour_, 0);
    pen.setCapStyle(Qt::SquareCap);
    page_.push_back([line, pen](QPainter &painter) {
        painter.setPen(pen);
        painter.drawLine(line);
    });
}

void QtPrinter::Print(const QString &text)
{
    CheckOpen();
    const QFont font = CurrentFont();
    const QFontMetricsF metrics(font, printer_.get());
    const double k = DotsPerUnit();
    const QPointF topLeft(currentX_ * k, currentY_ * k);
    const QColor colour = foreColour_;
    const QStringList lines = text.split(QLatin1Char('\n'));
    const qreal ascent = metrics.ascent();
    const qreal lineSpacing = metrics.lineSpacing();
    page_.push_back([=](QPainter &painter) {
        painter.setFont(font);
        painter.setPen(QPen(colour));
        qreal baseline = topLeft.y() + ascent;
        for (const QString &line : lines) {
            painter.drawText(QPointF(topLeft.x(), baseline), line);
            baseline += lineSpacing;
        }
    });
    currentX_ = 0;
    currentY_ += float((metrics.height() + (lines.size() - 1) * lineSpacing) / k);
}

QSizeF QtPrinter::PictureSizeMm(const QSizeF &logicalPixels)
{
    return logicalPixels * (kTwipsPerPixel / kTwipsPerInch * kMmPerInch);
}

void QtPrinter::PaintPicture(const QPixmap &picture, float x, float y)
{
    CheckOpen();
    if (!Finite(x) || !Finite(y))
        throw PrinterError("invalid position");
    if (picture.isNull())
        return; // no picture, nothing to draw
    const double k = DotsPerUnit();
    const QSizeF size = PictureSizeMm(picture.deviceIndependentSize()) * k;
    const QRectF target(QPointF(x * k, y * k), size);
    page_.push_back([target, picture](QPainter &painter) {
        painter.drawPixmap(target, picture, QRectF(picture.rect()));
    });
}

void QtPrinter::PaintPage()
{
    if (toPdf_) {
        // A file has no unprintable edge: the whole sheet is the printable
        // area, so the layout sits where it would on paper.
        printer_->setFullPage(true);
        printer_->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    } else {
        // Positions count from the printable area's corner; margins are the
        // device's own unprintable edges and no more.
        printer_->setFullPage(false);
        QPageLayout layout = printer_->pageLayout();
        layout.setMargins(layout.minimumMargins());
        printer_->setPageLayout(layout);
    }

    QPainter painter;
    if (!painter.begin(printer_.get()))
        throw PrinterError("the printer could not start the document");
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (const Output &output : page_)
        output(painter);
    if (!painter.end() || printer_->printerState() == QPrinter::Error)
        throw PrinterError("the printer did not take the document");
}

void QtPrinter::EndDoc()
{
    CheckOpen();
    ended_ = true;
    if (page_.empty())
        return; // nothing was output, so no page leaves

    try {
        PaintPage();
    } catch (const PrinterError &) {
        if (toPdf_)
            QFile::remove(pdfPath_);
        throw;
    }
    page_.clear();

    if (toPdf_) {
        if (QFileInfo(pdfPath_).size() <= 0) {
            QFile::remove(pdfPath_);
            throw PrinterError("the document file was not written");
        }
        if (finished_)
            finished_(pdfPath_);
    }
}
