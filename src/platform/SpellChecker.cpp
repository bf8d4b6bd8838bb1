#include "platform/SpellChecker.h"

#include "platform/TextRules.h"

#include <hunspell/hunspell.hxx>

#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace vt::SpellChecker {
namespace {

constexpr const char* kAffix = "/usr/share/hunspell/en_US.aff";
constexpr const char* kDictionary = "/usr/share/hunspell/en_US.dic";

struct Dictionary {
    std::unique_ptr<Hunspell> speller;
    std::unordered_map<std::string, std::vector<Entry>> headwords;  // by lower-case form
    std::mutex lock;                                                // Hunspell is not thread-safe
};

// The headwords of the .dic file: a count line, then "word/FLAGS" lines.
void readHeadwords(Dictionary& d)
{
    std::ifstream in(kDictionary);
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) {
        if (line.empty()) continue;
        const auto slash = line.find('/');
        Entry entry{line.substr(0, slash), slash == std::string::npos ? "" : line.substr(slash + 1)};
        const auto blank = entry.flags.find_first_of(" \t");
        if (blank != std::string::npos) entry.flags.resize(blank);
        d.headwords[text::lowercased(entry.word)].push_back(std::move(entry));
    }
}

Dictionary* dictionary()
{
    static Dictionary* loaded = [] () -> Dictionary* {
        std::error_code error;
        if (!std::filesystem::exists(kAffix, error) || !std::filesystem::exists(kDictionary, error)) return nullptr;
        auto* d = new Dictionary;
        d->speller = std::make_unique<Hunspell>(kAffix, kDictionary);
        readHeadwords(*d);
        return d;
    }();
    return loaded;
}

}  // namespace

bool available() { return dictionary() != nullptr; }

bool isCorrect(std::string_view word)
{
    Dictionary* d = dictionary();
    if (!d || word.empty()) return false;
    std::lock_guard guard(d->lock);
    return d->speller->spell(std::string(word));
}

std::vector<std::string> stems(std::string_view word)
{
    Dictionary* d = dictionary();
    if (!d || word.empty()) return {};
    std::lock_guard guard(d->lock);
    return d->speller->stem(std::string(word));
}

std::vector<Entry> entries(std::string_view lower)
{
    Dictionary* d = dictionary();
    if (!d) return {};
    const auto found = d->headwords.find(std::string(lower));
    return found == d->headwords.end() ? std::vector<Entry>{} : found->second;
}

}  // namespace vt::SpellChecker
