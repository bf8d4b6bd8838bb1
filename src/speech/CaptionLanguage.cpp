#include "speech/CaptionLanguage.h"

#include "speech/Transliterator.h"

namespace vt {

namespace {

constexpr const char* approximate = "approximate spelling";

std::vector<CaptionLanguage> makeTable()
{
    using S = CaptionScript;
    return {
        {"latin", "English letters (ABC)", S::latin, "any language: Hinglish, Tanglish, Banglish too"},
        {"hindi", "Hindi", S::devanagari, std::nullopt},
        {"gujarati", "Gujarati", S::gujarati, std::nullopt},
        {"bengali", "Bengali", S::bengali, std::nullopt},
        {"punjabi", "Punjabi", S::gurmukhi, std::nullopt},
        {"kannada", "Kannada", S::kannada, std::nullopt},
        {"tamil", "Tamil", S::tamil, std::nullopt},
        {"telugu", "Telugu", S::telugu, std::nullopt},
        {"odia", "Odia", S::oriya, std::nullopt},
        {"marathi", "Marathi", S::devanagari, std::nullopt},
        {"malayalam", "Malayalam", S::malayalam, std::nullopt},
        {"urdu", "Urdu", S::urdu, approximate},
        {"assamese", "Assamese", S::bengali, std::nullopt},
        {"maithili", "Maithili", S::devanagari, std::nullopt},
        {"nepali", "Nepali", S::devanagari, std::nullopt},
        {"kashmiri", "Kashmiri", S::urdu, approximate},
        {"sindhi", "Sindhi", S::urdu, approximate},
        {"konkani", "Konkani", S::devanagari, std::nullopt},
        {"dogri", "Dogri", S::devanagari, std::nullopt},
        {"bodo", "Bodo", S::devanagari, std::nullopt},
        {"sanskrit", "Sanskrit", S::devanagari, std::nullopt},
    };
}

const CaptionLanguage& englishTranslation()
{
    static const CaptionLanguage row{"english", "English translation", CaptionScript::latin,
                                     "translated on this computer"};
    return row;
}

}  // namespace

const std::vector<CaptionLanguage>& CaptionLanguage::all()
{
    static const std::vector<CaptionLanguage> table = makeTable();
    return table;
}

const CaptionLanguage& CaptionLanguage::find(std::optional<std::string_view> id)
{
    if (id && *id == "english") return englishTranslation();
    const auto& rows = all();
    if (id)
        for (const auto& row : rows)
            if (row.id == *id) return row;
    return rows.front();
}

std::string CaptionLanguage::sample() const
{
    if (id == "english") return "my new video";
    if (script == CaptionScript::latin) return "mera naya video";
    // The same phrase as the Roman sample, shown the way captions show it:
    // the Hindi words in the row's script, the English loanword in English.
    constexpr std::string_view phrase = "मेरा नया वीडियो";
    std::string out;
    std::size_t start = 0;
    while (start <= phrase.size()) {
        std::size_t end = phrase.find(' ', start);
        if (end == std::string_view::npos) end = phrase.size();
        if (end > start) {
            std::string word(phrase.substr(start, end - start));
            if (!out.empty()) out += ' ';
            out += Transliterator::display(word, word, script);
        }
        start = end + 1;
    }
    return out;
}

}  // namespace vt
