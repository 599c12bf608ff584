// The banner's list at start-up, its Cycle and Click handlers, as the
// control sees them: every call is recorded in order by RecordingBanner.
#include "extras/banner_list.h"
#include "extras/banner_rotation.h"
#include "game/random.h"
#include "support/recording_banner.h"
#include "support/recording_shell.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cstdint>

namespace {

// Logs the shell's opens into the banner's call list, so one list shows the
// order of both.
class OrderedShell final : public Shell
{
public:
    explicit OrderedShell(QStringList &log)
        : log_(log)
    {
    }
    bool Open(const QString &target) override
    {
        log_ << QStringLiteral("Open(%1)").arg(target);
        return true;
    }
    void OpenLink(const QString &link) override { Open(link); }

private:
    QStringList &log_;
};

QString Line(int i)
{
    return QStringLiteral("%1 tag%2*https://kapuna.example/%2*data/b%2.png")
        .arg(i, 2, 10, QLatin1Char('0'))
        .arg(i);
}

QStringList Lines(int count)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << Line(i);
    return lines;
}

} // namespace

class TestBannerRotation : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void listPathIsDataListInTheProgramFolder();
    void startUpGivesLastTagThenStartThenChosenImage();
    void startUpFillsLinksAndImagesInFileOrder();
    void startEntryIsDrawnOverEveryEntry();
    void oneLineListShowsItsEntryAgainAtEveryCycle();
    void threeLinesFromTheThirdCycleToTheFirst();
    void cycleGivesTagImageStartInThatOrder();
    void cycleReadsTagsAfreshButKeepsStartUpImages();
    void cycleCountsOnlyWellFormedLines();
    void listThatGrowsWrapsAtTheStartUpCount();
    void listThatShrinksWrapsAtItsNewCount();
    void listThatVanishesKeepsRotatingWithoutTags();

    void noBanner_data();
    void noBanner();
    void binaryJunkNeverIndexesPastTheEntries();

    void clickDoesNothingWhenTheControlSaysNo();
    void clickChecksEveryImageThenOpensTheShownLink();
    void clickOpensTheLinkOfTheEntryNowShown();
    void clickHandsTheLinkToTheShellUntouched();

private:
    QString WriteList(const QStringList &lines, const char *lineEnd = "\r\n");
    QString WriteBytes(const QByteArray &bytes);

    QTemporaryDir dir_;
    QString listPath_;
    BannerState state_;
    RecordingBanner banner_;
};

void TestBannerRotation::init()
{
    QVERIFY(dir_.isValid());
    QVERIFY(QDir(dir_.path()).mkpath(QStringLiteral("data")));
    listPath_ = BannerListPath(dir_.path());
    QFile::remove(listPath_);
    state_ = BannerState();
    banner_ = RecordingBanner();
    Random::Instance().Seed(7);
    Random::Instance().SetClock([] { return std::uint64_t(0); });
}

void TestBannerRotation::cleanup()
{
    Random::Instance().SetClock({});
}

QString TestBannerRotation::WriteList(const QStringList &lines, const char *lineEnd)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += line.toUtf8() + lineEnd;
    return WriteBytes(bytes);
}

QString TestBannerRotation::WriteBytes(const QByteArray &bytes)
{
    QFile file(listPath_);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return {};
    file.write(bytes);
    return listPath_;
}

void TestBannerRotation::listPathIsDataListInTheProgramFolder()
{
    QCOMPARE(BannerListPath(QStringLiteral("/opt/kapuna")), QStringLiteral("/opt/kapuna/data/list"));
}

void TestBannerRotation::startUpGivesLastTagThenStartThenChosenImage()
{
    WriteList(Lines(3));
    StartBanner(state_, banner_, listPath_);

    const int k = state_.gBannerIndex;
    QVERIFY(k >= 1 && k <= 3);
    const QStringList expected{QStringLiteral("SetTag(tag3)"), QStringLiteral("Start()"),
                               QStringLiteral("LoadImage(data/b%1.png)").arg(k)};
    QCOMPARE(banner_.calls, expected);
}

