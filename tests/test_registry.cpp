// ReadRegText and WriteRegText over the program's own store files: the rules
// of the registry calls, and a store that survives crashes, corruption and
// places it may not write.

#include "platform/registry.h"
#include "platform/registry_file_store.h"
#include "platform/registry_format.h"
#include "platform/registry_tree.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

constexpr qint32 kMachine = Registry::kHkeyLocalMachine;
const QString kKey = QStringLiteral("Software\\Westhaven\\Kapuna");

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
           && file.write(bytes) == bytes.size();
}

} // namespace

class TestRegistry : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString machineFile_;
    QString userFile_;

    RegistryFileStore Store() const { return RegistryFileStore(machineFile_, userFile_); }

    // A store file with values of any type, as another tool might leave it.
    void PlantValue(const QString &key, const QString &name, quint32 type, const QByteArray &data)
    {
        RegistryTree tree;
        tree.SetValue(key, name, type, data);
        QDir().mkpath(QFileInfo(machineFile_).absolutePath());
        QVERIFY(WriteAll(machineFile_, registry_format::Serialize(tree)));
    }

    RegistryTree StoredTree() const
    {
        const registry_format::Parsed parsed = registry_format::Parse(ReadAll(machineFile_));
        return parsed.tree;
    }

private slots:
    void init()
    {
        // Every failure of the store is silent: not even a warning.
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        machineFile_ = dir_->filePath(QStringLiteral("machine/Westhaven/kapuna-registry"));
        userFile_ = dir_->filePath(QStringLiteral("user/Westhaven/kapuna-registry"));
    }

    void missingStoreReadsEmpty()
    {
        QCOMPARE(Store().ReadRegText(kMachine, kKey, QStringLiteral("path")), QString());
        QVERIFY(!QFile::exists(machineFile_));
    }

    void missingKeyOrValueReadsEmpty()
    {
        RegistryFileStore store = Store();
        QVERIFY(store.WriteRegText(kMachine, kKey, QStringLiteral("path"), QStringLiteral("/x")));
        QCOMPARE(store.ReadRegText(kMachine, kKey, QStringLiteral("other")), QString());
        QCOMPARE(store.ReadRegText(kMachine, QStringLiteral("Software\\Nobody"),
                                   QStringLiteral("path")),
                 QString());
        QCOMPARE(store.ReadRegText(kMachine, QStringLiteral("Software\\Westhaven"),
                                   QStringLiteral("path")),
                 QString());
    }

    void writeCreatesTheKeyWithEveryMissingParent()
    {
        QVERIFY(Store().WriteRegText(kMachine, kKey, QStringLiteral("path"),
                                     QStringLiteral("/opt/kapuna")));
        const RegistryTree tree = StoredTree();
        QVERIFY(tree.HasKey(QStringLiteral("Software")));
        QVERIFY(tree.HasKey(QStringLiteral("Software\\Westhaven")));
        QVERIFY(tree.HasKey(kKey));
        const RegistryTree::Value *value = tree.FindValue(kKey, QStringLiteral("path"));
        QVERIFY(value);
        QCOMPARE(value->type, quint32(Registry::kRegSz));
        QCOMPARE(value->data, QByteArrayLiteral("/opt/kapuna")); // no terminating zero
    }

    void writtenTextReadsBack_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("folder") << QStringLiteral("/usr/lib/kapuna");
        QTest::newRow("windows folder") << QStringLiteral("C:\\Program Files\\Kapuna");
        QTest::newRow("korean") << QStringLiteral("/home/사용자/카푸나");
        QTest::newRow("store syntax") << QStringLiteral("a=b%41[c]\\d # e");
        QTest::newRow("line breaks") << QStringLiteral("one\ntwo\r\nthree");
        QTest::newRow("environment reference") << QStringLiteral("%HOME%/kapuna");
        QTest::newRow("surrounding blanks") << QStringLiteral("  x  ");
    }

    void writtenTextReadsBack()
    {
        QFETCH(QString, text);
        RegistryFileStore store = Store();
        QVERIFY(store.WriteRegText(kMachine, kKey, QStringLiteral("path"), text));
        QCOMPARE(store.ReadRegText(kMachine, kKey, QStringLiteral("path")), text);
    }

    void emptyTextIsStoredAsZeroBytes()
    {
        RegistryFileStore store = Store();
        QVERIFY(store.WriteRegText(kMachine, kKey, QStringLiteral("path"), QString()));
        // The value lives in the tree: keep the tree for as long as the pointer.
        const RegistryTree tree = StoredTree();
        const RegistryTree::Value *value = tree.FindValue(kKey, QStringLiteral("path"));
        QVERIFY(value);
        QCOMPARE(value->type, quint32(Registry::kRegSz));
        QCOMPARE(value->data.size(), 0);
        QCOMPARE(store.ReadRegText(kMachine, kKey, QStringLiteral("path")), QString());
    }

    void readLimitCountsStoredBytes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("readsWhole");
        QTest::newRow("1023 bytes") << QString(1023, u'a') << true;
        QTest::newRow("exactly 1024 bytes") << QString(1024, u'a') << true;
        QTest::newRow("1025 bytes") << QString(1025, u'a') << false;
        QTest::newRow("far too long") << QString(100000, u'a') << false;
        // Korean syllables take three bytes each in the store.
        QTest::newRow("341 syllables, 1023 bytes") << QString(341, u'가') << true;
        QTest::newRow("342 syllables, 1026 bytes") << QString(342, u'가') << false;
        QTest::newRow("1022 + one syllable, 1025 bytes")
            << QString(1022, u'a') + QStringLiteral("가") << false;
    }

    void readLimitCountsStoredBytes()
    {
        QFETCH(QString, text);
        QFETCH(bool, readsWhole);
        RegistryFileStore store = Store();
        QVERIFY(store.WriteRegText(kMachine, kKey, QStringLiteral("path"), text));
        QCOMPARE(store.ReadRegText(kMachine, kKey, QStringLiteral("path")),
                 readsWhole ? text : QString());
    }

    void valueTypesRead_data()
    {
        QTest::addColumn<quint32>("type");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("text");
        QTest::newRow("REG_SZ") << quint32(Registry::kRegSz) << QByteArray("abc") << "abc";
        QTest::newRow("REG_SZ cut at its first zero")
            << quint32(Registry::kRegSz) << QByteArray("abc\0def\0", 8) << "abc";
        QTest::newRow("REG_SZ of zeros only")
            << quint32(Registry::kRegSz) << QByteArray("\0\0", 2) << "";
        QTest::newRow("REG_EXPAND_SZ stays unexpanded")
            << quint32(Registry::kRegExpandSz) << QByteArray("%HOME%\\kapuna") << "%HOME%\\kapuna";
        QTest::newRow("REG_BINARY") << quint32(Registry::kRegBinary) << QByteArray("abc") << "";
        QTest::newRow("REG_MULTI_SZ")
            << quint32(Registry::kRegMultiSz) << QByteArray("a\0b\0\0", 5) << "";
        QTest::newRow("REG_NONE") << quint32(Registry::kRegNone) << QByteArray("abc") << "";
        QTest::newRow("REG_QWORD") << quint32(11) << QByteArray("\1\0\0\0\0\0\0\0", 8) << "";
        QTest::newRow("REG_DWORD as a decimal number")
            << quint32(Registry::kRegDword) << QByteArray("\x2a\0\0\0", 4) << "42";
        QTest::newRow("REG_DWORD is unsigned")
            << quint32(Registry::kRegDword) << QByteArray("\xff\xff\xff\xff", 4) << "4294967295";
        QTest::newRow("REG_DWORD of the wrong size")
            << quint32(Registry::kRegDword) << QByteArray("\x2a\0\0", 3) << "";
        QTest::newRow("REG_EXPAND_SZ over the read limit")
            << quint32(Registry::kRegExpandSz) << QByteArray(1025, 'x') << "";
    }

    void valueTypesRead()
    {
        QFETCH(quint32, type);
        QFETCH(QByteArray, data);
        QFETCH(QString, text);
        PlantValue(kKey, QStringLiteral("v"), type, data);
        QCOMPARE(Store().ReadRegText(kMachine, kKey, QStringLiteral("v")), text);
    }

    void namesMatchWhateverTheirCase()
    {
        RegistryFileStore store = Store();
        QVERIFY(store.WriteRegText(kMachine, kKey, QStringLiteral("path"), QStringLiteral("/a")));
        QCOMPARE(store.ReadRegText(kMachine, QStringLiteral("SOFTWARE\\westhaven\\KaPuNa"),
                                   QStringLiteral("PATH")),
                 QStringLiteral("/a"));
        QVERIFY(store.WriteRegText(kMachine, QStringLiteral("software\\WESTHAVEN\\kapuna"),
                                   QStringLiteral("Path"), QStringLiteral("/b")));
        QCOMPARE(store.ReadRegText(kMachine, kKey, QStringLiteral("path")), QStringLiteral("/b"));

        // Still one key and one value, each with the case it was created with.
        const RegistryTree tree = StoredTree();
        QCOMPARE(tree.Keys().size(), 3);
        QCOMPARE(tree.Keys().last().path, kKey);
        QCOMPARE(tree.Keys().last().values.size(), 1);
        QCOMPARE(tree.Keys().last().values.first().name, QStringLiteral("path"));
    }

    void newKeysKeepTheCaseGivenUnderExistingParents()
    {
        RegistryFileStore store = Store();
        QVERIFY(store.WriteRegText(kMachine, QStringLiteral("Software\\Foo"), {}, {}));
        QVERIFY(store.WriteRegText(kMachine, QStringLiteral("SOFTWARE\\FOO\\Bar"), {}, {}));
        QStringList paths;
        const RegistryTree tree = StoredTree();
        for (const RegistryTree::Key &key : tree.Keys())
            paths << key.path;
        QCOMPARE(paths, QStringList({QStringLiteral("Software"), QStringLiteral("Software\\Foo"),
                                     QStringLiteral("Software\\Foo\\Bar")}));
    }

    void rewritingOneValueKeepsTheOthers()
    {
        RegistryFileStore store = Store();
        QVERIFY(store.WriteRegText(kMachine, kKey, QStringLiteral("a"), QStringLiteral("1")));
        QVERIFY(store.WriteRegText(kMachine, kKey, QStringLiteral("b"), QStringLiteral("2")));
        QVERIFY(store.WriteRegText(kMachine, QStringLiteral("Software\\Other"),
                                   QStringLiteral("c"), QStringLiteral("3")));
        QVERIFY(store.WriteRegText(kMachine, kKey, QStringLiteral("a"), QStringLiteral("one")));
        QCOMPARE(store.ReadRegText(kMachine, kKey, QStringLiteral("a")), QStringLiteral("one"));
        QCOMPARE(store.ReadRegText(kMachine, kKey, QStringLiteral("b")), QStringLiteral("2"));
        QCOMPARE(store.ReadRegText(kMachine, QStringLiteral("Software\\Other"),
                                   QStringLiteral("c")),
                 QStringLiteral("3"));
    }

    void valuesMayLiveAtTheRootAndHaveEmptyNames()
    {
        RegistryFileStore store = Store();
        QVERIFY(store.WriteRegText(kMachine, QString(), QStringLiteral("top"), QStringLiteral("t")));
        QVERIFY(store.WriteRegText(kMachine, kKey, QString(), QStringLiteral("default")));
        QCOMPARE(store.ReadRegText(kMachine, QString(), QStringLiteral("top")), QStringLiteral("t"));
        QCOMPARE(store.ReadRegText(kMachine, kKey, QString()), QStringLiteral("default"));
    }

    void malformedKeyPathsFail_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("leading backslash") << QStringLiteral("\\Software\\Kapuna");
        QTest::newRow("trailing backslash") << QStringLiteral("Software\\Kapuna\\");
        QTest::newRow("doubled backslash") << QStringLiteral("Software\\\\Kapuna");
        QTest::newRow("just a backslash") << QStringLiteral("\\");
        QTest::newRow("part over 255 characters")
            << QStringLiteral("Software\\") + QString(256, u'k');
    }

    void malformedKeyPathsFail()
    {
        QFETCH(QString, path);
        RegistryFileStore store = Store();
        QVERIFY(!store.WriteRegText(kMachine, path, QStringLiteral("path"), QStringLiteral("x")));
        QCOMPARE(store.ReadRegText(kMachine, path, QStringLiteral("path")), QString());
        QVERIFY(!QFile::exists(machineFile_));
    }

    void aPartOf255CharactersIsAllowed()
    {
        const QString path = QStringLiteral("Software\\") + QString(255, u'k');
        RegistryFileStore store = Store();
        QVERIFY(store.WriteRegText(kMachine, path, QStringLiteral("v"), QStringLiteral("x")));
        QCOMPARE(store.ReadRegText(kMachine, path, QStringLiteral("v")), QStringLiteral("x"));
    }

    void currentUserHasAStoreOfItsOwn()
    {
        RegistryFileStore store = Store();
        QVERIFY(store.WriteRegText(Registry::kHkeyCurrentUser, kKey, QStringLiteral("path"),
                                   QStringLiteral("/user")));
        QVERIFY(store.WriteRegText(kMachine, kKey, QStringLiteral("path"),
                                   QStringLiteral("/machine")));
        QCOMPARE(store.ReadRegText(Registry::kHkeyCurrentUser, kKey, QStringLiteral("path")),
                 QStringLiteral("/user"));
        QCOMPARE(store.ReadRegText(kMachine, kKey, QStringLiteral("path")),
                 QStringLiteral("/machine"));
        QVERIFY(QFile::exists(userFile_));
    }

    void otherRootsFail_data()
    {
        QTest::addColumn<qint32>("root");
        QTest::newRow("HKEY_CLASSES_ROOT") << qint32(0x80000000u);
        QTest::newRow("HKEY_USERS") << qint32(0x80000003u);
        QTest::newRow("HKEY_CURRENT_CONFIG") << qint32(0x80000005u);
        QTest::newRow("zero") << qint32(0);
        QTest::newRow("not a root") << qint32(2);
    }

    void otherRootsFail()
    {
        QFETCH(qint32, root);
        RegistryFileStore store = Store();
        QVERIFY(!store.WriteRegText(root, kKey, QStringLiteral("path"), QStringLiteral("x")));
        QCOMPARE(store.ReadRegText(root, kKey, QStringLiteral("path")), QString());
        QVERIFY(store.FileOf(root).isEmpty());
    }

    void defaultMachineStoreIsOneFixedSystemFile()
    {
        const QString file = RegistryFileStore::DefaultMachineFile();
        QVERIFY(QDir::isAbsolutePath(file));
        QVERIFY(file.endsWith(QStringLiteral("/Westhaven/kapuna-registry")));
        QVERIFY(!file.startsWith(QDir::homePath()));
        qputenv("XDG_CONFIG_DIRS", "/somewhere/else");
        QCOMPARE(RegistryFileStore::DefaultMachineFile(), file);
        qunsetenv("XDG_CONFIG_DIRS");
    }

    void writeReplacesTheFileInsteadOfRewritingIt()
    {
#ifdef Q_OS_UNIX
        // A second name for the old file shows whether the write went into the
        // old file (a crash half-way would then leave it half-written) or
        // into a new file put in its place.
        RegistryFileStore store = Store();
        QVERIFY(store.WriteRegText(kMachine, kKey, QStringLiteral("path"), QStringLiteral("/old")));
        const QByteArray before = ReadAll(machineFile_);
        const QString oldName = dir_->filePath(QStringLiteral("old-store"));
        QCOMPARE(::link(QFile::encodeName(machineFile_).constData(),
                        QFile::encodeName(oldName).constData()),
                 0);
        QVERIFY(store.WriteRegText(kMachine, kKey, QStringLiteral("path"), QStringLiteral("/new")));
        QCOMPARE(ReadAll(oldName), before);
        QCOMPARE(store.ReadRegText(kMachine, kKey, QStringLiteral("path")), QStringLiteral("/new"));
#else
        QSKIP("needs hard links");
#endif
    }

    void writeLeavesNothingButTheStore()
    {
        RegistryFileStore store = Store();
        QVERIFY(store.WriteRegText(kMachine, kKey, QStringLiteral("a"), QStringLiteral("1")));
        QVERIFY(store.WriteRegText(kMachine, kKey, QStringLiteral("b"), QStringLiteral("2")));
        const QDir folder = QFileInfo(machineFile_).absoluteDir();
        QCOMPARE(folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList(QStringLiteral("kapuna-registry")));
    }

    void damagedStoreReadsEmpty_data()
    {
        RegistryTree tree;
        tree.SetValue(kKey, QStringLiteral("path"), Registry::kRegSz, QByteArrayLiteral("/opt/k"));
        const QByteArray whole = registry_format::Serialize(tree);
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("cut before the end line") << whole.first(whole.size() - 4);
        QTest::newRow("cut inside the value") << whole.first(whole.indexOf("/opt/") + 3);
        QTest::newRow("cut after the header") << whole.first(whole.indexOf('\n') + 1);
        QTest::newRow("garbage") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
        QTest::newRow("another program's file") << QByteArray("[Kapuna]\npath=/opt/k\n");
        QTest::newRow("a later version") << QByteArray("KapunaRegistry 9\n") + whole;
    }

    void damagedStoreReadsEmpty()
    {
        QFETCH(QByteArray, bytes);
        QDir().mkpath(QFileInfo(machineFile_).absolutePath());
        QVERIFY(WriteAll(machineFile_, bytes));
        QCOMPARE(Store().ReadRegText(kMachine, kKey, QStringLiteral("path")), QString());
    }

    void corruptStoreIsReplacedByTheNextWrite()
    {
        QDir().mkpath(QFileInfo(machineFile_).absolutePath());
        QVERIFY(WriteAll(machineFile_, "KapunaRegistry 1\n[Software]\nREG_SZ half"));
        RegistryFileStore store = Store();
        QVERIFY(store.WriteRegText(kMachine, kKey, QStringLiteral("path"), QStringLiteral("/k")));
        QCOMPARE(store.ReadRegText(kMachine, kKey, QStringLiteral("path")), QStringLiteral("/k"));
        QCOMPARE(registry_format::Parse(ReadAll(machineFile_)).status,
                 registry_format::Status::Ok);
    }

    void storeOfALaterVersionIsNeverOverwritten()
    {
        const QByteArray later = "KapunaRegistry 2\nsomething we cannot read\n";
        QDir().mkpath(QFileInfo(machineFile_).absolutePath());
        QVERIFY(WriteAll(machineFile_, later));
        QVERIFY(!Store().WriteRegText(kMachine, kKey, QStringLiteral("path"), QStringLiteral("/k")));
        QCOMPARE(ReadAll(machineFile_), later);
    }

    void folderInPlaceOfTheStoreFailsQuietly()
    {
        QVERIFY(QDir().mkpath(machineFile_));
        RegistryFileStore store = Store();
        QCOMPARE(store.ReadRegText(kMachine, kKey, QStringLiteral("path")), QString());
        QVERIFY(!store.WriteRegText(kMachine, kKey, QStringLiteral("path"), QStringLiteral("/k")));
        QVERIFY(QFileInfo(machineFile_).isDir());
    }

    void oversizedStoreIsLeftAlone()
    {
        QDir().mkpath(QFileInfo(machineFile_).absolutePath());
        QByteArray huge = "KapunaRegistry 1\n[K]\nREG_BINARY v=";
        huge += QByteArray(RegistryFileStore::kMaxFileBytes, 'x');
        huge += "\nend\n";
        QVERIFY(WriteAll(machineFile_, huge));
        RegistryFileStore store = Store();
        QCOMPARE(store.ReadRegText(kMachine, QStringLiteral("K"), QStringLiteral("v")), QString());
        QVERIFY(!store.WriteRegText(kMachine, kKey, QStringLiteral("path"), QStringLiteral("/k")));
        QCOMPARE(QFileInfo(machineFile_).size(), huge.size());
    }

    void writeThatWouldOutgrowTheStoreFails()
    {
        RegistryFileStore store = Store();
        QVERIFY(store.WriteRegText(kMachine, kKey, QStringLiteral("path"), QStringLiteral("/k")));
        const QString tooMuch(int(RegistryFileStore::kMaxFileBytes), u'x');
        QVERIFY(!store.WriteRegText(kMachine, kKey, QStringLiteral("big"), tooMuch));
        QCOMPARE(store.ReadRegText(kMachine, kKey, QStringLiteral("path")), QStringLiteral("/k"));
    }

    void unwritableLocationFailsQuietly()
    {
        // A file where the store's folder should be: no one can create it,
        // root included.
        const QString blocker = dir_->filePath(QStringLiteral("blocker"));
        QVERIFY(WriteAll(blocker, "not a folder"));
        RegistryFileStore store(blocker + QStringLiteral("/Westhaven/kapuna-registry"), userFile_);
        QVERIFY(!store.WriteRegText(kMachine, kKey, QStringLiteral("path"), QStringLiteral("/k")));
        QCOMPARE(store.ReadRegText(kMachine, kKey, QStringLiteral("path")), QString());
    }

    void userWithoutWriteRightsFailsQuietlyAndCanStillRead()
    {
#ifdef Q_OS_UNIX
        if (::geteuid() == 0)
            QSKIP("file permissions do not bind root");
        RegistryFileStore store = Store();
        QVERIFY(store.WriteRegText(kMachine, kKey, QStringLiteral("path"), QStringLiteral("/k")));
        const QString folder = QFileInfo(machineFile_).absolutePath();
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
        QFile::setPermissions(machineFile_, QFile::ReadOwner);
        const bool wrote =
            store.WriteRegText(kMachine, kKey, QStringLiteral("path"), QStringLiteral("/other"));
        const QString read = store.ReadRegText(kMachine, kKey, QStringLiteral("path"));
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(!wrote);
        QCOMPARE(read, QStringLiteral("/k"));
#else
        QSKIP("POSIX permissions only");
#endif
    }

    void forThisSystemGivesAStore()
    {
        const std::unique_ptr<Registry> registry = Registry::ForThisSystem();
        QVERIFY(registry);
#ifndef Q_OS_WIN
        const auto *files = dynamic_cast<const RegistryFileStore *>(registry.get());
        QVERIFY(files);
        QCOMPARE(files->FileOf(kMachine), RegistryFileStore::DefaultMachineFile());
#endif
    }
};

QTEST_GUILESS_MAIN(TestRegistry)
#include "test_registry.moc"
