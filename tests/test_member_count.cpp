#include "app/draw_layer.h"
#include "app/controls.h"
#include "widgets/fonts.h"
#include "widgets/image_list.h"
#include "app/main_window.h"
#include "widgets/picture_button.h"
#include "game/game_state.h"
#include "setup/member_count.h"
#include "support/recording_surface.h"
#include "support/window_fixture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTimer>

namespace {

// The count with stand-in controls and a recording surface, so every
// DrawColumns call shows up as one clear.
struct Rig
{
    Rig()
    {
        box->setMaxLength(2);
    }

    GameState state;
    RecordingSurface surface;
    ImageList images;
    QWidget host;
    QLineEdit *box = new QLineEdit(&host);
    std::array<PictureButton *, 2> halves{new PictureButton(images, 13, 23, &host),
                                          new PictureButton(images, 14, 24, &host)};
    QTimer timer;
    MemberCount count{state, surface, box, halves, &timer, nullptr};

    int Columns() const { return int(surface.lines.size()); }
};

struct Window : WindowFixture
{
    QLineEdit *Count() const { return window->Ui().txtMember; }
};

// The spinner's upper (0) or lower (1) half.
PictureButton *Half(const MainWindow &w, int half)
{
    return half == 0 ? w.Ui().picUpdown0 : w.Ui().picUpdown1;
}

bool ShowActive(QWidget &w)
{
    w.show();
    w.activateWindow();
    return QTest::qWaitForWindowActive(&w);
}

void Tick(QTimer &timer)
{
    // The timer's own signal, so the test exercises the real connection.
    QVERIFY(QMetaObject::invokeMethod(&timer, "timeout"));
}

int LeftFor(int n)
{
    const int lefts[] = {0, 0, 118, 110, 104, 96, 90, 82, 76, 68, 62, 54, 48};
    return lefts[n];
}

void SendKey(QWidget *target, int key, const QString &text, quint32 nativeKey = 0,
             Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers, 0, nativeKey, 0, text);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, 0, nativeKey, 0, text);
    QCoreApplication::sendEvent(target, &release);
}

} // namespace

class TestMemberCount : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void startsAtTwoWithTwoColumns();
    void typingASecondDigitGivesTwelve_data();
    void typingASecondDigitGivesTwelve();
    void typingASecondDigitDrawsTwelveColumnsInTheWindow();
    void typingZeroOrOneOverASelectionGivesTwo_data();
    void typingZeroOrOneOverASelectionGivesTwo();
    void everyChangeDrawsOnceWithTheFinalCount_data();
    void everyChangeDrawsOnceWithTheFinalCount();
    void textSetWhileDisabledLeavesTheLadderAlone();
    void anEmptiedBoxShowsTheColumnsCountWhenLeft_data();
    void anEmptiedBoxShowsTheColumnsCountWhenLeft();
    void focusLeavingTheBoxKeepsAValidCount();
    void keyDownLocksOrUnlocksTheBox_data();
    void keyDownLocksOrUnlocksTheBox();
    void inputMethodCommitsTakeOnlyDigits_data();
    void inputMethodCommitsTakeOnlyDigits();
    void pastedTextIsHeldToTheCount_data();
    void pastedTextIsHeldToTheCount();
    void spinnerStepsOncePerClick_data();
    void spinnerStepsOncePerClick();
    void spinnerShowsPressedFacesWhileHeld_data();
    void spinnerShowsPressedFacesWhileHeld();
    void rightButtonRepeatsButDoesNotClick();
    void holdingUpFromTwoGivesSevenThenEightOnRelease();
    void holdingStopsAtTheLimits_data();
    void holdingStopsAtTheLimits();
    void tickAfterTheSpinnerIsLockedChangesNothing();
    void stepIgnoresOtherIndices();
};

void TestMemberCount::initTestCase()
{
    fonts::RegisterKoreanSubstitutes();
}

