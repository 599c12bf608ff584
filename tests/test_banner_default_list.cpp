// The banner list the program ships beside itself (data/list) and its
// pictures, as the build lays them out next to the executable.
#include "extras/banner_list.h"
#include "extras/banner_rotation.h"
#include "extras/vel_gif.h"

#include <QImageReader>
#include <QtTest>

class TestBannerDefaultList : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void hasAtLeastThreeEntries();
    void everyEntryHasATagAndAFictionalLink();
    void everyPictureLoadsAtTheBannerSize();
    void oneBannerIsAnimated();
    void startUpShowsAPictureNotATag();

private:
    QString programFolder_;
    QList<BannerEntry> entries_;
};

void TestBannerDefaultList::initTestCase()
{
    // The tests run in build/tests; the program and its data/ sit in build/.
    const QString testDir = qEnvironmentVariable("KAPUNA_TEST_DIR", QCoreApplication::applicationDirPath());
    programFolder_ = QDir(testDir).absoluteFilePath(QStringLiteral(".."));
    QVERIFY2(QFile::exists(BannerListPath(programFolder_)), qPrintable(BannerListPath(programFolder_)));
    entries_ = ReadBannerList(BannerListPath(programFolder_));
}

void TestBannerDefaultList::hasAtLeastThreeEntries()
{
    QVERIFY(entries_.size() >= 3);
}

void TestBannerDefaultList::everyEntryHasATagAndAFictionalLink()
{
    for (const BannerEntry &e : entries_) {
        QVERIFY2(!e.tag.trimmed().isEmpty(), qPrintable(e.image));
        QVERIFY2(e.link.startsWith(QStringLiteral("https://kapuna.example/")), qPrintable(e.link));
    }
}

void TestBannerDefaultList::everyPictureLoadsAtTheBannerSize()
{
    VelGif banner(programFolder_);
    for (const BannerEntry &e : entries_) {
        QVERIFY2(banner.CheckImage(e.image), qPrintable(e.image));
        QCOMPARE(QImageReader(banner.ResolveImage(e.image)).size(), VelGif::kSize);
        banner.LoadImage(e.image);
        QVERIFY(banner.Shows() == VelGif::Showing::Still
                || banner.Shows() == VelGif::Showing::Animation);
        // Its twins serve at 2x and 4x, the animation's within the caps too.
        for (int scale : {2, 4}) {
            const QPixmap shown = banner.PictureFor(scale);
            QVERIFY2(shown.devicePixelRatio() == scale, qPrintable(e.image));
            QCOMPARE(shown.size(), VelGif::kSize * scale);
        }
    }
}

void TestBannerDefaultList::oneBannerIsAnimated()
{
    VelGif banner(programFolder_);
    bool animated = false;
    for (const BannerEntry &e : entries_) {
        banner.LoadImage(e.image);
        animated = animated || banner.Shows() == VelGif::Showing::Animation;
    }
    QVERIFY(animated);
}

void TestBannerDefaultList::startUpShowsAPictureNotATag()
{
    BannerState state;
    VelGif banner(programFolder_);
    StartBanner(state, banner, BannerListPath(programFolder_));
    QCOMPARE(int(state.gBannerCount), int(entries_.size()));
    QVERIFY(banner.Shows() != VelGif::Showing::Tag);
    QVERIFY(banner.EntryTimeRunning());
    QCOMPARE(banner.Tag(), entries_.last().tag);
}

QTEST_MAIN(TestBannerDefaultList)
#include "test_banner_default_list.moc"
