#pragma once

#include <QMarginsF>
#include <QString>

class QtPrinter;

// Saving a page as a PDF file so that a file is either complete or not
// there at all: the page is written to a temporary file in the target
// folder, read back to see that it is whole, and only then renamed to its
// name. Any failure removes the temporary file.
namespace pdf_file {

enum class Existing { Keep, Replace };

// The message when a file cannot be saved in folder.
QString CannotSaveMessage(const QString &folder);

// Saves page at path. With Existing::Keep a file already at path is left
// alone and false is returned (the caller picks another name). Throws
// StandInError, with CannotSaveMessage, when the file cannot be written
// whole (folder not writable, disk full, ...).
bool Save(const QtPrinter &page, const QString &path, const QMarginsF &marginsMm, Existing existing);

} // namespace pdf_file
