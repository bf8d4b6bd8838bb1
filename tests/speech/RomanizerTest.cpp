#include "speech/Transliterator.h"

#include <gtest/gtest.h>

namespace vt {

struct TransliteratorProbe {
    static std::string transliterate(std::string_view t, const Transliterator::Profile& p)
    {
        return Transliterator::transliterate(t, p);
    }
};

}  // namespace vt

using namespace vt;
using S = CaptionScript;

namespace {

std::string roman(std::string_view text, S script = S::devanagari)
{
    return TransliteratorProbe::transliterate(text, Transliterator::Profile::of(script));
}

}  // namespace

TEST(IndicRomanizer, Profiles)
{
    using P = Transliterator::Profile;
    using V = Transliterator::VowelLength;
    EXPECT_EQ(P::of(S::devanagari), P::hindi());
    EXPECT_EQ(P::of(S::gurmukhi), P::hindi());
    EXPECT_EQ(P::of(S::latin), P::hindi());
    EXPECT_EQ(P::of(S::urdu), P::hindi());
    EXPECT_EQ(P::hindi(), (P{"a", true, V::beforeBareConsonant, false, false, false, false, false}));
    EXPECT_EQ(P::of(S::bengali), (P{"o", true, V::never, false, false, false, false, false}));
    EXPECT_EQ(P::of(S::gujarati), (P{"a", true, V::beforeBareConsonant, false, false, false, false, true}));
    EXPECT_EQ(P::of(S::oriya), (P{"a", false, V::never, false, false, false, false, false}));
    EXPECT_EQ(P::of(S::tamil), (P{"a", false, V::exceptLast, true, true, false, false, false}));
    EXPECT_EQ(P::of(S::telugu), (P{"a", false, V::exceptLast, false, false, false, true, false}));
    EXPECT_EQ(P::of(S::kannada), P::of(S::telugu));
    EXPECT_EQ(P::of(S::malayalam), (P{"a", false, V::exceptLast, true, false, true, true, false}));
}

TEST(IndicRomanizer, HindiRules)
{
    struct {
        const char* text;
        const char* expected;
    } cases[] = {
        // Schwa deletion and long vowels before a bare consonant.
        {"नाम", "naam"},
        {"माता", "mata"},
        {"नमस्ते", "namaste"},
        {"कमल", "kamal"},
        {"समझना", "samajhna"},
        {"दोस्त", "dost"},
        {"क", "ka"},  // a one-unit word keeps its vowel
        // Nukta letters, precomposed or not.
        {"क़लम", "qalam"},
        {"\u0958लम", "qalam"},
        {"फ़ोन", "fon"},
        {"क़", "qa"},
        {"ज़रा", "zara"},
        // Nasals and visarga.
        {"अंबर", "ambar"},
        {"हिंदी", "hindi"},
        {"संभव", "sambhav"},
        {"दुःख", "duhkh"},
        {"हँसी", "hansi"},
        // Final replacements: the ऱ marker and doubled "ng".
        {"ऱ्ऱ", "tr"},
        {"न्ऱ", "ndr"},
        {"ऱा", "ra"},
        {"गङ्गा", "ganga"},
        // Standalone vowels; a word-final one is written short.
        {"आई", "aai"},
        {"ऊपर", "oopar"},
        // Joiners never reach the output; ZWJ makes the bare consonant whole.
        {"क\u200Dख", "kakh"},
        {"क्\u200Cष", "ksh"},
        // Digits, dandas and unknown characters end a part.
        {"१२३।", "123."},
        {"नाम१नाम", "naam1naam"},
        {"नामxनाम", "naamxnaam"},
        {"ाक", "ाka"},
        {"्", "्"},
        {"ं", "ं"},
        {"ॐ", "ॐ"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(roman(c.text), c.expected) << c.text;
}

TEST(IndicRomanizer, ScriptProfiles)
{
    struct {
        const char* text;
        S script;
        const char* expected;
    } cases[] = {
        {"कमल", S::bengali, "komol"},
        {"आई", S::bengali, "ai"},
        {"अब", S::bengali, "ob"},
        {"त", S::tamil, "tha"},
        {"पकल्", S::tamil, "pagal"},
        {"अम्पा", S::tamil, "amba"},
        {"चरि", S::tamil, "sari"},
        {"अचं", S::tamil, "asan"},       // ch after a vowel becomes s
        {"पञ्च", S::tamil, "panja"},      // ch after a bare nasal becomes j
        {"नीर", S::tamil, "neera"},       // long vowel doubled except on the last unit
        {"अवन्", S::malayalam, "avanu"},
        {"अवन्\u200D", S::malayalam, "avan"},
        {"अवൻ", S::malayalam, "avan"},    // chillu letter
        {"पुस्तकं", S::telugu, "pustakam"},
        {"पुस्तकं", S::kannada, "pustakam"},
        {"छुं", S::gujarati, "chhu"},
        {"कमल", S::oriya, "kamala"},
        {"राम", S::oriya, "rama"},
    };
    for (const auto& c : cases) EXPECT_EQ(roman(c.text, c.script), c.expected) << c.text << " " << rawValue(c.script);
}
