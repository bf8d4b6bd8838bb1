#include "editor/StabilizeActions.h"

#include "EditorFakes.h"
#include "editor/ClipMediaService.h"
#include "support/TestSupport.h"

#include <QTest>

#include <gtest/gtest.h>

#include <stdexcept>

namespace vt::test {
namespace {

Project twoClips()
{
    Project p = sampleProject(4);
    p.clips = std::vector<VideoClip>{clip("/media/a.mov", 10), clip("/media/b.mov", 8)};
    p.syncClips();
    return p;
}

class StabilizeActionsTest : public EditorTest {
protected:
    int corrections = 0;
    std::map<std::string, CameraPath> paths;
    std::set<std::string> failing;
    std::vector<double> progressSeen;

    std::unique_ptr<StabilizeActions> actions(EditorRig& rig)
    {
        auto analyze = [this](const std::filesystem::path& file, const SourceVideoInfo&, const std::function<void(double)>& progress,
                              const CancelToken&) {
            progress(0.5);
            if (failing.contains(file.string())) throw std::runtime_error("The file could not be read.");
            return paths.at(file.string());
        };
        auto correct = [this](const CameraPath& path, double strength) {
            ++corrections;
            StabilizationCorrection c;
            c.t = path.t;
            c.zoom = 1 + strength / 10;
            return c;
        };
        return std::make_unique<StabilizeActions>(*rig, rig.clock, analyze, correct);
    }
};

TEST_F(StabilizeActionsTest, MeasuresEveryClipOnceAndJoinsThePathsWithoutAJump)
{
    paths["/media/a.mov"] = {{0, 5, 10}, {0, 0.1, 0.2}, {0, 0, 0.05}};
    paths["/media/b.mov"] = {{0, 8}, {0.5, 0.6}, {1, 1}};
    EditorRig rig(twoClips());
    auto stab = actions(rig);
    stab->setStabilize(true);
    EXPECT_EQ(rig->stabilizeProgress(), 0.0);
    EXPECT_EQ(rig->project().stabilization->strength, 0.6);
    ASSERT_TRUE(waitFor([&] { return !rig->stabilizeProgress(); }));
    const CameraPath& path = *rig->project().stabilization->path;
    EXPECT_EQ(path.t, (std::vector<double>{0, 5, 10, 10, 18}));
    EXPECT_EQ(path.x[3], 0.2);
    EXPECT_NEAR(path.x[4], 0.3, 1e-12);
    EXPECT_NEAR(path.y[3], 0.05, 1e-12);
    ASSERT_TRUE(rig->stabCorrection());
    EXPECT_DOUBLE_EQ(rig->stabCorrection()->zoom, 1.06);

    stab->setStabilize(false);
    EXPECT_FALSE(rig->project().stabilization->enabled);
    EXPECT_TRUE(rig->project().stabilization->path);
    stab->setStabilize(true);  // the stored path serves again
    EXPECT_FALSE(rig->stabilizeProgress());
    EXPECT_FALSE(rig->canUndo());
}

TEST_F(StabilizeActionsTest, ABurstOfStrengthChangesRecomputesTheCorrectionOnce)
{
    Project p = sampleProject();
    p.stabilization = Stabilization{true, 0.6, CameraPath{{0, 1, 2}, {0, 0.1, 0}, {0, 0, 0}}};
    p.stabilization->enabled = false;
    EditorRig rig(p);
    auto stab = actions(rig);
    ASSERT_TRUE(rig->stabCorrection());  // a reopened project needs no new analysis
    EXPECT_DOUBLE_EQ(rig->stabCorrection()->zoom, 1.06);
    stab->setStabilize(true);
    EXPECT_FALSE(rig->stabilizeProgress());
    corrections = 0;
    for (double s : {0.65, 0.7, 0.75, 2.0}) stab->setStabilizeStrength(s);
    EXPECT_EQ(rig->project().stabilization->strength, 2.0);  // stored at once, unclamped
    EXPECT_EQ(corrections, 0);
    rig.clock->advance(EditorModel::refreshDelay);
    EXPECT_EQ(corrections, 1);
    EXPECT_DOUBLE_EQ(rig->stabCorrection()->zoom, 1.2);
}

TEST_F(StabilizeActionsTest, AFailedAnalysisSwitchesOffAndKeepsItsOwnMessage)
{
    paths["/media/a.mov"] = {{0, 1}, {0, 0}, {0, 0}};
    failing.insert("/media/b.mov");
    EditorRig rig(twoClips());
    auto stab = actions(rig);
    stab->setStabilize(true);
    ASSERT_TRUE(waitFor([&] { return !rig->stabilizeProgress(); }));
    EXPECT_FALSE(rig->project().stabilization->enabled);
    EXPECT_FALSE(rig->project().stabilization->path);
    EXPECT_EQ(stab->error(), "Stabilization failed: The file could not be read.");
    EXPECT_EQ(rig->exportError(), std::nullopt);

    failing.clear();
    paths["/media/b.mov"] = {{0, 1}, {0, 0}, {0, 0}};
    stab->setStabilize(true);
    EXPECT_EQ(stab->error(), std::nullopt);  // the next attempt clears it
}

// A clip whose video cannot be read leaves no hole in the path to be
// bridged by its neighbours' shake: the analysis fails and names it.
TEST_F(StabilizeActionsTest, AClipThatCannotBeReadFailsTheAnalysisByName)
{
    Project p = twoClips();
    p.clips->push_back(clip("/media/c.mov", 4));
    (*p.clips)[1].name = "Second take";
    p.syncClips();
    paths["/media/a.mov"] = {{0, 10}, {0, 0.1}, {0, 0}};
    paths["/media/c.mov"] = {{0, 4}, {0, 0.1}, {0, 0}};
    EditorRig rig(p, false);
    for (const char* readable : {"/media/a.mov", "/media/c.mov"}) rig.media->videos[readable] = SourceVideoInfo{};
    rig->moveClip(p.clips->back().id, 0);  // the clips are read again
    ASSERT_TRUE(QTest::qWaitFor([&] { return rig->clipInfo().size() == 2 && rig->source(); }, 30000));
    auto stab = actions(rig);
    stab->setStabilize(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !rig->stabilizeProgress(); }, 30000));
    EXPECT_EQ(stab->error(), "Stabilization failed: The clip \u201cSecond take\u201d could not be read.");
    EXPECT_FALSE(rig->project().stabilization->enabled);
    EXPECT_FALSE(rig->project().stabilization->path);
}

