#include "game/game_number.h"
#include "platform/history_store.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

#include <thread>

namespace {

RoundRecord Sample(std::uint64_t seed, const QDateTime &at)
{
    RoundRecord r;
    r.playedAt = at;
    r.seed = seed;
    r.players = {{QStringLiteral("철수"), QStringLiteral("꽝"), QStringLiteral("1,000")},
                 {QStringLiteral("영희"), QStringLiteral("1,000"), QStringLiteral("꽝")},
                 {QStringLiteral("Ann \"A\""), QStringLiteral("커피, 두 잔"), QString()}};
    r.total = 1000;
    return r;
}

} // namespace

class TestHistoryStore : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void roundsComeBackAsTheyWereWritten();
    void searchByNameOrNumber_data();
    void searchByNameOrNumber();
    void anUnreadableDatabaseIsSetAside_data();
    void anUnreadableDatabaseIsSetAside();
    void twoWindowsWriteAtOnce();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString Path() const { return dir_->filePath(QStringLiteral("history.sqlite")); }
};

void TestHistoryStore::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
}

void TestHistoryStore::roundsComeBackAsTheyWereWritten()
{
    const QDateTime base(QDate(2026, 12, 8), QTime(15, 30, 12));
    RoundRecord first = Sample(42, base);
    first.finished = true;
    qint64 firstId = 0;
    {
        HistoryStore store(Path());
        QVERIFY(!QFile::exists(Path())); // nothing opened before it is needed
        firstId = store.Add(first);
        QVERIFY(firstId > 0);
        QVERIFY(store.Add(Sample(43, base.addSecs(60))) > 0);
        QVERIFY(store.MarkPrinted(firstId));
        QCOMPARE(store.NoticeOnce(), QString());
    }
    HistoryStore store(Path()); // another window, or the next run
    const std::optional<RoundRecord> back = store.Round(firstId);
    QVERIFY(back);
    first.id = firstId;
    first.printed = true;
    QCOMPARE(*back, first);

    const QList<HistoryStore::Summary> rounds = store.Rounds();
    QCOMPARE(rounds.size(), 2);
    QCOMPARE(rounds[0].number, game_number::Encode(43, 3)); // newest first
    QCOMPARE(rounds[1].names, QStringLiteral("철수, 영희, Ann \"A\""));
    QVERIFY(rounds[1].printed && rounds[1].finished && !rounds[0].printed);
    QCOMPARE(store.FindNumber(game_number::Encode(42, 3).toLower())->id, firstId);
    QVERIFY(!store.FindNumber(game_number::Encode(42, 4)));

    const QList<RoundRecord> all = store.Records();
    QCOMPARE(all.size(), 2);
    QCOMPARE(all[1], first);
    QCOMPARE(all[0], *store.Round(all[0].id));
    QCOMPARE(store.Records({firstId}), QList<RoundRecord>{first});

    QVERIFY(store.Remove(firstId));
    QVERIFY(!store.Remove(firstId));
    QVERIFY(!store.Round(firstId));
    QCOMPARE(store.Rounds().size(), 1);
}

void TestHistoryStore::searchByNameOrNumber_data()
{
    QTest::addColumn<QString>("search");
    QTest::addColumn<int>("found");
    const QString number = game_number::Encode(7, 3);
    QTest::newRow("a name") << QStringLiteral("영희") << 1;
    QTest::newRow("part of a name") << QStringLiteral("An") << 1;
    QTest::newRow("the number as printed") << number << 1;
    QTest::newRow("typed small, no dashes") << number.right(7).toLower().remove(u'-') << 1;
    QTest::newRow("a wildcard is only a character") << QStringLiteral("%") << 0;
    QTest::newRow("nobody") << QStringLiteral("민수") << 0;
    QTest::newRow("blank lists all") << QStringLiteral("  ") << 2;
}

void TestHistoryStore::searchByNameOrNumber()
{
    QFETCH(QString, search);
    QFETCH(int, found);
    HistoryStore store(Path());
    store.Add(Sample(7, QDateTime::currentDateTime()));
    RoundRecord other = Sample(8, QDateTime::currentDateTime());
    for (RoundRecord::Player &p : other.players)
        p.name = QStringLiteral("김");
    store.Add(other);
    QCOMPARE(store.Rounds(search).size(), found);
}

void TestHistoryStore::anUnreadableDatabaseIsSetAside_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("not a database") << QStringLiteral("garbage");
    QTest::newRow("cut short") << QStringLiteral("truncated");
    QTest::newRow("damaged inside") << QStringLiteral("scribbled");
    QTest::newRow("a newer program's") << QStringLiteral("newer");
    QTest::newRow("a pipe") << QStringLiteral("fifo");
}

void TestHistoryStore::anUnreadableDatabaseIsSetAside()
{
    QFETCH(QString, kind);
    QByteArray before;
    if (kind == QLatin1String("fifo")) {
        QCOMPARE(::mkfifo(QFile::encodeName(Path()).constData(), 0600), 0);
    } else if (kind == QLatin1String("garbage")) {
        before = QByteArray("this is no database\n").repeated(300);
    } else {
        {
            HistoryStore store(Path());
            for (int i = 0; i < 50; ++i)
                store.Add(Sample(std::uint64_t(i), QDateTime::currentDateTime()));
        }
        if (kind == QLatin1String("newer")) {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("newer"));
            db.setDatabaseName(Path());
            QVERIFY(db.open());
            QSqlQuery(db).exec(QStringLiteral("PRAGMA user_version = 99"));
            QSqlQuery(db).exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
            db.close();
        }
        QFile file(Path());
        QVERIFY(file.open(QIODevice::ReadOnly));
        before = file.readAll();
        if (kind == QLatin1String("truncated"))
            before.truncate(before.size() / 2);
        if (kind == QLatin1String("scribbled")) // every page but the first, the schema's
            before.replace(4096, before.size() - 4096, QByteArray(before.size() - 4096, '\x5a'));
    }
    if (!before.isEmpty()) {
        QFile file(Path());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(before);
    }

    HistoryStore store(Path());
    QVERIFY(store.Add(Sample(1, QDateTime::currentDateTime())) > 0);
    QCOMPARE(store.Rounds().size(), 1);
    const QString notice = store.NoticeOnce();
    QVERIFY2(notice.contains(QStringLiteral("새 기록")), qPrintable(notice));
    QCOMPARE(store.NoticeOnce(), QString()); // told once
    const QStringList aside = QDir(dir_->path()).entryList({QStringLiteral("history.sqlite.damaged-*")},
                                                           QDir::Files | QDir::System);
    QCOMPARE(aside.size(), 1);
    QVERIFY(notice.contains(aside.first()));
    if (!before.isEmpty()) {
        QFile kept(dir_->filePath(aside.first()));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), before); // untouched
    }
}

void TestHistoryStore::twoWindowsWriteAtOnce()
{
    constexpr int kEach = 150;
    HistoryStore(Path()).Rounds(); // the file exists before the race
    std::atomic<int> stored{0};
    const auto writer = [&](std::uint64_t from) {
        HistoryStore store(Path());
        for (int i = 0; i < kEach; ++i)
            stored += store.Add(Sample(from + std::uint64_t(i), QDateTime::currentDateTime())) > 0;
    };
    std::thread a(writer, 0), b(writer, 1000);
    a.join();
    b.join();
    QCOMPARE(stored.load(), 2 * kEach);
    QCOMPARE(HistoryStore(Path()).Rounds().size(), 2 * kEach);
}

QTEST_GUILESS_MAIN(TestHistoryStore)
#include "test_history_store.moc"
