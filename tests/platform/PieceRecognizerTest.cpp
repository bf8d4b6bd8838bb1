// The recognizer decoding a recording in pieces on several decoders: where it
// cuts, and that it hears as well as one decoder going through it all.

#include "platform/recognizer/FileRecognizer.h"
#include "platform/recognizer/PieceRecognizer.h"
#include "platform/recognizer/RecognizerError.h"
#include "platform/recognizer/SpeechModels.h"
#include "support/SpokenAudio.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <future>
#include <optional>
#include <random>

using namespace vt;
using namespace vt::recognizer;

namespace {

constexpr double rate = recognizerSampleRate;

// What the recognizer hears, with the checks that come with any decode:
// words in time order, inside the audio, delivered piece after piece.
std::vector<std::string> decode(const std::vector<std::int16_t>& audio, std::size_t decoders)
{
    PieceRecognizer recognizer(*findModel("en-US"), decoders);
    std::vector<std::string> heard;
    double previousStart = 0;
    const std::atomic<bool> stop{false};
    recognizer.recognize(
        audio,
        [&](std::vector<Utterance> utterances) {
            for (const auto& u : utterances) {
                EXPECT_GE(u.start, previousStart - 1e-9);
                previousStart = u.start;
                for (const auto& w : u.words) {
                    EXPECT_GE(w.start, u.start - 1e-9);
                    EXPECT_LE(w.end, double(audio.size()) / rate + 0.02);
                    heard.push_back(w.text);
                }
            }
        },
        stop);
    return heard;
}

// Compares the split decode with `singleHeard`, what one decoder heard. The
// costly part, decoding the whole recording on one decoder, runs beside the
// split decode when the caller has not done it already.
void compare(const char* what, const std::vector<std::int16_t>& audio, const std::vector<std::string>& said, std::size_t decoders,
             std::optional<std::vector<std::string>> singleHeard = std::nullopt)
{
    const std::size_t pieces = PieceRecognizer::pieceStarts(audio, PieceRecognizer::pieceCount(audio.size(), decoders)).size();
    ASSERT_GT(pieces, 1u) << "the recording was not split";
    std::future<std::vector<std::string>> onOne;
    if (!singleHeard) onOne = std::async(std::launch::async, [&audio] { return decode(audio, 1); });
    const double split = test::wordErrorRate(said, decode(audio, decoders));
    const double single = test::wordErrorRate(said, singleHeard ? *singleHeard : onOne.get());
    std::printf("%s: word error rate %.3f with one decoder, %.3f in %zu pieces on %zu decoders\n", what, single, split, pieces,
                decoders);
    EXPECT_LE(split, single + 0.02);
}

// Tone bursts ("speech") with gaps of the given lengths between them, over
// faint noise; the bursts last 1.7 s, or as long as `lengths` says.
std::vector<std::int16_t> bursts(const std::vector<double>& gaps, const std::vector<double>& lengths = {})
{
    const auto burst = [&](std::size_t k) { return k < lengths.size() ? lengths[k] : 1.7; };
    std::mt19937 random(7);
    std::uniform_int_distribution<int> noise(-60, 60);
    std::vector<std::int16_t> audio;
    const auto add = [&](double seconds, bool loud) {
        for (int i = 0; i < int(seconds * rate); ++i)
            audio.push_back(std::int16_t(noise(random) + (loud ? 8000 * std::sin(i * 0.2) : 0)));
    };
    add(burst(0), true);
    for (std::size_t k = 0; k < gaps.size(); ++k) {
        add(gaps[k], false);
        add(burst(k + 1), true);
    }
    return audio;
}

}  // namespace

TEST(PieceRecognizer, PiecesAreOnePerDecoderOfAtLeastFiveSecondsAndAtMostAMinute)
{
    struct Case {
        double seconds;
        std::size_t decoders, pieces;
    };
    for (const Case c : {Case{11, 8, 2}, Case{3, 8, 1}, Case{60, 8, 8}, Case{60, 2, 2}, Case{180, 8, 8}, Case{3600, 8, 60},
                         Case{3600, 1, 1}})
        EXPECT_EQ(PieceRecognizer::pieceCount(std::size_t(c.seconds * rate), c.decoders), c.pieces) << c.seconds << " s";
}

