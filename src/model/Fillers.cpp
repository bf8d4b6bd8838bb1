#include "model/Fillers.h"

#include "platform/TextRules.h"

namespace vt::Fillers {

const std::unordered_set<std::string>& words()
{
    static const std::unordered_set<std::string> set{
        "um", "umm", "uhm", "uh", "uhh", "erm", "er", "ah", "ahh", "hmm", "hm", "mm", "mhm", "eh",
    };
    return set;
}

bool isFiller(std::string_view t)
{
    std::u32string s = text::toUtf32(text::lowercased(t));
    auto trimmed = [](char32_t c) { return text::isPunctuation(c) || text::isWhitespace(c); };
    std::size_t first = 0;
    std::size_t last = s.size();
    while (first < last && trimmed(s[first])) ++first;
    while (last > first && trimmed(s[last - 1])) --last;
    // The set's keys are canonical, so the trimmed text is looked up in that form.
    return words().contains(text::canonical(text::toUtf8(std::u32string_view(s).substr(first, last - first))));
}

}  // namespace vt::Fillers