void TestMemberCount::startsAtTwoWithTwoColumns()
{
    Window win;
    QCOMPARE(win.Count()->text(), QStringLiteral("2"));
    QCOMPARE(int(win.window->State().gLadderLeft), 118);
    QVERIFY(!(*win.window->findChild<QTimer *>(QStringLiteral("tmrUpdown"))).isActive());
    QCOMPARE((*win.window->findChild<QTimer *>(QStringLiteral("tmrUpdown"))).interval(), 200);
}

void TestMemberCount::typingASecondDigitGivesTwelve_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("digit");
    for (int tens = 2; tens <= 9; ++tens) {
        for (int units = 0; units <= 9; ++units)
            QTest::addRow("%d%d", tens, units) << QString::number(tens) << QString::number(units);
    }
}

void TestMemberCount::typingASecondDigitGivesTwelve()
{
    QFETCH(QString, before);
    QFETCH(QString, digit);
    Rig rig;
    rig.box->setText(before);
    const int drawsBefore = rig.surface.clears;

    QTest::keyClicks(rig.box, digit);

    QCOMPARE(rig.box->text(), QStringLiteral("12"));
    QCOMPARE(rig.surface.clears, drawsBefore + 1);
    QCOMPARE(rig.Columns(), 12);
    QCOMPARE(int(rig.state.gLadderLeft), 48);
}

void TestMemberCount::typingASecondDigitDrawsTwelveColumnsInTheWindow()
{
    Window win;
    win.Count()->end(false);
    QTest::keyClicks(win.Count(), QStringLiteral("5"));
    QCOMPARE(win.Count()->text(), QStringLiteral("12"));
    QCOMPARE(int(win.window->State().gLadderLeft), 48);
}

void TestMemberCount::typingZeroOrOneOverASelectionGivesTwo_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("0") << QStringLiteral("0");
    QTest::newRow("1") << QStringLiteral("1");
}

void TestMemberCount::typingZeroOrOneOverASelectionGivesTwo()
{
    QFETCH(QString, typed);
    Rig rig;
    rig.box->setText(QStringLiteral("7"));
    const int drawsBefore = rig.surface.clears;
    rig.box->selectAll();

    QTest::keyClicks(rig.box, typed);

    QCOMPARE(rig.box->text(), QStringLiteral("2"));
    QCOMPARE(rig.surface.clears, drawsBefore + 1);
    QCOMPARE(rig.Columns(), 2);
}

void TestMemberCount::everyChangeDrawsOnceWithTheFinalCount_data()
{
    QTest::addColumn<QString>("set");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("draws");
    QTest::addColumn<int>("columns");

    // The box holds "5" before each row and, like the window's, takes two
    // characters at most.
    QTest::newRow("a count") << "7" << "7" << 1 << 7;
    QTest::newRow("too many") << "99" << "12" << 1 << 12;
    QTest::newRow("thirteen") << "13" << "12" << 1 << 12;
    QTest::newRow("too few") << "0" << "2" << 1 << 2;
    QTest::newRow("empty keeps the columns") << "" << "" << 0 << 5;
    QTest::newRow("leading zero") << "09" << "09" << 1 << 9;
    QTest::newRow("lone minus") << "-" << "5" << 1 << 5;
    QTest::newRow("lone point") << "." << "5" << 1 << 5;
    QTest::newRow("lone plus") << "+" << "5" << 1 << 5;
    QTest::newRow("exponent") << "1e1" << "5" << 1 << 5;
    QTest::newRow("hex") << "0x" << "5" << 1 << 5;
    QTest::newRow("infinity") << "inf" << "5" << 1 << 5;
    QTest::newRow("letters") << "ab" << "5" << 1 << 5;
    QTest::newRow("full-width digits") << "１２" << "5" << 1 << 5;
    QTest::newRow("arabic-indic digit") << "٣" << "5" << 1 << 5;
    QTest::newRow("hangul") << "둘" << "5" << 1 << 5;
    QTest::newRow("leading blank") << " 7" << "7" << 1 << 7;
    QTest::newRow("trailing blank") << "7 " << "7" << 1 << 7;
    QTest::newRow("plus sign") << "+3" << "3" << 1 << 3;
    QTest::newRow("negative") << "-5" << "2" << 1 << 2;
    QTest::newRow("fraction cut to a point") << "5.5" << "5" << 1 << 5;
    QTest::newRow("one and a point") << "1." << "2" << 1 << 2;
    QTest::newRow("fraction") << ".9" << "2" << 1 << 2;
}

