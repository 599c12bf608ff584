#include "widgets/fonts.h"
#include "app/controls.h"
#include "app/board.h"
#include "widgets/picture_button.h"
#include "widgets/faces.h"
#include "widgets/image_list.h"
#include "widgets/units.h"
#include "extras/vel_gif.h"
#include "support/window_fixture.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QTest>
#include <QTimer>

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void windowHasItsCaptionAndClientSize();
    void controlsStandAtTheirPlaces();
    void templatesAreHidden();
    void tabOrderFollowsTheLayout();
    void pressShowsThePressedFaceWithAnyButton_data();
    void pressShowsThePressedFaceWithAnyButton();
    void releaseOffTheButtonRestoresTheFaceWithoutAClick();
    void picturesResizeOnlyWhereTheyShould_data();
    void picturesResizeOnlyWhereTheyShould();
    void tooltipsExactlyWhereWanted();
    void startsInTheSetupPhase();
    void startsWithTwoEmptyColumns();
    void opensCentredOnTheScreen();
    void exitEndsTheProgramEvenWhileAPenMoves();
    void everyPictureButtonHasAnAccessibleName();
};

void TestMainWindow::initTestCase()
{
    fonts::RegisterKoreanSubstitutes();
}

void TestMainWindow::windowHasItsCaptionAndClientSize()
{
    WindowFixture f;
    QCOMPARE(f.w().windowTitle(), QStringLiteral("Kapuna"));
    QCOMPARE(f.w().size(), QSize(792, 512));
    QVERIFY(!f.w().windowIcon().isNull());
    QCOMPARE(f.w().objectName(), QStringLiteral("frmKapuna"));
}

void TestMainWindow::controlsStandAtTheirPlaces()
{
    WindowFixture f;
    const QRect client = f.w().rect();
    QList<QWidget *> shown;
    for (const ControlEntry &entry : kControls) {
        QWidget *control = Widget(f.w().Ui(), entry.member);
        QVERIFY2(control, entry.name);
        // The name others (tests, a screen reader's tree) see it by.
        QCOMPARE(control->objectName(), QLatin1String(entry.name));
        QCOMPARE(control->parentWidget(), &f.w());
        QVERIFY2(client.contains(control->geometry()), entry.name);
        if (std::holds_alternative<PictureButton *Controls::*>(entry.member)) {
            QVERIFY2(ImageList::PictureSize(entry.normal).isValid(), entry.name);
            QVERIFY2(entry.pressed == face::None || ImageList::PictureSize(entry.pressed).isValid(),
                     entry.name);
        }
        // The banner lies on its own shadow; nothing else shown overlaps.
        if (!entry.template_ && entry.member != ControlMember(&Controls::Picture1))
            shown << control;
    }
    for (int i = 0; i < shown.size(); ++i) {
        for (int j = i + 1; j < shown.size(); ++j)
            QVERIFY2(!shown[i]->geometry().intersects(shown[j]->geometry()),
                     qPrintable(shown[i]->objectName() + " / " + shown[j]->objectName()));
    }
}

void TestMainWindow::templatesAreHidden()
{
    WindowFixture f;
    for (const char *name : {"cmdStart0", "txtName0", "txtbul0", "imgPen0"})
        QVERIFY2(f.w().findChild<QWidget *>(QLatin1String(name))->isHidden(), name);
    // The banner lies over its shadow, which shows along its right and bottom.
    const QList<QObject *> children = f.w().children();
    QVERIFY(children.indexOf(f.w().Ui().Picture1) < children.indexOf(f.w().Ui().VelGif1));
    QCOMPARE(f.w().Ui().Picture1->geometry().topLeft() - f.w().Ui().VelGif1->geometry().topLeft(),
             QPoint(4, 4));
}

namespace {

// The next control that Tab would move to.
QWidget *NextTabStop(QWidget *from)
{
    QWidget *next = from->nextInFocusChain();
    while (next != from
           && (!(next->focusPolicy() & Qt::TabFocus) || !next->isVisibleTo(from->window())
               || next->parentWidget() != from->window()))
        next = next->nextInFocusChain();
    return next;
}

} // namespace

void TestMainWindow::tabOrderFollowsTheLayout()
{
    WindowFixture f;
    QCOMPARE(NextTabStop(f.w().Ui().txtInput), f.w().Ui().lstBul);
    QCOMPARE(NextTabStop(f.w().Ui().lstBul), f.w().Ui().txtMember);
    QCOMPARE(f.w().Ui().txtMember->maxLength(), 2);

    // Name box i takes tab position i, right after the prize entry.
    f.Confirm(3);
    QWidget *w = f.w().Ui().txtInput;
    for (int i = 1; i <= 3; ++i) {
        w = NextTabStop(w);
        QCOMPARE(w, f.w().Play().Columns().txtName(i));
    }
    QCOMPARE(NextTabStop(w), f.w().Ui().lstBul);
}

