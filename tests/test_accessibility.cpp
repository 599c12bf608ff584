#include "widgets/accessibility.h"
#include "widgets/fonts.h"
#include "support/window_fixture.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QLabel>
#include <QListWidget>
#include <QTest>

namespace {

QAccessibleInterface *Accessible(QWidget *w)
{
    return QAccessible::queryAccessibleInterface(w);
}

QAccessibleInterface *Accessible(const MainWindow &w, const QString &name)
{
    return Accessible(w.findChild<QWidget *>(name));
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        fonts::RegisterKoreanSubstitutes();
        accessibility::InstallFactory();
    }
    void eachControlHasItsRoleAndName_data();
    void eachControlHasItsRoleAndName();
    void buttonsArePressedAndTheStartModesToggled();
    void hiddenControlsAreLeftOut();
    void prizeBoxIsNamedWithItsPrizeOnceRevealed();
};

void TestAccessibility::eachControlHasItsRoleAndName_data()
{
    QTest::addColumn<QAccessible::Role>("role");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("checked"); // -1: not an option
    const auto row = [](const char *object, QAccessible::Role role, const char *name,
                        int checked = -1) {
        QTest::newRow(object) << role << QString::fromUtf8(name) << checked;
    };
    row("frmKapuna", QAccessible::Window, "Kapuna");
    row("txtInput", QAccessible::EditableText, "당첨내역 입력");
    row("lstBul", QAccessible::List, "당첨내역 목록");
    row("txtMember", QAccessible::EditableText, "게임인원");
    for (const auto &[object, name] : {std::pair{"picUpdown0", "인원 늘리기"}, {"picUpdown1", "인원 줄이기"},
                                       {"picAdd", "추가"}, {"picDel", "삭제"}, {"picClear", "전체삭제"},
                                       {"picOk", "게임시작"}, {"picReset", "게임재설정"}, {"picEnd", "종료"},
                                       {"picAbout", "Kapuna 정보"}, {"picHelp", "도움말"},
                                       {"picPrint", "게임 결과 인쇄"}})
        row(object, QAccessible::Button, name);
    // The game starts one player at a time.
    row("picStart0", QAccessible::RadioButton, "전체시작", 0);
    row("picStart1", QAccessible::RadioButton, "선택시작", 1);
}

void TestAccessibility::eachControlHasItsRoleAndName()
{
    QFETCH(QAccessible::Role, role);
    QFETCH(QString, name);
    QFETCH(int, checked);
    WindowFixture f;
    const QString object = QString::fromLatin1(QTest::currentDataTag());
    QAccessibleInterface *control =
        object == f.w().objectName() ? Accessible(&f.w()) : Accessible(f.w(), object);
    QVERIFY(control);
    QCOMPARE(control->role(), role);
    QCOMPARE(control->text(QAccessible::Name), name);
    QCOMPARE(control->state().checkable, checked >= 0);
    QCOMPARE(int(control->state().checked), std::max(checked, 0));
}

void TestAccessibility::buttonsArePressedAndTheStartModesToggled()
{
    WindowFixture f;
    QAccessibleInterface *allAtOnce = Accessible(f.w(), QStringLiteral("picStart0"));
    allAtOnce->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    QVERIFY(allAtOnce->state().checked && !f.w().State().gManualStart);
    QVERIFY(!Accessible(f.w(), QStringLiteral("picStart1"))->state().checked);

    Accessible(f.w(), QStringLiteral("picOk"))
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(f.w().Play().Columns().Count(), 2);
    // Locked for the round: disabled, nothing to press.
    QAccessibleInterface *add = Accessible(f.w(), QStringLiteral("picAdd"));
    QVERIFY(add->state().disabled);
    QVERIFY(add->actionInterface()->actionNames().isEmpty());
}

void TestAccessibility::hiddenControlsAreLeftOut()
{
    WindowFixture f;
    f.Confirm(2);
    QAccessibleInterface *window = Accessible(&f.w());
    for (const char *kept : {"cmdStart0", "txtName0", "txtbul0", "imgPen0"})
        QCOMPARE(window->indexOfChild(Accessible(f.w(), QLatin1String(kept))), -1);
    QVERIFY(window->indexOfChild(Accessible(f.w(), QStringLiteral("txtInput"))) >= 0);
    // A pen stays hidden until it moves.
    QCOMPARE(window->indexOfChild(Accessible(f.w().Play().Columns().imgPen(1))), -1);
    QVERIFY(window->indexOfChild(Accessible(f.w().Play().Columns().txtbul(1))) >= 0);
}

void TestAccessibility::prizeBoxIsNamedWithItsPrizeOnceRevealed()
{
    WindowFixture f;
    f.w().Ui().lstBul->addItems({QStringLiteral("커피"), QStringLiteral("꽝"), QStringLiteral("과자")});
    f.Confirm(3, false);
    ColumnControls &columns = f.w().Play().Columns();
    const auto name = [&](int c) { return Accessible(columns.txtbul(c))->text(QAccessible::Name); };
    QCOMPARE(name(3), QStringLiteral("3번 당첨내역"));
    columns.cmdStart(1)->click();
    f.RunTicks();
    for (int c = 1; c <= 3; ++c)
        QCOMPARE(name(c), QStringLiteral("%1번 당첨: %2").arg(c).arg(columns.txtbul(c)->text()));
    QVERIFY(!columns.txtbul(3)->text().isEmpty());

    f.w().picReset_Click();
    f.Confirm(3, false);
    QCOMPARE(name(3), QStringLiteral("3번 당첨내역"));
}

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
