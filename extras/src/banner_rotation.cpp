#include "extras/banner_rotation.h"

#include "extras/banner_control.h"
#include "extras/banner_list.h"
#include "game/random.h"
#include "platform/shell.h"

#include <algorithm>

QString BannerListPath(const QString &programFolder)
{
    return programFolder + QStringLiteral("/data/list");
}

void LoadBannerList(BannerState &state, BannerControl &control, const QString &listPath)
{
    // One read serves both the count and the fields, so a file that changes
    // between two reads cannot leave the arrays and the count disagreeing.
    const QList<BannerEntry> entries = ReadBannerList(listPath);
    const auto count = std::int16_t(entries.size()); // at most banner_list::kMaxEntries

    state.gBannerCount = count;
    state.gBannerLinks.Recreate(count);
    state.gBannerImages.Recreate(count);
    state.gBannerIndex = 0;
    if (count == 0)
        return;
    for (int i = 1; i <= count; ++i) {
        state.gBannerLinks(i) = entries.at(i - 1).link;
        state.gBannerImages(i) = entries.at(i - 1).image;
    }

    Random::Instance().Reseed();
    // The draw is scaled in double precision, and the clamp keeps a rounding
    // at the very top of [0, 1) from ever naming entry count + 1.
    const int k = std::clamp(RandomWhole(count, 1), 1, int(count));

    control.SetTag(entries.last().tag);
    control.Start();
    state.gBannerIndex = std::int16_t(k);
}

void StartBanner(BannerState &state, BannerControl &control, const QString &listPath)
{
    LoadBannerList(state, control, listPath);
    if (state.gBannerImages.Has(state.gBannerIndex))
        control.LoadImage(state.gBannerImages(state.gBannerIndex));
}

void AdvanceBanner(BannerState &state, BannerControl &control, const QString &listPath)
{
    const int loaded = std::min(int(state.gBannerCount), state.gBannerImages.Count());
    if (loaded <= 0)
        return;

    const QList<BannerEntry> entries = ReadBannerList(listPath);
    const int now = int(entries.size());
    const int last = now >= 1 ? std::min(now, loaded) : loaded;

    int index = int(state.gBannerIndex) + 1;
    if (index > last || index < 1)
        index = 1;
    state.gBannerIndex = std::int16_t(index);

    const QString tag = index <= now ? entries.at(index - 1).tag : QString();
    control.SetTag(tag);
    control.LoadImage(state.gBannerImages(index));
    control.Start();
}

void FollowBannerLink(BannerState &state, BannerControl &control, Shell &shell)
{
    // With no list there is nothing the user could have meant to open.
    if (state.gBannerCount <= 0)
        return;
    if (!control.QueryClick(1))
        return;
    const int count = std::min(int(state.gBannerCount), state.gBannerImages.Count());
    for (int i = 1; i <= count; ++i)
        control.CheckImage(state.gBannerImages(i));
    if (state.gBannerLinks.Has(state.gBannerIndex))
        shell.OpenLink(state.gBannerLinks(state.gBannerIndex));
    control.NotifyLinkOpened();
}
