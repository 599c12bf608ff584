#pragma once

#include "extras/help_viewer.h"

#include <QList>
#include <QPair>

// Remembers which help files were asked for; shows nothing.
class RecordingHelpViewer final : public HelpViewer
{
public:
    void ShowHelp(const QString &filePath, int command) override { shown.append({filePath, command}); }
    QList<QPair<QString, int>> shown;
};
