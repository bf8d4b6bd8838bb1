#include "AppTestSupport.h"

#include "app/AppSettings.h"
#include "model/ProjectStore.h"
#include "speech/WhisperTranscriber.h"
#include "support/LocalHttpServer.h"
#include "support/StandInModel.h"
#include "support/TinyWhisperModel.h"
#include "support/Waits.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <thread>

namespace vt {
namespace {

using test::IsolatedHome;

// Every phase and step the processing state went through.
struct Watch {
    std::vector<std::string> phases;
    std::set<int> steps;
    explicit Watch(AppModel& app)
    {
        QObject::connect(&app, &AppModel::processingChanged, &app, [this, &app] {
            if (!app.processing()) return;
            if (phases.empty() || phases.back() != app.processing()->phase) phases.push_back(app.processing()->phase);
            steps.insert(app.processing()->step);
        });
    }
    bool saw(const std::string& phase) const { return std::find(phases.begin(), phases.end(), phase) != phases.end(); }
};

// Every download goes to a dead proxy, whatever exceptions the machine lists.
struct NoNetwork {
    test::ScopedEnv proxy{"https_proxy", "http://127.0.0.1:1"};
    test::ScopedEnv allProxy{"ALL_PROXY", "http://127.0.0.1:1"};
    test::ScopedEnv noProxy{"no_proxy", std::nullopt};
    test::ScopedEnv noProxyUpper{"NO_PROXY", std::nullopt};
};

// Imports the video with whisper.cpp chosen, to the end of the import.
bool importWithWhisper(AppModel& app, const std::filesystem::path& video)
{
    app.finishOnboarding();
    app.setEngine(TranscriptionEngine::whisper);
    app.importVideo(video);
    return test::waitForImport(app);
}

std::filesystem::path speechClip(const IsolatedHome& home, double seconds = 3)
{
    const auto voice = test::speak(home.dir / "voice.wav", "Hello there. This is my short test video about captions.");
    return test::makeClip(home.dir / "My Talk.mp4", voice, seconds);
}

TEST(Import, ASpokenVideoBecomesASavedProjectThatOpens)
{
    IsolatedHome home;
    const auto video = speechClip(home);
    AppModel app;  // first start: onboarding
    Watch watch(app);
    app.setCaptionLanguageID("devanagari");  // kept only when some word has native text
    app.importVideo(video);
    EXPECT_TRUE(AppSettings::boolean(AppSettings::hasOnboardedKey));  // before the processing screen
    EXPECT_EQ(app.screen(), Screen::processing);
    ASSERT_TRUE(app.processing());
    EXPECT_EQ(app.processing()->fileName, "My Talk.mp4");
    EXPECT_EQ(app.processing()->phase, "Preparing");
    const Task first = app.task();
    app.importVideo(video);  // ignored while one runs
    EXPECT_EQ(app.task(), first);

    ASSERT_TRUE(test::waitForImport(app));
    EXPECT_FALSE(app.errorMessage()) << *app.errorMessage();
    EXPECT_EQ(app.screen(), Screen::editor);
    EXPECT_FALSE(app.processing());
    EXPECT_TRUE(watch.saw("Extracting audio"));
    EXPECT_TRUE(watch.saw("Transcribing on-device"));
    EXPECT_TRUE(watch.saw("Tracking the speaker for smart reframing"));
    EXPECT_FALSE(watch.saw("Extracting audio · listening for the language"));  // no model: no detection
    EXPECT_EQ(watch.steps, (std::set<int>{0, 2, 3}));

    ASSERT_EQ(app.projects().size(), 1u);
    const Project& project = app.projects().front();
    EXPECT_EQ(project.name, "My Talk");
    EXPECT_EQ(project.videoPath, video.string());
    EXPECT_NEAR(project.sourceDuration, 3, 0.2);
    EXPECT_EQ(project.localeID, app.localeID());
    EXPECT_FALSE(project.words.empty());
    EXPECT_FALSE(project.faceTrack);  // a test pattern has no face
    EXPECT_FALSE(project.captionLanguageID);
    EXPECT_EQ(project.baseStyleID, app.startStyleID());
    EXPECT_TRUE(project.videoBookmark);
    const QImage poster(QString::fromStdString(AppModel::posterPath(project.id).string()));
    EXPECT_EQ(poster.size(), QSize(96, 64));
    ASSERT_TRUE(app.editor());
    EXPECT_EQ(app.editor()->project().id, project.id);

    // A finished import lets the next one start with a new task.
    app.importVideo(video);
    EXPECT_EQ(app.screen(), Screen::processing);
    EXPECT_NE(app.task(), first);
    EXPECT_FALSE(app.editor());  // the open project is closed first
    app.task()->cancel();
    ASSERT_TRUE(test::waitForImport(app));
}

TEST(Import, FailuresGoHomeWithTheirMessageAndSaveNothing)
{
    IsolatedHome home;
    const auto voice = test::speak(home.dir / "voice.wav", "Only sound here.");
    const auto silentVideo = test::makeClip(home.dir / "silent.mp4", std::nullopt, 1);
    const auto corrupt = home.dir / "corrupt.mp4";
    test::writeFile(corrupt, std::string(4096, '\x5a'));
    const auto soundOnly = home.dir / "sound.m4a";
    ASSERT_EQ(test::run("ffmpeg -v error -y -i " + test::shellQuote(voice.string()) + " -c:a aac " + test::shellQuote(soundOnly.string())), 0);

    struct Case {
        std::filesystem::path file;
        std::string message;
        std::string detail;  // the library's words
    };
    const Case cases[] = {
        {silentVideo, "This file has no audio to transcribe.", ""},
        {corrupt, "This file is not a video that can be read.", "Couldn't open the file: Invalid data found when processing input"},
        {soundOnly, "This file has no video track.", ""},
    };
    AppModel app;
    app.finishOnboarding();
    for (const Case& c : cases) {
        app.importVideo(c.file);
        ASSERT_TRUE(test::waitForImport(app));
        ASSERT_TRUE(app.errorMessage()) << c.file;
        EXPECT_EQ(*app.errorMessage(), c.message);
        EXPECT_EQ(app.errorDetail(), c.detail);
        EXPECT_EQ(app.screen(), Screen::home);
        app.setErrorMessage(std::nullopt);
    }
    EXPECT_TRUE(ProjectStore::loadAll().empty());
}

TEST(Import, CancellingReturnsHomeSilently)
{
    IsolatedHome home;
    const auto video = speechClip(home);
    AppModel app;
    app.finishOnboarding();
    app.importVideo(video);
    // Cancel once transcription has begun.
    ASSERT_TRUE(test::waitFor([&] { return app.processing() && app.processing()->step == 2; }));
    app.task()->cancel();
    ASSERT_TRUE(test::waitForImport(app));
    EXPECT_EQ(app.screen(), Screen::home);
    EXPECT_FALSE(app.errorMessage());
    EXPECT_TRUE(ProjectStore::loadAll().empty());
    EXPECT_TRUE(app.projects().empty());
}

TEST(Import, WhisperWithoutItsModelReportsTheFailedFetch)
{
    IsolatedHome home;
    const auto video = speechClip(home, 2);
    NoNetwork offline;  // the model cannot be fetched from here
    AppModel app;
    Watch watch(app);
    ASSERT_TRUE(importWithWhisper(app, video));
    ASSERT_TRUE(app.errorMessage());
    EXPECT_EQ(*app.errorMessage(), "No internet connection: the speech model could not be downloaded.");
    EXPECT_TRUE(app.errorDetail().starts_with("The download failed: ")) << app.errorDetail();
    EXPECT_EQ(app.screen(), Screen::home);
    EXPECT_TRUE(watch.saw("Downloading Whisper model (one time, 574 MB)"));
    EXPECT_FALSE(app.whisperInstalled());
    EXPECT_TRUE(ProjectStore::loadAll().empty());
}

// A fetch that arrives but is refused (no such file on the server, a web
// page in place of the model) is the download's failure, not the engine's.
TEST(Import, WhisperWhoseModelFetchIsRefusedSaysTheDownloadFailed)
{
    IsolatedHome home;
    const auto video = speechClip(home, 2);
    test::TempDir served;
    test::writeModelLookalike(served / "expected.bin");
    test::writeFile(served / "page.bin", "<html><body>Please sign in.</body></html>");
    test::LocalHttpServer server(served.path());
    struct Case {
        const char* path;
        std::string message;
    };
    const Case cases[] = {
        {"nothing-here.bin", "The speech model could not be downloaded: Whisper model download failed."},
        {"page.bin", "The speech model could not be downloaded: the downloaded file is not a Whisper model."},
    };
    for (const Case& c : cases) {
        test::StandInModel expected(served / "expected.bin", server.url(c.path));
        AppModel app;
        ASSERT_TRUE(importWithWhisper(app, video));
        ASSERT_TRUE(app.errorMessage()) << c.path;
        EXPECT_EQ(*app.errorMessage(), c.message);
        EXPECT_EQ(app.screen(), Screen::home);
        EXPECT_TRUE(ProjectStore::loadAll().empty());
    }
}

TEST(Import, WhisperWaitsForARunningDownloadAndShowsItsProgress)
{
    test::IsolatedHome home;
    const auto video = speechClip(home, 2);
    NoNetwork offline;
    std::atomic<bool> release{false};
    AppModel::Services services;
    services.downloadModel = [&](const std::function<void(double)>& progress, const CancelToken&) {
        progress(0.3);
        while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        throw std::runtime_error("stopped");  // a failed download does not fail the import
    };
    AppModel app(services);
    app.finishOnboarding();
    app.setEngine(TranscriptionEngine::whisper);
    app.downloadWhisperModel();
    app.importVideo(video);
    ASSERT_TRUE(test::waitFor([&] { return app.processing() && app.processing()->phase == "Downloading Whisper model (one time)"; }));
    EXPECT_EQ(app.processing()->step, 1);
    EXPECT_DOUBLE_EQ(app.processing()->fraction, 0.3);
    release = true;
    ASSERT_TRUE(test::waitForImport(app));
    // The transcriber then tried to fetch the model itself, which cannot work here.
    ASSERT_TRUE(app.errorMessage());
    EXPECT_EQ(app.screen(), Screen::home);
}

// Following the face only frames the picture better: whatever stops the
// tracker, the import ends in the editor, framed around the middle.
TEST(Import, AFailingFaceTrackerNeverFailsTheImport)
{
    IsolatedHome home;
    const auto video = speechClip(home, 2);
    for (const std::function<void()>& fail : std::vector<std::function<void()>>{
             [] { throw std::runtime_error("the detector gave up"); }, [] { throw std::bad_alloc(); }, [] { throw 7; }}) {
        AppModel::Services services;
        services.trackFaces = [&](const std::filesystem::path&, double, const std::function<void(double)>& progress)
            -> std::optional<FaceTrack> {
            progress(0.5);
            fail();
            return std::nullopt;
        };
        AppModel app(services);
        app.finishOnboarding();
        app.importVideo(video);
        ASSERT_TRUE(test::waitForImport(app));
        EXPECT_FALSE(app.errorMessage()) << *app.errorMessage();
        EXPECT_EQ(app.screen(), Screen::editor);
        ASSERT_TRUE(app.editor());
        EXPECT_FALSE(app.editor()->project().faceTrack);
        EXPECT_FALSE(app.editor()->project().words.empty());
    }
}

TEST(Import, AProjectThatCannotOpenGoesHomeWithTheAlert)
{
    IsolatedHome home;
    const auto video = speechClip(home, 2);
    AppModel app;
    app.finishOnboarding();
    // The video goes away while the speaker is tracked, before the project opens.
    QObject::connect(&app, &AppModel::processingChanged, &app, [&] {
        if (app.processing() && app.processing()->step == 3) std::filesystem::remove(video);
    });
    app.importVideo(video);
    ASSERT_TRUE(test::waitForImport(app));
    EXPECT_EQ(app.errorMessage(), "The original video was moved or deleted:\n" + video.string());
    EXPECT_EQ(app.screen(), Screen::home);
    EXPECT_FALSE(app.processing());
    EXPECT_EQ(ProjectStore::loadAll().size(), 1u);  // saved before it was opened

    // The next import is not ignored.
    app.setErrorMessage(std::nullopt);
    app.importVideo(home.dir / "voice.wav");
    EXPECT_EQ(app.screen(), Screen::processing);
    ASSERT_TRUE(test::waitForImport(app));
}

}  // namespace
}  // namespace vt

