#include "speech/Loanwords.h"

#include <gtest/gtest.h>

#include <set>

using namespace vt;

TEST(Loanwords, Tables)
{
    const auto& table = Loanwords::devanagari();
    EXPECT_EQ(table.size(), 196u);
    std::set<std::string> words;
    for (const auto& [form, word] : table) words.insert(word);
    EXPECT_EQ(words.size(), 189u);

    const auto& bySkeleton = Loanwords::englishBySkeleton();
    EXPECT_EQ(bySkeleton.size(), 134u);
    ASSERT_TRUE(bySkeleton.contains("skl"));
    EXPECT_TRUE(bySkeleton.at("skl") == "social" || bySkeleton.at("skl") == "skill");
    for (const char* shortWord : {"app", "hi", "AI", "but", "gym", "tip", "bio"})
        for (const auto& [skeleton, word] : bySkeleton) EXPECT_NE(word, shortWord);
}

TEST(Loanwords, EnglishForDevanagari)
{
    struct {
        const char* devanagari;
        const char* romanized;
        std::optional<std::string> expected;
    } cases[] = {
        {"वीडियो", "vidiyo", "video"},
        {"विडियो", "vidiyo", "video"},
        {"वीडियोज", "vidiyoj", "videos"},
        {"फ़ॉलो", "folo", "follow"},              // nukta ignored
        {"फ़ोन", "fon", "phone"},
        {"फोन", "phon", "phone"},
        {"यूट्यूब", "yootyoob", "YouTube"},        // capitals kept
        {"एआई", "eaai", "AI"},
        {"प्रॉडक्ट", "prodakt", "product"},        // not in the table: by skeleton prdkt
        {"कॉफ़ी", "kofi", std::nullopt},           // skeleton kf too short
        {"लॉग", "log", std::nullopt},
        {"प्रडक्ट", "prodakt", std::nullopt},      // no English o: never by skeleton
        {"नमस्ते", "namaste", std::nullopt},
        {"", "", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Loanwords::english(c.devanagari, c.romanized), c.expected) << c.devanagari;
}

TEST(Loanwords, Skeletons)
{
    struct {
        const char* word;
        const char* skeleton;
    } cases[] = {
        {"Follow", "flv"}, {"check", "Ck"}, {"ChatGPT", "Ctgpt"}, {"taxi", "tks"},   {"pizza", "pj"},
        {"banana", "bn"},  {"2-step", "stp"}, {"phone", "fn"},     {"Shadow", "sdv"}, {"quick", "k"},
        {"", ""},          {"aeiouy", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(Loanwords::skeleton(c.word), c.skeleton) << c.word;
}
