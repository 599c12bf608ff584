#include "widgets/fonts.h"
#include "app/controls.h"
#include "app/main_window.h"
#include "widgets/picture_button.h"
#include "support/window_fixture.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include "support/typing.h"

namespace {

const QString kFull = QStringLiteral("당첨내역이 모두 설정되었습니다.");
const QString kNothingSelected = QStringLiteral("삭제할 내용이없습니다.");
const QString kNothingListed = QStringLiteral("삭제할 내용이 없습니다.");

struct Window : WindowFixture
{
    QLineEdit *Entry() const { return window->Ui().txtInput; }
    QListWidget *List() const { return window->Ui().lstBul; }
    QLineEdit *Count() const { return window->Ui().txtMember; }

    QStringList Items() const
    {
        QStringList items;
        for (int i = 0; i < List()->count(); ++i)
            items << List()->item(i)->text();
        return items;
    }

    void TypeAndEnter(const QString &text) const
    {
        Type(Entry(), text);
        QTest::keyClick(Entry(), Qt::Key_Return);
    }

    void TypeAndClickAdd(const QString &text) const
    {
        Type(Entry(), text);
        Click(window->Ui().picAdd);
    }

    static void Click(PictureButton *button)
    {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
    }

};

bool ShowActive(QWidget &w)
{
    w.show();
    w.activateWindow();
    return QTest::qWaitForWindowActive(&w);
}

} // namespace

class TestPrizeList : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void entryHasTheFocusWhenTheWindowOpens();
    void enterAppendsInOrderAndClearsTheEntry_data();
    void enterAppendsInOrderAndClearsTheEntry();
    void enterOnAnEmptyEntryDoesNothing();
    void otherKeysAreTypedNormally();
    void addButtonAppendsAndFocusesTheEntry();
    void addButtonOnAnEmptyEntryOnlyFocusesIt();
    void sameTextCanBeAddedTwice();
    void fullListRefusesEnterAndEmptiesTheEntryAfterOk();
    void fullListRefusesAddButtonWithoutMovingTheFocus();
    void capacityFollowsTheCount_data();
    void capacityFollowsTheCount();
    void loweringTheCountKeepsEveryPrizeButRefusesMore();
    void prizesBeyondTheCountAreGreyedAndSayWhy_data();
    void prizesBeyondTheCountAreGreyedAndSayWhy();
    void emptyCountBoxCountsAsTwo();
    void entryTakesAtMostFiveCharacters_data();
    void entryTakesAtMostFiveCharacters();
    void composedHangulCountsAsOneCharacter();
    void deleteWithNothingSelectedTellsAndFocusesTheEntry();
    void deleteWithACurrentButUnselectedItemTells();
    void deleteRemovesTheSelectedItemAndSelectsNothing();
    void clearEmptiesTheList();
    void clearOnAnEmptyListTellsAndFocusesTheEntry();
    void theTwoDeleteMessagesDiffer();
};

void TestPrizeList::initTestCase()
{
    fonts::RegisterKoreanSubstitutes();
}

void TestPrizeList::entryHasTheFocusWhenTheWindowOpens()
{
    Window win;
    QVERIFY(ShowActive(*win.window));
    QCOMPARE(QApplication::focusWidget(), win.Entry());
    QVERIFY(!win.List()->isSortingEnabled());
}

void TestPrizeList::enterAppendsInOrderAndClearsTheEntry_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("return") << int(Qt::Key_Return);
    QTest::newRow("keypad enter") << int(Qt::Key_Enter);
}

void TestPrizeList::enterAppendsInOrderAndClearsTheEntry()
{
    QFETCH(int, key);
    Window win;
    win.Count()->setText(QStringLiteral("3"));
    for (const QString &prize : {QStringLiteral("커피"), QStringLiteral("1000"),
                                 QStringLiteral("꽝")}) {
        Type(win.Entry(), prize);
        QTest::keyClick(win.Entry(), Qt::Key(key));
        QCOMPARE(win.Entry()->text(), QString());
    }
    QCOMPARE(win.Items(), (QStringList{"커피", "1000", "꽝"}));
    QVERIFY(win.messages.shown.isEmpty());
}

void TestPrizeList::enterOnAnEmptyEntryDoesNothing()
{
    Window win;
    QTest::keyClick(win.Entry(), Qt::Key_Return);
    QCOMPARE(win.List()->count(), 0);
    QVERIFY(win.messages.shown.isEmpty());
}

