#include "text/CaptionTranslator.h"

#include "platform/TextRules.h"
#include "speech/Transliterator.h"

#include <unicode/locid.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace vt {
namespace {

constexpr double kMaxGap = 0.7;      // seconds between words inside one chunk
constexpr double kShortestSpan = 0.1;
constexpr char32_t kDanda = U'\u0964';

bool isSentenceEnd(char32_t c) { return c == U'.' || c == U'?' || c == U'!' || c == U'\u2026'; }

bool endsWithSentenceEnd(std::string_view s)
{
    const std::u32string chars = text::toUtf32(text::trimWhitespace(s));
    return !chars.empty() && isSentenceEnd(chars.back());
}

bool endsWithDanda(const Word& w)
{
    const std::u32string chars = text::toUtf32(text::trimWhitespace(w.native.value_or(w.text)));
    return !chars.empty() && chars.back() == kDanda;
}

bool closesSentence(const Word& w) { return endsWithSentenceEnd(w.text) || endsWithDanda(w); }

std::vector<std::string> splitAtWhitespace(const std::string& s)
{
    std::vector<std::string> pieces(1);
    for (char32_t c : text::toUtf32(s)) {
        if (text::isWhitespace(c) || c == U'\n' || c == U'\r' || c == U'\v' || c == U'\f' || c == U'\u0085' ||
            c == U'\u2028' || c == U'\u2029') {
            if (!pieces.back().empty()) pieces.emplace_back();
        } else {
            pieces.back() += text::toUtf8(std::u32string(1, c));
        }
    }
    if (pieces.back().empty()) pieces.pop_back();
    return pieces;
}

}  // namespace

std::optional<std::string> CaptionTranslator::sourceLanguage(const std::string& localeID)
{
    constexpr std::string_view prefix = "whisper:";
    if (localeID.starts_with(prefix)) {
        const std::string rest = localeID.substr(prefix.size());
        if (rest == "hinglish" || rest == "hindi") return "hi";
        if (rest == "auto") return std::nullopt;
        std::size_t from = 0;
        while (from < rest.size() && rest[from] == '-') ++from;
        if (from == rest.size()) return std::nullopt;
        return rest.substr(from, rest.find('-', from) - from);
    }
    std::string id = localeID;
    std::replace(id.begin(), id.end(), '-', '_');
    const std::string language = icu::Locale(id.c_str()).getLanguage();
    if (language.empty()) return std::nullopt;
    return language;
}

bool CaptionTranslator::needsOriginalScript(const std::vector<Word>& words, const std::string& localeID)
{
    if (sourceLanguage(localeID) != "hi") return false;
    return std::none_of(words.begin(), words.end(),
                        [](const Word& w) { return w.native.has_value() || Transliterator::containsIndic(w.text); });
}

std::string CaptionTranslator::basis(const std::vector<Word>& words, bool trimPauses, double maxPause)
{
    std::vector<std::string> deleted;
    for (const Word& w : words)
        if (w.deleted) deleted.push_back(w.id.text());
    std::sort(deleted.begin(), deleted.end());
    std::string joined;
    for (std::size_t i = 0; i < deleted.size(); ++i) joined += (i ? "," : "") + deleted[i];
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (unsigned char byte : joined) {
        hash ^= byte;
        hash *= 0x100000001b3ULL;
    }
    char hex[32];
    std::snprintf(hex, sizeof hex, "%llx", static_cast<unsigned long long>(hash));
    char pause[64] = "-";
    if (trimPauses) std::snprintf(pause, sizeof pause, "%.2f", maxPause);
    return std::to_string(words.size()) + "|" + hex + "|" + pause;
}

std::vector<CaptionTranslator::Chunk> CaptionTranslator::chunks(const std::vector<Word>& words,
                                                                 const std::function<bool(double)>& isKept,
                                                                 int maxWords, double maxDuration)
{
    std::vector<Chunk> out;
    std::vector<const Word*> current;
    auto close = [&] {
        if (current.empty()) return;
        Chunk chunk;
        for (std::size_t i = 0; i < current.size(); ++i)
            chunk.text += (i ? " " : "") + current[i]->native.value_or(current[i]->text);
        chunk.start = current.front()->start;
        chunk.end = current.back()->end;
        chunk.endsSentence = closesSentence(*current.back());
        out.push_back(std::move(chunk));
        current.clear();
    };
    for (const Word& w : words) {
        if (w.deleted || !isKept((w.start + w.end) / 2)) {
            close();
            continue;
        }
        if (!current.empty() && w.start - current.back()->end > kMaxGap) close();
        current.push_back(&w);
        if (closesSentence(w) || int(current.size()) >= maxWords || w.end - current.front()->start >= maxDuration) close();
    }
    close();
    return out;
}

std::vector<Word> CaptionTranslator::words(const std::vector<Chunk>& chunks, const std::vector<std::string>& translations)
{
    std::vector<Word> out;
    for (std::size_t i = 0; i < std::min(chunks.size(), translations.size()); ++i) {
        const Chunk& chunk = chunks[i];
        std::vector<std::string> pieces = splitAtWhitespace(translations[i]);
        if (pieces.empty()) continue;
        if (chunk.endsSentence && !endsWithSentenceEnd(pieces.back())) pieces.back() += ".";
        double total = 0;
        for (const std::string& p : pieces) total += double(text::characterCount(p) + 2);
        const double span = std::max(chunk.end - chunk.start, kShortestSpan);
        double t = chunk.start;
        for (std::size_t k = 0; k < pieces.size(); ++k) {
            Word w;
            w.id = Uuid::random();
            w.text = pieces[k];
            w.start = t;
            t += span * double(text::characterCount(pieces[k]) + 2) / total;
            w.end = k + 1 == pieces.size() ? chunk.end : t;
            out.push_back(std::move(w));
        }
    }
    return out;
}

}  // namespace vt
