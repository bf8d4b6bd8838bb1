#pragma once
// What a word's text alone decides, for the derivation the editor repeats
// after every edit: how many user-perceived characters it has (the caption
// lines' budget), whether it ends a sentence (caption lines and
// paragraphs) and whether it is a filler (the figures the menus and panels
// show after every change). Measuring them takes Unicode segmentation, far dearer than
// the rest of a derivation, so each word list keeps its measures per
// position, checked against the text they were taken from, and behind that
// per distinct text: an edit measures only the texts it brought in.
//
// Main thread (one per derivation input); not thread-safe.

#include "model/Word.h"

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

namespace vt {

class WordMeasures {
public:
    struct Measure {
        std::size_t characters = 0;  // text::characterCount
        bool endsSentence = false;   // vt::endsSentence
        bool filler = false;         // Fillers::isFiller
        friend bool operator==(const Measure&, const Measure&) = default;
    };

    // The measures of every word's text, in the words' order; valid until
    // the next call.
    const std::vector<Measure>& of(const std::vector<Word>& words);

    // The same measures taken afresh, with no cache (what `of` must equal).
    static Measure measure(const std::string& text);

private:
    std::vector<std::string> texts_;  // the text each position was measured for
    std::vector<Measure> measures_;
    std::unordered_map<std::string, Measure> byText_;
};

}  // namespace vt