void TestPrizeList::otherKeysAreTypedNormally()
{
    Window win;
    Type(win.Entry(), QStringLiteral("a b1"));
    QCOMPARE(win.Entry()->text(), QStringLiteral("a b1"));
    QCOMPARE(win.List()->count(), 0);
}

void TestPrizeList::addButtonAppendsAndFocusesTheEntry()
{
    Window win;
    QVERIFY(ShowActive(*win.window));
    win.List()->setFocus();
    win.Entry()->setText(QStringLiteral("상품"));

    Window::Click(win.window->Ui().picAdd);

    QCOMPARE(win.Items(), QStringList{"상품"});
    QCOMPARE(win.Entry()->text(), QString());
    QCOMPARE(QApplication::focusWidget(), win.Entry());
}

void TestPrizeList::addButtonOnAnEmptyEntryOnlyFocusesIt()
{
    Window win;
    QVERIFY(ShowActive(*win.window));
    win.List()->setFocus();

    Window::Click(win.window->Ui().picAdd);

    QCOMPARE(win.List()->count(), 0);
    QVERIFY(win.messages.shown.isEmpty());
    QCOMPARE(QApplication::focusWidget(), win.Entry());
}

void TestPrizeList::sameTextCanBeAddedTwice()
{
    Window win;
    win.TypeAndEnter(QStringLiteral("꽝"));
    win.TypeAndClickAdd(QStringLiteral("꽝"));
    QCOMPARE(win.Items(), (QStringList{"꽝", "꽝"}));
}

void TestPrizeList::fullListRefusesEnterAndEmptiesTheEntryAfterOk()
{
    Window win;
    QVERIFY(ShowActive(*win.window));
    win.TypeAndEnter(QStringLiteral("A"));
    win.TypeAndEnter(QStringLiteral("B"));
    QString entryWhileShown;
    win.messages.onOk = [&](const QString &) { entryWhileShown = win.Entry()->text(); };

    win.TypeAndEnter(QStringLiteral("C"));

    QCOMPARE(win.messages.shown, QStringList{kFull});
    QCOMPARE(entryWhileShown, QStringLiteral("C"));
    QCOMPARE(win.Entry()->text(), QString());
    QCOMPARE(win.Items(), (QStringList{"A", "B"}));
    QCOMPARE(QApplication::focusWidget(), win.Entry());
}

void TestPrizeList::fullListRefusesAddButtonWithoutMovingTheFocus()
{
    Window win;
    QVERIFY(ShowActive(*win.window));
    win.TypeAndClickAdd(QStringLiteral("A"));
    win.TypeAndClickAdd(QStringLiteral("B"));
    win.Entry()->setText(QStringLiteral("C"));
    win.List()->setFocus();
    QString entryWhileShown;
    win.messages.onOk = [&](const QString &) { entryWhileShown = win.Entry()->text(); };

    Window::Click(win.window->Ui().picAdd);

    QCOMPARE(win.messages.shown, QStringList{kFull});
    QCOMPARE(entryWhileShown, QStringLiteral("C"));
    QCOMPARE(win.Entry()->text(), QString());
    QCOMPARE(win.Items(), (QStringList{"A", "B"}));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(win.List()));
}

void TestPrizeList::capacityFollowsTheCount_data()
{
    QTest::addColumn<QString>("count");
    QTest::addColumn<int>("accepted");
    for (int n = 2; n <= 12; ++n)
        QTest::addRow("%d players", n) << QString::number(n) << n;
}

void TestPrizeList::capacityFollowsTheCount()
{
    QFETCH(QString, count);
    QFETCH(int, accepted);
    Window win;
    win.Count()->setText(count);
    for (int i = 1; i <= accepted; ++i)
        win.TypeAndEnter(QString::number(i));
    QCOMPARE(win.List()->count(), accepted);
    QVERIFY(win.messages.shown.isEmpty());

    win.TypeAndEnter(QStringLiteral("more"));
    win.TypeAndClickAdd(QStringLiteral("more"));

    QCOMPARE(win.messages.shown, (QStringList{kFull, kFull}));
    QCOMPARE(win.List()->count(), accepted);
}

