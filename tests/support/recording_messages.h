#pragma once

#include "platform/messages.h"

#include <QStringList>

#include <functional>

// Records every message instead of showing a box: `shown` holds them all in
// order, `warned` those shown with the warning icon. An optional hook runs
// where the user would press OK, so tests can check what happens after it.
class RecordingMessages final : public Messages
{
public:
    void Inform(const QString &text) override { Show(text); }
    void Warn(const QString &text) override
    {
        warned << text;
        Show(text);
    }

    bool Ask(const QString &question) override
    {
        asked << question;
        return answer;
    }

    QStringList shown;
    QStringList warned;
    QStringList asked;
    bool answer = false; // what the user answers every question
    std::function<void(const QString &)> onOk;

private:
    void Show(const QString &text)
    {
        shown << text;
        if (onOk)
            onOk(text);
    }
};
