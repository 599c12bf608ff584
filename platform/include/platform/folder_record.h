#pragma once

#include <QString>

class Registry;

// The one setting the program keeps: the folder of its executable, as the
// value "path" of HKEY_LOCAL_MACHINE\Software\Westhaven\Kapuna. It is
// written for the benefit of other tools; the program never decides anything
// on it.
namespace folder_record {

inline const QString kKeyPath = QStringLiteral("Software\\Westhaven\\Kapuna");
inline const QString kValueName = QStringLiteral("path");

// The folder that holds the executable, in the platform's own notation
// (backslashes on Windows).
QString ProgramFolder();

} // namespace folder_record

// Start-up: brings the recorded folder up to date. Writes only when the
// recorded text is empty or differs, case included, from `programFolder`, so
// an unchanged installation never touches the store. A failed write is
// ignored; start-up goes on.
void RecordProgramFolder(Registry &registry, const QString &programFolder);
