// The bars of the waveform scrubber, from real generated sound read by the
// editor: the edited video's own sound through the cut, or the voiceover
// take while its words drive the captions.

#include "editor/ClipMediaService.h"
#include "editor/EditorModel.h"

#include "EditorFakes.h"
#include "support/TestVideos.h"

#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

namespace vt::test {
namespace {

constexpr int kWaitMs = 30000;

class ScrubberWaveform : public EditorTest {
protected:
    std::unique_ptr<EditorModel> open(Project project)
    {
        EditorServices services;
        services.media = std::make_shared<ClipMediaService>();
        auto editor = std::make_unique<EditorModel>(std::move(project), nullptr, std::move(services));
        EXPECT_TRUE(QTest::qWaitFor([&] { return !editor->isLoading(); }, kWaitMs));
        return editor;
    }
    Project talk(const std::filesystem::path& video, double seconds, std::vector<Word> words)
    {
        Project p;
        p.videoPath = video.string();
        p.sourceDuration = seconds;
        p.words = std::move(words);
        return p;
    }
};

TEST_F(ScrubberWaveform, BarsOverACutShowWhatIsKeptNotTheLoudSpeechCutOut)
{
    // 4 s of a faint hum, with loud speech from 1.2 s that the cut removes.
    const auto speech = spokenWords(dir, "loud", "Yes!", 0);
    const auto video = makeMedia(dir / "talk.mp4",
                                 "-f lavfi -i testsrc2=s=96x64:r=10:d=4 -f lavfi -i sine=f=220:d=4 -i " + shellQuote(speech.string()) +
                                     " -filter_complex \"[1]volume=0.004[hum];[2]atrim=0:0.6,adelay=1200,apad[say];"
                                     "[hum][say]amix=inputs=2:normalize=0,atrim=0:4[a]\" -map 0:v -map [a] -c:v libx264 -preset ultrafast -c:a aac");
    auto editor = open(talk(video, 4, {word("so", 0.2, 0.9), word("yes", 1.0, 2.0, true), word("then", 2.1, 3.9)}));
    const auto& peaks = editor->waveformPeaks();
    ASSERT_TRUE(QTest::qWaitFor([&] { return std::any_of(peaks.begin(), peaks.end(), [](float p) { return p > 0; }); }, kWaitMs));
    ASSERT_GT(*std::max_element(peaks.begin() + 60, peaks.begin() + 90), 0.9f) << "the speech is in the clip's peaks";
    ASSERT_NEAR(editor->plan().outputLength(), 3, 0.15);

    // 40 bars of 0.075 s: one of them starts before the cut and ends after it.
    const auto bars = editor->waveformBars(40);
    ASSERT_EQ(bars.size(), 40u);
    for (std::size_t i = 0; i < bars.size(); ++i) {
        EXPECT_LT(bars[i], 0.3f) << "bar " << i << " reads the removed speech";
        EXPECT_GE(bars[i], 0.06f) << "bar " << i;
    }
    EXPECT_EQ(editor->waveformBars(40), bars);
}

TEST_F(ScrubberWaveform, WhileTheTakeDrivesTheCaptionsTheBarsAreTheTakes)
{
    const auto video = makeMedia(dir / "silent.mp4", "-f lavfi -i testsrc2=s=96x64:r=10:d=4 -c:v libx264 -preset ultrafast");
    const auto take = spokenWords(dir, "take", "Hello there.", 0);
    Project p = talk(video, 4, {word("w", 0.5, 3.5)});
    p.voiceover = Voiceover{};
    p.voiceover->path = take.string();
    p.voiceover->start = 1;
    p.voiceover->duration = 1.5;
    p.voiceover->words = {word("Hello", 1.1, 2.3)};
    auto editor = open(p);
    ASSERT_TRUE(editor->voiceDrivesCaptions());

    const auto before = editor->waveformBars(16);  // asks for the take's peaks
    EXPECT_EQ(before, std::vector<float>(16, 0.06f)) << "not loaded yet";
    ASSERT_TRUE(QTest::qWaitFor([&] { return !editor->voicePeaks().empty(); }, kWaitMs));
    const auto bars = editor->waveformBars(16);  // 0.25 s each
    const double step = editor->plan().outputLength() / 16;
    float loudest = 0;
    for (std::size_t i = 0; i < bars.size(); ++i) {
        const bool outside = step * double(i + 1) <= 1 || step * double(i) >= 2.5;
        if (outside) EXPECT_EQ(bars[i], 0.06f) << "bar " << i << " lies outside the take";
        else loudest = std::max(loudest, bars[i]);
    }
    EXPECT_GT(loudest, 0.8f) << "the take's speech";

    // The clip's own sound again once its captions come from the speech.
    editor->updateProject([](Project& project) { project.voiceover->captionsFromVoice = false; });
    editor->visualChanged();
    EXPECT_EQ(editor->waveformBars(16), std::vector<float>(16, 0.06f)) << "the clip is silent";
}

}  // namespace
}  // namespace vt::test