void TestBannerRotation::startUpFillsLinksAndImagesInFileOrder()
{
    WriteList({QStringLiteral("01 Sale*page.htm*ad1.gif"), QStringLiteral("02 *other.htm*ad*2.gif")});
    LoadBannerList(state_, banner_, listPath_);

    QCOMPARE(state_.gBannerCount, std::int16_t(2));
    QCOMPARE(state_.gBannerLinks.Count(), 2);
    QCOMPARE(state_.gBannerImages.Count(), 2);
    QCOMPARE(state_.gBannerLinks(1), QStringLiteral("page.htm"));
    QCOMPARE(state_.gBannerImages(1), QStringLiteral("ad1.gif"));
    QCOMPARE(state_.gBannerLinks(2), QStringLiteral("other.htm"));
    QCOMPARE(state_.gBannerImages(2), QStringLiteral("ad*2.gif"));
    // The last entry's tag is empty, and it is still the one given.
    QCOMPARE(banner_.calls, (QStringList{QStringLiteral("SetTag()"), QStringLiteral("Start()")}));
}

void TestBannerRotation::startEntryIsDrawnOverEveryEntry()
{
    WriteList(Lines(5));
    QList<int> seen(6, 0);
    for (std::uint64_t seed = 0; seed < 500; ++seed) {
        Random::Instance().Seed(seed);
        LoadBannerList(state_, banner_, listPath_);
        QVERIFY2(state_.gBannerIndex >= 1 && state_.gBannerIndex <= 5,
                 qPrintable(QString::number(state_.gBannerIndex)));
        ++seen[state_.gBannerIndex];
    }
    // About 100 each; a generator stuck on a few entries would miss this.
    for (int k = 1; k <= 5; ++k)
        QVERIFY2(seen.at(k) > 50, qPrintable(QStringLiteral("entry %1: %2").arg(k).arg(seen.at(k))));
}

void TestBannerRotation::oneLineListShowsItsEntryAgainAtEveryCycle()
{
    WriteList(Lines(1));
    StartBanner(state_, banner_, listPath_);
    QCOMPARE(state_.gBannerIndex, std::int16_t(1));

    for (int round = 0; round < 3; ++round) {
        banner_.calls.clear();
        AdvanceBanner(state_, banner_, listPath_);
        QCOMPARE(state_.gBannerIndex, std::int16_t(1));
        QCOMPARE(banner_.calls, (QStringList{QStringLiteral("SetTag(tag1)"),
                                             QStringLiteral("LoadImage(data/b1.png)"),
                                             QStringLiteral("Start()")}));
    }
}

void TestBannerRotation::threeLinesFromTheThirdCycleToTheFirst()
{
    WriteList(Lines(3));
    LoadBannerList(state_, banner_, listPath_);
    state_.gBannerIndex = 3;

    QList<int> shown;
    for (int round = 0; round < 4; ++round) {
        AdvanceBanner(state_, banner_, listPath_);
        shown << state_.gBannerIndex;
    }
    QCOMPARE(shown, (QList<int>{1, 2, 3, 1}));
}

void TestBannerRotation::cycleGivesTagImageStartInThatOrder()
{
    WriteList(Lines(3));
    LoadBannerList(state_, banner_, listPath_);
    state_.gBannerIndex = 1;
    banner_.calls.clear();

    AdvanceBanner(state_, banner_, listPath_);
    QCOMPARE(banner_.calls, (QStringList{QStringLiteral("SetTag(tag2)"),
                                         QStringLiteral("LoadImage(data/b2.png)"),
                                         QStringLiteral("Start()")}));
}

