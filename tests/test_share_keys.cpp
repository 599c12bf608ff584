#include "app/share.h"
#include "platform/save_dialog.h"
#include "support/window_fixture.h"
#include "widgets/fonts.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

namespace {

// Both players run to the bottom; the names are typed first.
void PlayTwo(WindowFixture &f)
{
    f.Confirm(2);
    f.w().Play().Columns().txtName(1)->setText(QStringLiteral("가람"));
    f.w().Play().Columns().txtName(2)->setText(QStringLiteral("누리"));
    for (int i = 1; i <= 2; ++i) {
        f.w().Play().Run().StartDescent(i);
        f.RunTicks();
    }
}

} // namespace

class TestShareKeys : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyKeyReachesItsHandler_data();
    void everyKeyReachesItsHandler();
    void pictureIsTwiceTheWindow();
    void pictureShowsNoFocus();
    void fileThatCannotBeSavedWarnsWhere_data();
    void fileThatCannotBeSavedWarnsWhere();
    void dialogStartsInAFolderThatExists();
    void pdfHoldsTheSheetOnlyWhenPrintingWould();

private:
    QTemporaryDir dir_;
};

void TestShareKeys::initTestCase()
{
    fonts::RegisterKoreanSubstitutes();
    QVERIFY(dir_.isValid());
}

void TestShareKeys::everyKeyReachesItsHandler_data()
{
    QTest::addColumn<QString>("target");   // a picture button, an action, or "cmdStartN"
    QTest::addColumn<QString>("key");      // as the README's key table gives it
    QTest::addColumn<int>("confirmed");    // players of a confirmed ladder; 0 for none
    QTest::addColumn<bool>("runs");        // a pen is moving when the key comes
    QTest::addColumn<bool>("acts");

    const struct
    {
        const char *target;
        const char *key;
    } keys[] = {
        {"picHelp", "F1"},          {"picOk", "F2"},
        {"picReset", "F3"},         {"picStart0", "F5"},
        {"picStart1", "F6"},        {"picPrint", "Ctrl+P"},
        {"picAbout", "Ctrl+I"},     {"picEnd", "Ctrl+Q"},
        {"picUpdown0", "Alt+Up"},   {"picUpdown1", "Alt+Down"},
        {"picAdd", "Alt+Ins"},      {"picDel", "Alt+Del"},
        {"picClear", "Alt+Shift+Del"}, {"actSavePicture", "Ctrl+S"},
        {"actSavePdf", "Ctrl+Shift+S"}, {"actHistory", "Ctrl+H"},
        {"actReplayNumber", "Ctrl+G"},
    };
    for (const auto &k : keys)
        QTest::newRow(k.target) << QString::fromLatin1(k.target) << QString::fromLatin1(k.key) << 0
                                << false << true;
    const char *startKeys[] = {"Alt+1", "Alt+2", "Alt+3", "Alt+4", "Alt+5", "Alt+6",
                               "Alt+7", "Alt+8", "Alt+9", "Alt+0", "Alt+-", "Alt+="};
    for (int i = 1; i <= 12; ++i)
        QTest::addRow("cmdStart%d", i) << QStringLiteral("cmdStart%1").arg(i)
                                       << QString::fromLatin1(startKeys[i - 1]) << 12 << false << true;
    // A disabled or missing button takes no key, as it takes no click.
    QTest::newRow("spinner under a ladder") << "picUpdown0" << "Alt+Up" << 2 << false << false;
    QTest::newRow("confirm while a pen runs") << "picOk" << "F2" << 2 << true << false;
    QTest::newRow("start while a pen runs") << "cmdStart2" << "Alt+2" << 2 << true << false;
    QTest::newRow("start beyond the players") << "cmdStart3" << "Alt+3" << 2 << false << false;
}

void TestShareKeys::everyKeyReachesItsHandler()
{
    QFETCH(QString, target);
    QFETCH(QString, key);
    QFETCH(int, confirmed);
    QFETCH(bool, runs);
    QFETCH(bool, acts);

    WindowFixture f;
    QApplication::setActiveWindow(&f.w());
    QVERIFY(QTest::qWaitForWindowActive(&f.w()));
    if (confirmed > 0)
        f.Confirm(confirmed);
    if (runs) {
        f.w().Play().Run().StartDescent(1);
        f.w().Play().Run().DescentStep();
    }

    const QKeySequence sequence(key, QKeySequence::PortableText);
    QVERIFY(!sequence.isEmpty());
    std::unique_ptr<QSignalSpy> spy;
    if (target.startsWith(QLatin1String("cmdStart"))) {
        spy = std::make_unique<QSignalSpy>(&f.w().Play().Columns(), &ColumnControls::startClicked);
    } else if (auto *action = f.w().findChild<QAction *>(target)) {
        // The menu shows the key beside the action.
        QCOMPARE(action->shortcut(), sequence);
        spy = std::make_unique<QSignalSpy>(action, &QAction::triggered);
    } else {
        auto *button = f.w().findChild<PictureButton *>(target);
        QVERIFY(button);
        QVERIFY2(button->toolTip().contains(sequence.toString()), qPrintable(button->toolTip()));
        // The handlers themselves would open boxes or end the test.
        button->disconnect(SIGNAL(clicked()));
        spy = std::make_unique<QSignalSpy>(button, &PictureButton::clicked);
    }
    QTest::keySequence(&f.w(), sequence);
    QCOMPARE(spy->count(), acts ? 1 : 0);
}

