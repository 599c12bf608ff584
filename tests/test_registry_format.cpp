// The settings store's file form: what the writer produces, what the reader
// accepts, and that no input, however mangled, crashes it or gets through
// half-read.

#include "platform/registry.h"
#include "platform/registry_format.h"
#include "platform/registry_tree.h"

#include <QTest>

using registry_format::Parse;
using registry_format::Serialize;
using registry_format::Status;

Q_DECLARE_METATYPE(registry_format::Status)

namespace {

RegistryTree SampleTree()
{
    RegistryTree tree;
    tree.SetValue(QStringLiteral("Software\\Westhaven\\Kapuna"), QStringLiteral("path"),
                  Registry::kRegSz, QByteArrayLiteral("/opt/kapuna"));
    tree.SetValue(QStringLiteral("Software\\Westhaven\\Kapuna"), QStringLiteral("note"),
                  Registry::kRegExpandSz, QByteArrayLiteral("%HOME%\\x"));
    tree.SetValue(QStringLiteral("Software\\Other"), QString(), Registry::kRegBinary,
                  QByteArray("\x00\x01\x7f\x80\xff=%\r\n", 9));
    return tree;
}

// A small, fixed generator so that the mangled inputs are the same on every run.
class Lcg
{
public:
    quint32 Next()
    {
        state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
        return quint32(state_ >> 33);
    }
    quint32 Below(quint32 n) { return Next() % n; }

private:
    quint64 state_ = 0x4b6170756e61ull;
};

} // namespace

class TestRegistryFormat : public QObject
{
    Q_OBJECT

private slots:
    void writerProducesTheDocumentedForm()
    {
        RegistryTree tree;
        tree.SetValue(QStringLiteral("Software\\Westhaven\\Kapuna"), QStringLiteral("path"),
                      Registry::kRegSz, QByteArrayLiteral("/opt/kapuna"));
        QCOMPARE(Serialize(tree), QByteArrayLiteral("KapunaRegistry 1\n"
                                                    "[Software]\n"
                                                    "[Software\\Westhaven]\n"
                                                    "[Software\\Westhaven\\Kapuna]\n"
                                                    "REG_SZ path=/opt/kapuna\n"
                                                    "end\n"));
    }

    void writerEscapesControlBytesPercentAndEquals()
    {
        RegistryTree tree;
        tree.SetValue(QStringLiteral("K=%"), QStringLiteral("a=b"), Registry::kRegSz,
                      QByteArray("1\n2\r3\t4%5=6\x7f", 12));
        const QByteArray bytes = Serialize(tree);
        QVERIFY(bytes.contains("[K%3D%25]\n"));
        QVERIFY(bytes.contains("REG_SZ a%3Db=1%0A2%0D3%094%255%3D6%7F\n"));
    }

    void writerKeepsUtf8TextReadable()
    {
        RegistryTree tree;
        tree.SetValue(QStringLiteral("게임"), QStringLiteral("폴더"), Registry::kRegSz,
                      QStringLiteral("/home/사용자/카푸나").toUtf8());
        QVERIFY(Serialize(tree).contains(
            QStringLiteral("REG_SZ 폴더=/home/사용자/카푸나\n").toUtf8()));
    }

    void writtenStoreReadsBackIdentical()
    {
        RegistryTree tree = SampleTree();
        tree.SetValue(QString(), QStringLiteral("at root"), 0x12345678u, QByteArrayLiteral("x"));
        tree.SetValue(QStringLiteral("a]b\\[c]"), QStringLiteral("이름 with spaces"),
                      Registry::kRegDword, QByteArray("\x2a\0\0\0", 4));
        tree.SetValue(QStringLiteral("Empty"), QStringLiteral("zero"), Registry::kRegSz, {});
        const registry_format::Parsed parsed = Parse(Serialize(tree));
        QCOMPARE(parsed.status, Status::Ok);
        QCOMPARE(parsed.tree, tree);
    }

