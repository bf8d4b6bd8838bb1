#include "speech/Transliterator.h"

#include <gtest/gtest.h>

#include <thread>

namespace vt {

// Reaches the romanizer's inner steps so each rule can be checked alone.
struct TransliteratorProbe {
    static std::string romanizeWord(std::string_view w) { return Transliterator::romanizeWord(w); }
    static std::string transliterate(std::string_view t, const Transliterator::Profile& p)
    {
        return Transliterator::transliterate(t, p);
    }
};

}  // namespace vt

using namespace vt;
using Probe = TransliteratorProbe;

TEST(Transliterator, ContainsIndic)
{
    EXPECT_FALSE(Transliterator::containsIndic(""));
    EXPECT_FALSE(Transliterator::containsIndic("hello"));
    EXPECT_FALSE(Transliterator::containsIndic("سلام"));
    EXPECT_TRUE(Transliterator::containsIndic("a ക"));
    EXPECT_TRUE(Transliterator::containsIndic("नाम"));
}

TEST(Transliterator, Romanize)
{
    struct {
        const char* text;
        const char* expected;
    } cases[] = {
        {"", ""},
        {"This stays  as it is.", "This stays  as it is."},
        {"मैं ठीक हूँ", "main theek hoon"},              // common words
        {"मेरा  नाम", "mera  naam"},                     // runs of blanks survive
        {" नाम ", " naam "},
        {"मैं\tठीक", "main\ttheek"},                    // a tab is no word break, but splits the letters
        {"मेरा वीडियो देखो", "mera video dekho"},        // loanword
        {"क्यों", "kyun"},                                // common word beats the letter rules ("kyon")
        {"ज़्यादा ज़्यादा", "zyada zyada"},               // nukta letter precomposed or not
        {"ok नाम", "ok naam"},                            // mixed scripts: Roman words untouched
    };
    for (const auto& c : cases) EXPECT_EQ(Transliterator::romanize(c.text), c.expected) << c.text;
}

TEST(Transliterator, RomanizeWord)
{
    struct {
        const char* word;
        const char* expected;
    } cases[] = {
        {"नाम।", "naam."},
        {"“नाम”", "“naam”"},
        {"\"नाम,\"", "\"naam,\""},
        {"।", "."},
        {"॥", "."},
        {"वीडियो", "video"},
        {"फ़ोन", "phone"},
        {"फोन", "phone"},
        {"वीडियो!", "video!"},
        {"hello", "hello"},
        {"কমল", "komol"},     // Bengali: converted, Bengali profile, no common-word table
        {"আমি", "ami"},
        {"பகல்", "pagal"},     // Tamil through Devanagari with Tamil voicing
    };
    for (const auto& c : cases) EXPECT_EQ(Probe::romanizeWord(c.word), c.expected) << c.word;
}

TEST(Transliterator, CommonWordTableIsForDevanagariOnly)
{
    // তো is तो letter for letter; in Devanagari it is the common word "toh".
    EXPECT_EQ(Probe::romanizeWord("तो"), "toh");
    EXPECT_EQ(Probe::romanizeWord("তো"), "to");
}

TEST(Transliterator, ToDevanagari)
{
    EXPECT_EQ(Transliterator::toDevanagari("hello"), "hello");
    EXPECT_EQ(Transliterator::toDevanagari("नमस्ते"), "नमस्ते");
    EXPECT_EQ(Transliterator::toDevanagari("কমল"), "कमल");
    EXPECT_EQ(Transliterator::toDevanagari("பகல்"), "पकल्");
    // Gurmukhi: an addak doubles the next consonant, a tippi is a bindi.
    EXPECT_EQ(Transliterator::toDevanagari("ਪੱਕਾ"), "पक्का");
    EXPECT_EQ(Transliterator::toDevanagari("ਪੰਜ"), Transliterator::toDevanagari("ਪਂਜ"));
    EXPECT_EQ(Transliterator::toDevanagari("ਸੱ"), "स");  // an addak with nothing to double is lost
}

TEST(Transliterator, Display)
{
    using S = CaptionScript;
    struct {
        const char* native;
        const char* fallback;
        S script;
        const char* expected;
    } cases[] = {
        {"नमस्ते", "namaste", S::devanagari, "नमस्ते"},
        {"कमल", "kamal", S::bengali, "কমল"},
        {"कमल", "kamal", S::gurmukhi, "ਕਮਲ"},
        {"নমস্কার", "x", S::bengali, "নমস্কার"},                // already in the script
        {"নমস্কার", "x", S::devanagari, "नमस्कार"},
        {"वीडियो", "video", S::tamil, "video"},                     // loanwords stay English
        {"वीडियो", "video", S::urdu, "video"},
        {"“वीडियो”", "video", S::bengali, "“video”"},
        {"वीडियो", "video", S::devanagari, "वीडियो"},
        {"नाम", "Naam", S::latin, "naam"},                          // Roman fallback: the native text romanized
        {"नाम", "काम", S::latin, "kaam"},                           // Indic fallback: the fallback romanized
        {"hello", "hello", S::tamil, "hello"},
        {"", "", S::tamil, ""},
        {"", "", S::latin, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Transliterator::display(c.native, c.fallback, c.script), c.expected)
            << c.native << " -> " << rawValue(c.script);
}

TEST(Transliterator, DisplayInUrduUsesUrduLetterForms)
{
    const std::string shown = Transliterator::display("मेरा, नया हाल", "", CaptionScript::urdu);
    EXPECT_EQ(shown, "\u0645\u06CC\u0631\u0627\u060C \u0646\u06CC\u0627 \u06C1\u0627\u0644") << shown;
    for (const char* arabicForm : {"\u064A", "\u0643", "\u0647", ","})
        EXPECT_EQ(shown.find(arabicForm), std::string::npos) << arabicForm;
    EXPECT_NE(Transliterator::display("किताब", "", CaptionScript::urdu).find("\u06A9"), std::string::npos);  // keheh
}

TEST(Transliterator, SafeFromManyThreadsAtOnce)
{
    // First use of the tables and of each thread's transliterators races here.
    const std::string expected = "mera naya video কমল";
    std::vector<std::thread> threads;
    std::vector<std::string> results(8);
    for (std::size_t i = 0; i < results.size(); ++i)
        threads.emplace_back([&, i] {
            for (int k = 0; k < 50; ++k) {
                results[i] = Transliterator::romanize(Transliterator::toDevanagari("मेरा नया"));
                results[i] += " " + Transliterator::display("वीडियो", "", CaptionScript::tamil);
                results[i] += " " + Transliterator::display("कमल", "", CaptionScript::bengali);
            }
        });
    for (auto& t : threads) t.join();
    for (const auto& r : results) EXPECT_EQ(r, expected);
}

TEST(Transliterator, MalformedTextBecomesReplacementCharacters)
{
    const std::string bad = "न\xFF";
    EXPECT_EQ(Transliterator::romanize(bad), "na\uFFFD");
    EXPECT_EQ(Transliterator::display(bad, bad, CaptionScript::bengali), "ন\uFFFD");
    EXPECT_EQ(Transliterator::romanize("\xE0\xA4"), "\xE0\xA4");  // a cut-off letter is no Indic letter
}
