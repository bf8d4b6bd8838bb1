#include "export/SubtitleWriter.h"

#include <gtest/gtest.h>

using namespace vt;

namespace {

TimedWord timed(std::string text, double start, double end)
{
    TimedWord w;
    w.text = std::move(text);
    w.start = start;
    w.end = end;
    return w;
}

CaptionGroup group(std::vector<std::string> texts, double start, double end)
{
    CaptionGroup g;
    for (auto& t : texts) g.words.push_back(timed(std::move(t), start, end));
    g.start = start;
    g.end = end;
    return g;
}

Word word(std::string text, bool deleted = false)
{
    return {Uuid::random(), std::move(text), 0, 1, deleted, false, false, {}, {}, {}};
}

}  // namespace

TEST(SubtitleWriter, SubRipAndWebVTTBlocks)
{
    std::vector<CaptionGroup> two{group({"Hello", "there"}, 1.2346, 2.0), group({"again"}, -0.2, 3725.0004)};
    EXPECT_EQ(SubtitleWriter::srt(two),
              "1\n00:00:01,235 --> 00:00:02,000\nHello there\n\n"
              "2\n00:00:00,000 --> 01:02:05,000\nagain\n");
    EXPECT_EQ(SubtitleWriter::vtt(two),
              "WEBVTT\n\n00:00:01.235 --> 00:00:02.000\nHello there\n\n"
              "00:00:00.000 --> 01:02:05.000\nagain\n");
    EXPECT_EQ(SubtitleWriter::srt({}), "");
    EXPECT_EQ(SubtitleWriter::vtt({}), "WEBVTT\n\n");
    EXPECT_EQ(SubtitleWriter::srt({group({"x"}, 360000, 360001)}), "1\n100:00:00,000 --> 100:00:01,000\nx\n");
}

TEST(SubtitleWriter, WebVTTEscapesWhatWouldBreakACue)
{
    std::vector<CaptionGroup> g{group({"R&D", "<b>bold</b>", "a-->b"}, 0, 1)};
    EXPECT_EQ(SubtitleWriter::vtt(g), "WEBVTT\n\n00:00:00.000 --> 00:00:01.000\nR&amp;D &lt;b&gt;bold&lt;/b&gt; a--&gt;b\n");
    // SubRip keeps the words as they are.
    EXPECT_NE(SubtitleWriter::srt(g).find("R&D <b>bold</b> a-->b"), std::string::npos);
}

TEST(SubtitleWriter, PlainTranscriptBreaksAtSentenceEnds)
{
    struct Case {
        const char* name;
        std::vector<Word> words;
        std::string expected;
    };
    const Case cases[] = {
        {"two sentences", {word("Hello"), word("world."), word("How"), word("are"), word("you?")},
         "Hello world.\nHow are you?\n"},
        {"deleted words skipped", {word("Um", true), word("so"), word("yes!"), word("no", true)}, "so yes!\n"},
        {"ellipsis and trailing blanks", {word("well\xE2\x80\xA6 "), word("ok")}, "well\xE2\x80\xA6 \nok"},
        {"whitespace-only word never breaks", {word("a"), word("  "), word("b")}, "a    b"},
        {"nothing", {}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SubtitleWriter::plain(c.words), c.expected);
    }
}

TEST(SubtitleWriter, TextChoosesTheFormByExtension)
{
    std::vector<TimedWord> timedWords;
    for (int i = 0; i < 9; ++i) timedWords.push_back(timed("w" + std::to_string(i), i * 0.3, i * 0.3 + 0.25));
    std::vector<Word> transcript{word("Only"), word("this.")};

    std::string srt = SubtitleWriter::text("srt", timedWords, transcript);
    // Seven words at most a caption, whatever the project's look says.
    EXPECT_NE(srt.find("w0 w1 w2 w3 w4 w5 w6\n"), std::string::npos);
    EXPECT_NE(srt.find("\n2\n"), std::string::npos);
    EXPECT_EQ(SubtitleWriter::text("vtt", timedWords, transcript).rfind("WEBVTT\n\n", 0), 0u);
    EXPECT_EQ(SubtitleWriter::text("txt", timedWords, transcript), "Only this.\n");
    EXPECT_EQ(SubtitleWriter::text("SRT", timedWords, transcript), "Only this.\n");
    EXPECT_EQ(SubtitleWriter::text("srt", {}, transcript), "");
}
