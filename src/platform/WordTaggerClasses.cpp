#include "platform/WordTaggerClasses.h"

#include <string>
#include <unordered_map>

namespace vt::WordTagger {
namespace {

using Map = std::unordered_map<std::string_view, WordClass>;

void add(Map& map, WordClass c, std::initializer_list<std::string_view> words)
{
    for (std::string_view w : words) map.emplace(w, c);
}

Map classes()
{
    Map map;
    add(map, WordClass::determiner,
     {"the", "a", "an", "this", "these", "those", "every", "each", "no", "some", "any", "another", "many", "much", "more",
      "most", "few", "fewer", "several", "such", "both", "either", "neither", "whose", "same"});
    add(map, WordClass::possessive, {"my", "your", "his", "her", "its", "our", "their"});
    add(map, WordClass::number,
     {"zero",      "one",        "two",        "three",      "four",       "five",        "six",        "seven",
      "eight",     "nine",       "ten",        "eleven",     "twelve",     "thirteen",    "fourteen",   "fifteen",
      "sixteen",   "seventeen",  "eighteen",   "nineteen",   "twenty",     "thirty",      "forty",      "fifty",
      "sixty",     "seventy",    "eighty",     "ninety",     "hundred",    "thousand",    "million",    "billion",
      "trillion",  "dozen",      "hundreds",   "thousands",  "millions",   "billions",    "dozens",     "half",
      "first",     "second",     "third",      "fourth",     "fifth",      "sixth",       "seventh",    "eighth",
      "ninth",     "tenth",      "eleventh",   "twelfth",    "thirteenth", "fourteenth",  "fifteenth",  "sixteenth",
      "seventeenth", "eighteenth", "nineteenth", "twentieth", "thirtieth", "fortieth",    "fiftieth",   "sixtieth",
      "seventieth", "eightieth", "ninetieth",  "hundredth",  "thousandth", "millionth",   "billionth",  "once",
      "twice"});
    add(map, WordClass::subject, {"i", "we", "they", "he", "she"});
    add(map, WordClass::subjectOrObject, {"you", "it"});
    add(map, WordClass::object, {"me", "him", "us", "them"});
    add(map, WordClass::modal,
     {"can", "could", "will", "would", "shall", "should", "may", "might", "must", "cannot", "can't", "couldn't", "won't",
      "wouldn't", "shouldn't", "mustn't", "do", "does", "did", "don't", "doesn't", "didn't", "let's", "i'll", "we'll",
      "you'll", "they'll", "he'll", "she'll", "it'll", "i'd", "we'd", "you'd", "they'd", "he'd", "she'd", "gonna",
      "wanna", "gotta"});
    add(map, WordClass::to, {"to"});
    add(map, WordClass::be,
     {"am", "is", "are", "was", "were", "be", "been", "being", "isn't", "aren't", "wasn't", "weren't", "i'm", "you're",
      "we're", "they're", "it's", "he's", "she's", "that's", "there's", "here's", "what's", "where's", "who's", "how's"});
    add(map, WordClass::have, {"have", "has", "had", "having", "haven't", "hasn't", "hadn't", "i've", "we've", "you've", "they've"});
    add(map, WordClass::adverb,
     {"not", "never", "always", "just", "also", "really", "actually", "still", "even", "only", "already", "often",
      "usually", "sometimes", "finally", "probably", "maybe", "perhaps", "definitely", "literally", "basically",
      "very", "quite", "rather", "almost", "ever", "totally", "simply", "seriously"});
    add(map, WordClass::preposition,
     {"of",     "in",     "on",      "at",      "by",     "for",     "with",   "from",   "into",    "onto",
      "about",  "over",   "under",   "after",   "before", "through", "during", "without", "within", "between",
      "against", "around", "across", "behind",  "beyond", "near",    "toward", "towards", "upon",   "off",
      "out",    "up",     "down",    "since",   "until",  "till",    "via",    "per",    "than",    "as",
      "like",   "unlike", "despite", "except",  "along",  "among",   "inside", "outside", "above",  "below",
      "beside", "besides", "throughout", "underneath"});
    add(map, WordClass::function,
     {"and",      "or",       "but",       "nor",      "yet",      "so",        "because",  "if",       "when",
      "while",    "although", "though",    "unless",   "whether",  "then",      "that",     "where",    "why",
      "how",      "what",     "which",     "who",      "whom",     "whatever",  "whenever", "wherever", "whoever",
      "myself",   "yourself", "himself",   "herself",  "itself",   "ourselves", "yourselves", "themselves", "mine",
      "yours",    "hers",     "ours",      "theirs",   "someone",
      "somebody", "something", "anyone",   "anybody",  "anything", "everyone",  "everybody", "everything", "nobody",
      "nothing",  "none",     "all",       "there",    "here",     "now",       "yes",      "yeah",     "yep",
      "nope",     "okay",     "ok",        "oh",       "ah",       "um",        "uh",       "uhm",      "hmm",
      "hey",      "hi",       "hello",     "wow",      "well",     "please",    "thanks",   "kinda",    "sorta",
      "lemme",    "y'all",    "ya",        "etc",      "other",    "own",       "else",     "too"});
    return map;
}

}  // namespace

WordClass wordClass(std::string_view lower)
{
    static const Map known = classes();
    const auto found = known.find(lower);
    return found == known.end() ? WordClass::open : found->second;
}

}  // namespace vt::WordTagger
