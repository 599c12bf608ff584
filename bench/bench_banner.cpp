// Banner rotation: an hour of it, simulated by 1,000 Cycle events handled
// back to back (at 4 s an entry an hour holds about 900), on the shipped
// list; then the same list with one picture of 5000 x 5000 pixels added
// (over the pixel cap: it must cost nothing once refused) and with one of
// 2048 x 2048 (at the cap: decoded once, then served from the cache). Each
// scenario runs in a process of its own, so its peak memory is its own (and
// the pictures are made by yet another process: a child starts with the peak
// of the process it was forked from).
//
// Then the share of a core that showing the heaviest animation the banner
// accepts takes, on the clock: a list of that one entry rotating for
// kPlaySeconds, every frame drawn, its decoding included (the most pixels
// of canvas at the shortest frame time a GIF can ask for), beside the time
// its decoding takes against the shortest time an entry is shown (the cost
// of a first showing); the same at 200 % on a screen of pixel ratio 2
// (QT_SCALE_FACTOR=2). And the same for an animation over the caps, which
// shows still, and for the shipped animation, at 100 % and from its @4x
// twin at 200 % on a screen of pixel ratio 2 (QT_SCALE_FACTOR=2).
#include "figure.h"
#include "support/gif_writer.h"

#include "extras/banner_rotation.h"
#include "extras/vel_gif.h"
#include "widgets/zoom_level.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTimer>
#include <QElapsedTimer>

#include <sys/resource.h>

#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

constexpr int kCycles = 1000;
constexpr double kHourMs = 3600.0 * 1000.0;
constexpr int kPlaySeconds = 20;

double CpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3
           + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

double PeakMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