namespace vt {
namespace {

TEST(Import, AVideoOfThreeMinutesGoesToTheShortsPicker)
{
    test::IsolatedHome home;
    // Three minutes of picture; a second of sound keeps the transcription short.
    const auto video = home.dir / "long.mp4";
    ASSERT_EQ(test::run("ffmpeg -v error -y -f lavfi -i color=c=gray:s=32x32:r=1:d=180 -f lavfi -i anullsrc=r=16000:cl=mono:d=1 "
                        "-c:v libx264 -preset ultrafast -pix_fmt yuv420p -c:a aac " +
                        test::shellQuote(video.string())),
              0);
    AppModel app;
    app.finishOnboarding();
    app.importVideo(video);
    ASSERT_TRUE(test::waitForImport(app));
    EXPECT_FALSE(app.errorMessage()) << *app.errorMessage();
    EXPECT_EQ(app.screen(), Screen::clips);
    ASSERT_TRUE(app.clipSource());
    EXPECT_EQ(app.clipSource()->name, "long");
    EXPECT_FALSE(app.editor());
}

}  // namespace
}  // namespace vt

namespace vt {
namespace {

TEST(Import, WithTheModelInstalledTheLanguageIsListenedForFirst)
{
    test::IsolatedHome home;
    const auto video = test::makeClip(home.dir / "talk.mp4", test::speak(home.dir / "voice.wav", "Hello there, this is a test."), 2);
    // Counts as installed, but whisper.cpp cannot load it.
    test::StandInModel model(test::writeModelLookalike(home.dir / "lookalike.bin"));
    model.install();
    AppModel app;
    Watch watch(app);
    ASSERT_TRUE(importWithWhisper(app, video));
    EXPECT_EQ(watch.phases.at(1), "Extracting audio · listening for the language");  // right after "Preparing"
    // Nothing was heard, so the guard keeps whisper.cpp, whose failure is the alert.
    EXPECT_TRUE(watch.saw("Extracting audio"));
    ASSERT_TRUE(app.errorMessage());
    EXPECT_NE(app.errorMessage()->find("Whisper model"), std::string::npos) << *app.errorMessage();
    EXPECT_EQ(app.screen(), Screen::home);
    EXPECT_TRUE(ProjectStore::loadAll().empty());
}

}  // namespace
}  // namespace vt
