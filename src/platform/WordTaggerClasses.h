#pragma once
// The closed word classes of English the word tagger knows by heart: the
// lexicon lists only nouns, verbs, adjectives and adverbs, and these short
// words decide how the word after them reads.

#include <string_view>

namespace vt::WordTagger {

enum class WordClass {
    open,             // a noun, verb, adjective or adverb: ask the lexicon
    determiner,       // "the", "every", "these": a noun follows
    possessive,       // "my", "their"
    number,           // "three", "first", "hundred": never a topic; a noun follows
    subject,          // "i", "they": a verb follows
    subjectOrObject,  // "you", "it": a verb follows when they open a clause
    object,           // "me", "them": the word before is a verb where it can be
    modal,            // "can", "didn't", "let's"
    to,               // a verb or a noun follows
    be,               // "is", "we're": an "-ing" form after it is a verb
    have,             // "has", "i've"
    adverb,           // "really", "never": the word after reads as the word before would have
    preposition,      // "of", "about"
    function,         // anything else: conjunctions, pronouns, question words, fillers
};

// The class of a lower-case word (apostrophes written as "'").
WordClass wordClass(std::string_view lower);

}  // namespace vt::WordTagger