TEST(PieceRecognizer, CutsOnlyInsidePausesWithAMarginNearestTheirShare)
{
    // Gaps: one too short to count as a pause, then pauses of 0.5 s.
    const std::vector<double> gaps{0.2, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5};
    const auto audio = bursts(gaps);
    const auto starts = PieceRecognizer::pieceStarts(audio, 4);
    ASSERT_EQ(starts.size(), 4u);
    EXPECT_EQ(starts[0], 0u);
    // Where the silences are, in samples.
    std::vector<std::pair<double, double>> silences;
    double t = 1.7;
    for (double gap : gaps) {
        silences.emplace_back(t * rate, (t + gap) * rate);
        t += gap + 1.7;
    }
    for (std::size_t k = 1; k < starts.size(); ++k) {
        const double at = double(starts[k]);
        bool inside = false;
        for (const auto& [from, to] : silences) inside |= at >= from + 0.1 * rate && at <= to - 0.1 * rate;
        EXPECT_TRUE(inside) << "cut " << k << " at " << at / rate << " s is not well inside a pause";
        EXPECT_NEAR(at, double(audio.size()) * double(k) / 4, double(audio.size()) / 8);
        EXPECT_GT(starts[k], starts[k - 1]);
    }
    EXPECT_GT(double(starts[1]), silences[0].second) << "the 0.2 s gap is no pause";

    // Sound without a pause is never cut.
    EXPECT_EQ(PieceRecognizer::pieceStarts(bursts({0.1, 0.1, 0.1}), 3), std::vector<std::size_t>{0});
    // Nor is silence.
    EXPECT_EQ(PieceRecognizer::pieceStarts(std::vector<std::int16_t>(std::size_t(10 * rate), 0), 3), std::vector<std::size_t>{0});
    // Nor is nothing.
    EXPECT_EQ(PieceRecognizer::pieceStarts({}, 3), std::vector<std::size_t>{0});
}

// The decoders finish with the longest piece: of every way to cut at the
// pauses into at most so many pieces, the plan takes one whose longest piece
// is shortest.
TEST(PieceRecognizer, CutsSoThatTheLongestPieceIsAsShortAsThePausesAllow)
{
    struct Case {
        std::vector<double> speech;  // seconds of each run of speech, 0.5 s apart
        std::size_t pieces;
    };
    for (const Case& c : {Case{{6, 2, 2, 2, 7, 1, 1, 5, 3}, 3}, Case{{1, 1, 1, 9, 1, 1, 1, 1}, 4}, Case{{3, 8, 2, 2, 2, 2, 6, 1}, 4},
                          Case{{2, 2, 2, 2, 2, 2, 2, 2, 2, 2}, 3}, Case{{4, 1, 1, 1, 1, 1, 1, 4}, 2}}) {
        const auto audio = bursts(std::vector<double>(c.speech.size() - 1, 0.5), c.speech);
        const auto pauses = SphinxRecognizer::pauseCuts(audio);
        ASSERT_EQ(pauses.size(), c.speech.size() - 1);
        const auto longest = [&](const std::vector<std::size_t>& starts) {
            std::size_t most = 0;
            for (std::size_t k = 0; k < starts.size(); ++k) most = std::max(most, (k + 1 < starts.size() ? starts[k + 1] : audio.size()) - starts[k]);
            return most;
        };
        std::size_t best = audio.size();
        for (unsigned mask = 0; mask < (1u << pauses.size()); ++mask) {
            if (std::size_t(std::popcount(mask)) >= c.pieces) continue;
            std::vector<std::size_t> starts{0};
            for (std::size_t k = 0; k < pauses.size(); ++k)
                if (mask & (1u << k)) starts.push_back(pauses[k]);
            best = std::min(best, longest(starts));
        }
        const auto starts = PieceRecognizer::pieceStarts(audio, c.pieces);
        EXPECT_LE(starts.size(), c.pieces);
        for (std::size_t k = 1; k < starts.size(); ++k) EXPECT_NE(std::find(pauses.begin(), pauses.end(), starts[k]), pauses.end());
        EXPECT_EQ(longest(starts), best) << c.pieces << " pieces of " << ::testing::PrintToString(c.speech);
    }
}

// A minute of speech without a pause, then short phrases: the long stretch
// must make a long piece, but the phrases after it still go into the other
// pieces at about their share, not into pieces as long as the longest.
TEST(PieceRecognizer, ALongStretchWithoutPausesLengthensOnlyItsOwnPiece)
{
    std::vector<double> speech(21, 2);
    speech[0] = 60;
    const auto audio = bursts(std::vector<double>(20, 0.5), speech);
    const auto starts = PieceRecognizer::pieceStarts(audio, 10);
    ASSERT_EQ(starts.size(), 10u);
    EXPECT_NEAR(double(starts[1]) / rate, 60.15, 0.05);
    const double share = double(audio.size() - starts[1]) / 9;
    for (std::size_t k = 1; k < starts.size(); ++k) {
        const std::size_t end = k + 1 < starts.size() ? starts[k + 1] : audio.size();
        EXPECT_LE(double(end - starts[k]), share + 2.5 * rate) << "piece " << k;
    }
}

