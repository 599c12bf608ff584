#include "print/save_results.h"

#include "game/game_state.h"
#include "platform/pdf_file.h"
#include "platform/printer.h"
#include "platform/save_dialog.h"
#include "print/print_results.h"
#include "print/result_sheet.h"

#include <QDateTime>
#include <QDir>

namespace mdlPrint {

Outcome SaveResultsPdf(GameState &state, const SheetSource &source, SaveDialog &dialog, QWidget *parent)
{
    if (const std::optional<QString> refusal = SheetRefusal(state))
        return {Outcome::Kind::Refused, *refusal};
    const QString suggested = QDir(save_folder::Documents()).filePath(pdf_file::SheetName(QDateTime::currentDateTime()));
    const QString path = AskSavePath(dialog, parent, QStringLiteral("PDF로 저장"), suggested,
                                     QStringLiteral("PDF 문서 (*.pdf)"));
    if (path.isEmpty())
        return {Outcome::Kind::Cancelled};
    // The dialog has asked before replacing.
    return pdf_file::SaveDocument(path, [&](Printer &printer) {
        printer.SetOrientation(PageOrientation::Portrait);
        PrintResultSheet(state, printer, source);
    });
}

} // namespace mdlPrint
