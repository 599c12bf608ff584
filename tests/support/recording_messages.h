#pragma once

#include "platform/messages.h"

#include <QStringList>

#include <functional>

// Records every message instead of showing a box; an optional hook runs
// where the user would press OK, so tests can check what happens after it.
class RecordingMessages final : public Messages
{
public:
    void Inform(const QString &text) override
    {
        shown << text;
        if (onOk)
            onOk(text);
    }

    QStringList shown;
    std::function<void(const QString &)> onOk;
};
