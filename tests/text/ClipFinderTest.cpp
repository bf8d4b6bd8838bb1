#include "text/ClipFinder.h"

#include "TextFixtures.h"
#include "text/HookGenerator.h"
#include "text/PostCopyWriter.h"

#include <gtest/gtest.h>

namespace vt::test {
namespace {

using Length = ClipFinder::Length;

std::string repeat(const std::string& s, int n)
{
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

// One sentence of `n` words spread evenly over `seconds` from `from`.
std::vector<Word> sentence(const std::string& opening, int n, double from, double seconds, const std::string& end = ".")
{
    std::string text = opening;
    int words = int(std::count(opening.begin(), opening.end(), ' ')) + 1;
    for (; words < n; ++words) text += " word";
    text += end;
    const double step = seconds / n;
    return spoken(text, from, step, step * 0.8);
}

TEST(ClipFinder, SentencesSplitAtLongGapsMarksDandasAndThirtyWords)
{
    auto s = ClipFinder::sentences({timedWord("a", 0, 1), timedWord("b", 1.5, 2), timedWord("c", 3, 4)});
    ASSERT_EQ(s.size(), 2u) << "0.5 s keeps, 1 s splits";
    EXPECT_EQ(s[0].text, "a b");
    EXPECT_EQ((std::pair{s[1].first, s[1].last}), (std::pair{2, 2}));

    EXPECT_EQ(ClipFinder::sentences(spoken("Really? ok\u0964 next")).size(), 3u);
    EXPECT_EQ(ClipFinder::sentences(spoken(repeat("w ", 31))).size(), 2u);

    std::vector<Word> cut = spoken("a b c d");
    cut[1].deleted = true;
    cut[3].deleted = true;
    s = ClipFinder::sentences(cut);
    ASSERT_EQ(s.size(), 1u);
    EXPECT_EQ(s[0].text, "a c");
    EXPECT_EQ(s[0].last, 2);
}

TEST(ClipFinder, ScoresMapOntoAHundred)
{
    const std::vector<std::pair<double, int>> cases{{3.2, 50}, {0, 12}, {1, 20}, {6.4, 88}, {8, 95}};
    for (const auto& [raw, score] : cases) EXPECT_EQ(ClipFinder::scaled(raw), score) << raw;
}

TEST(ClipFinder, ClipIDsAndLengths)
{
    ClipFinder::Clip clip;
    clip.start = 12.345;
    clip.end = 40.5;
    EXPECT_EQ(clip.id(), "1234-4050");
    EXPECT_EQ(ClipFinder::rawValue(Length::short_), "15\u201330 s");
    EXPECT_EQ(ClipFinder::rawValue(Length::medium), "30\u201360 s");
    EXPECT_EQ(ClipFinder::rawValue(Length::long_), "60\u201390 s");
    EXPECT_EQ(ClipFinder::shortest(Length::long_), 60);
    EXPECT_EQ(ClipFinder::longest(Length::short_), 30);
    EXPECT_EQ(ClipFinder::connectors().size(), 23u);
}

TEST(ClipFinder, ASingleSentenceOfTheRightLengthIsAClipWithPaddedClampedTimes)
{
    const auto words = sentence("Why you should never skip leg day", 30, 0.1, 20);
    const auto clips = ClipFinder::find(words, Length::short_, {}, 10, 20.2);
    ASSERT_EQ(clips.size(), 1u);
    EXPECT_EQ(clips[0].start, 0) << "never before the media's start";
    EXPECT_DOUBLE_EQ(clips[0].end, 20.2) << "never past the media's end";
    EXPECT_EQ(clips[0].id(), "0-2020");
    // A title over 80 characters without a clause mark is cut at a word.
    std::string text;
    for (const Word& w : words) text += (text.empty() ? "" : " ") + w.text;
    EXPECT_EQ(clips[0].title, PostCopyWriter::fit(text, 80));
    // Without a known media end the tail is 0.25 s.
    EXPECT_DOUBLE_EQ(ClipFinder::find(words, Length::short_, {}, 10)[0].end, words.back().end + 0.25);

    EXPECT_TRUE(ClipFinder::find(sentence("Too long", 30, 0, 35), Length::short_, {}, 10).empty());
    EXPECT_TRUE(ClipFinder::find({}, Length::medium, {}, 10).empty());
}

TEST(ClipFinder, ConnectorsNeverStartAClip)
{
    for (const std::string opening : {"And then it happened", "so the point is", "Toh\u2026 we went"}) {
        const auto clips = ClipFinder::find(sentence(opening, 30, 0, 20), Length::short_, {}, 10);
        for (const auto& clip : clips) EXPECT_GT(clip.start, 0) << opening;
    }
    EXPECT_TRUE(ClipFinder::find(sentence("And then it happened", 30, 0, 20), Length::short_, {}, 10).empty());
    EXPECT_EQ(ClipFinder::find(sentence("Andrew said it", 30, 0, 20), Length::short_, {}, 10).size(), 1u);
    // "And then…" may stand inside a clip that starts before it.
    const auto words = sentence("Here is a story", 20, 0, 10) + sentence("And then it happened", 20, 10.2, 10);
    const auto clips = ClipFinder::find(words, Length::short_, {}, 10);
    ASSERT_EQ(clips.size(), 1u);
    EXPECT_EQ(clips[0].start, 0);
    EXPECT_TRUE(clips[0].title.starts_with("Here is a story"));
}

TEST(ClipFinder, RawScoreAndReasonsFollowTheRules)
{
    // Opening pull 5.0 ("you", "?", why, never), 8 words; ends on "?"; 8 words in
    // 4 s is 2 a second (no pace term); no loudness; 4 s against a 15–30 range.
    const auto words = spoken("Why would you never ever say this twice?", 0, 0.5, 0.4);
    const auto s = ClipFinder::sentences(words);
    const auto [raw, reasons] = ClipFinder::score(s, words, {15, 30}, {}, 0);
    const double lengthFit = 0.6 * std::max(0.0, 1 - std::abs(3.9 - 22.5) / 7.5);
    EXPECT_NEAR(raw, 1.2 * 5.0 + 1 + 0.3 + 0.5 * 5.0 + lengthFit, 1e-9);
    EXPECT_EQ(reasons, (std::vector<std::string>{"Opens with a question", "Talks to you"}));

    // Five reasons hold: only the first three stay.
    const auto lively = spoken("You know 3 ways to win big. Trust me now friends.", 0, 0.3, 0.25);
    std::vector<float> curve(200, 0.1f);
    for (std::size_t k = 0; k < 40; ++k) curve[k] = 1;
    const auto [raw2, five] = ClipFinder::score(ClipFinder::sentences(lively), lively, {15, 30}, curve, 0.2);
    EXPECT_EQ(five, (std::vector<std::string>{"Strong opening", "Talks to you", "Numbers"}));
    EXPECT_GT(raw2, 0);

    // Pauses over 1.2 s cost 0.5 each, at most 2.
    auto paused = spoken("a b c d e f g h i j", 0, 2, 0.3);
    paused.back().text += ".";
    const auto [rawPaused, ignored] = ClipFinder::score(ClipFinder::sentences({paused[0]}), paused, {15, 30}, {}, 0);
    (void)ignored;
    EXPECT_LT(rawPaused, 1);
}

TEST(ClipFinder, PicksTheBestNonOverlappingClipsBestFirst)
{
    // Twelve 16-second stretches with growing pull, one second apart.
    std::vector<Word> words;
    const std::vector<std::string> openings{"Plain words here", "You see", "How you win", "Why you lose?", "The 3 secrets",
                                            "Stop now", "Nobody knows", "The best way", "Free and easy", "The only truth",
                                            "Never stop", "Most people fail"};
    for (std::size_t i = 0; i < openings.size(); ++i) words = words + sentence(openings[i], 30, double(i) * 17, 16);
    const auto clips = ClipFinder::find(words, Length::short_, {}, 10);
    ASSERT_EQ(clips.size(), 10u);
    for (std::size_t i = 1; i < clips.size(); ++i) {
        EXPECT_GE(clips[i - 1].score, clips[i].score);
        for (std::size_t j = 0; j < i; ++j)
            EXPECT_FALSE(clips[i].start < clips[j].end && clips[j].start < clips[i].end) << i << " overlaps " << j;
    }
}

TEST(ClipFinder, NeighbouringRunsOverlapByTheirMarginsButTouchingClipsDoNot)
{
    // Two 16 s sentences back to back: each alone is a short clip, and the
    // 0.15 s and 0.25 s margins make them overlap, so one is picked.
    const auto words = sentence("Why you fail", 30, 0, 16) + sentence("How you win", 30, 16.05, 16);
    EXPECT_EQ(ClipFinder::find(words, Length::short_, {}, 10).size(), 1u);
    // With 0.5 s between them the margins no longer meet.
    const auto apart = sentence("Why you fail", 30, 0, 16) + sentence("How you win", 30, 16.6, 16);
    EXPECT_EQ(ClipFinder::find(apart, Length::short_, {}, 10).size(), 2u);
}

TEST(ClipFinder, EqualScoresComeOutInTranscriptOrder)
{
    // Times in exact binary fractions, so the two runs score exactly alike.
    const std::string text = "Same opening here" + repeat(" word", 26) + ".";
    const auto words = spoken(text, 0, 0.625, 0.25) + spoken(text, 32, 0.625, 0.25);
    const auto clips = ClipFinder::find(words, Length::short_, {}, 10);
    ASSERT_EQ(clips.size(), 2u);
    EXPECT_LT(clips[0].start, clips[1].start);
}

TEST(ClipFinder, LongTitlesAreCutAtAClauseOrAWord)
{
    const std::string head = std::string(50, 'a');
    auto words = sentence(head + ", " + repeat("b ", 30) + "c", 40, 0, 20);
    const auto clip = ClipFinder::find(words, Length::short_, {}, 10).at(0);
    EXPECT_EQ(clip.title, "A" + std::string(49, 'a'));
}

// ---- a Short from a clip --------------------------------------------------------

Project longSource()
{
    Project p;
    p.name = "Interview";
    p.videoPath = "/media/interview.mp4";
    p.sourceDuration = 300;
    p.localeID = "en_US";
    p.sourceRange = ClosedRange<double>{5, 290};
    p.words = {timedWord("Before.", 8, 9), timedWord("Inside", 9.5, 10.5), timedWord("middle", 20, 21, true),
               timedWord("edge.", 39.5, 40.5), timedWord("After", 41, 42)};
    p.hookOverlay = HookOverlay{"Old hook", 3};
    p.aiHooks = {"An AI hook"};
    p.postCaption = "old caption";
    p.postCopy = PostCopy{"t", "d", "i", "k", "x", true, std::nullopt};
    p.translation = CaptionTranslation{};
    p.voiceover = Voiceover{};
    p.aspect = OutputAspect::landscape;
    p.reframe = ReframeMode::fit;
    p.trimPauses = false;
    BRoll inside;
    inside.id = Uuid::random();
    inside.startWordID = p.words[1].id;
    inside.endWordID = p.words[3].id;
    BRoll across = inside;
    across.id = Uuid::random();
    across.endWordID = p.words[4].id;
    p.brolls = std::vector<BRoll>{inside, across};
    MatchCut legacy;
    legacy.start = 30;
    p.matchCut = legacy;
    MotionEffect in, out;
    in.start = 15;
    out.start = 50;
    p.motions = std::vector<MotionEffect>{in, out};
    return p;
}

TEST(ClipFinder, AShortKeepsTheClipsWordsAndItemsAndNothingWrittenForTheWhole)
{
    const Project source = longSource();
    ClipFinder::Clip clip{10.0, 40.0, 80, "Why most people quit too early", {}};
    const Project p = ClipFinder::project(clip, source);

    EXPECT_NE(p.id, source.id);
    EXPECT_EQ(p.name, "Interview \u00b7 Why most people quit too early");
    EXPECT_EQ(p.sourceRange, (ClosedRange<double>{10, 40}));
    // Midpoints 10.0 (at the start), 20.5 (cut, still taken) and 40.0 (at the end) belong.
    ASSERT_EQ(p.words.size(), 3u);
    EXPECT_EQ(p.words[0], source.words[1]);
    EXPECT_TRUE(p.words[1].deleted);
    EXPECT_EQ(p.words[2], source.words[3]);
    EXPECT_EQ(p.hooks, HookGenerator::fromTranscript(p.words));
    EXPECT_EQ(p.aspect, OutputAspect::vertical);
    EXPECT_EQ(p.reframe, ReframeMode::smart);
    EXPECT_TRUE(p.trimPauses);
    EXPECT_FALSE(p.hookOverlay || p.postCopy || p.translation || p.voiceover);
    EXPECT_TRUE(p.aiHooks.empty());
    EXPECT_TRUE(p.postCaption.empty());
    EXPECT_EQ(p.videoPath, source.videoPath);
    EXPECT_EQ(p.sourceDuration, 300);

    ASSERT_TRUE(p.brolls);
    ASSERT_EQ(p.brolls->size(), 1u) << "an item reaching a word outside goes";
    EXPECT_EQ(p.brolls->front(), source.brolls->front());
    ASSERT_TRUE(p.matchCuts);
    ASSERT_EQ(p.matchCuts->size(), 1u);
    EXPECT_TRUE(p.matchCuts->front().id.has_value());
    EXPECT_FALSE(p.matchCut);
    ASSERT_TRUE(p.motions);
    ASSERT_EQ(p.motions->size(), 1u);
    EXPECT_EQ(p.motions->front().start, 15);

    // A clip starting at 10.25 s leaves out the word whose midpoint is 10.0 s.
    EXPECT_EQ(ClipFinder::project({10.25, 40, 50, "t", {}}, source).words.size(), 2u);
    EXPECT_NE(ClipFinder::project(clip, source).id, p.id);
}

TEST(ClipFinder, ShortNamesCutTheTitleAtFortyCharacters)
{
    Project source = longSource();
    source.brolls.reset();
    source.motions.reset();
    source.matchCut.reset();
    const std::string forty(40, 't');
    EXPECT_EQ(ClipFinder::project({0, 1, 0, forty, {}}, source).name, "Interview \u00b7 " + forty);
    EXPECT_EQ(ClipFinder::project({0, 1, 0, forty + "u", {}}, source).name, "Interview \u00b7 " + forty + "\u2026");
    const Project bare = ClipFinder::project({0, 1, 0, "x", {}}, source);
    EXPECT_FALSE(bare.brolls || bare.motions || bare.matchCuts);
    EXPECT_TRUE(bare.words.empty());
    EXPECT_TRUE(bare.hooks.empty());
}

}  // namespace
}  // namespace vt::test
