#include "widgets/image_list.h"
#include "widgets/zoom_level.h"
#include "platform/pixel_buffer.h"

#include <QColor>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QtTest>

namespace {

// Colour statistics over the pixels that are mostly opaque, so the
// transparent margins and soft shadows of a face do not count.
struct Tone
{
    double saturation = 0; // HSL saturation, 0..1
    double lightness = 0;  // HSL lightness, 0..1
    int pixels = 0;
};

Tone ToneOf(const QPixmap &pixmap)
{
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    Tone tone;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = QColor::fromRgba(image.pixel(x, y));
            if (c.alpha() < 200)
                continue;
            tone.saturation += c.hslSaturationF();
            tone.lightness += c.lightnessF();
            ++tone.pixels;
        }
    }
    if (tone.pixels > 0) {
        tone.saturation /= tone.pixels;
        tone.lightness /= tone.pixels;
    }
    return tone;
}

// The first row, from the top, that holds a fully drawn pixel.
int TopRow(const QPixmap &pixmap)
{
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) == 255)
                return y;
    return -1;
}

// Mean absolute difference per channel, 0..255, of two same-sized pictures.
double Difference(const QPixmap &a, const QPixmap &b)
{
    const QImage ia = a.toImage().convertToFormat(QImage::Format_ARGB32);
    const QImage ib = b.toImage().convertToFormat(QImage::Format_ARGB32);
    double sum = 0;
    for (int y = 0; y < ia.height(); ++y) {
        for (int x = 0; x < ia.width(); ++x) {
            const QRgb p = ia.pixel(x, y);
            const QRgb q = ib.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q))
                + std::abs(qBlue(p) - qBlue(q)) + std::abs(qAlpha(p) - qAlpha(q));
        }
    }
    return sum / (4.0 * ia.width() * ia.height());
}

} // namespace

class TestImageList : public QObject
{
    Q_OBJECT

private slots:
    void everyPictureFileIsCompiledIn_data();
    void everyPictureFileIsCompiledIn();
    void pictureHasItsLogicalSizeAtEveryRatio_data();
    void pictureHasItsLogicalSizeAtEveryRatio();
    void indexOutsideOneToFortyNineGivesNothing_data();
    void indexOutsideOneToFortyNineGivesNothing();
    void backgroundCoversTheWindowAtEveryRatio_data();
    void backgroundCoversTheWindowAtEveryRatio();
    void playingAreaIsPlainForTheLadder();
    void greyedFaceIsGreyerAndLighterThanItsNormalFace_data();
    void greyedFaceIsGreyerAndLighterThanItsNormalFace();
    void pressedFaceSitsLowerAndDarkerThanItsNormalFace_data();
    void pressedFaceSitsLowerAndDarkerThanItsNormalFace();
    void selectedAndUnselectedStartFacesDiffer_data();
    void selectedAndUnselectedStartFacesDiffer();
    void twelveTokensArePairwiseDifferent();
    void tokensStandOnAWhiteTile();
    void iconOffersEveryDesktopSize();
    void linkCursorPointsWithTheFingerTip();
    void pixelBufferHoldsItsPixelsPastItsFirstOwner_data();
    void pixelBufferHoldsItsPixelsPastItsFirstOwner();
};

void TestImageList::everyPictureFileIsCompiledIn_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("rawTwin");
    for (int scale : {1, 2}) {
        for (int i = 1; i <= ImageList::kCount; ++i)
            QTest::addRow("picture %d @%dx", i, scale) << ImageList::PictureFile(i, scale) << true;
        QTest::addRow("background @%dx", scale) << ImageList::BackgroundFile(scale) << true;
        QTest::addRow("link cursor @%dx", scale) << ImageList::LinkCursorFile(scale) << false;
    }
    for (int pixels : ImageList::kIconSizes)
        QTest::addRow("icon %d", pixels) << ImageList::IconFile(pixels) << true;
}

