#include "text/PostCopyWriter.h"

#include "TextFixtures.h"
#include "platform/TextRules.h"
#include "support/SpokenTalks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>

namespace vt::test {
namespace {

std::size_t chars(const std::string& s) { return text::characterCount(s); }

std::string repeat(const std::string& s, int n)
{
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

TEST(PostCopyWriter, FitCutsAtTheLastSpaceWithinTheLimit)
{
    EXPECT_EQ(PostCopyWriter::fit("abc def", 5), "abc");
    EXPECT_EQ(PostCopyWriter::fit("  short  ", 10), "short");
    const std::string word(300, 'x');
    EXPECT_EQ(PostCopyWriter::fit(word, 280), std::string(280, 'x'));
    EXPECT_EQ(PostCopyWriter::fit("one two, three", 10), "one two") << "no trailing comma";
    // Limits count user-perceived characters: a family emoji is one.
    const std::string family = "\U0001F468\u200D\U0001F469\u200D\U0001F467";
    EXPECT_EQ(PostCopyWriter::fit(repeat(family, 6), 4), repeat(family, 4));
}

TEST(PostCopyWriter, ClauseCutTakesTheLastMarkOutsideTheFirstThird)
{
    const std::string fifty(50, 'a');
    const std::string text = fifty + ", " + std::string(69, 'b');  // 120 characters
    EXPECT_EQ(PostCopyWriter::clauseCut(text, 80), fifty);
    EXPECT_EQ(PostCopyWriter::clauseCut(std::string(20, 'a') + ", rest", 80), std::nullopt) << "in the first third";
    EXPECT_EQ(PostCopyWriter::clauseCut("no marks here at all", 10), std::nullopt);
    EXPECT_EQ(PostCopyWriter::clauseCut("alpha \u2014 beta; gamma", 30), "alpha \u2014 beta");
    EXPECT_EQ(PostCopyWriter::clauseCut("alpha \u2014 beta; gamma", 80), std::nullopt) << "12 is under 80 / 3";
    for (int limit : {9, 12, 30})
        if (auto cut = PostCopyWriter::clauseCut("one, two, three, four, five, six", limit)) {
            EXPECT_LE(chars(*cut), std::size_t(limit));
        }
}

TEST(PostCopyWriter, SentencesCloseAtMarksAtThirtyWordsAndAtLateCommas)
{
    EXPECT_EQ(PostCopyWriter::sentences(spoken(repeat("word ", 40))).size(), 2u);
    std::string comma14 = repeat("w ", 13) + "fourteen, after words here.";
    EXPECT_EQ(PostCopyWriter::sentences(spoken(comma14)).size(), 2u);
    std::string comma13 = repeat("w ", 12) + "thirteen, after words here.";
    EXPECT_EQ(PostCopyWriter::sentences(spoken(comma13)).size(), 1u);
    const auto cleaned = PostCopyWriter::sentences(spoken("Ok. Well , that is great ! \"Quoted line here\""));
    ASSERT_EQ(cleaned.size(), 2u) << "\"Ok.\" has only three characters";
    EXPECT_EQ(cleaned[0], "Well, that is great!");
    EXPECT_EQ(cleaned[1], "Quoted line here");
    // Any kind of space before a mark goes: no-break, thin, narrow no-break.
    EXPECT_EQ(PostCopyWriter::sentences(spoken("Wait\u00a0! it really\u2009works\u202f.")),
              (std::vector<std::string>{"Wait!", "it really\u2009works."}));
}

TEST(PostCopyWriter, NothingToSayGivesOnlyTheFixedParts)
{
    const PostCopy empty = PostCopyWriter::draft({}, std::string(" \u201C\u2026\" "), false);
    EXPECT_EQ(empty.youtubeTitle, "");
    EXPECT_EQ(empty.tiktok, "");
    EXPECT_EQ(empty.x, "");
    EXPECT_EQ(empty.youtubeDescription, "#shorts");
    EXPECT_EQ(empty.instagram, "Save this for later and follow for more.\n\n#reels");
    EXPECT_FALSE(empty.byAI);
    EXPECT_EQ(empty.language, std::nullopt);
    EXPECT_EQ(PostCopyWriter::draft({}, std::nullopt, true).language, "english");
}

TEST(PostCopyWriter, TheHookLeadsAndTheBodySkipsWhatRepeatsIt)
{
    const std::vector<Word> words =
        spoken("Most people quit their garden too early. Tomatoes need six weeks of steady water to grow. "
               "Compost feeds the soil better than any bottle you can buy. Most people quit their garden too early!");
    const PostCopy post = PostCopyWriter::draft(words, std::string("Why your garden fails"), false);
    EXPECT_EQ(post.youtubeTitle, "Why your garden fails");
    EXPECT_TRUE(post.instagram.starts_with("Why your garden fails\n\nMost people quit their garden too early."));
    // Without the hook the best sentence leads, and its repetition (overlap 1)
    // never reaches the body.
    const PostCopy own = PostCopyWriter::draft(words, std::nullopt, false);
    EXPECT_EQ(own.youtubeTitle, "Most people quit their garden too early.");
    EXPECT_EQ(own.youtubeDescription.find("early"), std::string::npos);
    EXPECT_TRUE(own.youtubeDescription.starts_with("Tomatoes need six weeks"));
    EXPECT_TRUE(post.x.starts_with("Why your garden fails Most people quit their garden too early."));
    EXPECT_TRUE(post.tiktok.starts_with("Why your garden fails"));
}

TEST(PostCopyWriter, EveryTextStaysWithinItsPlatformLimit)
{
    // Long sentences of emoji-laden words: the limits count what users see.
    std::string talk;
    for (int i = 0; i < 400; ++i) talk += "Gardening \U0001F331 tomatoes grow faster with compost, water and sunlight every single day. ";
    const PostCopy post = PostCopyWriter::draft(spoken(talk), std::nullopt, false);
    EXPECT_LE(chars(post.youtubeTitle), 100u);
    EXPECT_LE(chars(post.youtubeDescription), 5000u);
    EXPECT_LE(chars(post.instagram), 2200u);
    EXPECT_LE(chars(post.tiktok), 2200u);
    EXPECT_LE(chars(post.x), 280u);
    EXPECT_FALSE(post.youtubeTitle.empty());
}

TEST(PostCopyWriter, TitleFallsBackFromClauseToOtherCandidatesToAFit)
{
    // A 90-character lead with its last clause mark after 40 characters.
    const std::string lead = std::string(40, 'a') + ", " + repeat("bbbbbbbbb ", 4) + "cccccc";
    ASSERT_GT(chars(lead), 70u);
    EXPECT_EQ(PostCopyWriter::draft({}, lead, false).youtubeTitle, std::string(40, 'a'));
    // Its only mark in the first 23 characters, and no other candidate: fitted.
    const std::string early = std::string(20, 'a') + ", " + repeat("bbbbbbbbb ", 7);
    const std::string title = PostCopyWriter::draft({}, early, false).youtubeTitle;
    EXPECT_EQ(title, PostCopyWriter::fit(early, 70));
}

TEST(PostCopyWriter, HashtagsRankNamesOverNounsAndKeepTheirForms)
{
    // A place said once (3) outranks a noun said twice (2); equal nouns keep
    // the order of their first mention.
    const auto tags = PostCopyWriter::hashtags(
        "I moved to London last spring. My garden is small. The garden gets sun and the compost helps the soil.", 10);
    ASSERT_GE(tags.size(), 3u);
    EXPECT_EQ(tags[0], "#London");
    EXPECT_EQ(tags[1], "#garden");
    const auto soil = std::find(tags.begin(), tags.end(), "#soil");
    const auto compost = std::find(tags.begin(), tags.end(), "#compost");
    ASSERT_NE(soil, tags.end());
    ASSERT_NE(compost, tags.end());
    EXPECT_LT(compost, soil);

    // A two-word place is one CamelCase tag; a capital acronym counts, its
    // lower-case twin does not; a noun capitalised at a sentence start keeps
    // the lower-case tag; invented words never qualify.
    EXPECT_EQ(PostCopyWriter::hashtags("We flew to New York for the weekend.", 1), std::vector<std::string>{"#NewYork"});
    EXPECT_EQ(PostCopyWriter::hashtags("The AI wrote it. The AI is fast.", 1), std::vector<std::string>{"#AI"});
    // A hyphenated word is one token and one CamelCase tag, never a tag per part.
    EXPECT_EQ(PostCopyWriter::hashtags("We talked about self-care. Self-care is like a garden.", 5),
              (std::vector<std::string>{"#SelfCare", "#garden"}));
    EXPECT_TRUE(PostCopyWriter::hashtags("the ai wrote it", 3).empty());
    EXPECT_EQ(PostCopyWriter::hashtags("my bicycle is red. Bicycle rides are fun.", 1), std::vector<std::string>{"#bicycle"});
    EXPECT_TRUE(PostCopyWriter::hashtags("the blorptastic zingle was quorbed", 3).empty());
    EXPECT_TRUE(PostCopyWriter::hashtags("", 3).empty());
    EXPECT_TRUE(PostCopyWriter::hashtags("you and the people, honestly, just like things", 3).empty()) << "stop words";
}

TEST(PostCopyWriter, HashtagsComeOnlyFromNamesAndNouns)
{
    const struct {
        const char* text;
        int count;
        std::vector<std::string> tags;
    } cases[] = {
        // Only stop words, verbs and adjectives, however the lexicon also lists them.
        {"They run quickly and look happy.", 5, {}},
        {"It is good. We were going.", 5, {}},
        {"Honestly, you were brilliant and we all laughed, then it got better.", 5, {}},
        {"we were happy and they looked tired so we kept going", 5, {}},
        // A noun said five times outranks a name said once (5 against 3).
        {"We loved Berlin. The garden was green, the garden was big, my garden is old, our garden is wild and this "
         "garden is mine.",
         2,
         {"#garden", "#Berlin"}},
        // Number words and ordinals are never tags.
        {"The first three steps took seven minutes, and the second step took twenty.", 5, {"#steps"}},
    };
    for (const auto& c : cases) EXPECT_EQ(PostCopyWriter::hashtags(c.text, c.count), c.tags) << c.text;
}

// The tags of each hand-tagged talk name its subject and are all words marked
// there as names or nouns.
TEST(PostCopyWriter, HashtagsOfTalksNameTheirTopics)
{
    const std::map<std::string, std::string> subjectTag{
        {"habits", "#habits"}, {"money", "#money"}, {"learning", "#Spanish"}, {"focus", "#focus"}};
    for (const SpokenTalk& talk : spokenTalks()) {
        std::set<std::string> topics;
        std::string name;  // a run of names makes one tag
        for (const MarkedWord& w : talk.words) {
            const std::string word = text::lowercased(text::trimPunctuation(w.text));
            name = w.mark == MarkedWord::Mark::name ? name + word : "";
            if (w.mark != MarkedWord::Mark::other) topics.insert(word);
            if (!name.empty()) topics.insert(name);
        }
        const auto tags = PostCopyWriter::hashtags(talk.text, 5);
        std::printf("%s:", talk.subject.c_str());
        for (const std::string& tag : tags) std::printf(" %s", tag.c_str());
        std::printf("\n");
        EXPECT_EQ(tags.size(), 5u) << talk.subject;
        EXPECT_NE(std::find(tags.begin(), tags.end(), subjectTag.at(talk.subject)), tags.end()) << talk.subject;
        for (const std::string& tag : tags) EXPECT_TRUE(topics.contains(text::lowercased(tag.substr(1)))) << tag;
    }
}

TEST(PostCopyWriter, HashtagCountIsAMaximumAndNoKeyContainsAnother)
{
    const auto tags = PostCopyWriter::hashtags(
        "The car and the cars. A bicycle, a lamp, a table, a window, a garden and a kettle.", 5);
    EXPECT_EQ(tags.size(), 5u);
    EXPECT_EQ(std::count(tags.begin(), tags.end(), "#cars") + std::count(tags.begin(), tags.end(), "#car"), 1);
}

TEST(PostCopyWriter, TopicWordsAreSpelledRightOrCarryInnerCapitalsOrDigits)
{
    EXPECT_TRUE(PostCopyWriter::isTopicWord("garden"));
    EXPECT_TRUE(PostCopyWriter::isTopicWord("\"garden,\""));
    EXPECT_TRUE(PostCopyWriter::isTopicWord("iPhone"));
    EXPECT_TRUE(PostCopyWriter::isTopicWord("mp3"));
    EXPECT_FALSE(PostCopyWriter::isTopicWord("gardan"));
    EXPECT_FALSE(PostCopyWriter::isTopicWord("zorblat"));
    EXPECT_EQ(PostCopyWriter::stopwords().size(), 166u);
}

}  // namespace
}  // namespace vt::test
