#include "AppTestSupport.h"

#include "speech/WhisperTranscriber.h"
#include "support/LocalHttpServer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace vt {
namespace {

using test::IsolatedHome;

TEST(ModelDownload, AFailedTransferShowsTheAlertAndLetsANewOneStart)
{
    IsolatedHome home;
    test::TempDir served;
    test::writeFile(served / "model.bin", std::string(200'000, 'm'));  // far too small to be the model
    test::LocalHttpServer server(served.path());
    std::atomic<int> started{0};
    AppModel::Services services;
    services.downloadModel = [&](const std::function<void(double)>& progress, const CancelToken& cancel) {
        ++started;
        WhisperTranscriber::downloadModelFrom(server.url("model.bin"), progress, cancel);
    };
    AppModel app(services);

    app.downloadWhisperModel();
    EXPECT_EQ(app.modelDownloadProgress(), 0.0);  // started, before any report
    app.downloadWhisperModel();                   // one runs already
    ASSERT_TRUE(QTest::qWaitFor([&] { return !app.modelDownloadProgress(); }, 10000));
    EXPECT_EQ(started, 1);
    ASSERT_TRUE(app.errorMessage());
    EXPECT_EQ(*app.errorMessage(), "The speech model could not be downloaded.");
    EXPECT_FALSE(app.errorDetail().empty());
    EXPECT_FALSE(app.whisperInstalled());

    app.downloadWhisperModel();
    EXPECT_EQ(app.modelDownloadProgress(), 0.0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !app.modelDownloadProgress(); }, 10000));
    EXPECT_EQ(started, 2);
}

TEST(ModelDownload, ASuccessfulDownloadInstallsTheModelAndLateReportsAreIgnored)
{
    IsolatedHome home;
    std::atomic<bool> lateReportSent{false};
    std::thread late;
    AppModel::Services services;
    services.downloadModel = [&](const std::function<void(double)>& progress, const CancelToken&) {
        progress(0.5);
        std::filesystem::create_directories(WhisperTranscriber::modelPath().parent_path());
        test::writeFile(WhisperTranscriber::modelPath(), "");
        std::filesystem::resize_file(WhisperTranscriber::modelPath(), WhisperTranscriber::smallestInstalledSize + 1);
        // A transfer thread that reports once more after the download ended.
        late = std::thread([progress, &lateReportSent] {
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            progress(0.9);
            lateReportSent = true;
        });
    };
    AppModel app(services);
    std::vector<double> seen;
    QObject::connect(&app, &AppModel::modelDownloadProgressChanged, &app, [&] {
        if (app.modelDownloadProgress()) seen.push_back(*app.modelDownloadProgress());
    });
    app.downloadWhisperModel();
    ASSERT_TRUE(QTest::qWaitFor([&] { return app.whisperInstalled(); }, 10000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return lateReportSent.load(); }, 10000));
    late.join();
    QTest::qWait(50);  // let the late report reach the model
    EXPECT_FALSE(app.modelDownloadProgress());
    EXPECT_FALSE(app.errorMessage());
    EXPECT_EQ(seen, (std::vector<double>{0.0, 0.5}));

    app.downloadWhisperModel();  // installed: nothing happens
    EXPECT_FALSE(app.modelDownloadProgress());
}

}  // namespace
}  // namespace vt