void TestMemberCount::everyChangeDrawsOnceWithTheFinalCount()
{
    QFETCH(QString, set);
    QFETCH(QString, shown);
    QFETCH(int, draws);
    QFETCH(int, columns);
    Rig rig;
    rig.box->setText(QStringLiteral("5"));
    const int drawsBefore = rig.surface.clears;

    rig.box->setText(set);

    QCOMPARE(rig.box->text(), shown);
    QCOMPARE(rig.surface.clears - drawsBefore, draws);
    QCOMPARE(rig.Columns(), columns);
}

void TestMemberCount::textSetWhileDisabledLeavesTheLadderAlone()
{
    Window win;
    win.window->picOk_Click();
    QVERIFY(!win.Count()->isEnabled());
    const QImage ladder = win.window->Drawing().Image().copy();
    const int left = win.window->State().gLadderLeft;

    win.Count()->setText(QStringLiteral("99"));
    QCOMPARE(win.Count()->text(), QStringLiteral("12"));
    win.Count()->setText(QStringLiteral("-"));
    QCOMPARE(win.Count()->text(), QStringLiteral("12"));
    QCOMPARE(win.window->Drawing().Image(), ladder);
    QCOMPARE(int(win.window->State().gLadderLeft), left);

    win.window->picReset_Click();
    QCOMPARE(int(win.window->State().gLadderLeft), 48);
}

void TestMemberCount::anEmptiedBoxShowsTheColumnsCountWhenLeft_data()
{
    QTest::addColumn<QString>("leave");
    QTest::newRow("focus to the prize box") << "focus";
    // Neither takes the focus.
    QTest::newRow("click on the background") << "background";
    QTest::newRow("click on a picture button") << "picture";
}

void TestMemberCount::anEmptiedBoxShowsTheColumnsCountWhenLeft()
{
    QFETCH(QString, leave);
    Window win;
    QVERIFY(ShowActive(*win.window));
    win.Count()->setFocus();
    win.Count()->setText(QStringLiteral("5"));
    const QImage fiveColumns = win.window->Drawing().Image().copy();
    win.Count()->selectAll();

    QTest::keyClick(win.Count(), Qt::Key_Delete);

    QCOMPARE(win.Count()->text(), QString());
    QCOMPARE(win.window->Drawing().Image(), fiveColumns);
    QCOMPARE(int(win.window->State().gLadderLeft), 96);

    if (leave == QLatin1String("focus"))
        win.window->Ui().txtInput->setFocus();
    else if (leave == QLatin1String("background"))
        QTest::mouseClick(win.window.get(), Qt::LeftButton, {}, QPoint(2, 2));
    else
        QTest::mouseClick(win.window->Ui().picStart1, Qt::LeftButton, {}, QPoint(5, 5));

    QCOMPARE(win.Count()->text(), QStringLiteral("5"));
    QCOMPARE(win.window->Drawing().Image(), fiveColumns);
    QCOMPARE(int(win.window->State().gLadderLeft), 96);
}

void TestMemberCount::focusLeavingTheBoxKeepsAValidCount()
{
    Window win;
    QVERIFY(ShowActive(*win.window));
    win.Count()->setFocus();
    win.Count()->setText(QStringLiteral("8"));
    QCOMPARE(int(win.window->State().gLadderLeft), 76);
    const QImage eight = win.window->Drawing().Image().copy();

    win.window->Ui().lstBul->setFocus();

    QCOMPARE(win.Count()->text(), QStringLiteral("8"));
    QCOMPARE(win.window->Drawing().Image(), eight);
}

