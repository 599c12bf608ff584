// How long the result sheet of a full twelve-player game takes to produce as
// a PDF through the real Qt print path (QtPrinter writing a file, as the
// stand-in for a missing default printer does), and how big the file is.

#include "figure.h"

#include "game/game_state.h"
#include "platform/qt_printer.h"
#include "print/result_sheet.h"
#include "print/sheet_source.h"
#include "widgets/fonts.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kPlayers = 12;
constexpr int kRuns = 20;

class BenchSource final : public SheetSource
{
public:
    BenchSource()
    {
        for (int i = 1; i <= kPlayers; ++i) {
            QPixmap picture(32, 32);
            picture.fill(Qt::white);
            QPainter painter(&picture);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setBrush(QColor::fromHsv(i * 30 % 360, 200, 220));
            painter.drawEllipse(QRectF(2, 2, 28, 28));
            pictures_.push_back(picture);
        }
    }
    QString NameText(int i) const override { return QStringLiteral("참가자 %1").arg(i); }
    QPixmap StartPicture(int i) const override { return pictures_.at(std::size_t(i - 1)); }
    QSizeF PenTemplateSizeMm() const override { return QtPrinter::PictureSizeMm(QSizeF(32, 32)); }

private:
    std::vector<QPixmap> pictures_;
};

GameState FinishedGame()
{
    GameState state;
    state.gMemberCount = kPlayers;
    state.mStartedCount = kPlayers;
    state.gResults.Recreate(kPlayers);
    for (int i = 1; i <= kPlayers; ++i)
        state.gResults(i) = i % 3 == 0 ? QStringLiteral("꽝") : QString::number(1000 * i);
    return state;
}

// Milliseconds for one sheet from the first printer call to the closed file.
double OneSheet(const QString &path, const BenchSource &source, qint64 &bytes)
{
    GameState state = FinishedGame();
    QElapsedTimer timer;
    timer.start();
    QtPrinter printer(path, {});
    printer.SetOrientation(PageOrientation::Portrait);
    mdlPrint::PrintResultSheet(state, printer, source);
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    bytes = QFileInfo(path).size();
    return ms;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    fonts::RegisterKoreanSubstitutes();
    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "bench_print: no temporary folder\n");
        return 1;
    }
    const BenchSource source;
    const QString path = dir.filePath(QStringLiteral("sheet.pdf"));

    qint64 bytes = 0;
    const double first = OneSheet(path, source, bytes);
    std::vector<double> runs;
    for (int i = 0; i < kRuns; ++i)
        runs.push_back(OneSheet(path, source, bytes));
    std::sort(runs.begin(), runs.end());

    std::printf("bench_print: result sheet, %d players, PDF through QtPrinter\n", kPlayers);
    std::printf("  first sheet (fonts loading):  %8.2f ms\n", first);
    std::printf("  median of %d more sheets:     %8.2f ms (min %.2f, max %.2f)\n", kRuns,
                runs[runs.size() / 2], runs.front(), runs.back());
    std::printf("  PDF size:                     %8lld bytes\n", static_cast<long long>(bytes));
    Figure("result sheet for 12 players as PDF through Qt print support",
           "%.1f ms (first one %.0f ms, loading fonts); %lld KB", runs[runs.size() / 2], first,
           static_cast<long long>((bytes + 500) / 1000));
    return 0;
}
