#include "AppTestSupport.h"

#include "app/AppSettings.h"
#include "model/DataRoot.h"
#include "model/ProjectStore.h"
#include "speech/WhisperTranscriber.h"
#include "support/Waits.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace vt {
namespace {

using test::IsolatedHome;

void installModel()
{
    std::filesystem::create_directories(WhisperTranscriber::modelPath().parent_path());
    test::writeFile(WhisperTranscriber::modelPath(), "");
    std::filesystem::resize_file(WhisperTranscriber::modelPath(), WhisperTranscriber::smallestInstalledSize + 1);
}

Project savedProject(const std::string& name, const std::string& videoPath)
{
    Project p;
    p.name = name;
    p.videoPath = videoPath;
    EXPECT_EQ(ProjectStore::save(p), ProjectStore::SaveResult::saved);
    return p;
}

TEST(AppModel, FirstStartShowsOnboardingWithDefaultSettings)
{
    IsolatedHome home;
    AppModel app;
    EXPECT_EQ(app.screen(), Screen::onboarding);
    EXPECT_EQ(app.engine(), TranscriptionEngine::apple);  // no model installed
    EXPECT_EQ(app.captionLanguageID(), "latin");
    EXPECT_FALSE(app.whisperInstalled());
    EXPECT_TRUE(app.projects().empty());
    // The defaults are not written back.
    EXPECT_FALSE(AppSettings::string(AppSettings::engineKey).has_value());
    // The locale task settles on a locale the recognizer has.
    ASSERT_TRUE(test::waitFor([&] { return !app.locales().empty(); }));
    EXPECT_NE(std::find(app.locales().begin(), app.locales().end(), app.localeID()), app.locales().end());
}

TEST(AppModel, StoredEngineHoldsAndUnknownValuesFallBackOnTheModelFile)
{
    struct Case {
        std::optional<std::string> stored;
        bool modelInstalled;
        TranscriptionEngine expected;
    };
    const Case cases[] = {
        {"Apple", true, TranscriptionEngine::apple},
        {"Whisper", false, TranscriptionEngine::whisper},
        {"whisper", true, TranscriptionEngine::whisper},  // not a raw value: as if absent
        {"whisper", false, TranscriptionEngine::apple},
        {std::nullopt, true, TranscriptionEngine::whisper},
    };
    for (const Case& c : cases) {
        IsolatedHome home;
        if (c.stored) AppSettings::set(AppSettings::engineKey, QString::fromStdString(*c.stored));
        if (c.modelInstalled) installModel();
        AppModel app;
        EXPECT_EQ(app.engine(), c.expected) << c.stored.value_or("(none)");
        EXPECT_EQ(app.whisperInstalled(), c.modelInstalled);
    }
}

TEST(AppModel, SettingsAreWrittenOnEveryAssignmentButAnnouncedOnlyOnChange)
{
    IsolatedHome home;
    AppModel app;
    QSignalSpy engine(&app, &AppModel::engineChanged);
    app.setEngine(TranscriptionEngine::whisper);
    EXPECT_EQ(AppSettings::string(AppSettings::engineKey), "Whisper");
    AppSettings::set(AppSettings::engineKey, "scribbled");
    app.setEngine(TranscriptionEngine::whisper);
    EXPECT_EQ(AppSettings::string(AppSettings::engineKey), "Whisper");
    EXPECT_EQ(engine.count(), 1);

    app.setWhisperLanguageID("hi");
    app.setCaptionLanguageID("devanagari");
    AppModel again;
    EXPECT_EQ(again.engine(), TranscriptionEngine::whisper);
    EXPECT_EQ(again.whisperLanguageID(), "hi");
    EXPECT_EQ(again.captionLanguageID(), "devanagari");
}

TEST(AppModel, LegacySettingsAreCopiedOnceAndDecideTheFirstScreen)
{
    IsolatedHome home;
    {
        QSettings legacy(QString::fromStdString(DataRoot::suiteSettingsFile(ProjectStore::legacyBundleIDs[0]).string()), QSettings::IniFormat);
        legacy.setValue("hasOnboarded", true);
        legacy.setValue("engine", "Apple");
    }
    AppModel app;
    EXPECT_EQ(app.screen(), Screen::welcome);
    AppSettings::set(AppSettings::hasOnboardedKey, false);
    AppModel later;  // the copy has run: the user's own setting stands
    EXPECT_EQ(later.screen(), Screen::onboarding);
}

TEST(AppModel, ScreensMoveOnlyAlongTheirOperations)
{
    IsolatedHome home;
    AppModel app;
    app.finishOnboarding();
    EXPECT_EQ(app.screen(), Screen::home);
    EXPECT_TRUE(AppSettings::boolean(AppSettings::hasOnboardedKey));
    app.showOnboarding();
    EXPECT_EQ(app.screen(), Screen::onboarding);
    app.setScreen(Screen::editor);
    app.showOnboarding();  // not from the editor
    EXPECT_EQ(app.screen(), Screen::editor);
    app.enterProjects();
    EXPECT_EQ(app.screen(), Screen::home);
}

TEST(AppModel, OpeningAProjectWhoseVideoIsGoneShowsTheAlertAndStays)
{
    IsolatedHome home;
    const auto video = test::makeClip(home.dir / "here.mp4", std::nullopt, 1);
    AppModel app;
    app.finishOnboarding();
    Project project = savedProject("Trip", video.string());
    VideoClip first, second;
    first.path = video.string();
    second.path = (home.dir / "moved.mp4").string();
    project.clips = std::vector{first, second};
    app.open(project);
    EXPECT_EQ(app.errorMessage(), "The original video was moved or deleted:\n" + second.path);
    EXPECT_EQ(app.screen(), Screen::home);
    EXPECT_FALSE(app.editor());

    project.clips.reset();
    app.open(project);
    EXPECT_EQ(app.screen(), Screen::editor);
    ASSERT_TRUE(app.editor());
    EXPECT_EQ(app.editor()->project().name, "Trip");
    app.closeEditor();
    EXPECT_EQ(app.screen(), Screen::home);
    EXPECT_FALSE(app.editor());
}

TEST(AppModel, RenameDuplicateAndDeleteWorkOnTheStore)
{
    IsolatedHome home;
    AppModel app;
    const Project trip = savedProject("Trip", "/nowhere.mp4");
    test::writeFile(AppModel::posterPath(trip.id), "jpeg");
    app.enterProjects();

    app.rename(trip, "  \t ");
    EXPECT_EQ(app.projects().front().name, "Trip");
    app.rename(trip, "  Trip to the sea \n");
    EXPECT_EQ(app.projects().front().name, "Trip to the sea");

    const Project renamed = app.projects().front();
    app.duplicate(renamed);
    app.duplicate(renamed);  // a second copy, not numbered
    ASSERT_EQ(app.projects().size(), 3u);
    int copies = 0;
    for (const Project& p : app.projects()) {
        if (p.id == trip.id) continue;
        ++copies;
        EXPECT_EQ(p.name, "Trip to the sea copy");
        EXPECT_EQ(test::readFile(AppModel::posterPath(p.id)), "jpeg");
    }
    EXPECT_EQ(copies, 2);

    // Deleting drops the entry without reloading the list.
    const Project stray = savedProject("Stray", "/nowhere.mp4");
    app.remove(trip);
    EXPECT_EQ(app.projects().size(), 2u);
    EXPECT_FALSE(std::filesystem::exists(AppModel::posterPath(trip.id)));
    EXPECT_EQ(ProjectStore::loadAll().size(), 3u);  // the stray one is on disk, not in the list
}

TEST(AppModel, DuplicateGetsItsOwnVoiceoverRecording)
{
    IsolatedHome home;
    AppModel app;
    const auto take = home.dir / "take.m4a";
    test::writeFile(take, "recorded");
    Project talk;
    talk.name = "Talk";
    talk.videoPath = "/nowhere.mp4";
    talk.voiceover = Voiceover{};
    talk.voiceover->path = take.string();
    talk.voiceover->duration = 3;
    ProjectStore::save(talk);
    app.enterProjects();

    app.duplicate(talk);
    ASSERT_EQ(app.projects().size(), 2u);
    const Project& copy = app.projects().front().id == talk.id ? app.projects().back() : app.projects().front();
    ASSERT_TRUE(copy.voiceover);
    EXPECT_NE(copy.voiceover->path, take.string());
    EXPECT_EQ(test::readFile(copy.voiceover->path), "recorded");
    EXPECT_EQ(copy.voiceover->duration, 3);
    // The original re-records: the copy's take is untouched.
    std::filesystem::remove(take);
    EXPECT_EQ(test::readFile(copy.voiceover->path), "recorded");
}

TEST(AppModel, FramesAreUprightAndFitTheLimit)
{
    IsolatedHome home;
    // Black with a white top-left corner; the copy is tagged to be shown turned.
    const auto flat = home.dir / "flat.mp4";
    ASSERT_EQ(test::run("ffmpeg -v error -y -f lavfi -i color=c=black:s=96x64:r=10:d=2,drawbox=x=0:y=0:w=24:h=16:color=white:t=fill "
                        "-c:v libx264 -preset ultrafast -pix_fmt yuv420p " +
                        test::shellQuote(flat.string())),
              0);
    const auto turned = home.dir / "turned.mp4";
    ASSERT_EQ(test::run("ffmpeg -v error -y -i " + test::shellQuote(flat.string()) + " -c copy -metadata:s:v:0 rotate=90 " +
                        test::shellQuote(turned.string())),
              0);
    // Where ffmpeg itself shows the white corner of the turned copy.
    const auto shown = home.dir / "shown.png";
    ASSERT_EQ(test::run("ffmpeg -v error -y -ss 0.8 -i " + test::shellQuote(turned.string()) + " -frames:v 1 " + test::shellQuote(shown.string())), 0);
    const QImage reference(QString::fromStdString(shown.string()));
    ASSERT_EQ(reference.size(), QSize(64, 96));

    const auto upright = AppModel::frame(flat, 0.8);
    ASSERT_TRUE(upright);
    EXPECT_EQ(upright->size(), QSize(96, 64));
    EXPECT_GT(qGray(upright->pixel(2, 2)), 200);
    const auto portrait = AppModel::frame(turned, 0.8);
    ASSERT_TRUE(portrait);
    ASSERT_EQ(portrait->size(), QSize(64, 96));
    for (const QPoint corner : {QPoint(2, 2), QPoint(61, 2), QPoint(2, 93), QPoint(61, 93)})
        EXPECT_EQ(qGray(portrait->pixel(corner)) > 128, qGray(reference.pixel(corner)) > 128) << corner.x() << "," << corner.y();
    EXPECT_FALSE(AppModel::frame(flat, 30));                       // past the end
    EXPECT_FALSE(AppModel::frame(home.dir / "missing.mp4", 0));  // no file
}

}  // namespace
}  // namespace vt

namespace vt {
namespace {

TEST(ProcessingState, StepFollowsThePhaseWord)
{
    const std::pair<const char*, int> cases[] = {
        {"Extracting audio · listening for the language", 0},
        {"Downloading Whisper model (one time)", 1},
        {"Transcribing with Whisper", 2},
        {"Tracking the speaker for smart reframing", 3},
        {"transcribing", 3},  // case-sensitive: the step stays
        {"Preparing", 3},
    };
    ProcessingState state;
    for (const auto& [phase, step] : cases) {
        state.update(phase, 0.5);
        EXPECT_EQ(state.step, step) << phase;
        EXPECT_EQ(state.phase, phase);
    }
}

}  // namespace
}  // namespace vt
