// ReadRegText and WriteRegText of the settings store, with both roots' files
// in a folder of the test's own.

#include "platform/settings_store.h"
#include "support/pipe_guard.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr qint32 kMachine = Registry::kHkeyLocalMachine;
constexpr qint32 kUser = Registry::kHkeyCurrentUser;
const QString kKey = QStringLiteral("Software\\Westhaven\\Kapuna");

} // namespace

class TestRegistry : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void roundTrip_data();
    void roundTrip();
    void missingValuesAndOtherRootsAreEmpty();
    void theReadLimitCountsBytes();
    void textStopsAtAZeroCharacter();
    void valuesThatAreNotTextReadEmpty();
    void anUnwritableStoreFailsQuietly();
    void whatIsNoPlainFileHoldsNoSettings_data();
    void whatIsNoPlainFileHoldsNoSettings();
    void theFilesOfThisSystem_data();
    void theFilesOfThisSystem();

private:
    QString File(const QString &scope) const
    {
        return dir_->filePath(scope + QStringLiteral("/Westhaven/Kapuna.ini"));
    }

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<SettingsStore> store_;
};

void TestRegistry::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    store_ = std::make_unique<SettingsStore>(File(QStringLiteral("etc")), File(QStringLiteral("home")));
}

void TestRegistry::roundTrip_data()
{
    QTest::addColumn<int>("root");
    QTest::addColumn<QString>("other");
    QTest::addColumn<QString>("text");
    QTest::newRow("machine") << int(kMachine) << "home" << "/opt/kapuna";
    QTest::newRow("user") << int(kUser) << "etc" << "C:\\게임\\카푸나, 1;2=3";
    QTest::newRow("empty") << int(kMachine) << "home" << "";
}

void TestRegistry::roundTrip()
{
    QFETCH(int, root);
    QFETCH(QString, other);
    QFETCH(QString, text);
    QVERIFY(store_->WriteRegText(root, kKey, "path", text));
    QCOMPARE(store_->ReadRegText(root, kKey, "path"), text);
    // Each root keeps its own file: the other scope saw nothing.
    QVERIFY(!QDir(dir_->filePath(other)).exists());
    QVERIFY(store_->WriteRegText(root, kKey, "path", "again"));
    QCOMPARE(store_->ReadRegText(root, kKey, "path"), QStringLiteral("again"));
    // What QSettings itself reads from the file.
    const QSettings raw(File(root == kMachine ? "etc" : "home"), QSettings::IniFormat);
    QCOMPARE(raw.value("Software/Westhaven/Kapuna/path").toString(), QStringLiteral("again"));
}

void TestRegistry::missingValuesAndOtherRootsAreEmpty()
{
    QCOMPARE(store_->ReadRegText(kMachine, kKey, "path"), QString());
    QVERIFY(store_->WriteRegText(kMachine, kKey, "path", "x"));
    QCOMPARE(store_->ReadRegText(kMachine, kKey, "other"), QString());
    QCOMPARE(store_->ReadRegText(kMachine, "Software\\Else", "path"), QString());
    QCOMPARE(store_->ReadRegText(kUser, kKey, "path"), QString());
    QVERIFY(!store_->WriteRegText(qint32(0x80000003u), kKey, "path", "x"));
    QCOMPARE(store_->ReadRegText(qint32(0x80000003u), kKey, "path"), QString());
}

void TestRegistry::theReadLimitCountsBytes()
{
    const QString fits = QString(Registry::kReadLimit / 2, QChar(u'é')); // two bytes each
    QVERIFY(store_->WriteRegText(kMachine, kKey, "fits", fits));
    QCOMPARE(store_->ReadRegText(kMachine, kKey, "fits"), fits);
    QVERIFY(store_->WriteRegText(kMachine, kKey, "long", fits + u'a'));
    QCOMPARE(store_->ReadRegText(kMachine, kKey, "long"), QString());
}

void TestRegistry::textStopsAtAZeroCharacter()
{
    QVERIFY(store_->WriteRegText(kMachine, kKey, "path", QStringLiteral("/opt") + QChar(0) + "x"));
    QCOMPARE(store_->ReadRegText(kMachine, kKey, "path"), QStringLiteral("/opt"));
}

void TestRegistry::valuesThatAreNotTextReadEmpty()
{
    {
        QSettings raw(File(QStringLiteral("etc")), QSettings::IniFormat);
        raw.setValue("Software/Westhaven/Kapuna/list", QStringList{"a", "b"});
        raw.setValue("Software/Westhaven/Kapuna/bytes", QByteArray("\x01\x02", 2));
    }
    QCOMPARE(store_->ReadRegText(kMachine, kKey, "list"), QString());
    QCOMPARE(store_->ReadRegText(kMachine, kKey, "bytes"), QString());
}

