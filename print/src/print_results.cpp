#include "print/print_results.h"

#include "game/game_state.h"
#include "platform/messages.h"
#include "platform/printer.h"
#include "platform/printer_provider.h"
#include "print/result_sheet.h"

#include <QString>

#include <exception>
#include <optional>

namespace mdlPrint {

std::optional<QString> SheetRefusal(const GameState &state)
{
    if (state.gPhase == GamePhase::Setup)
        return QStringLiteral("인쇄할 내용이 없습니다.");
    if (state.mStartedCount != state.gMemberCount)
        return QStringLiteral("게임이 종료되지 않았습니다.");
    return std::nullopt;
}

void PrintResults(GameState &state, const SheetSource &source,
                  PrinterProvider &printers, Messages &messages)
{
    // The message is shown outside the trap, so that whatever the message
    // box does can never be taken for a printer failure and told twice.
    std::optional<QString> refusal;
    try {
        refusal = SheetRefusal(state);
        if (!refusal) {
            printers.RunJob([&](Printer &printer) {
                printer.SetOrientation(PageOrientation::Portrait);
                PrintResultSheet(state, printer, source);
            });
        }
    } catch (const StandInError &error) {
        // No printer is involved: the user is told what became of the file.
        refusal = error.message();
    } catch (const std::exception &) {
        // Printer errors and anything else that broke the printing alike:
        // the user can only check the printer.
        refusal = QStringLiteral("프린터 설정이 잘못되었습니다");
    }
    if (refusal)
        messages.Inform(*refusal);
}

} // namespace mdlPrint
