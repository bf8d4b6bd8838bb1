#include "captions/CaptionGrouper.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace vt;
namespace CG = vt::CaptionGrouper;

namespace {

TimedWord word(std::string text, double start, double end)
{
    TimedWord w;
    w.text = std::move(text);
    w.start = start;
    w.end = end;
    return w;
}

// Words of the given texts, 0.3 s each with 0.1 s between them.
std::vector<TimedWord> spoken(const std::vector<std::string>& texts)
{
    std::vector<TimedWord> out;
    double t = 0;
    for (const auto& text : texts) {
        out.push_back(word(text, t, t + 0.3));
        t += 0.4;
    }
    return out;
}

CaptionStyle lookWith(std::int64_t maxWords, std::optional<double> pauseBreak = std::nullopt)
{
    CaptionStyle s;
    s.maxWordsPerGroup = maxWords;
    s.pauseBreak = pauseBreak;
    return s;
}

// The texts of each line, words joined by spaces.
std::vector<std::string> lines(const std::vector<CaptionGroup>& groups)
{
    std::vector<std::string> out;
    for (const auto& g : groups) {
        std::string line;
        for (const auto& w : g.words) line += (line.empty() ? "" : " ") + w.text;
        out.push_back(line);
    }
    return out;
}

using Lines = std::vector<std::string>;

const std::string kSeventeenThumbs = [] {
    std::string s;
    for (int i = 0; i < 17; ++i) s += "\U0001F44D\U0001F3FD";  // thumbs up, medium skin tone
    return s;
}();

}  // namespace

TEST(CaptionGrouper, NoWordsNoGroups)
{
    EXPECT_TRUE(CG::groups({}, lookWith(3)).empty());
    EXPECT_TRUE(CG::groups({}, lookWith(3), {{"x", lookWith(1)}}).empty());
}

TEST(CaptionGrouper, LineBreakRules)
{
    auto sentence = spoken({"a", "b.", "c", "d"});
    sentence[1].endsSentence = true;
    auto forced = spoken({"a", "b", "c", "d"});
    forced[0].breakAfter = true;
    auto gaps = [](double gap) {
        return std::vector{word("a", 0, 1), word("b", 1 + gap, 1.5 + gap), word("c", 1.6 + gap, 2 + gap)};
    };
    struct Case {
        const char* name;
        std::vector<TimedWord> words;
        CaptionStyle look;
        Lines expected;
    } cases[] = {
        {"word limit", spoken({"a", "b", "c", "d"}), lookWith(3), {"a b c", "d"}},
        {"limit 0 acts as 1", spoken({"a", "b", "c"}), lookWith(0), {"a", "b", "c"}},
        {"negative limit acts as 1", spoken({"a", "b"}), lookWith(-4), {"a", "b"}},
        {"18 characters fill the budget", spoken({"eighteencharacters", "b", "c"}), lookWith(2),
         {"eighteencharacters", "b c"}},
        {"17 characters leave room", spoken({"seventeencharacte", "b", "c"}), lookWith(2),
         {"seventeencharacte b", "c"}},
        {"budget counts the whole line", spoken({"fourteenletter", "fourteenletter", "c"}), lookWith(3),
         {"fourteenletter fourteenletter", "c"}},
        // 17 emoji of two code points each are 17 characters, not 34.
        {"characters are graphemes", spoken({kSeventeenThumbs, "b", "c"}), lookWith(2),
         {kSeventeenThumbs + " b", "c"}},
        {"sentence end", sentence, lookWith(5), {"a b.", "c d"}},
        {"forced break", forced, lookWith(5), {"a", "b c d"}},
        {"pause of 0.7 s breaks", gaps(0.7), lookWith(5), {"a", "b c"}},
        {"pause of 0.69 s does not", gaps(0.69), lookWith(5), {"a b c"}},
        {"own pause break 1.5", gaps(1.0), lookWith(5, 1.5), {"a b c"}},
        {"own pause break 0.2", gaps(0.3), lookWith(5, 0.2), {"a", "b c"}},
    };
    for (const auto& c : cases) {
        auto got = CG::groups(c.words, c.look);
        EXPECT_EQ(lines(got), c.expected) << c.name;
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].index, static_cast<int>(i)) << c.name;
            EXPECT_EQ(got[i].start, got[i].words.front().start) << c.name;
            EXPECT_FALSE(got[i].styleID) << c.name;
        }
    }
}

