#include "app/zoom.h"
#include "extras/help_viewer.h"
#include "extras/help_window.h"
#include "platform/dialog_zoom.h"
#include "game/palette.h"
#include "platform/settings_store.h"
#include "support/window_fixture.h"
#include "widgets/fonts.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTextBrowser>

#include <tuple>

namespace {

auto DescentFields(const GameState &s)
{
    return std::tuple(s.mPenX, s.mJoinY, s.mGoingDown, s.mNextColumnX, s.mCrossX, s.mCrossNextX,
                      s.mRungY, s.mDownY, s.mDownNextY, s.mPenColor, s.mPenIndex, s.mPlayerIndex);
}

// Within a pixel of the design geometry times the zoom. The design
// geometry was itself rounded to whole pixels, and that half pixel grows
// with the zoom; a start button stands on its own rounded height.
bool Near(const QRect &zoomed, const QRect &design, double factor)
{
    const auto near = [factor](int a, double b) { return std::abs(a - b) <= 1 + factor / 2; };
    return near(zoomed.x(), design.x() * factor) && near(zoomed.y(), design.y() * factor)
           && near(zoomed.width(), design.width() * factor)
           && near(zoomed.height(), design.height() * factor);
}

} // namespace

class TestZoom : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { fonts::RegisterKoreanSubstitutes(); }
    void zoomDuringADescentKeepsItsStateAndResult();
    void everythingScalesWithTheZoom_data();
    void everythingScalesWithTheZoom();
    void rememberedZoomIsClampedToTheScreen_data();
    void rememberedZoomIsClampedToTheScreen();
    void largestZoomIsTheLastStepThatFits_data();
    void largestZoomIsTheLastStepThatFits();
    void everyZoomKeyStepsTheZoom_data();
    void everyZoomKeyStepsTheZoom();
    void boxesTheWindowOpensTakeItsZoom();
};

void TestZoom::zoomDuringADescentKeepsItsStateAndResult()
{
    WindowFixture f;
    f.Confirm(6);
    GameState &s = f.w().State();
    const std::size_t ladder = f.w().Drawing().Segments().size();
    f.w().Play().Run().StartDescent(4);
    const int ticks = f.RunTicks();
    const QString result = s.gResults(4);
    const auto path = std::vector(f.w().Drawing().Segments().begin() + qsizetype(ladder),
                                  f.w().Drawing().Segments().end());

    // The same player again, the zoom changing every few ticks and once
    // during a pause.
    const int steps[] = {125, 200, 100, 175, 150, 300};
    f.w().Play().Run().StartDescent(4);
    int again = 0;
    while (f.w().Play().Timer1().isActive()) {
        f.w().Play().Run().DescentStep();
        if (++again % 5 == 0) {
            const bool pause = again == 20;
            if (pause)
                f.w().Play().Run().TogglePause();
            const auto before = DescentFields(s);
            f.w().SetZoom(units::Zoom{steps[(again / 5) % 6]});
            QCOMPARE(DescentFields(s), before);
            if (pause) {
                QVERIFY(!f.w().Play().Timer1().isActive());
                f.w().Play().Run().TogglePause();
            }
            // The pen stands where its path ends, at this zoom (until the
            // path is over and the pen parked).
            if (f.w().Play().Timer1().isActive()) {
                const QLabel *pen = f.w().Play().Columns().imgPen(4);
                const int x = s.mGoingDown ? s.mPenX : s.mCrossX;
                const int y = s.mGoingDown ? s.mDownY : s.mRungY;
                QCOMPARE(pen->x(), qRound(units::MmToPx(x, f.w().Zoom())));
                QVERIFY(qAbs(pen->geometry().bottom() + 1 - units::MmToPx(y, f.w().Zoom())) <= 1);
            }
        }
    }
    QCOMPARE(again, ticks);
    QCOMPARE(s.gResults(4), result);
    const auto &all = f.w().Drawing().Segments();
    QCOMPARE(all.size(), ladder + 2 * path.size());
    for (std::size_t i = 0; i < path.size(); ++i) {
        const auto &a = path[i];
        const auto &b = all[ladder + path.size() + i];
        QVERIFY(std::tie(a.x1, a.y1, a.x2, a.y2, a.colour, a.width)
                == std::tie(b.x1, b.y1, b.x2, b.y2, b.colour, b.width));
    }
}

