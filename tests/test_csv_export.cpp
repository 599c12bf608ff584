#include "print/csv_export.h"

#include <QTest>

// The spreadsheet export: what a spreadsheet program makes of each field
// is what the players typed, never a formula, and amounts are numbers.
class TestCsvExport : public QObject
{
    Q_OBJECT

private slots:
    void aRoundBecomesOneRowPerPlayer();
};

void TestCsvExport::aRoundBecomesOneRowPerPlayer()
{
    RoundRecord round;
    round.playedAt = QDateTime(QDate(2026, 12, 8), QTime(9, 5, 7));
    round.seed = 7;
    round.players = {{QStringLiteral("철수"), {}, QStringLiteral("1,000")},
                     {QStringLiteral("Ann \"A\""), {}, QStringLiteral("커피, 두 잔")},
                     {QStringLiteral("=SUM(A1)"), {}, QStringLiteral("-500")},
                     {QStringLiteral(" 민수"), {}, QString()}};
    const QString number = round.Number();
    const QByteArray csv = mdlPrint::RoundsCsv({round}, QLocale::c());

    QVERIFY(csv.startsWith("\xEF\xBB\xBF"));
    const QStringList rows = QString::fromUtf8(csv.mid(3)).split(QStringLiteral("\r\n"));
    const QString at = QStringLiteral("2026-12-08,09:05:07,") + number;
    QCOMPARE(rows, (QStringList{
                       QStringLiteral("날짜,시간,게임 번호,번호,이름,당첨내역,금액"),
                       at + QStringLiteral(",1,철수,\"1,000\",1000"),
                       at + QStringLiteral(",2,\"Ann \"\"A\"\"\",\"커피, 두 잔\","),
                       at + QStringLiteral(",3,'=SUM(A1),'-500,-500"),
                       at + QStringLiteral(",4,\" 민수\",,"),
                       QString()}));
}

QTEST_GUILESS_MAIN(TestCsvExport)
#include "test_csv_export.moc"
