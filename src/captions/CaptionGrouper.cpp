#include "captions/CaptionGrouper.h"

#include "platform/TextRules.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <stdexcept>

namespace vt::CaptionGrouper {

namespace {

constexpr double kDefaultPauseBreak = 0.7;  // seconds of silence that end a line
constexpr std::int64_t kCharactersPerWord = 9;
constexpr double kLinger = 0.5;       // seconds a line stays after its last word
constexpr double kMinimumShow = 0.35;  // seconds a line is always shown

// Numbers the groups and sets each one's display end: its own end, plus
// `linger`, but not past the next line's start, and never under kMinimumShow.
// Only the groups from `from` on are settled, numbered from 0 there.
void settleEnds(std::vector<CaptionGroup>& out, std::size_t from, double linger)
{
    for (std::size_t i = from; i < out.size(); ++i) {
        CaptionGroup& g = out[i];
        g.index = static_cast<int>(i - from);
        double next = i + 1 < out.size() ? out[i + 1].start : std::numeric_limits<double>::infinity();
        g.end = std::max(g.start + kMinimumShow, std::min(g.end + linger, next));
    }
}

// Groups words[first, last) with one look, appending to `out` before
// `settleEnds` runs; the 0.5 s linger is applied over just these groups.
// `characters` holds each word's character count, or is empty to count them here.
void groupRun(const std::vector<TimedWord>& words, std::size_t first, std::size_t last, const CaptionStyle& style,
              std::span<const std::size_t> characters, std::vector<CaptionGroup>& out)
{
    const std::int64_t n = std::max<std::int64_t>(style.maxWordsPerGroup, 1);
    const std::int64_t budget = n > std::numeric_limits<std::int64_t>::max() / kCharactersPerWord
                                    ? std::numeric_limits<std::int64_t>::max()
                                    : kCharactersPerWord * n;
    const double pause = style.pauseBreak.value_or(kDefaultPauseBreak);

    const std::size_t from = out.size();
    std::size_t lineStart = first;  // the current line is words[lineStart, i]
    std::int64_t count = 0;
    auto close = [&](std::size_t end) {
        CaptionGroup line;
        line.words.assign(words.begin() + static_cast<std::ptrdiff_t>(lineStart),
                          words.begin() + static_cast<std::ptrdiff_t>(end));
        line.start = line.words.front().start;
        line.end = line.words.back().end;
        out.push_back(std::move(line));
        lineStart = end;
        count = 0;
    };
    for (std::size_t i = first; i < last; ++i) {
        const TimedWord& w = words[i];
        // Counted word by word: the line's text is its words joined without spaces.
        count += static_cast<std::int64_t>(characters.empty() ? text::characterCount(w.text) : characters[i]);
        bool full = static_cast<std::int64_t>(i + 1 - lineStart) >= n || count >= budget;
        bool pauseAfter = i + 1 < last && words[i + 1].start - w.end >= pause;
        if (full || w.endsSentence || w.breakAfter || pauseAfter) close(i + 1);
    }
    if (lineStart < last) close(last);
    settleEnds(out, from, kLinger);
}

// The run key of a word: the table's entry for its styleID, or none. Ids match
// by canonical equivalence, like every text key, so two words share a run
// exactly when they point at the same entry.
const std::string* runKey(const TimedWord& w, const std::map<std::string, CaptionStyle>& styles)
{
    if (!w.styleID) return nullptr;
    if (auto it = styles.find(*w.styleID); it != styles.end()) return &it->first;
    for (const auto& entry : styles)
        if (text::canonicallyEqual(entry.first, *w.styleID)) return &entry.first;
    return nullptr;
}

std::vector<CaptionGroup> groupsCounted(const std::vector<TimedWord>& words, const CaptionStyle& style,
                                        std::span<const std::size_t> characters)
{
    std::vector<CaptionGroup> out;
    if (!words.empty()) groupRun(words, 0, words.size(), style, characters, out);
    return out;
}

std::vector<CaptionGroup> groupsCounted(const std::vector<TimedWord>& words, const CaptionStyle& style,
                                        const std::map<std::string, CaptionStyle>& styles,
                                        std::span<const std::size_t> characters)
{
    bool anyKey = !styles.empty() && std::any_of(words.begin(), words.end(), [&](const TimedWord& w) {
        return runKey(w, styles) != nullptr;
    });
    if (!anyKey) return groupsCounted(words, style, characters);

    std::vector<CaptionGroup> out;
    std::size_t first = 0;
    while (first < words.size()) {
        const std::string* key = runKey(words[first], styles);
        std::size_t last = first + 1;
        while (last < words.size() && runKey(words[last], styles) == key) ++last;

        std::size_t from = out.size();
        groupRun(words, first, last, key ? styles.at(*key) : style, characters, out);
        for (std::size_t i = from; i < out.size(); ++i)
            if (key) out[i].styleID = *key;
        first = last;
    }
    // Only trims a line that now runs into the first line of the next run.
    settleEnds(out, 0, 0);
    return out;
}

}  // namespace

std::vector<CaptionGroup> groups(const std::vector<TimedWord>& words, const CaptionStyle& style)
{
    return groupsCounted(words, style, {});
}

std::vector<CaptionGroup> groups(const std::vector<TimedWord>& words, const CaptionStyle& style,
                                 const std::map<std::string, CaptionStyle>& styles)
{
    return groupsCounted(words, style, styles, {});
}

std::vector<CaptionGroup> groups(const std::vector<TimedWord>& words, const CaptionStyle& style,
                                 const std::map<std::string, CaptionStyle>& styles,
                                 std::span<const std::size_t> characters)
{
    if (characters.size() != words.size()) throw std::invalid_argument("one character count per word");
    return groupsCounted(words, style, styles, characters);
}

const CaptionGroup* groupAt(double time, const std::vector<CaptionGroup>& groups)
{
    std::ptrdiff_t lo = 0;
    std::ptrdiff_t hi = static_cast<std::ptrdiff_t>(groups.size()) - 1;
    while (lo <= hi) {
        std::ptrdiff_t mid = (lo + hi) / 2;
        const CaptionGroup& g = groups[static_cast<std::size_t>(mid)];
        if (g.start > time)
            hi = mid - 1;
        else if (g.end > time)
            return &g;
        else
            lo = mid + 1;
    }
    return nullptr;
}

}  // namespace vt::CaptionGrouper
