#pragma once

#include "platform/shell.h"

#include <QStringList>

// Remembers what would have been opened; opens nothing.
class RecordingShell final : public Shell
{
public:
    void Open(const QString &target) override { opened << target; }
    QStringList opened;
};
