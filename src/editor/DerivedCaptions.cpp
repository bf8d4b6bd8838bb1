#include "editor/DerivedCaptions.h"

#include "platform/TextRules.h"
#include "speech/Transliterator.h"

#include <algorithm>
#include <cmath>

namespace vt::DerivedCaptions {

namespace {

// A code point of the Indic blocks, U+0900 to U+0D7F.
bool hasIndicScalar(const std::string& text)
{
    for (std::size_t i = 0; i + 2 < text.size(); ++i) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead != 0xE0) continue;
        const auto next = static_cast<unsigned char>(text[i + 1]);
        // U+0900…U+0D7F encode as E0 A4 80 … E0 B5 BF.
        if (next >= 0xA4 && next <= 0xB5) return true;
    }
    return false;
}

}  // namespace

std::optional<std::vector<Word>> captionWords(const std::vector<Word>& transcript, CaptionScript script)
{
    if (script != CaptionScript::latin) {
        std::vector<Word> out = transcript;
        for (Word& w : out)
            if (w.native) w.text = Transliterator::display(*w.native, w.text, script);
        return out;
    }
    const bool unromanised = std::any_of(transcript.begin(), transcript.end(), [](const Word& w) {
        return w.native && text::canonicallyEqual(*w.native, w.text);
    });
    if (!unromanised) return std::nullopt;
    std::vector<Word> out = transcript;
    for (Word& w : out)
        if (hasIndicScalar(w.text)) w.text = Transliterator::romanize(w.text);
    return out;
}

bool keptByPlan(const EditPlan& plan, const Word& word, std::size_t& hint)
{
    const double mid = (word.start + word.end) * 0.5;
    // A midpoint that is not a number lies in no segment (the plan's own
    // search would take it as 0).
    if (std::isnan(mid)) return false;
    const std::size_t i = plan.segmentAfter(mid, hint);
    return i < plan.segments.size() && plan.segments[i].sourceStart <= mid;
}

TimedWord voiceTimedWord(const Word& w, bool endsSentence)
{
    std::optional<WordLook> look;
    if (w.look && !w.look->isDefault()) look = w.look;
    return {w.text, w.start, std::max(w.end, w.start + 0.05), w.emphasized, w.breakAfter,
            endsSentence, w.id, std::move(look), w.styleID};
}

std::vector<Paragraph> paragraphs(const std::vector<Word>& words)
{
    std::vector<WordMeasures::Measure> measures;
    measures.reserve(words.size());
    for (const Word& w : words) measures.push_back(WordMeasures::measure(w.text));
    return paragraphs(words, measures);
}

std::vector<Paragraph> paragraphs(const std::vector<Word>& words, const std::vector<WordMeasures::Measure>& measures)
{
    std::vector<Paragraph> out;
    std::size_t first = 0;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::size_t n = i - first + 1;
        const bool last = i + 1 == words.size();
        const bool gap = !last && words[i + 1].start - words[i].end > 2.0;
        const bool close = last || gap || n >= 60 || (n >= 28 && measures[i].endsSentence);
        if (!close) continue;
        out.emplace_back(words[first].id, Paragraph::Range{first, i + 1});
        first = i + 1;
    }
    return out;
}

}  // namespace vt::DerivedCaptions
