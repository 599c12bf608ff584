#pragma once

class QCoreApplication;

// Qt's own texts (the standard buttons of a message box, the edit menu of a
// text box) in Korean, as the rest of the program is, whatever the system's
// language. The catalogue comes with Qt's translations (Debian package
// qt6-translations-l10n); without it these texts stay in English.
namespace qt_translations {

// Installs the Korean catalogue on `app`; returns whether it was found.
bool InstallKorean(QCoreApplication &app);

} // namespace qt_translations
