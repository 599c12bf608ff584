// Prints the twelve-player sample sheet through the program's real print
// path: the picPrint handler, the Qt printer and either the system's default
// printer or, with --pdf FILE, a PDF file standing in for it; or saves it
// through the real save path, as the user agreeing to replace FILE would.
//
//   print_sample [--folder DIR]  the default printer; without one, the PDF
//                           stand-in, written into DIR
//   --twice                 two presses in the one program: after the first
//                           it writes "pressed" to stdout and waits for a
//                           line on stdin (the caller changes the world
//                           meanwhile)
//   print_sample --pdf FILE the PDF stand-in, written to FILE
//   print_sample --save FILE     "PDF로 저장…" answered with FILE
//   print_sample --picture FILE  "그림으로 저장…" of a small picture,
//                           answered with FILE
//   --tokens                the game's own animal tokens on the start
//                           buttons instead of the numbered discs the
//                           checks look for (for pictures of the sheet)
//
// Messages go to stderr as "print_sample: message: TEXT" (information
// icon) or "print_sample: warning: TEXT" (warning icon); any message makes
// the exit code 3.

#include "widgets/fonts.h"
#include "widgets/image_list.h"
#include "platform/messages.h"
#include "platform/outcome.h"
#include "platform/picture_file.h"
#include "platform/print_system.h"
#include "platform/qt_printer_provider.h"
#include "platform/save_dialog.h"
#include "print/print_results.h"
#include "print/save_results.h"
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
    void Warn(const QString &text) override
    {
        std::fprintf(stderr, "print_sample: warning: %s\n", qPrintable(text));
        ++count;
    }
    bool Ask(const QString &) override { return false; }
    int count = 0;
};

// The user's answer to the save dialog, given on the command line.
class AnsweringDialog final : public SaveDialog
{
public:
    explicit AnsweringDialog(QString answer)
        : answer_(std::move(answer))
    {
    }
    QString AskPath(QWidget *, const QString &, const QString &, const QString &) override { return answer_; }

private:
    QString answer_;
};

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    fonts::RegisterKoreanSubstitutes();

    QStringList args = app.arguments().mid(1);
    const bool tokens = args.removeAll(QStringLiteral("--tokens")) > 0;
    const bool twice = args.removeAll(QStringLiteral("--twice")) > 0;
    QString pdfPath;
    QString folder;
    GameState state = sample_sheet::FinishedGame();
    StderrMessages messages;
    if (args.size() == 2 && args.at(0) == QLatin1String("--save")) {
        AnsweringDialog dialog(QFileInfo(args.at(1)).absoluteFilePath());
        Tell(messages, mdlPrint::SaveResultsPdf(state, sample_sheet::Source(), dialog, nullptr));
        return messages.count != 0 ? 3 : 0;
    }
    if (args.size() == 2 && args.at(0) == QLatin1String("--picture")) {
        AnsweringDialog dialog(QFileInfo(args.at(1)).absoluteFilePath());
        const QString path = AskSavePath(dialog, nullptr, QStringLiteral("그림으로 저장"),
                                         QStringLiteral("Kapuna.png"), QStringLiteral("PNG 그림 (*.png)"));
        Tell(messages, picture_file::SavePng(sample_sheet::StartPicture(1).toImage(), path));
        return messages.count != 0 ? 3 : 0;
    }
    if (args.size() == 2 && args.at(0) == QLatin1String("--pdf")) {
        pdfPath = QFileInfo(args.at(1)).absoluteFilePath();
        folder = QFileInfo(pdfPath).absolutePath();
    } else if (args.size() == 2 && args.at(0) == QLatin1String("--folder")) {
        folder = QFileInfo(args.at(1)).absoluteFilePath();
    } else if (!args.isEmpty()) {
        std::fprintf(stderr, "usage: print_sample [--pdf FILE | --folder DIR [--twice] | --save FILE | --picture FILE] [--tokens]\n");
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

    const sample_sheet::Source discs;
    const TokenSource tokenPictures;
    const SheetSource &source = tokens ? static_cast<const SheetSource &>(tokenPictures) : discs;
    Tell(messages, mdlPrint::PrintResults(state, source, provider));
    if (twice) {
        std::printf("pressed\n");
        std::fflush(stdout);
        for (int c = std::getchar(); c != '\n' && c != EOF; c = std::getchar()) {
        }
        Tell(messages, mdlPrint::PrintResults(state, source, provider));
    }
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
