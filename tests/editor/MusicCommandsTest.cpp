#include "editor/MusicCommands.h"

#include "EditorFakes.h"
#include "platform/media/AudioFileWriter.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>

namespace vt::test {
namespace {

void writeSilence(const std::filesystem::path& file, double seconds)
{
    media::AudioFileWriter writer(file, media::AudioFileWriter::Kind::pcm16CAF, {44100, 2});
    std::vector<float> zeros(std::size_t(seconds * 44100), 0.0f);
    const float* planes[] = {zeros.data(), zeros.data()};
    writer.write(planes, std::int64_t(zeros.size()));
    writer.finish();
}

Project withMusic()
{
    Project p = sampleProject(4);
    BackgroundMusic m;
    m.path = "/music/old.m4a";
    m.name = "old";
    m.volume = -6;
    m.ducking = 20;
    m.startOffset = 3;
    m.fadeIn = 0.5;
    m.fadeOut = 4;
    m.loop = false;
    m.bookmark = Bytes{1, 2, 3};
    p.music = m;
    return p;
}

class MusicCommandsTest : public EditorTest {};

TEST_F(MusicCommandsTest, AChosenFileReplacesTheWholeRecordAndItsLengthIsRead)
{
    const auto file = dir.path() / "Song Title.caf";
    writeSilence(file, 2);
    EditorRig rig(withMusic());
    MusicCommands commands(*rig);
    commands.useMusicFile(file);
    const BackgroundMusic& m = *rig->project().music;
    EXPECT_EQ(m.path, file.string());
    EXPECT_EQ(m.name, "Song Title");
    EXPECT_EQ(m.builtInID, std::nullopt);
    EXPECT_TRUE(m.bookmark);
    EXPECT_EQ(std::tie(m.volume, m.ducking, m.startOffset, m.fadeIn, m.fadeOut, m.loop), std::make_tuple(-12.0, 14.0, 0.0, 1.0, 2.0, true));
    EXPECT_EQ(rig->musicLength(), 0);
    ASSERT_TRUE(waitFor([&] { return rig->musicLength() > 0; }));
    EXPECT_NEAR(rig->musicLength(), 2, 0.01);

    commands.setMusic(std::nullopt);
    EXPECT_EQ(rig->project().music, std::nullopt);
    EXPECT_EQ(rig->musicLength(), 0);
}

TEST_F(MusicCommandsTest, AMoodKeepsTheLevelsAndFadesButStartsOverAndLoops)
{
    const auto file = dir.path() / "lofi-v1.m4a";
    writeSilence(file, 1);
    EditorRig rig(withMusic());
    std::vector<bool> busy;
    QObject::connect(rig.model.get(), &EditorModel::musicBusyChanged, [&] { busy.push_back(rig->musicBusy()); });
    MusicCommands commands(*rig, [&](const MusicGenerator::Mood&, const CancelToken&) { return file; });
    commands.useBuiltInMusic(MusicGenerator::moods()[0]);
    ASSERT_TRUE(waitFor([&] { return !rig->musicBusy(); }));
    EXPECT_EQ(busy, (std::vector<bool>{true, false}));
    const BackgroundMusic& m = *rig->project().music;
    EXPECT_EQ(m.path, file.string());
    EXPECT_EQ(m.name, "Lo-fi Chill");
    EXPECT_EQ(m.builtInID, "lofi");
    EXPECT_EQ(m.bookmark, std::nullopt);
    EXPECT_EQ(std::tie(m.volume, m.ducking, m.startOffset, m.fadeIn, m.fadeOut, m.loop), std::make_tuple(-6.0, 20.0, 0.0, 0.5, 4.0, true));
}

TEST_F(MusicCommandsTest, AMoodThatCannotBeMadeLeavesTheMusicAndSaysWhy)
{
    EditorRig rig(withMusic());
    MusicCommands commands(*rig, [](const MusicGenerator::Mood&, const CancelToken&) -> std::filesystem::path { throw std::runtime_error("No AAC encoder is available."); });
    const auto before = rig->project().music;
    commands.useBuiltInMusic(MusicGenerator::moods()[1]);
    ASSERT_TRUE(waitFor([&] { return commands.error().has_value(); }));
    EXPECT_EQ(*commands.error(), "Couldn't create the music: No AAC encoder is available.");
    EXPECT_FALSE(rig->exportError()) << "the export's error is the export's own";
    EXPECT_FALSE(rig->musicBusy());
    EXPECT_EQ(rig->project().music, before);
}

TEST_F(MusicCommandsTest, ClosingStopsASynthesisAndInstallsNothing)
{
    EditorRig rig(withMusic());
    const auto before = rig->project().music;
    {
        MusicCommands commands(*rig, [](const MusicGenerator::Mood&, const CancelToken& cancel) -> std::filesystem::path {
            while (!cancel.isCancelled()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
            throw CancellationError();
        });
        commands.useBuiltInMusic(MusicGenerator::moods()[2]);
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(rig->project().music, before);
    EXPECT_FALSE(rig->exportError());
}

TEST_F(MusicCommandsTest, SettingsAreEditedOnlyWhileThereIsMusic)
{
    EditorRig rig(sampleProject(4));
    MusicCommands commands(*rig);
    EXPECT_EQ(commands.music().volume, -12);
    EXPECT_TRUE(commands.music().loop);
    commands.changeMusic([](BackgroundMusic& m) { m.volume = -3; }, true);
    EXPECT_EQ(rig->project().music, std::nullopt);

    EditorRig withOne(withMusic());
    MusicCommands edits(*withOne);
    edits.changeMusic([](BackgroundMusic& m) { m.ducking = 8; }, false);
    EXPECT_EQ(withOne->project().music->ducking, 8);
}

// A drag of the ducking is one step: Undo takes it back, not the earlier cut
// it would otherwise have undone unseen; a mood chosen meanwhile stays.
TEST_F(MusicCommandsTest, UndoTakesBackTheLastMusicEditAndNothingElse)
{
    EditorRig rig(withMusic());
    MusicCommands commands(*rig);
    rig->toggleDelete({rig->project().words[0].id});
    const std::size_t depth = rig->undoDepth();
    for (double ducking : {18.0, 12.0, 9.0}) commands.changeMusic([&](BackgroundMusic& m) { m.ducking = ducking; }, false);
    commands.finishEdit();
    EXPECT_EQ(rig->undoDepth(), depth + 1);
    commands.finishEdit();
    EXPECT_EQ(rig->undoDepth(), depth + 1) << "an edit that changed nothing takes no step";

    BackgroundMusic other = *rig->project().music;
    other.path = "/music/new.m4a";
    rig->updateProject([&](Project& p) { p.music = other; });
    rig->undo();
    EXPECT_EQ(rig->project().music->ducking, 20);
    EXPECT_EQ(rig->project().music->path, "/music/new.m4a");
    EXPECT_TRUE(rig->project().words[0].deleted) << "the earlier cut stays";
    rig->redo();
    EXPECT_EQ(rig->project().music->ducking, 9);

    commands.changeMusic([](BackgroundMusic& m) { m.loop = true; }, true);
    rig->undo();
    EXPECT_FALSE(rig->project().music->loop);
    EXPECT_EQ(rig->project().music->ducking, 9);
}

}  // namespace
}  // namespace vt::test
