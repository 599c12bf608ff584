// How long the result sheet of a full twelve-player game takes to produce as
// a PDF through the real Qt print path (QtPrinter writing a file, as "PDF로
// 저장…" does), and how big the file is; and how long a press of print
// waits for an answer from a print system that never answers, which must
// be at most 6 seconds whatever the print system does.

#include "figure.h"

#include "game/game_state.h"
#include "platform/pdf_file.h"
#include "platform/print_system.h"
#include "platform/printer.h"
#include "platform/qt_printer_provider.h"
#include "print/result_sheet.h"
#include "print/sheet_source.h"
#include "widgets/fonts.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>

#include <algorithm>
#include <condition_variable>
#include <cstdio>
#include <memory>
#include <mutex>
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
    QSizeF PenTemplateSizeMm() const override { return Printer::PictureSizeMm(QSizeF(32, 32)); }

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
    const Outcome saved = pdf_file::SaveDocument(path, [&](Printer &printer) {
        printer.SetOrientation(PageOrientation::Portrait);
        mdlPrint::PrintResultSheet(state, printer, source);
    });
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    bytes = saved.kind == Outcome::Kind::Saved ? QFileInfo(path).size() : 0;
    return ms;
}

// A print server that takes every call and never answers: it holds each
// call until Release, long after the program stopped waiting for it.
class SilentPrintSystem final : public PrintSystem
{
public:
    enum class Where { Lookup, BeforeTheDocument, AfterTheDocument };

    struct Hold
    {
        std::mutex mutex;
        std::condition_variable changed;
        bool released = false;
        int running = 0;
    };

    SilentPrintSystem(Where where, std::shared_ptr<Hold> hold)
        : where_(where)
        , hold_(std::move(hold))
    {
    }

    std::optional<PrinterDestination> DefaultPrinter(Deadline) override
    {
        if (where_ == Where::Lookup)
            Wait();
        return PrinterDestination{QStringLiteral("Silent"), QMarginsF()};
    }
    Sent Submit(const PrinterDestination &, const QByteArray &, const QString &, Deadline,
                std::atomic<bool> &documentLeft) override
    {
        documentLeft = where_ == Where::AfterTheDocument;
        Wait();
        return Sent::Confirmed;
    }

    static void Release(Hold &hold)
    {
        std::unique_lock lock(hold.mutex);
        hold.released = true;
        hold.changed.notify_all();
        hold.changed.wait(lock, [&] { return hold.running == 0; });
    }

private:
    void Wait()
    {
        std::unique_lock lock(hold_->mutex);
        ++hold_->running;
        hold_->changed.wait(lock, [&] { return hold_->released; });
        --hold_->running;
        hold_->changed.notify_all();
    }

    Where where_;
    std::shared_ptr<Hold> hold_;
};

// Milliseconds from the press to the outcome, against a print system that
// falls silent at where; false when the outcome is not the one expected.
bool SilentPress(SilentPrintSystem::Where where, Outcome::Kind expected, const BenchSource &source,
                 double &ms)
{
    auto hold = std::make_shared<SilentPrintSystem::Hold>();
    QtPrinterProvider printers([](const QString &) { return true; },
                               std::make_unique<SilentPrintSystem>(where, hold), QString(),
                               &QDateTime::currentDateTime);
    GameState state = FinishedGame();
    QElapsedTimer timer;
    timer.start();
    const Outcome outcome = printers.RunJob([&](Printer &printer) {
        printer.SetOrientation(PageOrientation::Portrait);
        mdlPrint::PrintResultSheet(state, printer, source);
    });
    ms = double(timer.nsecsElapsed()) / 1e6;
    SilentPrintSystem::Release(*hold);
    return outcome.kind == expected;
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

    using Where = SilentPrintSystem::Where;
    const std::chrono::duration<double, std::milli> bound =
        QtPrinterProvider::kPrintSystemDeadline + QtPrinterProvider::kGiveUpAfterDeadline
        + std::chrono::milliseconds(500);
    struct Silence
    {
        Where where;
        Outcome::Kind expected;
        const char *what;
    };
    const Silence silences[] = {
        {Where::Lookup, Outcome::Kind::PrinterFailure, "finding the printer"},
        {Where::BeforeTheDocument, Outcome::Kind::PrinterFailure, "taking the job"},
        {Where::AfterTheDocument, Outcome::Kind::Unconfirmed, "confirming the sheet that left"},
    };
    std::vector<double> answers;
    bool failed = false;
    for (const Silence &silence : silences) {
        double ms = 0;
        const bool right = SilentPress(silence.where, silence.expected, source, ms);
        answers.push_back(ms);
        std::printf("  a print system silent at %-31s answered after %7.0f ms%s\n", silence.what, ms,
                    right ? "" : " with the WRONG outcome");
        if (!right || ms > bound.count())
            failed = true;
    }
    Figure("press of print to its answer, print system silent while finding the printer / taking "
           "the job / confirming the sheet",
           "%.2f s / %.2f s / %.2f s (at most 6 s)", answers[0] / 1000, answers[1] / 1000,
           answers[2] / 1000);
    if (failed) {
        std::fprintf(stderr, "bench_print: a press waited longer than %.0f ms or was told wrongly\n",
                     bound.count());
        return 1;
    }
    return 0;
}
