#pragma once

#include "platform/text_prompt.h"

#include <QStringList>

// Answers every prompt with `answer` (nothing: the user cancelled) and
// records the titles asked.
class RecordingPrompt final : public TextPrompt
{
public:
    std::optional<QString> AskText(QWidget *, const QString &title, const QString &) override
    {
        asked << title;
        return answer;
    }

    std::optional<QString> answer;
    QStringList asked;
};