void TestZoom::everythingScalesWithTheZoom_data()
{
    QTest::addColumn<int>("percent");
    QTest::addColumn<qreal>("ratio"); // of the screen the window is on afterwards
    for (int percent : {125, 150, 175, 200, 250, 300})
        QTest::addRow("%d %%", percent) << percent << 1.0;
    QTest::newRow("150 %, moved to a screen of ratio 2") << 150 << 2.0;
}

void TestZoom::everythingScalesWithTheZoom()
{
    QFETCH(int, percent);
    QFETCH(qreal, ratio);
    WindowFixture f;
    f.Confirm(12);
    f.w().Play().Run().StartDescent(7);
    for (int i = 0; i < 30; ++i)
        f.w().Play().Run().DescentStep();
    const auto children = f.w().findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    QList<QRect> design;
    for (const QWidget *c : children)
        design << c->geometry();

    const QSizeF printedPen = f.w().Play().PenTemplateSizeMm();

    const units::Zoom zoom{percent};
    f.w().SetZoom(zoom);
    f.w().Drawing().SetDevicePixelRatio(ratio);
    // The sheet is paper: it does not grow with the screen.
    QCOMPARE(f.w().Play().PenTemplateSizeMm(), printedPen);
    QCOMPARE(f.w().size(), QSize(792, 512) * zoom.Factor());
    for (int i = 0; i < children.size(); ++i) {
        if (!Near(children[i]->geometry(), design[i], zoom.Factor()))
            QFAIL(qPrintable(QStringLiteral("%1 %2: %3,%4 %5x%6")
                                 .arg(children[i]->metaObject()->className(),
                                      children[i]->objectName())
                                 .arg(children[i]->x())
                                 .arg(children[i]->y())
                                 .arg(children[i]->width())
                                 .arg(children[i]->height())));
    }

    // The ladder's lines, drawn again at the zoomed size: every column
    // black at its zoomed x, half-way down the ladder.
    const QImage &layer = f.w().Drawing().Image();
    const qreal dpr = layer.devicePixelRatio();
    QCOMPARE(dpr, ratio);
    QCOMPARE(layer.deviceIndependentSize().toSize(), f.w().size());
    for (int c = 1; c <= 12; ++c) {
        const int x = f.w().State().gLadderLeft + 14 * (c - 1);
        const QPoint at(int(units::MmToPx(x, zoom) * dpr), int(units::MmToPx(100, zoom) * dpr));
        QCOMPARE(QColor(layer.pixel(at)).rgb(), palette::Rgb(0) | 0xff000000);
    }
}

void TestZoom::rememberedZoomIsClampedToTheScreen_data()
{
    QTest::addColumn<int>("saved"); // 0: nothing saved
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<int>("restored"); // 0: the window keeps its 100 %
    QTest::newRow("fits") << 200 << QSize(1920, 1080) << 200;
    QTest::newRow("too large for 1080p") << 300 << QSize(1920, 1080) << 200;
    QTest::newRow("a small laptop") << 175 << QSize(1280, 800) << 125;
    QTest::newRow("beyond 200 on 4K") << 400 << QSize(3840, 2160) << 400;
    QTest::newRow("between steps") << 160 << QSize(1920, 1080) << 150;
    QTest::newRow("smaller than the window") << 150 << QSize(640, 480) << 100;
    QTest::newRow("below 100 %") << 50 << QSize(1920, 1080) << 0;
    QTest::newRow("nothing remembered") << 0 << QSize(1920, 1080) << 0;
}

void TestZoom::rememberedZoomIsClampedToTheScreen()
{
    QFETCH(int, saved);
    QFETCH(QSize, screen);
    QFETCH(int, restored);
    QTemporaryDir folder;
    SettingsStore settings(folder.filePath(QStringLiteral("machine.ini")),
                           folder.filePath(QStringLiteral("user.ini")));
    if (saved > 0)
        QVERIFY(settings.WriteZoomPercent(saved));
    const int largest = zoom::Largest(QSize(792, 512), QMargins(8, 40, 8, 8), screen);
    const std::optional<units::Zoom> zoom = zoom::AtStartUp(settings, largest);
    QCOMPARE(zoom.value_or(units::Zoom{0}).percent, restored);
}

