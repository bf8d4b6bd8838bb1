#include "AppTestSupport.h"

#include <gtest/gtest.h>

#include <sched.h>

#include <atomic>
#include <thread>

namespace vt {
namespace {

// Keeps this thread (and the threads it starts) on one core while alive.
struct OneCore {
    cpu_set_t saved;
    OneCore()
    {
        sched_getaffinity(0, sizeof saved, &saved);
        cpu_set_t one;
        CPU_ZERO(&one);
        for (int cpu = 0; cpu < CPU_SETSIZE; ++cpu) {
            if (CPU_ISSET(cpu, &saved)) {
                CPU_SET(cpu, &one);
                break;
            }
        }
        sched_setaffinity(0, sizeof one, &one);
    }
    ~OneCore() { sched_setaffinity(0, sizeof saved, &saved); }
};

// The speech-model download holds a worker for as long as it runs; on a
// machine of one core an import started meanwhile still goes its way.
TEST(DownloadBesideImport, AnImportRunsWhileTheModelDownloads)
{
    test::IsolatedHome home;
    const auto video = test::makeClip(home.dir / "silent.mp4", std::nullopt, 1);
    OneCore oneCore;
    std::atomic<bool> release{false};
    AppModel::Services services;
    services.downloadModel = [&](const std::function<void(double)>&, const CancelToken& cancel) {
        while (!release && !cancel.isCancelled()) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        throw std::runtime_error("stopped");
    };
    AppModel app(services);
    app.finishOnboarding();
    app.setEngine(TranscriptionEngine::apple);
    app.downloadWhisperModel();
    app.importVideo(video);
    // A video without sound ends in the alert, long before the download.
    EXPECT_TRUE(test::waitForImport(app));
    EXPECT_TRUE(app.modelDownloadProgress());
    EXPECT_EQ(app.screen(), Screen::home);
    release = true;
}

}  // namespace
}  // namespace vt
