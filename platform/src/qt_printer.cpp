#include "platform/qt_printer.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>
#include <QPixmap>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kMmPerInch = 25.4;
// The PDF's user space is in points; outputs are recorded in dots of this
// resolution, which keeps every position exact to far below a printer dot.
constexpr int kResolution = 1200;
constexpr double kDotsPerMm = kResolution / kMmPerInch;

const QString kDocumentName = QStringLiteral("Kapuna 결과");

bool Finite(float value)
{
    return std::isfinite(value);
}

void SetUpPdf(QPdfWriter &writer)
{
    writer.setResolution(kResolution);
    writer.setTitle(kDocumentName);
    writer.setCreator(QStringLiteral("Kapuna"));
}

// One line of text with its baseline starting at origin. Qt's PDF writer
// says which character each glyph stands for by the lowest code point the
// font maps to it, and NanumGothic maps the control characters U+0000 to
// U+001F to its blank glyph (DejaVu Sans maps the tab to its blank): a
// drawn blank would read back as U+0001, and the sheet could be neither
// searched nor copied. So the blanks are not drawn at all: each word goes
// where the whole line puts it, and PDF readers take the gaps for the
// blanks. Blanks leave no ink, so the page looks exactly the same.
void DrawLine(QPainter &painter, const QFont &font, QPointF origin, const QString &line)
{
    painter.setFont(font);
    const QFontMetricsF metrics(font, painter.device());
    qsizetype start = 0;
    while (start < line.size()) {
        if (line.at(start) == QLatin1Char(' ')) {
            ++start;
            continue;
        }
        qsizetype end = line.indexOf(QLatin1Char(' '), start);
        if (end < 0)
            end = line.size();
        const qreal x = origin.x() + metrics.horizontalAdvance(line.left(start));
        painter.drawText(QPointF(x, origin.y()), line.mid(start, end - start));
        start = end;
    }
}

} // namespace

QtPrinter::QtPrinter(Deliver deliver)
    : deliver_(std::move(deliver))
    , measureBuffer_(std::make_unique<QBuffer>())
{
    measure_ = std::make_unique<QPdfWriter>(measureBuffer_.get());
    SetUpPdf(*measure_);
    fontFamily_ = QFont().family();
}

// Nothing has reached anything unless EndDoc ran: dropping the recorded
// page is all there is to cancelling.
QtPrinter::~QtPrinter() = default;

void QtPrinter::CheckOpen() const
{
    if (ended_)
        throw PrinterError("the document has already ended");
}

void QtPrinter::SetOrientation(PageOrientation orientation)
{
    CheckOpen();
    orientation_ = orientation;
}

void QtPrinter::SetPaperSize(PaperSize size)
{
    CheckOpen();
    Q_UNUSED(size); // A4 is the only paper the program asks for.
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

float QtPrinter::TextWidth(const QString &text)
{
    CheckOpen();
    const QFontMetricsF metrics(CurrentFont(), measure_.get());
    qreal widest = 0;
    for (const QString &line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return float(widest / kDotsPerMm);
}

float QtPrinter::TextHeight(const QString &text)
{
    CheckOpen();
    const QFontMetricsF metrics(CurrentFont(), measure_.get());
    const qsizetype lines = text.count(QLatin1Char('\n')) + 1;
    return float((metrics.height() + (lines - 1) * metrics.lineSpacing()) / kDotsPerMm);
}

void QtPrinter::Line(float x1, float y1, float x2, float y2)
{
    CheckOpen();
    if (!Finite(x1) || !Finite(y1) || !Finite(x2) || !Finite(y2))
        throw PrinterError("invalid line");
    const double k = kDotsPerMm;
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
    const QFontMetricsF metrics(font, measure_.get());
    const double k = kDotsPerMm;
    const QPointF topLeft(currentX_ * k, currentY_ * k);
    const QColor colour = foreColour_;
    const QStringList lines = text.split(QLatin1Char('\n'));
    const qreal ascent = metrics.ascent();
    const qreal lineSpacing = metrics.lineSpacing();
    page_.push_back([=](QPainter &painter) {
        painter.setPen(QPen(colour));
        qreal baseline = topLeft.y() + ascent;
        for (const QString &line : lines) {
            DrawLine(painter, font, QPointF(topLeft.x(), baseline), line);
            baseline += lineSpacing;
        }
    });
    currentX_ = 0;
    currentY_ += float((metrics.height() + (lines.size() - 1) * lineSpacing) / k);
}

void QtPrinter::PaintPicture(const QPixmap &picture, float x, float y)
{
    CheckOpen();
    if (!Finite(x) || !Finite(y))
        throw PrinterError("invalid position");
    if (picture.isNull())
        return; // no picture, nothing to draw
    const double k = kDotsPerMm;
    const QSizeF size = PictureSizeMm(picture.deviceIndependentSize()) * k;
    const QRectF target(QPointF(x * k, y * k), size);
    page_.push_back([target, picture](QPainter &painter) {
        painter.drawPixmap(target, picture, QRectF(picture.rect()));
    });
}

void QtPrinter::WritePdf(QIODevice &file, const QMarginsF &marginsMm) const
{
    QPdfWriter writer(&file);
    SetUpPdf(writer);
    const auto orientation = orientation_ == PageOrientation::Landscape ? QPageLayout::Landscape
                                                                        : QPageLayout::Portrait;
    // Positions count from the printable area's corner: the margins are the
    // printer's unprintable edges and no more (none for a file).
    if (!writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), orientation, marginsMm,
                                          QPageLayout::Millimeter)))
        throw PrinterError("the page layout was refused");

    QPainter painter;
    if (!painter.begin(&writer))
        throw PrinterError("the document could not be started");
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // The pictures go into the PDF as they are, not re-compressed as JPEG.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    for (const Output &output : page_)
        output(painter);
    if (!painter.end())
        throw PrinterError("the document could not be finished");
}

void QtPrinter::EndDoc()
{
    CheckOpen();
    ended_ = true;
    if (page_.empty())
        return; // nothing was output, so no page leaves
    if (deliver_)
        deliver_(*this);
}
