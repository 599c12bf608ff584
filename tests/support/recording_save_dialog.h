#pragma once

#include "platform/save_dialog.h"

#include <QStringList>

// Answers the save dialog with a path chosen by the test (empty: the user
// cancels) and records what the program suggested.
class RecordingSaveDialog final : public SaveDialog
{
public:
    QString answer;
    QStringList suggested;

    QString AskPath(QWidget *, const QString &, const QString &suggestedPath, const QString &) override
    {
        suggested << suggestedPath;
        return answer;
    }
};
