#include "text/HookGenerator.h"

#include <gtest/gtest.h>

#include <sstream>

namespace vt {
namespace {

// Words from text split at spaces; a leading "~" marks a deleted word.
std::vector<Word> words(const std::string& text)
{
    std::vector<Word> list;
    std::istringstream in(text);
    std::string token;
    double t = 0;
    while (in >> token) {
        Word w;
        w.deleted = token.starts_with('~');
        w.text = w.deleted ? token.substr(1) : token;
        w.start = t;
        w.end = t += 0.3;
        list.push_back(w);
    }
    return list;
}

std::string count(int n, const std::string& end = ".")
{
    std::string s;
    for (int i = 1; i <= n; ++i) s += "w" + std::to_string(i) + (i == n ? end : " ");
    return s;
}

TEST(HookGenerator, HooksFromTheTranscript)
{
    struct Case {
        std::string transcript;
        std::vector<std::string> hooks;
    };
    const Case cases[] = {
        {"", {}},
        {"~one ~two ~three. um uh, like.", {}},
        // No sentence end: one sentence, cut to 14 words.
        {count(20, ""), {"W1 w2 w3 w4 w5 w6 w7 w8 w9 w10 w11 w12 w13 w14…"}},
        {count(14), {"W1 w2 w3 w4 w5 w6 w7 w8 w9 w10 w11 w12 w13 w14."}},
        {count(15), {"W1 w2 w3 w4 w5 w6 w7 w8 w9 w10 w11 w12 w13 w14…"}},
        // A filler with a full stop neither counts nor ends the sentence.
        {"so um. we go now.", {"So we go now."}},
        // A closing quote after the full stop does not end a sentence.
        {"he said \"stop.\" and then left.", {"He said \"stop.\" and then left."}},
        {"we go now. we go now.", {"We go now."}},
        // 8, 3, 20 and 6 words: the two of 2.0 in order, then the 3-word one.
        {count(8) + " a b c. " + count(20) + " " + count(6),
         {"W1 w2 w3 w4 w5 w6 w7 w8.", "W1 w2 w3 w4 w5 w6.", "A b c."}},
        {"ßtraße ist hier.", {"SStraße ist hier."}},
    };
    for (const Case& c : cases) EXPECT_EQ(HookGenerator::fromTranscript(words(c.transcript)), c.hooks) << c.transcript;
}

TEST(HookGenerator, PullScores)
{
    const std::pair<std::string, double> cases[] = {
        {"Why you should never do this?", 5.0},
        {"Let me show you 3 things", 3.7},
        {"", 0},
        {"stop never secret mistake wrong", 3.0},  // power words capped at 3
        {"Ages ٣ and up", 1.2},                      // any decimal digit
    };
    for (const auto& [line, score] : cases) EXPECT_DOUBLE_EQ(HookGenerator::pull(line), score) << line;
}

TEST(HookGenerator, ModelRepliesAreCleanedAndTheModelIsUnavailable)
{
    EXPECT_EQ(HookGenerator::parseLines("1. Stop scrolling\r\n2) \"Never do this\"\n- ok\n\u2022 5 habits\n\n"),
              (std::vector<std::string>{"Stop scrolling", "Never do this", "habits"}));
    EXPECT_EQ(HookGenerator::parseLines("a one\nb two\nc three\nd four\ne five\nf six").size(), 5u);
    EXPECT_FALSE(HookGenerator::aiStatus().available);
    EXPECT_THROW(HookGenerator::aiHooks("Transcript"), HookGenerator::Unavailable);
}

}  // namespace
}  // namespace vt
