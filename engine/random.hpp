#pragma once

#include <cstdint>
#include <string>

namespace semtra {

// The wall clock as the engine needs it. Tests and `--seed` replace it.
class Clock {
  public:
    virtual ~Clock() = default;
    // Milliseconds since midnight: the seed of every re-seed.
    virtual std::int32_t msOfDay() = 0;
    // The date and time in the user's regional short date and long time formats (1251).
    virtual std::string shortDate() = 0;
    virtual std::string longTime() = 0;
};

// The local clock, formatted with the C library's locale (call setlocale first).
class SystemClock : public Clock {
  public:
    std::int32_t msOfDay() override;
    std::string shortDate() override;
    std::string longTime() override;
};

// The one pseudo-random generator of the program.
class RandomSource {
  public:
    virtual ~RandomSource() = default;
    virtual void seed(std::uint32_t value) = 0;
    // A uniform integer 0 .. n-1; 0 when n <= 0.
    virtual std::int32_t uniform(std::int32_t n) = 0;
};

// SplitMix64: small, fast, and every seed gives a well-mixed stream.
class SplitMixRandom : public RandomSource {
  public:
    void seed(std::uint32_t value) override { m_state = value; }
    std::int32_t uniform(std::int32_t n) override;

  private:
    std::uint64_t m_state = 0;
};

// A range lo .. hi drawn the program's way: 1 + a draw from 0 .. hi-1, drawn again while
// it is below lo.
std::int32_t drawRange(RandomSource& random, std::int32_t lo, std::int32_t hi);

// The same range where every try re-seeds from the clock first, as the idle remark and the
// shake do: tries within one clock reading repeat the same draw.
std::int32_t drawRangeReseeding(RandomSource& random, Clock& clock, std::int32_t lo,
                                std::int32_t hi);

} // namespace semtra
