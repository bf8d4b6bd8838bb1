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
    // A small negative value that rounds to zero reads as zero: "-0.0" would
    // tell the user of a sign that nothing shown carries.
    const bool zero = std::all_of(digits, end, [](char c) { return c == '-' || c == '0' || c == '.'; });
    const char* start = zero && digits[0] == '-' ? digits + 1 : digits;
    return QString::fromLatin1(start, end - start);
}

QString signedFixedText(double value, int decimals)
{
    const QString text = fixedText(value, decimals);
    return text.startsWith(QLatin1Char('-')) || std::isnan(value) ? text : QLatin1Char('+') + text;
}

}  // namespace vt
