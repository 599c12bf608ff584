// Figures for the game's hot paths: confirming a ladder of twelve, the
// random parts alone, the shuffle with the real clock, and the cost of one
// descent tick including the repaint it causes. Run at device pixel ratio 1;
// it runs itself again at ratio 2 for the tick figures, there also at 200 %
// zoom.
#include "figure.h"

#include "app/board.h"
#include "app/controls.h"
#include "app/main_window.h"
#include "game/drawing_surface.h"
#include "game/ladder.h"
#include "game/random.h"
#include "game/round.h"
#include "platform/messages.h"
#include "widgets/fonts.h"
#include "widgets/zoom_level.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QProcess>
#include <QTimer>

#include <cstdio>

namespace {

class SilentMessages final : public Messages
{
public:
    void Inform(const QString &) override {}
    void Warn(const QString &) override {}
    bool Ask(const QString &) override { return false; }
};

template <typename F>
double MicrosPerCall(int calls, F &&f)
{
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < calls; ++i)
        f();
    return double(t.nsecsElapsed()) / 1000.0 / calls;
}

// Average cost of one tick over whole games of twelve, every player in
// turn: the step, then the paint of what it dirtied (processEvents delivers
// the update), or of the whole window when `whole` is set.
double TickMicros(MainWindow &window, bool whole)
{
    qint64 total = 0;
    int ticks = 0;
    for (int round = 0; round < 3; ++round) {
        window.picOk_Click();
        QCoreApplication::processEvents();
        for (std::int16_t player = 1; player <= 12; ++player) {
            window.Play().Run().StartDescent(player);
            while (window.Play().Timer1().isActive()) {
                QElapsedTimer t;
                t.start();
                window.Play().Run().DescentStep();
                if (whole)
                    window.repaint();
                else
                    QCoreApplication::processEvents();
                total += t.nsecsElapsed();
                ++ticks;
            }
        }
    }
    return double(total) / 1000.0 / ticks;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    fonts::RegisterKoreanSubstitutes();
    const bool tickOnly = app.arguments().contains(QStringLiteral("--tick-only"));

    SilentMessages messages;
    Services services{messages};
    ZoomLevel zoom;
    MainWindow window(services, zoom);
    window.show();
    QCoreApplication::processEvents();
    window.Ui().txtMember->setText(QStringLiteral("12"));
    window.SelectStartMode(1);

    const double dpr = window.devicePixelRatioF();
    const double tick = TickMicros(window, false);
    const double tickFull = qEnvironmentVariableIsSet("KAPUNA_BENCH_DIRTY_ONLY") ? 0.0 : TickMicros(window, true);
    std::printf("tick at device pixel ratio %.0f: %.1f us (step + repaint of the dirtied region), "
                "%.1f us (step + repaint of the whole window)\n",
                dpr, tick, tickFull);
    const std::string ratio = std::to_string(int(dpr + 0.5));
    Figure("one descent tick (step + repaint of what it dirtied), device pixel ratio " + ratio,
           "%.0f µs", tick);
    if (tickFull > 0)
        Figure("the same tick repainting the whole window, ratio " + ratio, "%.2f ms",
               tickFull / 1000.0);
    if (tickOnly) {
        // On the HiDPI screen, the window zoomed to 200 %: four times the
        // pixels of the ratio 1 window at 100 %.
        window.SetZoom(units::Zoom{200});
        QCoreApplication::processEvents();
        const double zoomed = TickMicros(window, false);
        std::printf("tick at 200 %% zoom, device pixel ratio %.0f: %.1f us\n", dpr, zoomed);
        Figure("the same tick at 200 % zoom, device pixel ratio " + ratio, "%.0f µs", zoomed);
        return 0;
    }

    const double confirm = MicrosPerCall(500, [&] { window.picOk_Click(); });
    std::printf("confirm, 12 players (controls + drawing): %.1f us\n", confirm);
    Figure("confirm for 12 players: 48 controls created, ladder generated and drawn", "%.2f ms",
           confirm / 1000.0);

    GameState state;
    NoSurface surface;
    state.gMemberCount = 12;
    Random random(NewRoundSeed());
    const double ladder = MicrosPerCall(2000, [&] {
        state.gShuffle.Recreate(12);
        ShuffleInto(state, 12, random);
        state.gShuffle.Recreate(12);
        ShuffleInto(state, 12, random);
        DrawLadder(state, surface, random);
    });
    std::printf("DrawLadder + two ShuffleInto(12), no drawing: %.1f us\n", ladder);
    Figure("DrawLadder + two ShuffleInto(12), no drawing", "%.0f µs", ladder);

    // A real path driven by the real timer, against its nominal duration.
    window.picOk_Click();
    window.Play().Run().StartDescent(1);
    int ticks = 0;
    QEventLoop loop;
    QTimer watcher;
    watcher.setInterval(1);
    QObject::connect(&window.Play().Timer1(), &QTimer::timeout, &loop, [&] { ++ticks; });
    QObject::connect(&watcher, &QTimer::timeout, &loop, [&] {
        if (!window.Play().Timer1().isActive())
            loop.quit();
    });
    QElapsedTimer t;
    t.start();
    watcher.start();
    loop.exec();
    const double wall = t.nsecsElapsed() / 1e6;
    std::printf("timer-driven path: %d ticks in %.1f ms, nominal %d ms, ratio %.3f\n", ticks, wall,
                ticks * 10, wall / (ticks * 10.0));
    Figure("a real timer-driven path against its nominal (18 + 7·r) × 10 ms", "ratio %.3f",
           wall / (ticks * 10.0));

    // The tick again on a HiDPI screen.
    QProcess hidpi;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_SCALE_FACTOR"), QStringLiteral("2"));
    hidpi.setProcessEnvironment(env);
    hidpi.setProcessChannelMode(QProcess::ForwardedChannels);
    std::fflush(stdout);
    hidpi.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--tick-only")});
    if (!hidpi.waitForFinished(120000) || hidpi.exitStatus() != QProcess::NormalExit) {
        std::fprintf(stderr, "bench_game: the run at device pixel ratio 2 did not finish\n");
        return 1;
    }
    return hidpi.exitCode();
}
