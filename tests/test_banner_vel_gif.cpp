// The banner control widget: what it shows, when it asks for the next entry
// (its clocks are driven by hand here, never waited for) and its clicks.
#include "extras/vel_gif.h"
#include "platform/safe_file.h"
#include "support/gif_writer.h"
#include "support/pipe_guard.h"

#include <QBuffer>

#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// 4 x 4 pictures made with ImageMagick for these tests: two frames (red,
// then blue) looping forever, and a single green frame.
const QByteArray kTwoFrameGif = QByteArray::fromHex(
    "47494638396104000400f00000ff000000000021f904000a00000021ff0b4e45545343415045322e30"
    "03010000002c0000000004000400000204848f09050021f904000a0000002c00000000040004008000"
    "00ff0000000204848f0905003b");
const QByteArray kOneFrameGif = QByteArray::fromHex(
    "47494638396104000400f0000000800000000021f90400000000002c0000000004000400000204848f"
    "0905003b");

// kOneFrameGif with a 4000 x 4000 canvas (logical screen) around its frame.
QByteArray HugeCanvasGif()
{
    QByteArray bytes = kOneFrameGif;
    return bytes.replace(6, 4, QByteArray::fromHex("a00fa00f"));
}

const QColor kPictureColour(0x30, 0xa0, 0x50);

} // namespace

class TestBannerVelGif : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void hasTheBannerSize();
    void resolvesImageTexts_data();
    void resolvesImageTexts();
    void onlyPicturesThatPassTheChecksAreShown_data();
    void onlyPicturesThatPassTheChecksAreShown();
    void pictureIsDecodedOnceUntilItChanges();

    void stillPictureCyclesAfterItsTime();
    void startBeforeTheFirstImageTimesThatImage();
    void nothingCyclesBeforeStart();
    void startAgainDoesNotRestartTheEntryTime();
    void missingPictureShowsTheTagAndStillCycles();
    void stillPictureIsPaintedCentred_data();
    void stillPictureIsPaintedCentred();
    void largePictureIsScaledDownToFit();

    void animationsBeyondTheirCapsShowStill_data();
    void animationsBeyondTheirCapsShowStill();
    void twinsOfAnAnimationPlayFrameForFrame_data();
    void twinsOfAnAnimationPlayFrameForFrame();
    void animatedGifCyclesAtTheEndOfEachLoop();
    void shortLoopsWaitForTheMinimumTime();
    void animationThatStopsIsTimedLikeAStill();
    void singleFrameGifIsAStill();
    void loadingFromACycleHandlerKeepsRotating();

    void leftClickRaisesClick();
    void otherClicksDoNot_data();
    void otherClicksDoNot();
    void keyboardActivationRaisesClick();
    void queryClickAnswersYesToOneOnceAnEntryIsShown();
    void tagIsTheTooltipAndAccessibleName();
    void handCursorOverAShownBanner();
    void linkOpenedFlashesBriefly();

private:
    QString WritePicture(const QString &name, QSize size = VelGif::kSize);
    QString WriteBytes(const QString &name, const QByteArray &bytes);

    QTemporaryDir dir_;
};

void TestBannerVelGif::init()
{
    QVERIFY(dir_.isValid());
    QVERIFY(QDir(dir_.path()).mkpath(QStringLiteral("data")));
}

QString TestBannerVelGif::WritePicture(const QString &name, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(kPictureColour);
    const QString path = dir_.filePath(name);
    return image.save(path) ? path : QString();
}

QString TestBannerVelGif::WriteBytes(const QString &name, const QByteArray &bytes)
{
    QFile file(dir_.filePath(name));
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(bytes);
    return file.fileName();
}

void TestBannerVelGif::hasTheBannerSize()
{
    VelGif banner(dir_.path());
    QCOMPARE(banner.size(), QSize(341, 49));
    QCOMPARE(banner.sizeHint(), QSize(341, 49));
}

