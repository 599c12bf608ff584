// The help button's file, the viewer window that shows it, and the help
// file shipped beside the program.

#include "extras/help_window.h"
#include "extras/help_viewer.h"
#include "support/pipe_guard.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>

namespace {

class RecordingHelpViewer final : public HelpViewer
{
public:
    void ShowHelp(const QString &filePath, int command) override
    {
        files << filePath;
        commands << command;
    }
    QStringList files;
    QList<int> commands;
};

bool WriteAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The build puts the help file beside the program, one folder above the tests.
QString ShippedHelpFile()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../kapuna.hlp"));
}

QString ShownText(const HelpWindow &window)
{
    return window.Browser()->toPlainText();
}

} // namespace

class TestHelp : public QObject
{
    Q_OBJECT

private slots:
    void helpButtonOpensKapunaHlpBesideTheProgramAtItsStart()
    {
        RecordingHelpViewer viewer;
        ShowProgramHelp(viewer, QStringLiteral("/opt/kapuna"));
        QCOMPARE(viewer.files, QStringList(QStringLiteral("/opt/kapuna/kapuna.hlp")));
        QCOMPARE(viewer.commands, QList<int>({15}));
        QCOMPARE(HelpViewer::kCommandOpenAtStart, 15);
    }

    void windowShowsTheFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("kapuna.hlp"));
        QVERIFY(WriteAll(path, QStringLiteral("<h1>사다리</h1><p>규칙 설명</p>").toUtf8()));
        HelpWindow window;
        QVERIFY(window.LoadFile(path));
        QVERIFY(ShownText(window).contains(QStringLiteral("규칙 설명")));
        QCOMPARE(window.windowTitle(), QStringLiteral("Kapuna 도움말"));
        // The keys scroll the text from the start, without a Tab first.
        QCOMPARE(window.focusWidget(), window.findChild<QWidget *>(QStringLiteral("HelpBrowser")));
    }

    void unreadableFilesAreReportedInTheWindow_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("detail"); // %path stands for the file's path
        QTest::newRow("missing") << "missing" << "%path";
        QTest::newRow("a folder in its place") << "folder" << "%path";
        QTest::newRow("a FIFO in its place") << "fifo" << "%path";
        QTest::newRow("too large to be help") << "large" << "도움말 파일이 너무 큽니다.";
    }

    void unreadableFilesAreReportedInTheWindow()
    {
        QFETCH(QString, kind);
        QFETCH(QString, detail);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("kapuna.hlp"));
        if (kind == QLatin1String("folder"))
            QVERIFY(QDir().mkpath(path));
        if (kind == QLatin1String("large"))
            QVERIFY(WriteAll(path, QByteArray(HelpWindow::kMaxFileBytes + 1, 'x')));
        PipeGuard pipe(kind == QLatin1String("fifo") ? path : dir.filePath(QStringLiteral("unused")));

        HelpWindow window;
        QVERIFY(!window.LoadFile(path));
        QVERIFY(ShownText(window).contains(QStringLiteral("도움말을 열 수 없습니다")));
        QVERIFY(ShownText(window).contains(detail.replace(QStringLiteral("%path"), path)));
    }

    void hostileFilesOpenOrAreRefusedWhole_data()
    {
        // The file: prefix, then piece repeated, then suffix.
        QTest::addColumn<QByteArray>("prefix");
        QTest::addColumn<QByteArray>("piece");
        QTest::addColumn<int>("times");
        QTest::addColumn<QByteArray>("suffix");
        QTest::addColumn<bool>("shown");
        const auto row = [](const char *name, const char *prefix, const char *piece, int times,
                            const char *suffix, bool shown) {
            QTest::newRow(name) << QByteArray(prefix) << QByteArray(piece) << times
                                << QByteArray(suffix) << shown;
        };
        // The caps in numbers, as the README gives them.
        const char *table = "<table><tr><td>";
        row("tables 2 deep", "", table, 2, "x", true);
        row("tables 3 deep", "", table, 3, "x", false);
        row("8,700 tables, which overflowed the stack", "", table, 8700, "", false);
        row("<ul><li> 32 deep", "", "<ul><li>", 16, "x", true);
        row("<ul><li> 33 deep", "", "<ul><li>", 16, "<ul>x", false);
        row("16,000 <ul><li>", "", "<ul><li>", 16000, "", false);
        row("<div> 32 deep", "", "<div>", 32, "x", true);
        row("<div> 33 deep", "", "<div>", 33, "x", false);
        row("<b><i> 32 deep", "", "<b><i>", 16, "x", true);
        row("<b><i> 33 deep", "", "<b><i>", 16, "<b>x", false);
        row("21,000 <b><i>", "", "<b><i>", 21000, "", false);
        row("a list of 128 items", "<ul>", "<li>w", 128, "", true);
        row("a list of 129 items", "<ul>", "<li>w", 129, "", false);
        row("1,500 cells", "<table><tr>", "<td>w</td>", 1500, "", true);
        row("1,501 cells", "<table><tr>", "<td>w</td>", 1501, "", false);
        row("4,096 characters without a space", "", "x", 4096, "", true);
        row("4,097 characters without a space", "", "x", 4097, "", false);
        row("48 style rules", "<style>", "p{}", 48, "</style>x", true);
        row("49 style rules", "<style>", "p{}", 49, "</style>x", false);
        row("256 pictures", "", "<img src=p.png>", 256, "", true);
        row("257 pictures", "", "<img src=p.png>", 257, "", false);
    }

    void hostileFilesOpenOrAreRefusedWhole()
    {
        QFETCH(QByteArray, prefix);
        QFETCH(QByteArray, piece);
        QFETCH(int, times);
        QFETCH(QByteArray, suffix);
        QFETCH(bool, shown);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("kapuna.hlp"));
        QVERIFY(WriteAll(path, prefix + piece.repeated(times) + suffix));
        HelpWindow window;
        QCOMPARE(window.LoadFile(path), shown);
        window.show();
        // Laid out to its end, as scrolling there would.
        QVERIFY(window.Browser()->document()->documentLayout()->documentSize().height() > 0);
        const QString refusal = QStringLiteral("도움말 파일의 구조가 너무 복잡합니다.");
        QCOMPARE(ShownText(window).contains(refusal), !shown);
    }

    void resourcesLoadOnlyFromTheHelpFolder_data()
    {
        QTest::addColumn<QString>("source"); // %dir: the folder that holds the help folder
        QTest::addColumn<bool>("loaded");
        QTest::newRow("picture inside the folder") << "pic.png" << true;
        QTest::newRow("FIFO inside the folder") << "pipe.png" << false;
        QTest::newRow("device") << "/dev/zero" << false;
        QTest::newRow("link to a device") << "zero.png" << false;
        QTest::newRow("other folder") << "../outside.png" << false;
        QTest::newRow("a sibling folder named like the help's") << "../kapuna-x/pic.png" << false;
        QTest::newRow("absolute path") << "%dir/outside.png" << false;
        QTest::newRow("FIFO by its absolute path") << "%dir/kapuna/pipe.png" << false;
        QTest::newRow("file URL") << "file://%dir/outside.png" << false;
        QTest::newRow("remote URL") << "https://kapuna.example/pic.png" << false;
    }

    void resourcesLoadOnlyFromTheHelpFolder()
    {
        QFETCH(QString, source);
        QFETCH(bool, loaded);
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("kapuna"));
        QVERIFY(QDir().mkpath(folder));
        QImage picture(8, 8, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QVERIFY(picture.save(folder + QStringLiteral("/pic.png")));
        QVERIFY(picture.save(dir.filePath(QStringLiteral("outside.png"))));
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("kapuna-x"))));
        QVERIFY(picture.save(dir.filePath(QStringLiteral("kapuna-x/pic.png"))));
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), folder + QStringLiteral("/zero.png")));
        PipeGuard pipe(folder + QStringLiteral("/pipe.png"));
        source.replace(QStringLiteral("%dir"), dir.path());
        const QString path = folder + QStringLiteral("/kapuna.hlp");
        QVERIFY(WriteAll(path, QStringLiteral("<p>그림</p><img src=\"%1\">").arg(source).toUtf8()));

        QElapsedTimer clock;
        clock.start();
        HelpWindow window;
        QVERIFY(window.LoadFile(path));
        window.show(); // lays the page out, which fetches its picture
        const QVariant resource =
            window.Browser()->document()->resource(QTextDocument::ImageResource, QUrl(source));
        QCOMPARE(resource.value<QImage>().size() == picture.size(), loaded);
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
    }

    void resourcesOfOneFileShareTheirCaps()
    {
        QTemporaryDir dir;
        QImage big(2048, 2048, QImage::Format_RGB32);
        big.fill(Qt::red);
        for (const char *name : {"big0.png", "big1.png", "big2.png"})
            QVERIFY(big.save(dir.filePath(QString::fromLatin1(name))));
        const int first = 40; // and 9 more: one over the 48 rules a file may have
        QVERIFY(WriteAll(dir.filePath(QStringLiteral("a.css")), QByteArray("p{}").repeated(first)));
        QVERIFY(WriteAll(dir.filePath(QStringLiteral("b.css")), QByteArray("p{}").repeated(9)));
        const QString path = dir.filePath(QStringLiteral("kapuna.hlp"));
        QVERIFY(WriteAll(path, "<link rel=stylesheet href=a.css><link rel=stylesheet href=b.css>"
                               "<img src=big0.png><img src=big1.png><img src=big2.png>"
                               "<img src=./big0.png>"));
        HelpWindow window;
        QVERIFY(window.LoadFile(path));
        window.show();
        const auto resource = [&](QTextDocument::ResourceType type, const char *name) {
            return window.Browser()->document()->resource(type, QUrl(QString::fromLatin1(name)));
        };
        // Two pictures at the pixel cap fill the file's allowance; the same
        // picture again under another name costs nothing more.
        for (const char *name : {"big0.png", "big1.png", "./big0.png"})
            QCOMPARE(resource(QTextDocument::ImageResource, name).value<QImage>().size(), big.size());
        QCOMPARE(resource(QTextDocument::ImageResource, "big2.png").value<QImage>().size(), QSize(1, 1));
        // The second sheet's rules would take all the sheets beyond the cap.
        QCOMPARE(resource(QTextDocument::StyleSheetResource, "a.css").toString().size(), 3 * first);
        QCOMPARE(resource(QTextDocument::StyleSheetResource, "b.css").toString(), QString());

        // 64 picture files at most, however small.
        QByteArray many;
        for (int i = 0; i <= 64; ++i) {
            QVERIFY(QImage(2, 2, QImage::Format_RGB32).save(dir.filePath(QStringLiteral("t%1.png").arg(i))));
            many += "<img src=t" + QByteArray::number(i) + ".png>";
        }
        QVERIFY(WriteAll(path, many));
        QVERIFY(window.LoadFile(path));
        window.Browser()->document()->documentLayout()->documentSize();
        QCOMPARE(resource(QTextDocument::ImageResource, "t63.png").value<QImage>().size(), QSize(2, 2));
        QCOMPARE(resource(QTextDocument::ImageResource, "t64.png").value<QImage>().size(), QSize(1, 1));
    }

    void windowCloses_data()
    {
        QTest::addColumn<QKeySequence>("keys"); // none: the "닫기" button
        QTest::newRow("Escape") << QKeySequence(Qt::Key_Escape);
        QTest::newRow("Ctrl+W") << QKeySequence(Qt::CTRL | Qt::Key_W);
        QTest::newRow("닫기 button") << QKeySequence();
    }

    void windowCloses()
    {
        QFETCH(QKeySequence, keys);
        HelpWindow window;
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(window.CloseButton()->text(), QStringLiteral("닫기"));
        QVERIFY(window.CloseButton()->isVisible());
        if (keys.isEmpty())
            QTest::mouseClick(window.CloseButton(), Qt::LeftButton);
        else
            QTest::keySequence(window.Browser(), keys);
        QVERIFY(!window.isVisible());
    }

    void fileNameIsShownAsTextNotMarkup()
    {
        HelpWindow window;
        QVERIFY(!window.LoadFile(QStringLiteral("/nowhere/<b>bold</b>&amp;.hlp")));
        QVERIFY(ShownText(window).contains(QStringLiteral("/nowhere/<b>bold</b>&amp;.hlp")));
    }

    void missingFileLeavesTheProgramRunning()
    {
        WindowHelpViewer viewer;
        ShowProgramHelp(viewer, QStringLiteral("/nowhere/kapuna"));
        QVERIFY(viewer.Window());
        QVERIFY(viewer.Window()->isVisible());
        QVERIFY(ShownText(*viewer.Window()).contains(QStringLiteral("도움말을 열 수 없습니다")));
        // The viewer runs beside the game: nothing modal blocks it.
        QVERIFY(!viewer.Window()->isModal());
        QCOMPARE(viewer.Window()->windowModality(), Qt::NonModal);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

    void askingAgainBringsBackTheSameWindowWithTheFileReloaded()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("kapuna.hlp"));
        QVERIFY(WriteAll(path, "<p>first</p>"));
        WindowHelpViewer viewer;
        viewer.ShowHelp(path, HelpViewer::kCommandOpenAtStart);
        HelpWindow *first = viewer.Window();
        QVERIFY(first);
        QVERIFY(WriteAll(path, "<p>second</p>"));
        viewer.ShowHelp(path, HelpViewer::kCommandOpenAtStart);
        QCOMPARE(viewer.Window(), first);
        QVERIFY(ShownText(*first).contains(QStringLiteral("second")));
    }

    void closedWindowIsOpenedAnew()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("kapuna.hlp"));
        QVERIFY(WriteAll(path, "<p>help</p>"));
        WindowHelpViewer viewer;
        viewer.ShowHelp(path, HelpViewer::kCommandOpenAtStart);
        QPointer<HelpWindow> first = viewer.Window();
        QVERIFY(first->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!first);
        QVERIFY(!viewer.Window());
        viewer.ShowHelp(path, HelpViewer::kCommandOpenAtStart);
        QVERIFY(viewer.Window());
        QVERIFY(viewer.Window()->isVisible());
    }

    void windowGoesWithTheViewer()
    {
        QPointer<HelpWindow> window;
        {
            WindowHelpViewer viewer;
            viewer.ShowHelp(QStringLiteral("/nowhere/kapuna.hlp"), HelpViewer::kCommandOpenAtStart);
            window = viewer.Window();
            QVERIFY(window);
        }
        QVERIFY(!window);
    }

    void linksWithinTheFileScrollAndOthersAreIgnored()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("kapuna.hlp"));
        QByteArray html = "<p><a href=\"#far\">down</a> <a href=\"https://kapuna.example/\">web</a></p>";
        for (int i = 0; i < 200; ++i)
            html += "<p>filler</p>";
        html += "<a name=\"far\"></a><p>far away</p>";
        for (int i = 0; i < 200; ++i)
            html += "<p>filler</p>";
        QVERIFY(WriteAll(path, html));

        HelpWindow window;
        window.resize(400, 300);
        QVERIFY(window.LoadFile(path));
        window.show();
        QScrollBar *bar = window.Browser()->verticalScrollBar();
        QCOMPARE(bar->value(), 0);
        const QString before = ShownText(window);

        emit window.Browser()->anchorClicked(QUrl(QStringLiteral("https://kapuna.example/")));
        QCOMPARE(bar->value(), 0);
        QCOMPARE(ShownText(window), before);

        emit window.Browser()->anchorClicked(QUrl(QStringLiteral("#far")));
        QVERIFY(bar->value() > 0);
        QCOMPARE(ShownText(window), before);
    }

    void shippedHelpLoads()
    {
        HelpWindow window;
        QVERIFY2(window.LoadFile(ShippedHelpFile()), qPrintable(ShippedHelpFile()));
        QVERIFY(!ShownText(window).contains(QStringLiteral("도움말을 열 수 없습니다")));
    }

    void shippedHelpCoversTheGame_data()
    {
        QTest::addColumn<QString>("topic");
        QTest::newRow("what the game is") << QStringLiteral("사다리");
        QTest::newRow("player count limits") << QStringLiteral("2부터 12까지");
        QTest::newRow("spinner") << QStringLiteral("스피너");
        QTest::newRow("adding with Enter") << QStringLiteral("Enter");
        QTest::newRow("delete") << QStringLiteral("삭제");
        QTest::newRow("delete all") << QStringLiteral("전체삭제");
        QTest::newRow("prize limit message") << QStringLiteral("당첨내역이 모두 설정되었습니다.");
        QTest::newRow("numbered prizes") << QStringLiteral("1, 2, 3");
        QTest::newRow("manual start") << QStringLiteral("선택시작");
        QTest::newRow("automatic start") << QStringLiteral("전체시작");
        QTest::newRow("confirm") << QStringLiteral("게임시작");
        QTest::newRow("reset") << QStringLiteral("게임재설정");
        QTest::newRow("pause") << QStringLiteral("Esc");
        QTest::newRow("printing") << QStringLiteral("기본 프린터");
        QTest::newRow("PDF without a printer") << QStringLiteral("PDF");
        QTest::newRow("banner") << QStringLiteral("배너");
        QTest::newRow("exit") << QStringLiteral("종료");
    }

    void shippedHelpCoversTheGame()
    {
        QFETCH(QString, topic);
        HelpWindow window;
        QVERIFY(window.LoadFile(ShippedHelpFile()));
        QVERIFY2(ShownText(window).contains(topic), qPrintable(topic));
    }

    void shippedHelpLinksResolveWithinIt()
    {
        QFile file(ShippedHelpFile());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll());
        const QRegularExpression href(QStringLiteral("href=\"#([^\"]+)\""));
        int links = 0;
        for (const QRegularExpressionMatch &m : href.globalMatch(html)) {
            ++links;
            QVERIFY2(html.contains(QStringLiteral("name=\"%1\"").arg(m.captured(1))),
                     qPrintable(m.captured(1)));
        }
        QVERIFY(links >= 9);
        QVERIFY(!html.contains(QStringLiteral("href=\"http")));
    }
};

QTEST_MAIN(TestHelp)
#include "test_help.moc"
