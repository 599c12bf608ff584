// Checks a PDF of the twelve-player sample sheet (print_sample) as it came
// out of a printer: one A4 portrait page, the embedded Korean bold font,
// every text in its cell with its alignment, the table's lines, the
// pictures, and nothing but red apart from the pictures.
//
//   check_sheet_pdf FILE [--origin X,Y]
//
// X,Y is the printable area's top-left corner on the page in points (from
// the printer's PPD); the sheet's millimetres count from there.
//
// Texts are checked twice. pdftotext -bbox gives the words' boxes; where the
// PDF still says what its glyphs mean, the letters and the aligned edges
// are compared exactly. A PDF that went through PostScript on its way
// (CUPS, cups-pdf) keeps its glyphs but not their meaning, and pdftotext
// then drops some of them; its words are still required to sit inside the
// right cells, centred on them. The rendered page is the second check: the
// red ink of every text must cover what the font's glyph outlines cover
// when the text is placed by the sheet's rules.

#include "widgets/fonts.h"
#include "sample_sheet.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

namespace {

constexpr double kPointsPerMm = 72.0 / 25.4;
constexpr double kEdgeTolerance = 0.5;   // mm, aligned edges of word boxes
constexpr double kMiddleTolerance = 1.0; // mm, vertical centres of word boxes
constexpr double kInkTolerance = 0.5;    // mm, ink edges against glyph outlines
constexpr int kDpi = 200;
constexpr double kPenMm = 480.0 / 1440.0 * 25.4;

int failures = 0;

void Fail(const QString &what)
{
    std::fprintf(stderr, "FAIL: %s\n", qPrintable(what));
    ++failures;
}

bool Near(double actual, double expected, double tolerance)
{
    return std::abs(actual - expected) <= tolerance;
}

std::optional<QByteArray> Run(const QString &program, const QStringList &args)
{
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0) {
        Fail(QStringLiteral("%1 %2 failed: %3")
                 .arg(program, args.join(' '), QString::fromLocal8Bit(process.readAllStandardError())));
        return std::nullopt;
    }
    return process.readAllStandardOutput();
}

// ---------------------------------------------------------------- layout

enum class Align { Left, Centre, Right };

struct Phrase
{
    QString text;
    Align align;
    bool prefixOnly = false; // the date line: only its start is known
};

struct Cell
{
    QString name;
    double left, top, right, bottom;
    QList<Phrase> phrases; // one, or a left and a right one
    double points = 15;
    bool lined = true;     // outlined, so its edges carry lines
    double Middle() const { return (top + bottom) / 2; }
};

QList<Cell> ExpectedCells()
{
    QList<Cell> cells;
    cells << Cell{QStringLiteral("title"), 45, 30, 165, 55,
                  {{QStringLiteral("KAPUNA 게임 결과"), Align::Centre}}, 30, false};
    cells << Cell{QStringLiteral("date line"), 115, 60, 170, 70,
                  {{QStringLiteral("일시: "), Align::Right, true}}, 10, false};
    cells << Cell{QStringLiteral("header 2"), 50, 70, 100, 80, {{QStringLiteral("이 름"), Align::Centre}}};
    cells << Cell{QStringLiteral("header 3"), 100, 70, 150, 80,
                  {{QStringLiteral("당첨내역"), Align::Centre}}};
    cells << Cell{QStringLiteral("header 4"), 150, 70, 170, 80, {{QStringLiteral("확 인"), Align::Centre}}};
    double y = 80;
    for (int i = 1; i <= sample_sheet::kPlayers; ++i, y += 10) {
        const QString row = QStringLiteral("row %1 ").arg(i);
        const QString name = sample_sheet::Names().at(i - 1);
        cells << Cell{row + "name", 50, y, 100, y + 10,
                      name.isEmpty() ? QList<Phrase>() : QList<Phrase>{{name, Align::Left}}};
        cells << Cell{row + "prize", 100, y, 150, y + 10,
                      {{sample_sheet::PrintedResults().at(i - 1), Align::Right}}};
        cells << Cell{row + "check", 150, y, 170, y + 10, {}};
    }
    cells << Cell{QStringLiteral("players line"), 100, y + 10, 170, y + 20,
                  {{QStringLiteral("게임인원:"), Align::Left},
                   {QStringLiteral("%1 명").arg(sample_sheet::kPlayers), Align::Right}}, 15, false};
    cells << Cell{QStringLiteral("total line"), 100, y + 20, 170, y + 30,
                  {{QStringLiteral("당첨총액:"), Align::Left}, {sample_sheet::kTotalLine, Align::Right}},
                  15, false};
    return cells;
}

