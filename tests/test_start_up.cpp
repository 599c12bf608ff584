#include "widgets/fonts.h"
#include "app/controls.h"
#include "app/board.h"
#include "widgets/picture_button.h"
#include "extras/vel_gif.h"
#include "platform/folder_record.h"
#include "support/window_fixture.h"
#include "widgets/zoom_level.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QTest>
#include <QTimer>

namespace {

const QString kKey = QStringLiteral("Software\\Westhaven\\Kapuna");

// A program folder holding a banner list of the given lines.
void WriteList(const QTemporaryDir &folder, const QByteArray &lines)
{
    QDir(folder.path()).mkpath(QStringLiteral("data"));
    QFile list(folder.filePath(QStringLiteral("data/list")));
    QVERIFY(list.open(QIODevice::WriteOnly));
    list.write(lines);
}

} // namespace

class TestStartUp : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void recordsTheProgramFolder();
    void leavesAnUpToDateRecordAlone();
    void showsABannerEntryFromTheList();
    void runsWithoutABannerList();
    void helpOpensTheHelpFileBesideTheProgram();
    void aboutBoxOpensModallyAndCloses();
    void bannerClickOpensTheShownLinkOnly();
};

void TestStartUp::initTestCase()
{
    fonts::RegisterKoreanSubstitutes();
}

void TestStartUp::recordsTheProgramFolder()
{
    WindowFixture f(QStringLiteral("/opt/kapuna"));
    QCOMPARE(f.settings.ReadRegText(Registry::kHkeyLocalMachine, kKey, QStringLiteral("path")),
             QStringLiteral("/opt/kapuna"));
}

void TestStartUp::leavesAnUpToDateRecordAlone()
{
    QTemporaryDir store;
    const QString machine = store.filePath(QStringLiteral("Westhaven/Kapuna.ini"));
    SettingsStore settings(machine, store.filePath(QStringLiteral("user.ini")));
    QVERIFY(settings.WriteRegText(Registry::kHkeyLocalMachine, kKey, QStringLiteral("path"),
                                  QStringLiteral("/opt/kapuna")));
    const QDateTime written = QFileInfo(machine).lastModified();
    const QByteArray bytes = [&] {
        QFile f(machine);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();

    RecordingMessages messages;
    Services services{messages};
    services.settings = &settings;
    services.programFolder = QStringLiteral("/opt/kapuna");
    ZoomLevel zoom;
    MainWindow window(services, zoom);
    QFile after(machine);
    QVERIFY(after.open(QIODevice::ReadOnly));
    QCOMPARE(after.readAll(), bytes);
    QCOMPARE(QFileInfo(machine).lastModified(), written);
}

void TestStartUp::showsABannerEntryFromTheList()
{
    QTemporaryDir folder;
    WriteList(folder, "01 Only*https://kapuna.example/one*missing.png\r\n");
    WindowFixture f(folder.path());
    QCOMPARE(f.w().Banner().gBannerCount, std::int16_t(1));
    QCOMPARE(f.w().Banner().gBannerIndex, std::int16_t(1));
    QCOMPARE(f.w().Ui().VelGif1->Tag(), QStringLiteral("Only"));
    QVERIFY(f.w().Ui().VelGif1->Shows() != VelGif::Showing::Nothing);
    for (const char *name : {"VelGif1", "Picture1"})
        QVERIFY(f.w().findChild<QWidget *>(name)->isVisible());
}

void TestStartUp::runsWithoutABannerList()
{
    QTemporaryDir folder;
    WindowFixture f(folder.path());
    QCOMPARE(f.w().Banner().gBannerCount, std::int16_t(0));
    QCOMPARE(f.w().Ui().VelGif1->Shows(), VelGif::Showing::Nothing);
    // No empty strip with its shadow.
    for (const char *name : {"VelGif1", "Picture1"})
        QVERIFY(f.w().findChild<QWidget *>(name)->isHidden());
    QTest::mouseClick(f.w().Ui().VelGif1, Qt::LeftButton);
    QVERIFY(f.shell.opened.isEmpty());
    // The game itself is unaffected.
    f.Confirm(3);
    QCOMPARE(f.w().Play().Columns().Count(), 3);
}

void TestStartUp::helpOpensTheHelpFileBesideTheProgram()
{
    WindowFixture f(QStringLiteral("/opt/kapuna"));
    QTest::mouseClick(f.w().Ui().picHelp, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(f.help.shown.size(), 1);
    QCOMPARE(QDir::fromNativeSeparators(f.help.shown.first().first),
             QStringLiteral("/opt/kapuna/kapuna.hlp"));
    QCOMPARE(f.help.shown.first().second, 15);
}

void TestStartUp::aboutBoxOpensModallyAndCloses()
{
    WindowFixture f;
    QString caption;
    bool wasModal = false;
    // Closes the box as a user would, once it is up; the guard keeps a
    // broken box from hanging the test.
    QTimer closer;
    connect(&closer, &QTimer::timeout, &f.w(), [&] {
        if (auto *box = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            caption = box->windowTitle();
            wasModal = box->isModal();
            QTest::keyClick(box, Qt::Key_Escape);
        }
    });
    closer.start(0);
    QTest::mouseClick(f.w().Ui().picAbout, Qt::LeftButton, {}, QPoint(5, 5));
    closer.stop();
    QCOMPARE(caption, QStringLiteral("Kapuna 정보"));
    QVERIFY(wasModal);
    QVERIFY(!QApplication::activeModalWidget());
}

void TestStartUp::bannerClickOpensTheShownLinkOnly()
{
    QTemporaryDir folder;
    WriteList(folder, "01 A*https://kapuna.example/a*a.png\r\n"
                      "02 B*https://kapuna.example/b*b.png\r\n");
    WindowFixture f(folder.path());
    const int shown = f.w().Banner().gBannerIndex;
    QVERIFY(shown == 1 || shown == 2);
    QVERIFY(f.shell.opened.isEmpty());
    QTest::mouseClick(f.w().Ui().VelGif1, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(f.shell.opened,
             QStringList{shown == 1 ? QStringLiteral("https://kapuna.example/a")
                                    : QStringLiteral("https://kapuna.example/b")});
}

QTEST_MAIN(TestStartUp)
#include "test_start_up.moc"
