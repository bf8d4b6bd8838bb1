#pragma once
// A small word tagger: splits a text into words (punctuation and spaces
// left out) and tags each as a name (a person, place or organisation), a
// noun, or something else.
//
// Word classes come from the English lexicon (WordLexicon): each word is
// brought back to its lemmas and read as its most frequent part of speech,
// unless its neighbours decide: after a determiner, a possessive or an
// adjective a word reads as a noun, after a number a plural does; after "to",
// a modal or a subject pronoun, and before an object pronoun, as a verb; an
// "-ing" form after a form of "be" as a verb. Number words and ordinals are
// never nouns. Names are words the spelling dictionary
// knows only capitalised ("London", "friday"), capitalised words inside a
// sentence that it knows capitalised, capitalised words neither lexicon knows,
// and runs of capitalised words beside them, joined into one token
// ("New York"). A hyphenated word is one token ("self-care").
// English only; words of other languages are mostly left untagged (other).
//
// Thread-safe. The lexicon is read once, on the first call; when it cannot be
// read, tag() throws LexiconMissing (every call, with the same message).

#include "platform/WordLexicon.h"

#include <string>
#include <string_view>
#include <vector>

namespace vt::WordTagger {

enum class Tag { name, noun, other };

struct Token {
    std::string text;  // as written; a joined name keeps its single spaces
    Tag tag = Tag::other;
};

std::vector<Token> tag(std::string_view text);

}  // namespace vt::WordTagger