void TestBannerVelGif::resolvesImageTexts_data()
{
    QTest::addColumn<QString>("image");
    QTest::addColumn<QString>("resolved");

    QTest::newRow("relative") << "data/ad1.gif" << "/opt/kapuna/data/ad1.gif";
    QTest::newRow("bare name") << "ad1.gif" << "/opt/kapuna/ad1.gif";
    QTest::newRow("Windows separators") << "data\\ad1.gif" << "/opt/kapuna/data/ad1.gif";
    QTest::newRow("absolute") << "/srv/pictures/ad1.gif" << "/srv/pictures/ad1.gif";
    QTest::newRow("empty names nothing") << "" << "";
}

void TestBannerVelGif::resolvesImageTexts()
{
    QFETCH(QString, image);
    QFETCH(QString, resolved);
    VelGif banner(QStringLiteral("/opt/kapuna"));
    QCOMPARE(banner.ResolveImage(image), resolved);
}

void TestBannerVelGif::onlyPicturesThatPassTheChecksAreShown_data()
{
    // plainFile: CheckImage's answer before the picture was decoded, from the
    // file's metadata alone; shown: whether LoadImage shows it, and
    // CheckImage's answer from then on.
    QTest::addColumn<QString>("image");
    QTest::addColumn<bool>("plainFile");
    QTest::addColumn<bool>("shown");

    QTest::newRow("picture in the program folder") << "data/ok.png" << true << true;
    QTest::newRow("animated GIF") << "data/anim.gif" << true << true;
    QTest::newRow("missing") << "data/none.png" << false << false;
    QTest::newRow("text posing as a picture") << "data/text.png" << true << false;
    QTest::newRow("folder") << "data" << false << false;
    QTest::newRow("FIFO") << "data/pipe.gif" << false << false;
    QTest::newRow("device") << "/dev/zero" << false << false;
    QTest::newRow("link to a device") << "data/zero.png" << false << false;
    QTest::newRow("huge canvas") << "data/canvas.gif" << true << false;
    QTest::newRow("exactly 4 MiB") << "data/4MiB.png" << true << true;
    QTest::newRow("4 MiB and a byte") << "data/4MiB+1.png" << false << false;
    QTest::newRow("2048 x 2048") << "data/2048x2048.png" << true << true;
    QTest::newRow("2049 x 2048") << "data/2049x2048.png" << true << false;
    QTest::newRow("empty") << "" << false << false;
}

void TestBannerVelGif::onlyPicturesThatPassTheChecksAreShown()
{
    QFETCH(QString, image);
    QFETCH(bool, plainFile);
    QFETCH(bool, shown);
    QVERIFY(!WritePicture(QStringLiteral("data/ok.png")).isEmpty());
    QVERIFY(!WriteBytes(QStringLiteral("data/anim.gif"), kTwoFrameGif).isEmpty());
    QVERIFY(!WriteBytes(QStringLiteral("data/text.png"), "01 not*a*picture\r\n").isEmpty());
    QVERIFY(!WriteBytes(QStringLiteral("data/canvas.gif"), HugeCanvasGif()).isEmpty());
    // The caps at their exact limits: a small picture padded after its end
    // to the byte limit, and canvases of the pixel limit and one column more.
    if (image.startsWith(QLatin1String("data/4MiB"))) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        QVERIFY(QImage(VelGif::kSize, QImage::Format_RGB32).save(&buffer, "PNG"));
        const qint64 size = safe_file::kMaxPictureBytes + image.contains(u'+');
        QVERIFY(!WriteBytes(image, bytes + QByteArray(size - bytes.size(), '\0')).isEmpty());
    }
    if (image.contains(QLatin1String("x2048"))) {
        const int width = image.contains(QLatin1String("2049")) ? 2049 : 2048;
        QVERIFY(!WritePicture(image, QSize(width, 2048)).isEmpty());
    }
    QFile::remove(dir_.filePath(QStringLiteral("data/zero.png")));
    QFile::remove(dir_.filePath(QStringLiteral("data/pipe.gif")));
    QVERIFY(QFile::link(QStringLiteral("/dev/zero"), dir_.filePath(QStringLiteral("data/zero.png"))));
    PipeGuard pipe(dir_.filePath(QStringLiteral("data/pipe.gif")));
    QVERIFY(pipe.Created());

    VelGif banner(dir_.path());
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(banner.CheckImage(image), plainFile);
    banner.LoadImage(image);
    QCOMPARE(banner.Shows() != VelGif::Showing::Tag, shown);
    QCOMPARE(banner.CheckImage(image), shown);
    QVERIFY2(clock.elapsed() < 500, qPrintable(QString::number(clock.elapsed())));
}