int RunChild(int argc, char *argv[], const QString &folder)
{
    QApplication app(argc, argv);
    BannerState state;
    VelGif banner(folder);
    banner.show();
    const QString list = BannerListPath(folder);
    const double peakBefore = PeakMiB();
    const double cpuBefore = CpuMs();
    StartBanner(state, banner, list);
    for (int i = 0; i < kCycles; ++i) {
        AdvanceBanner(state, banner, list);
        banner.repaint();
        // Animations dropped by the next entry go as they would between ticks.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    const double cpu = CpuMs() - cpuBefore;
    std::printf("%8.1f ms CPU, %6.1f us a cycle, %.4f %% of an hour; peak %.1f MiB (%.1f before); "
                "%d decodes\n",
                cpu, cpu * 1e3 / kCycles, 100.0 * cpu / kHourMs, PeakMiB(), peakBefore,
                banner.DecodeCount());
    return 0;
}

// The list's one animation, shown for kPlaySeconds as the window shows it
// at `percent`: each Cycle moves to the next entry, which is this one again.
int PlayChild(int argc, char *argv[], const QString &folder, int percent)
{
    QApplication app(argc, argv);
    BannerState state;
    ZoomLevel zoom;
    zoom.Set(units::Zoom{percent});
    VelGif banner(folder, zoom);
    banner.show();
    const QString list = BannerListPath(folder);
    QObject::connect(&banner, &VelGif::Cycle, &banner, [&] { AdvanceBanner(state, banner, list); });
    QElapsedTimer decode;
    const double cpuBefore = CpuMs();
    decode.start();
    StartBanner(state, banner, list);
    // What the first paint does: decode the twin for the screen, if any.
    const double pixels = banner.devicePixelRatioF() * zoom.Factor();
    banner.PictureFor(pixels);
    const double decodeMs = decode.nsecsElapsed() / 1e6;
    QTimer::singleShot(kPlaySeconds * 1000, &app, &QCoreApplication::quit);
    QElapsedTimer clock;
    clock.start();
    app.exec();
    const double cpu = CpuMs() - cpuBefore;
    // The artwork painted: 1 for the picture itself, else its twin's scale.
    const double artwork = banner.PictureFor(pixels).devicePixelRatio();
    std::printf("%.2f %% of a core (%.0f ms CPU in %.1f s, %s, %gx artwork); first showing: %.0f ms to "
                "decode = %.1f %% of the shortest entry time; peak %.1f MiB\n",
                100.0 * cpu / double(clock.elapsed()), cpu, clock.elapsed() / 1e3,
                banner.Shows() == VelGif::Showing::Animation ? "playing" : "shown still", artwork,
                decodeMs, 100.0 * decodeMs / VelGif::kMinimumLoopTimeMs, PeakMiB());
    return 0;
}

// A program folder whose list holds one animated GIF.
bool MakeAnimationFolder(const QString &to, QSize canvas, int frames)
{
    if (!QDir().mkpath(to + QStringLiteral("/data")))
        return false;
    QFile gif(to + QStringLiteral("/data/anim.gif"));
    QFile list(BannerListPath(to));
    // 2 hundredths of a second: the shortest frame time taken as asked.
    const QByteArray bytes = AnimatedGif(canvas, frames, VelGif::kMinimumFrameMs / 10);
    return gif.open(QIODevice::WriteOnly) && gif.write(bytes) == bytes.size()
           && list.open(QIODevice::WriteOnly)
           && list.write("01 anim*https://kapuna.example/*data/anim.gif\r\n") > 0;
}

// A program folder whose list holds the shipped animation, with its twins.
bool MakeShippedAnimationFolder(const QString &from, const QString &to)
{
    if (!QDir().mkpath(to + QStringLiteral("/data")))
        return false;
    const QStringList gifs =
        QDir(from + QStringLiteral("/data")).entryList({QStringLiteral("banner_ladder*.gif")});
    for (const QString &name : gifs)
        QFile::copy(from + QStringLiteral("/data/") + name, to + QStringLiteral("/data/") + name);
    QFile list(BannerListPath(to));
    return gifs.size() == 3 && list.open(QIODevice::WriteOnly)
           && list.write("01 ladder*https://kapuna.example/*data/banner_ladder.gif\r\n") > 0;
}

// A program folder holding the shipped list and pictures, plus one extra
// entry with a picture of the given size when it is not empty.
bool MakeFolder(const QString &from, const QString &to, QSize extra)
{
    if (!QDir().mkpath(to + QStringLiteral("/data")))
        return false;
    for (const QString &name : QDir(from + QStringLiteral("/data")).entryList(QDir::Files))
        QFile::copy(from + QStringLiteral("/data/") + name, to + QStringLiteral("/data/") + name);
    if (extra.isEmpty())
        return true;
    QImage big(extra, QImage::Format_RGB32);
    big.fill(QColor(0x30, 0xa0, 0x50));
    if (!big.save(to + QStringLiteral("/data/big.png")))
        return false;
    QFile list(BannerListPath(to));
    return list.open(QIODevice::Append)
           && list.write("04 big*https://kapuna.example/big*data/big.png\r\n") > 0;
}

} // namespace

bool RunSelf(const QStringList &arguments, QByteArray *output = nullptr, const char *scaleFactor = nullptr)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    if (scaleFactor) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_SCALE_FACTOR"), QLatin1String(scaleFactor));
        child.setProcessEnvironment(environment);
    }
    child.start(QCoreApplication::applicationFilePath(), arguments);
    if (!child.waitForFinished(300000) || child.exitStatus() != QProcess::NormalExit
        || child.exitCode() != 0)
        return false;
    if (output)
        *output = child.readAllStandardOutput();
    return true;
}

