#include "AppTestSupport.h"

#include "app/AppSettings.h"
#include "model/DataRoot.h"
#include "model/ProjectStore.h"
#include "support/StandInModel.h"
#include "speech/WhisperTranscriber.h"
#include "support/Waits.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace vt {
namespace {

using test::IsolatedHome;

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
    test::TempDir dir;
    test::StandInModel model(test::writeModelLookalike(dir / "model.bin"));
    for (const Case& c : cases) {
        IsolatedHome home;
        if (c.stored) AppSettings::set(AppSettings::engineKey, QString::fromStdString(*c.stored));
        if (c.modelInstalled) model.install();
        AppModel app;
        EXPECT_TRUE(QTest::qWaitFor([&] { return app.whisperInstalled() == c.modelInstalled; }, 30000));
        EXPECT_EQ(app.engine(), c.expected) << c.stored.value_or("(none)");
    }
}

TEST(AppModel, AModelFileNotCheckedBeforeIsReadBesideTheWindowAndItsAnswerComesAfter)
{
    test::TempDir dir;
    const std::string genuine = "lmgg" + std::string(4000, 'g');
    std::string damaged = genuine;
    damaged[2000] = 'x';
    test::writeFile(dir / "model.bin", genuine);
    test::StandInModel model(dir / "model.bin");
    struct Case {
        const char* name;
        const std::string& bytes;
        std::optional<std::string> stored;
        bool installed;
        TranscriptionEngine engine;
    };
    const Case cases[] = {
        {"the model", genuine, std::nullopt, true, TranscriptionEngine::whisper},
        {"the model, Apple chosen", genuine, "Apple", true, TranscriptionEngine::apple},
        {"a damaged copy", damaged, std::nullopt, false, TranscriptionEngine::apple},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        IsolatedHome home;
        if (c.stored) AppSettings::set(AppSettings::engineKey, QString::fromStdString(*c.stored));
        std::filesystem::create_directories(WhisperTranscriber::modelPath().parent_path());
        test::writeFile(WhisperTranscriber::modelPath(), c.bytes);  // copied by hand: no digest known yet
        AppModel app;
        // Not known while the file is being read, but taken for the model
        // by its size and header in the meantime.
        EXPECT_FALSE(app.whisperInstalled());
        EXPECT_EQ(app.engine(), c.stored ? c.engine : TranscriptionEngine::whisper);
        if (c.installed) EXPECT_TRUE(QTest::qWaitFor([&] { return app.whisperInstalled(); }, 30000));
        else EXPECT_TRUE(QTest::qWaitFor([&] { return app.engine() == c.engine; }, 30000));
        EXPECT_EQ(app.whisperInstalled(), c.installed);
        EXPECT_EQ(app.engine(), c.engine);
        EXPECT_EQ(AppSettings::string(AppSettings::engineKey), c.stored);  // the default is not written
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
    const auto take = DataRoot::folder(DataRoot::voiceoversFolder) / "take.m4a";
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

// A project from elsewhere may name any file of the user's as its take, or
// leave a poster that leads out of the projects folder: duplicating and
// deleting it neither copies nor deletes such a file.
TEST(AppModel, FilesOutsideTheDataRootAreNeitherCopiedNorDeleted)
{
    IsolatedHome home;
    AppModel app;
    const auto thesis = home.dir / "Documents" / "thesis.odt";
    const auto picture = home.dir / "Pictures" / "holiday.jpg";
    for (const auto& file : {thesis, picture}) std::filesystem::create_directories(file.parent_path());
    test::writeFile(thesis, "years of work");
    test::writeFile(picture, "a picture");
    const auto voiceovers = DataRoot::folder(DataRoot::voiceoversFolder);
    std::filesystem::create_directory_symlink(thesis.parent_path(), voiceovers / "linked");
    for (const std::filesystem::path& named : {thesis, voiceovers / ".." / ".." / ".." / "Documents" / "thesis.odt",
                                               voiceovers / "linked" / "thesis.odt"}) {
        SCOPED_TRACE(named.string());
        Project received;
        received.name = "Received";
        received.videoPath = "/nowhere.mp4";
        received.voiceover = Voiceover{};
        received.voiceover->path = named.string();
        ProjectStore::save(received);
        std::filesystem::create_symlink(picture, AppModel::posterPath(received.id));
        app.enterProjects();

        app.duplicate(received);
        ASSERT_EQ(app.projects().size(), 2u);
        const Project copy = app.projects().front().id == received.id ? app.projects().back() : app.projects().front();
        ASSERT_TRUE(copy.voiceover);
        EXPECT_EQ(copy.voiceover->path, named.string());  // kept in the record, not copied
        EXPECT_FALSE(std::filesystem::exists(AppModel::posterPath(copy.id)));
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(voiceovers), {}), 1);  // the link only

        app.remove(copy);
        app.remove(received);
        EXPECT_TRUE(app.projects().empty());
        EXPECT_EQ(test::readFile(thesis), "years of work");
        EXPECT_EQ(test::readFile(picture), "a picture");
    }
}