void TestBannerVelGif::pictureIsDecodedOnceUntilItChanges()
{
    WritePicture(QStringLiteral("data/ok.png"));
    VelGif banner(dir_.path());
    for (int i = 0; i < 3; ++i)
        banner.LoadImage(QStringLiteral("data/ok.png"));
    QCOMPARE(banner.DecodeCount(), 1);
    WritePicture(QStringLiteral("data/ok.png"), QSize(20, 10));
    banner.LoadImage(QStringLiteral("data/ok.png"));
    QCOMPARE(banner.DecodeCount(), 2);
    QCOMPARE(banner.Picture().size(), QSize(20, 10));
}

void TestBannerVelGif::stillPictureCyclesAfterItsTime()
{
    WritePicture(QStringLiteral("data/ok.png"));
    VelGif banner(dir_.path());
    QSignalSpy cycles(&banner, &VelGif::Cycle);

    banner.LoadImage(QStringLiteral("data/ok.png"));
    banner.Start();
    QCOMPARE(banner.Shows(), VelGif::Showing::Still);
    QVERIFY(banner.EntryTimeRunning());
    QCOMPARE(banner.StillTime(), 4000);
    QCOMPARE(cycles.count(), 0);

    banner.StillTimeUp();
    QCOMPARE(cycles.count(), 1);
    // Nobody moved on: the same entry has its time again.
    QVERIFY(banner.EntryTimeRunning());
    banner.StillTimeUp();
    QCOMPARE(cycles.count(), 2);
}

void TestBannerVelGif::startBeforeTheFirstImageTimesThatImage()
{
    // The start-up order: tag, Start, and only then the picture.
    WritePicture(QStringLiteral("data/ok.png"));
    VelGif banner(dir_.path());
    QSignalSpy cycles(&banner, &VelGif::Cycle);

    banner.SetTag(QStringLiteral("last"));
    banner.Start();
    QVERIFY(!banner.EntryTimeRunning());
    banner.StillTimeUp();
    QCOMPARE(cycles.count(), 0);

    banner.LoadImage(QStringLiteral("data/ok.png"));
    QVERIFY(banner.EntryTimeRunning());
    banner.StillTimeUp();
    QCOMPARE(cycles.count(), 1);
}

void TestBannerVelGif::nothingCyclesBeforeStart()
{
    WritePicture(QStringLiteral("data/ok.png"));
    VelGif banner(dir_.path());
    QSignalSpy cycles(&banner, &VelGif::Cycle);

    banner.LoadImage(QStringLiteral("data/ok.png"));
    QVERIFY(!banner.EntryTimeRunning());
    banner.StillTimeUp();
    banner.AnimationFinished();
    QCOMPARE(cycles.count(), 0);
}

void TestBannerVelGif::startAgainDoesNotRestartTheEntryTime()
{
    WriteBytes(QStringLiteral("data/anim.gif"), kTwoFrameGif);
    VelGif banner(dir_.path());
    banner.SetMinimumLoopTime(0);
    QSignalSpy cycles(&banner, &VelGif::Cycle);

    banner.Start();
    banner.LoadImage(QStringLiteral("data/anim.gif"));
    banner.AnimationFrameShown(1);
    banner.Start(); // would show frame 0 again if it restarted the animation
    QCOMPARE(cycles.count(), 0);
    banner.AnimationFrameShown(0);
    QCOMPARE(cycles.count(), 1);
}