int main(int argc, char *argv[])
{
    if (argc > 2 && std::string(argv[1]) == "--child")
        return RunChild(argc, argv, QString::fromLocal8Bit(argv[2]));
    if (argc > 3 && std::string(argv[1]) == "--play")
        return PlayChild(argc, argv, QString::fromLocal8Bit(argv[2]), std::atoi(argv[3]));
    if (argc > 3 && std::string(argv[1]) == "--make-shipped-gif") {
        QCoreApplication app(argc, argv);
        return MakeShippedAnimationFolder(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]))
                   ? 0
                   : 1;
    }
    if (argc > 5 && std::string(argv[1]) == "--make-gif") {
        QCoreApplication app(argc, argv);
        return MakeAnimationFolder(QString::fromLocal8Bit(argv[2]),
                                   QSize(std::atoi(argv[3]), std::atoi(argv[4])), std::atoi(argv[5]))
                   ? 0
                   : 1;
    }
    if (argc > 4 && std::string(argv[1]) == "--make") {
        QCoreApplication app(argc, argv);
        return MakeFolder(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]),
                          QSize(std::atoi(argv[4]), std::atoi(argv[4])))
                   ? 0
                   : 1;
    }

    QCoreApplication app(argc, argv);
    // The build puts the shipped files one folder above the benchmarks.
    const QString shipped = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral(".."));
    QTemporaryDir temp;
    const struct
    {
        const char *label;
        int extraSide;
    } scenarios[] = {{"shipped list (3 entries)", 0},
                     {"+ a 5000x5000 PNG (over the cap)", 5000},
                     {"+ a 2048x2048 PNG (at the cap)", 2048}};
    int n = 0;
    for (const auto &s : scenarios) {
        const QString folder = temp.filePath(QString::number(n++));
        QByteArray figures;
        if (!RunSelf({QStringLiteral("--make"), shipped, folder, QString::number(s.extraSide)})
            || !RunSelf({QStringLiteral("--child"), folder}, &figures))
            return 1;
        Figure(std::string("banner rotation, ") + std::to_string(kCycles) + " cycles, " + s.label,
               "%s", figures.trimmed().constData());
    }

    // The strip's canvas with as many frames as the pixel cap allows (the
    // first frame counts twice), and a canvas of 1024 x 1024 in three
    // frames, over it. The heaviest also at 200 % on a screen of ratio 2,
    // without a twin: the 1x frames scaled smoothly to four times the
    // pixels at every frame, the dearest way an accepted banner is shown.
    const QSize strip = VelGif::kSize;
    const int heaviest = int(VelGif::kMaxAnimationPixels / (strip.width() * strip.height())) - 1;
    const struct
    {
        const char *label;
        QSize canvas;
        int frames;
        const char *percent;
        const char *scaleFactor;
    } animations[] = {
        {"the heaviest animation accepted", strip, std::min(heaviest, VelGif::kMaxFrames), "100", nullptr},
        {"the heaviest animation accepted, at 200 % on a screen of ratio 2 without a twin", strip,
         std::min(heaviest, VelGif::kMaxFrames), "200", "2"},
        {"an animation over the caps", QSize(1024, 1024), 3, "100", nullptr}};
    for (const auto &a : animations) {
        const QString folder = temp.filePath(QString::number(n++));
        QByteArray figures;
        if (!RunSelf({QStringLiteral("--make-gif"), folder, QString::number(a.canvas.width()),
                      QString::number(a.canvas.height()), QString::number(a.frames)})
            || !RunSelf({QStringLiteral("--play"), folder, QLatin1String(a.percent)}, &figures,
                        a.scaleFactor))
            return 1;
        Figure(std::string("banner shown ") + std::to_string(kPlaySeconds) + " s, " + a.label + " ("
                   + std::to_string(a.frames) + " frames of " + std::to_string(a.canvas.width()) + "x"
                   + std::to_string(a.canvas.height()) + ")",
               "%s", figures.trimmed().constData());
    }

    const QString ladder = temp.filePath(QString::number(n++));
    if (!RunSelf({QStringLiteral("--make-shipped-gif"), shipped, ladder}))
        return 1;
    const struct
    {
        const char *label;
        const char *percent;
        const char *scaleFactor;
    } shows[] = {{"at 100 %", "100", nullptr},
                 {"at 200 % on a screen of ratio 2, from its @4x twin", "200", "2"}};
    for (const auto &show : shows) {
        QByteArray figures;
        if (!RunSelf({QStringLiteral("--play"), ladder, QLatin1String(show.percent)}, &figures,
                     show.scaleFactor))
            return 1;
        Figure(std::string("banner shown ") + std::to_string(kPlaySeconds) + " s, the shipped animation "
                   + show.label,
               "%s", figures.trimmed().constData());
    }
    return 0;
}
