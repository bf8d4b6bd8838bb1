#include "CaptionLines.h"

namespace vt::test {

CaptionGroup captionLine(const std::vector<std::string>& words, double start, int index)
{
    CaptionGroup group;
    double t = start;
    for (const auto& text : words) {
        TimedWord w;
        w.text = text;
        w.start = t;
        w.end = t + 0.3;
        group.words.push_back(w);
        t += 0.3;
    }
    group.start = start;
    group.end = (group.words.empty() ? start : group.words.back().end) + 0.5;
    group.index = index;
    return group;
}

}  // namespace vt::test
