#pragma once
// An editor on fakes with its sound and picture jobs on test engines: a
// cleaner, a mood synthesizer, a camera-path analyser and a microphone that
// the test controls, all in throw-away data and settings folders.

#include "editor/EditorFakes.h"
#include "editor/SoundPictureJobs.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QSlider>
#include <QTest>

#include <future>
#include <stdexcept>

namespace vt::test {

struct SoundPictureRig : EditorTest {
    std::optional<std::string> cleanupFailure;
    std::optional<std::string> musicFailure;
    std::optional<std::string> analysisFailure;
    std::shared_future<void> analysisGate;  // when set, the analysis waits for it
    int corrections = 0;
    struct Mic {
        SoundSource::Sink sink;
    };
    std::shared_ptr<Mic> mic = std::make_shared<Mic>();
    std::unique_ptr<EditorRig> rig;
    SoundPictureJobs* jobs = nullptr;

    void open(Project p = sampleProject())
    {
        rig = std::make_unique<EditorRig>(std::move(p));
        EditorModel& model = **rig;
        auto clock = rig->clock;
        auto cleaner = [this](const std::filesystem::path&, const std::vector<ClosedRange<double>>&, const AudioCleanup&,
                              const std::filesystem::path& destination, const AudioCleaner::Progress&, const CancelToken&) {
            if (cleanupFailure) throw std::runtime_error(*cleanupFailure);
            writeFile(destination, "clean");
        };
        auto generate = [this](const MusicGenerator::Mood& mood, const CancelToken&) {
            if (musicFailure) throw std::runtime_error(*musicFailure);
            const auto file = dir.path() / (mood.id + ".m4a");
            writeFile(file, "music");
            return file;
        };
        auto analyze = [this](const std::filesystem::path&, const SourceVideoInfo&, const std::function<void(double)>& progress,
                              const CancelToken&) {
            progress(0.25);
            if (analysisGate.valid()) analysisGate.wait();
            if (analysisFailure) throw std::runtime_error(*analysisFailure);
            return CameraPath{{0, 1, 2}, {0, 0.02, 0}, {0, 0, 0.01}};
        };
        auto correct = [this](const CameraPath& path, double strength) {
            ++corrections;
            StabilizationCorrection c;
            c.t = path.t;
            c.dx = std::vector<double>(path.t.size(), 0);
            c.dy = c.dx;
            c.zoom = 1 + 0.034 * strength / 0.6;
            return c;
        };
        struct Source final : SoundSource {
            std::shared_ptr<Mic> mic;
            bool start(Sink sink) override
            {
                mic->sink = std::move(sink);
                return true;
            }
            void stop() override { mic->sink = nullptr; }
        };
        auto recorder = std::make_unique<VoiceRecorder>([m = mic] {
            auto s = std::make_unique<Source>();
            s->mic = m;
            return s;
        });
        auto transcribe = [](const std::filesystem::path&, const std::string&, double, const std::function<void(double)>&) {
            return std::vector<Word>{word("hi", 0.2, 0.5)};
        };
        jobs = &SoundPictureJobs::install(
            model, std::make_unique<SoundPictureJobs>(new AudioCleanupJobs(model, clock, cleaner), new MusicCommands(model, generate),
                                                      new VoiceoverWorkflow(model, clock, std::move(recorder), transcribe),
                                                      new GradeActions(model), new StabilizeActions(model, clock, analyze, correct)));
    }
    EditorModel& editor() { return **rig; }
    // Lets worker results reach the main thread.
    static void settle()
    {
        for (int i = 0; i < 5; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
};

// Drags a slider by hand from its start to `fraction` of its track, in
// several steps, and lets go.
inline void drag(QSlider* slider, double fraction)
{
    slider->setSliderDown(true);
    for (int step = 1; step <= 5; ++step)
        slider->setValue(slider->minimum() + int((slider->maximum() - slider->minimum()) * fraction * step / 5));
    slider->setSliderDown(false);
}

inline bool shown(const QWidget* w) { return w && w->isVisibleTo(w->window()); }

}  // namespace vt::test
