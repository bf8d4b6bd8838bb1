#include "text/CaptionTranslator.h"

#include "TextFixtures.h"

#include <gtest/gtest.h>

namespace vt::test {
namespace {

bool always(double) { return true; }

std::vector<CaptionTranslator::Chunk> chunksOf(const std::vector<Word>& words, const std::function<bool(double)>& kept = always)
{
    return CaptionTranslator::chunks(words, kept, CaptionTranslator::maxWords, CaptionTranslator::maxDuration);
}

TEST(CaptionTranslator, SourceLanguageFromLocaleIDs)
{
    const std::vector<std::pair<std::string, std::optional<std::string>>> cases{
        {"whisper:hinglish", "hi"}, {"whisper:hindi", "hi"}, {"whisper:auto", std::nullopt}, {"whisper:pt-BR", "pt"},
        {"whisper:", std::nullopt}, {"hi-IN", "hi"}, {"en_US", "en"}, {"", std::nullopt}};
    for (const auto& [id, language] : cases) EXPECT_EQ(CaptionTranslator::sourceLanguage(id), language) << id;
}

TEST(CaptionTranslator, RomanizedHindiNeedsTheOriginalScript)
{
    std::vector<Word> words = spoken("main ghar ja raha hoon");
    EXPECT_TRUE(CaptionTranslator::needsOriginalScript(words, "whisper:hinglish"));
    EXPECT_FALSE(CaptionTranslator::needsOriginalScript(words, "whisper:spanish"));
    words[2].native = "\u091C\u093E";
    EXPECT_FALSE(CaptionTranslator::needsOriginalScript(words, "whisper:hinglish"));
    words[2].native.reset();
    words[3].text = "\u0930\u0939\u093E";
    EXPECT_FALSE(CaptionTranslator::needsOriginalScript(words, "whisper:hindi"));
}

TEST(CaptionTranslator, BasisCountsWordsHashesCutIdsAndNamesThePause)
{
    std::vector<Word> words = spoken("one two three four five six seven eight nine ten eleven twelve");
    EXPECT_EQ(CaptionTranslator::basis(words, false, 0.5), "12|cbf29ce484222325|-");
    EXPECT_EQ(CaptionTranslator::basis(words, true, 0.5), "12|cbf29ce484222325|0.50");

    words[3].deleted = words[7].deleted = true;
    const std::string cut = CaptionTranslator::basis(words, false, 0.5);
    EXPECT_NE(cut, "12|cbf29ce484222325|-");
    std::swap(words[3], words[7]);  // the same cut words listed in another order
    EXPECT_EQ(CaptionTranslator::basis(words, false, 0.5), cut);
    words[0].text = "retyped";
    words[0].start += 0.2;
    EXPECT_EQ(CaptionTranslator::basis(words, false, 0.5), cut) << "texts and times do not count";
}

TEST(CaptionTranslator, ChunksCloseAtGapsSentenceEndsAndLimits)
{
    // 0.7 s apart stays together, 0.71 s apart splits.
    EXPECT_EQ(chunksOf({timedWord("a", 0, 1), timedWord("b", 1.7, 2)}).size(), 1u);
    EXPECT_EQ(chunksOf({timedWord("a", 0, 1), timedWord("b", 1.71, 2)}).size(), 2u);

    const auto sixteen = chunksOf(spoken("w w w w w w w w w w w w w w w w w w w w", 0, 0.2, 0.1));
    ASSERT_EQ(sixteen.size(), 2u);
    EXPECT_EQ(sixteen[0].text, "w w w w w w w w w w w w w w w w");
    EXPECT_FALSE(sixteen[0].endsSentence);

    // The first word ending 7 s or more after the chunk's start closes it:
    // the twelfth, ending at 7.1 s.
    const auto slow = chunksOf(spoken("a b c d e f g h i j k l m n", 0, 0.6, 0.5));
    ASSERT_EQ(slow.size(), 2u);
    EXPECT_EQ(slow[0].text, "a b c d e f g h i j k l");
    EXPECT_DOUBLE_EQ(slow[0].end, 7.1);

    // A Hindi word ending in the danda closes its chunk as a sentence end,
    // and the native-script text is what is sent.
    std::vector<Word> hindi = spoken("ghar chalo. phir milenge");
    hindi[1].text = "chalo";
    hindi[1].native = "चलो।";
    const auto danda = chunksOf(hindi);
    ASSERT_EQ(danda.size(), 2u);
    EXPECT_EQ(danda[0].text, "ghar चलो।");
    EXPECT_TRUE(danda[0].endsSentence);
    EXPECT_FALSE(danda[1].endsSentence);
}

TEST(CaptionTranslator, ACutWordOrCutTimeClosesTheChunkSoNoEnglishLandsInTheCut)
{
    // "c" is cut and "e" lies outside the kept time: neither is sent, and the
    // words around each start new chunks rather than spanning the cut.
    std::vector<Word> words = spoken("a b c d e f");
    words[2].deleted = true;
    const auto chunks = chunksOf(words, [](double t) { return t < 1.5 || t > 1.8; });
    ASSERT_EQ(chunks.size(), 3u);
    EXPECT_EQ(chunks[0].text, "a b");
    EXPECT_DOUBLE_EQ(chunks[0].end, words[1].end);
    EXPECT_EQ(chunks[1].text, "d");
    EXPECT_EQ(chunks[2].text, "f");
}

TEST(CaptionTranslator, EnglishWordsSpreadOverTheChunkByCharacters)
{
    const CaptionTranslator::Chunk plain{"x", 10, 12, false};
    const auto two = CaptionTranslator::words({plain}, {"abc  de\nfghij"});
    ASSERT_EQ(two.size(), 3u);
    // Weights 5, 4 and 7 over 2 s.
    EXPECT_DOUBLE_EQ(two[0].start, 10);
    EXPECT_NEAR(two[0].end, 10 + 2.0 * 5 / 16, 1e-9);
    EXPECT_NEAR(two[1].end, 10 + 2.0 * 9 / 16, 1e-9);
    EXPECT_DOUBLE_EQ(two[2].end, 12);
    EXPECT_EQ(two[2].text, "fghij");
    EXPECT_FALSE(two[0].deleted || two[0].emphasized || two[0].breakAfter || two[0].native || two[0].look || two[0].styleID);
    EXPECT_NE(two[0].id, two[1].id);

    // The spec's two pieces of 3 and 5 characters over 2 s.
    const auto pair = CaptionTranslator::words({{"x", 0, 2, false}}, {"abc defgh"});
    ASSERT_EQ(pair.size(), 2u);
    EXPECT_NEAR(pair[0].end, 2.0 * 5 / 12, 1e-9);
    EXPECT_DOUBLE_EQ(pair[1].end, 2);

    // A sentence end gets a full stop unless the text already ends one; a
    // chunk shorter than 0.1 s spreads over 0.1 s and still ends on time.
    const auto ended = CaptionTranslator::words({{"x", 5, 5.02, true}, {"y", 6, 7, true}}, {"go home", "really?"});
    ASSERT_EQ(ended.size(), 3u);
    EXPECT_EQ(ended[1].text, "home.");
    EXPECT_NEAR(ended[1].start, 5 + 0.1 * 4 / 11, 1e-9);
    EXPECT_DOUBLE_EQ(ended[1].end, 5.02);
    EXPECT_EQ(ended[2].text, "really?");

    // Blank texts and missing or surplus texts give fewer words.
    EXPECT_EQ(CaptionTranslator::words({plain, {"y", 13, 14, false}}, {"   ", "hi"}).size(), 1u);
    EXPECT_EQ(CaptionTranslator::words({plain}, {"a", "b"}).size(), 1u);
    EXPECT_TRUE(CaptionTranslator::words({plain}, {}).empty());
}

}  // namespace
}  // namespace vt::test