void TestZoom::largestZoomIsTheLastStepThatFits_data()
{
    // The window with a title bar and thin borders (8, 40, 8, 8) is
    // 792 x 512 plus 16 x 48: at 200 % exactly 1600 x 1072, at 125 %
    // 1006 x 688.
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<int>("largest");
    QTest::newRow("exactly 200 %") << QSize(1600, 1072) << 200;
    QTest::newRow("a pixel too narrow for 200 %") << QSize(1599, 1072) << 175;
    QTest::newRow("a pixel too low for 200 %") << QSize(1600, 1071) << 175;
    QTest::newRow("exactly 125 %") << QSize(1006, 688) << 125;
    QTest::newRow("a pixel short of 125 %") << QSize(1005, 688) << 100;
    QTest::newRow("smaller than the window") << QSize(640, 480) << 100;
}

void TestZoom::largestZoomIsTheLastStepThatFits()
{
    QFETCH(QSize, screen);
    QFETCH(int, largest);
    QCOMPARE(zoom::Largest(QSize(792, 512), QMargins(8, 40, 8, 8), screen), largest);
}

void TestZoom::everyZoomKeyStepsTheZoom_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("direction"); // 2: no step
    const int ctrl = Qt::ControlModifier;
    const int keypad = Qt::KeypadModifier;
    QTest::newRow("Ctrl+Plus") << int(Qt::Key_Plus) << ctrl << +1;
    QTest::newRow("Ctrl+=") << int(Qt::Key_Equal) << ctrl << +1;
    QTest::newRow("Ctrl+Shift+=") << int(Qt::Key_Equal) << (ctrl | int(Qt::ShiftModifier)) << +1;
    QTest::newRow("Ctrl with plus typed as Shift+=")
        << int(Qt::Key_Plus) << (ctrl | int(Qt::ShiftModifier)) << +1;
    QTest::newRow("Ctrl and keypad plus") << int(Qt::Key_Plus) << (ctrl | keypad) << +1;
    QTest::newRow("Ctrl+Minus") << int(Qt::Key_Minus) << ctrl << -1;
    QTest::newRow("Ctrl and keypad minus") << int(Qt::Key_Minus) << (ctrl | keypad) << -1;
    QTest::newRow("Ctrl+0") << int(Qt::Key_0) << ctrl << 0;
    QTest::newRow("Ctrl and keypad 0") << int(Qt::Key_0) << (ctrl | keypad) << 0;
    // Typing in a text box: no zoom.
    QTest::newRow("plus alone") << int(Qt::Key_Plus) << 0 << 2;
    QTest::newRow("0 alone") << int(Qt::Key_0) << 0 << 2;
}

void TestZoom::everyZoomKeyStepsTheZoom()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, direction);
    QWidget window;
    QList<int> steps;
    new zoom::Keys(&window, [&steps](int step) { steps << step; });
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(steps, direction == 2 ? QList<int>() : QList<int>{direction});
}

void TestZoom::boxesTheWindowOpensTakeItsZoom()
{
    // The window and the boxes share one zoom: what the window is set to,
    // a box made before the change opens at.
    WindowFixture f;
    WindowHelpViewer help(f.zoom);
    QWidget atFirst;
    dialog_zoom::Apply(&atFirst, f.zoom);
    const qreal design = atFirst.font().pointSizeF();
    f.w().SetZoom(units::Zoom{175});
    QWidget box;
    dialog_zoom::Apply(&box, f.zoom);
    QCOMPARE(box.font().pointSizeF(), design * 1.75);
    help.ShowHelp(QStringLiteral("/nonexistent/kapuna.hlp"), HelpViewer::kCommandOpenAtStart);
    QCOMPARE(help.Window()->Browser()->document()->defaultFont().pointSizeF(), 10 * 1.75);
}

QTEST_MAIN(TestZoom)
#include "test_zoom.moc"