// Metrics of the sheet's font at the size of a cell, in millimetres.
class SheetFont
{
public:
    explicit SheetFont(double points)
        : device_(1, 1, QImage::Format_RGB32)
    {
        const int dotsPerMetre = int(std::lround(kResolution / 0.0254));
        device_.setDotsPerMeterX(dotsPerMetre);
        device_.setDotsPerMeterY(dotsPerMetre);
        metrics_.emplace(fonts::Gulim(points, true), &device_);
    }
    double Mm(qreal dots) const { return dots / kResolution * 25.4; }
    double Advance(const QString &text) const { return Mm(metrics_->horizontalAdvance(text)); }
    double Height() const { return Mm(metrics_->height()); }
    double Ascent() const { return Mm(metrics_->ascent()); }
    QRectF Ink(const QString &text) const
    {
        const QRectF r = metrics_->tightBoundingRect(text);
        return QRectF(Mm(r.left()), Mm(r.top()), Mm(r.width()), Mm(r.height()));
    }

private:
    static constexpr double kResolution = 1200;
    QImage device_;
    std::optional<QFontMetricsF> metrics_;
};

// Where the sheet's rules put the glyph outlines of a phrase, in mm.
QRectF ExpectedInk(const Cell &cell, const Phrase &phrase)
{
    const SheetFont font(cell.points);
    const double w = font.Advance(phrase.text);
    double x = 0;
    switch (phrase.align) {
    case Align::Left:
        x = cell.left + 0.5;
        break;
    case Align::Centre:
        x = cell.left + ((cell.right - cell.left) - w) / 2;
        break;
    case Align::Right:
        x = cell.right - w - 0.5;
        break;
    }
    const double baseline = cell.top + ((cell.bottom - cell.top) - font.Height()) / 2 + font.Ascent();
    if (phrase.prefixOnly) {
        // Only the right edge is known: the time ends in a digit. Its
        // height is that of the line's tallest glyphs.
        const QRectF line = font.Ink(QStringLiteral("일시: 0123456789"));
        const double right = cell.right - 0.5 - font.Advance(QStringLiteral("0")) + font.Ink(QStringLiteral("0")).right();
        return QRectF(QPointF(cell.left, baseline + line.top()), QPointF(right, baseline + line.bottom()));
    }
    // Leading blanks move the ink, they have none of their own.
    const QString ink = phrase.text.trimmed();
    const double lead = font.Advance(phrase.text.left(phrase.text.indexOf(ink)));
    return font.Ink(ink).translated(x + lead, baseline);
}

// How far apart the right ends of the ten digits' ink can lie when each
// digit ends a right-aligned text.
double DigitInkSpread(double points)
{
    const SheetFont font(points);
    double lo = 1e9, hi = -1e9;
    for (char d = '0'; d <= '9'; ++d) {
        const QString digit(QLatin1Char{d});
        const double right = font.Ink(digit).right() - font.Advance(digit);
        lo = std::min(lo, right);
        hi = std::max(hi, right);
    }
    return hi - lo;
}

// ------------------------------------------------------------ page, font

void CheckPage(const QString &pdf)
{
    const auto info = Run(QStringLiteral("pdfinfo"), {pdf});
    if (!info)
        return;
    const QString text = QString::fromUtf8(*info);
    const auto pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(text);
    if (!pages.hasMatch() || pages.captured(1).toInt() != 1)
        Fail(QStringLiteral("not exactly one page: %1").arg(pages.captured(1)));
    const auto size = QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts")).match(text);
    const double w = size.captured(1).toDouble();
    const double h = size.captured(2).toDouble();
    if (!Near(w, 595.28, 1.5) || !Near(h, 841.89, 1.5))
        Fail(QStringLiteral("page is %1 x %2 pt, not A4 portrait").arg(w).arg(h));
    else
        std::printf("page: 1 page, %g x %g pt (A4 portrait)\n", w, h);
}