    void readerAcceptsHandEdits()
    {
        const QByteArray bytes = "KapunaRegistry 1\r\n"
                                 "# written by hand\n"
                                 "\n"
                                 "[Software\\Kapuna]\r\n"
                                 "1 path=/opt/%6bapuna\n"
                                 "4 count=%2A%00%00%00\n"
                                 "end\n";
        const registry_format::Parsed parsed = Parse(bytes);
        QCOMPARE(parsed.status, Status::Ok);
        const RegistryTree::Value *path =
            parsed.tree.FindValue(QStringLiteral("Software\\Kapuna"), QStringLiteral("path"));
        QVERIFY(path);
        QCOMPARE(path->type, quint32(Registry::kRegSz));
        QCOMPARE(path->data, QByteArrayLiteral("/opt/kapuna"));
        const RegistryTree::Value *count =
            parsed.tree.FindValue(QStringLiteral("software\\kapuna"), QStringLiteral("COUNT"));
        QVERIFY(count);
        QCOMPARE(count->data, QByteArray("\x2a\0\0\0", 4));
    }

    void readerRejectsMalformedStores_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Status>("status");
        const QByteArray head = "KapunaRegistry 1\n";
        QTest::newRow("empty file") << QByteArray() << Status::Corrupt;
        QTest::newRow("only a newline") << QByteArray("\n") << Status::Corrupt;
        QTest::newRow("header only") << head << Status::Corrupt;
        QTest::newRow("no final newline") << head + "end" << Status::Corrupt;
        QTest::newRow("other format") << QByteArray("[Software]\nend\n") << Status::Corrupt;
        QTest::newRow("version 0") << QByteArray("KapunaRegistry 0\nend\n") << Status::Corrupt;
        QTest::newRow("version not a number")
            << QByteArray("KapunaRegistry x\nend\n") << Status::Corrupt;
        QTest::newRow("version of a later program")
            << QByteArray("KapunaRegistry 2\nwhatever it holds\n") << Status::NewerVersion;
        QTest::newRow("line after end") << head + "end\n[K]\n" << Status::Corrupt;
        QTest::newRow("comment after end") << head + "end\n# more\n" << Status::Corrupt;
        QTest::newRow("value before any key") << head + "REG_SZ a=b\nend\n" << Status::Corrupt;
        QTest::newRow("unknown type name") << head + "[K]\nREG_TEXT a=b\nend\n" << Status::Corrupt;
        QTest::newRow("type number too large")
            << head + "[K]\n4294967296 a=b\nend\n" << Status::Corrupt;
        QTest::newRow("type with eleven digits")
            << head + "[K]\n00000000001 a=b\nend\n" << Status::Corrupt;
        QTest::newRow("value without =") << head + "[K]\nREG_SZ ab\nend\n" << Status::Corrupt;
        QTest::newRow("value without type") << head + "[K]\na=b\nend\n" << Status::Corrupt;
        QTest::newRow("unclosed key") << head + "[K\nend\n" << Status::Corrupt;
        QTest::newRow("key with empty part") << head + "[A\\\\B]\nend\n" << Status::Corrupt;
        QTest::newRow("key with leading backslash") << head + "[\\A]\nend\n" << Status::Corrupt;
        QTest::newRow("duplicate key") << head + "[A]\n[B]\n[A]\nend\n" << Status::Corrupt;
        QTest::newRow("duplicate key in other case")
            << head + "[Software]\n[SOFTWARE]\nend\n" << Status::Corrupt;
        QTest::newRow("duplicate value")
            << head + "[K]\nREG_SZ Path=1\nREG_SZ path=2\nend\n" << Status::Corrupt;
        QTest::newRow("escape cut short") << head + "[K]\nREG_SZ a=%4\nend\n" << Status::Corrupt;
        QTest::newRow("escape not hex") << head + "[K]\nREG_SZ a=%G0\nend\n" << Status::Corrupt;
        QTest::newRow("escape at line end") << head + "[K]\nREG_SZ a=%\nend\n" << Status::Corrupt;
        QTest::newRow("binary junk") << QByteArray("\x00\xff\xfe\n\x01", 5) << Status::Corrupt;
    }

    void readerRejectsMalformedStores()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(Status, status);
        const registry_format::Parsed parsed = Parse(bytes);
        QCOMPARE(parsed.status, status);
        QVERIFY(parsed.tree.Keys().isEmpty());
    }

    void everyTruncatedStoreIsCorrupt()
    {
        const QByteArray whole = Serialize(SampleTree());
        QCOMPARE(Parse(whole).status, Status::Ok);
        for (qsizetype n = 0; n < whole.size(); ++n) {
            const registry_format::Parsed parsed = Parse(whole.first(n));
            if (parsed.status != Status::Corrupt)
                QFAIL(qPrintable(QStringLiteral("a store cut to %1 bytes was accepted").arg(n)));
        }
    }

    void mangledStoresNeverCrashAndReadConsistently()
    {
        // Flip, insert and delete bytes of a valid store. Whatever the reader
        // makes of the result, a store it accepts must write back to itself.
        const QByteArray whole = Serialize(SampleTree());
        // Sized by the literal itself (less its terminator), so that the
        // embedded NUL counts and nothing past the end is read.
        static constexpr char kAlphabet[] = "[]\\=%\n\r #0123456789ABCDEFREG_SZend\x00\xff";
        const QByteArray alphabet(kAlphabet, sizeof kAlphabet - 1);
        Lcg random;
        int accepted = 0;
        for (int round = 0; round < 3000; ++round) {
            QByteArray bytes = whole;
            const int edits = 1 + int(random.Below(4));
            for (int e = 0; e < edits && !bytes.isEmpty(); ++e) {
                const qsizetype at = random.Below(quint32(bytes.size()));
                const char c = alphabet[random.Below(quint32(alphabet.size()))];
                switch (random.Below(3)) {
                case 0: bytes[at] = c; break;
                case 1: bytes.insert(at, c); break;
                default: bytes.remove(at, 1); break;
                }
            }
            const registry_format::Parsed parsed = Parse(bytes);
            if (parsed.status == Status::Ok) {
                ++accepted;
                const registry_format::Parsed again = Parse(Serialize(parsed.tree));
                QCOMPARE(again.status, Status::Ok);
                QCOMPARE(again.tree, parsed.tree);
            } else {
                QVERIFY(parsed.tree.Keys().isEmpty());
            }
        }
        // Edits inside a value's data keep the store valid; the run must have
        // exercised that path as well as the rejections.
        QVERIFY(accepted > 0);
    }

    void manyKeysLoadWithoutDuplicatesSlippingThrough()
    {
        QByteArray bytes = "KapunaRegistry 1\n";
        const int count = 100000;
        for (int i = 0; i < count; ++i)
            bytes += "[K" + QByteArray::number(i) + "]\nREG_SZ v=" + QByteArray::number(i) + '\n';
        const QByteArray valid = bytes + "end\n";
        const registry_format::Parsed parsed = Parse(valid);
        QCOMPARE(parsed.status, Status::Ok);
        QCOMPARE(parsed.tree.Keys().size(), count);
        QCOMPARE(parsed.tree.FindValue(QStringLiteral("k99999"), QStringLiteral("V"))->data,
                 QByteArrayLiteral("99999"));
        QCOMPARE(Parse(bytes + "[K5]\nend\n").status, Status::Corrupt);
    }

    void longLinesAndLongNamesAreJustData()
    {
        const QByteArray data(1 << 20, 'x');
        QByteArray bytes = "KapunaRegistry 1\n[K]\nREG_BINARY " + QByteArray(5000, 'n') + '='
                           + data + "\nend\n";
        const registry_format::Parsed parsed = Parse(bytes);
        QCOMPARE(parsed.status, Status::Ok);
        QCOMPARE(parsed.tree.Keys().first().values.first().data.size(), data.size());
    }
};

QTEST_GUILESS_MAIN(TestRegistryFormat)
#include "test_registry_format.moc"
