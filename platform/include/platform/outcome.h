#pragma once

#include <QString>

class Messages;

// What became of one press of print or one save, success included. Printing
// and saving report every ending this way and never by throwing; the window
// hands it to Tell, which picks the message. Only a printer failure gives
// the printer message, and a fault nobody planned for is no outcome at all:
// it stays an exception.
struct Outcome
{
    enum class Kind {
        // The print system confirmed that it took the sheet.
        Printed,
        // The sheet left for the printer in full, but the print system did
        // not confirm it in time: it may well print.
        Unconfirmed,
        // No default printer: the sheet is a PDF at detail, open in a viewer.
        StandInShown,
        // No default printer: the sheet is a PDF at detail; no viewer took it.
        StandInSaved,
        // Saved at detail, where the user chose.
        Saved,
        // Taken for the press just before it (one press, one sheet):
        // nothing was made.
        SamePress,
        // The user closed the save dialog without choosing.
        Cancelled,
        // No sheet yet; detail says why.
        Refused,
        // The printer or the print system failed; nothing was printed.
        PrinterFailure,
        // The sheet's PDF could not be saved in the folder detail.
        SheetNotSaved,
        // The picture could not be saved in the folder detail.
        PictureNotSaved,
        // The exported table (CSV) could not be saved in the folder detail.
        TableNotSaved,
        // The folder detail, for the PDF standing in for a printer, could
        // not be made.
        NoFolder,
        // Every name the PDF standing in for a printer may take in the
        // folder detail is taken.
        NoFreeName,
    };

    Kind kind;
    // The file, the folder or the reason, as the kind says.
    QString detail{};

    bool operator==(const Outcome &other) const = default;

    // Whether a sheet went out (to a printer or into a stand-in file): a
    // press right after it is the same press.
    bool MadeASheet() const;
};

// Tells the user what the outcome means for them: nothing after a success
// they can see for themselves, an information box for news and refusals, a
// warning when a file could not be saved.
void Tell(Messages &messages, const Outcome &outcome);