void TestMainWindow::pressShowsThePressedFaceWithAnyButton_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("normal");
    QTest::addColumn<int>("pressed");
    QTest::addColumn<int>("mouseButton");
    const struct { const char *name; int normal, pressed; } faces[] = {
        {"picUpdown0", 13, 23}, {"picUpdown1", 14, 24}, {"picAdd", 15, 25},
        {"picDel", 16, 26},     {"picClear", 17, 27},   {"picOk", 18, 28},
        {"picReset", 19, 29},   {"picAbout", 20, 30},   {"picHelp", 21, 31},
        {"picEnd", 22, 32},     {"picPrint", 48, 49},
    };
    for (const auto &face : faces) {
        QTest::addRow("%s left", face.name) << face.name << face.normal << face.pressed
                                            << int(Qt::LeftButton);
        QTest::addRow("%s right", face.name) << face.name << face.normal << face.pressed
                                             << int(Qt::RightButton);
    }
}

void TestMainWindow::pressShowsThePressedFaceWithAnyButton()
{
    QFETCH(QString, name);
    QFETCH(int, normal);
    QFETCH(int, pressed);
    QFETCH(int, mouseButton);
    WindowFixture f;
    auto *button = f.w().findChild<PictureButton *>(name);
    QVERIFY(button);
    // Ending the program or opening a box is not what this test is about.
    button->disconnect(SIGNAL(clicked()));
    QCOMPARE(button->Face(), normal);
    QTest::mousePress(button, Qt::MouseButton(mouseButton), {}, QPoint(3, 3));
    QCOMPARE(button->Face(), pressed);
    QTest::mouseRelease(button, Qt::MouseButton(mouseButton), {}, QPoint(3, 3));
    QCOMPARE(button->Face(), normal);
}

void TestMainWindow::releaseOffTheButtonRestoresTheFaceWithoutAClick()
{
    WindowFixture f;
    PictureButton *ok = f.w().Ui().picOk;
    int clicks = 0;
    connect(ok, &PictureButton::clicked, &f.w(), [&clicks] { ++clicks; });
    QTest::mousePress(ok, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(ok->Face(), 28);
    QTest::mouseRelease(ok, Qt::LeftButton, {}, QPoint(200, 10));
    QCOMPARE(ok->Face(), 18);
    QCOMPARE(clicks, 0);
    QCOMPARE(f.w().State().gMemberCount, std::int16_t(0));

    QTest::mouseClick(ok, Qt::RightButton, {}, QPoint(10, 10));
    QCOMPARE(clicks, 0);
    QTest::mouseClick(ok, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(clicks, 1);
    QCOMPARE(f.w().State().gMemberCount, std::int16_t(2));
}

void TestMainWindow::picturesResizeOnlyWhereTheyShould_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("designSize");
    QTest::addColumn<QSize>("pressedSize");
    QTest::newRow("picUpdown1 resizes") << "picUpdown1" << QSize(21, 22) << QSize(23, 23);
    QTest::newRow("picHelp resizes") << "picHelp" << QSize(49, 50) << QSize(47, 49);
    QTest::newRow("picEnd resizes") << "picEnd" << QSize(48, 48) << QSize(47, 48);
    QTest::newRow("picOk keeps its box") << "picOk" << QSize(59, 59) << QSize(59, 59);
    QTest::newRow("picUpdown0 keeps its box") << "picUpdown0" << QSize(19, 21) << QSize(19, 21);
}

void TestMainWindow::picturesResizeOnlyWhereTheyShould()
{
    QFETCH(QString, name);
    QFETCH(QSize, designSize);
    QFETCH(QSize, pressedSize);
    WindowFixture f;
    auto *button = f.w().findChild<PictureButton *>(name);
    button->disconnect(SIGNAL(clicked()));
    QCOMPARE(button->size(), designSize);
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(2, 2));
    QCOMPARE(button->size(), pressedSize);
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(2, 2));
    QCOMPARE(button->size(), designSize);
}

