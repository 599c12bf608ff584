#pragma once

class Messages;
class SaveDialog;
class SheetSource;
class QWidget;
struct GameState;

namespace mdlPrint {

// "PDF로 저장…": the result sheet, the very page that prints, saved as a
// PDF where the user chooses (Documents, named with the date and time by
// default). The rules of printing decide whether there is a sheet: the
// same refusals, told the same way, and no dialog then. A cancelled dialog
// does nothing; a file that cannot be saved is told with the folder, and no
// partial file is left.
void SaveResultsPdf(GameState &state, const SheetSource &source, SaveDialog &dialog,
                    Messages &messages, QWidget *parent);

} // namespace mdlPrint
