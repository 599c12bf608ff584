#include "app/column_controls.h"
#include "app/controls.h"
#include "app/board.h"
#include "widgets/fonts.h"
#include "app/main_window.h"
#include "setup/name_box_focus.h"
#include "support/window_fixture.h"

#include <QApplication>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

#include "support/typing.h"

namespace {

const QString kPlaceholder = QStringLiteral("(이름)");

// A confirmed ladder whose name boxes have the got-focus selection.
struct Window : WindowFixture
{
    explicit Window(int count = 3)
    {
        window->activateWindow();
        active = QTest::qWaitForWindowActive(window.get());
        Confirm(count);
        AttachNameBoxes();
    }

    void AttachNameBoxes() const
    {
        for (int i = 1; i <= window->Play().Columns().Count(); ++i)
            NameBoxFocus::Attach(Name(i));
    }

    QLineEdit *Name(int i) const { return window->Play().Columns().txtName(i); }

    bool active = false;
};

// A point inside the text, right of its middle, where a plain click would
// put the caret.
QPoint IntoTheText(const QLineEdit *box)
{
    return QPoint(box->width() / 2 + 4, box->height() / 2);
}

} // namespace

class TestNameBoxes : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void nameBoxesStartWithThePlaceholder();
    void focusSelectsTheWholeText_data();
    void focusSelectsTheWholeText();
    void clickingIntoThePlaceholderSelectsItAll();
    void firstTypedCharacterReplacesTheSelection();
    void draggingDuringTheFocusingClickKeepsTheSelection();
    void clickInAFocusedBoxPlacesTheCaret();
    void clickingIntoATypedNameSelectsIt();
    void tabbingThroughTheNamesSelectsEach();
    void returningWindowFocusKeepsTheUsersSelection();
    void nameTakesFourCharacters_data();
    void nameTakesFourCharacters();
    void composedNameReplacesThePlaceholder();
    void attachingTwiceGivesTheSameHandler();
    void newLadderBoxesBehaveTheSame();
};

void TestNameBoxes::initTestCase()
{
    fonts::RegisterKoreanSubstitutes();
}

void TestNameBoxes::nameBoxesStartWithThePlaceholder()
{
    Window win;
    QVERIFY(win.active);
    QCOMPARE(win.window->Play().Columns().Count(), 3);
    for (int i = 1; i <= 3; ++i) {
        QCOMPARE(win.Name(i)->text(), kPlaceholder);
        QCOMPARE(kPlaceholder.size(), 4);
    }
}

void TestNameBoxes::focusSelectsTheWholeText_data()
{
    QTest::addColumn<int>("reason");
    QTest::newRow("tab") << int(Qt::TabFocusReason);
    QTest::newRow("backtab") << int(Qt::BacktabFocusReason);
    QTest::newRow("program") << int(Qt::OtherFocusReason);
    QTest::newRow("mouse") << int(Qt::MouseFocusReason);
}

void TestNameBoxes::focusSelectsTheWholeText()
{
    QFETCH(int, reason);
    Window win;
    QVERIFY(win.active);
    QLineEdit *box = win.Name(2);
    box->setText(QStringLiteral("홍길"));
    box->deselect();

    box->setFocus(Qt::FocusReason(reason));

    QVERIFY(box->hasFocus());
    QCOMPARE(box->selectionStart(), 0);
    QCOMPARE(box->selectedText(), QStringLiteral("홍길"));
}

void TestNameBoxes::clickingIntoThePlaceholderSelectsItAll()
{
    Window win;
    QVERIFY(win.active);
    QLineEdit *box = win.Name(1);
    QVERIFY(!box->hasFocus());

    QTest::mouseClick(box, Qt::LeftButton, {}, IntoTheText(box));

    QVERIFY(box->hasFocus());
    QCOMPARE(box->selectionStart(), 0);
    QCOMPARE(box->selectedText(), kPlaceholder);
}

void TestNameBoxes::firstTypedCharacterReplacesTheSelection()
{
    Window win;
    QVERIFY(win.active);
    QLineEdit *box = win.Name(3);
    QTest::mouseClick(box, Qt::LeftButton, {}, IntoTheText(box));

    Type(box, QStringLiteral("김"));
    QCOMPARE(box->text(), QStringLiteral("김"));
    Type(box, QStringLiteral("철수"));
    QCOMPARE(box->text(), QStringLiteral("김철수"));
}

void TestNameBoxes::draggingDuringTheFocusingClickKeepsTheSelection()
{
    Window win;
    QVERIFY(win.active);
    QLineEdit *box = win.Name(1);
    const QPoint at = IntoTheText(box);

    QTest::mousePress(box, Qt::LeftButton, {}, at);
    QTest::mouseMove(box, at + QPoint(6, 0));
    QTest::mouseMove(box, QPoint(2, at.y()));
    QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(2, at.y()));

    QCOMPARE(box->selectedText(), kPlaceholder);
}

