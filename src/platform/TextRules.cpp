#include "platform/TextRules.h"

#include <unicode/brkiter.h>
#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/locid.h>

#include <memory>

namespace vt::text {

namespace {

icu::UnicodeString fromUtf8(std::string_view s)
{
    return icu::UnicodeString::fromUTF8(icu::StringPiece(s.data(), static_cast<int32_t>(s.size())));
}

std::string asUtf8(const icu::UnicodeString& u)
{
    std::string out;
    u.toUTF8String(out);
    return out;
}

template <class Keep>
std::string filterCodePoints(std::string_view s, Keep keep)
{
    std::u32string out;
    for (char32_t c : toUtf32(s))
        if (keep(c)) out += c;
    return toUtf8(out);
}

}  // namespace

bool isWhitespace(char32_t c)
{
    return c == U' ' || c == U'\t' || (c > 0x7F && u_charType(static_cast<UChar32>(c)) == U_SPACE_SEPARATOR);
}

std::string trimWhitespace(std::string_view s)
{
    auto cps = toUtf32(s);
    std::size_t b = 0, e = cps.size();
    while (b < e && isWhitespace(cps[b])) ++b;
    while (e > b && isWhitespace(cps[e - 1])) --e;
    if (b == 0 && e == cps.size()) return std::string(s);
    return toUtf8(std::u32string_view(cps).substr(b, e - b));
}

bool isPunctuation(char32_t c) { return u_ispunct(static_cast<UChar32>(c)); }

std::string trimPunctuation(std::string_view s)
{
    auto cps = toUtf32(s);
    std::size_t b = 0, e = cps.size();
    while (b < e && isPunctuation(cps[b])) ++b;
    while (e > b && isPunctuation(cps[e - 1])) --e;
    return toUtf8(std::u32string_view(cps).substr(b, e - b));
}

std::string removePunctuation(std::string_view s)
{
    return filterCodePoints(s, [](char32_t c) { return !isPunctuation(c); });
}

bool isAllPunctuation(std::string_view s)
{
    auto cps = toUtf32(s);
    if (cps.empty()) return false;
    for (char32_t c : cps)
        if (!isPunctuation(c)) return false;
    return true;
}

namespace {

// A break iterator is costly to make; keep one per thread.
icu::BreakIterator& characterBreaks()
{
    thread_local std::unique_ptr<icu::BreakIterator> it = [] {
        UErrorCode status = U_ZERO_ERROR;
        return std::unique_ptr<icu::BreakIterator>(
            icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
    }();
    return *it;
}

}  // namespace

std::size_t characterCount(std::string_view s)
{
    if (s.empty()) return 0;
    icu::BreakIterator& it = characterBreaks();
    icu::UnicodeString u = fromUtf8(s);
    it.setText(u);
    std::size_t count = 0;
    for (int32_t p = it.next(); p != icu::BreakIterator::DONE; p = it.next()) ++count;
    return count;
}

std::vector<std::string> characters(std::string_view s)
{
    std::vector<std::string> out;
    if (s.empty()) return out;
    icu::BreakIterator& it = characterBreaks();
    icu::UnicodeString u = fromUtf8(s);
    it.setText(u);
    int32_t from = it.first();
    for (int32_t to = it.next(); to != icu::BreakIterator::DONE; from = to, to = it.next())
        out.push_back(asUtf8(u.tempSubString(from, to - from)));
    return out;
}

std::string canonical(std::string_view s)
{
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(status);
    if (U_FAILURE(status)) return std::string(s);
    icu::UnicodeString u = fromUtf8(s);
    if (nfc->isNormalized(u, status) && U_SUCCESS(status)) return std::string(s);
    status = U_ZERO_ERROR;
    icu::UnicodeString n = nfc->normalize(u, status);
    return U_SUCCESS(status) ? asUtf8(n) : std::string(s);
}

bool canonicallyEqual(std::string_view a, std::string_view b)
{
    return a == b || canonical(a) == canonical(b);
}

std::string lowercased(std::string_view s)
{
    icu::UnicodeString u = fromUtf8(canonical(s));
    u.toLower(icu::Locale::getRoot());
    return asUtf8(u);
}

std::string uppercased(std::string_view s)
{
    icu::UnicodeString u = fromUtf8(canonical(s));
    u.toUpper(icu::Locale::getRoot());
    return asUtf8(u);
}

std::u32string toUtf32(std::string_view s)
{
    std::u32string out;
    out.reserve(s.size());
    int32_t i = 0;
    const auto* p = reinterpret_cast<const uint8_t*>(s.data());
    const auto n = static_cast<int32_t>(s.size());
    while (i < n) {
        UChar32 c;
        U8_NEXT(p, i, n, c);
        out += c < 0 ? U'\uFFFD' : static_cast<char32_t>(c);
    }
    return out;
}

std::string toUtf8(std::u32string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (char32_t c : s) {
        uint8_t buf[4];
        int32_t len = 0;
        UBool error = false;
        U8_APPEND(buf, len, 4, static_cast<UChar32>(c <= 0x10FFFF ? c : 0xFFFD), error);
        (void)error;  // four bytes always hold one code point
        out.append(reinterpret_cast<char*>(buf), static_cast<std::size_t>(len));
    }
    return out;
}

}  // namespace vt::text
