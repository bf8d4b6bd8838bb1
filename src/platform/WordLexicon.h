#pragma once
// The English lexicon behind the word tagger: WordNet as Debian's
// wordnet-base package installs it. Its index files list every lemma under
// each part of speech it can take, its sense counts say how often each sense
// was seen in a sense-tagged corpus, and its exception lists give irregular
// forms ("went" is a form of "go", "children" of "child"). A word is brought
// back to its lemmas before the look-up, by the exception lists and the
// regular endings of plurals, verb forms and comparatives.
//
// Immutable once read, so any thread may use it.

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vt {

// The lexicon's files could not be read; what() names the file and the
// package that brings it.
class LexiconMissing : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class WordLexicon {
public:
    enum Part { noun, verb, adjective, adverb, partCount };

    // How strongly a word form reads as each part of speech: 0 when it cannot
    // be one, else 1 plus how often its most frequent lemma was seen tagged so.
    struct Readings {
        double weight[partCount] = {0, 0, 0, 0};
        bool plural = false;  // it reads as a noun only as the plural of another
        double operator[](Part p) const { return weight[p]; }
        bool any() const { return weight[noun] + weight[verb] + weight[adjective] + weight[adverb] > 0; }
        Part likeliest() const;  // ties go to the earlier part
    };

    // Where Debian's wordnet-base puts its files.
    static constexpr const char* installedFolder = "/usr/share/wordnet";

    // Reads the lexicon in `folder`; throws LexiconMissing when a file is
    // missing or unreadable.
    explicit WordLexicon(const std::filesystem::path& folder);

    // The installed lexicon, read on first use. When it cannot be read,
    // this call and every later one throw the same LexiconMissing.
    static const WordLexicon& english();
    // Reads the installed lexicon now, unless read before, and says what kept
    // it from being read, or empty. After an empty answer english(), and so
    // the word tagger, never throws again in this run.
    static std::string englishProblem();

    // The readings of a lower-case word form.
    Readings readings(std::string_view lower) const;

private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    using Counts = std::unordered_map<std::string, Readings, Hash, std::equal_to<>>;
    using Exceptions = std::unordered_map<std::string, std::vector<std::string>, Hash, std::equal_to<>>;

    double weight(std::string_view lemma, Part part) const;
    double weightOfForm(std::string_view form, Part part) const;

    Counts lemmas_;
    Exceptions exceptions_[partCount];
};

}  // namespace vt
