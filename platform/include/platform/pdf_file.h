#pragma once

#include "platform/outcome.h"

#include <QString>

#include <functional>

class Printer;
class QDateTime;
class QIODevice;

// PDF files that are either complete or not there at all: the document is
// written beside its name first, checked, and only then given the name. A
// file that was there before stays whole whatever fails on the way.
namespace pdf_file {

enum class Existing {
    // A file already at the name stays: the new one does not take it.
    Keep,
    // The new file takes the place of one at the name in one step (a
    // rename over it), as the user agreed in the save dialog.
    Replace,
};

enum class Result { Saved, NameTaken, Failed };

// Writes a PDF at path through write, which fills the device it is given
// and may throw PrinterError when it cannot. NameTaken only with Keep.
Result Save(const std::function<void(QIODevice &file)> &write, const QString &path, Existing existing);

// The page that job draws, saved as a PDF at path in place of a file there:
// Saved at path, or SheetNotSaved naming path's folder. A PrinterError while
// the page is made also means that it cannot be saved; every other
// exception passes through. job must end its document.
Outcome SaveDocument(const QString &path, const std::function<void(Printer &printer)> &job);

// "Kapuna 결과 2026-12-08 153012.pdf" for a result sheet made at that time.
QString SheetName(const QDateTime &madeAt);

} // namespace pdf_file
