// Which banner links may be opened: pages, mail, and documents inside the
// program's folder; nothing the desktop would run, install or mount.
#include "platform/shell.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestLinkTarget : public QObject
{
    Q_OBJECT

private slots:
    void onlyPagesAndDocumentsOpen_data()
    {
        // %dir: the program's folder (canonical); an empty target: nothing opens.
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("target");
        QTest::newRow("https") << "https://kapuna.example/tips" << "https://kapuna.example/tips";
        QTest::newRow("http with a space") << "http://kapuna.example/a b" << "http://kapuna.example/a%20b";
        QTest::newRow("a lone %") << "https://kapuna.example/100%" << "https://kapuna.example/100%25";
        QTest::newRow("mailto") << "mailto:kapuna@kapuna.example" << "mailto:kapuna@kapuna.example";
        QTest::newRow("mailto attaching a file")
            << "mailto:a@b.example?attach=/etc/shadow" << "mailto:a@b.example";
        QTest::newRow("mailto keeps the message's fields, in any case")
            << "mailto:a@b.example?Subject=Hi%20there&ATTACH=%2Fetc%2Fshadow&body=x%0Ay&to=c@d.example"
               "&cc=e@f.example&attachment=~/.ssh/id_rsa&bcc=g@h.example"
            << "mailto:a@b.example?Subject=Hi%20there&body=x%0Ay&cc=e@f.example&bcc=g@h.example";
        QTest::newRow("mailto without an address") << "mailto:?to=a@b.example" << "";
        QTest::newRow("document inside") << "page.htm" << "file://%dir/page.htm";
        QTest::newRow("space, Windows separator") << "docs\\read me.txt" << "file://%dir/docs/read%20me.txt";
        QTest::newRow("a lone % in a file name") << "notes 100%.txt" << "file://%dir/notes%20100%25.txt";
        QTest::newRow("escaped space") << "docs/read%20me.txt" << "file://%dir/docs/read%20me.txt";
        QTest::newRow("file URL") << "file:///bin/sh" << "";
        QTest::newRow("the program itself") << "kapuna" << "";
        QTest::newRow("the program by its path") << "%dir/kapuna" << "";
        QTest::newRow("desktop entry") << "kapuna.desktop" << "";
        QTest::newRow("smb") << "smb://server/share" << "";
        QTest::newRow("apt") << "apt:kapuna" << "";
        QTest::newRow("other folder") << "../outside.html" << "";
        QTest::newRow("a sibling folder named like the program's")
            << "../kapuna-x/page.htm" << "";
        QTest::newRow("document linked out of the folder") << "shell.html" << "";
        QTest::newRow("Windows drive") << "C:\\kapuna\\page.htm" << "";
        QTest::newRow("web without a host") << "https:///tips" << "";
        QTest::newRow("empty") << "" << "";
    }

    void onlyPagesAndDocumentsOpen()
    {
        QFETCH(QString, link);
        QFETCH(QString, target);
        QTemporaryDir root;
        QVERIFY(QDir().mkpath(root.filePath(QStringLiteral("kapuna/docs"))));
        QVERIFY(QDir().mkpath(root.filePath(QStringLiteral("kapuna-x"))));
        const QString dir = QDir(root.filePath(QStringLiteral("kapuna"))).canonicalPath();
        for (const char *name : {"page.htm", "docs/read me.txt", "notes 100%.txt", "kapuna", "kapuna.desktop", "../outside.html", "../kapuna-x/page.htm"}) {
            QFile file(QDir(dir).filePath(QString::fromUtf8(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QVERIFY(QFile::link(QStringLiteral("/bin/sh"), dir + QStringLiteral("/shell.html")));
        link.replace(QStringLiteral("%dir"), dir);
        target.replace(QStringLiteral("%dir"), dir);

        QCOMPARE(LinkTarget(link, dir).toString(QUrl::FullyEncoded), target);
    }
};

QTEST_GUILESS_MAIN(TestLinkTarget)
#include "test_link_target.moc"
