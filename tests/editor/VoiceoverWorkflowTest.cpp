#include "editor/VoiceoverWorkflow.h"

#include "EditorFakes.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <future>
#include <stdexcept>

namespace vt::test {
namespace {

// Sound the test hands over as if the microphone had delivered it.
struct Mic {
    SoundSource::Sink sink;
    bool opens = true;
};
class InjectedSource final : public SoundSource {
public:
    explicit InjectedSource(std::shared_ptr<Mic> mic) : mic_(std::move(mic)) {}
    bool start(Sink sink) override
    {
        if (!mic_->opens) return false;
        mic_->sink = std::move(sink);
        return true;
    }
    void stop() override { mic_->sink = nullptr; }

private:
    std::shared_ptr<Mic> mic_;
};

void talk(Mic& mic, double seconds, float amplitude = 0.5f)
{
    const media::AudioFormat format{48000, 1};
    media::AudioBuffer b(format, std::int64_t(seconds * format.sampleRate));
    for (std::int64_t i = 0; i < b.frameLength(); ++i)
        b.planes[0][std::size_t(i)] = amplitude * std::sin(2 * 3.14159265f * 300 * float(i) / 48000.0f);
    mic.sink(b);
}

// A 30 s output: one word every second.
Project thirtySeconds()
{
    Project p = sampleProject(0);
    for (int i = 0; i < 30; ++i) p.words.push_back(word("w" + std::to_string(i), i + 0.1, i + 0.9));
    p.sourceDuration = 30;
    return p;
}

std::filesystem::path touch(const std::filesystem::path& file)
{
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file) << "take";
    return file;
}

class VoiceoverWorkflowTest : public EditorTest {
protected:
    std::shared_ptr<Mic> mic = std::make_shared<Mic>();
    std::vector<Word> recognised{word("hello", 1.0, 1.4)};
    std::optional<std::string> transcriptionFailure;
    std::optional<std::string> transcribedLocale;