TEST_F(StabilizeActionsTest, TheRealAnalysisMeasuresAShakyGeneratedVideo)
{
    const auto file = dir.path() / "shaky.mp4";
    run("ffmpeg -v error -y -f lavfi -i testsrc2=s=220x340:r=15:d=2 -vf \"crop=160:284:30+14*sin(n):28+14*cos(n*1.3)\" "
        "-pix_fmt yuv420p " + shellQuote(file.string()));
    Project p = sampleProject(2);
    p.videoPath = file.string();
    p.sourceDuration = 2;
    auto clock = std::make_shared<ManualClock>();
    EditorModel model(p, nullptr, EditorServices{std::make_shared<FakePlayer>(), std::make_shared<ClipMediaService>(), nullptr, nullptr, clock});
    ASSERT_TRUE(waitFor([&] { return !model.isLoading(); }));
    StabilizeActions stab(model, clock);
    stab.setStabilize(true);
    ASSERT_TRUE(waitFor([&] { return !model.stabilizeProgress(); }));
    ASSERT_TRUE(model.project().stabilization->path) << stab.error().value_or("");
    EXPECT_GE(model.project().stabilization->path->t.size(), 25u);
    ASSERT_TRUE(model.stabCorrection());
    EXPECT_GT(model.stabCorrection()->zoom, 1.0);
    EXPECT_TRUE(model.snapshot().stabilization);
}

}  // namespace
}  // namespace vt::test
