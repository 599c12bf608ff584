#pragma once

#include "game/round_record.h"

#include <QString>

#include <memory>
#include <optional>

class QSqlQuery;

// The history of rounds, kept in an SQLite database of the user's own.
//
// The database is opened the first time it is needed, never before: a game
// that records nothing never touches it. Every write is one transaction,
// and the file is shared safely with other windows of the game (write-ahead
// log, waiting for a writer's lock). A database that cannot be read (not a
// database, damaged, of an unknown version, not a plain file) is set aside
// untouched under a new name, a fresh one is started, and NoticeOnce() says
// so once. A store whose file cannot be made at all does nothing and says
// that once instead. No call ever throws or blocks longer than another
// writer's transaction.
class HistoryStore
{
public:
    // One round in the list of rounds: what the list shows and searches.
    struct Summary
    {
        qint64 id = 0;
        QDateTime playedAt;
        QString number;
        int players = 0;
        QString names; // the names, ", " between them
        std::int32_t total = 0;
        bool finished = false;
        bool printed = false;
        bool saved = false;
    };

    static constexpr int kSchemaVersion = 1;

    explicit HistoryStore(QString path);
    ~HistoryStore();
    HistoryStore(const HistoryStore &) = delete;
    HistoryStore &operator=(const HistoryStore &) = delete;

    // history.sqlite in the user's data folder for the program.
    static QString DefaultPath();
    QString Path() const { return path_; }

    // Stores `record` and returns its id; 0 when it could not be stored.
    qint64 Add(const RoundRecord &record);
    bool MarkPrinted(qint64 id);
    bool MarkSaved(qint64 id);
    bool Remove(qint64 id);

    // The rounds newest first; with `search`, only those with a name
    // containing it or whose number contains it (dashes and case aside).
    QList<Summary> Rounds(const QString &search = {});
    std::optional<RoundRecord> Round(qint64 id);
    // Whole records, newest first: those of `ids`, or every round when
    // `ids` is empty. Two reads however many rounds there are.
    QList<RoundRecord> Records(const QList<qint64> &ids = {});
    // The newest round of that number (seed and player count).
    std::optional<RoundRecord> FindNumber(const QString &number);

    // What the user must be told about the store, the first time only;
    // empty otherwise.
    QString NoticeOnce();

private:
    bool Open();
    bool OpenFile();
    // Renames the file aside untouched and opens a new one in its place.
    bool SetAside();
    // Runs a prepared statement; one that meets a damaged file sets it
    // aside before it reports the failure.
    bool Run(QSqlQuery &query);
    qint64 Insert(const RoundRecord &record);
    bool Mark(qint64 id, const char *column);

    QString path_;
    QString connection_;
    bool tried_ = false;
    bool open_ = false;
    QString notice_;
    bool noticed_ = false;
    int setAside_ = 0;
};
