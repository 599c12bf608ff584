#include "print/amount.h"

#include <QTest>

#include <limits>
#include <optional>

// Prize texts are typed by users and are read as whole numbers for the
// total, the way the locale writes numbers. Every text that is not plainly
// a number in that locale must come out as no number at all.
class TestAmount : public QObject
{
    Q_OBJECT

private slots:
    void readsNumbersAsTheLocaleWritesThem_data();
    void readsNumbersAsTheLocaleWritesThem();
    void refusesEverythingElse_data();
    void refusesEverythingElse();
    void formatsWithOneSeparatorBetweenTheLastDigits_data();
    void formatsWithOneSeparatorBetweenTheLastDigits();
};

namespace {

const QLocale kC = QLocale::c();
const QLocale kKorean(QLocale::Korean, QLocale::SouthKorea);
const QLocale kGerman(QLocale::German, QLocale::Germany);
const QLocale kFrench(QLocale::French, QLocale::France);

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

} // namespace

void TestAmount::readsNumbersAsTheLocaleWritesThem_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");

    QTest::newRow("plain") << kC << "1000" << 1000;
    QTest::newRow("zero") << kC << "0" << 0;
    QTest::newRow("minus zero") << kC << "-0" << 0;
    QTest::newRow("leading zeros") << kC << "00012" << 12;
    QTest::newRow("blanks around") << kC << "  1000 " << 1000;
    QTest::newRow("tabs and newline around") << kC << "\t-5000\n" << -5000;
    QTest::newRow("ideographic space around") << kKorean << QStringView(u"\u30002000\u3000").toString() << 2000;
    QTest::newRow("plus sign") << kC << "+7" << 7;
    QTest::newRow("minus sign") << kC << "-500" << -500;
    QTest::newRow("grouped") << kC << "1,000" << 1000;
    QTest::newRow("grouped twice") << kC << "12,345,678" << 12345678;
    QTest::newRow("grouped loosely") << kC << "1,00" << 100;
    QTest::newRow("grouped negative") << kC << "-1,000" << -1000;
    QTest::newRow("korean grouped") << kKorean << "99,999" << 99999;
    QTest::newRow("half rounds down to even") << kC << "2.5" << 2;
    QTest::newRow("half rounds up to even") << kC << "3.5" << 4;
    QTest::newRow("negative half to even") << kC << "-2.5" << -2;
    QTest::newRow("negative half up to even") << kC << "-3.5" << -4;
    QTest::newRow("just above half") << kC << "2.5000000000000000001" << 3;
    QTest::newRow("just below half") << kC << "2.4999999999999999999" << 2;
    QTest::newRow("half of nothing") << kC << "0.5" << 0;
    QTest::newRow("one and a half") << kC << "1.5" << 2;
    QTest::newRow("fraction only") << kC << ".7" << 1;
    QTest::newRow("point without fraction") << kC << "5." << 5;
    QTest::newRow("grouped with fraction") << kC << "1,000.5" << 1000;
    QTest::newRow("largest") << kC << "2147483647" << kMax;
    QTest::newRow("smallest") << kC << "-2147483648" << kMin;
    QTest::newRow("largest grouped") << kC << "2,147,483,647" << kMax;
    QTest::newRow("rounds down into range") << kC << "2147483647.4" << kMax;
    QTest::newRow("half stays at even smallest") << kC << "-2147483648.5" << kMin;
    QTest::newRow("german grouping is a point") << kGerman << "1.000" << 1000;
    QTest::newRow("german fraction is a comma") << kGerman << "2,5" << 2;
    QTest::newRow("german point between digits groups") << kGerman << "2.5" << 25;
    QTest::newRow("french fraction") << kFrench << "3,5" << 4;
    QTest::newRow("french grouping as the locale writes it")
        << kFrench << QString(QStringLiteral("1") + kFrench.groupSeparator() + QStringLiteral("000"))
        << 1000;
    QTest::newRow("french grouping typed as a space") << kFrench << "12 000" << 12000;
}

