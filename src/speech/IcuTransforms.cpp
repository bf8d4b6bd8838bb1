#include "speech/IcuTransforms.h"

#include <unicode/normalizer2.h>
#include <unicode/translit.h>
#include <unicode/unistr.h>

#include <map>
#include <memory>

namespace vt::icu_transforms {

namespace {

icu::UnicodeString fromUtf8(std::string_view s)
{
    return icu::UnicodeString::fromUTF8(icu::StringPiece(s.data(), static_cast<int32_t>(s.size())));
}

// Null when ICU has no transliterator of that id; the failure is remembered
// too, so an unknown id costs one look-up per thread.
const icu::Transliterator* transliterator(std::string_view id)
{
    thread_local std::map<std::string, std::unique_ptr<icu::Transliterator>, std::less<>> cache;
    auto it = cache.find(id);
    if (it == cache.end()) {
        UErrorCode status = U_ZERO_ERROR;
        UParseError parseError{};
        std::unique_ptr<icu::Transliterator> made(
            icu::Transliterator::createInstance(fromUtf8(id), UTRANS_FORWARD, parseError, status));
        if (U_FAILURE(status)) made.reset();
        it = cache.emplace(std::string(id), std::move(made)).first;
    }
    return it->second.get();
}

}  // namespace

std::optional<std::string> apply(std::string_view id, std::string_view text)
{
    const icu::Transliterator* t = transliterator(id);
    if (!t) return std::nullopt;
    icu::UnicodeString s = fromUtf8(text);
    t->transliterate(s);
    std::string out;
    s.toUTF8String(out);
    return out;
}

std::u32string decomposedScalars(std::string_view text)
{
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* nfd = icu::Normalizer2::getNFDInstance(status);
    icu::UnicodeString s = fromUtf8(text);
    icu::UnicodeString d = U_SUCCESS(status) ? nfd->normalize(s, status) : s;
    if (U_FAILURE(status)) d = s;
    std::u32string out;
    out.reserve(static_cast<std::size_t>(d.length()));
    for (int32_t i = 0; i < d.length(); i = d.moveIndex32(i, 1)) out += static_cast<char32_t>(d.char32At(i));
    return out;
}

}  // namespace vt::icu_transforms
