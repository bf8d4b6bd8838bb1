#include "model/TimeFormat.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

namespace vt {

namespace {

// Finite values below 2^63 are valid; anything larger reads as that bound.
std::int64_t wholeUnits(double value)
{
    const double clamped = value >= 0 ? value : 0;
    return clamped < 9.2e18 ? static_cast<std::int64_t>(std::floor(clamped)) : INT64_MAX;
}

}  // namespace

std::string formatTime(double seconds)
{
    const long long w = wholeUnits(seconds);
    char text[64];
    if (w < 3600)
        std::snprintf(text, sizeof text, "%lld:%02lld", w / 60, w % 60);
    else
        std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", w / 3600, (w / 60) % 60, w % 60);
    return text;
}

std::string formatTimecode(double seconds)
{
    const double clamped = seconds >= 0 ? seconds : 0;
    const std::int64_t tenths = wholeUnits(clamped * 10);
    return formatTime(static_cast<double>(tenths / 10)) + "." + std::to_string(tenths % 10);
}

}  // namespace vt