void CheckFont(const QString &pdf)
{
    const auto fonts = Run(QStringLiteral("pdffonts"), {pdf});
    if (!fonts)
        return;
    for (const QString &line : QString::fromUtf8(*fonts).split('\n')) {
        const QStringList cols = line.split(' ', Qt::SkipEmptyParts);
        if (cols.size() >= 7 && cols.first().contains(QLatin1String("NanumGothicBold"))
            && cols.at(cols.size() - 5) == QLatin1String("yes")) {
            std::printf("font: %s embedded\n", qPrintable(cols.first()));
            return;
        }
    }
    // PostScript on the way may have turned the font into Type 3 glyph
    // procedures without a name; the ink check still compares their shapes.
    const QStringList lines = QString::fromUtf8(*fonts).split('\n', Qt::SkipEmptyParts).mid(2);
    const bool allType3 = !lines.isEmpty() && std::all_of(lines.begin(), lines.end(), [](const QString &l) {
        return l.contains(QLatin1String(" Type 3 ")) && l.split(' ', Qt::SkipEmptyParts).value(l.split(' ', Qt::SkipEmptyParts).size() - 5) == QLatin1String("yes");
    });
    if (allType3)
        std::printf("font: converted to embedded Type 3 glyphs on the way, not named\n");
    else
        Fail(QStringLiteral("NanumGothic Bold is not embedded:\n") + QString::fromUtf8(*fonts));
}

// ---------------------------------------------------------------- words

struct Word
{
    QString glyphs;                  // without blanks
    double left, top, right, bottom; // mm from the printable area's corner
    bool used = false;
    double Middle() const { return (top + bottom) / 2; }
    double CentreX() const { return (left + right) / 2; }
};

QString WithoutBlanks(QString text)
{
    // Qt's PDF maps its blank glyph to U+0001.
    text.remove(QRegularExpression(QStringLiteral("[\\s\\x{0001}]")));
    return text;
}

QList<Word> ReadWords(const QString &pdf, QPointF originPt)
{
    QList<Word> words;
    const auto xhtml = Run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    if (!xhtml)
        return words;
    static const QRegularExpression kWord(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">(.*)</word>"));
    auto it = kWord.globalMatch(QString::fromUtf8(*xhtml));
    while (it.hasNext()) {
        const auto m = it.next();
        QString glyphs = m.captured(5);
        glyphs.replace(QLatin1String("&lt;"), QLatin1String("<"))
            .replace(QLatin1String("&gt;"), QLatin1String(">"))
            .replace(QLatin1String("&quot;"), QLatin1String("\""))
            .replace(QLatin1String("&apos;"), QLatin1String("'"))
            .replace(QLatin1String("&amp;"), QLatin1String("&"));
        Word w;
        w.glyphs = WithoutBlanks(glyphs);
        w.left = (m.captured(1).toDouble() - originPt.x()) / kPointsPerMm;
        w.top = (m.captured(2).toDouble() - originPt.y()) / kPointsPerMm;
        w.right = (m.captured(3).toDouble() - originPt.x()) / kPointsPerMm;
        w.bottom = (m.captured(4).toDouble() - originPt.y()) / kPointsPerMm;
        words << w;
    }
    return words;
}

