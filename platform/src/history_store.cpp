#include "platform/history_store.h"

#include "game/game_number.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QVariant>

#include <atomic>

namespace {

// Waiting this long for another window's write is still a short pause; a
// lock held longer belongs to something broken, and the write gives up.
constexpr int kBusyTimeoutMs = 3000;

const char *const kSchema[] = {
    "CREATE TABLE rounds ("
    " id INTEGER PRIMARY KEY,"
    " played_ms INTEGER NOT NULL," // UTC, milliseconds since 1970
    " number TEXT NOT NULL,"
    " seed INTEGER NOT NULL,"
    " players INTEGER NOT NULL,"
    " names TEXT NOT NULL,"        // what the list shows and the search reads
    " total INTEGER NOT NULL,"
    " finished INTEGER NOT NULL,"
    " printed INTEGER NOT NULL DEFAULT 0,"
    " saved INTEGER NOT NULL DEFAULT 0)",
    "CREATE INDEX rounds_by_time ON rounds(played_ms)",
    "CREATE TABLE players ("
    " round_id INTEGER NOT NULL REFERENCES rounds(id) ON DELETE CASCADE,"
    " position INTEGER NOT NULL,"
    " name TEXT NOT NULL,"
    " prize TEXT NOT NULL,"
    " result TEXT NOT NULL,"
    " PRIMARY KEY (round_id, position))",
};

QString NextConnectionName()
{
    static std::atomic<int> count{0};
    return QStringLiteral("kapuna-history-%1").arg(++count);
}

bool Exec(QSqlDatabase &db, const QString &statement)
{
    QSqlQuery query(db);
    return query.exec(statement);
}

// Text for a NOT NULL column: a null QString would be bound as NULL.
QVariant Text(const QString &text)
{
    return text.isNull() ? QVariant(QStringLiteral("")) : QVariant(text);
}

// SQLite's own word for a file whose content is broken, or no database.
bool Damaged(const QSqlError &error)
{
    const QString code = error.nativeErrorCode();
    return code == QLatin1String("11") || code == QLatin1String("26");
}

// Stored times are UTC milliseconds; made into local time only when shown,
// since a time-zone lookup for each of thousands of rounds would cost more
// than reading them.
QDateTime StoredTime(const QVariant &ms)
{
    return QDateTime::fromMSecsSinceEpoch(ms.toLongLong(), Qt::UTC);
}

QString NamesOf(const RoundRecord &record)
{
    QStringList names;
    for (const RoundRecord::Player &player : record.players)
        names << player.name;
    return names.join(QStringLiteral(", "));
}

// A LIKE pattern that finds `text` anywhere, its own % and _ taken as they are.
QString Containing(QString text)
{
    text.replace(u'\\', QStringLiteral("\\\\"));
    text.replace(u'%', QStringLiteral("\\%"));
    text.replace(u'_', QStringLiteral("\\_"));
    return u'%' + text + u'%';
}

// Commits on success, rolls back however else the scope is left.
class Transaction
{
public:
    explicit Transaction(QSqlDatabase &db)
        : db_(db)
        // IMMEDIATE takes the write lock at once, so two windows never both
        // read and then both try to write.
        , begun_(Exec(db, QStringLiteral("BEGIN IMMEDIATE")))
    {
    }
    ~Transaction()
    {
        if (begun_ && !done_)
            Exec(db_, QStringLiteral("ROLLBACK"));
    }
    bool Begun() const { return begun_; }
    bool Commit()
    {
        done_ = Exec(db_, QStringLiteral("COMMIT"));
        return done_;
    }

private:
    QSqlDatabase &db_;
    bool begun_;
    bool done_ = false;
};

} // namespace

HistoryStore::HistoryStore(QString path)
    : path_(std::move(path))
    , connection_(NextConnectionName())
{
}

