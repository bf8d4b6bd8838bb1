#include "editor/WordTokens.h"

#include "platform/TextRules.h"

#include <algorithm>

namespace vt::WordTokens {

namespace {

// Unicode white space: the space separators and tabs of the shared rules,
// plus the line and paragraph breaks they leave out.
bool isBreakingSpace(char32_t c)
{
    return text::isWhitespace(c) || c == U'\n' || c == U'\r' || c == U'\v' || c == U'\f' || c == U'\u0085'
        || c == U'\u2028' || c == U'\u2029';
}

}  // namespace

std::vector<std::string> split(std::string_view text)
{
    std::vector<std::string> parts;
    const std::u32string s = text::toUtf32(text);
    std::size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && isBreakingSpace(s[i])) ++i;
        std::size_t end = i;
        while (end < s.size() && !isBreakingSpace(s[end])) ++end;
        if (end > i) parts.push_back(text::toUtf8(std::u32string_view(s).substr(i, end - i)));
        i = end;
    }
    return parts;
}

std::string key(std::string_view text)
{
    const std::u32string s = text::toUtf32(text::lowercased(text));
    auto trimmed = [](char32_t c) { return isBreakingSpace(c) || text::isPunctuation(c); };
    std::size_t first = 0, last = s.size();
    while (first < last && trimmed(s[first])) ++first;
    while (last > first && trimmed(s[last - 1])) --last;
    return text::toUtf8(std::u32string_view(s).substr(first, last - first));
}

std::vector<std::pair<double, double>> spread(double start, double span, const std::vector<std::string>& texts)
{
    std::vector<double> weights;
    weights.reserve(texts.size());
    double total = 0;
    for (const std::string& t : texts) {
        weights.push_back(static_cast<double>(std::max<std::size_t>(text::characterCount(t), 1)));
        total += weights.back();
    }
    std::vector<std::pair<double, double>> times;
    times.reserve(texts.size());
    double at = start;
    for (double w : weights) {
        const double end = at + span * w / total;
        times.emplace_back(at, end);
        at = end;
    }
    return times;
}

}  // namespace vt::WordTokens