void CheckWords(QList<Word> &words)
{
    bool readable = false;
    for (const Word &w : words)
        readable = readable || w.glyphs.startsWith(QLatin1String("KAPUNA"));
    std::printf("words: %lld, %s\n", qlonglong(words.size()),
                readable ? "readable: letters and edges compared exactly"
                         : "glyphs without meaning: compared by place only");

    int checked = 0;
    for (const Cell &cell : ExpectedCells()) {
        QList<Word *> inCell;
        for (Word &w : words)
            if (!w.used && w.CentreX() > cell.left - 1 && w.CentreX() < cell.right + 1
                && w.Middle() > cell.top && w.Middle() < cell.bottom)
                inCell << &w;
        std::sort(inCell.begin(), inCell.end(),
                  [](const Word *a, const Word *b) { return a->left < b->left; });
        for (Word *w : inCell) {
            w->used = true;
            // Glyphs that lost their meaning also lost their height: such
            // word boxes span the whole font box, so only the cell counts.
            if (readable && !Near(w->Middle(), cell.Middle(), kMiddleTolerance))
                Fail(QStringLiteral("%1: a word centred at y %2 mm, not %3")
                         .arg(cell.name).arg(w->Middle(), 0, 'f', 2).arg(cell.Middle()));
            if (w->left < cell.left + 0.5 - kEdgeTolerance || w->right > cell.right - 0.5 + kEdgeTolerance)
                Fail(QStringLiteral("%1: a word at %2..%3 mm leaves its cell")
                         .arg(cell.name).arg(w->left, 0, 'f', 2).arg(w->right, 0, 'f', 2));
        }
        if (cell.phrases.isEmpty()) {
            if (!inCell.isEmpty())
                Fail(QStringLiteral("%1 should be empty but holds text").arg(cell.name));
            continue;
        }
        if (inCell.size() < cell.phrases.size()) {
            Fail(QStringLiteral("%1: text missing").arg(cell.name));
            continue;
        }
        ++checked;
        if (!readable)
            continue;

        // A left and a right text in one cell part at the widest gap.
        QList<QList<Word *>> parts;
        if (cell.phrases.size() == 1) {
            parts << inCell;
        } else {
            qsizetype split = 1;
            for (qsizetype i = 1; i < inCell.size(); ++i)
                if (inCell.at(i)->left - inCell.at(i - 1)->right
                    > inCell.at(split)->left - inCell.at(split - 1)->right)
                    split = i;
            parts << inCell.mid(0, split) << inCell.mid(split);
        }
        for (qsizetype p = 0; p < cell.phrases.size(); ++p) {
            const Phrase &phrase = cell.phrases.at(p);
            QString seen;
            for (const Word *w : parts.at(p))
                seen += w->glyphs;
            const QString expected = WithoutBlanks(phrase.text);
            if (phrase.prefixOnly ? !seen.startsWith(expected) : seen != expected)
                Fail(QStringLiteral("%1: \"%2\" expected, \"%3\" printed").arg(cell.name, phrase.text, seen));
            const double left = parts.at(p).first()->left;
            const double right = parts.at(p).last()->right;
            bool ok = true;
            if (phrase.align == Align::Left)
                ok = Near(left, cell.left + 0.5, kEdgeTolerance);
            else if (phrase.align == Align::Right)
                ok = Near(right, cell.right - 0.5, kEdgeTolerance);
            else
                ok = Near((left + right) / 2, (cell.left + cell.right) / 2, kEdgeTolerance);
            if (!ok)
                Fail(QStringLiteral("%1: \"%2\" spans %3..%4 mm, misaligned")
                         .arg(cell.name, phrase.text).arg(left, 0, 'f', 2).arg(right, 0, 'f', 2));
        }
    }
    for (const Word &w : words)
        if (!w.used)
            Fail(QStringLiteral("text where none belongs, at %1,%2 mm")
                     .arg(w.left, 0, 'f', 1).arg(w.top, 0, 'f', 1));
    std::printf("words: %d cells hold their text where the layout puts it\n", checked);
}

// --------------------------------------------------------------- raster

class Raster
{
public:
    Raster(QImage image, QPointF originPt)
        : image_(std::move(image))
        , origin_(originPt * kDpi / 72.0)
    {
    }
    QPointF PxF(double xMm, double yMm) const
    {
        return origin_ + QPointF(xMm, yMm) * (kDpi / 25.4);
    }
    QPoint Px(double xMm, double yMm) const { return PxF(xMm, yMm).toPoint(); }
    double Mm(double px, bool vertical) const
    {
        return (px - (vertical ? origin_.y() : origin_.x())) * 25.4 / kDpi;
    }
    QColor At(QPoint p) const
    {
        return image_.rect().contains(p) ? image_.pixelColor(p) : QColor(Qt::white);
    }
    static bool Inked(const QColor &c) { return c.red() + c.green() + c.blue() < 3 * 235; }
    static bool Red(const QColor &c) { return c.red() > 200 && c.green() < 170 && c.blue() < 170; }
    // A line within two pixels of the point, searching along (dx, dy).
    bool RedNear(double xMm, double yMm, int dx, int dy) const
    {
        const QPoint p = Px(xMm, yMm);
        for (int k = -2; k <= 2; ++k)
            if (Red(At(p + QPoint(k * dx, k * dy))))
                return true;
        return false;
    }
    // The inked part of an area given in mm, in mm; empty when clean.
    QRectF InkIn(const QRectF &areaMm) const
    {
        const QRect area(Px(areaMm.left(), areaMm.top()), Px(areaMm.right(), areaMm.bottom()));
        int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (Inked(At(QPoint(x, y)))) {
                    left = std::min(left, x);
                    right = std::max(right, x + 1);
                    top = std::min(top, y);
                    bottom = std::max(bottom, y + 1);
                }
        if (left == INT_MAX)
            return QRectF();
        return QRectF(QPointF(Mm(left, false), Mm(top, true)), QPointF(Mm(right, false), Mm(bottom, true)));
    }
    const QImage &Image() const { return image_; }

private:
    QImage image_;
    QPointF origin_;
};