void TestBannerVelGif::missingPictureShowsTheTagAndStillCycles()
{
    VelGif banner(dir_.path());
    QSignalSpy cycles(&banner, &VelGif::Cycle);

    banner.SetTag(QStringLiteral("오늘의 당번"));
    banner.LoadImage(QStringLiteral("data/none.gif"));
    banner.Start();
    QCOMPARE(banner.Shows(), VelGif::Showing::Tag);
    QVERIFY(banner.EntryTimeRunning());
    banner.StillTimeUp();
    QCOMPARE(cycles.count(), 1);

    // The tag is written on the plain field: dark pixels appear that an
    // empty field does not have.
    auto darkPixels = [](const QImage &image) {
        int dark = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                dark += qGray(image.pixel(x, y)) < 100;
        return dark;
    };
    const QImage withTag = banner.grab().toImage();
    banner.SetTag(QString());
    const QImage withoutTag = banner.grab().toImage();
    QVERIFY(darkPixels(withTag) > 20);
    QCOMPARE(darkPixels(withoutTag), 0);
}

void TestBannerVelGif::stillPictureIsPaintedCentred_data()
{
    // The device (its pixel ratio times the zoom) picks the twin that
    // paints: "2x" is small@2x.png, in a colour of its own, and so on.
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<int>("percent");
    QTest::addColumn<QStringList>("twins");
    QTest::addColumn<int>("painted"); // the scale whose colour shows

    const QStringList both{QStringLiteral("2x"), QStringLiteral("4x")};
    QTest::newRow("100 %") << 1.0 << 100 << both << 1;
    QTest::newRow("125 %") << 1.0 << 125 << both << 2;
    QTest::newRow("ratio 2 (a saved picture)") << 2.0 << 100 << both << 2;
    QTest::newRow("ratio 2 at 150 %") << 2.0 << 150 << both << 4;
    QTest::newRow("no twin: the picture scaled") << 2.0 << 200 << QStringList() << 1;
    QTest::newRow("no 4x twin: the 2x") << 2.0 << 200 << QStringList{QStringLiteral("2x")} << 2;
    QTest::newRow("twin of another size") << 2.0 << 100 << QStringList{QStringLiteral("2x wrong")} << 1;
    QTest::newRow("twin that is no picture") << 2.0 << 100 << QStringList{QStringLiteral("2x text")} << 1;
}

void TestBannerVelGif::stillPictureIsPaintedCentred()
{
    QFETCH(qreal, ratio);
    QFETCH(int, percent);
    QFETCH(QStringList, twins);
    QFETCH(int, painted);
    const QColor colours[] = {kPictureColour, QColor(0xd0, 0x30, 0x30), QColor(0x30, 0x40, 0xd0)};
    const auto colourOf = [&](int scale) { return colours[scale == 4 ? 2 : scale - 1]; };
    const auto write = [&](const QString &name, QSize size, int scale) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colourOf(scale));
        QVERIFY(image.save(dir_.filePath(name)));
    };
    write(QStringLiteral("data/small.png"), QSize(41, 9), 1);
    for (int scale : {2, 4})
        QFile::remove(dir_.filePath(QStringLiteral("data/small@%1x.png").arg(scale)));
    for (const QString &twin : twins) {
        const int scale = twin.left(1).toInt();
        const QString name = QStringLiteral("data/small@%1x.png").arg(scale);
        if (twin.endsWith(QLatin1String("text")))
            QVERIFY(!WriteBytes(name, "not a picture").isEmpty());
        else
            write(name, QSize(41, 9) * scale + QSize(twin.endsWith(QLatin1String("wrong")), 0), scale);
    }
    ZoomLevel zoom;
    zoom.Set(units::Zoom{percent});
    VelGif banner(dir_.path(), zoom);
    banner.LoadImage(QStringLiteral("data/small.png"));

    QPixmap shot(banner.size() * ratio);
    shot.setDevicePixelRatio(ratio);
    banner.render(&shot);
    const QImage image = shot.toImage();
    const double pixels = ratio * zoom.Factor();
    QCOMPARE(image.pixelColor(QPoint(170, 24) * pixels), colourOf(painted));
    // Still centred and at its design size: 41 x 9 around the middle.
    QCOMPARE(image.pixelColor(QPoint(151, 21) * pixels), colourOf(painted));
    QVERIFY(image.pixelColor(QPoint(148, 24) * pixels) != colourOf(painted));
    QVERIFY(image.pixelColor(QPoint(5, 5) * pixels) != colourOf(painted));
}

