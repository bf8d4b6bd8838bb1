#include "audio/SpeechMask.h"

#include <algorithm>

namespace vt {

SpeechMask SpeechMask::make(std::vector<ClosedRange<double>> ranges)
{
    std::stable_sort(ranges.begin(), ranges.end(), [](const auto& a, const auto& b) { return a.lower < b.lower; });
    SpeechMask mask;
    for (const auto& r : ranges) {
        if (!mask.ranges.empty() && r.lower <= mask.ranges.back().upper)
            mask.ranges.back().upper = std::max(mask.ranges.back().upper, r.upper);
        else
            mask.ranges.push_back(r);
    }
    return mask;
}

bool SpeechMask::contains(double t, double margin) const
{
    std::ptrdiff_t low = 0;
    std::ptrdiff_t high = static_cast<std::ptrdiff_t>(ranges.size()) - 1;
    while (low <= high) {
        const std::ptrdiff_t mid = (low + high) / 2;
        const auto& r = ranges[static_cast<std::size_t>(mid)];
        if (t < r.lower - margin)
            high = mid - 1;
        else if (t > r.upper + margin)
            low = mid + 1;
        else
            return true;
    }
    return false;
}

}  // namespace vt
