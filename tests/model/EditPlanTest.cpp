#include "model/EditPlan.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>

using namespace vt;

namespace {

using Seg = EditPlan::Segment;
using Range = ClosedRange<double>;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

Word word(double start, double end, bool deleted = false, std::string text = "word")
{
    return {Uuid::random(), std::move(text), start, end, deleted, false, false, {}, {}, {}};
}

void expectSegments(const EditPlan& plan, const std::vector<Seg>& expected)
{
    ASSERT_EQ(plan.segments.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(plan.segments[i].sourceStart, expected[i].sourceStart, 1e-9);
        EXPECT_NEAR(plan.segments[i].sourceEnd, expected[i].sourceEnd, 1e-9);
        EXPECT_NEAR(plan.segments[i].outputStart, expected[i].outputStart, 1e-9);
    }
}

struct MakeCase {
    const char* name;
    std::vector<Word> words;
    double duration;
    bool trimPauses = false;
    double maxPause = 0.8;
    std::optional<Range> range;
    std::optional<std::vector<Range>> keep;
    std::vector<Seg> expected;
};

}  // namespace

TEST(EditPlan, Make)
{
    const MakeCase cases[] = {
        {"nothing to cut", {}, 10, false, 0.8, {}, {}, {{0, 10, 0}}},
        {"every word deleted", {word(1, 2, true), word(3, 4, true)}, 10, false, 0.8, {}, {}, {{0, 0.5, 0}}},
        {"fallback shorter than half a second", {word(0, 0.2, true)}, 0.3, false, 0.8, {}, {}, {{0, 0.3, 0}}},
        {"empty keep list", {word(1, 2)}, 10, false, 0.8, {}, std::vector<Range>{}, {{0, 0.5, 0}}},
        {"deleted run keeps margins",
         {word(0, 1), word(1.2, 1.5, true), word(1.6, 2)}, 2, false, 0.8, {}, {},
         {{0, 1.06, 0}, {1.54, 2, 1.06}}},
        {"margins that meet cut nothing",
         {word(0, 1), word(1.02, 1.08, true), word(1.1, 2)}, 2, false, 0.8, {}, {}, {{0, 2, 0}}},
        {"deleted run at either end reaches the source edges",
         {word(0.5, 1, true), word(1.5, 2), word(2.2, 2.5, true)}, 3, false, 0.8, {}, {},
         {{1.44, 2.06, 0}}},
        {"long pauses keep half the limit on each side",
         {word(2, 3), word(5, 6)}, 6, true, 0.8, {}, {}, {{1.6, 3.4, 0}, {4.6, 6, 1.8}}},
        {"pauses equal to the limit stay",
         {word(0.75, 3), word(3.75, 4.25)}, 5, true, 0.75, {}, {}, {{0, 5, 0}}},
        {"pauses untouched when trimming is off", {word(2, 3), word(5, 6)}, 8, false, 0.8, {}, {}, {{0, 8, 0}}},
        {"pause measured between kept words, merged with the deleted run",
         {word(0, 1), word(1.2, 2.8, true), word(3, 4)}, 4, true, 0.8, {}, {},
         {{0, 1.06, 0}, {2.94, 4, 1.06}}},
        {"single range", {}, 5, false, 0.8, Range{1, 4}, {}, {{1, 4, 0}}},
        {"keep list sorted and overrides the range",
         {}, 5, false, 0.8, Range{0, 5}, std::vector<Range>{{2, 3}, {0, 1}}, {{0, 1, 0}, {2, 3, 1}}},
        {"overlapping keep ranges keep their union",
         {}, 5, false, 0.8, {}, std::vector<Range>{{0, 2}, {1, 3}}, {{0, 3, 0}}},
        {"touching removals merge",
         {}, 5, false, 0.8, {}, std::vector<Range>{{0, 1}, {2, 2}, {3, 5}}, {{0, 1, 0}, {3, 5, 1}}},
        {"a stretch of 0.04 s or less counts as cut",
         {}, 5, false, 0.8, {}, std::vector<Range>{{0, 1}, {2, 2.03}, {3, 5}}, {{0, 1, 0}, {3, 5, 1}}},
        {"a stretch just over 0.04 s is kept",
         {}, 5, false, 0.8, {}, std::vector<Range>{{0, 1}, {2, 2.05}, {3, 5}},
         {{0, 1, 0}, {2, 2.05, 1}, {3, 5, 1.05}}},
        {"keep beyond the source is clamped", {}, 5, false, 0.8, {}, std::vector<Range>{{-2, 3}, {4, 9}},
         {{0, 3, 0}, {4, 5, 3}}},
        // Non-finite input.
        {"duration not a number", {word(0, 1)}, kNaN, false, 0.8, {}, {}, {{0, 0, 0}}},
        {"infinite duration", {word(0, 1)}, kInf, false, 0.8, {}, {}, {{0, 0, 0}}},
        {"negative duration", {}, -3, false, 0.8, {}, {}, {{0, 0, 0}}},
        {"deleted run next to a word with unknown times cuts nothing",
         {word(kNaN, kNaN), word(1, 2, true), word(3, 4)}, 4, false, 0.8, {}, {}, {{0, 4, 0}}},
        {"keep range with an unknown bound keeps nothing",
         {}, 5, false, 0.8, {}, std::vector<Range>{{kNaN, 2}, {3, 4}}, {{3, 4, 0}}},
        {"pause limit not a number trims nothing", {word(2, 3), word(5, 6)}, 6, true, kNaN, {}, {}, {{0, 6, 0}}},
        {"negative pause limit trims to the words",
         {word(1, 2), word(3, 4)}, 5, true, -1, {}, {}, {{1, 2, 0}, {3, 4, 1}}},
        {"word at minus infinity", {word(-kInf, 1), word(3, 4)}, 5, true, 0.8, {}, {}, {{0, 1.4, 0}, {2.6, 4.4, 1.4}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        expectSegments(EditPlan::make(c.words, c.duration, c.trimPauses, c.maxPause, c.range, c.keep), c.expected);
    }
}

// Random transcripts and settings: every plan keeps the invariants the rest of
// the program relies on, and the mappings invert each other inside segments.
TEST(EditPlan, RandomPlansKeepTheirInvariants)
{
    std::mt19937 rng(12345);
    std::uniform_real_distribution<double> unit(0, 1);
    for (int round = 0; round < 300; ++round) {
        SCOPED_TRACE(round);
        double t = unit(rng) * 2;
        std::vector<Word> words;
        for (int i = 0, n = static_cast<int>(unit(rng) * 30); i < n; ++i) {
            double start = t + unit(rng) * 1.5;
            double end = start + unit(rng) * 0.6;
            words.push_back(word(start, end, unit(rng) < 0.3));
            t = end;
        }
        double duration = t + unit(rng) * 3;
        std::optional<std::vector<Range>> keep;
        if (unit(rng) < 0.3) {
            keep.emplace();
            for (int k = 0; k < 3; ++k) {
                double lo = unit(rng) * duration;
                keep->push_back({lo, lo + unit(rng) * duration / 2});
            }
        }
        EditPlan plan = EditPlan::make(words, duration, unit(rng) < 0.5, 0.2 + unit(rng), {}, keep);

        ASSERT_FALSE(plan.segments.empty());
        EXPECT_EQ(plan.segments.front().outputStart, 0);
        for (std::size_t i = 0; i < plan.segments.size(); ++i) {
            const auto& s = plan.segments[i];
            EXPECT_GE(s.sourceStart, 0);
            EXPECT_LE(s.sourceEnd, duration);
            if (plan.segments.size() > 1 || s.sourceStart != 0) {
                EXPECT_GT(s.length(), 0.04);
            }
            if (i > 0) {
                EXPECT_GE(s.sourceStart, plan.segments[i - 1].sourceEnd);
                EXPECT_NEAR(s.outputStart, plan.segments[i - 1].outputEnd(), 1e-9);
            }
            double mid = (s.sourceStart + s.sourceEnd) / 2;
            EXPECT_NEAR(plan.sourceTime(plan.outputTime(mid)), mid, 1e-9);
            EXPECT_NEAR(plan.sourceTime(plan.outputTime(s.sourceStart)), s.sourceStart, 1e-9);
        }
        for (const TimedWord& tw : plan.timedWords(words)) {
            EXPECT_GE(tw.start, 0);
            EXPECT_GE(tw.end, tw.start + 0.05 - 1e-12);
            EXPECT_LE(tw.start, plan.outputLength());
        }
    }
}

TEST(EditPlan, TimeMappings)
{
    const EditPlan plan{{{1, 2, 0}, {3, 5, 1}}};  // output length 3
    struct Case {
        double source, output;
    } toOutput[] = {
        {0, 0},        // before the first segment: its start
        {1.5, 0.5},
        {2, 1},        // a segment's end belongs to the cut after it
        {2.5, 1},      // inside a cut: the next segment's start
        {4, 2},
        {5, 3},        // at or after the last end: the output length
        {99, 3},
        {kNaN, 0},     // taken as 0
        {-kInf, 0},
        {kInf, 3},
    };
    for (const auto& c : toOutput) {
        SCOPED_TRACE(c.source);
        EXPECT_DOUBLE_EQ(plan.outputTime(c.source), c.output);
    }
    struct Back {
        double output, source;
    } toSource[] = {{-1, 1}, {0, 1}, {0.5, 1.5}, {1, 3}, {2.5, 4.5}, {3, 5}, {10, 5}, {kNaN, 1}, {-kInf, 1}, {kInf, 5}};
    for (const auto& c : toSource) {
        SCOPED_TRACE(c.output);
        EXPECT_DOUBLE_EQ(plan.sourceTime(c.output), c.source);
    }
    EXPECT_DOUBLE_EQ(plan.outputLength(), 3);

    const EditPlan empty;
    EXPECT_EQ(empty.outputTime(4), 0);
    EXPECT_EQ(empty.sourceTime(4), 0);
    EXPECT_EQ(empty.outputLength(), 0);
}

TEST(EditPlan, TimedWords)
{
    const EditPlan plan{{{0, 1, 0}, {2, 4, 1}}};
    Word spoken = word(0.2, 0.5, false, "Hi");
    spoken.emphasized = true;
    spoken.breakAfter = true;
    spoken.styleID = "neon";
    spoken.look = WordLook{1.15, std::nullopt, 0, 0};
    Word instant = word(2.5, 2.5, false, "so");
    instant.look = WordLook{};
    Word inCut = word(1.2, 1.4, false, "uh");
    Word gone = word(2.6, 3, true, "gone");

    auto out = plan.timedWords({spoken, instant, inCut, gone});
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[0], (TimedWord{"Hi", 0.2, 0.5, true, true, false, spoken.id, spoken.look, "neon"}));
    EXPECT_DOUBLE_EQ(out[1].start, 1.5);
    EXPECT_DOUBLE_EQ(out[1].end, 1.55);  // at least 0.05 s long
    EXPECT_FALSE(out[1].look);           // the default look becomes absent
    EXPECT_EQ(out[1].id, instant.id);
    EXPECT_DOUBLE_EQ(out[2].start, 1);   // inside a cut: kept, at the next stretch
    EXPECT_DOUBLE_EQ(out[2].end, 1.05);
}

TEST(EditPlan, SentenceEnds)
{
    struct Case {
        const char* text;
        bool ends;
    } cases[] = {
        {"really?!", true},
        {"so\u2026", true},
        {"done.  \t", true},
        {"Stop!", true},
        {"well,", false},
        {"\u201cdone.\u201d", false},  // closing quotation mark last
        {"etc.\n", false},              // a line break is not trimmed
        {"", false},
        {" \t", false},
        {".", true},
        {"e\u0301.", true},
        {"a.\u0301", false},            // the mark carries an accent: not a plain full stop
        {"\u0600.", false},             // joined to the prefix character before it
    };
    const EditPlan plan{{{0, 10, 0}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        auto out = plan.timedWords({word(1, 2, false, c.text)});
        ASSERT_EQ(out.size(), 1u);
        EXPECT_EQ(out[0].endsSentence, c.ends);
    }
}

TEST(EditPlan, EqualityAndHash)
{
    EditPlan a{{{0, 1, 0}, {2, 3, 1}}};
    EditPlan b{{{-0.0, 1, 0}, {2, 3, 1}}};
    EXPECT_EQ(a, b);
    EXPECT_EQ(std::hash<EditPlan>{}(a), std::hash<EditPlan>{}(b));
    b.segments[1].outputStart = 1.5;
    EXPECT_NE(a, b);
    EXPECT_NE(std::hash<EditPlan>{}(a), std::hash<EditPlan>{}(b));
}
