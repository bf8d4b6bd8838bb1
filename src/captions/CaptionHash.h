#pragma once
// The seeded pseudo-random numbers and easing curves every caption
// animation shares. All are pure functions, so a frame time always gives the
// same picture.

#include <cmath>
#include <cstdint>
#include <limits>

namespace vt::caption {

// Reproducible value in [0, 1) in steps of 0.0001 from two integers: the
// MurmurHash3 64-bit finaliser of a × 73856093 XOR b × 19349663, wrapping.
inline double seededUnit(std::int64_t a, std::int64_t b)
{
    std::uint64_t x = static_cast<std::uint64_t>(a) * 73856093ull ^ static_cast<std::uint64_t>(b) * 19349663ull;
    x ^= x >> 33;
    x *= 0xff51afd7ed558ccdull;
    x ^= x >> 33;
    x *= 0xc4ceb9fe1a85ec53ull;
    x ^= x >> 33;
    return static_cast<double>(x % 10000) / 10000.0;
}

// A time or size turned into a whole number, truncated toward zero; values
// beyond any realistic time saturate instead of overflowing.
inline std::int64_t wholePart(double value)
{
    if (!std::isfinite(value)) return 0;
    constexpr double kLimit = 9.0e18;
    if (value >= kLimit) return std::numeric_limits<std::int64_t>::max();
    if (value <= -kLimit) return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(value);
}

// The seed of a caption group: its start in whole milliseconds.
inline std::int64_t groupSeed(double groupStart) { return wholePart(groupStart * 1000); }

// Back-out ease with overshoot: 0 at b = −1, 1 at b = 0.
inline double backOut(double b) { return 1 + 2.70158 * b * b * b + 1.70158 * b * b; }

inline double cubicOut(double k) { return 1 - (1 - k) * (1 - k) * (1 - k); }

}  // namespace vt::caption
