// Saving after the last change, undo and redo with their three refresh paths.

#include "EditorFakes.h"

#include <QSignalSpy>

namespace vt {
namespace {

using namespace vt::test;

class EditorHistory : public EditorTest {};

void cutWord(EditorModel& m, std::size_t i)
{
    m.pushUndo();
    auto words = m.transcript();
    words[i].deleted = true;
    m.setTranscript(words);
    m.timelineChanged();
}

TEST_F(EditorHistory, ABurstOfChangesIsSavedOnceWithTheTimeOfSaving)
{
    EditorRig rig(sampleProject());
    const Project opened = rig->project();
    rig.clock->advance(5);
    EXPECT_FALSE(stored(opened)) << "opening alone writes nothing";

    cutWord(*rig, 1);
    rig.clock->advance(0.5);
    cutWord(*rig, 2);
    rig.clock->advance(0.79);
    EXPECT_FALSE(stored(opened));
    rig.clock->advance(0.02);
    auto saved = stored(opened);
    ASSERT_TRUE(saved);
    EXPECT_TRUE(saved->words[1].deleted && saved->words[2].deleted);
    EXPECT_EQ(saved->updatedAt, time_point_cast<std::chrono::seconds>(rig.clock->now()));
    EXPECT_EQ(rig->project().updatedAt, opened.updatedAt) << "the editor's value keeps its date";
    EXPECT_FALSE(rig->hasUnsavedChanges());
}

// Closing saves at once, whether the closer saves first or not; the
// countdown of the last change must not follow with a write of its own.
TEST_F(EditorHistory, ClosingWritesThePendingChangeAtOnceAndNothingLater)
{
    for (bool saveFirst : {true, false}) {
        EditorRig rig(sampleProject());
        const Project opened = rig->project();
        cutWord(*rig, 0);
        rig.clock->advance(0.3);
        if (saveFirst) rig->saveNow();
        rig->teardown();
        auto saved = stored(opened);
        ASSERT_TRUE(saved) << saveFirst;
        EXPECT_TRUE(saved->words[0].deleted) << saveFirst;
        std::filesystem::remove(fileOf(opened));
        rig.clock->advance(2);
        EXPECT_FALSE(stored(opened)) << saveFirst;
        EXPECT_EQ(rig.clock->pending(), 0u) << saveFirst;
    }
}

TEST_F(EditorHistory, AnEditorDestroyedWithAPendingSaveStillWritesIt)
{
    auto rig = std::make_unique<EditorRig>(sampleProject());
    const Project opened = (*rig)->project();
    cutWord(**rig, 0);
    rig.reset();
    auto saved = stored(opened);
    ASSERT_TRUE(saved);
    EXPECT_TRUE(saved->words[0].deleted);
}

TEST_F(EditorHistory, AFailedSaveIsReportedKeptUnsavedAndRetriedOnTheNextChange)
{
    EditorRig rig(sampleProject());
    const Project opened = rig->project();
    std::filesystem::create_directories(fileOf(opened));  // nothing can replace a folder
    QSignalSpy errors(rig.model.get(), &EditorModel::saveErrorChanged);

    cutWord(*rig, 0);
    rig.clock->advance(1);
    ASSERT_TRUE(rig->saveError());
    EXPECT_TRUE(rig->hasUnsavedChanges());
    EXPECT_EQ(errors.count(), 1);

    std::filesystem::remove(fileOf(opened));
    cutWord(*rig, 1);
    rig.clock->advance(1);
    EXPECT_FALSE(rig->saveError());
    EXPECT_FALSE(rig->hasUnsavedChanges());
    auto saved = stored(opened);
    ASSERT_TRUE(saved);
    EXPECT_TRUE(saved->words[0].deleted && saved->words[1].deleted);
}

TEST_F(EditorHistory, UndoKeepsTwoHundredStepsAndRedoIsForgottenByANewStep)
{
    EditorRig rig(sampleProject(3));
    const auto original = rig->transcript();
    for (int i = 0; i < 201; ++i) {
        rig->pushUndo();
        auto words = rig->transcript();
        words[0].text = "v" + std::to_string(i);
        rig->setTranscript(words);
    }
    EXPECT_EQ(rig->undoDepth(), 200u);
    for (int i = 0; i < 200; ++i) rig->undo();
    EXPECT_FALSE(rig->canUndo());
    EXPECT_EQ(rig->transcript()[0].text, "v0") << "the first step recorded is gone";

    rig->redo();
    EXPECT_EQ(rig->transcript()[0].text, "v1");
    cutWord(*rig, 2);
    EXPECT_FALSE(rig->canRedo());
    rig->redo();
    EXPECT_TRUE(rig->transcript()[2].deleted);
}

TEST_F(EditorHistory, UndoAndRedoRestoreWordsAndItemsButNotTheLook)
{
    EditorRig rig(sampleProject());
    const auto before = rig->project();
    rig->pushUndo();
    rig->updateProject([](Project& p) {
        p.words[3].deleted = true;
        p.words[4].look = WordLook{2, std::nullopt, 0, 0};
        p.motions = std::vector<MotionEffect>{MotionEffect{}};
        p.style.id = "another-look";
    });
    rig->timelineChanged();
    const auto after = rig->project();

    rig->undo();
    EXPECT_EQ(rig->project().words, before.words);
    EXPECT_EQ(rig->project().motions, before.motions);
    EXPECT_EQ(rig->project().style.id, "another-look");
    rig->redo();
    EXPECT_EQ(rig->project().words, after.words);
    EXPECT_EQ(rig->project().motions, after.motions);
}

// Which refresh a restore chooses, by what differs between the step and now.
TEST_F(EditorHistory, RestoreRefreshesOnlyAsMuchAsTheDifferenceNeeds)
{
    struct Case {
        const char* name;
        std::function<void(Project&)> change;
        bool rebuilds;
        bool keepsCameraPath;
    };
    const std::vector<Case> cases{
        {"nothing changed", [](Project&) {}, false, true},
        {"a match cut added", [](Project& p) { p.matchCuts = std::vector<MatchCut>{MatchCut{}}; }, false, true},
        {"a word cut", [](Project& p) { p.words[2].deleted = true; }, true, true},
        {"an overlay added", [](Project& p) { p.brolls = std::vector<BRoll>{BRoll{}}; }, true, true},
        {"a clip trimmed", [](Project& p) { (*p.clips)[1].trimEnd = 0.5; }, true, true},
        {"a clip added", [](Project& p) { p.clips->push_back(clip("/media/c.mov", 2)); }, true,
         false},
    };
    for (const Case& c : cases) {
        Project project = sampleProject();
        project.clips = std::vector<VideoClip>{clip("/media/a.mov", 4), clip("/media/b.mov", 3.5)};
        project.syncClips();
        project.stabilization = Stabilization{true, 0.6, CameraPath{{0, 1}, {0, 0}, {0, 0}}};
        EditorRig rig(project);
        rig.clock->advance(1);
        rig->pushUndo();
        rig->updateProject(c.change);
        const int rebuildsBefore = rig.player->rebuilds;
        const int refreshesBefore = rig.player->refreshes;

        rig->undo();
        rig.clock->advance(1);
        EXPECT_EQ(rig.player->rebuilds > rebuildsBefore, c.rebuilds) << c.name;
        if (!c.rebuilds) {
            EXPECT_GT(rig.player->refreshes, refreshesBefore) << c.name;
        }
        EXPECT_EQ(rig->project().stabilization->path.has_value(), c.keepsCameraPath) << c.name;
    }
}

TEST_F(EditorHistory, UndoingTheSelectedItemsCreationClearsTheSelection)
{
    EditorRig rig(sampleProject());
    rig->pushUndo();
    MatchCut cut;
    cut.id = Uuid::random();
    rig->updateProject([&](Project& p) { p.matchCuts = std::vector<MatchCut>{cut}; });
    rig->timelineItemsChanged();
    rig->setTimelineSelection(TimelineItem{TimelineItem::Kind::matchCut, *cut.id});
    rig->undo();
    EXPECT_FALSE(rig->timelineSelection());
}

TEST_F(EditorHistory, RestoreAllBringsEveryCutWordBackAsOneStep)
{
    Project project = sampleProject(4);
    project.words[1].deleted = project.words[3].deleted = true;
    EditorRig rig(project);
    rig->restoreAll();
    EXPECT_EQ(rig->cutCount(), 0);
    rig->undo();
    EXPECT_EQ(rig->cutCount(), 2);
}

// Every word command, undone and redone in turn, gives back each state as
// it was written, byte for byte, whichever list the editor shows: the
// project's words, a translation laid over them, a voiceover take, or words
// shown in another script.
TEST_F(EditorHistory, UndoAndRedoOfEachWordCommandGiveBackTheStateExactly)
{
    const auto withFillers = [](std::vector<Word> words) {
        words[2].text = "um,";
        words[5].text = "Uh";
        words[7].deleted = true;
        return words;
    };
    struct Setup {
        const char* name;
        std::function<void(Project&)> make;
    };
    const std::vector<Setup> setups{
        {"the project's words", [&](Project& p) { p.words = withFillers(p.words); }},
        {"a translation", [&](Project& p) {
             p.captionLanguageID = "english";
             p.translation = CaptionTranslation{withFillers(evenWords(10)), "es", "b"};
         }},
        {"a voiceover", [&](Project& p) {
             Voiceover voice;
             voice.path = "/media/take.m4a";
             voice.duration = 6;
             voice.words = withFillers(evenWords(10));
             p.voiceover = voice;
         }},
        {"another script", [&](Project& p) {
             p.words = withFillers(p.words);
             p.words[1].text = "namaste";
             p.words[1].native = "\u0928\u092e\u0938\u094d\u0924\u0947";
             p.captionLanguageID = "hindi";
         }},
    };
    for (const Setup& setup : setups) {
        SCOPED_TRACE(setup.name);
        Project p = sampleProject(10);
        setup.make(p);
        EditorRig rig(p);
        const auto id = [&](std::size_t i) { return rig->transcript()[i].id; };
        const std::vector<std::function<void()>> commands{
            [&] { rig->toggleDelete({id(3), id(4)}); },
            [&] { rig->toggleEmphasis({id(4), id(6)}); },
            [&] { rig->toggleBreak(id(6)); },
            [&] { rig->removeFillers(); },
            [&] { rig->setText(id(8), "split in three"); },
            [&] { rig->toggleDelete({id(9)}); },
            [&] { rig->restoreAll(); },
            [&] { rig->toggleDelete({id(0)}); },
        };
        std::vector<std::string> states{rig->project().toJson().dump()};
        for (const auto& command : commands) {
            command();
            states.push_back(rig->project().toJson().dump());
            ASSERT_NE(states.back(), states[states.size() - 2]) << "command " << states.size() - 2 << " changed nothing";
        }
        for (std::size_t i = commands.size(); i-- > 0;) {
            rig->undo();
            EXPECT_EQ(rig->project().toJson().dump(), states[i]) << "undo back to " << i;
        }
        for (std::size_t i = 1; i <= commands.size(); ++i) {
            rig->redo();
            EXPECT_EQ(rig->project().toJson().dump(), states[i]) << "redo to " << i;
        }
    }
}

// The same save on the program's own clock (real timers, no services).
TEST_F(EditorHistory, OnTheProgramsClockTheSaveLandsAfterItsDelay)
{
    EditorModel model(sampleProject(), nullptr);
    const Project opened = model.project();
    cutWord(model, 0);
    EXPECT_FALSE(stored(opened));
    ASSERT_TRUE(waitFor([&] { return stored(opened).has_value(); }));
    EXPECT_TRUE(stored(opened)->words[0].deleted);
}

}  // namespace
}  // namespace vt
