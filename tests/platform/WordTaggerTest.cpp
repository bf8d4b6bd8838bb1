#include "platform/SpellChecker.h"
#include "platform/WordTagger.h"
#include "support/SpokenTalks.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <thread>

namespace vt {
namespace {

using T = WordTagger::Tag;

std::vector<std::pair<std::string, T>> tags(const std::string& text)
{
    std::vector<std::pair<std::string, T>> out;
    for (const auto& t : WordTagger::tag(text)) out.emplace_back(t.text, t.tag);
    return out;
}

T tagOf(test::MarkedWord::Mark m)
{
    return m == test::MarkedWord::Mark::name ? T::name : m == test::MarkedWord::Mark::noun ? T::noun : T::other;
}

const char* nameOf(T t) { return t == T::name ? "name" : t == T::noun ? "noun" : "other"; }

// The tag of every word of `text` split at spaces; a joined name gives its tag to each of its words.
std::vector<T> perWord(const std::string& text)
{
    std::vector<T> out;
    for (const auto& token : WordTagger::tag(text)) {
        std::istringstream parts(token.text);
        for (std::string part; parts >> part;) out.push_back(token.tag);
    }
    return out;
}

TEST(SpellChecker, ReadsTheEnglishDictionary)
{
    ASSERT_TRUE(SpellChecker::available());
    EXPECT_TRUE(SpellChecker::isCorrect("garden"));
    EXPECT_TRUE(SpellChecker::isCorrect("gardens"));
    EXPECT_TRUE(SpellChecker::isCorrect("London"));
    EXPECT_FALSE(SpellChecker::isCorrect("gardan"));
    EXPECT_EQ(SpellChecker::stems("gardens"), std::vector<std::string>{"garden"});
    const auto entries = SpellChecker::entries("london");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].word, "London");
}

// The tagger against talks tagged by hand. Agreement counts every word that
// either side calls a name or a noun, so a missed noun and a verb taken for a
// noun both count against it.
TEST(WordTagger, AgreesWithHandTaggedSpeech)
{
    int agreed = 0, considered = 0, handTopics = 0, taggerTopics = 0;
    std::ostringstream misses;
    for (const test::SpokenTalk& talk : test::spokenTalks()) {
        const std::vector<T> given = perWord(talk.text);
        ASSERT_EQ(given.size(), talk.words.size()) << talk.subject << ": one token per word, names joined";
        for (std::size_t i = 0; i < given.size(); ++i) {
            const T hand = tagOf(talk.words[i].mark);
            if (hand == T::other && given[i] == T::other) continue;
            ++considered;
            handTopics += hand != T::other;
            taggerTopics += given[i] != T::other;
            if (hand == given[i])
                ++agreed;
            else
                misses << "  " << talk.subject << ": \"" << talk.words[i].text << "\" is " << nameOf(hand) << ", tagged "
                       << nameOf(given[i]) << "\n";
        }
    }
    const double agreement = double(agreed) / considered;
    std::printf("Names and nouns: %d by hand, %d by the tagger, %d agreed: agreement %.1f %%\n%s", handTopics,
                taggerTopics, agreed, 100 * agreement, misses.str().c_str());
    EXPECT_GE(agreement, 0.9);
}

// Each sentence marked as in the hand-tagged talks; the tagger must agree on every word.
TEST(WordTagger, NeighboursDecideBetweenReadings)
{
    const char* const cases[] = {
        // Verbs and adjectives, however often the lexicon also lists them as nouns.
        "They run quickly and look happy.",
        "It is good. We were going.",
        "we were happy and they looked tired so we kept going",
        // A determiner, a possessive, a number or an adjective before a word makes it a noun.
        "I took a quick *look at the *water.",
        "Good *habits stick, and my *spending went down.",
        "The *focus was *money. I want to focus.",
        // "to" leads to a verb only where the verb reading is common; a modal always.
        "The *children went to *school. You should water the *plants.",
        // "-ing" after a form of "be" is a verb, however it is spelled.
        "We are learning ^Spanish and she's really enjoying *lessons.",
        // Number words and ordinals, hyphenated too, are never nouns.
        "Three *friends finished first, and twenty-five *people came second.",
        // A number or an ordinal leads to a noun only where the noun reading
        // is common: unpunctuated speech runs on into the next clause.
        "first put your *phone away and then go to *bed",
        "i wake up at six make *coffee and read for twenty *minutes",
        // Before an object pronoun a word is a verb where it can be one.
        "if you have *questions just text me",
        "we sell *candles online and ship them all over the *country",
        // Names: known only capitalised (in any case), capitalised inside a
        // sentence, unknown and capitalised, and runs of them.
        "i moved to ^london last *year",
        "I met ^Sarah's *sister in ^New ^York on ^Friday.",
        "^Zorblat came with ^Priya ^Shah.",
        // Plurals of common words are no names, though the spelling
        // dictionary also lists them as names ("Rules", "Windows").
        "i follow three simple *rules and the *numbers do not lie",
        "we opened the *windows and bought *flowers at two *banks",
        // A capital at a sentence's start is no name by itself.
        "*Gardens need *water.",
        "My *self-care *routine is a well-known *secret.",
    };
    for (const char* marked : cases) {
        const auto expected = test::markedWords(marked);
        std::string text;
        for (const auto& w : expected) text += (text.empty() ? "" : " ") + w.text;
        const std::vector<T> given = perWord(text);
        ASSERT_EQ(given.size(), expected.size()) << marked;
        for (std::size_t i = 0; i < given.size(); ++i)
            EXPECT_EQ(std::string(nameOf(given[i])), nameOf(tagOf(expected[i].mark))) << "\"" << expected[i].text << "\" in: " << marked;
    }
}

TEST(WordTagger, TagsOnManyThreadsAtOnce)
{
    std::vector<std::vector<T>> alone;
    for (const test::SpokenTalk& talk : test::spokenTalks()) alone.push_back(perWord(talk.text));
    std::vector<std::vector<std::vector<T>>> together(4);
    std::vector<std::thread> threads;
    for (auto& results : together)
        threads.emplace_back([&results] {
            for (int round = 0; round < 5; ++round)
                for (const test::SpokenTalk& talk : test::spokenTalks()) results.push_back(perWord(talk.text));
        });
    for (auto& t : threads) t.join();
    for (const auto& results : together)
        for (std::size_t i = 0; i < results.size(); ++i) EXPECT_EQ(results[i], alone[i % alone.size()]);
}

TEST(WordTagger, NamesNounsAndTheRest)
{
    EXPECT_EQ(tags("We flew to New York, and the garden grew."),
              (std::vector<std::pair<std::string, T>>{{"We", T::other}, {"flew", T::other}, {"to", T::other},
                                                        {"New York", T::name}, {"and", T::other}, {"the", T::other},
                                                        {"garden", T::noun}, {"grew", T::other}}));
    EXPECT_EQ(tags("The compost helps the soil")[2].second, T::other);
    EXPECT_EQ(tags("a small lamp")[1].second, T::other);
    // Hyphenated words stay whole; a dash between spaced words joins nothing.
    EXPECT_EQ(tags("a mother-in-law")[1], (std::pair<std::string, T>{"mother-in-law", T::noun}));
    EXPECT_EQ(tags("the garden - the lamp").size(), 4u);
    EXPECT_TRUE(WordTagger::tag("  ... !! ").empty());
}

}  // namespace
}  // namespace vt
