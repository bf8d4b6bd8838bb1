#include "text/HookGenerator.h"

#include "model/Fillers.h"
#include "platform/LanguageModel.h"
#include "platform/TextRules.h"
#include "text/ModelPrompt.h"

#include <unicode/uchar.h>

#include <algorithm>
#include <array>

namespace vt {
namespace {

constexpr std::size_t kMaxWords = 14;
constexpr std::size_t kMaxHooks = 3;
constexpr std::size_t kMaxLines = 5;
constexpr const char* kInstructions =
    "You are a top short-form video editor. You write hooks: the short text shown in the first seconds of a vertical "
    "video that makes viewers stop scrolling. Every hook must be faithful to what the speaker actually says, under 10 "
    "words, punchy and specific. No hashtags, no emojis, no quotation marks, no numbering.";

constexpr std::array<std::string_view, 21> kPowerWords{
    "stop", "never", "secret", "mistake", "wrong", "why", "how", "best", "worst", "actually", "truth",
    "nobody", "everyone", "most people", "biggest", "only", "free", "fast", "easy", "simple", "don't"};

bool isSentenceEnd(char32_t c) { return c == U'.' || c == U'?' || c == U'!' || c == U'\u2026'; }

bool endsSentence(std::string_view wordText)
{
    const std::u32string trimmed = text::toUtf32(text::trimWhitespace(wordText));
    return !trimmed.empty() && isSentenceEnd(trimmed.back());
}

double lengthBonus(std::size_t n)
{
    if (n >= 5 && n <= 12) return 2.0;
    if (n <= 4 || (n >= 13 && n <= 16)) return 1.0;
    return 0.0;
}

std::string capitalised(const std::string& line)
{
    const std::u32string chars = text::toUtf32(line);
    if (chars.empty()) return line;
    return text::uppercased(text::toUtf8(chars.substr(0, 1))) + text::toUtf8(chars.substr(1));
}

bool isLineBreak(char32_t c)
{
    return c == U'\n' || c == U'\v' || c == U'\f' || c == U'\r' || c == U'\u0085' || c == U'\u2028' || c == U'\u2029';
}

// The characters a model puts before a line: list marks, numbers, blanks.
bool isLeadingMark(char32_t c)
{
    return u_isUWhiteSpace(static_cast<UChar32>(c)) || c == U'-' || c == U'*' || c == U'\u2022' || c == U'.' || c == U')' ||
           u_charType(static_cast<UChar32>(c)) == U_DECIMAL_DIGIT_NUMBER;
}

bool isEdgeQuote(char32_t c) { return c == U'"' || c == U'\u201C' || c == U'\u201D' || c == U'\'' || text::isWhitespace(c); }

}  // namespace

std::vector<std::string> HookGenerator::fromTranscript(const std::vector<Word>& words)
{
    std::vector<std::vector<std::string>> sentences(1);
    for (const Word& w : words) {
        if (w.deleted || Fillers::isFiller(w.text)) continue;
        sentences.back().push_back(w.text);
        if (endsSentence(w.text)) sentences.emplace_back();
    }

    struct Candidate {
        std::string text;
        double bonus = 0;
    };
    std::vector<Candidate> candidates;
    for (const auto& sentence : sentences) {
        const std::size_t n = sentence.size();
        if (n < 3) continue;
        std::string line;
        for (std::size_t i = 0; i < std::min(n, kMaxWords); ++i) line += (i ? " " : "") + sentence[i];
        if (n > kMaxWords) line += "\u2026";
        candidates.push_back({capitalised(line), lengthBonus(n)});
    }
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const Candidate& a, const Candidate& b) { return a.bonus > b.bonus; });

    std::vector<std::string> hooks;
    std::vector<std::string> seen;
    for (const Candidate& c : candidates) {
        if (std::find(seen.begin(), seen.end(), c.text) != seen.end()) continue;
        seen.push_back(c.text);
        if (hooks.size() < kMaxHooks) hooks.push_back(c.text);
    }
    return hooks;
}

double HookGenerator::pull(std::string_view line)
{
    const std::string lower = text::lowercased(line);
    double score = 0;
    if (lower.find("you") != std::string::npos) score += 1.5;
    if (line.find('?') != std::string_view::npos) score += 1.5;
    const std::u32string chars = text::toUtf32(line);
    if (std::any_of(chars.begin(), chars.end(),
                    [](char32_t c) { return u_charType(static_cast<UChar32>(c)) == U_DECIMAL_DIGIT_NUMBER; }))
        score += 1.2;
    const auto power = std::count_if(kPowerWords.begin(), kPowerWords.end(),
                                     [&](std::string_view w) { return lower.find(w) != std::string::npos; });
    score += static_cast<double>(std::min<std::ptrdiff_t>(power, 3));
    return score;
}

std::vector<std::string> HookGenerator::aiHooks(const std::string& transcript)
{
    if (!LanguageModel::availability().available) throw Unavailable();
    const std::string prompt =
        "Transcript:\n" + ModelPrompt::transcript(transcript) + "\n\nWrite 5 different hooks for this video, one per line.";
    return parseLines(LanguageModel::respond(kInstructions, prompt));
}

HookGenerator::Status HookGenerator::aiStatus()
{
    const LanguageModel::Availability model = LanguageModel::availability();
    if (model.available) return {true, "On-device language model \u00b7 on this computer"};
    switch (model.reason) {
    case LanguageModel::Unavailable::deviceNotEligible: return {false, Unavailable().what()};
    case LanguageModel::Unavailable::notEnabled: return {false, "Turn on the on-device language model in the settings to use AI Rewrites."};
    case LanguageModel::Unavailable::modelNotReady: return {false, "The on-device language model is still downloading."};
    case LanguageModel::Unavailable::other: break;
    }
    return {false, "The on-device language model is unavailable."};
}

std::vector<std::string> HookGenerator::parseLines(std::string_view reply)
{
    std::vector<std::u32string> pieces(1);
    for (char32_t c : text::toUtf32(reply)) {
        if (isLineBreak(c)) pieces.emplace_back();
        else pieces.back().push_back(c);
    }
    std::vector<std::string> lines;
    for (std::u32string& piece : pieces) {
        if (piece.empty()) continue;
        std::size_t from = 0;
        while (from < piece.size() && isLeadingMark(piece[from])) ++from;
        std::size_t to = piece.size();
        while (to > from && isEdgeQuote(piece[to - 1])) --to;
        while (from < to && isEdgeQuote(piece[from])) ++from;
        const std::string line = text::toUtf8(piece.substr(from, to - from));
        if (text::characterCount(line) > 2) lines.push_back(line);
        if (lines.size() == kMaxLines) break;
    }
    return lines;
}

}  // namespace vt
