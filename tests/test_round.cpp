#include "game/game_number.h"
#include "game/game_state.h"
#include "game/geometry.h"
#include "game/random.h"
#include "game/round.h"
#include "support/recording_surface.h"

#include <QScopeGuard>
#include <QSet>
#include <QTest>

#include <array>

namespace {

// The column a player starting at column `start` ends in, walked down the
// rung table height by height, independently of the descent's own search.
int EndColumn(const GameState &state, int n, int start)
{
    int c = start;
    for (int y = geometry::kLowestRung; y <= geometry::kHighestRung; y += geometry::kRungGrid) {
        const auto hasRung = [&](int gap) {
            for (int s = 1; gap >= 1 && gap < n && s <= geometry::kSlotsPerGap; ++s) {
                if (state.gRungs(gap, s) == y)
                    return true;
            }
            return false;
        };
        if (hasRung(c - 1))
            --c;
        else if (hasRung(c))
            ++c;
    }
    return c;
}

using Tally = std::array<std::array<int, 12>, 12>; // [player][prize position]

// Pearson's chi-squared of a tally of `rounds` rounds against every player
// reaching every prize equally often.
double ChiSquared(const Tally &tally, int rounds)
{
    const double expected = rounds / 12.0;
    double sum = 0;
    for (const auto &row : tally) {
        for (int observed : row)
            sum += (observed - expected) * (observed - expected) / expected;
    }
    return sum;
}

// A shuffle with a classic fault: each place swapped with any place, not
// only with those not yet settled. Every order can come out, but not all
// equally often.
void BiasedShuffle(std::array<int, 12> &order, Random &random)
{
    for (int k = 0; k < 12; ++k)
        order[std::size_t(k)] = k + 1;
    for (int k = 0; k < 12; ++k)
        std::swap(order[std::size_t(k)], order[std::size_t(random.Whole(12, 0))]);
}

} // namespace

// Confirm and Reset as rules: the phase, the per-round arrays, the pictures
// and prizes dealt, and what is drawn.
class TestRound : public QObject
{
    Q_OBJECT

private slots:
    void confirmDealsAFreshRound_data();
    void confirmDealsAFreshRound();
    void resetRemovesTheLadderOnce();
    void aSeedRebuildsItsRound();
    void everyPlayerReachesEveryPrizeEquallyOften();
    void numberCarriesSeedAndPlayers_data();
    void numberCarriesSeedAndPlayers();
    void mistypedNumbersAreRefused_data();
    void mistypedNumbersAreRefused();
};

void TestRound::confirmDealsAFreshRound_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<QStringList>("prizes");
    QTest::newRow("empty list numbers") << 3 << QStringList() << QStringList{"1", "2", "3"};
    QTest::newRow("empty first entry numbers") << 2 << QStringList{"", "x"} << QStringList{"1", "2"};
    QTest::newRow("short list leaves blanks") << 3 << QStringList{"꽝", "500"}
                                              << QStringList{"꽝", "500", ""};
    QTest::newRow("twelve") << 12 << QStringList{"a"}
                            << (QStringList{"a"} << QStringList(11, QString()));
}

void TestRound::confirmDealsAFreshRound()
{
    QFETCH(int, n);
    QFETCH(QStringList, list);
    QFETCH(QStringList, prizes);
    GameState state;
    state.mStartedCount = 5;
    RecordingSurface surface;
    const std::vector<std::int16_t> pictures = ConfirmLadder(state, surface, std::int16_t(n), list, 77);

    QVERIFY(state.gPhase == GamePhase::Confirmed);
    QVERIFY(!state.gLadderCleared);
    QCOMPARE(int(state.gMemberCount), n);
    QCOMPARE(int(state.mStartedCount), 0);
    QCOMPARE(int(state.mNextPlayer), 1);
    QCOMPARE(state.gStarted.Count(), n);
    QCOMPARE(state.gResults.Count(), n);
    QStringList dealt;
    for (int i = 1; i <= n; ++i)
        dealt << state.gPrizes(i);
    QCOMPARE(dealt, prizes);

    QSet<int> distinct(pictures.begin(), pictures.end());
    QCOMPARE(int(pictures.size()), n);
    QCOMPARE(distinct.size(), n);
    QSet<int> columns;
    for (int i = 1; i <= n; ++i) {
        QVERIFY(pictures[std::size_t(i - 1)] >= 1 && pictures[std::size_t(i - 1)] <= 12);
        columns.insert(state.gShuffle(i));
    }
    QCOMPARE(columns.size(), n);
    QVERIFY(*std::max_element(columns.begin(), columns.end()) == n);
    QCOMPARE(state.gRungs.Rows(), n);
    QVERIFY(surface.lines.size() > n);

    // Round after round, however few play, the animals come from all
    // twelve (fixed seeds make the rounds the same on every run).
    QSet<int> animals;
    for (std::uint64_t seed = 0; seed < 40; ++seed)
        for (std::int16_t picture : ConfirmLadder(state, surface, std::int16_t(n), list, seed))
            animals.insert(picture);
    QCOMPARE(animals.size(), 12);
}

void TestRound::resetRemovesTheLadderOnce()
{
    GameState state;
    RecordingSurface surface;
    ConfirmLadder(state, surface, 4, {}, 1);
    QVERIFY(ResetLadder(state, surface, 5));
    QVERIFY(state.gPhase == GamePhase::Setup);
    QVERIFY(state.gLadderCleared);
    QCOMPARE(surface.lines.size(), 5); // the empty columns of the count now set
    const int clears = surface.clears;
    QVERIFY(!ResetLadder(state, surface, 6));
    QCOMPARE(surface.clears, clears);
    QCOMPARE(surface.lines.size(), 5);
}

