#pragma once

#include "platform/outcome.h"

class SaveDialog;
class SheetSource;
class QWidget;
struct GameState;

namespace mdlPrint {

// "PDF로 저장…": the result sheet, the very page that prints, saved as a
// PDF where the user chooses (Documents, named with the date and time by
// default). The rules of printing decide whether there is a sheet: the same
// refusals, and no dialog then. Otherwise Cancelled, Saved at the path, or
// SheetNotSaved naming the folder, where no partial file is left and a file
// the user agreed to replace stays whole.
Outcome SaveResultsPdf(GameState &state, const SheetSource &source, SaveDialog &dialog, QWidget *parent);

} // namespace mdlPrint