// Where each text's ink is, against where the glyph outlines would be.
int CheckInk(const Raster &raster)
{
    int checked = 0;
    for (const Cell &cell : ExpectedCells()) {
        // Keep clear of the cell's own outline.
        const double inset = cell.lined ? 0.4 : 0;
        const QRectF interior(QPointF(cell.left + inset, cell.top + inset),
                              QPointF(cell.right - inset, cell.bottom - inset));
        if (cell.phrases.isEmpty()) {
            if (!raster.InkIn(interior).isNull())
                Fail(QStringLiteral("%1 should be empty but is inked").arg(cell.name));
            continue;
        }
        for (const Phrase &phrase : cell.phrases) {
            const QRectF expected = ExpectedInk(cell, phrase);
            const QRectF window = expected.adjusted(-1.5, -1.5, 1.5, 1.5) & interior;
            const QRectF ink = raster.InkIn(window);
            if (ink.isNull()) {
                Fail(QStringLiteral("%1: no ink for \"%2\"").arg(cell.name, phrase.text));
                continue;
            }
            // The time ends in whichever digit the clock showed, and digits
            // end their ink at different places within the same advance.
            const double rightSlack = phrase.prefixOnly ? DigitInkSpread(cell.points) : 0.0;
            const bool ok = (phrase.prefixOnly || Near(ink.left(), expected.left(), kInkTolerance))
                && Near(ink.top(), expected.top(), kInkTolerance)
                && Near(ink.bottom(), expected.bottom(), kInkTolerance)
                && Near(ink.right(), expected.right(), kInkTolerance + rightSlack);
            if (!ok)
                Fail(QStringLiteral("%1: \"%2\" inked at %3..%4 x %5..%6 mm, glyphs belong at %7..%8 x %9..%10")
                         .arg(cell.name, phrase.text)
                         .arg(ink.left(), 0, 'f', 2).arg(ink.right(), 0, 'f', 2)
                         .arg(ink.top(), 0, 'f', 2).arg(ink.bottom(), 0, 'f', 2)
                         .arg(expected.left(), 0, 'f', 2).arg(expected.right(), 0, 'f', 2)
                         .arg(expected.top(), 0, 'f', 2).arg(expected.bottom(), 0, 'f', 2));
            ++checked;
        }
    }
    return checked;
}

