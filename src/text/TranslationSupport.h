#pragma once
// Small helpers of translation: can a language be translated to English on
// this computer, and the user's message for a translator's error.

#include "platform/Translator.h"

#include <string>

namespace vt::TranslationSupport {

// True unless the translator reports the language unsupported (installed
// and not yet downloaded both count).
bool canTranslate(const std::string& from);
std::string message(const Translator::Error& error);
// The language's name in the user's language (the code itself when it has none).
std::string displayName(const std::string& code);

}  // namespace vt::TranslationSupport
