#include "platform/WordLexicon.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <fstream>

namespace vt {
namespace {

void write(const std::filesystem::path& file, const std::string& text) { std::ofstream(file) << text; }

// A lexicon of a few words in the installed files' formats, licence lines included.
void writeSmallLexicon(const std::filesystem::path& folder)
{
    const std::string licence = "  1 This software and database is being provided to you, the LICENSEE\n";
    write(folder / "index.noun", licence + "child n 1 1 @ 1 0 00000001\nglass n 1 1 @ 1 1 00000002\n"
                                           "habit n 1 1 @ 1 1 00000003\nrun n 1 1 @ 1 1 00000004\n"
                                           "self_care n 1 1 @ 1 0 00000005\n");
    write(folder / "index.verb", licence + "go v 1 1 @ 1 1 00000001\nplan v 1 1 @ 1 0 00000002\nrun v 1 1 @ 1 1 00000003\n");
    write(folder / "index.adj", licence + "good a 1 1 & 1 1 00000001\n");
    write(folder / "index.adv", licence);
    write(folder / "noun.exc", "children child\n");
    write(folder / "verb.exc", "went go\n");
    write(folder / "adj.exc", "better good well\n");
    write(folder / "adv.exc", "");
    write(folder / "cntlist.rev", "go%2:38:00:: 1 300\nrun%2:38:00:: 1 100\nrun%1:04:00:: 1 20\nrun%1:04:01:: 2 3\n"
                                  "habit%1:09:00:: 1 7\ngood%5:00:00:nice:00 1 9\nglass%1:27:00:: 1 4\n");
}

TEST(WordLexicon, FindsFormsThroughTheirLemmas)
{
    test::TempDir dir;
    writeSmallLexicon(dir.path());
    const WordLexicon lexicon(dir.path());
    using P = WordLexicon::Part;
    const struct {
        const char* form;
        double noun, verb, adjective;
    } cases[] = {
        {"habit", 8, 0, 0},      // 1 plus its tag count
        {"habits", 8, 0, 0},     // plural ending
        {"children", 1, 0, 0},   // the exception list
        {"went", 0, 301, 0},     // likewise for verbs
        {"going", 0, 301, 0},    // "-ing"
        {"planning", 0, 1, 0},   // "-ing" with its doubled consonant
        {"runs", 24, 101, 0},    // both readings, counts summed over senses
        {"better", 0, 0, 10},    // comparative from the exception list
        {"glasses", 5, 0, 0},    // "-es" after "s"
        {"self_care", 0, 0, 0},  // collocations are left out
        {"zorblat", 0, 0, 0},
        {"1", 0, 0, 0},          // the licence line's number is no word
    };
    for (const auto& c : cases) {
        const WordLexicon::Readings r = lexicon.readings(c.form);
        EXPECT_EQ(r[P::noun], c.noun) << c.form;
        EXPECT_EQ(r[P::verb], c.verb) << c.form;
        EXPECT_EQ(r[P::adjective], c.adjective) << c.form;
    }
    EXPECT_EQ(lexicon.readings("runs").likeliest(), P::verb);
    EXPECT_TRUE(lexicon.readings("habits").plural);
    EXPECT_FALSE(lexicon.readings("habit").plural);
    EXPECT_FALSE(lexicon.readings("zorblat").any());
}

TEST(WordLexicon, AMissingFileIsNamedWithThePackageThatBringsIt)
{
    test::TempDir dir;
    writeSmallLexicon(dir.path());
    std::filesystem::remove(dir / "verb.exc");
    try {
        WordLexicon lexicon(dir.path());
        FAIL() << "read a lexicon without its verb exceptions";
    } catch (const LexiconMissing& e) {
        const std::string message = e.what();
        EXPECT_NE(message.find((dir / "verb.exc").string()), std::string::npos) << message;
        EXPECT_NE(message.find("wordnet-base"), std::string::npos) << message;
    }
    // The installed lexicon is complete here, as the set-up leaves it.
    EXPECT_EQ(WordLexicon::englishProblem(), "");
}

}  // namespace
}  // namespace vt
