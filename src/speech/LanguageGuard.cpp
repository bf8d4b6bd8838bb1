#include "speech/LanguageGuard.h"

#include "speech/Locales.h"
#include "speech/WhisperLanguage.h"

namespace vt {

namespace {

std::string languageName(const std::string& code) { return locales::englishLanguageName(code).value_or(code); }

bool rowExists(std::string_view id)
{
    for (const auto& row : WhisperLanguage::all())
        if (row.id == id) return true;
    return false;
}

}  // namespace

const std::unordered_set<std::string>& LanguageGuard::indic()
{
    static const std::unordered_set<std::string> codes{"hi", "ur", "mr", "bn", "gu", "pa", "ta", "te",
                                                       "kn", "ml", "ne", "as", "or", "sa", "sd"};
    return codes;
}

LanguageGuard::Choice LanguageGuard::choose(TranscriptionEngine engine, std::string_view appleLocaleID,
                                            std::string_view whisperLanguageID,
                                            const std::optional<HeardLanguage>& heard,
                                            const std::vector<std::string>& appleLocaleIDs)
{
    return choose(engine, appleLocaleID, whisperLanguageID, heard, appleLocaleIDs, locales::currentRegion());
}

LanguageGuard::Choice LanguageGuard::choose(TranscriptionEngine engine, std::string_view appleLocaleID,
                                            std::string_view whisperLanguageID,
                                            const std::optional<HeardLanguage>& heard,
                                            const std::vector<std::string>& appleLocaleIDs,
                                            const std::optional<std::string>& currentRegion)
{
    const Choice unchanged{engine, std::string(appleLocaleID), std::string(whisperLanguageID), std::nullopt};
    // A probability that is not a number is no confident answer either.
    if (!heard || !(heard->probability >= 0.5)) return unchanged;

    // Whisper often labels Hindi speech as Urdu: treat them alike, except that
    // a setup already on the very language heard is left alone.
    const std::string& heardCode = heard->code;
    const std::string h = heardCode == "ur" ? "hi" : heardCode;
    const auto& indicCodes = indic();
    auto isIndic = [&](const std::string& code) { return indicCodes.contains(code); };

    if (engine == TranscriptionEngine::whisper) {
        const std::string& cur = WhisperLanguage::find(whisperLanguageID).code;
        if (cur == "auto" || h == cur || heardCode == cur) return unchanged;
        if (h == "en" && isIndic(cur)) return unchanged;
        const double threshold = isIndic(h) && isIndic(cur) ? 0.85 : 0.7;
        if (heard->probability < threshold) return unchanged;
        const auto id = whisperID(h, whisperLanguageID);
        if (!id) return unchanged;
        return {TranscriptionEngine::whisper, std::string(appleLocaleID), *id,
                "Heard " + languageName(h) + ", not " + shortName(whisperLanguageID) + ", so this video uses " +
                    shortName(*id) + "."};
    }

    const auto a = locales::languageCode(appleLocaleID);
    if (h == "en" && a == "en" && !heard->all.empty()) {
        double share = 0;
        if (auto it = heard->all.find("hi"); it != heard->all.end()) share += it->second;
        if (auto it = heard->all.find("ur"); it != heard->all.end()) share += it->second;
        if (share >= 0.15)
            if (const auto id = whisperID("hi", whisperLanguageID))
                return {TranscriptionEngine::whisper, std::string(appleLocaleID), *id,
                        "Heard Hindi mixed with English, so this video is captioned with Whisper (" + shortName(*id) +
                            ")."};
    }
    if (a && (h == *a || heardCode == *a)) return unchanged;
    if (isIndic(h))
        if (const auto id = whisperID(h, whisperLanguageID))
            return {TranscriptionEngine::whisper, std::string(appleLocaleID), *id,
                    "Heard " + languageName(h) + ", so this video is captioned with Whisper (" + shortName(*id) +
                        ")."};
    if (const auto loc = appleLocale(h, appleLocaleIDs, currentRegion))
        return {TranscriptionEngine::apple, *loc, std::string(whisperLanguageID),
                "Heard " + languageName(h) + ", so this video is transcribed in " + languageName(h) + "."};
    if (const auto id = whisperID(h, whisperLanguageID))
        return {TranscriptionEngine::whisper, std::string(appleLocaleID), *id,
                "Heard " + languageName(h) + ", so this video is captioned with Whisper."};
    return unchanged;
}

std::optional<std::string> LanguageGuard::whisperID(std::string_view code, std::string_view preferring)
{
    if (WhisperLanguage::find(preferring).code == code) return std::string(preferring);
    if (code == "hi") return "hinglish";
    if (std::string roman = std::string(code) + "-roman"; rowExists(roman)) return roman;
    if (rowExists(code)) return std::string(code);
    return std::nullopt;
}

std::string LanguageGuard::shortName(std::string_view whisperLanguageID)
{
    const std::string& name = WhisperLanguage::find(whisperLanguageID).name;
    std::string first = name.substr(0, name.find(" ("));
    return first.empty() ? std::string(whisperLanguageID) : first;
}

std::optional<std::string> LanguageGuard::appleLocale(std::string_view code,
                                                      const std::vector<std::string>& localeIDs,
                                                      const std::optional<std::string>& region)
{
    std::vector<const std::string*> sameLanguage;
    for (const auto& id : localeIDs)
        if (locales::languageCode(id) == code) sameLanguage.push_back(&id);
    if (sameLanguage.empty()) return std::nullopt;
    for (const std::string* id : sameLanguage)
        if (locales::regionCode(*id) == region) return *id;
    return *sameLanguage.front();
}

}  // namespace vt