void TestImageList::everyPictureFileIsCompiledIn()
{
    QFETCH(QString, file);
    QFETCH(bool, rawTwin);
    // A missing file would silently show a grey stand-in.
    QVERIFY2(QFile::exists(QLatin1String(":/") + file), qPrintable(file));
    if (!rawTwin)
        return;
    // The raw twin is what start-up shows: it must hold the PNG's pixels
    // (run make_artwork --raw-only after changing a PNG by hand).
    QFile raw(QLatin1String(":/") + ImageList::RawFile(file));
    QVERIFY2(raw.open(QIODevice::ReadOnly), qPrintable(raw.fileName()));
    const QByteArray bytes = raw.readAll();
    QImage png(QLatin1String(":/") + file);
    png.setDevicePixelRatio(1);
    QCOMPARE(ImageList::DecodeRaw(bytes).convertToFormat(QImage::Format_ARGB32_Premultiplied),
             png.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    QVERIFY(ImageList::DecodeRaw(bytes.left(bytes.size() / 2)).isNull());
}

void TestImageList::pictureHasItsLogicalSizeAtEveryRatio_data()
{
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<qreal>("device");
    QTest::addColumn<double>("zoom");
    QTest::addColumn<qreal>("fileRatio");
    QTest::newRow("1x screen") << 1.0 << 1.0 << 1.0 << 1.0;
    QTest::newRow("2x screen") << 2.0 << 2.0 << 1.0 << 2.0;
    QTest::newRow("1.5x screen takes the 2x set") << 1.5 << 1.5 << 1.0 << 2.0;
    QTest::newRow("1x screen, saved at 2x") << 1.0 << 2.0 << 1.0 << 2.0;
    QTest::newRow("1x screen at 150 %, saved at 2x") << 1.0 << 2.0 << 1.5 << 4.0;
    QTest::newRow("2x screen at 125 %") << 2.0 << 2.0 << 1.25 << 4.0;
}

void TestImageList::pictureHasItsLogicalSizeAtEveryRatio()
{
    QFETCH(qreal, ratio);
    QFETCH(qreal, device);
    QFETCH(double, zoom);
    QFETCH(qreal, fileRatio);
    ZoomLevel level;
    level.Set(units::Zoom{int(zoom * 100)});
    const ImageList images(ratio, level);
    for (int i = 1; i <= ImageList::kCount; ++i) {
        // The layouts rely on the size table; the artwork drawn at 1x is
        // what the table must agree with.
        const QSize expected =
            QImageReader(QLatin1String(":/") + ImageList::PictureFile(i, 1)).size();
        const QPixmap p = images.Picture(i, device);
        QVERIFY2(!p.isNull(), qPrintable(QString::number(i)));
        QCOMPARE(ImageList::PictureSize(i), expected);
        QCOMPARE(p.deviceIndependentSize().toSize(), expected);
        QCOMPARE(p.size(), expected * fileRatio);
        QCOMPARE(p.devicePixelRatio(), fileRatio);
        // A start token, as an icon at its zoomed size, has every pixel the
        // device has.
        const QSize zoomed = (QSizeF(expected) * zoom).toSize();
        if (i <= 12)
            QCOMPARE(images.Icon(i).pixmap(zoomed, device).size(), (QSizeF(zoomed) * device).toSize());
    }
}

void TestImageList::indexOutsideOneToFortyNineGivesNothing_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("0") << 0;
    QTest::newRow("50") << 50;
    QTest::newRow("-1") << -1;
}

void TestImageList::indexOutsideOneToFortyNineGivesNothing()
{
    QFETCH(int, index);
    const ImageList images;
    QVERIFY(images.Picture(index).isNull());
    QVERIFY(ImageList::PictureSize(index).isEmpty());
}

void TestImageList::backgroundCoversTheWindowAtEveryRatio_data()
{
    QTest::addColumn<qreal>("ratio");
    QTest::newRow("1x") << 1.0;
    QTest::newRow("2x") << 2.0;
}

void TestImageList::backgroundCoversTheWindowAtEveryRatio()
{
    QFETCH(qreal, ratio);
    const QPixmap background = ImageList(ratio).Background();
    QCOMPARE(background.deviceIndependentSize().toSize(), QSize(795, 515));
    QCOMPARE(background.size(), QSize(795, 515) * ratio);
    // Drawn unscaled under every control: no hole may show the window.
    QVERIFY(!background.hasAlphaChannel());
}

