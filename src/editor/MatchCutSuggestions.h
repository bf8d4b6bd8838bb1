#pragma once
// Words and sentences of the transcript for match-cut cards: candidate words
// for a card (best first) and the keywords and short sentences stored on a
// card as its decoration and body text. The language analysis is the post
// writer's (its hashtags and sentences); these are the steps around it. They
// sit with the card renderer's other operations but live above the text
// library, which the picture engines may not use. Pure; any thread.

#include "model/Word.h"

#include <string>
#include <vector>

namespace vt::MatchCutRenderer {

struct Context {
    std::vector<std::string> keywords;
    std::vector<std::string> lines;
};

// Up to `count` words from the hashtags of the kept words, without "#".
std::vector<std::string> suggestions(const std::vector<Word>& words, int count);
// keywords: ten suggestions; lines: the first 14 sentences of 3 to 9 words,
// trimmed of end marks.
Context context(const std::vector<Word>& words);

}  // namespace vt::MatchCutRenderer