TEST(CaptionGrouper, DisplayEnds)
{
    // Lines: [1.0, 2.0] then 2.2 -> cut at 2.2; [2.2, 2.4] then 3.0 -> 2.9;
    // [3.0, 3.5] then 4.0 -> cut at 4.0 ... one-word line 4.0-4.05 before 4.1 -> 4.35.
    std::vector<TimedWord> words{word("a", 1.0, 2.0), word("b", 2.2, 2.4), word("c", 3.0, 3.5),
                                 word("d", 4.0, 4.05), word("e", 4.1, 4.2)};
    auto got = CG::groups(words, lookWith(1, 10.0));
    ASSERT_EQ(got.size(), 5u);
    const double expectedEnds[] = {2.2, 2.9, 4.0, 4.35, 4.7};
    for (std::size_t i = 0; i < got.size(); ++i) EXPECT_DOUBLE_EQ(got[i].end, expectedEnds[i]) << i;

    // The last line keeps its last word's end plus 0.5 s.
    auto single = CG::groups({word("a", 1.0, 2.0), word("b", 3.0, 4.0)}, lookWith(1));
    EXPECT_DOUBLE_EQ(single[0].end, 2.5);
    EXPECT_DOUBLE_EQ(single[1].end, 4.5);
}

TEST(CaptionGrouper, PerLineLooksMakeRuns)
{
    CaptionStyle base = lookWith(5);
    CaptionStyle one = lookWith(1);
    auto words = spoken({"w1", "w2", "w3", "w4", "w5"});
    words[1].styleID = "x";
    words[2].styleID = "x";
    words[4].styleID = "nowhere";  // not in the table: grouped as if it had none

    auto got = CG::groups(words, base, {{"x", one}});
    EXPECT_EQ(lines(got), (Lines{"w1", "w2", "w3", "w4 w5"}));
    const std::optional<std::string> ids[] = {std::nullopt, "x", "x", std::nullopt};
    for (std::size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(got[i].index, static_cast<int>(i));
        EXPECT_EQ(got[i].styleID, ids[i]) << i;
    }
    // The base look alone would have kept w1 to w5 on one line.
    EXPECT_EQ(lines(CG::groups(words, base)), (Lines{"w1 w2 w3 w4 w5"}));
    // Without any known id the table changes nothing.
    EXPECT_EQ(CG::groups(words, base, {{"y", one}}), CG::groups(words, base));

    // An id written decomposed names the same look as its composed key, and
    // the lines carry the table's own key.
    words[1].styleID = "caf\u0065\u0301";
    words[2].styleID = "caf\u00E9";
    got = CG::groups(words, base, {{"caf\u00E9", one}});
    EXPECT_EQ(lines(got), (Lines{"w1", "w2", "w3", "w4 w5"}));
    EXPECT_EQ(got[1].styleID, "caf\u00E9");
    EXPECT_EQ(got[2].styleID, "caf\u00E9");
}

TEST(CaptionGrouper, RunsDoNotLingerIntoTheNextRun)
{
    CaptionStyle base = lookWith(5);
    std::vector<TimedWord> words{word("a", 0, 1), word("b", 1.2, 2), word("c", 2.1, 3)};
    words[1].styleID = "x";
    auto got = CG::groups(words, base, {{"x", base}});
    ASSERT_EQ(got.size(), 3u);
    EXPECT_DOUBLE_EQ(got[0].end, 1.2);  // its run's last line lingers, then is cut at the next run
    EXPECT_DOUBLE_EQ(got[1].end, 2.1);
    EXPECT_DOUBLE_EQ(got[2].end, 3.5);  // the last line lingers 0.5 s once, not twice

    // The 0.35 s minimum survives the trim.
    std::vector<TimedWord> brief{word("a", 0, 0.05), word("b", 0.1, 0.5)};
    brief[1].styleID = "x";
    auto short_ = CG::groups(brief, base, {{"x", base}});
    EXPECT_DOUBLE_EQ(short_[0].end, 0.35);
}

TEST(CaptionGrouper, GroupAtTime)
{
    auto groups = CG::groups({word("a", 1.0, 2.0), word("b", 3.0, 4.0), word("c", 6.0, 7.0)}, lookWith(1));
    struct Case {
        double t;
        std::string text;  // empty: nothing shown
    } cases[] = {{0.5, ""}, {1.0, "a"}, {2.49, "a"}, {2.5, ""}, {3.0, "b"},
                 {4.5, ""}, {6.5, "c"}, {7.5, ""}, {100, ""}};
    for (const auto& c : cases) {
        const CaptionGroup* g = CG::groupAt(c.t, groups);
        EXPECT_EQ(g ? g->words.front().text : "", c.text) << c.t;
    }
    EXPECT_EQ(CG::groupAt(1.0, {}), nullptr);
}
