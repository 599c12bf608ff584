// The banner list's line splitter and file parser: pure functions from text
// and bytes to entries, so every case here needs no file and no widget.
#include "extras/banner_list.h"
#include "support/pipe_guard.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cstdint>

class TestBannerList : public QObject
{
    Q_OBJECT

private slots:
    void splitsWellFormedLines_data();
    void splitsWellFormedLines();
    void rejectsMalformedLines_data();
    void rejectsMalformedLines();

    void everyLineEndEndsALine_data();
    void everyLineEndEndsALine();
    void onlyWellFormedLinesAreEntries();
    void byteOrderMarkIsNotPartOfTheFirstLine();
    void textIsReadAsUtf8();
    void invalidUtf8BecomesReplacementCharacters();
    void overlongLinesAreSkippedWhole();
    void entriesStopAtTheSixteenBitCount();
    void binaryJunkYieldsOnlyCleanEntries();

    void listThatIsNoPlainFileHasNoEntries_data();
    void listThatIsNoPlainFileHasNoEntries();
    void fileBeyondTheReadLimitDropsTheCutLine();
    void fileIsReadWithItsLineEnds();
};

void TestBannerList::splitsWellFormedLines_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("image");

    QTest::newRow("plain") << "01 Sale*page.htm*ad1.gif" << "Sale" << "page.htm" << "ad1.gif";
    QTest::newRow("star as 4th character gives an empty tag")
        << "01 *page.htm*ad1.gif" << "" << "page.htm" << "ad1.gif";
    QTest::newRow("third star belongs to the image")
        << "01 Sale*page.htm*ad*1.gif" << "Sale" << "page.htm" << "ad*1.gif";
    QTest::newRow("many stars after the second")
        << "01 Sale*l***" << "Sale" << "l" << "**";
    QTest::newRow("empty link") << "01 Sale**ad1.gif" << "Sale" << "" << "ad1.gif";
    QTest::newRow("empty image") << "01 Sale*page.htm*" << "Sale" << "page.htm" << "";
    QTest::newRow("nothing but separators") << "abc**" << "" << "" << "";
    QTest::newRow("spaces are kept") << "01  Sale *a b* c.png " << " Sale " << "a b" << " c.png ";
    QTest::newRow("any three characters but a star are skipped")
        << "#!?tag*l*i" << "tag" << "l" << "i";
    QTest::newRow("Korean characters count once each")
        << u"가나다오늘의 당번*https://kapuna.example/tips*data/a.gif"_qs
        << u"오늘의 당번"_qs << "https://kapuna.example/tips" << "data/a.gif";
    QTest::newRow("characters outside the basic plane count once")
        << u"😀😀😀tag*l*i"_qs << "tag" << "l" << "i";
    QTest::newRow("tabs are ordinary characters") << "\t\t\tt\tg*l*i" << "t\tg" << "l" << "i";
}

void TestBannerList::splitsWellFormedLines()
{
    QFETCH(QString, line);
    QFETCH(QString, tag);
    QFETCH(QString, link);
    QFETCH(QString, image);
    const std::optional<BannerEntry> entry = SplitBannerLine(line);
    QVERIFY(entry.has_value());
    QCOMPARE(entry->tag, tag);
    QCOMPARE(entry->link, link);
    QCOMPARE(entry->image, image);
}

void TestBannerList::rejectsMalformedLines_data()
{
    QTest::addColumn<QString>("line");

    QTest::newRow("empty") << "";
    QTest::newRow("shorter than the skipped characters") << "01";
    QTest::newRow("only the skipped characters") << "01 ";
    QTest::newRow("no star") << "01 Sale page.htm ad1.gif";
    QTest::newRow("one star") << "01 Sale*page.htm";
    QTest::newRow("one star at the end") << "01 Sale*";
    QTest::newRow("first star as 1st character") << "*1 Sale*page.htm*ad1.gif";
    QTest::newRow("first star as 2nd character") << "0*1Sale*page.htm*ad1.gif";
    QTest::newRow("first star as 3rd character") << "01*Sale*page.htm*ad1.gif";
    QTest::newRow("stars only") << "*****";
    QTest::newRow("NUL in the tag") << QString::fromUtf16(u"01 Sa\0le*p*i", 12);
    QTest::newRow("NUL in the image") << QString::fromUtf16(u"01 Sale*p*i\0.gif", 16);
}

void TestBannerList::rejectsMalformedLines()
{
    QFETCH(QString, line);
    QVERIFY(!SplitBannerLine(line).has_value());
}

void TestBannerList::everyLineEndEndsALine_data()
{
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("CR LF") << QByteArray("01 A*la*ia\r\n02 B*lb*ib\r\n");
    QTest::newRow("lone CR") << QByteArray("01 A*la*ia\r02 B*lb*ib\r");
    QTest::newRow("lone LF") << QByteArray("01 A*la*ia\n02 B*lb*ib\n");
    QTest::newRow("mixed") << QByteArray("01 A*la*ia\r02 B*lb*ib\r\n");
    QTest::newRow("no line end after the last line") << QByteArray("01 A*la*ia\r\n02 B*lb*ib");
    QTest::newRow("LF CR is two line ends around an empty line")
        << QByteArray("01 A*la*ia\n\r02 B*lb*ib\n\r");
}

void TestBannerList::everyLineEndEndsALine()
{
    QFETCH(QByteArray, bytes);
    const QList<BannerEntry> entries = ParseBannerList(bytes);
    const QList<BannerEntry> expected{{"A", "la", "ia"}, {"B", "lb", "ib"}};
    QCOMPARE(entries, expected);
}

