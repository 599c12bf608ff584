#include "widgets/image_list.h"
#include "amount_check.h"
#include "banner_list_check.h"
#include "member_count_check.h"
#include "whole_number_check.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <memory>

// Every input committed for the fuzz targets (their seeds and any input that
// once broke something) goes through the same checks the targets run, so
// the corpus keeps being exercised by every ordinary test run and a fixed
// finding stays fixed.
class TestFuzzRegressions : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void everyTargetHasSeeds_data();
    void everyTargetHasSeeds();
    void committedInputsKeepEveryInvariant_data();
    void committedInputsKeepEveryInvariant();

    void bannerOracleSplitsByCodePoints_data();
    void bannerOracleSplitsByCodePoints();
    void numberOracleReadsOnlyPlainDecimals_data();
    void numberOracleReadsOnlyPlainDecimals();
    void roundingOracleGoesHalfToEven_data();
    void roundingOracleGoesHalfToEven();
    void amountCheckPicksTheLocaleFromTheFirstByte_data();
    void amountCheckPicksTheLocaleFromTheFirstByte();

private:
    QString Check(const QString &target, QByteArrayView input) const;
    static QStringList Targets() { return {"amount", "banner_list", "member_count", "whole_number"}; }

    QDir fuzzDir_;
    std::unique_ptr<ImageList> images_;
};

QString TestFuzzRegressions::Check(const QString &target, QByteArrayView input) const
{
    if (target == u"amount")
        return fuzz_checks::CheckAmount(input);
    if (target == u"banner_list")
        return fuzz_checks::CheckBannerList(input);
    if (target == u"member_count")
        return fuzz_checks::CheckMemberCount(input, *images_);
    if (target == u"whole_number")
        return fuzz_checks::CheckWholeNumber(input);
    return QStringLiteral("no fuzz target is called \"%1\"").arg(target);
}

void TestFuzzRegressions::initTestCase()
{
    const QString corpus = QFINDTESTDATA("../fuzz/corpus");
    QVERIFY2(!corpus.isEmpty(), "fuzz/corpus is missing from the source tree");
    fuzzDir_ = QDir(corpus);
    QVERIFY(fuzzDir_.cdUp());
    images_ = std::make_unique<ImageList>();
}

void TestFuzzRegressions::everyTargetHasSeeds_data()
{
    QTest::addColumn<QString>("target");
    for (const QString &t : Targets())
        QTest::newRow(qPrintable(t)) << t;
}

void TestFuzzRegressions::everyTargetHasSeeds()
{
    QFETCH(QString, target);
    const QDir seeds(fuzzDir_.filePath(QStringLiteral("corpus/") + target));
    QVERIFY2(!seeds.entryList(QDir::Files).isEmpty(), qPrintable(seeds.path()));
}

void TestFuzzRegressions::committedInputsKeepEveryInvariant_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("path");
    for (const QString &kind : {QStringLiteral("corpus"), QStringLiteral("regressions")}) {
        const QDir top(fuzzDir_.filePath(kind));
        for (const QString &target : top.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
            const QDir inputs(top.filePath(target));
            for (const QString &file : inputs.entryList(QDir::Files, QDir::Name)) {
                QTest::addRow("%s/%s/%s", qPrintable(kind), qPrintable(target), qPrintable(file))
                    << target << inputs.filePath(file);
            }
        }
    }
}

void TestFuzzRegressions::committedInputsKeepEveryInvariant()
{
    QFETCH(QString, target);
    QFETCH(QString, path);
    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
    const QByteArray input = file.readAll();

    const QString failure = Check(target, input);

    QVERIFY2(failure.isEmpty(), qPrintable(failure));
}

void TestFuzzRegressions::bannerOracleSplitsByCodePoints_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("entry");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("image");

    QTest::newRow("plain") << "001a*b*c" << true << "a" << "c";
    QTest::newRow("third star is the image's") << "001a*b*c*d" << true << "a" << "c*d";
    QTest::newRow("astral prefix counts thrice")
        << QStringLiteral("\U0001F600\U0001F600\U0001F600t*l*i") << true << "t" << "i";
    QTest::newRow("lone surrogate counts once")
        << (QString(QChar(0xd800)) + QStringLiteral("01t*l*i")) << true << "t" << "i";
    QTest::newRow("star in prefix") << "0*1a*b*c" << false << "" << "";
    QTest::newRow("one star") << "001a*b" << false << "" << "";
    QTest::newRow("nul") << QString::fromUtf8("001a*b*c\0", 9) << false << "" << "";
}

