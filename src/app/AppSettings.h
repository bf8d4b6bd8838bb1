#pragma once
// The user settings the program keeps, by their stored keys, in the settings
// file of the data root (DataRoot::settingsFile, re-read on every call so
// tests may move it). Main thread only.

#include <QString>
#include <QVariant>

#include <optional>
#include <string>
#include <string_view>

namespace vt::AppSettings {

inline constexpr std::string_view engineKey = "engine";
inline constexpr std::string_view whisperLanguageKey = "whisperLanguage";
inline constexpr std::string_view captionLanguageKey = "captionLanguage";
inline constexpr std::string_view hasOnboardedKey = "hasOnboarded";
inline constexpr std::string_view appearanceKey = "appearance";

std::optional<std::string> string(std::string_view key);
bool boolean(std::string_view key);  // false when absent
void set(std::string_view key, const QVariant& value);

}  // namespace vt::AppSettings
