#include "text/TranslationSupport.h"

#include <unicode/locid.h>
#include <unicode/unistr.h>

namespace vt::TranslationSupport {

bool canTranslate(const std::string& from)
{
    return Translator::backend()->status(from, "en") != Translator::Status::unsupported;
}

std::string message(const Translator::Error& error)
{
    if (error.cancelled)
        return "Translation needs the translator's language download. Choose English again and allow the download.";
    return std::string("Couldn't translate: ") + error.what();
}

std::string displayName(const std::string& code)
{
    icu::UnicodeString name;
    icu::Locale(code.c_str()).getDisplayLanguage(icu::Locale::getDefault(), name);
    std::string out;
    name.toUTF8String(out);
    return out.empty() ? code : out;
}

}  // namespace vt::TranslationSupport