void TestMemberCount::keyDownLocksOrUnlocksTheBox_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<uint>("nativeKey");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("locked");
    QTest::addColumn<QString>("after");

    // The box holds "5", all selected, before the key.
    QTest::newRow("A") << int(Qt::Key_A) << "a" << 0u << 0 << true << "5";
    QTest::newRow("Z") << int(Qt::Key_Z) << "Z" << 0u << 0 << true << "5";
    QTest::newRow("space") << int(Qt::Key_Space) << " " << 0u << 0 << true << "5";
    QTest::newRow("ctrl+V") << int(Qt::Key_V) << "\x16" << 0u << int(Qt::ControlModifier) << true
                            << "5";
    QTest::newRow("ctrl+X") << int(Qt::Key_X) << "\x18" << 0u << int(Qt::ControlModifier) << true
                            << "5";
    QTest::newRow("input-method process key")
        << int(Qt::Key_unknown) << "" << 229u << 0 << true << "5";
    QTest::newRow("digit") << int(Qt::Key_7) << "7" << 0u << 0 << false << "7";
    QTest::newRow("backspace") << int(Qt::Key_Backspace) << "" << 0u << 0 << false << "";
    QTest::newRow("minus") << int(Qt::Key_Minus) << "-" << 0u << 0 << false << "5";
    QTest::newRow("point") << int(Qt::Key_Period) << "." << 0u << 0 << false << "5";
    QTest::newRow("korean letter") << int(Qt::Key_unknown) << "가" << 0u << 0 << false << "5";
    QTest::newRow("full-width digit") << int(Qt::Key_unknown) << "３" << 0u << 0 << false << "5";
    QTest::newRow("arrow") << int(Qt::Key_Left) << "" << 0u << 0 << false << "5";
}

void TestMemberCount::keyDownLocksOrUnlocksTheBox()
{
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(uint, nativeKey);
    QFETCH(int, modifiers);
    QFETCH(bool, locked);
    QFETCH(QString, after);
    QGuiApplication::clipboard()->setText(QStringLiteral("9"));
    Rig rig;
    rig.box->setText(QStringLiteral("5"));
    // Start from the opposite state, so the key itself must decide.
    rig.box->setReadOnly(!locked);
    rig.box->selectAll();

    SendKey(rig.box, key, text, nativeKey, Qt::KeyboardModifiers(modifiers));

    QCOMPARE(rig.box->isReadOnly(), locked);
    QCOMPARE(rig.box->text(), after);
}

void TestMemberCount::inputMethodCommitsTakeOnlyDigits_data()
{
    QTest::addColumn<QString>("preedit");
    QTest::addColumn<QString>("commit");
    QTest::addColumn<QString>("after");

    // The box holds "5", all selected, before the event.
    QTest::newRow("hangul commit") << "" << "가" << "5";
    QTest::newRow("hangul being composed") << "ㄱ" << "" << "5";
    QTest::newRow("full-width digit") << "" << "９" << "5";
    QTest::newRow("latin letter") << "" << "x" << "5";
    QTest::newRow("digit") << "" << "9" << "9";
    QTest::newRow("two digits over twelve") << "" << "40" << "12";
}

void TestMemberCount::inputMethodCommitsTakeOnlyDigits()
{
    QFETCH(QString, preedit);
    QFETCH(QString, commit);
    QFETCH(QString, after);
    Rig rig;
    rig.box->setText(QStringLiteral("5"));
    rig.box->selectAll();

    QInputMethodEvent event(preedit, {});
    event.setCommitString(commit);
    QCoreApplication::sendEvent(rig.box, &event);

    QCOMPARE(rig.box->text(), after);
    QVERIFY(!rig.box->text().isEmpty());
    QCOMPARE(rig.Columns(), rig.box->text().toInt());
}

void TestMemberCount::pastedTextIsHeldToTheCount_data()
{
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("after");

    // Pasted over "5", all selected, as the context menu's Paste does.
    QTest::newRow("digit") << "9" << "9";
    QTest::newRow("too many") << "99" << "12";
    QTest::newRow("too few") << "1" << "2";
    QTest::newRow("long number is cut to two characters") << "8000" << "12";
    QTest::newRow("hangul") << "가" << "5";
    QTest::newRow("lone minus") << "-" << "5";
    QTest::newRow("negative") << "-3" << "5";
    QTest::newRow("full-width digits") << "１２" << "5";
    QTest::newRow("blank and digit") << " 7" << "5";
    QTest::newRow("fraction") << "5.5" << "5";
    QTest::newRow("exponent") << "1e1" << "5";
}

