// Opening a help file: the slowest file the program accepts. Hostile files
// are made at every cap of HelpMarkup at once where they can be (the
// deepest nesting, the most cells, the longest lists, the longest lines, the
// most style rules), each filled up to the byte cap with what costs most at
// that depth; each is opened in a help window, shown and laid out to its
// end, as scrolling to the end would. The figure is the slowest of them,
// with the shipped help and the time to refuse the first file over a cap
// beside it. Times are processor time of the window's thread, the best of
// three rounds, so that the rest of a busy machine does not count.
#include "figure.h"

#include "extras/help_markup.h"
#include "extras/help_window.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBrowser>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <string>

namespace {

constexpr int kRounds = 3;
constexpr qsizetype kBytes = HelpWindow::kMaxFileBytes;

QByteArray Repeat(const QByteArray &piece, qsizetype times)
{
    QByteArray out;
    for (qsizetype i = 0; i < times; ++i)
        out += piece;
    return out;
}

// `open` and `close` around `fill`, with the fill repeated up to the byte cap.
QByteArray Around(const QByteArray &open, const QByteArray &fill, const QByteArray &close = {})
{
    const qsizetype room = kBytes - open.size() - close.size();
    return open + Repeat(fill, std::max<qsizetype>(0, room / fill.size())) + close;
}

struct Hostile
{
    const char *what;
    QByteArray html;
};

// kMaxPictures pictures whose pixels add up to the cap, in one paragraph,
// each named again under other names (a query) up to the most pictures a
// file may show, then filled with text. The pictures are written beside the
// file by WritePictures.
constexpr int kPictureSide = 362; // 64 x 362 x 362 is just under 2 x 2048 x 2048

QByteArray Pictures()
{
    QByteArray html = "<p>";
    for (int i = 0; i < HelpMarkup::kMaxImages; ++i)
        html += "<img src=\"p" + QByteArray::number(i % HelpWindow::kMaxPictures) + ".png?"
                + QByteArray::number(i) + "\">";
    return Around(html, "<p>word word word word</p>");
}

bool WritePictures(const QString &folder)
{
    QImage picture(kPictureSide, kPictureSide, QImage::Format_RGB32);
    for (int i = 0; i < HelpWindow::kMaxPictures; ++i) {
        picture.fill(QColor::fromHsv(i * 5, 200, 220));
        if (!picture.save(QDir(folder).filePath(QStringLiteral("p%1.png").arg(i))))
            return false;
    }
    return true;
}

QList<Hostile> AcceptedAtTheCaps()
{
    const int tables = HelpMarkup::kMaxTableDepth;
    const QByteArray nestedTables = Repeat("<table><tr><td>", tables);
    // The rest of the depth after the tables (three levels each).
    const int rest = HelpMarkup::kMaxDepth - 3 * tables - 1;
    const QByteArray words = "<p>word word word word</p>";
    const QByteArray cellRow = Repeat("<td>w</td>", 10);
    QByteArray cells = Repeat("<table><tr><td>", tables - 1) + "<table>";
    for (int i = tables - 1; i + 10 <= HelpMarkup::kMaxCells; i += 10)
        cells += "<tr>" + cellRow + "</tr>";
    cells += "</table>";
    const QByteArray list = "<ul>" + Repeat("<li>w", HelpMarkup::kMaxListItems) + "</ul>";
    const QByteArray run = QByteArray(HelpMarkup::kMaxUnbrokenRun, 'x') + "<br>";
    QByteArray rules = "<style>";
    for (int i = 0; i < HelpMarkup::kMaxStyleRules; ++i)
        rules += "p.c" + QByteArray::number(i) + " b { color: #123 }\n";
    rules += "</style>";
    return {
        {"tables nested to the cap, filled with paragraphs", Around(nestedTables, words)},
        {"tables nested to the cap, then divs to the depth cap, filled",
         Around(nestedTables + Repeat("<div>", rest), words)},
        {"<ul><li> nested to the depth cap, filled with lists of the most items",
         Around(Repeat("<ul><li>", HelpMarkup::kMaxDepth / 2 - 1), list)},
        {"<div> nested to the depth cap, filled", Around(Repeat("<div>", HelpMarkup::kMaxDepth - 1), words)},
        {"<b><i> nested to the depth cap, filled",
         Around(Repeat("<b><i>", HelpMarkup::kMaxDepth / 2 - 1), "<span>w</span> ")},
        {"the most cells, in the innermost of nested tables, filled", Around(cells, words)},
        {"lists of the most items, as many as fit", Around({}, list)},
        {"lines as long as they may be, as many as fit", Around({}, run)},
        {"lines as long as they may be in <nobr>", Around("<nobr>", run)},
        {"the most style rules, on as many elements as fit",
         Around(rules + Repeat("<div>", rest), "<p class=c1><b>w</b></p>")},
        {"all of it: style rules, nested tables, then divs, filled",
         Around(rules + nestedTables + Repeat("<div>", rest - 1), "<p class=c1><b>w</b></p>")},
        {"all of it, filled with lists of the most items",
         Around(rules + nestedTables + Repeat("<div>", rest - 2),
                "<ul>" + Repeat("<li class=c1><b>w</b>", HelpMarkup::kMaxListItems) + "</ul>")},
        {"the most pictures and pixels, each named again and again", Pictures()},
    };
}

// The processor time of this thread: the machine's other work does not
// count, as it does in the time on the clock.
double ThreadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Opens, shows and lays out the file to its end: the processor time it took.
double OpenMs(const QString &path, bool *accepted)
{
    const double start = ThreadCpuMs();
    HelpWindow window;
    *accepted = window.LoadFile(path);
    window.show();
    QCoreApplication::processEvents();
    window.Browser()->document()->documentLayout()->documentSize();
    QScrollBar *bar = window.Browser()->verticalScrollBar();
    bar->setValue(bar->maximum());
    QCoreApplication::processEvents();
    return ThreadCpuMs() - start;
}

bool Write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kapuna.hlp"));
    if (!WritePictures(dir.path()))
        return 1;

