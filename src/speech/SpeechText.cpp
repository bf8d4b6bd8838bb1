#include "speech/SpeechText.h"

#include "platform/TextRules.h"

#include <unicode/brkiter.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <memory>

namespace vt::speech {

namespace {

bool isLetterOrNumber(UChar32 c) { return (U_GET_GC_MASK(c) & (U_GC_L_MASK | U_GC_N_MASK)) != 0; }

// Calls visit(first code point, UTF-16 begin, UTF-16 end) for each character
// until it returns false.
template <class Visit>
void eachCharacter(const icu::UnicodeString& text, Visit visit)
{
    thread_local std::unique_ptr<icu::BreakIterator> breaks = [] {
        UErrorCode status = U_ZERO_ERROR;
        return std::unique_ptr<icu::BreakIterator>(icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
    }();
    breaks->setText(text);
    for (int32_t begin = breaks->first(), end = breaks->next(); end != icu::BreakIterator::DONE; begin = end, end = breaks->next())
        if (!visit(text.char32At(begin), begin, end)) return;
}

}  // namespace

bool hasLetterOrNumber(std::string_view text)
{
    bool found = false;
    eachCharacter(icu::UnicodeString::fromUTF8(text), [&](UChar32 first, int32_t, int32_t) {
        found = isLetterOrNumber(first);
        return !found;
    });
    return found;
}

std::size_t letterOrNumberCount(std::string_view text)
{
    std::size_t count = 0;
    eachCharacter(icu::UnicodeString::fromUTF8(text), [&](UChar32 first, int32_t, int32_t) {
        count += isLetterOrNumber(first) ? 1 : 0;
        return true;
    });
    return count;
}

std::string firstCharacter(std::string_view text)
{
    const icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(text);
    std::string out;
    eachCharacter(unicode, [&](UChar32, int32_t begin, int32_t end) {
        unicode.tempSubStringBetween(begin, end).toUTF8String(out);
        return false;
    });
    return out;
}

bool endsWithPunctuation(std::string_view text)
{
    const std::u32string points = text::toUtf32(text);
    return !points.empty() && text::isPunctuation(points.back());
}

}  // namespace vt::speech
