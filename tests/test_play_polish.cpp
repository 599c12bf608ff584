#include "widgets/fonts.h"
#include "app/qt_translations.h"
#include "support/window_fixture.h"

#include <QAbstractFileIconProvider>
#include <QApplication>
#include <QDir>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleOptionFrame>
#include <QTest>

namespace {

// Per-column controls by the names a screen reader gives them.
template <typename T>
T *Column(const MainWindow &w, const QString &what, int i)
{
    for (T *c : w.findChildren<T *>())
        if (c->accessibleName() == QStringLiteral("%1번 %2").arg(i).arg(what))
            return c;
    return nullptr;
}

// What a line edit leaves for its text inside the frame and the 2-pixel
// margins it keeps on each side.
int TextRoom(const QLineEdit *box)
{
    QStyleOptionFrame option;
    option.initFrom(box);
    option.rect = box->rect();
    option.lineWidth = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box);
    return box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box).width() - 4;
}

} // namespace

class TestPlayPolish : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void keysDuringAndAfterARunLeaveTheNamesAlone();
    void fiveSyllablePrizesFitTheirBoxesAndTheList();
    void qtsOwnTextsAreKorean();
    void limitsCountCharactersAsReadersDo_data();
    void limitsCountCharactersAsReadersDo();
};

void TestPlayPolish::initTestCase()
{
    fonts::RegisterKoreanSubstitutes();
}

void TestPlayPolish::keysDuringAndAfterARunLeaveTheNamesAlone()
{
    WindowFixture f;
    f.w().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.w()));
    f.Confirm(3);
    QPushButton *start = Column<QPushButton>(f.w(), QStringLiteral("출발"), 2);
    QVERIFY(start);
    const auto typeAway = [] {
        QWidget *target = QApplication::focusWidget();
        QTest::keyClicks(target ? target : QApplication::activeWindow(), "xy");
    };

    QTest::mouseClick(start, Qt::LeftButton);
    f.w().Play().Run().DescentStep();
    typeAway();
    f.RunTicks();
    typeAway();

    const QStringList kept{QStringLiteral("(이름)"), QStringLiteral("2"), QStringLiteral("(이름)")};
    for (int i = 1; i <= 3; ++i)
        QCOMPARE(Column<QLineEdit>(f.w(), QStringLiteral("이름"), i)->text(), kept[i - 1]);
    // The keys go back where the user left them: the button clicked.
    QCOMPARE(QApplication::focusWidget(), start);
}

void TestPlayPolish::fiveSyllablePrizesFitTheirBoxesAndTheList()
{
    WindowFixture f;
    auto *list = f.w().findChild<QListWidget *>(QStringLiteral("lstBul"));
    const QStringList prizes{QStringLiteral("오천원상품"), QStringLiteral("가나다라마"),
                             QStringLiteral("백만원상금"), QStringLiteral("아이스크림")};
    for (int i = 0; i < 12; ++i)
        list->addItem(prizes[i % prizes.size()]);
    QCoreApplication::processEvents();
    // Every item fits the list's width: nothing to scroll sideways to.
    QCOMPARE(list->horizontalScrollBar()->maximum(), 0);

    f.Confirm(12, false);
    QTest::mouseClick(Column<QPushButton>(f.w(), QStringLiteral("출발"), 1), Qt::LeftButton);
    f.RunTicks();
    const QSize design = f.w().findChild<QWidget *>(QStringLiteral("txtbul0"))->size();
    for (int c = 1; c <= 12; ++c) {
        const QLineEdit *box = f.w().Play().Columns().txtbul(c);
        QVERIFY(prizes.contains(box->text()));
        QCOMPARE(box->size(), design);
        QVERIFY(box->font().pointSizeF() >= 7);
        QVERIFY2(QFontMetricsF(box->font()).horizontalAdvance(box->text()) < TextRoom(box),
                 qPrintable(box->text()));
    }
}

void TestPlayPolish::qtsOwnTextsAreKorean()
{
    QVERIFY(qt_translations::InstallKorean(*qApp));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "OK"), QStringLiteral("확인"));
    QCOMPARE(QCoreApplication::translate("QLineEdit", "&Paste"), QStringLiteral("붙여넣기(&P)"));
    // What the catalogue lacks: the type column of the save dialog.
    QCOMPARE(QAbstractFileIconProvider().type(QFileInfo(QDir::tempPath())), QStringLiteral("폴더"));
}

