#include "platform/WordLexicon.h"

#include "platform/WholeFile.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <memory>
#include <span>

namespace vt {
namespace {

constexpr std::uintmax_t kMaxFileBytes = 64u << 20;

constexpr std::array<const char*, WordLexicon::partCount> kPartNames{"noun", "verb", "adj", "adv"};
constexpr char kPosLetters[] = "nvar";

std::string problemWith(const std::filesystem::path& file, const std::string& why)
{
    return "The English lexicon cannot be read: " + file.string() + " (" + why +
           "). Install the Debian package wordnet-base.";
}

std::string readOrThrow(const std::filesystem::path& file)
{
    wholeFile::ReadResult result = wholeFile::read(file, kMaxFileBytes);
    if (!result.bytes) throw LexiconMissing(problemWith(file, result.error));
    return std::move(*result.bytes);
}

// Calls `line` with the space-separated fields of every line of `text`.
template <typename F>
void forEachLine(std::string_view text, F&& line)
{
    std::vector<std::string_view> fields;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view rest = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        fields.clear();
        while (!rest.empty()) {
            const std::size_t space = std::min(rest.find(' '), rest.size());
            if (space > 0) fields.push_back(rest.substr(0, space));
            rest.remove_prefix(std::min(space + 1, rest.size()));
        }
        if (!fields.empty()) line(fields);
    }
}

// Regular endings that lead from a form back to its lemma, tried in turn.
struct Ending {
    std::string_view suffix;
    std::string_view replacement;
};
constexpr Ending kNounEndings[] = {{"s", ""},     {"ses", "s"}, {"xes", "x"}, {"zes", "z"},
                                   {"ches", "ch"}, {"shes", "sh"}, {"men", "man"}, {"ies", "y"}};
constexpr Ending kVerbEndings[] = {{"s", ""},  {"ies", "y"}, {"es", "e"},  {"es", ""},
                                   {"ed", "e"}, {"ed", ""},   {"ing", "e"}, {"ing", ""}};
constexpr Ending kAdjectiveEndings[] = {{"er", ""}, {"est", ""}, {"er", "e"}, {"est", "e"}};

std::span<const Ending> endingsOf(WordLexicon::Part part)
{
    switch (part) {
    case WordLexicon::noun: return kNounEndings;
    case WordLexicon::verb: return kVerbEndings;
    case WordLexicon::adjective: return kAdjectiveEndings;
    default: return {};
    }
}

bool isConsonant(char c) { return c >= 'a' && c <= 'z' && std::string_view("aeiou").find(c) == std::string_view::npos; }

}  // namespace

WordLexicon::Part WordLexicon::Readings::likeliest() const
{
    return Part(std::max_element(std::begin(weight), std::end(weight)) - std::begin(weight));
}

WordLexicon::WordLexicon(const std::filesystem::path& folder)
{
    for (int p = 0; p < partCount; ++p) {
        // "lemma pos synset_cnt ...": the lemma exists as this part of speech.
        // The licence lines at the top have no such pos field; collocations
        // ("ice_cream") never match a single word.
        forEachLine(readOrThrow(folder / (std::string("index.") + kPartNames[p])), [&](const auto& fields) {
            if (fields.size() < 2 || fields[1] != std::string_view(&kPosLetters[p], 1)) return;
            if (fields[0].find('_') != std::string_view::npos) return;
            lemmas_[std::string(fields[0])].weight[p] = 1;
        });
        // "inflected lemma [lemma...]"
        forEachLine(readOrThrow(folder / (std::string(kPartNames[p]) + ".exc")), [&](const auto& fields) {
            if (fields.size() < 2) return;
            auto& bases = exceptions_[p][std::string(fields[0])];
            for (std::size_t i = 1; i < fields.size(); ++i) bases.emplace_back(fields[i]);
        });
    }
    // "lemma%type:file:id:head:id sense_number tag_count": type 1 noun, 2 verb,
    // 3 adjective, 4 adverb, 5 adjective satellite.
    forEachLine(readOrThrow(folder / "cntlist.rev"), [&](const auto& fields) {
        if (fields.size() < 3) return;
        const std::size_t percent = fields[0].find('%');
        if (percent == std::string_view::npos || percent + 1 >= fields[0].size()) return;
        const int type = fields[0][percent + 1] - '0';
        if (type < 1 || type > 5) return;
        const Part part = type == 1 ? noun : type == 2 ? verb : type == 4 ? adverb : adjective;
        int count = 0;
        std::from_chars(fields[2].data(), fields[2].data() + fields[2].size(), count);
        const auto found = lemmas_.find(fields[0].substr(0, percent));
        if (found != lemmas_.end() && found->second.weight[part] > 0) found->second.weight[part] += count;
    });
}

const WordLexicon& WordLexicon::english()
{
    struct Loaded {
        std::unique_ptr<WordLexicon> lexicon;
        std::string problem;
    };
    static const Loaded loaded = [] {
        Loaded l;
        try {
            l.lexicon = std::make_unique<WordLexicon>(installedFolder);
        } catch (const LexiconMissing& e) {
            l.problem = e.what();
        }
        return l;
    }();
    if (!loaded.lexicon) throw LexiconMissing(loaded.problem);
    return *loaded.lexicon;
}

std::string WordLexicon::englishProblem()
{
    try {
        english();
        return {};
    } catch (const LexiconMissing& e) {
        return e.what();
    }
}

double WordLexicon::weight(std::string_view lemma, Part part) const
{
    const auto found = lemmas_.find(lemma);
    return found == lemmas_.end() ? 0 : found->second.weight[part];
}

double WordLexicon::weightOfForm(std::string_view form, Part part) const
{
    double best = weight(form, part);
    if (const auto irregular = exceptions_[part].find(form); irregular != exceptions_[part].end())
        for (const std::string& lemma : irregular->second) best = std::max(best, weight(lemma, part));
    std::string lemma;
    for (const Ending& e : endingsOf(part)) {
        if (form.size() <= e.suffix.size() + 1 || !form.ends_with(e.suffix)) continue;
        lemma.assign(form.substr(0, form.size() - e.suffix.size()));
        lemma += e.replacement;
        best = std::max(best, weight(lemma, part));
        // "planning", "stopped", "bigger": the doubled consonant goes too.
        const std::size_t n = lemma.size();
        const bool doubles = e.suffix == "ed" || e.suffix == "ing" || e.suffix == "er" || e.suffix == "est";
        if (doubles && e.replacement.empty() && n >= 3 && lemma[n - 1] == lemma[n - 2] && isConsonant(lemma[n - 1]))
            best = std::max(best, weight(std::string_view(lemma).substr(0, n - 1), part));
    }
    return best;
}

WordLexicon::Readings WordLexicon::readings(std::string_view lower) const
{
    Readings r;
    for (int p = 0; p < partCount; ++p) r.weight[p] = weightOfForm(lower, Part(p));
    r.plural = r.weight[noun] > 0 && weight(lower, noun) == 0;
    return r;
}

}  // namespace vt
