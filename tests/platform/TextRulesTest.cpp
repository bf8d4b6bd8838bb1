#include "platform/TextRules.h"

#include <gtest/gtest.h>

using namespace vt::text;

TEST(TextRules, TrimsOnlySpacesAndTabs)
{
    EXPECT_EQ(trimWhitespace(" \t hi there \t"), "hi there");
    EXPECT_EQ(trimWhitespace("\nhi\n"), "\nhi\n");  // line breaks stay
    EXPECT_EQ(trimWhitespace("   "), "");
    EXPECT_EQ(trimWhitespace("\u00A0\u3000word\u2009"), "word");  // every Unicode space separator
    EXPECT_EQ(trimWhitespace("\u200Bword"), "\u200Bword");         // a zero-width space is no separator
}

TEST(TextRules, PunctuationIsEveryUnicodePunctuationCategory)
{
    EXPECT_EQ(trimPunctuation("«¡Hola!»"), "Hola");
    EXPECT_EQ(trimPunctuation("\u0964\u0928\u092E\u0938\u094D\u0924\u0947\u0964"), "\u0928\u092E\u0938\u094D\u0924\u0947");
    EXPECT_EQ(removePunctuation("don't-stop"), "dontstop");
    EXPECT_EQ(trimPunctuation("$5+"), "$5+");  // symbols are not punctuation
    EXPECT_TRUE(isAllPunctuation("...!?"));
    EXPECT_FALSE(isAllPunctuation(""));
}

TEST(TextRules, CountsUserPerceivedCharacters)
{
    EXPECT_EQ(characterCount(""), 0u);
    EXPECT_EQ(characterCount("abc"), 3u);
    EXPECT_EQ(characterCount("e\u0301"), 1u);                  // e + combining acute
    EXPECT_EQ(characterCount("\U0001F44D\U0001F3FD"), 1u);     // thumbs up with skin tone
    EXPECT_EQ(characterCount("\u0928\u092E\u0938\u094D\u0924\u0947"), 3u);  // नमस्ते
}

TEST(TextRules, CanonicallyEquivalentTextIsEqual)
{
    EXPECT_TRUE(canonicallyEqual("caf\u00E9", "cafe\u0301"));
    EXPECT_FALSE(canonicallyEqual("cafe", "caf\u00E9"));
    EXPECT_EQ(canonical("cafe\u0301"), "caf\u00E9");
    EXPECT_EQ(lowercased("\u00C9COLE"), "\u00E9cole");
}

TEST(TextRules, InvalidUtf8BecomesReplacementCharacter)
{
    EXPECT_EQ(toUtf32("a\xFF" "b"), std::u32string(U"a\uFFFDb"));
    EXPECT_EQ(toUtf8(U"\u0915\U0001F600"), "\u0915\U0001F600");
}
