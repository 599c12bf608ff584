#pragma once

#include <QString>

#include <optional>

class Messages;
class PrinterProvider;
class SheetSource;
struct GameState;

namespace mdlPrint {

// Why there is no result sheet to print or save yet: "인쇄할 내용이 없습니다."
// in the set-up phase, "게임이 종료되지 않았습니다." before every player has
// been started; nothing once the sheet can be made.
std::optional<QString> SheetRefusal(const GameState &state);

// The click on picPrint. Refuses with a message in the set-up phase or
// before every player has been started;
// otherwise prints the result sheet on the default printer in portrait.
// Every printer failure on the way ends the click with the one message
// "프린터 설정이 잘못되었습니다"; the steps after the failure are not done.
// Where a PDF stands in for the printer, a file that could not be saved is
// told with the stand-in's own message, which says where.
void PrintResults(GameState &state, const SheetSource &source,
                  PrinterProvider &printers, Messages &messages);

} // namespace mdlPrint
