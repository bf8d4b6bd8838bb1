#include "ui/theme/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace vt {

QString fixedText(double value, int decimals)
{
    char digits[400];
    const auto [end, error] =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, std::clamp(decimals, 0, 17));
    if (error != std::errc()) return QString::number(value, 'g', 17);  // only past 1e380, which no double reaches
    return QString::fromLatin1(digits, end - digits);
}

QString signedFixedText(double value, int decimals)
{
    const QString text = fixedText(value, decimals);
    return std::signbit(value) || std::isnan(value) ? text : QLatin1Char('+') + text;
}

}  // namespace vt
