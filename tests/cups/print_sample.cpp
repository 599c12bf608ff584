// Prints the twelve-player sample sheet through the program's real print
// path: the picPrint handler, the Qt printer and either the system's default
// printer or, with --pdf FILE, a PDF file standing in for it.
//
//   print_sample [--folder DIR]  the default printer; without one, the PDF
//                           stand-in, written into DIR
//   print_sample --pdf FILE the PDF stand-in, written to FILE
//   --tokens                the game's own animal tokens on the start
//                           buttons instead of the numbered discs the
//                           checks look for (for pictures of the sheet)

#include "widgets/fonts.h"
#include "widgets/image_list.h"
#include "platform/messages.h"
#include "platform/print_system.h"
#include "platform/qt_printer_provider.h"
#include "print/print_results.h"
#include "sample_sheet.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QStringList>

#include <cstdio>

namespace {

// The start buttons as the window prints them: token pictures 1..12 at
// print resolution.
class TokenSource final : public SheetSource
{
public:
    QString NameText(int i) const override { return sample_.NameText(i); }
    QPixmap StartPicture(int i) const override { return images_.PrintPicture(i); }
    QSizeF PenTemplateSizeMm() const override { return sample_.PenTemplateSizeMm(); }

private:
    sample_sheet::Source sample_;
    ImageList images_;
};

class StderrMessages final : public Messages
{
public:
    void Inform(const QString &text) override
    {
        std::fprintf(stderr, "print_sample: message: %s\n", qPrintable(text));
        ++count;
    }
    int count = 0;
};

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    fonts::RegisterKoreanSubstitutes();

    QStringList args = app.arguments().mid(1);
    const bool tokens = args.removeAll(QStringLiteral("--tokens")) > 0;
    QString pdfPath;
    QString folder;
    if (args.size() == 2 && args.at(0) == QLatin1String("--pdf")) {
        pdfPath = QFileInfo(args.at(1)).absoluteFilePath();
        folder = QFileInfo(pdfPath).absolutePath();
    } else if (args.size() == 2 && args.at(0) == QLatin1String("--folder")) {
        folder = QFileInfo(args.at(1)).absoluteFilePath();
    } else if (!args.isEmpty()) {
        std::fprintf(stderr, "usage: print_sample [--pdf FILE | --folder DIR] [--tokens]\n");
        return 2;
    }

    // The stand-in names its file itself; write it where asked by giving it
    // the folder and renaming the result.
    QString written;
    QtPrinterProvider provider(
        [&](const QString &path) {
            written = path;
            return true;
        },
                               pdfPath.isEmpty() ? PrintSystem::ForThisSystem() : nullptr, folder,
                               &QDateTime::currentDateTime);

    GameState state = sample_sheet::FinishedGame();
    const sample_sheet::Source discs;
    const TokenSource tokenPictures;
    const SheetSource &source = tokens ? static_cast<const SheetSource &>(tokenPictures) : discs;
    StderrMessages messages;
    mdlPrint::PrintResults(state, source, provider, messages);
    if (messages.count != 0)
        return 3;
    if (!written.isEmpty() && pdfPath.isEmpty())
        std::printf("no printer: the stand-in wrote %s\n", qPrintable(written));

    if (!pdfPath.isEmpty()) {
        QFile::remove(pdfPath);
        if (written.isEmpty() || !QFile::rename(written, pdfPath)) {
            std::fprintf(stderr, "print_sample: no PDF was written\n");
            return 1;
        }
        std::printf("wrote %s\n", qPrintable(pdfPath));
    }
    std::printf("total %d\n", int(state.gPrizeTotal));
    return state.gPrizeTotal == sample_sheet::kTotal ? 0 : 1;
}