void TestBannerList::onlyWellFormedLinesAreEntries()
{
    const QList<BannerEntry> entries = ParseBannerList(
        "01 A*la*ia\r\n"
        "\r\n"
        "no stars here\r\n"
        "01*bad*x\r\n"
        "02 B*lb*ib\r\n"
        "03 one star*\r\n"
        "04 C*lc*ic\r\n");
    const QList<BannerEntry> expected{{"A", "la", "ia"}, {"B", "lb", "ib"}, {"C", "lc", "ic"}};
    QCOMPARE(entries, expected);
}

void TestBannerList::byteOrderMarkIsNotPartOfTheFirstLine()
{
    const QList<BannerEntry> entries = ParseBannerList("\xEF\xBB\xBF" "01 A*la*ia\r\n");
    QCOMPARE(entries.size(), 1);
    QCOMPARE(entries.first().tag, QStringLiteral("A"));
}

void TestBannerList::textIsReadAsUtf8()
{
    const QList<BannerEntry> entries =
        ParseBannerList(u"01 사다리 타기*https://kapuna.example/tips*data/배너.png\r\n"_qs.toUtf8());
    QCOMPARE(entries.size(), 1);
    QCOMPARE(entries.first().tag, u"사다리 타기"_qs);
    QCOMPARE(entries.first().image, u"data/배너.png"_qs);
}

void TestBannerList::invalidUtf8BecomesReplacementCharacters()
{
    const QList<BannerEntry> entries = ParseBannerList("01 \xFF*l*i\r\n");
    QCOMPARE(entries.size(), 1);
    QCOMPARE(entries.first().tag, QString(QChar(QChar::ReplacementCharacter)));
}

void TestBannerList::overlongLinesAreSkippedWhole()
{
    const QByteArray head = "01 T*l*";
    const QByteArray longest = head + QByteArray(banner_list::kMaxLineBytes - head.size(), 'x');
    const QByteArray tooLong = longest + 'x';

    const QList<BannerEntry> entries =
        ParseBannerList(tooLong + "\r\n" + longest + "\r\n" + "02 U*l*i");
    QCOMPARE(entries.size(), 2);
    QCOMPARE(entries.at(0).image.size(), banner_list::kMaxLineBytes - head.size());
    QCOMPARE(entries.at(1).tag, QStringLiteral("U"));
}

void TestBannerList::entriesStopAtTheSixteenBitCount()
{
    QByteArray bytes;
    for (int i = 0; i < banner_list::kMaxEntries + 10; ++i)
        bytes += "01 t*l*i\n";
    QCOMPARE(ParseBannerList(bytes).size(), banner_list::kMaxEntries);
}

void TestBannerList::binaryJunkYieldsOnlyCleanEntries()
{
    // A fixed stream of bytes biased towards the characters that matter to
    // the parser, so lines, stars and NULs all turn up often.
    std::uint32_t state = 12345;
    const char interesting[] = {'*', '\r', '\n', '\0', '\xEF', '\xBB', '\xBF', '\xFF', 'a'};
    QByteArray bytes;
    for (int i = 0; i < 200000; ++i) {
        state = state * 1664525u + 1013904223u;
        const std::uint32_t r = state >> 24;
        bytes += r < 128 ? interesting[r % sizeof interesting] : char(r);
    }

    const QList<BannerEntry> entries = ParseBannerList(bytes);
    QVERIFY(!entries.isEmpty());
    for (const BannerEntry &e : entries) {
        for (const QString &field : {e.tag, e.link, e.image}) {
            QVERIFY(!field.contains(QChar(u'\0')));
            QVERIFY(!field.contains(QChar(u'\r')));
            QVERIFY(!field.contains(QChar(u'\n')));
        }
        QVERIFY(!e.tag.contains(QChar(u'*')));
        QVERIFY(!e.link.contains(QChar(u'*')));
    }
}

void TestBannerList::listThatIsNoPlainFileHasNoEntries_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing") << "missing";
    QTest::newRow("a folder") << "folder";
    QTest::newRow("a FIFO, which a plain open would wait on") << "fifo";
    QTest::newRow("a link to a device that never ends") << "device";
}

void TestBannerList::listThatIsNoPlainFileHasNoEntries()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("data")));
    const QString path = dir.filePath(QStringLiteral("data/list"));
    if (kind == QLatin1String("folder"))
        QVERIFY(QDir().mkpath(path));
    if (kind == QLatin1String("device"))
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
    PipeGuard pipe(kind == QLatin1String("fifo") ? path : dir.filePath(QStringLiteral("unused")));
    QElapsedTimer clock;
    clock.start();
    QVERIFY(ReadBannerList(path).isEmpty());
    QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
}

void TestBannerList::fileBeyondTheReadLimitDropsTheCutLine()
{
    // 100-byte lines: the read limit falls inside line 10486.
    QByteArray bytes;
    for (int i = 1; bytes.size() < banner_list::kMaxFileBytes + 1000; ++i) {
        QByteArray line = "01 " + QByteArray::number(i) + "*l*";
        line += QByteArray(99 - line.size(), 'x') + '\n';
        bytes += line;
    }
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("list")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();

    const QList<BannerEntry> entries = ReadBannerList(file.fileName());
    const int whole = int(banner_list::kMaxFileBytes / 100);
    QCOMPARE(entries.size(), whole);
    QCOMPARE(entries.last().tag, QString::number(whole));
}

void TestBannerList::fileIsReadWithItsLineEnds()
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("list")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("01 A*la*ia\r\n02 B*lb*ib\r03 C*lc*ic\n");
    file.close();

    const QList<BannerEntry> expected{{"A", "la", "ia"}, {"B", "lb", "ib"}, {"C", "lc", "ic"}};
    QCOMPARE(ReadBannerList(file.fileName()), expected);
}

QTEST_GUILESS_MAIN(TestBannerList)
#include "test_banner_list.moc"
