#include "text/ClipFinder.h"

#include "platform/TextRules.h"
#include "text/HookGenerator.h"
#include "text/PostCopyWriter.h"

#include <unicode/uchar.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace vt {
namespace {

constexpr double kSentenceGap = 0.9;    // seconds of silence that end a sentence
constexpr std::size_t kSentenceWords = 30;
constexpr double kLeadIn = 0.15;        // seconds before the first word
constexpr double kTail = 0.25;          // seconds after the last word
constexpr double kPause = 1.2;          // seconds between kept words that count as a pause
constexpr std::size_t kTitleLimit = 80;
constexpr std::size_t kMaxReasons = 3;

bool isSentenceEnd(char32_t c) { return c == U'.' || c == U'?' || c == U'!' || c == U'\u2026'; }

bool hasDigit(std::string_view s)
{
    const std::u32string chars = text::toUtf32(s);
    return std::any_of(chars.begin(), chars.end(), [](char32_t c) { return u_charType(UChar32(c)) == U_DECIMAL_DIGIT_NUMBER; });
}

// The first word, lower-cased, letters only.
std::string firstWord(const std::string& sentence)
{
    std::size_t from = sentence.find_first_not_of(' ');
    if (from == std::string::npos) return {};
    const std::string piece = sentence.substr(from, sentence.find(' ', from) - from);
    std::u32string letters;
    for (char32_t c : text::toUtf32(text::lowercased(piece)))
        if (u_hasBinaryProperty(UChar32(c), UCHAR_ALPHABETIC)) letters += c;
    return text::toUtf8(letters);
}

bool talksToYou(const std::string& sentence)
{
    const std::string lower = text::lowercased(sentence);
    std::size_t from = 0;
    while (from <= lower.size()) {
        const std::size_t to = std::min(lower.find(' ', from), lower.size());
        const std::string_view w(lower.data() + from, to - from);
        if (w.starts_with("you") || w == "aap" || w == "tum") return true;
        from = to + 1;
    }
    return false;
}

std::string titleOf(const std::string& sentence)
{
    const std::string trimmed = text::trimWhitespace(sentence);
    const std::u32string chars = text::toUtf32(trimmed);
    std::string title = chars.empty() ? std::string() : text::uppercased(text::toUtf8(chars.substr(0, 1))) + text::toUtf8(chars.substr(1));
    if (text::characterCount(title) > kTitleLimit)
        title = PostCopyWriter::clauseCut(title, int(kTitleLimit)).value_or(PostCopyWriter::fit(title, int(kTitleLimit)));
    return title;
}

double windowMean(const std::vector<float>& curve, std::size_t a, std::size_t b)
{
    float sum = 0;
    for (std::size_t k = a; k < b; ++k) sum += curve[k];
    return double(sum) / double(b - a);
}

}  // namespace

std::string ClipFinder::Clip::id() const
{
    return std::to_string(static_cast<std::int64_t>(start * 100)) + "-" + std::to_string(static_cast<std::int64_t>(end * 100));
}

std::string_view ClipFinder::rawValue(Length length)
{
    switch (length) {
    case Length::short_: return "15\u201330 s";
    case Length::medium: return "30\u201360 s";
    case Length::long_: break;
    }
    return "60\u201390 s";
}

double ClipFinder::shortest(Length length)
{
    constexpr double table[] = {15, 30, 60};
    return table[int(length)];
}

double ClipFinder::longest(Length length)
{
    constexpr double table[] = {30, 60, 90};
    return table[int(length)];
}

const std::set<std::string>& ClipFinder::connectors()
{
    static const std::set<std::string> words{"and", "but", "so", "because", "or", "also", "then", "which", "that", "plus",
                                             "anyway", "aur", "lekin", "par", "toh", "to", "phir", "fir", "kyunki", "isliye",
                                             "ki", "ya", "bhi"};
    return words;
}

std::vector<ClipFinder::Sentence> ClipFinder::sentences(const std::vector<Word>& words)
{
    std::vector<Sentence> out;
    std::vector<int> current;
    auto flush = [&] {
        if (current.empty()) return;
        Sentence s{current.front(), current.back(), words[std::size_t(current.front())].start,
                   words[std::size_t(current.back())].end, {}};
        for (std::size_t i = 0; i < current.size(); ++i) s.text += (i ? " " : "") + words[std::size_t(current[i])].text;
        out.push_back(std::move(s));
        current.clear();
    };
    for (std::size_t i = 0; i < words.size(); ++i) {
        const Word& w = words[i];
        if (w.deleted) continue;
        if (!current.empty() && w.start - words[std::size_t(current.back())].end > kSentenceGap) flush();
        current.push_back(int(i));
        const std::u32string trimmed = text::toUtf32(text::trimWhitespace(w.text));
        if ((!trimmed.empty() && isSentenceEnd(trimmed.back())) || w.text.ends_with("\u0964") || current.size() >= kSentenceWords)
            flush();
    }
    flush();
    return out;
}