HistoryStore::~HistoryStore()
{
    if (QSqlDatabase::contains(connection_)) {
        QSqlDatabase::database(connection_, false).close();
        QSqlDatabase::removeDatabase(connection_);
    }
}

QString HistoryStore::DefaultPath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("history.sqlite"));
}

bool HistoryStore::Open()
{
    if (tried_)
        return open_;
    tried_ = true;
    const QFileInfo file(path_);
    if (!QDir().mkpath(file.absolutePath())) {
        notice_ = QStringLiteral("지난 게임 기록을 저장할 폴더를 만들 수 없습니다: %1")
                      .arg(QDir::toNativeSeparators(file.absolutePath()));
        return false;
    }
    // SQLite would open a pipe or a device and wait on it for ever.
    if (file.exists() && !file.isFile())
        return SetAside();
    open_ = OpenFile();
    if (!open_ && notice_.isEmpty())
        return SetAside();
    return open_;
}

bool HistoryStore::OpenFile()
{
    QSqlDatabase db = QSqlDatabase::contains(connection_)
                          ? QSqlDatabase::database(connection_, false)
                          : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    if (!db.isValid()) {
        notice_ = QStringLiteral("지난 게임 기록을 열 수 없습니다 (SQLite 드라이버가 없습니다).");
        return false;
    }
    db.setDatabaseName(path_);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
    if (!db.open())
        return false;

    // The first statement that reads the file tells a file that is no
    // database at all.
    QSqlQuery version(db);
    if (!version.exec(QStringLiteral("PRAGMA user_version")) || !version.next())
        return false;
    const int found = version.value(0).toInt();
    version.finish();
    if (found > kSchemaVersion)
        return false;
    if (found < kSchemaVersion) {
        Transaction transaction(db);
        if (!transaction.Begun())
            return false;
        // Another window may have made it meanwhile.
        QSqlQuery again(db);
        if (!again.exec(QStringLiteral("PRAGMA user_version")) || !again.next())
            return false;
        if (again.value(0).toInt() == 0) {
            for (const char *statement : kSchema) {
                if (!Exec(db, QLatin1String(statement)))
                    return false;
            }
            if (!Exec(db, QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion)))
                return false;
        }
        again.finish();
        if (!transaction.Commit())
            return false;
    }
    // A file cut short: its header counts more pages than it holds. (A full
    // check would read the whole history; damage further in shows as an
    // error of the statement that meets it, and is handled there.)
    if (!QFileInfo::exists(path_ + QStringLiteral("-wal"))) {
        QSqlQuery pages(db);
        if (!pages.exec(QStringLiteral("SELECT page_count * page_size FROM pragma_page_count(), pragma_page_size()"))
            || !pages.next() || pages.value(0).toLongLong() > QFileInfo(path_).size())
            return false;
    }
    QSqlQuery tables(db);
    if (!tables.exec(QStringLiteral(
            "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name IN ('rounds', 'players')"))
        || !tables.next() || tables.value(0).toInt() != 2)
        return false;
    tables.finish();
    // Readers and one writer at a time, from any number of windows.
    Exec(db, QStringLiteral("PRAGMA journal_mode = WAL"));
    Exec(db, QStringLiteral("PRAGMA foreign_keys = ON"));
    return true;
}

bool HistoryStore::SetAside()
{
    ++setAside_;
    if (QSqlDatabase::contains(connection_))
        QSqlDatabase::database(connection_, false).close();
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString aside = path_ + QStringLiteral(".damaged-") + stamp;
    for (int n = 2; QFileInfo::exists(aside); ++n)
        aside = path_ + QStringLiteral(".damaged-%1-%2").arg(stamp).arg(n);
    if (!QFile::rename(path_, aside)) {
        notice_ = QStringLiteral("지난 게임 기록을 열 수 없습니다: %1").arg(QDir::toNativeSeparators(path_));
        open_ = false;
        return false;
    }
    // The journal files belong to the file set aside.
    for (const char *suffix : {"-wal", "-shm"}) {
        if (QFileInfo::exists(path_ + QLatin1String(suffix)))
            QFile::rename(path_ + QLatin1String(suffix), aside + QLatin1String(suffix));
    }
    open_ = OpenFile();
    notice_ = open_ ? QStringLiteral("지난 게임 기록을 읽을 수 없어 따로 두고 새 기록을 시작합니다: %1")
                          .arg(QDir::toNativeSeparators(aside))
                    : QStringLiteral("지난 게임 기록을 열 수 없습니다: %1").arg(QDir::toNativeSeparators(path_));
    return open_;
}

