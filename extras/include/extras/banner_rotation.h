#pragma once

#include "game/one_based.h"

#include <QString>

class BannerControl;
class Shell;

// The banner list as loaded at start-up, owned by the banner's user.
struct BannerState
{
    std::int16_t gBannerCount = 0;
    std::int16_t gBannerIndex = 0;
    OneBased<QString> gBannerLinks;
    OneBased<QString> gBannerImages;
};

// The banner's entries come from the list file "data/list" in the program's
// folder (read as UTF-8; see banner_list.h for the format and for which lines
// count as entries). Links and images are loaded once, at start-up, into
// gBannerLinks and gBannerImages; the tags are read afresh from the file for
// every entry shown and never kept.
//
// No banner: when the list is missing or has no entry at start-up,
// gBannerCount is 0, the control receives no call at all and the Cycle and
// Click handlers do nothing for the rest of the run.

// programFolder + "/data/list".
QString BannerListPath(const QString &programFolder);

// Loads the list and picks the first entry at random (gBannerIndex, uniform
// over 1..gBannerCount). The control receives the tag of the list's last
// entry, then Start.
void LoadBannerList(BannerState &state, BannerControl &control, const QString &listPath);

// Start-up step 3: LoadBannerList, then the chosen entry's picture.
void StartBanner(BannerState &state, BannerControl &control, const QString &listPath);

// The Cycle handler: moves to the next entry, back to the first after the
// last, and shows it with SetTag, LoadImage, Start in that order. The index
// wraps at the number of entries the file holds now, but never beyond the
// entries loaded at start-up: a list that grew since then wraps at the
// start-up count, one that shrank at its new count. A list that is gone or
// empty now keeps the start-up rotation with an empty tag.
void AdvanceBanner(BannerState &state, BannerControl &control, const QString &listPath);

// The Click handler: only when the control answers QueryClick(1) with yes,
// CheckImage every entry's image in list order, hand the shown entry's link
// to the shell's OpenLink (which opens only pages and documents, see
// LinkTarget), then NotifyLinkOpened.
void FollowBannerLink(BannerState &state, BannerControl &control, Shell &shell);
