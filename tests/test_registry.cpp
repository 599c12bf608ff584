// ReadRegText and WriteRegText over QSettings, with both scopes' files in a
// folder of the test's own.

#include "platform/registry.h"

#include <QDir>
#include <QFile>
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

private:
    std::unique_ptr<QTemporaryDir> dir_;
    SettingsRegistry registry_;
};

void TestRegistry::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope, dir_->filePath("etc"));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir_->filePath("home"));
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
    QVERIFY(registry_.WriteRegText(root, kKey, "path", text));
    QCOMPARE(registry_.ReadRegText(root, kKey, "path"), text);
    // Each root keeps its own file: the other scope saw nothing.
    QVERIFY(!QDir(dir_->filePath(other)).exists());
    QVERIFY(registry_.WriteRegText(root, kKey, "path", "again"));
    QCOMPARE(registry_.ReadRegText(root, kKey, "path"), QStringLiteral("again"));
}

void TestRegistry::missingValuesAndOtherRootsAreEmpty()
{
    QCOMPARE(registry_.ReadRegText(kMachine, kKey, "path"), QString());
    QVERIFY(registry_.WriteRegText(kMachine, kKey, "path", "x"));
    QCOMPARE(registry_.ReadRegText(kMachine, kKey, "other"), QString());
    QCOMPARE(registry_.ReadRegText(kMachine, "Software\\Else", "path"), QString());
    QCOMPARE(registry_.ReadRegText(kUser, kKey, "path"), QString());
    QVERIFY(!registry_.WriteRegText(qint32(0x80000003u), kKey, "path", "x"));
    QCOMPARE(registry_.ReadRegText(qint32(0x80000003u), kKey, "path"), QString());
}

void TestRegistry::theReadLimitCountsBytes()
{
    const QString fits = QString(Registry::kReadLimit / 2, QChar(u'é')); // two bytes each
    QVERIFY(registry_.WriteRegText(kMachine, kKey, "fits", fits));
    QCOMPARE(registry_.ReadRegText(kMachine, kKey, "fits"), fits);
    QVERIFY(registry_.WriteRegText(kMachine, kKey, "long", fits + u'a'));
    QCOMPARE(registry_.ReadRegText(kMachine, kKey, "long"), QString());
}

void TestRegistry::textStopsAtAZeroCharacter()
{
    QVERIFY(registry_.WriteRegText(kMachine, kKey, "path", QStringLiteral("/opt") + QChar(0) + "x"));
    QCOMPARE(registry_.ReadRegText(kMachine, kKey, "path"), QStringLiteral("/opt"));
}

void TestRegistry::valuesThatAreNotTextReadEmpty()
{
    {
        QSettings raw(QSettings::IniFormat, QSettings::SystemScope, "Westhaven", "Kapuna");
        raw.setValue("Software/Westhaven/Kapuna/list", QStringList{"a", "b"});
        raw.setValue("Software/Westhaven/Kapuna/bytes", QByteArray("\x01\x02", 2));
    }
    QCOMPARE(registry_.ReadRegText(kMachine, kKey, "list"), QString());
    QCOMPARE(registry_.ReadRegText(kMachine, kKey, "bytes"), QString());
}

void TestRegistry::anUnwritableStoreFailsQuietly()
{
    // A file where the store's folder should be: nothing can be written
    // there, whoever runs the test.
    QFile blocker(dir_->filePath("blocked"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope, blocker.fileName());
    QVERIFY(!registry_.WriteRegText(kMachine, kKey, "path", "/opt/kapuna"));
    QCOMPARE(registry_.ReadRegText(kMachine, kKey, "path"), QString());
}

QTEST_GUILESS_MAIN(TestRegistry)
#include "test_registry.moc"
