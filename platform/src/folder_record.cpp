#include "platform/folder_record.h"

#include "platform/registry.h"

#include <QCoreApplication>
#include <QDir>

namespace folder_record {

QString ProgramFolder()
{
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
}

} // namespace folder_record

void RecordProgramFolder(Registry &registry, const QString &programFolder)
{
    const QString recorded = registry.ReadRegText(Registry::kHkeyLocalMachine,
                                                  folder_record::kKeyPath,
                                                  folder_record::kValueName);
    if (recorded.isEmpty() || recorded != programFolder) {
        // Without the rights to write the machine-wide store this fails, and
        // nothing is lost by going on without it.
        registry.WriteRegText(Registry::kHkeyLocalMachine, folder_record::kKeyPath,
                              folder_record::kValueName, programFolder);
    }
}
