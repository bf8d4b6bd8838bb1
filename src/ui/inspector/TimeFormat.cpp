#include "ui/inspector/TimeFormat.h"

#include <cmath>
#include <cstdint>

namespace vt::ui {

namespace {

// Finite values below 2^63 are valid; anything larger reads as that bound.
std::int64_t wholeUnits(double value)
{
    const double clamped = value >= 0 ? value : 0;
    return clamped < 9.2e18 ? static_cast<std::int64_t>(std::floor(clamped)) : INT64_MAX;
}

}  // namespace

QString formatTime(double seconds)
{
    const std::int64_t w = wholeUnits(seconds);
    if (w < 3600) return QString::asprintf("%lld:%02lld", static_cast<long long>(w / 60), static_cast<long long>(w % 60));
    return QString::asprintf("%lld:%02lld:%02lld", static_cast<long long>(w / 3600),
                             static_cast<long long>((w / 60) % 60), static_cast<long long>(w % 60));
}

QString formatTimecode(double seconds)
{
    const double clamped = seconds >= 0 ? seconds : 0;
    const std::int64_t tenths = wholeUnits(clamped * 10);
    return formatTime(static_cast<double>(tenths / 10)) + "." + QString::number(tenths % 10);
}

}  // namespace vt::ui