void TestBannerRotation::cycleReadsTagsAfreshButKeepsStartUpImages()
{
    WriteList(Lines(2));
    LoadBannerList(state_, banner_, listPath_);
    state_.gBannerIndex = 1;
    WriteList({Line(1), QStringLiteral("02 renamed*https://elsewhere.example*data/new.png")});
    banner_.calls.clear();

    AdvanceBanner(state_, banner_, listPath_);
    QCOMPARE(banner_.calls, (QStringList{QStringLiteral("SetTag(renamed)"),
                                         QStringLiteral("LoadImage(data/b2.png)"),
                                         QStringLiteral("Start()")}));
    QCOMPARE(state_.gBannerLinks(2), QStringLiteral("https://kapuna.example/2"));
}

void TestBannerRotation::cycleCountsOnlyWellFormedLines()
{
    // The broken lines are no entries at start-up, and none at a Cycle
    // either: entry 2 is the second good line both times.
    WriteList({Line(1), QStringLiteral("garbage"), QString(), QStringLiteral("0*1 x*y*z"), Line(2)});
    LoadBannerList(state_, banner_, listPath_);
    QCOMPARE(state_.gBannerCount, std::int16_t(2));
    QCOMPARE(state_.gBannerImages(2), QStringLiteral("data/b2.png"));

    state_.gBannerIndex = 1;
    banner_.calls.clear();
    AdvanceBanner(state_, banner_, listPath_);
    QCOMPARE(state_.gBannerIndex, std::int16_t(2));
    QCOMPARE(banner_.calls.first(), QStringLiteral("SetTag(tag2)"));
    AdvanceBanner(state_, banner_, listPath_);
    QCOMPARE(state_.gBannerIndex, std::int16_t(1));
}

void TestBannerRotation::listThatGrowsWrapsAtTheStartUpCount()
{
    WriteList(Lines(2));
    LoadBannerList(state_, banner_, listPath_);
    state_.gBannerIndex = 1;
    WriteList(Lines(5));

    QList<int> shown;
    for (int round = 0; round < 4; ++round) {
        AdvanceBanner(state_, banner_, listPath_);
        shown << state_.gBannerIndex;
    }
    QCOMPARE(shown, (QList<int>{2, 1, 2, 1}));
    QVERIFY(!banner_.calls.contains(QStringLiteral("SetTag(tag3)")));
    QCOMPARE(state_.gBannerCount, std::int16_t(2));
}

void TestBannerRotation::listThatShrinksWrapsAtItsNewCount()
{
    WriteList(Lines(3));
    LoadBannerList(state_, banner_, listPath_);
    state_.gBannerIndex = 2;
    WriteList(Lines(2));

    AdvanceBanner(state_, banner_, listPath_);
    QCOMPARE(state_.gBannerIndex, std::int16_t(1));
}

void TestBannerRotation::listThatVanishesKeepsRotatingWithoutTags()
{
    WriteList(Lines(2));
    LoadBannerList(state_, banner_, listPath_);
    state_.gBannerIndex = 1;
    QVERIFY(QFile::remove(listPath_));
    banner_.calls.clear();

    AdvanceBanner(state_, banner_, listPath_);
    AdvanceBanner(state_, banner_, listPath_);
    QCOMPARE(banner_.calls, (QStringList{QStringLiteral("SetTag()"),
                                         QStringLiteral("LoadImage(data/b2.png)"),
                                         QStringLiteral("Start()"), QStringLiteral("SetTag()"),
                                         QStringLiteral("LoadImage(data/b1.png)"),
                                         QStringLiteral("Start()")}));
}

void TestBannerRotation::noBanner_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("missing list") << false << QByteArray();
    QTest::newRow("empty list") << true << QByteArray();
    QTest::newRow("only line ends") << true << QByteArray("\r\n\r\n\n\r");
    QTest::newRow("only malformed lines") << true << QByteArray("no stars\r\n01*x*y\r\n01 one*\r\n");
}

