#include "engine/random.hpp"

#include "engine/codec.hpp"

#include <chrono>
#include <ctime>

namespace semtra {

std::int32_t SplitMixRandom::uniform(std::int32_t n) {
    if (n <= 0)
        return 0;
    m_state += 0x9E3779B97F4A7C15ull;
    std::uint64_t z = m_state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    // The top 32 bits scaled to n: the bias is below n / 2^32.
    return static_cast<std::int32_t>(((z >> 32) * static_cast<std::uint64_t>(n)) >> 32);
}

std::int32_t drawRange(RandomSource& random, std::int32_t lo, std::int32_t hi) {
    std::int32_t value = 0;
    do {
        value = random.uniform(hi) + 1;
    } while (value < lo);
    return value;
}

std::int32_t drawRangeReseeding(RandomSource& random, Clock& clock, std::int32_t lo,
                                std::int32_t hi) {
    std::int32_t value = 0;
    do {
        random.seed(static_cast<std::uint32_t>(clock.msOfDay()));
        value = random.uniform(hi) + 1;
    } while (value < lo);
    return value;
}

namespace {

std::tm localNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return local;
}

// strftime gives the locale's own text; the log wants it in 1251.
std::string formatNow(const char* format) {
    const std::tm local = localNow();
    char buffer[128];
    const std::size_t length = std::strftime(buffer, sizeof buffer, format, &local);
    return codec::fromUtf8(std::string_view(buffer, length));
}

} // namespace

std::int32_t SystemClock::msOfDay() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::tm local = localNow();
    const auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    return static_cast<std::int32_t>(
        ((local.tm_hour * 60 + local.tm_min) * 60 + local.tm_sec) * 1000 + ms);
}

std::string SystemClock::shortDate() {
    return formatNow("%x");
}
std::string SystemClock::longTime() {
    return formatNow("%X");
}

} // namespace semtra