void CheckRaster(const QString &pdf, QPointF originPt)
{
    QTemporaryDir dir;
    const QString base = dir.filePath(QStringLiteral("page"));
    if (!Run(QStringLiteral("pdftoppm"),
             {QStringLiteral("-r"), QString::number(kDpi), QStringLiteral("-singlefile"), pdf, base}))
        return;
    const QImage image(base + QStringLiteral(".ppm"));
    if (image.isNull()) {
        Fail(QStringLiteral("pdftoppm gave no picture"));
        return;
    }
    const Raster raster(image.convertToFormat(QImage::Format_RGB32), originPt);

    const double dx = (20 - kPenMm) / 2;
    const double dy = (10 - kPenMm) / 2;
    const double b = 80 + 10 * sample_sheet::kPlayers;

    // Lines: every vertical edge through every row, every horizontal edge,
    // the diagonal; none under the players and total lines.
    int lines = 0;
    for (double x : {30.0, 50.0, 100.0, 150.0, 170.0})
        for (double y = 75; y < b; y += 10, ++lines)
            if (!raster.RedNear(x, y, 1, 0))
                Fail(QStringLiteral("no red vertical line at x %1 mm, y %2 mm").arg(x).arg(y));
    for (double y = 70; y <= b; y += 10)
        for (double x : {40.0, 160.0}) {
            ++lines;
            if (!raster.RedNear(x, y, 0, 1))
                Fail(QStringLiteral("no red horizontal line at y %1 mm, x %2 mm").arg(y).arg(x));
        }
    ++lines;
    if (!raster.RedNear(40, 75, 0, 1))
        Fail(QStringLiteral("no header diagonal"));
    for (double y : {b + 10, b + 20, b + 30})
        if (raster.RedNear(135, y, 0, 1))
            Fail(QStringLiteral("an outline at y %1 mm below the table").arg(y));

    // Nothing above the title or below the total line.
    if (!raster.InkIn(QRectF(QPointF(-5, -5), QPointF(215, 29))).isNull())
        Fail(QStringLiteral("ink above the title"));
    if (!raster.InkIn(QRectF(QPointF(-5, b + 31), QPointF(215, 290))).isNull())
        Fail(QStringLiteral("ink below the total line"));

    // Pictures: green, centred in their cells by the pen template's size.
    QList<QRect> pictures;
    for (int i = 0; i < sample_sheet::kPlayers; ++i) {
        const double top = 80 + 10 * i + dy;
        const QRect area(raster.Px(30 + dx, top), raster.Px(30 + dx + kPenMm, top + kPenMm));
        pictures << area.adjusted(-3, -3, 3, 3);
        qint64 greens = 0, sumX = 0, sumY = 0;
        for (int y = area.top() - 6; y <= area.bottom() + 6; ++y)
            for (int x = area.left() - 6; x <= area.right() + 6; ++x) {
                const QColor c = raster.At(QPoint(x, y));
                if (c.green() > c.red() + 60) {
                    ++greens;
                    sumX += x;
                    sumY += y;
                }
            }
        const QPointF centre = raster.PxF(40, 80 + 10 * i + 5);
        if (greens < area.width() * area.height() / 3
            || !Near(double(sumX) / greens + 0.5, centre.x(), 3.0)
            || !Near(double(sumY) / greens + 0.5, centre.y(), 3.0))
            Fail(QStringLiteral("row %1's picture is missing or off centre").arg(i + 1));
        // The picture cell holds nothing else.
        const QRectF cell(QPointF(30.4, 80 + 10 * i + 0.4), QPointF(49.6, 80 + 10 * i + 9.6));
        const QRectF ink = raster.InkIn(cell);
        const QRectF picture(QPointF(30 + dx - 0.3, top - 0.3), QSizeF(kPenMm + 0.6, kPenMm + 0.6));
        if (!ink.isNull() && !picture.contains(ink))
            Fail(QStringLiteral("row %1's picture cell holds more than the picture").arg(i + 1));
    }

    const int texts = CheckInk(raster);

    // Colour: outside the pictures, everything that is not paper is red or
    // a lighter shade of it.
    qint64 inked = 0, strong = 0, wrong = 0;
    const QImage &img = raster.Image();
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            if (c.red() + c.green() + c.blue() > 3 * 250)
                continue;
            if (std::any_of(pictures.begin(), pictures.end(),
                            [&](const QRect &r) { return r.contains(x, y); }))
                continue;
            ++inked;
            if (c.red() < 235 || std::abs(c.green() - c.blue()) > 25)
                ++wrong;
            if (c.red() > 200 && c.green() < 80 && c.blue() < 80)
                ++strong;
        }
    if (wrong > 0)
        Fail(QStringLiteral("%1 of %2 inked pixels are not red").arg(wrong).arg(inked));
    if (strong < 5000)
        Fail(QStringLiteral("only %1 pixels are solid red").arg(strong));
    std::printf("raster: %d line checks, %d texts inked in place, %d pictures, "
                "%lld inked pixels all red\n",
                lines, texts, int(pictures.size()), qlonglong(inked));
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    fonts::RegisterKoreanSubstitutes();
    const QStringList args = app.arguments();
    QPointF origin;
    if (args.size() == 4 && args.at(2) == QLatin1String("--origin")) {
        const QStringList xy = args.at(3).split(',');
        origin = QPointF(xy.value(0).toDouble(), xy.value(1).toDouble());
    } else if (args.size() != 2) {
        std::fprintf(stderr, "usage: check_sheet_pdf FILE [--origin X,Y]\n");
        return 2;
    }
    const QString pdf = args.at(1);

    CheckPage(pdf);
    CheckFont(pdf);
    QList<Word> words = ReadWords(pdf, origin);
    CheckWords(words);
    CheckRaster(pdf, origin);

    if (failures > 0) {
        std::fprintf(stderr, "%d check(s) failed for %s\n", failures, qPrintable(pdf));
        return 1;
    }
    std::printf("all checks passed for %s\n", qPrintable(pdf));
    return 0;
}