std::pair<double, std::vector<std::string>> ClipFinder::score(const std::vector<Sentence>& run, const std::vector<Word>& words,
                                                             std::pair<double, double> span, const std::vector<float>& loudness,
                                                             double average)
{
    if (run.empty()) return {0, {}};
    const Sentence& F = run.front();
    const Sentence& L = run.back();
    const double duration = L.end - F.start;
    std::vector<const Word*> kept;
    for (int i = F.first; i <= L.last; ++i)
        if (!words[std::size_t(i)].deleted) kept.push_back(&words[std::size_t(i)]);

    const double opening = HookGenerator::pull(F.text);
    double raw = 1.2 * opening;
    const int firstSpan = F.last - F.first + 1;
    if (firstSpan >= 4 && firstSpan <= 14) raw += 1;

    const std::u32string lastText = text::toUtf32(words[std::size_t(L.last)].text);
    const char32_t lastChar = lastText.empty() ? U' ' : lastText.back();
    const bool endsOnPoint = lastChar == U'.' || lastChar == U'!' || lastChar == U'\u2026' || lastChar == U'\u0964';
    raw += endsOnPoint ? 1 : lastChar == U'?' ? 0.3 : -0.8;
    if (run.size() > 1 && L.last - L.first + 1 <= 10) raw += 0.4;

    const double rate = double(kept.size()) / std::max(duration, 1.0);
    const bool fast = rate >= 2.3;
    raw += fast ? 1 : rate < 1.6 ? -1 : 0;

    int pauses = 0;
    for (std::size_t k = 1; k < kept.size(); ++k)
        if (kept[k]->start - kept[k - 1]->end > kPause) ++pauses;
    raw -= std::min(0.5 * pauses, 2.0);

    double pulls = 0;
    for (const Sentence& s : run) pulls += HookGenerator::pull(s.text);
    raw += 0.5 * pulls / double(run.size());

    bool energetic = false;
    if (average > 0) {
        const std::size_t a = std::size_t(std::max(0.0, std::floor(F.start * 50)));
        const std::size_t b = std::min(loudness.size(), std::size_t(std::max(0.0, std::floor(L.end * 50))));
        if (a < b) {
            const double mean = windowMean(loudness, a, b);
            if (mean > 1.12 * average) raw += 1, energetic = true;
            else if (mean < 0.8 * average) raw -= 0.5;
        }
    }
    const auto [lo, hi] = span;
    raw += 0.6 * std::max(0.0, 1 - std::abs(duration - (lo + hi) / 2) / ((hi - lo) / 2));

    std::vector<std::string> reasons;
    if (F.text.find('?') != std::string::npos) reasons.push_back("Opens with a question");
    else if (opening >= 2.5) reasons.push_back("Strong opening");
    if (talksToYou(F.text)) reasons.push_back("Talks to you");
    if (hasDigit(F.text)) reasons.push_back("Numbers");
    if (endsOnPoint) reasons.push_back("Ends on a point");
    if (fast) reasons.push_back("Fast-paced");
    if (energetic) reasons.push_back("High energy");
    if (reasons.size() > kMaxReasons) reasons.resize(kMaxReasons);
    return {raw, reasons};
}

int ClipFinder::scaled(double raw) { return int(std::lround(100 / (1 + std::exp(-(raw - 3.2) / 1.6)))); }

std::vector<ClipFinder::Clip> ClipFinder::find(const std::vector<Word>& words, Length length, const std::vector<float>& loudness,
                                               int maxClips, double mediaEnd)
{
    const std::vector<Sentence> all = sentences(words);
    if (all.empty()) return {};
    float sum = 0;
    for (float v : loudness) sum += v;
    const double average = loudness.empty() ? 0 : double(sum) / double(loudness.size());
    const double lo = shortest(length), hi = longest(length);

    struct Candidate {
        Clip clip;
        double raw = 0;
    };
    std::vector<Candidate> candidates;
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (connectors().contains(firstWord(all[i].text))) continue;
        for (std::size_t j = i; j < all.size(); ++j) {
            const double d = all[j].end - all[i].start;
            if (d > hi) break;
            if (d < lo) continue;
            const std::vector<Sentence> run(all.begin() + std::ptrdiff_t(i), all.begin() + std::ptrdiff_t(j + 1));
            auto [raw, reasons] = score(run, words, {lo, hi}, loudness, average);
            Clip clip;
            clip.start = std::max(0.0, all[i].start - kLeadIn);
            // A clip never runs past the end of its media.
            clip.end = std::max(clip.start, std::min(all[j].end + kTail, mediaEnd));
            clip.title = titleOf(all[i].text);
            clip.reasons = std::move(reasons);
            candidates.push_back({std::move(clip), raw});
        }
    }
    std::stable_sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) { return a.raw > b.raw; });

    std::vector<Clip> picked;
    for (Candidate& c : candidates) {
        if (int(picked.size()) >= maxClips) break;
        const bool overlaps = std::any_of(picked.begin(), picked.end(),
                                          [&](const Clip& p) { return c.clip.start < p.end && p.start < c.clip.end; });
        if (overlaps) continue;
        c.clip.score = scaled(c.raw);
        picked.push_back(std::move(c.clip));
    }
    return picked;
}

}  // namespace vt
