#include "print/save_results.h"

#include "game/game_state.h"
#include "platform/messages.h"
#include "platform/pdf_file.h"
#include "platform/printer_error.h"
#include "platform/qt_printer.h"
#include "platform/qt_printer_provider.h"
#include "platform/save_dialog.h"
#include "print/print_results.h"
#include "print/result_sheet.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QMarginsF>

#include <exception>
#include <optional>

namespace mdlPrint {

void SaveResultsPdf(GameState &state, const SheetSource &source, SaveDialog &dialog,
                    Messages &messages, QWidget *parent)
{
    if (const std::optional<QString> refusal = SheetRefusal(state)) {
        messages.Inform(*refusal);
        return;
    }
    const QString suggested = QDir(save_folder::Documents())
                                  .filePath(QtPrinterProvider::PdfFileName(QDateTime::currentDateTime()));
    QString path = dialog.AskPath(parent, QStringLiteral("PDF로 저장"), suggested,
                                  QStringLiteral("PDF 문서 (*.pdf)"));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) != 0)
        path += QLatin1String(".pdf");

    // The dialog has asked before replacing; the message is shown outside
    // the trap so that nothing the message box does is taken for a failure.
    std::optional<QString> failure;
    try {
        QtPrinter page([&path](const QtPrinter &finished) {
            pdf_file::Save(finished, path, QMarginsF(), pdf_file::Existing::Replace);
        });
        page.SetOrientation(PageOrientation::Portrait);
        PrintResultSheet(state, page, source);
    } catch (const StandInError &error) {
        failure = error.message();
    } catch (const std::exception &) {
        failure = pdf_file::CannotSaveMessage(QFileInfo(path).absolutePath());
    }
    if (failure)
        messages.Inform(*failure);
}

} // namespace mdlPrint
