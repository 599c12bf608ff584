#pragma once

#include <cstdint>
#include <functional>

// The process-wide random generator: numbers uniform in [0, 1) held in single
// precision, re-seeded from the time of day. A re-seed mixes the clock into
// the running state instead of replacing it, so many re-seeds within one
// clock tick still give different numbers (the shuffle re-seeds before every
// draw and would otherwise spin until the clock moves on).
class Random
{
public:
    using Clock = std::function<std::uint64_t()>;

    Random();

    // The single generator every part of the game draws from.
    static Random &Instance();

    float Next();
    void Reseed();

    // For tests: a fixed running state, and a clock of their choosing
    // (a frozen one, say). An empty clock restores the real time of day.
    void Seed(std::uint64_t state);
    void SetClock(Clock clock);

private:
    std::uint64_t state_;
    Clock clock_;
};

// The whole part of r * scale + offset for a fresh draw r. The draw is
// widened to double before scaling: in single precision r * 4 + 4 for the
// largest r below 1 rounds up to 8, a value the game must never see.
int RandomWhole(double scale, double offset);
