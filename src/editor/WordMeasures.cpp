#include "editor/WordMeasures.h"

#include "model/Fillers.h"
#include "model/TimedWord.h"
#include "platform/TextRules.h"

namespace vt {

WordMeasures::Measure WordMeasures::measure(const std::string& text)
{
    return {text::characterCount(text), endsSentence(text), Fillers::isFiller(text)};
}

const std::vector<WordMeasures::Measure>& WordMeasures::of(const std::vector<Word>& words)
{
    // Texts typed in and dropped again would pile up over a long session;
    // past a few times the words' own count the table starts over.
    if (byText_.size() > 4 * words.size() + 1024) byText_.clear();
    const std::size_t known = texts_.size();
    texts_.resize(words.size());
    measures_.resize(words.size());
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& text = words[i].text;
        if (i < known && texts_[i] == text) continue;  // the usual case: the word kept its text
        auto [entry, fresh] = byText_.try_emplace(text);
        if (fresh) entry->second = measure(text);
        texts_[i] = text;
        measures_[i] = entry->second;
    }
    return measures_;
}

}  // namespace vt
