#pragma once

#include <cstdint>

class DescentView;
class DrawingSurface;
struct GameState;

// A player's run down the ladder, one segment per tick. The timer only calls
// DescentStep; every decision lives here, so a test can step a whole path
// without a timer or a screen.
class Descent
{
public:
    Descent(GameState &state, DescentView &view, DrawingSurface &surface);

    // Click on start button i, or the next player in automatic mode.
    void StartDescent(std::int16_t i);
    // One tick of Timer1.
    void DescentStep();
    // Escape while keyboard preview is on.
    void TogglePause();

    // Player i's colour number: v + 8 for v <= 7, else v - 6, v = gShuffle(i).
    static int PlayerColour(int v);

private:
    void TakeDownStep();
    void TakeCrossStep(int direction);
    void EndPath();
    void RevealAndRecord(int c);

    GameState &state_;
    DescentView &view_;
    DrawingSurface &surface_;
};