void TestFuzzRegressions::bannerOracleSplitsByCodePoints()
{
    QFETCH(QString, line);
    QFETCH(bool, entry);
    QFETCH(QString, tag);
    QFETCH(QString, image);

    const std::optional<BannerEntry> split = fuzz_checks::banner_detail::ExpectedSplit(line);

    QCOMPARE(split.has_value(), entry);
    if (split) {
        QCOMPARE(split->tag, tag);
        QCOMPARE(split->image, image);
    }
    QVERIFY(fuzz_checks::CheckBannerList(line.toUtf8()).isEmpty());
}

void TestFuzzRegressions::numberOracleReadsOnlyPlainDecimals_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("number");
    QTest::addColumn<double>("value");

    QTest::newRow("blanks and sign") << " \t-2.5\r\n" << true << -2.5;
    QTest::newRow("trailing point") << "7." << true << 7.0;
    QTest::newRow("leading point") << "+.25" << true << 0.25;
    QTest::newRow("exponent") << "1e3" << false << 0.0;
    QTest::newRow("lone point") << "." << false << 0.0;
    QTest::newRow("no-break space") << QStringLiteral("5\u00a0") << false << 0.0;
    QTest::newRow("full-width digits") << QStringLiteral("\uff11\uff12") << false << 0.0;
    QTest::newRow("beyond double") << QString(400, u'9') << false << 0.0;
}

void TestFuzzRegressions::numberOracleReadsOnlyPlainDecimals()
{
    QFETCH(QString, text);
    QFETCH(bool, number);
    QFETCH(double, value);

    const std::optional<double> read = fuzz_checks::whole_number_detail::ExpectedNumber(text);

    QCOMPARE(read.has_value(), number);
    if (read)
        QCOMPARE(*read, value);
    QVERIFY(fuzz_checks::CheckWholeNumber(text.toUtf8()).isEmpty());
}

void TestFuzzRegressions::roundingOracleGoesHalfToEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("rounded");

    QTest::newRow("2.5") << 2.5 << 2.0;
    QTest::newRow("3.5") << 3.5 << 4.0;
    QTest::newRow("-2.5") << -2.5 << -2.0;
    QTest::newRow("-0.5") << -0.5 << 0.0;
    QTest::newRow("just below a half") << 0.49999999999999994 << 0.0;
    QTest::newRow("tiny negative") << -1e-300 << 0.0;
    QTest::newRow("2^53 + 2") << 9007199254740994.0 << 9007199254740994.0;
}

void TestFuzzRegressions::roundingOracleGoesHalfToEven()
{
    QFETCH(double, value);
    QFETCH(double, rounded);

    QCOMPARE(fuzz_checks::whole_number_detail::ExpectedRounding(value), rounded);
    QCOMPARE(whole_number::RoundHalfEven(value), rounded);
}

void TestFuzzRegressions::amountCheckPicksTheLocaleFromTheFirstByte_data()
{
    QTest::addColumn<int>("selector");
    QTest::addColumn<QString>("name");

    QTest::newRow("0") << 0 << "C";
    QTest::newRow("1") << 1 << "en_US";
    QTest::newRow("2") << 2 << "ko_KR";
    QTest::newRow("3") << 3 << "de_DE";
    QTest::newRow("4") << 4 << "fr_FR";
    QTest::newRow("5 wraps") << 5 << "C";
    QTest::newRow("255") << 255 << "C";
}

void TestFuzzRegressions::amountCheckPicksTheLocaleFromTheFirstByte()
{
    QFETCH(int, selector);
    QFETCH(QString, name);

    QCOMPARE(fuzz_checks::amount_detail::LocaleFor((unsigned char)selector).name(), name);
}

QTEST_MAIN(TestFuzzRegressions)
#include "test_fuzz_regressions.moc"
