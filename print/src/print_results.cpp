#include "print/print_results.h"

#include "game/game_state.h"
#include "platform/printer.h"
#include "platform/printer_provider.h"
#include "print/result_sheet.h"

namespace mdlPrint {

std::optional<QString> SheetRefusal(const GameState &state)
{
    if (state.gPhase == GamePhase::Setup)
        return QStringLiteral("인쇄할 내용이 없습니다.");
    if (state.mStartedCount != state.gMemberCount)
        return QStringLiteral("게임이 종료되지 않았습니다.");
    return std::nullopt;
}

Outcome PrintResults(GameState &state, const SheetSource &source, PrinterProvider &printers)
{
    if (const std::optional<QString> refusal = SheetRefusal(state))
        return {Outcome::Kind::Refused, *refusal};
    return printers.RunJob([&](Printer &printer) {
        printer.SetOrientation(PageOrientation::Portrait);
        PrintResultSheet(state, printer, source);
    });
}

} // namespace mdlPrint
