#include "print/csv_export.h"

#include "print/amount.h"

#include <QStringList>

namespace mdlPrint {

namespace {

// A typed text as one field: a leading formula character gets a ' so that
// opening the file never runs what a player typed as a name.
QString TextField(const QString &text)
{
    QString field = text;
    if (!field.isEmpty() && QStringLiteral("=+-@\t\r").contains(field.front()))
        field.prepend(u'\'');
    return field;
}

QString Quoted(const QString &field)
{
    const bool needs = field.contains(u',') || field.contains(u'"') || field.contains(u'\n')
                       || field.contains(u'\r') || field != field.trimmed();
    if (!needs)
        return field;
    return u'"' + QString(field).replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
}

void AppendRow(QString &out, const QStringList &fields)
{
    QStringList quoted;
    for (const QString &field : fields)
        quoted << Quoted(field);
    out += quoted.join(u',') + QStringLiteral("\r\n");
}

} // namespace

QByteArray RoundsCsv(const QList<RoundRecord> &rounds, const QLocale &locale)
{
    QString out;
    AppendRow(out, {QStringLiteral("날짜"), QStringLiteral("시간"), QStringLiteral("게임 번호"),
                    QStringLiteral("번호"), QStringLiteral("이름"), QStringLiteral("당첨내역"),
                    QStringLiteral("금액")});
    for (const RoundRecord &round : rounds) {
        const QDateTime at = round.playedAt.toLocalTime();
        const QString date = at.toString(QStringLiteral("yyyy-MM-dd"));
        const QString time = at.toString(QStringLiteral("HH:mm:ss"));
        const QString number = round.Number();
        for (int i = 0; i < round.Count(); ++i) {
            const RoundRecord::Player &player = round.players.at(i);
            const std::optional<std::int32_t> amount = AmountValue(player.result, locale);
            AppendRow(out, {date, time, number, QString::number(i + 1), TextField(player.name),
                            TextField(player.result), amount ? QString::number(*amount) : QString()});
        }
    }
    return QByteArray("\xEF\xBB\xBF") + out.toUtf8();
}

} // namespace mdlPrint
