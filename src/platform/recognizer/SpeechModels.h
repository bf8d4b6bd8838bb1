#pragma once
// The built-in recognizer's installed language models. Each locale is one
// folder under the model root (for US English "en-us", giving the locale
// "en-US") holding an acoustic model folder (the one with an "mdef" file), a
// language model ("*.lm.bin", "*.lm" or "*.lm.DMP", not a phone model) and a
// pronunciation dictionary ("*.dict"). A folder that lacks one of the three
// names a locale the recognizer knows but cannot run.
//
// Thread-safe: every call scans the folder again; nothing is cached.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vt::recognizer {

struct SpeechModel {
    std::string localeID;  // "en-US"
    std::filesystem::path folder;
    std::optional<std::filesystem::path> acousticModel;
    std::optional<std::filesystem::path> languageModel;
    std::optional<std::filesystem::path> dictionary;

    bool isComplete() const { return acousticModel && languageModel && dictionary; }
};

// Where the models are looked for: the system's model folder unless
// setModelRoot chose another (tests use a folder of their own).
std::filesystem::path modelRoot();
void setModelRoot(std::optional<std::filesystem::path> root);

// Every locale folder, complete or not, in folder-name order.
std::vector<SpeechModel> installedModels();

// The model of the locale equivalent to the identifier: "en-US", "en_US" and
// "en-us" are the same locale; a bare language ("en") matches the first
// model of that language.
std::optional<SpeechModel> findModel(std::string_view localeID);

// Canonical form of a locale identifier: language lower case, region upper
// case, joined by "-" ("en_us" -> "en-US").
std::string canonicalLocaleID(std::string_view localeID);

// The locale's name in the user's language ("English (United States)"), or
// none when it has no name there.
std::optional<std::string> displayName(std::string_view localeID);

}  // namespace vt::recognizer
