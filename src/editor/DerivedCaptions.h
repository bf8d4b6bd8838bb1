#pragma once
// The pure rules behind the editor's derived caption state: which words the
// captions show and in what writing, which words survive the cut, how voice
// words are timed and how the transcript falls into paragraphs. Main thread
// or any other; no state.

#include "editor/WordMeasures.h"
#include "model/EditPlan.h"
#include "model/Paragraph.h"
#include "model/TimedWord.h"
#include "model/Word.h"
#include "speech/CaptionScript.h"

#include <optional>
#include <vector>

namespace vt::DerivedCaptions {

// The transcript with each word's text in the caption script; ids, times and
// flags unchanged. Absent when the captions show the transcript as it is.
// - Another script than Latin: words with native-script text show it in
//   that script.
// - Latin, when some word's native text equals its text (not romanised
//   yet): words with Indic characters are romanised piece by piece between
//   spaces.
std::optional<std::vector<Word>> captionWords(const std::vector<Word>& transcript, CaptionScript script);

// True when the word's midpoint lies in a kept segment (start included, end
// excluded). A plan without segments keeps nothing. `hint` is as for
// EditPlan::segmentAfter: one per walk over words in spoken order.
bool keptByPlan(const EditPlan& plan, const Word& word, std::size_t& hint);

// Voiceover words are timed in output seconds already: the timed word of one
// voiceover word lasts at least 0.05 s; `endsSentence` tells of its text.
TimedWord voiceTimedWord(const Word& word, bool endsSentence);

// Paragraphs of the whole transcript (cut words included): a paragraph closes
// before a silence of more than 2 s, at a sentence end from its 28th word
// on, at 60 words, and at the last word.
std::vector<Paragraph> paragraphs(const std::vector<Word>& words);
// The same with the words' texts measured already (measures[i] of words[i]).
std::vector<Paragraph> paragraphs(const std::vector<Word>& words, const std::vector<WordMeasures::Measure>& measures);

}  // namespace vt::DerivedCaptions