void TestBannerVelGif::largePictureIsScaledDownToFit()
{
    WritePicture(QStringLiteral("data/big.png"), QSize(682, 98));
    VelGif banner(dir_.path());
    banner.LoadImage(QStringLiteral("data/big.png"));

    QCOMPARE(banner.Picture().deviceIndependentSize().toSize(), QSize(341, 49));
    const QImage shot = banner.grab().toImage().scaled(banner.size());
    QCOMPARE(shot.pixelColor(1, 1), kPictureColour);
    QCOMPARE(shot.pixelColor(339, 47), kPictureColour);
}

void TestBannerVelGif::animationsBeyondTheirCapsShowStill_data()
{
    QTest::addColumn<QSize>("canvas");
    QTest::addColumn<int>("frames");
    QTest::addColumn<bool>("plays");
    // The first frame is decoded once more: it counts with the others
    // towards the 2,097,152 pixels.
    QTest::newRow("128 frames") << QSize(16, 16) << 128 << true;
    QTest::newRow("129 frames") << QSize(16, 16) << 129 << false;
    QTest::newRow("4 x 1024 x 512 pixels") << QSize(1024, 512) << 3 << true;
    QTest::newRow("5 x 1024 x 512 pixels") << QSize(1024, 512) << 4 << false;
}

void TestBannerVelGif::animationsBeyondTheirCapsShowStill()
{
    QFETCH(QSize, canvas);
    QFETCH(int, frames);
    QFETCH(bool, plays);
    QVERIFY(!WriteBytes(QStringLiteral("data/anim.gif"), AnimatedGif(canvas, frames)).isEmpty());
    VelGif banner(dir_.path());
    banner.LoadImage(QStringLiteral("data/anim.gif"));
    banner.Start();
    QCOMPARE(banner.Shows(), plays ? VelGif::Showing::Animation : VelGif::Showing::Still);
    // Played from the frames decoded once: the next one is palette colour 1.
    banner.NextFrame();
    QCOMPARE(banner.Picture().toImage().pixelColor(1, 1) == QColor(1, 7, 254), plays);
    banner.LoadImage(QStringLiteral("data/anim.gif"));
    QCOMPARE(banner.DecodeCount(), 1);
}

void TestBannerVelGif::twinsOfAnAnimationPlayFrameForFrame_data()
{
    QTest::addColumn<QSize>("canvas");
    QTest::addColumn<int>("frames");
    QTest::addColumn<int>("twinFrames"); // of anim@2x.gif, at twice the canvas
    QTest::addColumn<bool>("twinServes");
    QTest::newRow("2x twin") << QSize(16, 16) << 3 << 3 << true;
    // 32 x 682 x 98 pixels: over the cap as a picture of its own, within it
    // counted at its design size.
    QTest::newRow("2x twin of 31 frames of the strip") << VelGif::kSize << 31 << 31 << true;
    QTest::newRow("twin with a frame more") << QSize(16, 16) << 3 << 4 << false;
}

