#pragma once

#include "platform/outcome.h"

#include <QString>

#include <optional>

class PrinterProvider;
class SheetSource;
struct GameState;

namespace mdlPrint {

// Why there is no result sheet to print or save yet: "인쇄할 내용이 없습니다."
// in the set-up phase, "게임이 종료되지 않았습니다." before every player has
// been started; nothing once the sheet can be made.
std::optional<QString> SheetRefusal(const GameState &state);

// The click on picPrint: Refused with the reason in the set-up phase or
// before every player has been started; otherwise the result sheet printed
// in portrait on the default printer, and what became of it. A printer
// failure on the way ends the sheet there: the steps after it are not done.
Outcome PrintResults(GameState &state, const SheetSource &source, PrinterProvider &printers);

} // namespace mdlPrint
