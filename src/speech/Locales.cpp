#include "speech/Locales.h"

#include <algorithm>

#include <unicode/locid.h>
#include <unicode/unistr.h>

namespace vt::locales {

namespace {

icu::Locale localeOf(std::string_view id)
{
    // ICU reads both separators; an empty identifier is the root locale
    // (no language, no region).
    return icu::Locale(std::string(id).c_str());
}

std::optional<std::string> presentOrNone(const char* part)
{
    if (!part || !*part) return std::nullopt;
    return std::string(part);
}

}  // namespace

std::string normalised(std::string localeID)
{
    std::replace(localeID.begin(), localeID.end(), '_', '-');
    return localeID;
}

std::optional<std::string> languageCode(std::string_view localeID)
{
    const icu::Locale locale = localeOf(localeID);
    if (locale.isBogus()) return std::nullopt;
    return presentOrNone(locale.getLanguage());
}

std::optional<std::string> regionCode(std::string_view localeID)
{
    const icu::Locale locale = localeOf(localeID);
    if (locale.isBogus()) return std::nullopt;
    return presentOrNone(locale.getCountry());
}

std::optional<std::string> currentRegion() { return presentOrNone(icu::Locale::getDefault().getCountry()); }

std::optional<std::string> englishLanguageName(std::string_view code)
{
    if (code.empty()) return std::nullopt;
    const icu::Locale locale = localeOf(code);
    if (locale.isBogus() || !*locale.getLanguage()) return std::nullopt;
    icu::UnicodeString name;
    locale.getDisplayLanguage(icu::Locale::getEnglish(), name);
    std::string out;
    name.toUTF8String(out);
    // ICU echoes the code back when it has no name for it.
    if (out.empty() || out == locale.getLanguage()) return std::nullopt;
    return out;
}

}  // namespace vt::locales
