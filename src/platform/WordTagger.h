#pragma once
// A small word tagger: splits a text into words (punctuation and spaces
// left out) and tags each as a name (a person, place or organisation), a
// noun, or something else. It reads the word classes from the English
// dictionary's headwords and affix flags (SpellChecker): a headword that
// only exists capitalised is a name; one that takes the possessive and
// neither a superlative nor an ordinal is a noun; a capitalised word the
// dictionary lacks is a name unless it opens a sentence. A few function
// words before a word, and a noun right before one that can be a verb,
// decide between a noun and a verb reading. Neighbouring name words join
// into one token ("New York"); a hyphenated word is one token ("self-care"),
// read as its last part.
// English only; words of other languages are mostly left untagged (other).
// Thread-safe.

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
