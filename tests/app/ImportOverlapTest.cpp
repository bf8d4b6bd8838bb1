// Face tracking runs alongside the transcription of an import, while the
// processing screen still shows one step at a time.

#include "AppTestSupport.h"

#include "model/ProjectStore.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace vt {
namespace {

void waitFor(const std::atomic<bool>& flag)
{
    while (!flag) std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

const FaceTrack kTrack{{{0, 0.3, 0.6}, {1, 0.35, 0.6}}};

TEST(ImportOverlap, FaceTrackingRunsWhileTheTranscriptIsAwaitedAndEndsWithTheImport)
{
    test::IsolatedHome home;
    const auto video = test::makeClip(home.dir / "clip.mp4", std::nullopt, 1);
    test::ScopedEnv proxy{"https_proxy", "http://127.0.0.1:1"};
    test::ScopedEnv allProxy{"ALL_PROXY", "http://127.0.0.1:1"};
    std::atomic<bool> releaseDownload{false}, tracking{false}, releaseTracker{false}, trackerStopped{false};
    AppModel::Services services;
    services.downloadModel = [&](const std::function<void(double)>& progress, const CancelToken&) {
        progress(0.4);
        waitFor(releaseDownload);
        throw std::runtime_error("stopped");
    };
    services.trackFaces = [&](const std::filesystem::path&, double, const std::function<void(double)>& progress) {
        progress(0.5);
        tracking = true;
        waitFor(releaseTracker);
        try {
            progress(0.9);  // the import has ended by now: this stops the tracker
        } catch (const CancellationError&) {
            trackerStopped = true;
            throw;
        }
        return std::optional<FaceTrack>(kTrack);
    };
    AppModel app(services);
    app.finishOnboarding();
    app.setEngine(TranscriptionEngine::whisper);
    app.downloadWhisperModel();
    app.importVideo(video);

    // The transcription waits for the download, and the face is tracked meanwhile.
    ASSERT_TRUE(QTest::qWaitFor([&] { return tracking.load(); }, 30000));
    QCoreApplication::processEvents();
    ASSERT_TRUE(app.processing());
    EXPECT_EQ(app.processing()->step, 1);
    EXPECT_EQ(app.processing()->phase, "Downloading Whisper model (one time)");

    // The transcriber then cannot fetch the model: the import fails at once,
    // without waiting for the tracker, which stops at its next frame.
    releaseDownload = true;
    ASSERT_TRUE(test::waitForImport(app));
    EXPECT_EQ(app.screen(), Screen::home);
    EXPECT_TRUE(app.errorMessage());
    releaseTracker = true;
    ASSERT_TRUE(QTest::qWaitFor([&] { return trackerStopped.load(); }, 30000));
    QTest::qWait(200);
    EXPECT_EQ(app.screen(), Screen::home);
    EXPECT_FALSE(app.processing());
    EXPECT_TRUE(ProjectStore::loadAll().empty());
}

TEST(ImportOverlap, TrackingShowsOnceTheTranscriptIsInAndItsTrackIsSaved)
{
    test::IsolatedHome home;
    const auto video = test::makeClip(home.dir / "talk.mp4", test::speak(home.dir / "voice.wav", "Hello there, this is a test."), 2);
    std::atomic<bool> releaseTracker{false};
    AppModel::Services services;
    services.trackFaces = [&](const std::filesystem::path&, double, const std::function<void(double)>& progress) {
        progress(0.5);
        waitFor(releaseTracker);
        progress(1);
        return std::optional<FaceTrack>(kTrack);
    };
    AppModel app(services);
    std::vector<int> steps;
    QObject::connect(&app, &AppModel::processingChanged, &app, [&] {
        if (app.processing() && (steps.empty() || steps.back() != app.processing()->step)) steps.push_back(app.processing()->step);
    });
    app.finishOnboarding();
    app.importVideo(video);

    // Once the transcript is in, the tracking step shows how far it has come.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return app.processing() && app.processing()->step == 3 && app.processing()->fraction == 0.5; }, 30000));
    EXPECT_EQ(app.processing()->phase, "Tracking the speaker for smart reframing");
    EXPECT_EQ(steps, (std::vector<int>{0, 2, 3}));  // the tracker's early report did not jump ahead
    EXPECT_EQ(app.screen(), Screen::processing);

    releaseTracker = true;
    ASSERT_TRUE(test::waitForImport(app));
    EXPECT_FALSE(app.errorMessage()) << *app.errorMessage();
    EXPECT_EQ(app.screen(), Screen::editor);
    ASSERT_EQ(app.projects().size(), 1u);
    EXPECT_FALSE(app.projects().front().words.empty());
    EXPECT_EQ(app.projects().front().faceTrack, kTrack);
}

TEST(ImportOverlap, AFailedFaceTrackingLeavesTheVideoFramedOnItsMiddle)
{
    test::IsolatedHome home;
    const auto video = test::makeClip(home.dir / "talk.mp4", test::speak(home.dir / "voice.wav", "Hello there, this is a test."), 2);
    AppModel::Services services;
    services.trackFaces = [](const std::filesystem::path&, double, const std::function<void(double)>&) -> std::optional<FaceTrack> {
        throw std::runtime_error("the tracker broke");
    };
    AppModel app(services);
    app.finishOnboarding();
    app.importVideo(video);
    ASSERT_TRUE(test::waitForImport(app));
    EXPECT_FALSE(app.errorMessage()) << *app.errorMessage();
    EXPECT_EQ(app.screen(), Screen::editor);
    ASSERT_EQ(app.projects().size(), 1u);
    EXPECT_FALSE(app.projects().front().words.empty());
    EXPECT_FALSE(app.projects().front().faceTrack);
}

TEST(ImportOverlap, CancellingWhileOnlyTheTrackerRunsSavesNothing)
{
    test::IsolatedHome home;
    const auto video = test::makeClip(home.dir / "talk.mp4", test::speak(home.dir / "voice.wav", "Hello there, this is a test."), 2);
    // The tracker either returns its track at once when released, or looks
    // at its progress again (which stops a cancelled import's tracker).
    for (const bool reportsAgain : {false, true}) {
        std::atomic<bool> releaseTracker{false};
        AppModel::Services services;
        services.trackFaces = [&](const std::filesystem::path&, double, const std::function<void(double)>& progress) {
            progress(0.5);
            waitFor(releaseTracker);
            if (reportsAgain) progress(0.9);
            return std::optional<FaceTrack>(kTrack);
        };
        AppModel app(services);
        app.finishOnboarding();
        app.importVideo(video);
        const bool tracking = QTest::qWaitFor([&] { return app.processing() && app.processing()->step == 3; }, 30000);
        app.task()->cancel();
        releaseTracker = true;
        ASSERT_TRUE(tracking) << "the transcript never came in";
        ASSERT_TRUE(test::waitForImport(app));
        EXPECT_EQ(app.screen(), Screen::home) << reportsAgain;
        EXPECT_FALSE(app.errorMessage()) << reportsAgain;
        EXPECT_TRUE(ProjectStore::loadAll().empty()) << reportsAgain;
    }
}

}  // namespace
}  // namespace vt