void TestMemberCount::pastedTextIsHeldToTheCount()
{
    QFETCH(QString, clipboard);
    QFETCH(QString, after);
    Rig rig;
    rig.box->setText(QStringLiteral("5"));
    rig.box->selectAll();
    QGuiApplication::clipboard()->setText(clipboard);
    QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);

    rig.box->paste();

    QCOMPARE(rig.box->text(), after);
    QCOMPARE(rig.Columns(), after.toInt());
}

void TestMemberCount::spinnerStepsOncePerClick_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("half");
    QTest::addColumn<QString>("after");

    QTest::newRow("up from 2") << "2" << 0 << "3";
    QTest::newRow("up from 9") << "9" << 0 << "10";
    QTest::newRow("up from 11") << "11" << 0 << "12";
    QTest::newRow("up at 12") << "12" << 0 << "12";
    QTest::newRow("down from 12") << "12" << 1 << "11";
    QTest::newRow("down from 10") << "10" << 1 << "9";
    QTest::newRow("down from 3") << "3" << 1 << "2";
    QTest::newRow("down at 2") << "2" << 1 << "2";
    QTest::newRow("up from a leading zero") << "09" << 0 << "10";
    // The spinner never takes the focus; an emptied box first shows the
    // count of the columns, 2.
    QTest::newRow("up from empty") << "" << 0 << "3";
    QTest::newRow("down from empty") << "" << 1 << "2";
}

void TestMemberCount::spinnerStepsOncePerClick()
{
    QFETCH(QString, before);
    QFETCH(int, half);
    QFETCH(QString, after);
    Window win;
    QVERIFY(ShowActive(*win.window));
    win.Count()->setText(before);

    QTest::mouseClick(Half(*win.window, half), Qt::LeftButton, {}, QPoint(5, 5));

    QCOMPARE(win.Count()->text(), after);
    QCOMPARE(int(win.window->State().gLadderLeft), LeftFor(after.toInt()));
    QVERIFY(!(*win.window->findChild<QTimer *>(QStringLiteral("tmrUpdown"))).isActive());
}

void TestMemberCount::spinnerShowsPressedFacesWhileHeld_data()
{
    QTest::addColumn<int>("half");
    QTest::addColumn<int>("normal");
    QTest::addColumn<int>("pressed");
    QTest::newRow("up") << 0 << 13 << 23;
    QTest::newRow("down") << 1 << 14 << 24;
}

