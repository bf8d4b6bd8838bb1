#include "AppTestSupport.h"

#include "model/ProjectStore.h"
#include "support/Waits.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace vt {
namespace {

// An import that waits for a running model download stops as soon as it is
// cancelled, and leaves the download running.
TEST(ImportCancel, CancellingWhileWaitingForTheDownloadGoesHomeAtOnce)
{
    test::IsolatedHome home;
    const auto video = test::makeClip(home.dir / "clip.mp4", std::nullopt, 1);
    std::atomic<bool> release{false};
    AppModel::Services services;
    services.downloadModel = [&](const std::function<void(double)>& progress, const CancelToken& cancel) {
        progress(0.4);
        while (!release && !cancel.isCancelled()) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        throw std::runtime_error("stopped");
    };
    AppModel app(services);
    app.finishOnboarding();
    app.setEngine(TranscriptionEngine::whisper);
    app.downloadWhisperModel();
    app.importVideo(video);
    ASSERT_TRUE(test::waitFor([&] { return app.processing() && app.processing()->phase == "Downloading Whisper model (one time)"; }));

    app.task()->cancel();
    EXPECT_TRUE(test::waitForImport(app));
    EXPECT_EQ(app.screen(), Screen::home);
    EXPECT_FALSE(app.errorMessage());
    EXPECT_TRUE(app.modelDownloadProgress());  // the download goes on
    EXPECT_TRUE(ProjectStore::loadAll().empty());

    // The end of the download does not bring the cancelled import back.
    release = true;
    ASSERT_TRUE(test::waitFor([&] { return !app.modelDownloadProgress(); }));
    QTest::qWait(300);
    EXPECT_EQ(app.screen(), Screen::home);
    EXPECT_FALSE(app.processing());
    EXPECT_TRUE(ProjectStore::loadAll().empty());
}

}  // namespace
}  // namespace vt