// A kill during a save or a render leaves its temporary file; the next start
// removes those of our own naming that nothing has written to for a while.
TEST(AppModel, StartRemovesTheLeftoversOfInterruptedWrites)
{
    IsolatedHome home;
    const std::filesystem::path root = DataRoot::root(), projects = ProjectStore::directory();
    const std::filesystem::path cache = DataRoot::folder(DataRoot::cacheFolder), music = DataRoot::folder(DataRoot::musicFolder);
    const std::filesystem::path models = DataRoot::folder(DataRoot::modelsFolder);
    const Project kept = savedProject("Kept", "/nowhere.mp4");
    const std::string id = kept.id.text();
    struct Entry {
        std::filesystem::path path;
        bool stale;  // last written two hours ago
        bool goes;
    } entries[] = {
        {projects / ("." + id + ".json.a1B2c3"), true, true},
        {projects / ("." + id + ".json.Z9y8X7"), false, false},  // a save may be under way
        {root / ".styles.json.Qw3rTy", true, true},
        {cache / (id + "-3n9y98i7e8vhi.tmp.m4a"), true, true},
        {cache / (id + "-3n9y98i7e8vhi.1a2b3c4d.tmp.m4a"), true, true},  // an earlier edition's naming
        {cache / "sfx-v1-0123abcd.tmp.caf", false, false},
        {music / "lofi-v1.tmp.m4a", true, true},
        {music / "lofi-v1.m4a", true, false},
        {cache / "sfx-v1-0123abcd.caf", true, false},
        {projects / "notes.txt", true, false},
        {projects / ".hidden", true, false},
        {projects / ".talk.json.backup", true, false},  // shaped alike, but no file of ours
        {root / ".notes.backup", true, false},
        {projects / (id + ".json"), true, false},
        {models / ("." + id + ".download"), true, true},  // a model download cut off by a kill
        {models / ".notes.download", true, false},
    };
    const auto twoHoursAgo = std::filesystem::file_time_type::clock::now() - std::chrono::hours(2);
    for (const Entry& e : entries) {
        if (!std::filesystem::exists(e.path)) test::writeFile(e.path, "bytes");
        if (e.stale) std::filesystem::last_write_time(e.path, twoHoursAgo);
    }

    AppModel app;
    for (const Entry& e : entries) EXPECT_EQ(std::filesystem::exists(e.path), !e.goes) << e.path;
    ASSERT_EQ(app.projects().size(), 1u);
    EXPECT_EQ(app.projects().front().id, kept.id);
}

// A poster is replaced whole; one that leads out of the folder (a link a
// received project brought along) is replaced too, not written through.
TEST(AppModel, PostersAreWrittenWholeAndNeverThroughALink)
{
    IsolatedHome home;
    const Uuid id = Uuid::random();
    const auto picture = home.dir / "holiday.jpg";
    test::writeFile(picture, "a picture");
    std::filesystem::create_symlink(picture, AppModel::posterPath(id));
    QImage frame(64, 48, QImage::Format_RGB32);
    frame.fill(Qt::blue);

    ASSERT_TRUE(AppModel::writePoster(frame, id));
    EXPECT_EQ(test::readFile(picture), "a picture");
    EXPECT_FALSE(std::filesystem::is_symlink(AppModel::posterPath(id)));
    EXPECT_EQ(QImage(QString::fromStdString(AppModel::posterPath(id).string())).size(), QSize(64, 48));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(ProjectStore::directory()), {}), 1);
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