    double slowest = 0;
    std::string slowestWhat;
    for (const Hostile &h : AcceptedAtTheCaps()) {
        const HelpMarkup shape = HelpMarkup::Measure(QString::fromUtf8(h.html));
        if (!Write(path, h.html))
            return 1;
        double best = 1e9;
        bool accepted = false;
        for (int round = 0; round < kRounds; ++round)
            best = std::min(best, OpenMs(path, &accepted));
        std::printf("%8.1f ms  %s (%lld bytes; depth %d, tables %d, cells %d, items %d, run %d, "
                    "rules %d, pictures %d)%s\n",
                    best, h.what, static_cast<long long>(h.html.size()), shape.depth,
                    shape.tableDepth, shape.cells, shape.listItems, shape.unbrokenRun,
                    shape.styleRules, shape.images, accepted ? "" : "  REFUSED");
        if (!accepted) {
            std::fprintf(stderr, "bench_help: a file at the caps was refused: %s\n", h.what);
            return 1;
        }
        if (best > slowest) {
            slowest = best;
            slowestWhat = h.what;
        }
    }

    // The shipped help, and the first file over a cap: refused at once.
    const QString shipped =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../kapuna.hlp"));
    bool accepted = false;
    double shippedMs = 1e9;
    for (int round = 0; round < kRounds; ++round)
        shippedMs = std::min(shippedMs, OpenMs(shipped, &accepted));
    if (!accepted)
        return 1;
    if (!Write(path, Repeat("<table><tr><td>", 8700)))
        return 1;
    const double refusedMs = OpenMs(path, &accepted);
    if (accepted)
        return 1;

    Figure("help: the slowest file accepted, opened and laid out to its end (CPU)", "%.0f ms (%s)",
           slowest, slowestWhat.c_str());
    Figure("help: the shipped help / 8,700 nested tables, refused (CPU)", "%.0f ms / %.0f ms", shippedMs,
           refusedMs);
    return 0;
}
