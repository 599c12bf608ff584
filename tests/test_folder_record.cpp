// Start-up's record of the program's folder in the machine-wide store.

#include "platform/folder_record.h"
#include "platform/settings_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Passes every call on to a real store and counts the writes.
class CountingRegistry final : public Registry
{
public:
    explicit CountingRegistry(Registry &inner) : inner_(inner) {}

    QString ReadRegText(qint32 root, const QString &keyPath,
                        const QString &valueName) const override
    {
        return inner_.ReadRegText(root, keyPath, valueName);
    }
    bool WriteRegText(qint32 root, const QString &keyPath, const QString &valueName,
                      const QString &value) override
    {
        ++writes;
        return inner_.WriteRegText(root, keyPath, valueName, value);
    }

    int writes = 0;

private:
    Registry &inner_;
};

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString Recorded(const Registry &registry)
{
    return registry.ReadRegText(Registry::kHkeyLocalMachine, folder_record::kKeyPath,
                                folder_record::kValueName);
}

} // namespace

class TestFolderRecord : public QObject
{
    Q_OBJECT

private:
    QString UserFile() const { return dir_->filePath(QStringLiteral("home/Westhaven/Kapuna.ini")); }

    std::unique_ptr<QTemporaryDir> dir_;
    QString machineFile_;

private slots:
    void init()
    {
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        machineFile_ = dir_->filePath(QStringLiteral("etc/Westhaven/Kapuna.ini"));
    }

    void firstRunRecordsTheFolder()
    {
        SettingsStore store(machineFile_, UserFile());
        RecordProgramFolder(store, QStringLiteral("/opt/kapuna"));
        QCOMPARE(Recorded(store), QStringLiteral("/opt/kapuna"));
    }

    void emptyRecordIsFilledIn()
    {
        SettingsStore store(machineFile_, UserFile());
        QVERIFY(store.WriteRegText(Registry::kHkeyLocalMachine, folder_record::kKeyPath,
                                   folder_record::kValueName, QString()));
        CountingRegistry counting(store);
        RecordProgramFolder(counting, QStringLiteral("/opt/kapuna"));
        QCOMPARE(counting.writes, 1);
        QCOMPARE(Recorded(store), QStringLiteral("/opt/kapuna"));
    }

    void movedProgramOverwritesTheRecord_data()
    {
        QTest::addColumn<QString>("recorded");
        QTest::addColumn<QString>("current");
        QTest::newRow("another folder") << "/opt/kapuna" << "/home/user/games/kapuna";
        QTest::newRow("case differs") << "/opt/Kapuna" << "/opt/kapuna";
        QTest::newRow("trailing separator differs") << "/opt/kapuna/" << "/opt/kapuna";
        QTest::newRow("korean folder") << "/opt/kapuna" << "/home/사용자/카푸나";
    }

    void movedProgramOverwritesTheRecord()
    {
        QFETCH(QString, recorded);
        QFETCH(QString, current);
        SettingsStore store(machineFile_, UserFile());
        RecordProgramFolder(store, recorded);
        CountingRegistry counting(store);
        RecordProgramFolder(counting, current);
        QCOMPARE(counting.writes, 1);
        QCOMPARE(Recorded(store), current);
    }

    void sameFolderWritesNothing()
    {
        SettingsStore store(machineFile_, UserFile());
        RecordProgramFolder(store, QStringLiteral("/opt/kapuna"));
        // A comment the writer would not keep: if the store were rewritten,
        // even with the same value, the bytes would change.
        QFile file(machineFile_);
        QVERIFY(file.open(QIODevice::ReadWrite));
        const QByteArray original = file.readAll();
        const QByteArray marked = "; untouched\n" + original;
        file.seek(0);
        file.write(marked);
        file.close();
        QCOMPARE(Recorded(store), QStringLiteral("/opt/kapuna"));

        CountingRegistry counting(store);
        RecordProgramFolder(counting, QStringLiteral("/opt/kapuna"));
        QCOMPARE(counting.writes, 0);
        QCOMPARE(ReadAll(machineFile_), marked);
    }

    void failingWriteIsIgnored()
    {
        const QString blocker = dir_->filePath(QStringLiteral("blocker"));
        QFile file(blocker);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        SettingsStore store(blocker + QStringLiteral("/Westhaven/Kapuna.ini"), UserFile());
        CountingRegistry counting(store);
        RecordProgramFolder(counting, QStringLiteral("/opt/kapuna"));
        QCOMPARE(counting.writes, 1);
        QCOMPARE(Recorded(store), QString());
    }

    void recordIsTheSettingOfTheWindowsProgram()
    {
        QCOMPARE(folder_record::kKeyPath, QStringLiteral("Software\\Westhaven\\Kapuna"));
        QCOMPARE(folder_record::kValueName, QStringLiteral("path"));
        SettingsStore store(machineFile_, UserFile());
        RecordProgramFolder(store, QStringLiteral("/opt/kapuna"));
        const QSettings raw(machineFile_, QSettings::IniFormat);
        QCOMPARE(raw.value("Software/Westhaven/Kapuna/path").toString(), QStringLiteral("/opt/kapuna"));
    }

    void programFolderIsTheExecutablesFolder()
    {
        QCOMPARE(folder_record::ProgramFolder(),
                 QDir::toNativeSeparators(QCoreApplication::applicationDirPath()));
    }
};

QTEST_GUILESS_MAIN(TestFolderRecord)
#include "test_folder_record.moc"
