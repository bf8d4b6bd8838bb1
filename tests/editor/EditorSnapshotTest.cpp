// The render snapshot: which switches of the project and the editor reach
// the picture and the sound.

#include "EditorFakes.h"

namespace vt {
namespace {

using namespace vt::test;

class EditorSnapshot : public EditorTest {};

TEST_F(EditorSnapshot, GradeFollowsTheComparisonThenThePreviewedLookThenTheProject)
{
    VideoGrade graded;
    graded.look = "warm";
    graded.intensity = 0.5;
    graded.contrast = 0.3;
    VideoGrade defaultWithLook;
    defaultWithLook.look = "teal";
    VideoGrade gradedWithLook = graded;
    gradedWithLook.look = "teal";
    struct Case {
        const char* name;
        std::optional<VideoGrade> project;
        std::optional<std::string> preview;
        bool showOriginal;
        std::optional<VideoGrade> shown;
    };
    const std::vector<Case> cases{
        {"ungraded", std::nullopt, std::nullopt, false, std::nullopt},
        {"graded", graded, std::nullopt, false, graded},
        {"comparing while previewing", graded, "teal", true, std::nullopt},
        {"previewing on no grade", std::nullopt, "teal", false, defaultWithLook},
        {"previewing keeps the sliders", graded, "teal", false, gradedWithLook},
    };
    for (const Case& c : cases) {
        Project p = sampleProject(2);
        p.grade = c.project;
        EditorRig rig(p);
        rig->setPreviewLook(c.preview);
        rig->setShowOriginal(c.showOriginal);
        EXPECT_EQ(rig->snapshot().grade, c.shown) << c.name;
        EXPECT_EQ(rig->renderState()->load()->grade, c.shown) << c.name << ": the comparison redraws at once";
    }
    EXPECT_DOUBLE_EQ(defaultWithLook.intensity, 0.8);
}

TEST_F(EditorSnapshot, RenderSizeComesFromTheAspectAlone)
{
    const std::vector<std::pair<OutputAspect, RenderSize>> sizes{{OutputAspect::vertical, {1080, 1920}},
                                                                 {OutputAspect::portrait, {1080, 1350}},
                                                                 {OutputAspect::square, {1080, 1080}},
                                                                 {OutputAspect::landscape, {1920, 1080}}};
    for (const auto& [aspect, size] : sizes) {
        Project p = sampleProject(1);
        p.aspect = aspect;
        EditorRig rig(p);
        EXPECT_EQ(rig->snapshot().renderSize, size);
    }
}

TEST_F(EditorSnapshot, StabilisationNeedsTheSwitchAndAComputedCorrection)
{
    Project p = sampleProject(2);
    p.stabilization = Stabilization{true, 0.6, std::nullopt};
    EditorRig rig(p);
    EXPECT_FALSE(rig->snapshot().stabilization) << "not computed yet";
    const StabilizationCorrection correction{{0, 1}, {0.01, 0}, {0, 0.02}, 1.05};
    rig->setStabCorrection(correction);
    EXPECT_EQ(rig->snapshot().stabilization, correction);
    rig->updateProject([](Project& q) { q.stabilization->enabled = false; });
    EXPECT_FALSE(rig->snapshot().stabilization);
}

TEST_F(EditorSnapshot, HiddenAndMutedLanesLeaveTheirItemsOut)
{
    Project p = sampleProject(6);
    BRoll overlay;
    overlay.start = 1;
    p.brolls = std::vector<BRoll>{overlay};
    p.matchCuts = std::vector<MatchCut>{MatchCut{}};
    p.motions = std::vector<MotionEffect>{MotionEffect{}};
    SoundClip sound;
    sound.duration = 1;
    p.sounds = std::vector<SoundClip>{sound};
    struct Case {
        const char* name;
        TrackSettings lanes;
        bool broll, cuts, motions, sounds, videoSilent;
    };
    TrackSettings muted;
    muted.matchCutsMuted = muted.effectsMuted = true;
    const std::vector<Case> cases{
        {"all on", {}, true, true, true, true, false},
        {"overlays hidden", TrackSettings{.overlaysHidden = true}, false, true, true, true, false},
        {"match cuts hidden", TrackSettings{.matchCutsHidden = true}, true, false, true, true, false},
        {"effects hidden", TrackSettings{.effectsHidden = true}, true, true, false, true, false},
        {"sounds muted", TrackSettings{.soundsMuted = true}, true, true, true, false, false},
        {"video muted", TrackSettings{.videoMuted = true}, true, true, true, true, true},
        {"muted cards and moves still show", muted, true, true, true, true, false},
    };
    for (const Case& c : cases) {
        Project q = p;
        q.tracks = c.lanes;
        EditorRig rig(q);
        const RenderSnapshot s = rig->snapshot();
        EXPECT_EQ(!s.broll.empty(), c.broll) << c.name;
        EXPECT_EQ(!s.matchCuts.empty(), c.cuts) << c.name;
        EXPECT_EQ(!s.motions.empty(), c.motions) << c.name;
        EXPECT_EQ(!s.sounds.empty(), c.sounds) << c.name;
        ASSERT_TRUE(s.videoVolume) << c.name;
        EXPECT_EQ(*s.videoVolume, c.videoSilent ? (VolumeEnvelope{-40, 0, 0, {}}) : VolumeEnvelope{}) << c.name;
        EXPECT_EQ(s.videoVolume->gain(0.5, 10) == 0, c.videoSilent) << c.name;
    }
}

TEST_F(EditorSnapshot, BRollTakesItsTrackFromThePlayerWhenThePlayerKnowsIt)
{
    Project p = sampleProject(6);
    BRoll known, unknown;
    known.start = 1;
    unknown.start = 2;
    p.brolls = std::vector<BRoll>{known, unknown};
    EditorRig rig(p);
    SourceVideoInfo facts;
    facts.naturalWidth = 640;
    rig->setBRollRuntime({{known.id, {7, facts}}});
    const auto shown = rig->renderState()->load()->broll;
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].trackID, 7);
    EXPECT_EQ(shown[0].source, facts);
    EXPECT_FALSE(shown[1].trackID);
    EXPECT_FALSE(rig->brollPlacements()[0].trackID) << "the model's own placements stay as resolved";
}

TEST_F(EditorSnapshot, CarriesTheProjectsSettingsAndDefaults)
{
    Project p = sampleProject(3);
    p.captionsVisible = false;
    p.hookOverlay = HookOverlay{"Watch this", 3};
    p.cutTransition = CutTransition::flash;
    p.styleOverrides = std::map<std::string, CaptionStyle>{{"bold", CaptionStyle{}}};
    p.clips = std::vector<VideoClip>{clip("/media/a.mov", 3), clip("/media/b.mov", 3)};
    (*p.clips)[1].adjust = ItemAdjust{};
    p.syncClips();
    EditorRig rig(p);
    const RenderSnapshot s = rig->snapshot();
    EXPECT_FALSE(s.captionsVisible);
    EXPECT_FALSE(s.groups.empty()) << "hidden captions still carry their lines";
    EXPECT_EQ(s.hook, p.hookOverlay);
    EXPECT_EQ(s.transition, CutTransition::flash);
    EXPECT_EQ(s.styles.size(), 1u);
    ASSERT_EQ(s.clipAdjust.size(), 1u);
    EXPECT_EQ(s.clipAdjust.begin()->first, (*p.clips)[1].id);
    EXPECT_DOUBLE_EQ(s.effectsVolume, -8.0) << "without sound-effect settings";
    EXPECT_FALSE(s.effectsAudio);
}

}  // namespace
}  // namespace vt
