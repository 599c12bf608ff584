#include "game/descent.h"

#include "game/descent_view.h"
#include "game/drawing_surface.h"
#include "game/game_state.h"
#include "game/geometry.h"
#include "game/ladder.h"

#include <QStringLiteral>

using namespace geometry;

namespace {

constexpr int kDownStep = 5;
constexpr int kCrossStep = 2;
// The last down step lands at 125: strictly past 123 ends the path.
constexpr int kPathEndsBelow = 123;
constexpr int kLoopWhileJoinAtMost = 122;

} // namespace

Descent::Descent(GameState &state, DescentView &view, DrawingSurface &surface)
    : state_(state)
    , view_(view)
    , surface_(surface)
{
}

int Descent::PlayerColour(int v)
{
    return v <= 7 ? v + 8 : v - 6;
}

void Descent::StartDescent(std::int16_t i)
{
    if (state_.gStarted(i) != i) {
        state_.gStarted(i) = i;
        ++state_.mStartedCount;
    }
    state_.mPlayerIndex = i;
    state_.mPenIndex = i;
    state_.mPenColor = PlayerColour(state_.gShuffle(i));
    view_.SetTimerRunning(true);
    state_.mJoinY = kLadderTop;
    state_.mDownY = kLadderTop;
    state_.mGoingDown = true;
    state_.mPenX = state_.mCrossX = std::int16_t(ColumnX(state_.gLadderLeft, i));
    view_.SetNameColour(i, state_.mPenColor);
    const QString name = view_.NameText(i);
    if (name.isEmpty() || name == QStringLiteral("(이름)"))
        view_.SetNameText(i, QString::number(i));
}

void Descent::DescentStep()
{
    view_.SetKeyPreview(true);
    view_.SetConfirmResetEnabled(false);
    for (int i = 1; i <= state_.gMemberCount; ++i)
        view_.SetStartButtonEnabled(i, false);
    surface_.SetLineWidth(kLineWidth);

    // Each pass draws one segment and leaves, or turns between going down
    // and crossing and goes round again: no tick is spent on a turn alone.
    while (state_.mJoinY <= kLoopWhileJoinAtMost) {
        if (state_.mGoingDown) {
            state_.mNextColumnX = state_.mPenX;
            state_.mRungY = FindNextRung(state_, state_.mPenX, state_.mJoinY);
            if (state_.mDownY != state_.mRungY) {
                TakeDownStep();
                break;
            }
            state_.mGoingDown = false;
            state_.mPenX = state_.mNextColumnX;
            state_.mJoinY = state_.mRungY;
        } else {
            state_.mJoinY = state_.mDownY;
            state_.mRungY = state_.mDownY;
            const int direction = state_.gRungToLeft ? -1 : 1;
            state_.mNextColumnX = std::int16_t(state_.mPenX + direction * kColumnSpacing);
            if (state_.mCrossX != state_.mNextColumnX) {
                TakeCrossStep(direction);
                break;
            }
            state_.mGoingDown = true;
            state_.mPenX = state_.mNextColumnX;
            state_.mJoinY = state_.mRungY;
        }
    }

    if (state_.mDownNextY > kPathEndsBelow)
        EndPath();
}

void Descent::TakeDownStep()
{
    state_.mDownNextY = std::int16_t(state_.mDownY + kDownStep);
    view_.MovePen(state_.mPenIndex, state_.mNextColumnX, state_.mDownNextY);
    surface_.DrawLine(state_.mPenX, state_.mDownY, state_.mNextColumnX, state_.mDownNextY,
                      state_.mPenColor);
    surface_.SetLineWidth(kShadowWidth);
    surface_.DrawLine(state_.mPenX + 1, state_.mDownY + 1, state_.mNextColumnX + 1,
                      state_.mDownNextY + 1, kLineColour);
    state_.mDownY = state_.mDownNextY;
}

void Descent::TakeCrossStep(int direction)
{
    state_.mCrossNextX = std::int16_t(state_.mCrossX + direction * kCrossStep);
    view_.MovePen(state_.mPenIndex, state_.mCrossNextX, state_.mRungY);
    surface_.SetLineWidth(kLineWidth);
    surface_.DrawLine(state_.mCrossX, state_.mJoinY, state_.mCrossNextX, state_.mRungY,
                      state_.mPenColor);
    surface_.SetLineWidth(kShadowWidth);
    // A leftward shadow only drops; the others also shift right, as if the
    // light came from the upper left.
    const int shadowDx = direction < 0 ? 0 : 1;
    surface_.DrawLine(state_.mCrossX + shadowDx, state_.mJoinY + 1,
                      state_.mCrossNextX + shadowDx, state_.mRungY + 1, kLineColour);
    state_.mCrossX = state_.mCrossNextX;
}

void Descent::RevealAndRecord(int c)
{
    view_.SetPrizeText(c, state_.gPrizes(state_.gShuffle(c)));
    state_.gResults(state_.mPlayerIndex) = view_.PrizeText(c);
    ++state_.mArrivedCount;
    view_.PathEnded();
}

void Descent::EndPath()
{
    view_.SetKeyPreview(false);
    const int c = ColumnAt(state_.gLadderLeft, state_.mPenX);

    if (state_.gManualStart) {
        view_.SetTimerRunning(false);
        RevealAndRecord(c);
        for (int i = 1; i <= state_.gMemberCount; ++i)
            view_.SetStartButtonEnabled(i, true);
        view_.SetPrizeColour(c, state_.mPenColor);
        view_.ParkPen(state_.mPenIndex, state_.mCrossNextX);
        view_.SetConfirmResetEnabled(true);
        return;
    }

    RevealAndRecord(c);
    view_.SetPrizeColour(c, state_.mPenColor);
    view_.ParkPen(state_.mPenIndex, state_.mCrossNextX);
    ++state_.mNextPlayer;
    if (state_.mNextPlayer <= state_.gMemberCount) {
        StartDescent(state_.mNextPlayer);
        return;
    }
    view_.SetTimerRunning(false);
    state_.mNextPlayer = 1;
    view_.SetStartButtonEnabled(1, true);
    view_.SetConfirmResetEnabled(true);
}

void Descent::TogglePause()
{
    view_.SetTimerRunning(!view_.TimerRunning());
    view_.SetConfirmResetEnabled(true);
}
