#include "game/random.h"

#include <chrono>
#include <cmath>

namespace {

std::uint64_t TimeOfDay()
{
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return std::uint64_t(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
}

// splitmix64: a full-period step with good mixing of every input bit.
std::uint64_t Mix(std::uint64_t &state)
{
    std::uint64_t z = (state += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

} // namespace

Random::Random()
    : state_(TimeOfDay())
{
}

Random::Random(std::uint64_t seed)
    : state_(seed)
{
}

Random &Random::Instance()
{
    static Random instance;
    return instance;
}

float Random::Next()
{
    // 24 random bits fill a float's mantissa exactly: 0 .. 1 - 2^-24.
    return float(Mix(state_) >> 40) * (1.0f / 16777216.0f);
}

void Random::Reseed()
{
    const std::uint64_t now = clock_ ? clock_() : TimeOfDay();
    std::uint64_t t = now;
    // Adding an even number keeps the running state's step odd: a re-seed
    // followed by a draw always advances it by an odd amount, so even a
    // frozen clock cycles through all 2^64 states before repeating one.
    state_ += Mix(t) << 1;
}

void Random::Seed(std::uint64_t state)
{
    state_ = state;
}

void Random::SetClock(Clock clock)
{
    clock_ = std::move(clock);
}

int Random::Whole(double scale, double offset)
{
    const double r = double(Next());
    return int(std::floor(r * scale + offset));
}

int RandomWhole(double scale, double offset)
{
    return Random::Instance().Whole(scale, offset);
}