void TestShareKeys::pictureIsTwiceTheWindow()
{
    WindowFixture f;
    f.Confirm(5);
    const QDir folder(dir_.filePath(QStringLiteral("picture")));
    QVERIFY(QDir().mkpath(folder.path()));
    f.saves.answer = folder.filePath(QStringLiteral("game"));
    f.w().findChild<QAction *>(QStringLiteral("actSavePicture"))->trigger();

    QVERIFY(f.saves.suggested.value(0).endsWith(QLatin1String(".png")));
    QCOMPARE(f.messages.shown, QStringList());
    // The ending was added, and nothing but the picture is left behind.
    QCOMPARE(folder.entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("game.png")});
    const QImage saved(folder.filePath(QStringLiteral("game.png")));
    QCOMPARE(saved.size(), f.w().size() * 2);
}

void TestShareKeys::pictureShowsNoFocus()
{
    WindowFixture f;
    f.w().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.w()));
    QLineEdit *box = f.w().Ui().txtInput;
    box->setText(QStringLiteral("커피"));
    f.w().setFocus();
    const QImage unfocused = Share::WindowPicture(&f.w());
    box->setFocus();
    box->selectAll();
    QVERIFY(box->hasFocus());

    QCOMPARE(Share::WindowPicture(&f.w()), unfocused);
    // The player goes on where they were.
    QVERIFY(box->hasFocus());
    QCOMPARE(box->selectedText(), QStringLiteral("커피"));
}

void TestShareKeys::fileThatCannotBeSavedWarnsWhere_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");

    QTest::newRow("picture") << "actSavePicture" << "game.png" << "그림을 저장하지 못했습니다: ";
    QTest::newRow("PDF") << "actSavePdf" << "sheet.pdf" << "결과표를 PDF로 저장하지 못했습니다: ";
}

void TestShareKeys::fileThatCannotBeSavedWarnsWhere()
{
    QFETCH(QString, action);
    QFETCH(QString, name);
    QFETCH(QString, message);

    WindowFixture f;
    PlayTwo(f);
    const QString missing = dir_.filePath(QStringLiteral("no such folder"));
    f.saves.answer = missing + QLatin1Char('/') + name;
    f.w().findChild<QAction *>(action)->trigger();
    const QStringList expected{message + QDir::toNativeSeparators(missing)};
    QCOMPARE(f.messages.shown, expected);
    QCOMPARE(f.messages.warned, expected);
    QVERIFY(!QFileInfo::exists(missing));
}

void TestShareKeys::dialogStartsInAFolderThatExists()
{
    const QTemporaryDir home;
    const auto restore = qScopeGuard([home = qgetenv("HOME"), config = qgetenv("XDG_CONFIG_HOME")] {
        qputenv("HOME", home);
        if (config.isNull())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", config);
    });
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral(".config"))));
    // A fresh account: no Pictures folder yet.
    QCOMPARE(save_folder::Pictures(), QDir::cleanPath(home.path()));
    QVERIFY(QDir(home.path()).mkdir(QStringLiteral("Pictures")));
    QCOMPARE(save_folder::Pictures(), QDir::cleanPath(home.filePath(QStringLiteral("Pictures"))));
}

void TestShareKeys::pdfHoldsTheSheetOnlyWhenPrintingWould()
{
    WindowFixture f;
    const QString path = dir_.filePath(QStringLiteral("sheet.pdf"));
    f.saves.answer = path;
    QAction *savePdf = f.w().findChild<QAction *>(QStringLiteral("actSavePdf"));

    savePdf->trigger();
    f.Confirm(2);
    f.w().Play().Run().StartDescent(1);
    f.RunTicks();
    savePdf->trigger();
    QCOMPARE(f.messages.shown, (QStringList{QStringLiteral("인쇄할 내용이 없습니다."),
                                           QStringLiteral("게임이 종료되지 않았습니다.")}));
    QVERIFY(f.saves.suggested.isEmpty());
    QVERIFY(!QFileInfo::exists(path));

    f.w().picReset_Click();
    f.messages.shown.clear();
    PlayTwo(f);
    savePdf->trigger();
    QCOMPARE(f.messages.shown, QStringList());
    QVERIFY(QFileInfo(f.saves.suggested.value(0)).fileName().startsWith(QStringLiteral("Kapuna 결과 ")));

    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    QProcess text;
    text.start(pdftotext, {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
    QVERIFY(text.waitForFinished());
    const QString out = QString::fromUtf8(text.readAllStandardOutput());
    for (const QString &word : {QStringLiteral("KAPUNA 게임 결과"), QStringLiteral("가람"),
                                QStringLiteral("누리"), QStringLiteral("게임인원:")})
        QVERIFY2(out.contains(word), qPrintable(out));
}

QTEST_MAIN(TestShareKeys)
#include "test_share_keys.moc"