void TestRound::aSeedRebuildsItsRound()
{
    const QStringList list{QStringLiteral("꽝"), QStringLiteral("1000")};
    const auto build = [&](std::uint64_t seed, RecordingSurface &surface, GameState &state) {
        return ConfirmLadder(state, surface, 7, list, seed);
    };
    GameState first, again, other;
    RecordingSurface firstLines, againLines, otherLines;
    const auto pictures = build(game_number::kSeedLimit - 1, firstLines, first);
    QCOMPARE(build(game_number::kSeedLimit - 1, againLines, again), pictures);
    QCOMPARE(first.gSeed, game_number::kSeedLimit - 1);
    QCOMPARE(againLines.lines, firstLines.lines);
    for (int c = 1; c <= 7; ++c)
        QCOMPARE(again.gShuffle(c), first.gShuffle(c));

    // Nothing but the seed decides: the next seed is another round.
    build(game_number::kSeedLimit - 2, otherLines, other);
    QVERIFY(otherLines.lines != firstLines.lines);
}

void TestRound::everyPlayerReachesEveryPrizeEquallyOften()
{
    // Twelve players over rounds at fixed seeds: the ladder alone favours
    // the prizes near a player's own column; the shuffle of the prizes
    // under the columns must even that out completely.
    constexpr int kRounds = 12000;
    // Chi-squared with 121 degrees of freedom exceeds this once in a
    // thousand fair runs.
    constexpr double kCritical = 172.0;
    Tally game{}, biased{};
    Random faulty(99);
    for (int round = 1; round <= kRounds; ++round) {
        GameState state;
        RecordingSurface surface;
        ConfirmLadder(state, surface, 12, {}, std::uint64_t(round));
        std::array<int, 12> order{};
        BiasedShuffle(order, faulty);
        for (int player = 1; player <= 12; ++player) {
            const int c = EndColumn(state, 12, player);
            ++game[std::size_t(player - 1)][std::size_t(state.gShuffle(c) - 1)];
            ++biased[std::size_t(player - 1)][std::size_t(order[std::size_t(c - 1)] - 1)];
        }
    }
    const double fair = ChiSquared(game, kRounds);
    QVERIFY2(fair < kCritical, qPrintable(QString::number(fair)));
    // The same ladders under a faulty shuffle: the check can tell.
    const double unfair = ChiSquared(biased, kRounds);
    QVERIFY2(unfair > kCritical, qPrintable(QString::number(unfair)));
}

void TestRound::numberCarriesSeedAndPlayers_data()
{
    QTest::addColumn<quint64>("seed");
    QTest::addColumn<int>("players");
    QTest::newRow("smallest") << quint64(0) << 2;
    QTest::newRow("largest") << quint64(game_number::kSeedLimit - 1) << 12;
    QTest::newRow("seven") << quint64(0x2a5f3c91d07bULL) << 7;
    Random random(2026);
    for (int i = 0; i < 20; ++i) {
        const auto seed = quint64(random.Next() * 1e6) << 30 ^ quint64(random.Next() * 1e9);
        QTest::addRow("random %d", i) << quint64(seed % game_number::kSeedLimit) << 2 + i % 11;
    }
}

void TestRound::numberCarriesSeedAndPlayers()
{
    QFETCH(quint64, seed);
    QFETCH(int, players);
    const QString number = game_number::Encode(seed, players);
    QCOMPARE(number.size(), 14);
    QCOMPARE(number[4], u'-');
    QCOMPARE(number[9], u'-');
    const game_number::Round round{seed, players};
    QCOMPARE(game_number::Decode(number), round);
    // As people type it: small letters, spaces for dashes, no separators.
    QCOMPARE(game_number::Decode(number.toLower().replace(u'-', u' ')), round);
    QCOMPARE(game_number::Decode(QString(number).remove(u'-')), round);
}

void TestRound::mistypedNumbersAreRefused_data()
{
    QTest::addColumn<quint64>("seed");
    QTest::addColumn<int>("players");
    QTest::newRow("two") << quint64(123456789) << 2;
    QTest::newRow("twelve") << quint64(game_number::kSeedLimit - 12345) << 12;
    QTest::newRow("nine") << quint64(0x1f00ff00ff00ULL) << 9;
}

void TestRound::mistypedNumbersAreRefused()
{
    QFETCH(quint64, seed);
    QFETCH(int, players);
    const QString alphabet = QStringLiteral("23456789ABCDEFGHJKLMNPQRSTUVWXYZ");
    const QString number = QString(game_number::Encode(seed, players)).remove(u'-');
    for (int i = 0; i < number.size(); ++i) {
        // Every other symbol in every place.
        for (QChar c : alphabet) {
            if (c == number[i])
                continue;
            QString typo = number;
            typo[i] = c;
            QVERIFY2(!game_number::Decode(typo), qPrintable(typo));
        }
        // Two neighbours swapped.
        if (i + 1 < number.size() && number[i] != number[i + 1]) {
            QString swapped = number;
            std::swap(swapped[i], swapped[i + 1]);
            QVERIFY2(!game_number::Decode(swapped), qPrintable(swapped));
        }
    }
    for (const QString &wrong : {number.left(11), number + u'2', number.left(11) + u'0',
                                 number.left(11) + u'O', QStringLiteral("I") + number.mid(1)})
        QVERIFY2(!game_number::Decode(wrong), qPrintable(wrong));
    QVERIFY(game_number::Encode(seed, 13).isEmpty());
    QVERIFY(game_number::Encode(game_number::kSeedLimit, players).isEmpty());
}

QTEST_GUILESS_MAIN(TestRound)
#include "test_round.moc"
