#include "app/round_history.h"
#include "extras/history_window.h"
#include "game/game_number.h"
#include "support/window_fixture.h"
#include "widgets/fonts.h"

#include <QFile>
#include <QListWidget>
#include <QTest>

// The history as a player meets it in the window: each round recorded when
// it ends, its number revealed only then, and a round played again from
// the history or from its number.
class TestHistoryPlay : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { fonts::RegisterKoreanSubstitutes(); }
    void theNumberAppearsOnlyOnceEveryPenHasArrived();
    void aRoundIsPlayedAgainFromItsNumber_data();
    void aRoundIsPlayedAgainFromItsNumber();
    void theHistoryWindowReprintsAndExports();
};

namespace {

constexpr std::uint64_t kSeed = 0x2a5f3c91d07b;

std::unique_ptr<WindowFixture> Fixture()
{
    return std::make_unique<WindowFixture>(QStringLiteral("/opt/kapuna-test"), [] { return kSeed; });
}

// Three players with names and prizes, run one after another to the end;
// returns the ladder as it was drawn before the first run.
std::vector<DrawLayer::Segment> PlayThree(WindowFixture &f)
{
    for (const char *prize : {"1000", "꽝", "커피"})
        f.w().Ui().lstBul->addItem(QString::fromUtf8(prize));
    f.Confirm(3);
    const std::vector<DrawLayer::Segment> ladder = f.w().Drawing().Segments();
    const QStringList names{QStringLiteral("철수"), QStringLiteral("영희"), QStringLiteral("민수")};
    for (int i = 1; i <= 3; ++i) {
        f.w().Play().Columns().txtName(i)->setText(names[i - 1]);
        f.w().Play().Run().StartDescent(std::int16_t(i));
        f.RunTicks();
    }
    return ladder;
}

bool Printed(const RecordingPrinter &printer, const QString &text)
{
    return std::any_of(printer.texts.begin(), printer.texts.end(),
                       [&](const auto &t) { return t.text == text; });
}

} // namespace

void TestHistoryPlay::theNumberAppearsOnlyOnceEveryPenHasArrived()
{
    auto f = Fixture();
    const QString number = game_number::Encode(kSeed, 2);
    f->Confirm(2, false);
    f->w().Play().Run().StartDescent(1);
    // Both players started, the second pen still on its way: the sheet may
    // print, but without the number anyone could rebuild the ladder from.
    while (f->w().State().mStartedCount < 2)
        f->w().Play().Run().DescentStep();
    f->w().picPrint_Click();
    QVERIFY(!Printed(f->printers.printer, QStringLiteral("게임 번호:")));
    QCOMPARE(f->history.Rounds().size(), 0);

    f->RunTicks();
    f->printers.printer = RecordingPrinter{};
    f->w().picPrint_Click();
    QVERIFY(Printed(f->printers.printer, number));
    const QList<HistoryStore::Summary> rounds = f->history.Rounds();
    QCOMPARE(rounds.size(), 1);
    QCOMPARE(rounds[0].number, number);
    QVERIFY(rounds[0].finished && rounds[0].printed);
}

void TestHistoryPlay::aRoundIsPlayedAgainFromItsNumber_data()
{
    QTest::addColumn<bool>("recorded"); // the number's round is in this computer's history
    QTest::addColumn<QString>("typed");
    QTest::newRow("recorded, typed small") << true << game_number::Encode(kSeed, 3).toLower();
    QTest::newRow("another computer's") << false << game_number::Encode(kSeed, 3);
    QTest::newRow("mistyped") << true << game_number::Encode(kSeed, 3).replace(0, 1, u'0');
}

void TestHistoryPlay::aRoundIsPlayedAgainFromItsNumber()
{
    QFETCH(bool, recorded);
    QFETCH(QString, typed);
    auto f = Fixture();
    const auto ladder = PlayThree(*f);
    f->w().picReset_Click();
    if (!recorded)
        f->history.Remove(f->history.Rounds().first().id);
    const int rounds = int(f->history.Rounds().size());
    const auto before = f->w().Drawing().Segments();

    f->prompt.answer = typed;
    f->w().History().ReplayFromNumber();
    if (!game_number::Decode(typed)) {
        QCOMPARE(f->messages.shown.size(), 1);
        QVERIFY(f->messages.shown[0].contains(typed.trimmed()));
        QVERIFY(f->w().State().gPhase == GamePhase::Setup); // nothing changed
        QCOMPARE(f->w().Drawing().Segments().size(), before.size());
        return;
    }
    // The same ladder, drawn again from the number.
    QCOMPARE(f->w().Drawing().Segments().size(), ladder.size());
    QVERIFY(std::equal(ladder.begin(), ladder.end(), f->w().Drawing().Segments().begin(),
                       [](const auto &a, const auto &b) {
                           return a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2;
                       }));
    QVERIFY(f->w().windowTitle().contains(QStringLiteral("다시 보기")));
    const QString first = f->w().Play().Columns().txtName(1)->text();
    QCOMPARE(first, recorded ? QStringLiteral("철수") : QStringLiteral("(이름)"));
    QCOMPARE(f->w().State().gPrizes(2), recorded ? QStringLiteral("꽝") : QStringLiteral("2"));
    for (int i = 1; i <= 3; ++i) {
        f->w().Play().Run().StartDescent(std::int16_t(i));
        f->RunTicks();
    }
    QCOMPARE(int(f->history.Rounds().size()), rounds); // a replay is no new round
    f->w().picPrint_Click();
    QVERIFY(Printed(f->printers.printer, QStringLiteral("다시 보기로 진행한 게임")));
}

void TestHistoryPlay::theHistoryWindowReprintsAndExports()
{
    auto f = Fixture();
    PlayThree(*f);
    f->w().picEnd_Click(); // quitting records nothing more: the round ended
    QCOMPARE(f->history.Rounds().size(), 1);
    const qint64 id = f->history.Rounds().first().id;

    f->w().History().ShowWindow();
    HistoryWindow *window = f->w().History().Window();
    QVERIFY(window);
    QCOMPARE(window->SelectedId(), id);
    emit window->reprintRequested(id);
    QCOMPARE(f->printers.jobs, 1);
    QVERIFY(std::any_of(f->printers.printer.texts.begin(), f->printers.printer.texts.end(),
                        [](const auto &t) { return t.text.startsWith(QStringLiteral("다시 인쇄: ")); }));
    QVERIFY(Printed(f->printers.printer, QStringLiteral("철수")));

    f->saves.answer = f->storeFolder.filePath(QStringLiteral("rounds.csv"));
    emit window->exportRequested({});
    QFile csv(f->saves.answer);
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QByteArray bytes = csv.readAll();
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    const QString text = QString::fromUtf8(bytes);
    QCOMPARE(text.count(QStringLiteral("\r\n")), 4); // the header and three players
    QVERIFY(text.contains(game_number::Encode(kSeed, 3) + QStringLiteral(",1,철수,")));
    QCOMPARE(f->messages.warned, QStringList());
}

QTEST_MAIN(TestHistoryPlay)
#include "test_history_play.moc"