void TestMainWindow::tooltipsExactlyWhereWanted()
{
    WindowFixture f;
    // These four keep their words and add their key; every other picture
    // button names its key too, and nothing else has a tooltip.
    const QMap<QString, QString> worded = {
        {QStringLiteral("picAbout"), QStringLiteral("Kapuna 정보 (")},
        {QStringLiteral("picHelp"), QStringLiteral("도움말 (F1)")},
        {QStringLiteral("picEnd"), QStringLiteral("종료 (")},
        {QStringLiteral("picPrint"), QStringLiteral("게임 결과 인쇄 (")},
    };
    for (QWidget *child : f.w().findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (child == f.w().Ui().VelGif1)
            continue; // the banner names what it shows
        const QString tip = child->toolTip();
        if (worded.contains(child->objectName()))
            QVERIFY2(tip.startsWith(worded.value(child->objectName())) && tip.endsWith(u')'), qPrintable(tip));
        else if (qobject_cast<PictureButton *>(child))
            QVERIFY2(tip.endsWith(u')') && tip.contains(QStringLiteral(" (")), qPrintable(tip));
        else
            QCOMPARE(tip, QString());
    }
}

void TestMainWindow::startsInTheSetupPhase()
{
    WindowFixture f;
    const GameState &s = f.w().State();
    QCOMPARE(f.w().Ui().txtMember->text(), QStringLiteral("2"));
    QVERIFY(s.gManualStart);
    QVERIFY(!s.gLadderCleared);
    QCOMPARE(s.gMemberCount, std::int16_t(0));
    QCOMPARE(s.gLadderLeft, std::int16_t(118));
    QCOMPARE(f.w().Ui().picStart0->Face(), 43);
    QCOMPARE(f.w().Ui().picStart1->Face(), 40);
    QVERIFY(!f.w().Play().Timer1().isActive());
    QVERIFY(!(*f.w().findChild<QTimer *>(QStringLiteral("tmrUpdown"))).isActive());
    QCOMPARE((*f.w().findChild<QTimer *>(QStringLiteral("tmrUpdown"))).interval(), 200);
    QVERIFY(!f.w().Play().KeyPreview());
    QCOMPARE(f.CountCreated<QPushButton>(), 0);
    const Controls &ui = f.w().Ui();
    for (QWidget *w : std::initializer_list<QWidget *>{ui.txtInput, ui.lstBul, ui.txtMember, ui.picDel})
        QVERIFY(w->isEnabled());
}

void TestMainWindow::startsWithTwoEmptyColumns()
{
    WindowFixture f;
    const QImage &image = f.w().Drawing().Image();
    const qreal dpr = image.devicePixelRatio();
    auto inkAt = [&](double xMm, double yMm) {
        const QPoint p(int(units::MmToPx(xMm) * dpr), int(units::MmToPx(yMm) * dpr));
        return qAlpha(image.pixel(p)) > 0;
    };
    for (double y = 36; y <= 126; y += 5) {
        QVERIFY(inkAt(118, y));
        QVERIFY(inkAt(132, y));
        QVERIFY(!inkAt(125, y));
        QVERIFY(!inkAt(104, y));
        QVERIFY(!inkAt(146, y));
    }
    QVERIFY(!inkAt(118, 30));
    QVERIFY(!inkAt(118, 132));
    // At about x = 446 and 499 logical pixels.
    QCOMPARE(qRound(units::MmToPx(118)), 446);
    QCOMPARE(qRound(units::MmToPx(132)), 499);
}

void TestMainWindow::opensCentredOnTheScreen()
{
    WindowFixture f;
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QRect frame = f.w().frameGeometry();
    QVERIFY(qAbs(frame.center().x() - screen.center().x()) <= 1);
    QVERIFY(qAbs(frame.center().y() - screen.center().y()) <= 1);
}

void TestMainWindow::exitEndsTheProgramEvenWhileAPenMoves()
{
    WindowFixture f;
    f.Confirm(4);
    QTest::mouseClick(f.w().Play().Columns().cmdStart(2), Qt::LeftButton);
    QVERIFY(f.w().Play().Timer1().isActive());
    QTimer::singleShot(0, &f.w(), [&f] { QTest::mouseClick(f.w().Ui().picEnd, Qt::LeftButton, {}, QPoint(5, 5)); });
    // A guard so a broken exit fails instead of hanging.
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(99); });
    guard.start(5000);
    QCOMPARE(QCoreApplication::exec(), 0);
    QVERIFY(!f.w().Play().Timer1().isActive());
    QVERIFY(!f.w().isVisible());
}

void TestMainWindow::everyPictureButtonHasAnAccessibleName()
{
    WindowFixture f;
    QSet<QString> names;
    for (PictureButton *b : f.w().findChildren<PictureButton *>()) {
        QVERIFY2(!b->accessibleName().isEmpty(), qPrintable(b->objectName()));
        names.insert(b->accessibleName());
    }
    QCOMPARE(names.size(), f.w().findChildren<PictureButton *>().size());
}

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
