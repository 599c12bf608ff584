#pragma once

#include "extras/banner_control.h"

#include <QStringList>

// Records every call the program makes on the banner control, in order, as
// "SetTag(text)", "Start()", "LoadImage(text)", "QueryClick(1)",
// "CheckImage(text)" and "NotifyLinkOpened()". QueryClick answers
// clickAnswer; CheckImage answers whether the image is in knownImages.
// Tests that need other calls in the same order (the shell's, say) may
// append to `calls` themselves.
class RecordingBanner final : public BannerControl
{
public:
    void SetTag(const QString &tag) override { calls << QStringLiteral("SetTag(%1)").arg(tag); }
    void Start() override { calls << QStringLiteral("Start()"); }
    void LoadImage(const QString &image) override
    {
        calls << QStringLiteral("LoadImage(%1)").arg(image);
    }
    bool QueryClick(std::int16_t what) override
    {
        calls << QStringLiteral("QueryClick(%1)").arg(what);
        return clickAnswer;
    }
    bool CheckImage(const QString &image) override
    {
        calls << QStringLiteral("CheckImage(%1)").arg(image);
        return knownImages.contains(image);
    }
    void NotifyLinkOpened() override { calls << QStringLiteral("NotifyLinkOpened()"); }

    QStringList calls;
    bool clickAnswer = true;
    QStringList knownImages;
};