void TestRegistry::anUnwritableStoreFailsQuietly()
{
    // A file where the store's folder should be: nothing can be written
    // there, whoever runs the test.
    QFile blocker(dir_->filePath("blocked"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    SettingsStore store(dir_->filePath("blocked/Westhaven/Kapuna.ini"), File(QStringLiteral("home")));
    QVERIFY(!store.WriteRegText(kMachine, kKey, "path", "/opt/kapuna"));
    QCOMPARE(store.ReadRegText(kMachine, kKey, "path"), QString());
}

void TestRegistry::whatIsNoPlainFileHoldsNoSettings_data()
{
    // A plain open waits for ever on a pipe and reads a device to its end.
    QTest::addColumn<int>("root");
    QTest::addColumn<QString>("kind");
    QTest::newRow("a FIFO as the machine's file") << int(kMachine) << "fifo";
    QTest::newRow("a FIFO as the user's file") << int(kUser) << "fifo";
    QTest::newRow("a link to a device as the user's file") << int(kUser) << "device";
    QTest::newRow("a folder as the machine's file") << int(kMachine) << "folder";
}

void TestRegistry::whatIsNoPlainFileHoldsNoSettings()
{
    QFETCH(int, root);
    QFETCH(QString, kind);
    const QString path = File(root == kMachine ? "etc" : "home");
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    if (kind == QLatin1String("device"))
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
    if (kind == QLatin1String("folder"))
        QVERIFY(QDir().mkpath(path));
    PipeGuard pipe(kind == QLatin1String("fifo") ? path : dir_->filePath(QStringLiteral("unused")));

    QElapsedTimer clock;
    clock.start();
    QCOMPARE(store_->ReadRegText(root, kKey, "path"), QString());
    QVERIFY(!store_->WriteRegText(root, kKey, "path", "/opt/kapuna"));
    if (root == kUser) {
        QCOMPARE(store_->ZoomPercent(), std::nullopt);
        QVERIFY(!store_->WriteZoomPercent(150));
    }
    QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
    // Left as it was: never replaced by a file of its own.
    const QFileInfo after(path);
    QVERIFY(!after.isFile() || after.isSymLink());
    QCOMPARE(after.isSymLink(), kind == QLatin1String("device"));
}

void TestRegistry::theFilesOfThisSystem_data()
{
    QTest::addColumn<QByteArray>("configDirs"); // $XDG_CONFIG_DIRS
    QTest::addColumn<QByteArray>("configHome"); // $XDG_CONFIG_HOME
    QTest::addColumn<QString>("machine");
    QTest::addColumn<QString>("user");
    const QString ini = QStringLiteral("/Westhaven/Kapuna.ini");
    QTest::newRow("neither set") << QByteArray() << QByteArray() << "/etc/xdg" + ini
                                 << "/home/player/.config" + ini;
    QTest::newRow("both set") << QByteArray("/opt/xdg:/etc/xdg") << QByteArray("/srv/config")
                              << "/opt/xdg" + ini << "/srv/config" + ini;
    QTest::newRow("relative folders do not count")
        << QByteArray("xdg:/opt/xdg") << QByteArray("config") << "/opt/xdg" + ini
        << "/home/player/.config" + ini;
}

void TestRegistry::theFilesOfThisSystem()
{
    QFETCH(QByteArray, configDirs);
    QFETCH(QByteArray, configHome);
    QFETCH(QString, machine);
    QFETCH(QString, user);
    const char *names[] = {"HOME", "XDG_CONFIG_DIRS", "XDG_CONFIG_HOME"};
    const QByteArray values[] = {"/home/player", configDirs, configHome};
    QByteArray saved[3];
    for (int i = 0; i < 3; ++i) {
        saved[i] = qgetenv(names[i]);
        values[i].isEmpty() ? qunsetenv(names[i]) : qputenv(names[i], values[i]);
    }
    const QString machineFile = SettingsStore::MachineFile();
    const QString userFile = SettingsStore::UserFile();
    for (int i = 0; i < 3; ++i)
        saved[i].isNull() ? qunsetenv(names[i]) : qputenv(names[i], saved[i]);
    QCOMPARE(machineFile, machine);
    QCOMPARE(userFile, user);
}

QTEST_GUILESS_MAIN(TestRegistry)
#include "test_registry.moc"