void TestAmount::readsNumbersAsTheLocaleWritesThem()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    QFETCH(int, value);

    const std::optional<std::int32_t> read = mdlPrint::AmountValue(text, locale);
    QVERIFY(read.has_value());
    QCOMPARE(*read, value);
}

void TestAmount::refusesEverythingElse_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");

    QTest::newRow("empty") << kC << "";
    QTest::newRow("blanks") << kC << "   ";
    QTest::newRow("a word") << kKorean << "꽝";
    QTest::newRow("a word after a number") << kKorean << "1000원";
    QTest::newRow("sign alone") << kC << "-";
    QTest::newRow("point alone") << kC << ".";
    QTest::newRow("sign and point") << kC << "-.";
    QTest::newRow("exponent") << kC << "1e3";
    QTest::newRow("hexadecimal") << kC << "0x10";
    QTest::newRow("infinity") << kC << "inf";
    QTest::newRow("not a number") << kC << "nan";
    QTest::newRow("two signs") << kC << "--5";
    QTest::newRow("plus and minus") << kC << "+-5";
    QTest::newRow("blank after sign") << kC << "- 5";
    QTest::newRow("trailing sign") << kC << "5-";
    QTest::newRow("separator doubled") << kC << "1,,000";
    QTest::newRow("separator first") << kC << ",1000";
    QTest::newRow("separator last") << kC << "1000,";
    QTest::newRow("separator before point") << kC << "1,.5";
    QTest::newRow("separator in fraction") << kC << "1.5,0";
    QTest::newRow("two points") << kC << "1.2.3";
    QTest::newRow("blank inside") << kC << "12 34";
    QTest::newRow("full-width digits") << kKorean << "１０００";
    QTest::newRow("one past largest") << kC << "2147483648";
    QTest::newRow("one past smallest") << kC << "-2147483649";
    QTest::newRow("rounds up out of range") << kC << "2147483647.5";
    QTest::newRow("rounds down out of range") << kC << "-2147483648.6";
    QTest::newRow("many digits") << kC << "99999999999999999999999999999999";
    QTest::newRow("many digits negative") << kC << "-99999999999999999999999999999999";
    QTest::newRow("german comma is no group") << kGerman << "1,000,5";
}

void TestAmount::refusesEverythingElse()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, text);

    QCOMPARE(mdlPrint::AmountValue(text, locale), std::nullopt);
}

void TestAmount::formatsWithOneSeparatorBetweenTheLastDigits_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("printed");

    QTest::newRow("thousand") << "1000" << "1,000";
    QTest::newRow("five digits") << "12345" << "12,345";
    QTest::newRow("seven digits get one comma") << "1234567" << "1234,567";
    QTest::newRow("twelve prizes of 99999") << "1199988" << "1199,988";
    QTest::newRow("leading zero kept") << "01000" << "01,000";
    QTest::newRow("three digits stay") << "500" << "500";
    QTest::newRow("typed separator stays") << "2,000" << "2,000";
    QTest::newRow("negative thousands") << "-5000" << "-5,000";
    QTest::newRow("negative hundreds stay") << "-500" << "-500";
    QTest::newRow("negative tens stay") << "-50" << "-50";
    QTest::newRow("small fraction stays") << "2.5" << "2.5";
    QTest::newRow("fraction rounding to four digits stays") << "999.5" << "999.5";
    QTest::newRow("trailing blank stays") << "1000 " << "1000 ";
    QTest::newRow("a word stays") << "꽝" << "꽝";
    QTest::newRow("empty stays") << "" << "";
    QTest::newRow("out of range stays") << "9999999999" << "9999999999";
    QTest::newRow("smallest") << "-2147483648" << "-2147483,648";
}

void TestAmount::formatsWithOneSeparatorBetweenTheLastDigits()
{
    QFETCH(QString, text);
    QFETCH(QString, printed);

    QCOMPARE(mdlPrint::FormatAmount(text, kC), printed);
    QCOMPARE(mdlPrint::FormatAmount(text, kKorean), printed);
}

QTEST_APPLESS_MAIN(TestAmount)
#include "test_amount.moc"
