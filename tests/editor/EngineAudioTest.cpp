#include "editor/EngineAudio.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace vt {
namespace {

TEST(EngineAudio, RendersTheEffectsTrackIntoTheCacheAndNamesCleanedVoices)
{
    test::TempDir data;
    test::ScopedEnv env("XDG_DATA_HOME", data.path().string());
    EngineAudio audio;
    const auto events = audio.events(SoundEffects{}, {}, {}, EditPlan{{{0, 1, 0}, {2, 4, 1}}}, true);
    ASSERT_EQ(events, (std::vector<SoundEvent>{{0.05, SoundEvent::Kind::hit}, {1.0, SoundEvent::Kind::whoosh}}));
    const auto file = audio.render(events, 3);
    ASSERT_TRUE(file);
    EXPECT_EQ(std::filesystem::path(*file).parent_path(), data / "Vellumtide/Cache");
    EXPECT_GT(std::filesystem::file_size(*file), 3u * 44100 * 2);

    const auto id = Uuid::parse("0A1B2C3D-0000-4000-8000-00000000ABCD").value();
    EXPECT_EQ(audio.cleanedAudioPath(id, AudioCleanup{}), (data / "Vellumtide/Cache/0A1B2C3D-0000-4000-8000-00000000ABCD-3n9y98i7e8vhi.m4a").string());
}

TEST(EngineAudio, AnEffectsTrackThatCannotBeWrittenIsNoTrack)
{
    test::TempDir data;
    test::writeFile(data / "Vellumtide", "a file where the data root should be");
    test::ScopedEnv env("XDG_DATA_HOME", data.path().string());
    EXPECT_EQ(EngineAudio().render({{0.5, SoundEvent::Kind::pop}}, 1), std::nullopt);
}

}  // namespace
}  // namespace vt
