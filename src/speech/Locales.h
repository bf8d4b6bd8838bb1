#pragma once
// What the speech code asks of the platform's locale service, answered from
// ICU's locale data. Locale identifiers may use "-" or "_" ("en-US", "en_US").
// Thread-safe.

#include <optional>
#include <string>
#include <string_view>

namespace vt::locales {

// One spelling for an identifier: "en_US" and "en-US" are the same locale.
std::string normalised(std::string localeID);
// The language part of an identifier ("en" of "en-US"); none when it has none.
std::optional<std::string> languageCode(std::string_view localeID);
// The region part of an identifier ("US" of "en-US"); none when it has none.
std::optional<std::string> regionCode(std::string_view localeID);
// The region of the user's current locale, if it names one.
std::optional<std::string> currentRegion();
// The English name of a language code ("hi" gives "Hindi"); none when the
// locale data does not know the code.
std::optional<std::string> englishLanguageName(std::string_view code);

}  // namespace vt::locales
