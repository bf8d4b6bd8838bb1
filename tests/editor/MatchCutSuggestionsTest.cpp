#include "editor/MatchCutSuggestions.h"

#include "editor/EditorFakes.h"
#include "speech/Transcriber.h"
#include "support/TestSupport.h"
#include "text/PostCopyWriter.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace vt;

namespace {

// Words from spoken text, 0.3 s apart; words listed in `cut` are deleted.
std::vector<Word> spoken(const std::string& text, const std::set<std::string>& cut = {})
{
    std::vector<Word> words;
    std::istringstream in(text);
    std::string piece;
    double t = 0.2;
    while (in >> piece) {
        Word w = test::word(piece, t, t + 0.25);
        w.deleted = cut.count(piece) > 0;
        words.push_back(w);
        t += 0.3;
    }
    return words;
}

const std::string kTalk =
    "So I spent a whole month testing coffee grinders at home. Most people buy the cheapest grinder and "
    "wonder why the espresso tastes bitter. A burr grinder changes everything, honestly. Is the expensive "
    "grinder really worth it? The burr grinder from Berlin won. Coffee tastes sweeter with fresh beans. "
    "Grind right before you brew.";

bool mentions(const std::vector<std::string>& texts, const std::string& word)
{
    for (const auto& t : texts)
        if (t.find(word) != std::string::npos) return true;
    return false;
}

}  // namespace

TEST(MatchCutSuggestions, WordsComeFromTheKeptTranscriptInTheWritersOrder)
{
    const auto words = spoken(kTalk, {"Berlin"});
    const auto six = MatchCutRenderer::suggestions(words, 6);
    ASSERT_FALSE(six.empty());
    EXPECT_LE(six.size(), 6u);
    std::string kept;
    for (const Word& w : words)
        if (!w.deleted) kept += (kept.empty() ? "" : " ") + w.text;
    const auto tags = PostCopyWriter::hashtags(kept, 6);
    ASSERT_EQ(tags.size(), six.size());
    for (std::size_t i = 0; i < six.size(); ++i) {
        EXPECT_NE(six[i].front(), '#');
        EXPECT_EQ("#" + six[i], tags[i]);
    }
    EXPECT_TRUE(mentions(six, "rinder")) << "the word the talk is about";
    EXPECT_FALSE(mentions(six, "Berlin")) << "a deleted word is never suggested";
    EXPECT_TRUE(mentions(MatchCutRenderer::suggestions(spoken(kTalk), 10), "Berlin"));
    EXPECT_EQ(MatchCutRenderer::suggestions(words, 1), std::vector<std::string>{six.front()});
    EXPECT_TRUE(MatchCutRenderer::suggestions(words, 0).empty());
}

TEST(MatchCutSuggestions, ContextKeepsShortSentencesTrimmedOfTheirMarks)
{
    const auto context = MatchCutRenderer::context(spoken(kTalk, {"Berlin"}));
    EXPECT_EQ(context.keywords, MatchCutRenderer::suggestions(spoken(kTalk, {"Berlin"}), 10));
    const std::vector<std::string> lines{
        "A burr grinder changes everything, honestly",  // comma inside stays, end marks go
        "Is the expensive grinder really worth it",
        "The burr grinder from won",  // the deleted word is left out
        "Coffee tastes sweeter with fresh beans",
        "Grind right before you brew",
    };
    EXPECT_EQ(context.lines, lines) << "sentences of more than 9 words are left out";

    struct Case {
        std::string text;
        bool kept;
    };
    for (const Case& c : std::vector<Case>{{"Wow.", false},
                                           {"Really good.", false},
                                           {"Three words here.", true},
                                           {"One two three four five six seven eight nine.", true},
                                           {"One two three four five six seven eight nine ten.", false}}) {
        const auto got = MatchCutRenderer::context(spoken(c.text)).lines;
        EXPECT_EQ(got.size(), c.kept ? 1u : 0u) << c.text;
    }

    std::string many;
    for (int i = 0; i < 20; ++i) many += "Sentence number " + std::to_string(i) + " is here. ";
    const auto fourteen = MatchCutRenderer::context(spoken(many)).lines;
    ASSERT_EQ(fourteen.size(), 14u);
    EXPECT_EQ(fourteen.front(), "Sentence number 0 is here");
    EXPECT_EQ(fourteen.back(), "Sentence number 13 is here");

    const auto none = MatchCutRenderer::context(spoken("All of it cut.", {"All", "of", "it", "cut."}));
    EXPECT_TRUE(none.keywords.empty());
    EXPECT_TRUE(none.lines.empty());
    EXPECT_TRUE(MatchCutRenderer::context({}).lines.empty());
}

TEST(MatchCutSuggestions, NewCardsTakeTheirWordAndContextFromTheTranscript)
{
    Project p = test::sampleProject();
    p.words = spoken(kTalk);
    p.sourceDuration = p.words.back().end + 1;
    test::EditorRig rig(p);
    EditorModel::TimelineDrop drop;
    drop.kind = EditorModel::TimelineDrop::Kind::matchCut;
    rig->place(drop, 1);
    const MatchCut card = rig->project().matchCuts->back();
    EXPECT_EQ(card.word, MatchCutRenderer::suggestions(p.words, 1).front());
    const auto context = MatchCutRenderer::context(p.words);
    EXPECT_EQ(card.keywords, std::optional(context.keywords));
    EXPECT_EQ(card.lines, std::optional(context.lines));

    MatchCut own = card;
    own.keywords = std::vector<std::string>{"mine"};
    own.lines = std::nullopt;
    rig->addMatchCut(own, 3);
    EXPECT_EQ(rig->project().matchCuts->back().keywords, own.keywords);
    EXPECT_FALSE(rig->project().matchCuts->back().lines) << "a card with keywords keeps its lines, even none";
}

TEST(MatchCutSuggestions, RecognizedSpeechSuggestsWhatItIsAbout)
{
    // The real speech recording, heard by the built-in recognizer.
    test::TempDir dir;
    const auto video = dir.path() / "speech.mp4";
    ASSERT_EQ(test::run("ffmpeg -v error -y -f lavfi -i color=c=black:s=64x48:r=10:d=11 -i " +
                        test::shellQuote(test::sharedFixture("speech-en-11s.wav").string()) +
                        " -c:a aac -shortest -c:v libx264 -preset ultrafast -pix_fmt yuv420p " +
                        test::shellQuote(video.string())),
              0);
    std::vector<Word> words = Transcriber::transcribe(video, "en-US", 11, nullptr);
    const auto lower = [](std::vector<std::string> texts) {
        for (auto& t : texts)
            for (char& c : t) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return texts;
    };
    const auto heard = lower(MatchCutRenderer::suggestions(words, 6));
    EXPECT_TRUE(mentions(heard, "country")) << ::testing::PrintToString(heard);
    for (Word& w : words)
        if (lower({w.text}).front().find("country") != std::string::npos) w.deleted = true;
    EXPECT_FALSE(mentions(lower(MatchCutRenderer::suggestions(words, 6)), "country"));
    for (const std::string& line : MatchCutRenderer::context(words).lines)
        EXPECT_EQ(lower({line}).front().find("country"), std::string::npos) << line;
}
