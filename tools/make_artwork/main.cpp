// Writes every picture of the game into assets/images/ at 1x and 2x, and
// optionally a contact sheet for looking at them. Run by hand (see
// tools/README.md); the build only compiles the PNGs it leaves behind.

#include "background.h"
#include "contact_sheet.h"
#include "faces.h"
#include "icons.h"
#include "raster.h"
#include "tokens.h"

#include "widgets/image_list.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QTextStream>

namespace {

void Save(const QString &assetsDir, const QString &file, const QImage &image, QSize logical,
          int scale)
{
    if (image.size() != logical * scale)
        qFatal("make_artwork: %s came out %dx%d, not %dx%d", qPrintable(file), image.width(),
               image.height(), logical.width() * scale, logical.height() * scale);
    const QString path = QDir(assetsDir).filePath(file);
    QDir().mkpath(QFileInfo(path).path());
    if (!image.save(path, "PNG"))
        qFatal("make_artwork: cannot write %s", qPrintable(path));
}

// The raw twin of every face and background PNG, read from the PNG just
// written so that both hold exactly the same pixels.
void SaveRaw(const QString &assetsDir, const QString &file)
{
    const QString png = QDir(assetsDir).filePath(file);
    const QImage image(png);
    QFile raw(QDir(assetsDir).filePath(ImageList::RawFile(file)));
    if (image.isNull() || !raw.open(QIODevice::WriteOnly)
        || raw.write(ImageList::EncodeRaw(image)) < 0)
        qFatal("make_artwork: cannot write the raw twin of %s", qPrintable(png));
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Draws the pictures of the game."));
    parser.addHelpOption();
    const QCommandLineOption assets(QStringLiteral("assets"),
                                    QStringLiteral("The assets/ folder to write images/ into."),
                                    QStringLiteral("dir"));
    const QCommandLineOption rawOnly(QStringLiteral("raw-only"),
                                     QStringLiteral("Only rewrite the raw twins of the PNGs there."));
    const QCommandLineOption sheet(QStringLiteral("sheet"),
                                   QStringLiteral("Also write a contact sheet PNG here."),
                                   QStringLiteral("file"));
    parser.addOption(assets);
    parser.addOption(sheet);
    parser.addOption(rawOnly);
    parser.process(app);
    if (!parser.isSet(assets))
        parser.showHelp(1);
    const QString dir = parser.value(assets);

    const auto saveRaw = [&dir] {
        for (int scale : {1, 2, 4}) {
            for (int i = 1; i <= ImageList::kCount; ++i)
                SaveRaw(dir, ImageList::PictureFile(i, scale));
            SaveRaw(dir, ImageList::BackgroundFile(scale));
        }
        for (int pixels : ImageList::kIconSizes)
            SaveRaw(dir, ImageList::IconFile(pixels));
    };
    if (parser.isSet(rawOnly)) {
        saveRaw();
        return 0;
    }

    raster::LoadFonts();
    for (int scale : {1, 2}) {
        for (int i = 1; i <= ImageList::kCount; ++i) {
            const QImage picture = i <= 12 ? tokens::Token(i, scale) : faces::Face(i, scale);
            Save(dir, ImageList::PictureFile(i, scale), picture, ImageList::PictureSize(i), scale);
        }
        Save(dir, ImageList::BackgroundFile(scale),
             background::Background(scale).convertToFormat(QImage::Format_RGB32),
             ImageList::kBackgroundSize, scale);
        Save(dir, ImageList::LinkCursorFile(scale), icons::LinkCursor(scale),
             ImageList::kLinkCursorSize, scale);
    }
    // For a zoomed window on a HiDPI screen, where 2x is not enough.
    for (int i = 1; i <= ImageList::kCount; ++i) {
        const QImage picture = i <= 12 ? tokens::Token(i, 4) : faces::Face(i, 4);
        Save(dir, ImageList::PictureFile(i, 4), picture, ImageList::PictureSize(i), 4);
    }
    Save(dir, ImageList::BackgroundFile(4),
         background::Background(4).convertToFormat(QImage::Format_RGB32),
         ImageList::kBackgroundSize, 4);
    // The tokens for the result sheet: at least 300 dpi at their printed
    // size, which the screen's 1x and 2x are not.
    for (int i = 1; i <= 12; ++i)
        Save(dir, ImageList::PrintPictureFile(i), tokens::Token(i, ImageList::kPrintScale),
             ImageList::PictureSize(i), ImageList::kPrintScale);
    for (int pixels : ImageList::kIconSizes)
        Save(dir, ImageList::IconFile(pixels), icons::AppIcon(pixels), QSize(pixels, pixels), 1);
    saveRaw();

    if (parser.isSet(sheet)) {
        const QString file = parser.value(sheet);
        if (!contact_sheet::Sheet(dir).save(file, "PNG"))
            qFatal("make_artwork: cannot write %s", qPrintable(file));
        QTextStream(stdout) << "contact sheet: " << file << Qt::endl;
    }
    return 0;
}