void TestNameBoxes::clickInAFocusedBoxPlacesTheCaret()
{
    Window win;
    QVERIFY(win.active);
    QLineEdit *box = win.Name(2);
    QTest::mouseClick(box, Qt::LeftButton, {}, IntoTheText(box));
    QCOMPARE(box->selectedText(), kPlaceholder);

    // Past the double-click interval, so this is a click of its own.
    QTest::mouseClick(box, Qt::LeftButton, {}, IntoTheText(box), 1000);

    QVERIFY(!box->hasSelectedText());
    QVERIFY(box->cursorPosition() > 0);
    QVERIFY(box->cursorPosition() < 4);
}

void TestNameBoxes::clickingIntoATypedNameSelectsIt()
{
    Window win;
    QVERIFY(win.active);
    QLineEdit *first = win.Name(1);
    QTest::mouseClick(first, Qt::LeftButton, {}, IntoTheText(first));
    Type(first, QStringLiteral("영희"));
    QTest::mouseClick(win.Name(2), Qt::LeftButton, {}, IntoTheText(win.Name(2)));
    QVERIFY(!first->hasSelectedText());

    QTest::mouseClick(first, Qt::LeftButton, {}, QPoint(3, first->height() / 2));

    QCOMPARE(first->selectedText(), QStringLiteral("영희"));
    Type(first, QStringLiteral("민"));
    QCOMPARE(first->text(), QStringLiteral("민"));
}

void TestNameBoxes::tabbingThroughTheNamesSelectsEach()
{
    Window win;
    QVERIFY(win.active);
    win.Name(1)->setFocus(Qt::TabFocusReason);
    for (int i = 2; i <= 3; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(win.Name(i)));
        QCOMPARE(win.Name(i)->selectedText(), kPlaceholder);
    }
}

void TestNameBoxes::returningWindowFocusKeepsTheUsersSelection()
{
    Window win;
    QVERIFY(win.active);
    QLineEdit *box = win.Name(1);
    box->setFocus();
    box->setCursorPosition(2);
    QVERIFY(!box->hasSelectedText());

    QFocusEvent back(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
    QCoreApplication::sendEvent(box, &back);
    QFocusEvent fromMenu(QEvent::FocusIn, Qt::PopupFocusReason);
    QCoreApplication::sendEvent(box, &fromMenu);

    QVERIFY(!box->hasSelectedText());
    QCOMPARE(box->cursorPosition(), 2);
}

void TestNameBoxes::nameTakesFourCharacters_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::newRow("two syllables") << "홍길" << "홍길";
    QTest::newRow("four syllables") << "남궁민수" << "남궁민수";
    QTest::newRow("five syllables") << "남궁민수야" << "남궁민수";
    QTest::newRow("latin") << "Alexander" << "Alex";
}

void TestNameBoxes::nameTakesFourCharacters()
{
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    Window win;
    QVERIFY(win.active);
    QLineEdit *box = win.Name(1);
    QTest::mouseClick(box, Qt::LeftButton, {}, IntoTheText(box));
    Type(box, typed);
    QCOMPARE(box->text(), kept);
}

void TestNameBoxes::composedNameReplacesThePlaceholder()
{
    Window win;
    QVERIFY(win.active);
    QLineEdit *box = win.Name(2);
    QTest::mouseClick(box, Qt::LeftButton, {}, IntoTheText(box));

    QInputMethodEvent composing(QStringLiteral("호"), {});
    QCoreApplication::sendEvent(box, &composing);
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("홍"));
    QCoreApplication::sendEvent(box, &commit);
    QCOMPARE(box->text(), QStringLiteral("홍"));

    for (const char16_t *syllable : {u"길", u"동", u"이", u"다"}) {
        QInputMethodEvent more;
        more.setCommitString(QString::fromUtf16(syllable));
        QCoreApplication::sendEvent(box, &more);
    }
    QCOMPARE(box->text(), QStringLiteral("홍길동이"));
}

void TestNameBoxes::attachingTwiceGivesTheSameHandler()
{
    QLineEdit box;
    NameBoxFocus *first = NameBoxFocus::Attach(&box);
    QCOMPARE(NameBoxFocus::Attach(&box), first);
    QCOMPARE(first->parent(), &box);
}

void TestNameBoxes::newLadderBoxesBehaveTheSame()
{
    Window win;
    QVERIFY(win.active);
    win.window->picOk_Click();
    win.AttachNameBoxes();
    QLineEdit *box = win.Name(3);

    QTest::mouseClick(box, Qt::LeftButton, {}, IntoTheText(box));

    QCOMPARE(box->selectedText(), kPlaceholder);
}

QTEST_MAIN(TestNameBoxes)
#include "test_name_boxes.moc"