QString HistoryStore::NoticeOnce()
{
    if (noticed_ || notice_.isEmpty())
        return {};
    noticed_ = true;
    return notice_;
}

bool HistoryStore::Run(QSqlQuery &query)
{
    if (query.exec())
        return true;
    if (Damaged(query.lastError()))
        SetAside();
    return false;
}

qint64 HistoryStore::Add(const RoundRecord &record)
{
    // Damage met on the way sets the file aside; the round then goes into
    // the new one.
    const int asideBefore = setAside_;
    const qint64 id = Insert(record);
    return id || setAside_ == asideBefore ? id : Insert(record);
}

qint64 HistoryStore::Insert(const RoundRecord &record)
{
    if (!Open())
        return 0;
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    Transaction transaction(db);
    if (!transaction.Begun())
        return 0;
    QSqlQuery round(db);
    round.prepare(QStringLiteral(
        "INSERT INTO rounds (played_ms, number, seed, players, names, total, finished, printed, saved)"
        " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    round.addBindValue(record.playedAt.toMSecsSinceEpoch());
    round.addBindValue(Text(record.Number()));
    round.addBindValue(qint64(record.seed));
    round.addBindValue(record.Count());
    round.addBindValue(Text(NamesOf(record)));
    round.addBindValue(record.total);
    round.addBindValue(record.finished);
    round.addBindValue(record.printed);
    round.addBindValue(record.saved);
    if (!Run(round))
        return 0;
    const qint64 id = round.lastInsertId().toLongLong();
    QSqlQuery player(db);
    player.prepare(QStringLiteral(
        "INSERT INTO players (round_id, position, name, prize, result) VALUES (?, ?, ?, ?, ?)"));
    for (int i = 0; i < record.Count(); ++i) {
        const RoundRecord::Player &p = record.players.at(i);
        player.addBindValue(id);
        player.addBindValue(i + 1);
        player.addBindValue(Text(p.name));
        player.addBindValue(Text(p.prize));
        player.addBindValue(Text(p.result));
        if (!Run(player))
            return 0;
    }
    return transaction.Commit() ? id : 0;
}

bool HistoryStore::Mark(qint64 id, const char *column)
{
    if (!Open())
        return false;
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QSqlQuery query(db);
    query.prepare(QStringLiteral("UPDATE rounds SET %1 = 1 WHERE id = ?").arg(QLatin1String(column)));
    query.addBindValue(id);
    return Run(query) && query.numRowsAffected() == 1;
}

bool HistoryStore::MarkPrinted(qint64 id)
{
    return Mark(id, "printed");
}

bool HistoryStore::MarkSaved(qint64 id)
{
    return Mark(id, "saved");
}

bool HistoryStore::Remove(qint64 id)
{
    if (!Open())
        return false;
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QSqlQuery query(db);
    query.prepare(QStringLiteral("DELETE FROM rounds WHERE id = ?"));
    query.addBindValue(id);
    return Run(query) && query.numRowsAffected() == 1;
}

QList<HistoryStore::Summary> HistoryStore::Rounds(const QString &search)
{
    QList<Summary> rounds;
    if (!Open())
        return rounds;
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QSqlQuery query(db);
    query.setForwardOnly(true);
    QString sql = QStringLiteral(
        "SELECT id, played_ms, number, players, names, total, finished, printed, saved FROM rounds");
    const QString text = search.trimmed();
    if (!text.isEmpty()) {
        sql += QStringLiteral(" WHERE names LIKE ? ESCAPE '\\'"
                              " OR replace(number, '-', '') LIKE ? ESCAPE '\\'");
    }
    sql += QStringLiteral(" ORDER BY played_ms DESC, id DESC");
    query.prepare(sql);
    if (!text.isEmpty()) {
        query.addBindValue(Containing(text));
        query.addBindValue(Containing(QString(text).remove(u'-').remove(u' ').toUpper()));
    }
    if (!Run(query))
        return rounds;
    while (query.next()) {
        Summary s;
        s.id = query.value(0).toLongLong();
        s.playedAt = StoredTime(query.value(1));
        s.number = query.value(2).toString();
        s.players = query.value(3).toInt();
        s.names = query.value(4).toString();
        s.total = query.value(5).toInt();
        s.finished = query.value(6).toBool();
        s.printed = query.value(7).toBool();
        s.saved = query.value(8).toBool();
        rounds.append(s);
    }
    return rounds;
}

std::optional<RoundRecord> HistoryStore::Round(qint64 id)
{
    const QList<RoundRecord> found = Records({id});
    if (found.isEmpty())
        return std::nullopt;
    return found.constFirst();
}

QList<RoundRecord> HistoryStore::Records(const QList<qint64> &ids)
{
    QList<RoundRecord> records;
    if (!Open())
        return records;
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QStringList wanted;
    for (qint64 id : ids)
        wanted << QString::number(id);
    // The ids are numbers the store gave out, written by the program itself.
    const auto only = [&](const char *column) {
        return ids.isEmpty() ? QString()
                             : QStringLiteral(" WHERE %1 IN (%2)").arg(QLatin1String(column), wanted.join(u','));
    };
    QSqlQuery rounds(db);
    rounds.setForwardOnly(true);
    rounds.prepare(QStringLiteral("SELECT id, played_ms, seed, total, finished, printed, saved FROM rounds")
                   + only("id") + QStringLiteral(" ORDER BY played_ms DESC, id DESC"));
    if (!Run(rounds))
        return records;
    QHash<qint64, qsizetype> at;
    while (rounds.next()) {
        RoundRecord record;
        record.id = rounds.value(0).toLongLong();
        record.playedAt = StoredTime(rounds.value(1));
        record.seed = std::uint64_t(rounds.value(2).toLongLong());
        record.total = rounds.value(3).toInt();
        record.finished = rounds.value(4).toBool();
        record.printed = rounds.value(5).toBool();
        record.saved = rounds.value(6).toBool();
        at.insert(record.id, records.size());
        records.append(record);
    }
    QSqlQuery players(db);
    players.setForwardOnly(true);
    players.prepare(QStringLiteral("SELECT round_id, name, prize, result FROM players")
                    + only("round_id") + QStringLiteral(" ORDER BY round_id, position"));
    if (!Run(players))
        return {};
    while (players.next()) {
        const auto found = at.constFind(players.value(0).toLongLong());
        if (found != at.constEnd())
            records[*found].players.append({players.value(1).toString(), players.value(2).toString(),
                                            players.value(3).toString()});
    }
    return records;
}

std::optional<RoundRecord> HistoryStore::FindNumber(const QString &number)
{
    const std::optional<game_number::Round> wanted = game_number::Decode(number);
    if (!wanted || !Open())
        return std::nullopt;
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QSqlQuery query(db);
    query.prepare(QStringLiteral(
        "SELECT id FROM rounds WHERE seed = ? AND players = ? ORDER BY played_ms DESC, id DESC LIMIT 1"));
    query.addBindValue(qint64(wanted->seed));
    query.addBindValue(wanted->players);
    if (!Run(query) || !query.next())
        return std::nullopt;
    return Round(query.value(0).toLongLong());
}
