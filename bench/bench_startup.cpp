// Start-up: the time from launching a process to the first painted frame of
// its main window on the offscreen platform, for the game and for a minimal
// Qt program that shows an empty 792 x 512 window, with the peak memory of
// each. Both are launched by this same program in the same way, so the
// ratio compares like with like. The game is launched a second way too,
// with its window-sized pixel buffers as plain QImages (startup_plain_pixels,
// built beside this program), to show what platform/pixel_buffer is worth.
#include "figure.h"
#include "startup_child.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>

#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Sample
{
    double ms;
    long peakKiB;
};

Sample Launch(const QString &program, const QStringList &arguments)
{
    QElapsedTimer t;
    t.start();
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(program, arguments);
    child.waitForFinished(60000);
    const bool ok = child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0;
    // QProcess has reaped the child; its peak is in the children's usage,
    // which only ever grows, so launch each kind in its own helper below.
    return {ok ? t.nsecsElapsed() / 1e6 : 0.0, 0};
}

Sample Measure(const QString &program, const QStringList &arguments)
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
        Sample s = Launch(program, arguments);
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

template <typename T>
T Median(std::vector<T> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    using startup_child::Kind;
    if (argc > 1 && std::string(argv[1]) == "--child-game")
        return startup_child::Run(Kind::Game);
    if (argc > 1 && std::string(argv[1]) == "--child-minimal")
        return startup_child::Run(Kind::Minimal);
    if (argc > 1 && std::string(argv[1]) == "--child-minimal-text")
        return startup_child::Run(Kind::MinimalWithText);

    const QString self = QString::fromLocal8Bit(argv[0]);
    const QString plainPixels = QFileInfo(self).dir().filePath(QStringLiteral("startup_plain_pixels"));
    struct Launched
    {
        QString program;
        QStringList arguments;
        std::vector<Sample> samples;
    };
    enum { kMinimal, kText, kGame, kPlain, kKinds };
    std::array<Launched, kKinds> kinds = {{
        {self, {QStringLiteral("--child-minimal")}, {}},
        {self, {QStringLiteral("--child-minimal-text")}, {}},
        {self, {QStringLiteral("--child-game")}, {}},
        {plainPixels, {}, {}},
    }};
    constexpr int kRuns = 21;
    // Interleaved, so a busy moment of the machine hurts all alike, and in
    // a turning order: whatever is launched first in a round runs on a
    // machine the others have not just warmed. The ratios are the medians
    // of the rounds' own ratios, which a moment of load shifts far less
    // than it shifts the times.
    std::vector<double> againstText, plainAgainstGame;
    for (int round = 0; round < kRuns; ++round) {
        for (int k = 0; k < kKinds; ++k) {
            Launched &kind = kinds[std::size_t((round + k) % kKinds)];
            kind.samples.push_back(Measure(kind.program, kind.arguments));
        }
        const double game = kinds[kGame].samples.back().ms;
        if (kinds[kText].samples.back().ms > 0)
            againstText.push_back(game / kinds[kText].samples.back().ms);
        if (game > 0)
            plainAgainstGame.push_back(kinds[kPlain].samples.back().ms / game);
    }
    const auto ms = [&](int kind) {
        std::vector<double> v;
        for (const Sample &s : kinds[std::size_t(kind)].samples)
            v.push_back(s.ms);
        return Median(v);
    };
    // The median of the peaks: a peak hardly varies from run to run, but
    // when it does, one odd run must not stand for all.
    const auto peakMiB = [&](int kind) {
        std::vector<long> v;
        for (const Sample &s : kinds[std::size_t(kind)].samples)
            v.push_back(s.peakKiB);
        return Median(v) / 1024.0;
    };
    const double g = ms(kGame), m = ms(kMinimal), t = ms(kText), p = ms(kPlain);
    const double gPeak = peakMiB(kGame), mPeak = peakMiB(kMinimal), pPeak = peakMiB(kPlain);
    const double ratioToText = againstText.empty() ? 0.0 : Median(againstText);
    const double plainRatio = plainAgainstGame.empty() ? 0.0 : Median(plainAgainstGame);
    std::printf("start-up to first frame (median of %d): game %.1f ms, minimal Qt window %.1f ms, "
                "ratio %.2f\n",
                kRuns, g, m, m > 0 ? g / m : 0.0);
    std::printf("start-up to first frame: minimal window with one Korean label %.1f ms, "
                "game / that ratio %.2f (median of the rounds' ratios)\n",
                t, ratioToText);
    std::printf("start-up with plain QImage buffers %.1f ms, %.2f times the game's (median of the "
                "rounds' ratios); peak memory %.1f MiB\n",
                p, plainRatio, pPeak);
    std::printf("peak memory (median): game %.1f MiB, minimal Qt window %.1f MiB, ratio %.2f\n",
                gPeak, mPeak, mPeak > 0 ? gPeak / mPeak : 0.0);
    Figure("start-up to the first painted frame, game / minimal empty 792×512 window",
           "%.0f ms / %.0f ms = %.2f×", g, m, m > 0 ? g / m : 0.0);
    Figure("the same against a minimal window showing one Korean label", "%.1f ms, %.2f×", t,
           ratioToText);
    Figure("the same with the window-sized pixel buffers as plain QImage, against the game",
           "%.0f ms, %.2f× (peak memory %.1f MiB)", p, plainRatio, pPeak);
    Figure("peak memory, game / minimal window", "%.1f MiB / %.1f MiB = %.2f×", gPeak, mPeak,
           mPeak > 0 ? gPeak / mPeak : 0.0);
    // A launch that failed measures nothing: say so rather than print zeros.
    for (const Launched &kind : kinds)
        for (const Sample &s : kind.samples)
            if (s.ms <= 0 || s.peakKiB <= 0) {
                std::fprintf(stderr, "bench_startup: %s failed to report\n",
                             qPrintable(kind.program + u' ' + kind.arguments.join(u' ')));
                return 1;
            }
    return 0;
}
