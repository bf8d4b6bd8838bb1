#include "platform/SpellChecker.h"
#include "platform/WordTagger.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

std::vector<std::pair<std::string, WordTagger::Tag>> tags(const std::string& text)
{
    std::vector<std::pair<std::string, WordTagger::Tag>> out;
    for (const auto& t : WordTagger::tag(text)) out.emplace_back(t.text, t.tag);
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

TEST(WordTagger, NamesNounsAndTheRest)
{
    using T = WordTagger::Tag;
    EXPECT_EQ(tags("We flew to New York, and the garden grew."),
              (std::vector<std::pair<std::string, T>>{{"We", T::other}, {"flew", T::other}, {"to", T::other},
                                                        {"New York", T::name}, {"and", T::other}, {"the", T::other},
                                                        {"garden", T::noun}, {"grew", T::other}}));
    // A word that can be a verb right after a noun reads as a verb; after a
    // pronoun or "to" as well; superlative-taking words are adjectives.
    EXPECT_EQ(tags("The compost helps the soil")[2].second, T::other);
    EXPECT_EQ(tags("I walk")[1].second, T::other);
    EXPECT_EQ(tags("a small lamp")[1].second, T::other);
    EXPECT_EQ(tags("a small lamp")[2].second, T::noun);
    // A capital opening a sentence is no name unless only the capital exists.
    EXPECT_EQ(tags("Gardens grow. Zorblat said so.")[0].second, T::noun);
    EXPECT_EQ(tags("We met Zorblat there")[2].second, T::name);
    // Hyphenated words stay whole and read as their last part; a dash
    // between spaced words joins nothing.
    EXPECT_EQ(tags("my self-care routine")[1], (std::pair<std::string, T>{"self-care", T::noun}));
    EXPECT_EQ(tags("a mother-in-law")[1].first, "mother-in-law");
    EXPECT_EQ(tags("the garden - the lamp").size(), 4u);
    EXPECT_TRUE(WordTagger::tag("  ... !! ").empty());
}

}  // namespace
}  // namespace vt
