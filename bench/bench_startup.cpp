// Start-up: the time from launching a process to the first painted frame of
// its main window on the offscreen platform, for the game and for a minimal
// Qt program that shows an empty 792 x 512 window, with the peak memory of
// each. Both are launched by this same program in the same way, so the
// ratio compares like with like.
#include "figure.h"

#include "app/main_window.h"
#include "platform/messages.h"
#include "widgets/fonts.h"
#include "widgets/zoom_level.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QTimer>

#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

class SilentMessages final : public Messages
{
public:
    void Inform(const QString &) override {}
};

// Ends the process as soon as the watched window has painted once.
class FirstPaint : public QObject
{
public:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        return false;
    }
};

enum class Child { Game, Minimal, MinimalWithText };

int RunChild(Child kind)
{
    int argc = 1;
    char name[] = "kapuna";
    char *argv[] = {name, nullptr};
    QApplication app(argc, argv);
    FirstPaint first;
    if (kind == Child::Game) {
        fonts::RegisterKoreanSubstitutes();
        SilentMessages messages;
        Services services{messages};
        ZoomLevel zoom;
        MainWindow window(services, zoom);
        window.installEventFilter(&first);
        window.show();
        return app.exec();
    }
    QWidget window;
    window.resize(792, 512);
    if (kind == Child::MinimalWithText) {
        // One line of Korean: the font database and a Korean font loaded,
        // which any window with text pays for and an empty one does not.
        fonts::RegisterKoreanSubstitutes();
        auto *label = new QLabel(QStringLiteral("게임인원"), &window);
        label->setFont(fonts::Gulim(9.75));
        label->move(20, 20);
    }
    window.installEventFilter(&first);
    window.show();
    return app.exec();
}

struct Sample
{
    double ms;
    long peakKiB;
};

Sample Launch(const QString &self, const char *mode)
{
    QElapsedTimer t;
    t.start();
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(self, {QString::fromLatin1(mode)});
    child.waitForFinished(60000);
    const double ms = t.nsecsElapsed() / 1e6;
    // QProcess has reaped the child; its peak is in the children's usage,
    // which only ever grows, so launch each kind in its own helper below.
    return {ms, 0};
}

Sample Measure(const QString &self, const char *mode)
{
    // One intermediate process per measurement, so RUSAGE_CHILDREN holds
    // the peak of exactly one launched program.
    int pipefd[2];
    if (pipe(pipefd) != 0)
        return {0, 0};
    const pid_t pid = fork();
    if (pid == 0) {
        close(pipefd[0]);
        int argc = 1;
        char name[] = "bench";
        char *argv[] = {name, nullptr};
        QCoreApplication app(argc, argv);
        Sample s = Launch(self, mode);
        rusage usage{};
        getrusage(RUSAGE_CHILDREN, &usage);
        s.peakKiB = usage.ru_maxrss;
        const ssize_t written = write(pipefd[1], &s, sizeof s);
        _exit(written == sizeof s ? 0 : 1);
    }
    close(pipefd[1]);
    Sample s{0, 0};
    const ssize_t got = read(pipefd[0], &s, sizeof s);
    close(pipefd[0]);
    waitpid(pid, nullptr, 0);
    return got == sizeof s ? s : Sample{0, 0};
}

Sample Median(std::vector<Sample> v)
{
    std::sort(v.begin(), v.end(), [](const Sample &a, const Sample &b) { return a.ms < b.ms; });
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc > 1 && std::string(argv[1]) == "--child-game")
        return RunChild(Child::Game);
    if (argc > 1 && std::string(argv[1]) == "--child-minimal")
        return RunChild(Child::Minimal);
    if (argc > 1 && std::string(argv[1]) == "--child-minimal-text")
        return RunChild(Child::MinimalWithText);

    const QString self = QString::fromLocal8Bit(argv[0]);
    constexpr int kRuns = 21;
    std::vector<Sample> game, minimal, text;
    std::vector<double> againstText;
    // Interleaved, so a busy moment of the machine hurts all alike; the
    // ratio to the Korean label is the median of the rounds' own ratios,
    // which a moment of load shifts far less than it shifts the times.
    for (int i = 0; i < kRuns; ++i) {
        minimal.push_back(Measure(self, "--child-minimal"));
        text.push_back(Measure(self, "--child-minimal-text"));
        game.push_back(Measure(self, "--child-game"));
        if (text.back().ms > 0)
            againstText.push_back(game.back().ms / text.back().ms);
    }
    const Sample g = Median(game);
    const Sample m = Median(minimal);
    const Sample t = Median(text);
    std::sort(againstText.begin(), againstText.end());
    const double ratioToText = againstText.empty() ? 0.0 : againstText[againstText.size() / 2];
    std::printf("start-up to first frame (median of %d): game %.1f ms, minimal Qt window %.1f ms, "
                "ratio %.2f\n",
                kRuns, g.ms, m.ms, m.ms > 0 ? g.ms / m.ms : 0.0);
    std::printf("start-up to first frame: minimal window with one Korean label %.1f ms, "
                "game / that ratio %.2f (median of the rounds' ratios)\n",
                t.ms, ratioToText);
    std::printf("peak memory: game %ld KiB, minimal Qt window %ld KiB, ratio %.2f\n", g.peakKiB,
                m.peakKiB, m.peakKiB > 0 ? double(g.peakKiB) / m.peakKiB : 0.0);
    Figure("start-up to the first painted frame, game / minimal empty 792×512 window",
           "%.0f ms / %.0f ms = %.2f×", g.ms, m.ms, m.ms > 0 ? g.ms / m.ms : 0.0);
    Figure("the same against a minimal window showing one Korean label", "%.1f ms, %.2f×", t.ms,
           ratioToText);
    Figure("peak memory, game / minimal window", "%.1f MiB / %.1f MiB = %.2f×", g.peakKiB / 1024.0,
           m.peakKiB / 1024.0, m.peakKiB > 0 ? double(g.peakKiB) / m.peakKiB : 0.0);
    // A launch that failed measures nothing: say so rather than print zeros.
    if (g.ms <= 0 || m.ms <= 0 || t.ms <= 0 || g.peakKiB <= 0 || m.peakKiB <= 0) {
        std::fprintf(stderr, "bench_startup: a launched program failed to report\n");
        return 1;
    }
    return 0;
}
