#pragma once

#include "game/one_based.h"

#include <QString>

#include <cstdint>

// Setting up (the set-up controls work, nothing to print) or playing a
// confirmed ladder.
enum class GamePhase { Setup, Confirmed };

// The one game of the program: every field the handlers share. The window
// owns the single instance and hands it by reference to the rules, so the
// rules, the tests and the window all see the same values.
struct GameState
{
    // The ladder now built and its round.
    GamePhase gPhase = GamePhase::Setup;
    std::int16_t gMemberCount = 0;   // N of the confirmed ladder; 0 until the first confirm
    std::int16_t gLadderLeft = 0;    // x (mm) of column 1
    bool gRungToLeft = false;        // side of the rung FindNextRung found last
    OneBased<QString> gPrizes;       // prize texts in list order
    OneBased<std::int16_t> gShuffle; // pictures 1..12 first, then the prize under each column
    bool gLadderCleared = false;     // Reset removed the per-column controls
    bool gManualStart = true;        // each start button runs one player
    OneBased<std::int16_t> gStarted; // gStarted(i) == i once player i has started
    OneBasedTable<std::int16_t> gRungs; // (gap, slot) -> height in mm, 0 = empty
    OneBased<QString> gResults;      // the prize each player reached
    std::int32_t gPrizeTotal = 0;    // numeric prizes summed on the result sheet
    std::uint64_t gSeed = 0;         // the round's seed: with gMemberCount, its number

    // Fields of the main window shared between its handlers.
    std::int16_t mStartedCount = 0;  // distinct players started since confirm
    std::int16_t mArrivedCount = 0;  // paths that reached their prize since confirm
    std::int16_t mNextPlayer = 0;    // automatic mode: who starts after this path

    // The running descent (one at a time).
    std::int16_t mPenX = 0;
    std::int16_t mJoinY = 0;
    std::int32_t mPenColor = 0;
    bool mGoingDown = false;
    std::int16_t mPenIndex = 0;
    std::int16_t mPlayerIndex = 0;
    std::int16_t mNextColumnX = 0;
    std::int16_t mCrossX = 0;
    std::int16_t mCrossNextX = 0;
    std::int16_t mRungY = 0;
    std::int16_t mDownY = 0;
    std::int16_t mDownNextY = 0;
};