void TestImageList::playingAreaIsPlainForTheLadder()
{
    // The ladder is drawn in black and in the players' colours; any pattern
    // under the columns would compete with the paths.
    const QImage background = ImageList(1.0).Background().toImage();
    const QRgb plain = background.pixel(400, 300);
    for (int y = 90; y < 512; ++y)
        for (int x = 160; x < 792; ++x)
            QVERIFY2(background.pixel(x, y) == plain, qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
    const QColor field = QColor::fromRgb(plain);
    const QColor panel = QColor::fromRgb(background.pixel(4, 300));
    QVERIFY(field.lightnessF() > 0.8);
    QVERIFY(panel.hslSaturationF() > 0.5);
    QVERIFY(panel.blue() > panel.red() && panel.blue() > panel.green());
}

void TestImageList::greyedFaceIsGreyerAndLighterThanItsNormalFace_data()
{
    QTest::addColumn<int>("normal");
    QTest::addColumn<int>("greyed");
    QTest::newRow("up") << 13 << 33;
    QTest::newRow("down") << 14 << 34;
    QTest::newRow("add") << 15 << 35;
    QTest::newRow("delete") << 16 << 36;
    QTest::newRow("delete all") << 17 << 37;
    QTest::newRow("confirm") << 18 << 38;
    QTest::newRow("reset") << 19 << 39;
    QTest::newRow("manual selected") << 40 << 44;
    QTest::newRow("manual not selected") << 41 << 45;
    QTest::newRow("automatic selected") << 42 << 46;
    QTest::newRow("automatic not selected") << 43 << 47;
}

void TestImageList::greyedFaceIsGreyerAndLighterThanItsNormalFace()
{
    QFETCH(int, normal);
    QFETCH(int, greyed);
    for (qreal ratio : {1.0, 2.0}) {
        const ImageList images(ratio);
        const Tone n = ToneOf(images.Picture(normal));
        const Tone g = ToneOf(images.Picture(greyed));
        QVERIFY(n.pixels > 0 && g.pixels > 0);
        QVERIFY2(g.saturation < n.saturation * 0.6,
                 qPrintable(QStringLiteral("%1 vs %2").arg(g.saturation).arg(n.saturation)));
        QVERIFY2(g.lightness > n.lightness,
                 qPrintable(QStringLiteral("%1 vs %2").arg(g.lightness).arg(n.lightness)));
    }
}

void TestImageList::pressedFaceSitsLowerAndDarkerThanItsNormalFace_data()
{
    QTest::addColumn<int>("normal");
    QTest::addColumn<int>("pressed");
    QTest::newRow("up") << 13 << 23;
    QTest::newRow("down") << 14 << 24;
    QTest::newRow("add") << 15 << 25;
    QTest::newRow("delete") << 16 << 26;
    QTest::newRow("delete all") << 17 << 27;
    QTest::newRow("confirm") << 18 << 28;
    QTest::newRow("reset") << 19 << 29;
    QTest::newRow("about") << 20 << 30;
    QTest::newRow("help") << 21 << 31;
    QTest::newRow("exit") << 22 << 32;
    QTest::newRow("print") << 48 << 49;
}

void TestImageList::pressedFaceSitsLowerAndDarkerThanItsNormalFace()
{
    QFETCH(int, normal);
    QFETCH(int, pressed);
    const ImageList images;
    const QPixmap n = images.Picture(normal);
    const QPixmap p = images.Picture(pressed);
    QCOMPARE(TopRow(n), 0);
    QCOMPARE(TopRow(p), 1);
    QVERIFY(ToneOf(p).lightness < ToneOf(n).lightness);
}

void TestImageList::selectedAndUnselectedStartFacesDiffer_data()
{
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("unselected");
    QTest::newRow("manual") << 40 << 41;
    QTest::newRow("automatic") << 42 << 43;
    QTest::newRow("manual greyed") << 44 << 45;
    QTest::newRow("automatic greyed") << 46 << 47;
}

void TestImageList::selectedAndUnselectedStartFacesDiffer()
{
    QFETCH(int, selected);
    QFETCH(int, unselected);
    const ImageList images;
    QVERIFY(Difference(images.Picture(selected), images.Picture(unselected)) > 0.5);
}

void TestImageList::twelveTokensArePairwiseDifferent()
{
    const ImageList images;
    for (int i = 1; i <= 12; ++i)
        for (int j = i + 1; j <= 12; ++j)
            QVERIFY2(Difference(images.Picture(i), images.Picture(j)) > 8,
                     qPrintable(QStringLiteral("tokens %1 and %2").arg(i).arg(j)));
}

void TestImageList::tokensStandOnAWhiteTile()
{
    // The tokens keep their own colours on white, so that the players' path
    // colours stay the strongest colours on screen.
    const ImageList images;
    for (int i = 1; i <= 12; ++i) {
        const QImage token = images.Picture(i).toImage().convertToFormat(QImage::Format_ARGB32);
        for (const QPoint edge : {QPoint(1, 16), QPoint(30, 16), QPoint(16, 1), QPoint(16, 30)})
            QVERIFY2(token.pixel(edge) == 0xffffffff,
                     qPrintable(QStringLiteral("token %1 at %2,%3").arg(i).arg(edge.x()).arg(edge.y())));
    }
}

void TestImageList::iconOffersEveryDesktopSize()
{
    const QIcon icon = ImageList().AppIcon();
    const QList<QSize> sizes = icon.availableSizes();
    for (int pixels : ImageList::kIconSizes)
        QVERIFY2(sizes.contains(QSize(pixels, pixels)), qPrintable(QString::number(pixels)));
    QCOMPARE(icon.pixmap(QSize(32, 32), 1.0).size(), QSize(32, 32));
}

void TestImageList::linkCursorPointsWithTheFingerTip()
{
    for (qreal ratio : {1.0, 2.0}) {
        const QCursor cursor = ImageList(ratio).LinkCursor();
        QCOMPARE(cursor.shape(), Qt::BitmapCursor);
        QCOMPARE(cursor.pixmap().deviceIndependentSize().toSize(), QSize(32, 32));
        QCOMPARE(cursor.hotSpot(), ImageList::kLinkCursorHotSpot);
        // The hot spot must lie on the drawn finger tip, not on empty space.
        const QImage picture = cursor.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
        const QPoint tip = ImageList::kLinkCursorHotSpot * cursor.pixmap().devicePixelRatio();
        QVERIFY(qAlpha(picture.pixel(tip + QPoint(0, int(ratio)))) > 200);
    }
}

void TestImageList::pixelBufferHoldsItsPixelsPastItsFirstOwner_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QImage::Format>("format");
    QTest::newRow("small, ordinary memory") << QSize(40, 30) << QImage::Format_RGB32;
    QTest::newRow("the background, one huge page") << QSize(795, 515) << QImage::Format_RGB32;
    QTest::newRow("odd width, 24-bit rows padded") << QSize(1001, 700) << QImage::Format_RGB888;
    QTest::newRow("over two blocks") << QSize(3180, 2060) << QImage::Format_ARGB32_Premultiplied;
}

void TestImageList::pixelBufferHoldsItsPixelsPastItsFirstOwner()
{
    QFETCH(QSize, size);
    QFETCH(QImage::Format, format);
    QImage kept;
    {
        QImage image = pixel_buffer::Image(size, format);
        QCOMPARE(image.size(), size);
        QCOMPARE(image.format(), format);
        image.fill(QColor(10, 20, 30));
        image.setPixelColor(size.width() - 1, size.height() - 1, QColor(200, 100, 50));
        // A pixmap and a shared copy outlive the first handle.
        kept = QPixmap::fromImage(std::move(image)).toImage();
    }
    QCOMPARE(kept.pixelColor(0, 0), QColor(10, 20, 30));
    QCOMPARE(kept.pixelColor(size.width() - 1, size.height() - 1), QColor(200, 100, 50));
    QVERIFY(pixel_buffer::Image(QSize(0, 10), format).isNull());
}

QTEST_MAIN(TestImageList)
#include "test_image_list.moc"
