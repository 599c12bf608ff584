#pragma once

#include "platform/shell.h"

#include <QStringList>

// Remembers what would have been opened; opens nothing, and says the
// desktop took it unless told otherwise.
class RecordingShell final : public Shell
{
public:
    bool Open(const QString &target) override
    {
        opened << target;
        return takes;
    }
    // Links are recorded as handed over; whether one would open is
    // LinkTarget's decision, tested on its own.
    void OpenLink(const QString &link) override { opened << link; }
    QStringList opened;
    bool takes = true;
};
