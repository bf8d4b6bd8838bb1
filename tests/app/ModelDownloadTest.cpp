#include "AppTestSupport.h"

#include "speech/WhisperTranscriber.h"
#include "support/LocalHttpServer.h"
#include "support/StandInModel.h"
#include "support/Waits.h"

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
    test::writeFile(served / "model.bin", std::string(200'000, 'm'));  // not the model
    test::LocalHttpServer server(served.path());
    test::StandInModel expected(test::writeModelLookalike(served / "expected.bin"), server.url("model.bin"));
    std::atomic<int> started{0};
    AppModel::Services services;
    services.downloadModel = [&](const std::function<void(double)>& progress, const CancelToken& cancel) {
        ++started;
        WhisperTranscriber::downloadModel(progress, cancel);
    };
    AppModel app(services);

    app.downloadWhisperModel();
    EXPECT_EQ(app.modelDownloadProgress(), 0.0);  // started, before any report
    app.downloadWhisperModel();                   // one runs already
    ASSERT_TRUE(test::waitFor([&] { return !app.modelDownloadProgress(); }));
    EXPECT_EQ(started, 1);
    ASSERT_TRUE(app.errorMessage());
    // What went wrong is said, in the message or in its details.
    EXPECT_TRUE(app.errorMessage()->starts_with("The speech model could not be downloaded")) << *app.errorMessage();
    EXPECT_TRUE(*app.errorMessage() != "The speech model could not be downloaded." || !app.errorDetail().empty());
    EXPECT_FALSE(app.whisperInstalled());

    app.downloadWhisperModel();
    EXPECT_EQ(app.modelDownloadProgress(), 0.0);
    ASSERT_TRUE(test::waitFor([&] { return !app.modelDownloadProgress(); }));
    EXPECT_EQ(started, 2);
}

TEST(ModelDownload, ASuccessfulDownloadInstallsTheModelAndLateReportsAreIgnored)
{
    IsolatedHome home;
    test::StandInModel model(test::writeModelLookalike(home.dir / "model.bin"));
    std::atomic<bool> lateReportSent{false};
    std::thread late;
    AppModel::Services services;
    services.downloadModel = [&](const std::function<void(double)>& progress, const CancelToken&) {
        progress(0.5);
        model.install();
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
    ASSERT_TRUE(test::waitFor([&] { return app.whisperInstalled(); }));
    ASSERT_TRUE(test::waitFor([&] { return lateReportSent.load(); }));
    late.join();
    QTest::qWait(50);  // let the late report reach the model
    EXPECT_FALSE(app.modelDownloadProgress());
    EXPECT_FALSE(app.errorMessage());
    EXPECT_EQ(seen, (std::vector<double>{0.0, 0.5}));

    app.downloadWhisperModel();  // installed: nothing happens
    EXPECT_FALSE(app.modelDownloadProgress());
}

// Bytes that start as a whisper.cpp model does, varied enough that a changed
// byte anywhere changes the digest.
std::string modelBytes(std::size_t size)
{
    std::string bytes = "lmgg";
    std::uint32_t state = 12345;
    while (bytes.size() < size) {
        state = state * 1664525u + 1013904223u;
        bytes.push_back(char(state >> 24));
    }
    return bytes;
}

TEST(ModelDownload, OnlyTheExpectedModelIsInstalledAndEveryOtherBodyIsRemovedWithItsReason)
{
    const std::string model = modelBytes(300'000);
    std::string damaged = model;
    damaged[200'000] ^= 0x5a;
    std::string html = "<!DOCTYPE html><html><body>Please sign in to continue.</body></html>";
    html.resize(model.size(), ' ');
    struct Case {
        const char* name;
        std::string served;
        std::string expected;  // what the program takes for the published model
        bool withoutLength;
        const char* reason;  // none: installed
    };
    const Case cases[] = {
        {"the model", model, model, false, nullptr},
        {"cut short, no length", model.substr(0, 120'000), model, true, "the downloaded Whisper model is incomplete"},
        {"right size, wrong bytes", damaged, model, false, "checksum differs from the published one"},
        {"a web page", html, model, false, "the downloaded file is not a Whisper model"},
        // Even a page whose size and digest a wrong list matches is no model.
        {"a web page listed as the model", html, html, false, "the downloaded file is not a Whisper model"},
        {"longer than the model", model + "more", model, false, "larger than the published file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        IsolatedHome home;
        test::TempDir served;
        test::writeFile(served / "model.bin", c.served);
        test::LocalHttpServer server(served.path());
        if (c.withoutLength) server.serveWithoutLength("model.bin");
        test::writeFile(served / "expected.bin", c.expected);
        test::StandInModel expected(served / "expected.bin", server.url("model.bin"));
        AppModel app;
        app.downloadWhisperModel();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !app.modelDownloadProgress(); }, 30000));
        const auto models = WhisperTranscriber::modelPath().parent_path();
        if (!c.reason) {
            EXPECT_FALSE(app.errorMessage()) << *app.errorMessage();
            EXPECT_TRUE(app.whisperInstalled());
            EXPECT_EQ(test::readFile(WhisperTranscriber::modelPath()), c.served);
            continue;
        }
        ASSERT_TRUE(app.errorMessage());
        EXPECT_TRUE(app.errorMessage()->starts_with("The speech model could not be downloaded: ")) << *app.errorMessage();
        EXPECT_NE(app.errorMessage()->find(c.reason), std::string::npos) << *app.errorMessage();
        EXPECT_FALSE(app.whisperInstalled());
        EXPECT_TRUE(std::filesystem::is_empty(models));  // the partial download is gone
    }
}

}  // namespace
}  // namespace vt