void TestBannerRotation::noBanner()
{
    QFETCH(bool, exists);
    QFETCH(QByteArray, bytes);
    if (exists)
        WriteBytes(bytes);

    StartBanner(state_, banner_, listPath_);
    QCOMPARE(state_.gBannerCount, std::int16_t(0));
    QCOMPARE(state_.gBannerImages.Count(), 0);

    // A list written after start-up is not picked up: there is no banner.
    WriteList(Lines(3));
    AdvanceBanner(state_, banner_, listPath_);
    RecordingShell shell;
    FollowBannerLink(state_, banner_, shell);

    QVERIFY2(banner_.calls.isEmpty(), qPrintable(banner_.calls.join(QLatin1Char(' '))));
    QVERIFY(shell.opened.isEmpty());
}

void TestBannerRotation::binaryJunkNeverIndexesPastTheEntries()
{
    std::uint32_t s = 99;
    QByteArray bytes;
    for (int i = 0; i < 20000; ++i) {
        s = s * 1103515245u + 12345u;
        const char c = char(s >> 23);
        bytes += (s >> 16) % 7 == 0 ? '*' : (s >> 16) % 11 == 0 ? '\n' : c;
    }
    WriteBytes(bytes);
    const int entries = int(ParseBannerList(bytes).size());
    QVERIFY(entries > 0);

    StartBanner(state_, banner_, listPath_);
    QCOMPARE(int(state_.gBannerCount), entries);
    WriteBytes(bytes + bytes);
    for (int round = 0; round < entries + 3; ++round) {
        AdvanceBanner(state_, banner_, listPath_);
        QVERIFY(state_.gBannerIndex >= 1 && state_.gBannerIndex <= state_.gBannerCount);
    }
}

void TestBannerRotation::clickDoesNothingWhenTheControlSaysNo()
{
    WriteList(Lines(3));
    LoadBannerList(state_, banner_, listPath_);
    banner_.clickAnswer = false;
    banner_.calls.clear();
    RecordingShell shell;

    FollowBannerLink(state_, banner_, shell);
    QCOMPARE(banner_.calls, QStringList{QStringLiteral("QueryClick(1)")});
    QVERIFY(shell.opened.isEmpty());
}

void TestBannerRotation::clickChecksEveryImageThenOpensTheShownLink()
{
    WriteList(Lines(5));
    LoadBannerList(state_, banner_, listPath_);
    state_.gBannerIndex = 4;
    banner_.calls.clear();
    OrderedShell shell(banner_.calls);

    FollowBannerLink(state_, banner_, shell);
    const QStringList expected{QStringLiteral("QueryClick(1)"),
                               QStringLiteral("CheckImage(data/b1.png)"),
                               QStringLiteral("CheckImage(data/b2.png)"),
                               QStringLiteral("CheckImage(data/b3.png)"),
                               QStringLiteral("CheckImage(data/b4.png)"),
                               QStringLiteral("CheckImage(data/b5.png)"),
                               QStringLiteral("Open(https://kapuna.example/4)"),
                               QStringLiteral("NotifyLinkOpened()")};
    QCOMPARE(banner_.calls, expected);
}

void TestBannerRotation::clickOpensTheLinkOfTheEntryNowShown()
{
    WriteList(Lines(3));
    LoadBannerList(state_, banner_, listPath_);
    state_.gBannerIndex = 3;
    AdvanceBanner(state_, banner_, listPath_);
    RecordingShell shell;

    FollowBannerLink(state_, banner_, shell);
    QCOMPARE(shell.opened, QStringList{QStringLiteral("https://kapuna.example/1")});
}

void TestBannerRotation::clickHandsTheLinkToTheShellUntouched()
{
    WriteList({QStringLiteral("01 t* docs/read me.txt ; rm -rf ~ *i.png")});
    LoadBannerList(state_, banner_, listPath_);
    RecordingShell shell;

    FollowBannerLink(state_, banner_, shell);
    QCOMPARE(shell.opened, QStringList{QStringLiteral(" docs/read me.txt ; rm -rf ~ ")});
}

QTEST_GUILESS_MAIN(TestBannerRotation)
#include "test_banner_rotation.moc"
