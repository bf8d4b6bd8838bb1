#pragma once
// Words, clips and projects for the model tests.

#include "model/Project.h"

#include <chrono>
#include <string>

namespace vt::test {

inline Date dateAt(std::int64_t secondsSinceEpoch, std::int64_t extraMilliseconds = 0)
{
    return Date(std::chrono::seconds(secondsSinceEpoch) + std::chrono::milliseconds(extraMilliseconds));
}

inline Word word(std::string text, double start, double end)
{
    Word w;
    w.id = Uuid::random();
    w.text = std::move(text);
    w.start = start;
    w.end = end;
    return w;
}

inline VideoClip clip(std::string name, double duration, double trimStart = 0, double trimEnd = 0)
{
    VideoClip c;
    c.path = "/media/" + name + ".mov";
    c.name = std::move(name);
    c.duration = duration;
    c.trimStart = trimStart;
    c.trimEnd = trimEnd;
    return c;
}

// Every required field set, each text different from the others; no optional.
inline Project minimalProject()
{
    Project p;
    p.name = "Morning walk";
    p.videoPath = "/media/walk.mov";
    p.createdAt = dateAt(1'700'000'000);
    p.updatedAt = dateAt(1'700'000'500);
    p.sourceDuration = 42.5;
    p.localeID = "en-US";
    p.words = {word("Hello", 0.5, 0.9), word("world.", 1.0, 1.4)};
    p.style.id = "clean";
    p.style.name = "Clean";
    p.style.font = "Inter-Bold";
    p.baseStyleID = "clean-base";
    p.aspect = OutputAspect::portrait;
    p.reframe = ReframeMode::fit;
    p.trimPauses = true;
    p.maxPause = 0.6;
    p.captionsVisible = false;
    p.hooks = {"Hook one", "Hook two"};
    p.aiHooks = {"AI hook"};
    p.postCaption = "Old caption";
    return p;
}

// minimalProject with all 25 optional fields set as well.
inline Project fullProject()
{
    Project p = minimalProject();
    p.videoBookmark = Bytes{0x62, 0x6F, 0x6F, 0x6B, 0x00, 0xFF};
    p.sourceRange = ClosedRange<double>{1.5, 40};
    p.hookOverlay = HookOverlay{"Wait for it", 2.5};
    p.faceTrack = FaceTrack{{{0, 0.5, 0.5}, {1, 0.4, 0.6}}};
    p.grade = VideoGrade{};
    p.stabilization = Stabilization{};
    p.audioCleanup = AudioCleanup{};
    p.music = BackgroundMusic{};
    p.music->path = "/music/calm.m4a";
    p.music->name = "Calm";
    BRoll broll;
    broll.path = "/media/city.mp4";
    broll.name = "City";
    broll.startWordID = p.words[0].id;
    broll.endWordID = p.words[1].id;
    p.brolls = std::vector{broll};
    p.cutTransition = CutTransition::dipBlack;
    p.captionLanguageID = "hindi";
    p.voiceover = Voiceover{};
    p.voiceover->path = "/data/Voiceovers/take.m4a";
    p.translation = CaptionTranslation{};
    p.translation->words = {word("Hi", 0.5, 0.9)};
    p.translation->basis = "abc";
    p.translation->createdAt = dateAt(1'700'000'100);
    p.postCopy = PostCopy{"Title", "Description", "Insta", "Tok", "X post", true, "english"};
    p.emojis = EmojiSettings{};
    p.soundEffects = SoundEffects{};
    p.progressBar = ProgressBar{};
    MatchCut cut;
    cut.word = "Focus";
    p.matchCut = cut;
    cut.id = Uuid::random();
    cut.start = 3;
    p.matchCuts = std::vector{cut};
    MotionEffect motion;
    motion.start = 4;
    p.motions = std::vector{motion};
    p.clips = std::vector{clip("walk", 42.5)};
    SoundClip sound;
    sound.path = "/media/ding.wav";
    sound.start = 5;
    p.sounds = std::vector{sound};
    p.videoVolume = VolumeEnvelope{};
    p.videoVolume->points = {{Uuid::random(), 2, -6}};
    p.tracks = TrackSettings{};
    CaptionStyle override = p.style;
    override.id = "bold";
    p.styleOverrides = std::map<std::string, CaptionStyle>{{"bold", override}};
    return p;
}

}  // namespace vt::test