void TestBannerVelGif::twinsOfAnAnimationPlayFrameForFrame()
{
    QFETCH(QSize, canvas);
    QFETCH(int, frames);
    QFETCH(int, twinFrames);
    QFETCH(bool, twinServes);
    QVERIFY(!WriteBytes(QStringLiteral("data/anim.gif"), AnimatedGif(canvas, frames)).isEmpty());
    QVERIFY(!WriteBytes(QStringLiteral("data/anim@2x.gif"), AnimatedGif(canvas * 2, twinFrames)).isEmpty());
    VelGif banner(dir_.path());
    banner.LoadImage(QStringLiteral("data/anim.gif"));
    banner.Start();
    QCOMPARE(banner.Shows(), VelGif::Showing::Animation);

    banner.NextFrame();
    const QPixmap shown = banner.PictureFor(2.0);
    QCOMPARE(shown.devicePixelRatio(), twinServes ? 2.0 : 1.0);
    QCOMPARE(shown.deviceIndependentSize().toSize(), canvas);
    // The frame the picture shows: the second, in palette colour 1.
    QCOMPARE(shown.toImage().pixelColor(1, 1), QColor(1, 7, 254));
}

void TestBannerVelGif::animatedGifCyclesAtTheEndOfEachLoop()
{
    WriteBytes(QStringLiteral("data/anim.gif"), kTwoFrameGif);
    VelGif banner(dir_.path());
    banner.SetMinimumLoopTime(0);
    QSignalSpy cycles(&banner, &VelGif::Cycle);

    banner.LoadImage(QStringLiteral("data/anim.gif"));
    QCOMPARE(banner.Shows(), VelGif::Showing::Animation);
    banner.Start(); // shows frame 0
    QVERIFY(banner.EntryTimeRunning());

    banner.AnimationFrameShown(1);
    QCOMPARE(cycles.count(), 0);
    banner.AnimationFrameShown(0);
    QCOMPARE(cycles.count(), 1);
    banner.AnimationFrameShown(1);
    banner.AnimationFrameShown(0);
    QCOMPARE(cycles.count(), 2);
}

void TestBannerVelGif::shortLoopsWaitForTheMinimumTime()
{
    WriteBytes(QStringLiteral("data/anim.gif"), kTwoFrameGif);
    VelGif banner(dir_.path());
    banner.SetMinimumLoopTime(60 * 60 * 1000);
    QSignalSpy cycles(&banner, &VelGif::Cycle);

    banner.LoadImage(QStringLiteral("data/anim.gif"));
    banner.Start();
    for (int loop = 0; loop < 5; ++loop) {
        banner.AnimationFrameShown(1);
        banner.AnimationFrameShown(0);
    }
    QCOMPARE(cycles.count(), 0);
}

void TestBannerVelGif::animationThatStopsIsTimedLikeAStill()
{
    WriteBytes(QStringLiteral("data/anim.gif"), kTwoFrameGif);
    VelGif banner(dir_.path());
    QSignalSpy cycles(&banner, &VelGif::Cycle);

    banner.LoadImage(QStringLiteral("data/anim.gif"));
    banner.Start();
    // Stopped well inside the minimum time: the rest of it is waited out.
    banner.AnimationFinished();
    QCOMPARE(cycles.count(), 0);
    QVERIFY(banner.EntryTimeRunning());
    banner.StillTimeUp();
    QCOMPARE(cycles.count(), 1);

    banner.SetMinimumLoopTime(0);
    banner.AnimationFinished();
    QCOMPARE(cycles.count(), 2);
}

void TestBannerVelGif::singleFrameGifIsAStill()
{
    WriteBytes(QStringLiteral("data/one.gif"), kOneFrameGif);
    VelGif banner(dir_.path());
    banner.LoadImage(QStringLiteral("data/one.gif"));
    QCOMPARE(banner.Shows(), VelGif::Showing::Still);
    QCOMPARE(banner.Picture().toImage().pixelColor(1, 1), QColor(0, 0x80, 0));
}

