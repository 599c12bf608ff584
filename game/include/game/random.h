#pragma once

#include <cstdint>
#include <functional>

// A generator of numbers uniform in [0, 1) held in single precision.
//
// A round draws everything (rungs, animals, the prize shuffle) from one
// generator of its own, seeded once with the round's seed, so that the seed
// and the player count rebuild the round exactly.
//
// The process-wide instance serves what is not part of a round (the banner's
// first entry). It is seeded from the time of day and re-seeded from it on
// demand; a re-seed mixes the clock into the running state instead of
// replacing it, so many re-seeds within one clock tick still give different
// numbers.
class Random
{
public:
    using Clock = std::function<std::uint64_t()>;

    // Seeded from the time of day.
    Random();
    // Seeded with `seed`: the same seed gives the same numbers, on every
    // machine and in every build.
    explicit Random(std::uint64_t seed);

    // The process-wide generator.
    static Random &Instance();

    float Next();
    // The whole part of r * scale + offset for a fresh draw r. The draw is
    // widened to double before scaling: in single precision r * 4 + 4 for
    // the largest r below 1 rounds up to 8, a value the game must never see.
    int Whole(double scale, double offset);

    void Reseed();

    // For tests: a fixed running state, and a clock of their choosing
    // (a frozen one, say). An empty clock restores the real time of day.
    void Seed(std::uint64_t state);
    void SetClock(Clock clock);

private:
    std::uint64_t state_;
    Clock clock_;
};

// Random::Instance().Whole(scale, offset).
int RandomWhole(double scale, double offset);