TEST(PieceRecognizer, HearsTheRealRecordingFromItsFirstWordsAndAsWellInPieces)
{
    const auto audio = readRecognizerAudio(test::sharedFixture("speech-en-11s.wav"));
    // The decoder's normalisation starts from the recording's own sound, so
    // the opening words are heard too.
    const auto heard = decode(audio, 1);
    const std::vector<std::string> opening{"my", "fellow", "americans"};
    EXPECT_NE(std::search(heard.begin(), heard.end(), opening.begin(), opening.end()), heard.end());
    EXPECT_LE(test::wordErrorRate(test::realSpeechWords(), heard), 0.3);
    compare("real speech, 11 s", audio, test::realSpeechWords(), 4, heard);
}

TEST(PieceRecognizer, HearsSpokenFillersAsFillers)
{
    test::TempDir dir;
    const auto spoken = test::speakSentences(dir.path(), test::fillerSentences());
    const auto heard = decode(readRecognizerAudio(spoken.wav), 1);
    const int said = int(std::count_if(spoken.words.begin(), spoken.words.end(), [](const auto& w) { return w == "um" || w == "uh"; }));
    const int found = test::fillersHeard(spoken.words, heard);
    const double errors = test::wordErrorRate(spoken.words, heard);
    std::printf("generated speech with fillers: word error rate %.3f, fillers heard %d of %d\n", errors, found, said);
    EXPECT_GE(found, 3);
    EXPECT_LE(errors, 0.48);
}

// The costly one: about three minutes of speech decoded twice, at once.
TEST(PieceRecognizer, HearsATalkAsWellInPiecesAsInOne)
{
    test::TempDir dir;
    const auto talk = test::speakSentences(dir.path(), test::talkSentences());
    ASSERT_GT(talk.seconds, 150);
    compare("generated talk", readRecognizerAudio(talk.wav), talk.words, 8);
}

// The other decoders load on threads of their own: a model that cannot be
// loaded is still reported by the constructor, and neither that nor a
// recognizer dropped before it decodes leaves a load behind.
TEST(PieceRecognizer, AModelThatCannotBeLoadedIsReportedByTheConstructor)
{
    test::TempDir dir;
    std::FILE* garbage = std::fopen((dir / "broken.lm").c_str(), "w");
    ASSERT_TRUE(garbage);
    std::fputs("not a language model\n", garbage);
    std::fclose(garbage);
    SpeechModel broken = *findModel("en-US");
    broken.languageModel = dir / "broken.lm";
    SpeechModel incomplete = broken;
    incomplete.dictionary.reset();
    for (const SpeechModel& model : {broken, incomplete}) {
        try {
            PieceRecognizer recognizer(model, 4);
            ADD_FAILURE() << "a model that cannot be loaded was loaded";
        } catch (const RecognizerError& error) {
            EXPECT_EQ(error.code, RecognizerError::unavailable);
        }
    }
    PieceRecognizer unused(*findModel("en-US"), 3);
}

TEST(PieceRecognizer, StopsMidPhraseAndDecodesAgainAfterwards)
{
    const auto audio = readRecognizerAudio(test::sharedFixture("speech-en-11s.wav"));
    // Asked while the first phrase is decoded, the interruption stops it.
    SphinxRecognizer one(*findModel("en-US"));
    int asked = 0;
    one.setInterruption([&] { return ++asked > 3; });
    try {
        one.add(std::span<const std::int16_t>(audio));
        ADD_FAILURE() << "the decode was not interrupted";
    } catch (const RecognizerError& error) {
        EXPECT_EQ(error.code, RecognizerError::cancelled);
    }
    EXPECT_EQ(asked, 4);

    PieceRecognizer recognizer(*findModel("en-US"), 2);
    std::atomic<bool> stop{true};
    int delivered = 0;
    try {
        recognizer.recognize(audio, [&](auto) { ++delivered; }, stop);
        ADD_FAILURE() << "a stopped recognition finished";
    } catch (const RecognizerError& error) {
        EXPECT_EQ(error.code, RecognizerError::cancelled);
    }
    EXPECT_EQ(delivered, 0);
    stop = false;
    std::size_t words = 0;
    recognizer.recognize(audio, [&](std::vector<Utterance> utterances) { for (const auto& u : utterances) words += u.words.size(); }, stop);
    EXPECT_GE(words, 15u);
}
