#pragma once
// Short talks of ordinary spoken English, each word marked by hand as a name,
// a noun or something else, to measure the word tagger against. Two talks are
// written as whisper.cpp gives them (capitals and punctuation), two as the
// built-in recognizer gives them (lower case, no punctuation).
//
// Marks: a word written "*word" is a noun, "^Word" a name, any other word is
// other. Names are proper nouns: people, places, organisations, brands,
// languages, days. Nouns are common nouns, also where they qualify another
// noun ("savings account"); an "-ing" word is a noun only after a determiner
// or a possessive. Pronouns ("something" too), number words and ordinals are
// other.

#include <string>
#include <vector>

namespace vt::test {

struct MarkedWord {
    std::string text;  // as spoken, punctuation attached
    enum class Mark { name, noun, other } mark = Mark::other;
};

struct SpokenTalk {
    std::string subject;
    std::string marked;              // the talk with its marks
    std::vector<MarkedWord> words;   // split at spaces, marks taken off
    std::string text;                // the words joined with single spaces
};

const std::vector<SpokenTalk>& spokenTalks();
// The words of a text written with the marks above.
std::vector<MarkedWord> markedWords(const std::string& marked);

}  // namespace vt::test
