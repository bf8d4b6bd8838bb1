#include "model/TimedWord.h"

#include "model/TextEquality.h"
#include "platform/Hasher.h"
#include "platform/TextRules.h"

#include <algorithm>
#include <array>

namespace vt {

bool endsSentence(std::string_view wordText)
{
    static constexpr std::array<char32_t, 4> enders{U'.', U'?', U'!', U'\u2026'};
    std::u32string s = text::toUtf32(text::trimWhitespace(wordText));
    if (s.empty() || std::find(enders.begin(), enders.end(), s.back()) == enders.end()) return false;
    // The mark must be a character of its own, not the tail of a cluster
    // that began before it (only a few non-ASCII prefix characters join it).
    if (s.size() == 1 || s[s.size() - 2] < 0x80) return true;
    std::u32string_view before = std::u32string_view(s).substr(0, s.size() - 1);
    return text::characterCount(text::toUtf8(s)) == text::characterCount(text::toUtf8(before)) + 1;
}

bool operator==(const TimedWord& a, const TimedWord& b)
{
    return text::canonicallyEqual(a.text, b.text) && a.start == b.start && a.end == b.end
        && a.emphasized == b.emphasized && a.breakAfter == b.breakAfter
        && a.endsSentence == b.endsSentence && a.id == b.id && a.look == b.look
        && sameText(a.styleID, b.styleID);
}

}  // namespace vt

std::size_t std::hash<vt::TimedWord>::operator()(const vt::TimedWord& w) const noexcept
{
    return vt::Hasher()
        .add(w.text)
        .add(w.start)
        .add(w.end)
        .add(w.emphasized)
        .add(w.breakAfter)
        .add(w.endsSentence)
        .add(w.id)
        .add(w.look)
        .add(w.styleID)
        .value();
}