void TestPrizeList::loweringTheCountKeepsEveryPrizeButRefusesMore()
{
    Window win;
    win.Count()->setText(QStringLiteral("5"));
    for (const char *prize : {"a", "b", "c", "d", "e"})
        win.TypeAndEnter(QLatin1String(prize));
    win.Count()->setText(QStringLiteral("3"));
    QCOMPARE(win.List()->count(), 5);

    // 5, 4 and then 3 items: still full for three players.
    for (int remaining = 5; remaining >= 3; --remaining) {
        win.messages.shown.clear();
        win.TypeAndEnter(QStringLiteral("x"));
        QCOMPARE(win.messages.shown, QStringList{kFull});
        QCOMPARE(win.List()->count(), remaining);
        win.List()->setCurrentRow(0);
        Window::Click(win.window->Ui().picDel);
    }
    QCOMPARE(win.Items(), (QStringList{"d", "e"}));

    win.messages.shown.clear();
    win.TypeAndEnter(QStringLiteral("x"));
    QVERIFY(win.messages.shown.isEmpty());
    QCOMPARE(win.Items(), (QStringList{"d", "e", "x"}));
}

void TestPrizeList::prizesBeyondTheCountAreGreyedAndSayWhy_data()
{
    // Five prizes for five players, the count lowered to 3, then `count`
    // typed and the first `deleted` prizes deleted.
    QTest::addColumn<QString>("count");
    QTest::addColumn<int>("deleted");
    QTest::addColumn<int>("used"); // prizes shown as used, from the top
    QTest::newRow("lowered to 2") << "2" << 0 << 2;
    QTest::newRow("raised again to 5") << "5" << 0 << 5;
    // The columns keep the last count while the box is empty.
    QTest::newRow("count being retyped") << "" << 0 << 3;
    QTest::newRow("all but two deleted") << "2" << 3 << 2;
}

void TestPrizeList::prizesBeyondTheCountAreGreyedAndSayWhy()
{
    QFETCH(QString, count);
    QFETCH(int, deleted);
    QFETCH(int, used);
    Window win;
    win.Count()->setText(QStringLiteral("5"));
    for (const char *prize : {"1000", "꽝", "커피", "아메리카노", "2000"})
        win.TypeAndEnter(QString::fromUtf8(prize));
    win.Count()->setText(QStringLiteral("3"));
    win.Count()->setText(count);
    for (int i = 0; i < deleted; ++i)
        delete win.List()->takeItem(0);

    const QString why = QStringLiteral("게임인원이 %1명이라 이 당첨내역은 쓰이지 않습니다.")
                            .arg(count.isEmpty() ? QStringLiteral("3") : count);
    win.List()->doItemsLayout();
    const QImage shot = win.List()->viewport()->grab().toImage();
    for (int row = 0; row < win.List()->count(); ++row) {
        const QListWidgetItem *item = win.List()->item(row);
        QCOMPARE(item->toolTip(), row >= used ? why : QString());
        // Greyed: no pixel of the row as dark as black text's.
        const QRect r = win.List()->visualItemRect(item);
        int darkest = 255;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                darkest = std::min(darkest, qGray(shot.pixel(x, y)));
        QVERIFY2(row >= used ? darkest > 110 : darkest < 80, qPrintable(item->text()));
    }
}

void TestPrizeList::emptyCountBoxCountsAsTwo()
{
    Window win;
    win.Count()->setText(QStringLiteral("6"));
    win.Count()->clear();
    win.TypeAndEnter(QStringLiteral("a"));
    win.TypeAndEnter(QStringLiteral("b"));
    QVERIFY(win.messages.shown.isEmpty());
    win.TypeAndEnter(QStringLiteral("c"));
    QCOMPARE(win.messages.shown, QStringList{kFull});
    QCOMPARE(win.List()->count(), 2);
}

void TestPrizeList::entryTakesAtMostFiveCharacters_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::newRow("latin") << "abcdef" << "abcde";
    QTest::newRow("digits") << "1234567" << "12345";
    QTest::newRow("hangul syllables") << "가나다라마바" << "가나다라마";
    QTest::newRow("mixed") << "상품1호기" << "상품1호기";
}

void TestPrizeList::entryTakesAtMostFiveCharacters()
{
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    Window win;
    win.Count()->setText(QStringLiteral("3"));
    Type(win.Entry(), typed);
    QCOMPARE(win.Entry()->text(), kept);
    QTest::keyClick(win.Entry(), Qt::Key_Return);
    QCOMPARE(win.Items(), QStringList{kept});
}