void TestBannerVelGif::loadingFromACycleHandlerKeepsRotating()
{
    WriteBytes(QStringLiteral("data/anim.gif"), kTwoFrameGif);
    WritePicture(QStringLiteral("data/ok.png"));
    VelGif banner(dir_.path());
    banner.SetMinimumLoopTime(0);
    QStringList order{QStringLiteral("data/ok.png"), QStringLiteral("data/anim.gif")};
    int next = 0;
    connect(&banner, &VelGif::Cycle, &banner, [&] {
        banner.LoadImage(order.at(next++ % 2));
        banner.Start();
    });

    banner.LoadImage(QStringLiteral("data/anim.gif"));
    banner.Start();
    banner.AnimationFrameShown(1);
    banner.AnimationFrameShown(0); // Cycle -> the still
    QCOMPARE(banner.Shows(), VelGif::Showing::Still);
    banner.StillTimeUp(); // Cycle -> the animation again
    QCOMPARE(banner.Shows(), VelGif::Showing::Animation);
    QVERIFY(banner.EntryTimeRunning());
    // The movie dropped inside its own signal is deleted safely later.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(banner.Shows(), VelGif::Showing::Animation);
}

void TestBannerVelGif::leftClickRaisesClick()
{
    VelGif banner(dir_.path());
    QSignalSpy clicks(&banner, &VelGif::Click);
    QTest::mouseClick(&banner, Qt::LeftButton, {}, QPoint(100, 20));
    QCOMPARE(clicks.count(), 1);
}

void TestBannerVelGif::otherClicksDoNot_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<QPoint>("releaseAt");

    QTest::newRow("right button") << Qt::RightButton << QPoint(100, 20);
    QTest::newRow("middle button") << Qt::MiddleButton << QPoint(100, 20);
    QTest::newRow("left, released off the banner") << Qt::LeftButton << QPoint(400, 20);
}

void TestBannerVelGif::otherClicksDoNot()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(QPoint, releaseAt);
    VelGif banner(dir_.path());
    QSignalSpy clicks(&banner, &VelGif::Click);
    QTest::mousePress(&banner, button, {}, QPoint(100, 20));
    QTest::mouseRelease(&banner, button, {}, releaseAt);
    QCOMPARE(clicks.count(), 0);
}

void TestBannerVelGif::keyboardActivationRaisesClick()
{
    VelGif banner(dir_.path());
    QSignalSpy clicks(&banner, &VelGif::Click);
    QTest::keyClick(&banner, Qt::Key_Space);
    QTest::keyClick(&banner, Qt::Key_Return);
    QTest::keyClick(&banner, Qt::Key_A);
    QCOMPARE(clicks.count(), 2);
}

void TestBannerVelGif::queryClickAnswersYesToOneOnceAnEntryIsShown()
{
    VelGif banner(dir_.path());
    QVERIFY(!banner.QueryClick(1));
    banner.LoadImage(QStringLiteral("data/none.png"));
    QVERIFY(banner.QueryClick(1));
    QVERIFY(!banner.QueryClick(0));
    QVERIFY(!banner.QueryClick(2));
}

void TestBannerVelGif::tagIsTheTooltipAndAccessibleName()
{
    VelGif banner(dir_.path());
    banner.SetTag(QStringLiteral("12명까지 함께!"));
    QCOMPARE(banner.Tag(), QStringLiteral("12명까지 함께!"));
    QCOMPARE(banner.toolTip(), QStringLiteral("12명까지 함께!"));
    QCOMPARE(banner.accessibleName(), QStringLiteral("12명까지 함께!"));
}

void TestBannerVelGif::handCursorOverAShownBanner()
{
    VelGif banner(dir_.path());
    QCOMPARE(banner.cursor().shape(), Qt::ArrowCursor);
    banner.LoadImage(QStringLiteral("data/none.png"));
    QCOMPARE(banner.cursor().shape(), Qt::PointingHandCursor);
}

void TestBannerVelGif::linkOpenedFlashesBriefly()
{
    WritePicture(QStringLiteral("data/ok.png"));
    VelGif banner(dir_.path());
    banner.LoadImage(QStringLiteral("data/ok.png"));
    const QImage before = banner.grab().toImage();

    banner.NotifyLinkOpened();
    QVERIFY(banner.IsFlashing());
    const QImage flashing = banner.grab().toImage();
    QVERIFY(flashing.pixelColor(100, 20).lightness() > before.pixelColor(100, 20).lightness());
}

QTEST_MAIN(TestBannerVelGif)
#include "test_banner_vel_gif.moc"