void TestPlayPolish::limitsCountCharactersAsReadersDo_data()
{
    QTest::addColumn<bool>("name");
    // "paste", "commit" (an input method's) or "typed" one code point at a time.
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<QString>("put");
    QTest::addColumn<QString>("kept");
    const QString family = QStringLiteral("👨‍👩‍👧");
    const QString thumb = QStringLiteral("👍🏽");
    const QString ga = QStringLiteral("\u1100\u1161"); // 가 as two jamo
    QTest::newRow("three emoji pasted") << false << "paste" << "" << 0 << "😀😀😀" << "😀😀😀";
    QTest::newRow("six emoji pasted") << false << "paste" << "" << 0 << "😀😀😀😀😀😀"
                                      << "😀😀😀😀😀";
    QTest::newRow("skin tones") << false << "paste" << "" << 0 << thumb.repeated(6)
                                << thumb.repeated(5);
    QTest::newRow("joined families") << true << "paste" << "" << 0 << family.repeated(5)
                                     << family.repeated(4);
    QTest::newRow("flags") << true << "paste" << "" << 0 << "🇰🇷🇰🇷🇰🇷🇰🇷🇰🇷" << "🇰🇷🇰🇷🇰🇷🇰🇷";
    QTest::newRow("jamo syllables") << true << "paste" << "" << 0 << ga.repeated(5)
                                    << ga.repeated(4);
    QTest::newRow("into the middle") << true << "paste" << "홍길동" << 1 << "김이" << "홍김길동";
    QTest::newRow("composed pair") << false << "commit" << "가나다라" << 4 << "😀😀"
                                   << "가나다라😀";
    QTest::newRow("composed syllable") << true << "commit" << "남궁민수" << 4 << "야" << "남궁민수";
    // A tone typed after its emoji was refused is refused with it; within
    // the limit it joins its emoji.
    QTest::newRow("typed skin tone at the limit") << false << "typed" << "가나다라마" << 5
                                                  << thumb << "가나다라마";
    QTest::newRow("typed skin tone within the limit") << false << "typed" << "가나다라" << 4
                                                      << thumb << "가나다라" + thumb;
    // Text already over the limit (a box given its limit after its text):
    // the paste goes, and the old text is cut back to the limit.
    QTest::newRow("pasted into a text already too long")
        << false << "paste" << "가나다라마바" << 0 << "XY" << "가나다라마";
}

void TestPlayPolish::limitsCountCharactersAsReadersDo()
{
    QFETCH(bool, name);
    QFETCH(QString, how);
    QFETCH(QString, before);
    QFETCH(int, cursor);
    QFETCH(QString, put);
    QFETCH(QString, kept);
    WindowFixture f;
    if (name)
        f.Confirm(2);
    QLineEdit *box = name ? Column<QLineEdit>(f.w(), QStringLiteral("이름"), 1)
                          : f.w().Ui().txtInput;
    // Put in as it stands, whatever its length: the text that was there.
    const QValidator *limit = box->validator();
    box->setValidator(nullptr);
    box->setText(before);
    box->setValidator(limit);
    box->setCursorPosition(cursor);

    if (how == QLatin1String("commit")) {
        QInputMethodEvent commit;
        commit.setCommitString(put);
        QCoreApplication::sendEvent(box, &commit);
    } else if (how == QLatin1String("typed")) {
        for (const char32_t c : put.toUcs4()) {
            QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString::fromUcs4(&c, 1));
            QCoreApplication::sendEvent(box, &key);
        }
    } else {
        box->insert(put); // as a paste puts it
    }
    QCOMPARE(box->text(), kept);

    // The limit in one pass, as any user of a validator has it (a box runs
    // it again on what it returned, which would hide a half-done job).
    QString text = before;
    text.insert(cursor, put);
    int at = cursor + int(put.size());
    limit->validate(text, at);
    QCOMPARE(text, kept);
}

QTEST_MAIN(TestPlayPolish)
#include "test_play_polish.moc"
