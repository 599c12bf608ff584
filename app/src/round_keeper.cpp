#include "app/round_keeper.h"

#include "game/game_state.h"
#include "game/round_record.h"
#include "platform/history_store.h"
#include "print/amount.h"

#include <QLocale>

RoundKeeper::RoundKeeper(const GameState &state, HistoryStore *store, Names names, Notice notice,
                         std::function<QDateTime()> now)
    : state_(state)
    , store_(store)
    , names_(std::move(names))
    , notice_(std::move(notice))
    , now_(std::move(now))
{
}

void RoundKeeper::Began(bool replay)
{
    active_ = !replay;
    replay_ = replay;
    printed_ = false;
    saved_ = false;
    id_ = 0;
}

void RoundKeeper::PathEnded()
{
    if (active_ && state_.mArrivedCount >= state_.gMemberCount)
        Record(true);
}

void RoundKeeper::Abandon()
{
    // A ladder nobody ran down is no round.
    if (active_ && state_.mStartedCount > 0)
        Record(false);
    active_ = false;
}

void RoundKeeper::Printed()
{
    printed_ = true;
    if (id_ && store_)
        store_->MarkPrinted(id_);
}

void RoundKeeper::Saved()
{
    saved_ = true;
    if (id_ && store_)
        store_->MarkSaved(id_);
}

void RoundKeeper::Record(bool finished)
{
    active_ = false;
    if (!store_)
        return;
    const QLocale locale = QLocale::system();
    std::int32_t total = 0;
    for (int i = 1; i <= state_.gResults.Count(); ++i)
        total = mdlPrint::AddAmount(total, state_.gResults(i), locale);
    RoundRecord record = RecordOf(state_, names_(), total, finished, now_());
    record.printed = printed_;
    record.saved = saved_;
    id_ = store_->Add(record);
    if (const QString notice = store_->NoticeOnce(); !notice.isEmpty() && notice_)
        notice_(notice);
}