    std::unique_ptr<VoiceoverWorkflow> workflow(EditorRig& rig)
    {
        auto recorder = std::make_unique<VoiceRecorder>([m = mic] { return std::make_unique<InjectedSource>(m); });
        auto transcribe = [this](const std::filesystem::path&, const std::string& locale, double, const std::function<void(double)>& progress) {
            transcribedLocale = locale;
            progress(0.5);
            if (transcriptionFailure) throw std::runtime_error(*transcriptionFailure);
            return recognised;
        };
        return std::make_unique<VoiceoverWorkflow>(*rig, rig.clock, std::move(recorder), transcribe);
    }
    // Runs the countdown to the recording phase.
    static void countIn(EditorRig& rig, VoiceoverWorkflow& voice)
    {
        for (int n : {3, 2, 1}) {
            EXPECT_EQ(voice.voicePhase(), (VoicePhase{VoicePhase::Kind::countdown, n, 0}));
            rig.clock->advance(1);
        }
        EXPECT_EQ(voice.voicePhase().kind, VoicePhase::Kind::recording);
    }
};

TEST_F(VoiceoverWorkflowTest, ATakeFromThePlayheadIsMeteredStoredInOutputTimeAndClearsTheHistory)
{
    Project p = thirtySeconds();
    Voiceover old;
    old.path = touch(VoiceRecorder::directory() / "old.m4a").string();
    old.volume = 3;
    old.originalLevel = 0.5;
    old.captionsFromVoice = false;
    p.voiceover = old;
    EditorRig rig(p);
    auto voice = workflow(rig);
    rig->toggleDelete({rig->project().words[0].id});
    ASSERT_TRUE(rig->canUndo());
    rig->seekExactly(12);
    voice->setVoiceFromPlayhead(true);

    voice->startVoiceover();
    countIn(rig, *voice);
    EXPECT_TRUE(rig.player->muted);
    EXPECT_TRUE(rig->isPlaying());
    talk(*mic, 1.2);
    rig.clock->advance(0.3);
    EXPECT_GT(voice->voiceLevel(), 0.5);  // a half-scale tone is about −9 dBFS
    EXPECT_NEAR(voice->voiceElapsed(), 1.2, 0.05);
    voice->stopVoiceover();
    rig.clock->advance(0.05);
    EXPECT_FALSE(rig.player->muted);
    EXPECT_FALSE(rig->isPlaying());
    EXPECT_EQ(voice->voiceLevel(), 0);
    ASSERT_TRUE(waitFor([&] { return voice->voicePhase() == VoicePhase::idle(); }));

    const Voiceover& take = *rig->project().voiceover;
    EXPECT_EQ(take.start, 12);
    EXPECT_NEAR(take.duration, 1.2, 0.05);
    ASSERT_EQ(take.words.size(), 1u);
    EXPECT_DOUBLE_EQ(take.words[0].start, 13.0);
    EXPECT_DOUBLE_EQ(take.words[0].end, 13.4);
    EXPECT_EQ(std::tie(take.volume, take.originalLevel, take.captionsFromVoice), std::make_tuple(3.0, 0.5, false));
    EXPECT_TRUE(std::filesystem::exists(take.path));
    EXPECT_FALSE(std::filesystem::exists(old.path));  // nothing can bring the replaced take back
    EXPECT_FALSE(rig->canUndo());
    EXPECT_EQ(voice->voiceError(), std::nullopt);
    EXPECT_EQ(transcribedLocale, "en-US");
}

TEST_F(VoiceoverWorkflowTest, StartsAtZeroNearTheEndAndStopsTheCountdownWithoutAFile)
{
    EditorRig rig(thirtySeconds());
    auto voice = workflow(rig);
    rig->seekExactly(29.6);
    voice->setVoiceFromPlayhead(true);
    voice->startVoiceover();
    EXPECT_EQ(rig->currentTime(), 0);
    rig.clock->advance(1);
    voice->stopVoiceover();
    EXPECT_EQ(voice->voicePhase(), VoicePhase::idle());
    rig.clock->advance(5);
    EXPECT_EQ(voice->voicePhase(), VoicePhase::idle());
    EXPECT_FALSE(mic->sink);  // the microphone never opened
    EXPECT_FALSE(rig->isPlaying());
    EXPECT_FALSE(std::filesystem::exists(VoiceRecorder::directory()) && !std::filesystem::is_empty(VoiceRecorder::directory()));
}

TEST_F(VoiceoverWorkflowTest, FailuresAreReportedAndLoseNothing)
{
    struct Case {
        const char* name;
        double seconds;
        bool opens;
        std::optional<std::string> transcription;
        std::vector<Word> words;
        std::optional<std::string> error;
        bool stored;
    };
    const std::vector<Case> cases{
        {"too short", 0.3, true, std::nullopt, {}, "That take was too short. Press record and talk over the video.", false},
        {"no microphone", 0, false, std::nullopt, {}, "Couldn't open the microphone.", false},
        {"transcription fails", 1, true, "engine broke", {word("x", 0, 1)},
         "Your voice was recorded, but it couldn't be transcribed: engine broke", true},
        {"no words", 1, true, std::nullopt, {},
         "No words were recognised in that take. The recording is kept; try again closer to the mic.", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        mic->opens = c.opens;
        transcriptionFailure = c.transcription;
        recognised = c.words;
        EditorRig rig(thirtySeconds());
        auto voice = workflow(rig);
        voice->startVoiceover();
        rig.clock->advance(3);
        if (c.opens) {
            talk(*mic, c.seconds);
            rig.clock->advance(0.3);
            voice->stopVoiceover();
            rig.clock->advance(0.05);
        }
        ASSERT_TRUE(waitFor([&] { return voice->voicePhase() == VoicePhase::idle() && voice->voiceError(); }));
        EXPECT_EQ(voice->voiceError(), c.error);
        EXPECT_EQ(rig->project().voiceover.has_value(), c.stored);
        if (c.stored) {
            EXPECT_TRUE(rig->project().voiceover->words.empty());
        }
        EXPECT_FALSE(rig.player->muted);
        if (!c.stored) {
            EXPECT_TRUE(std::filesystem::is_empty(VoiceRecorder::directory()));
        }
    }
}

TEST_F(VoiceoverWorkflowTest, DiscardThrowsTheTakeAwayAndPausingEndsIt)
{
    EditorRig rig(thirtySeconds());
    auto voice = workflow(rig);
    voice->startVoiceover();
    rig.clock->advance(3.3);
    talk(*mic, 1);
    voice->cancelVoiceover();
    EXPECT_EQ(voice->voicePhase(), VoicePhase::idle());
    EXPECT_FALSE(rig->project().voiceover);
    EXPECT_TRUE(std::filesystem::is_empty(VoiceRecorder::directory()));

    voice->startVoiceover();
    rig.clock->advance(3.3);
    talk(*mic, 1);
    rig->togglePlay();  // the user pauses the video
    rig.clock->advance(0.05);
    ASSERT_TRUE(waitFor([&] { return rig->project().voiceover.has_value(); }));
}

// The take's length is read off the main thread after the recorder has
// finished the file; a Discard pressed meanwhile still throws the file away,
// and an editor closed while the take is transcribed keeps the recording.
TEST_F(VoiceoverWorkflowTest, ATakeBeingFinishedIsDiscardedOrKeptWhole)
{
    for (bool closeEditor : {false, true}) {
        SCOPED_TRACE(closeEditor ? "the editor closes while transcribing" : "discard while the length is read");
        EditorRig rig(thirtySeconds());
        std::promise<void> lengthGate, wordsGate;
        std::shared_future<void> lengthOpen = lengthGate.get_future().share(), wordsOpen = wordsGate.get_future().share();
        auto recorder = std::make_unique<VoiceRecorder>([m = mic] { return std::make_unique<InjectedSource>(m); });
        auto transcribe = [wordsOpen](const std::filesystem::path&, const std::string&, double, const std::function<void(double)>&) {
            wordsOpen.wait();
            return std::vector<Word>{word("late", 0, 0.5)};
        };
        auto length = [lengthOpen](const std::filesystem::path&) -> std::optional<double> {
            lengthOpen.wait();
            return 1.0;
        };
        auto voice = std::make_unique<VoiceoverWorkflow>(*rig, rig.clock, std::move(recorder), transcribe, length);
        voice->startVoiceover();
        rig.clock->advance(3.3);
        talk(*mic, 1);
        voice->stopVoiceover();
        rig.clock->advance(0.05);
        ASSERT_FALSE(std::filesystem::is_empty(VoiceRecorder::directory()));
        if (!closeEditor) {
            voice->cancelVoiceover();
            lengthGate.set_value();
            wordsGate.set_value();
            QCoreApplication::processEvents();
            voice.reset();  // waits for the worker
            QCoreApplication::processEvents();
            EXPECT_FALSE(rig->project().voiceover);
            EXPECT_TRUE(std::filesystem::is_empty(VoiceRecorder::directory()));
            continue;
        }
        lengthGate.set_value();
        ASSERT_TRUE(waitFor([&] { return voice->voicePhase().kind == VoicePhase::Kind::transcribing; }));
        rig->teardown();
        wordsGate.set_value();
        voice.reset();
        QCoreApplication::processEvents();
        ASSERT_TRUE(rig->project().voiceover);
        EXPECT_TRUE(std::filesystem::exists(rig->project().voiceover->path));
        EXPECT_DOUBLE_EQ(rig->project().voiceover->duration, 1.0);
        EXPECT_TRUE(rig->project().voiceover->words.empty());
        ASSERT_TRUE(stored(rig->project()));
        EXPECT_TRUE(stored(rig->project())->voiceover);
    }
}

// Removing a take is one undo step; its file goes only when neither the
// project nor any step of the history can bring it back.
TEST_F(VoiceoverWorkflowTest, RemovalIsUndoableAndTheFileGoesOnceNothingRefersToIt)
{
    for (bool closeEditor : {false, true}) {
        SCOPED_TRACE(closeEditor ? "the editor closes" : "the history is cleared");
        Project p = thirtySeconds();
        Voiceover take;
        take.path = touch(VoiceRecorder::directory() / "take.m4a").string();
        take.words = {word("spoken", 2, 2.5)};
        take.volume = 4;
        p.voiceover = take;
        EditorRig rig(p);
        auto voice = workflow(rig);
        ASSERT_TRUE(rig->voiceDrivesCaptions());

        voice->removeVoiceover();
        EXPECT_FALSE(rig->project().voiceover);
        EXPECT_FALSE(rig->voiceDrivesCaptions());
        EXPECT_TRUE(std::filesystem::exists(take.path));
        rig->undo();
        QCoreApplication::processEvents();
        ASSERT_TRUE(rig->project().voiceover);
        EXPECT_TRUE(std::filesystem::exists(take.path));
        EXPECT_EQ(rig->project().voiceover->volume, 4);
        EXPECT_TRUE(rig->voiceDrivesCaptions());
        rig->redo();
        QCoreApplication::processEvents();
        EXPECT_FALSE(rig->project().voiceover);
        EXPECT_TRUE(std::filesystem::exists(take.path));

        if (closeEditor) rig->teardown();
        else rig->resetTranscriptEditing();
        QCoreApplication::processEvents();
        EXPECT_FALSE(std::filesystem::exists(take.path));
    }
}

// A project from elsewhere may name any file of the user's as its take. It
// stays in the record, but no way of letting go of the take deletes it.
TEST_F(VoiceoverWorkflowTest, ATakeOutsideTheRecordingsFolderIsNeverDeleted)
{
    const auto thesis = touch(dir.path() / "Documents" / "thesis.odt");
    const auto voiceovers = VoiceRecorder::directory();
    std::filesystem::create_directory_symlink(thesis.parent_path(), voiceovers / "linked");
    const std::function<void(EditorRig&, VoiceoverWorkflow&)> lettingGo[] = {
        [](EditorRig& rig, VoiceoverWorkflow& voice) {
            voice.removeVoiceover();
            rig->resetTranscriptEditing();  // clears the history
        },
        [](EditorRig& rig, VoiceoverWorkflow& voice) {
            voice.removeVoiceover();
            rig->teardown();  // closes the editor
        },
        [this, voiceovers](EditorRig& rig, VoiceoverWorkflow& voice) {  // records a new take
            voice.startVoiceover();
            countIn(rig, voice);
            talk(*mic, 1.2);
            rig.clock->advance(0.3);
            voice.stopVoiceover();
            rig.clock->advance(0.05);
            ASSERT_TRUE(waitFor([&] { return voice.voicePhase() == VoicePhase::idle(); }));
            ASSERT_TRUE(rig->project().voiceover);
            EXPECT_EQ(std::filesystem::path(rig->project().voiceover->path).parent_path(), voiceovers);
        },
    };
    for (const std::filesystem::path& named : {thesis, voiceovers / ".." / ".." / "Documents" / "thesis.odt",
                                               voiceovers / "linked" / "thesis.odt"}) {
        for (std::size_t way = 0; way < std::size(lettingGo); ++way) {
            SCOPED_TRACE(named.string() + ", way " + std::to_string(way));
            Project p = thirtySeconds();
            p.voiceover = Voiceover{};
            p.voiceover->path = named.string();
            EditorRig rig(p);
            auto voice = workflow(rig);
            lettingGo[way](rig, *voice);
            QCoreApplication::processEvents();
            voice.reset();
            EXPECT_EQ(test::readFile(thesis), "take");
        }
    }
}

TEST_F(VoiceoverWorkflowTest, UndoOfOtherStepsKeepsTheTakesMix)
{
    Project p = thirtySeconds();
    Voiceover take;
    take.path = touch(dir.path() / "take.m4a").string();
    p.voiceover = take;
    EditorRig rig(p);
    auto voice = workflow(rig);
    rig->toggleDelete({rig->project().words[0].id});
    voice->setVolume(6);
    voice->setOriginalLevel(0.3);
    rig->undo();
    EXPECT_EQ(rig->project().voiceover->volume, 6);
    EXPECT_EQ(rig->project().voiceover->originalLevel, 0.3);

    // Switching the captions' source resets the editing state, take or not.
    rig->toggleDelete({rig->project().words[1].id});
    voice->setCaptionsFromVoice(false);
    EXPECT_FALSE(rig->project().voiceover->captionsFromVoice);
    EXPECT_FALSE(rig->canUndo());
}

TEST(VoiceLevel, MapsPowerToTheMeter)
{
    EXPECT_EQ(VoiceoverWorkflow::levelOf(-160), 0);
    EXPECT_EQ(VoiceoverWorkflow::levelOf(-50), 0);
    EXPECT_DOUBLE_EQ(VoiceoverWorkflow::levelOf(-25), 0.5);
    EXPECT_EQ(VoiceoverWorkflow::levelOf(3), 1);
    EXPECT_EQ(VoiceoverWorkflow::levelOf(std::nanf("")), 0);
}

}  // namespace
}  // namespace vt::test