void TestPrizeList::composedHangulCountsAsOneCharacter()
{
    Window win;
    win.Entry()->setText(QStringLiteral("가나다라"));

    // An input method composes a syllable and then commits it.
    QInputMethodEvent composing(QStringLiteral("ㅎ"), {});
    QCoreApplication::sendEvent(win.Entry(), &composing);
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("한"));
    QCoreApplication::sendEvent(win.Entry(), &commit);
    QCOMPARE(win.Entry()->text(), QStringLiteral("가나다라한"));

    QInputMethodEvent overflow;
    overflow.setCommitString(QStringLiteral("글"));
    QCoreApplication::sendEvent(win.Entry(), &overflow);
    QCOMPARE(win.Entry()->text(), QStringLiteral("가나다라한"));
}

void TestPrizeList::deleteWithNothingSelectedTellsAndFocusesTheEntry()
{
    Window win;
    QVERIFY(ShowActive(*win.window));
    win.Count()->setFocus();
    QWidget *focusWhileShown = nullptr;
    win.messages.onOk = [&](const QString &) { focusWhileShown = QApplication::focusWidget(); };

    Window::Click(win.window->Ui().picDel);

    QCOMPARE(win.messages.shown, QStringList{kNothingSelected});
    QCOMPARE(focusWhileShown, static_cast<QWidget *>(win.Count()));
    QCOMPARE(QApplication::focusWidget(), win.Entry());
}

void TestPrizeList::deleteWithACurrentButUnselectedItemTells()
{
    Window win;
    win.TypeAndEnter(QStringLiteral("a"));
    win.TypeAndEnter(QStringLiteral("b"));
    win.List()->setCurrentRow(1, QItemSelectionModel::NoUpdate);
    QVERIFY(win.List()->currentItem());
    QVERIFY(win.List()->selectedItems().isEmpty());

    Window::Click(win.window->Ui().picDel);

    QCOMPARE(win.messages.shown, QStringList{kNothingSelected});
    QCOMPARE(win.Items(), (QStringList{"a", "b"}));
}

void TestPrizeList::deleteRemovesTheSelectedItemAndSelectsNothing()
{
    Window win;
    win.Count()->setText(QStringLiteral("4"));
    for (const char *prize : {"a", "b", "c", "d"})
        win.TypeAndEnter(QLatin1String(prize));
    win.List()->setCurrentRow(1);

    Window::Click(win.window->Ui().picDel);

    QCOMPARE(win.Items(), (QStringList{"a", "c", "d"}));
    QVERIFY(win.messages.shown.isEmpty());
    QVERIFY(win.List()->selectedItems().isEmpty());

    // A second click finds nothing selected rather than deleting "c".
    Window::Click(win.window->Ui().picDel);
    QCOMPARE(win.Items(), (QStringList{"a", "c", "d"}));
    QCOMPARE(win.messages.shown, QStringList{kNothingSelected});
}

void TestPrizeList::clearEmptiesTheList()
{
    Window win;
    win.TypeAndEnter(QStringLiteral("a"));
    win.TypeAndEnter(QStringLiteral("b"));
    win.List()->setCurrentRow(0);

    Window::Click(win.window->Ui().picClear);

    QCOMPARE(win.List()->count(), 0);
    QVERIFY(win.messages.shown.isEmpty());
}

void TestPrizeList::clearOnAnEmptyListTellsAndFocusesTheEntry()
{
    Window win;
    QVERIFY(ShowActive(*win.window));
    win.List()->setFocus();
    QWidget *focusWhileShown = nullptr;
    win.messages.onOk = [&](const QString &) { focusWhileShown = QApplication::focusWidget(); };

    Window::Click(win.window->Ui().picClear);

    QCOMPARE(win.messages.shown, QStringList{kNothingListed});
    QCOMPARE(focusWhileShown, static_cast<QWidget *>(win.List()));
    QCOMPARE(QApplication::focusWidget(), win.Entry());
}

void TestPrizeList::theTwoDeleteMessagesDiffer()
{
    Window win;
    Window::Click(win.window->Ui().picDel);
    Window::Click(win.window->Ui().picClear);
    QCOMPARE(win.messages.shown, (QStringList{kNothingSelected, kNothingListed}));
    QVERIFY(win.messages.shown[0] != win.messages.shown[1]);
}

QTEST_MAIN(TestPrizeList)
#include "test_prize_list.moc"