void TestMemberCount::spinnerShowsPressedFacesWhileHeld()
{
    QFETCH(int, half);
    QFETCH(int, normal);
    QFETCH(int, pressed);
    Window win;
    QVERIFY(ShowActive(*win.window));
    PictureButton *button = Half(*win.window, half);
    PictureButton *other = Half(*win.window, 1 - half);
    const auto *spinner = win.window->findChild<MemberCount *>();
    QTest::mousePress(other, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(other, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(spinner->HeldHalf(), 1 - half);

    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(button->Face(), pressed);
    QVERIFY((*win.window->findChild<QTimer *>(QStringLiteral("tmrUpdown"))).isActive());
    QCOMPARE(spinner->HeldHalf(), half);

    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(button->Face(), normal);
    QVERIFY(!(*win.window->findChild<QTimer *>(QStringLiteral("tmrUpdown"))).isActive());
}

void TestMemberCount::rightButtonRepeatsButDoesNotClick()
{
    Window win;
    QVERIFY(ShowActive(*win.window));
    PictureButton *up = win.window->Ui().picUpdown0;

    QTest::mousePress(up, Qt::RightButton, {}, QPoint(5, 5));
    QCOMPARE(up->Face(), 23);
    QVERIFY((*win.window->findChild<QTimer *>(QStringLiteral("tmrUpdown"))).isActive());
    Tick((*win.window->findChild<QTimer *>(QStringLiteral("tmrUpdown"))));
    QCOMPARE(win.Count()->text(), QStringLiteral("3"));
    QTest::mouseRelease(up, Qt::RightButton, {}, QPoint(5, 5));

    QCOMPARE(up->Face(), 13);
    QVERIFY(!(*win.window->findChild<QTimer *>(QStringLiteral("tmrUpdown"))).isActive());
    QCOMPARE(win.Count()->text(), QStringLiteral("3"));
}

void TestMemberCount::holdingUpFromTwoGivesSevenThenEightOnRelease()
{
    Window win;
    QVERIFY(ShowActive(*win.window));
    PictureButton *up = win.window->Ui().picUpdown0;
    QTest::mousePress(up, Qt::LeftButton, {}, QPoint(5, 5));

    // 1.1 s at 200 ms a tick: five ticks before the release.
    const int ticks = 1100 / (*win.window->findChild<QTimer *>(QStringLiteral("tmrUpdown"))).interval();
    QCOMPARE(ticks, 5);
    for (int i = 0; i < ticks; ++i)
        Tick((*win.window->findChild<QTimer *>(QStringLiteral("tmrUpdown"))));
    QCOMPARE(win.Count()->text(), QStringLiteral("7"));
    QCOMPARE(int(win.window->State().gLadderLeft), 82);

    QTest::mouseRelease(up, Qt::LeftButton, {}, QPoint(5, 5));

    QCOMPARE(win.Count()->text(), QStringLiteral("8"));
    QCOMPARE(int(win.window->State().gLadderLeft), 76);
    QVERIFY(!(*win.window->findChild<QTimer *>(QStringLiteral("tmrUpdown"))).isActive());
}

void TestMemberCount::holdingStopsAtTheLimits_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("half");
    QTest::addColumn<QString>("limit");
    QTest::newRow("up from 10") << "10" << 0 << "12";
    QTest::newRow("up at 12") << "12" << 0 << "12";
    QTest::newRow("down from 4") << "4" << 1 << "2";
    QTest::newRow("down at 2") << "2" << 1 << "2";
}

void TestMemberCount::holdingStopsAtTheLimits()
{
    QFETCH(QString, before);
    QFETCH(int, half);
    QFETCH(QString, limit);
    Window win;
    QVERIFY(ShowActive(*win.window));
    win.Count()->setText(before);
    PictureButton *button = Half(*win.window, half);

    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
    for (int i = 0; i < 6; ++i) {
        Tick((*win.window->findChild<QTimer *>(QStringLiteral("tmrUpdown"))));
        const int n = win.Count()->text().toInt();
        QVERIFY2(n >= 2 && n <= 12, qPrintable(win.Count()->text()));
    }
    QCOMPARE(win.Count()->text(), limit);
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(5, 5));

    QCOMPARE(win.Count()->text(), limit);
    QCOMPARE(int(win.window->State().gLadderLeft), LeftFor(limit.toInt()));
}

void TestMemberCount::tickAfterTheSpinnerIsLockedChangesNothing()
{
    Window win;
    QVERIFY(ShowActive(*win.window));
    QTest::mousePress(win.window->Ui().picUpdown0, Qt::LeftButton, {}, QPoint(5, 5));
    win.window->picOk_Click();
    const QImage ladder = win.window->Drawing().Image().copy();

    Tick((*win.window->findChild<QTimer *>(QStringLiteral("tmrUpdown"))));

    QCOMPARE(win.Count()->text(), QStringLiteral("2"));
    QVERIFY(!(*win.window->findChild<QTimer *>(QStringLiteral("tmrUpdown"))).isActive());
    QCOMPARE(win.window->Drawing().Image(), ladder);
}

void TestMemberCount::stepIgnoresOtherIndices()
{
    Rig rig;
    rig.box->setText(QStringLiteral("5"));
    const int draws = rig.surface.clears;
    rig.count.Step(2);
    rig.count.Step(-1);
    QCOMPARE(rig.box->text(), QStringLiteral("5"));
    QCOMPARE(rig.surface.clears, draws);
}

QTEST_MAIN(TestMemberCount)
#include "test_member_count.moc"
