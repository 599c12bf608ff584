#pragma once

class QCoreApplication;

// Qt's own texts (the standard buttons of a message box, the edit menu of a
// text box, the file dialog) in Korean, as the rest of the program is,
// whatever the system's language. The catalogue comes with Qt's
// translations (Debian package qt6-translations-l10n); without it these
// texts stay in English. The few texts the catalogue lacks (the type of a
// folder in the file dialog) the program supplies itself.
namespace qt_translations {

// Installs the Korean catalogue, and the texts it lacks, on `app`; returns
// whether the catalogue was found.
bool InstallKorean(QCoreApplication &app);

} // namespace qt_translations
