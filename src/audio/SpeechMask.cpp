#include "audio/SpeechMask.h"

namespace vt {

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
