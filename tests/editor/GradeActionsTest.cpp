#include "editor/GradeActions.h"

#include "EditorFakes.h"
#include "editor/ClipMediaService.h"
#include "support/TestSupport.h"
#include "support/TestVideos.h"

#include <gtest/gtest.h>

namespace vt::test {
namespace {

// An editor over a short generated video read by the real media reader.
struct VideoRig {
    std::shared_ptr<ManualClock> clock = std::make_shared<ManualClock>();
    std::shared_ptr<FakePlayer> player = std::make_shared<FakePlayer>();
    std::unique_ptr<EditorModel> model;

    VideoRig(const TempDir& dir, Project p = sampleProject(4))
    {
        // A dim, bluish picture, so auto-enhance has something to correct.
        const auto file = dir.path() / "dim.mp4";
        run("ffmpeg -v error -y -f lavfi -i color=c=0x202848:s=160x284:r=10:d=2 -pix_fmt yuv420p " + shellQuote(file.string()));
        p.videoPath = file.string();
        p.sourceDuration = 2;
        p.words = evenWords(2);
        model = std::make_unique<EditorModel>(std::move(p), nullptr,
                                              EditorServices{player, std::make_shared<ClipMediaService>(), nullptr, nullptr, clock});
        waitFor([&] { return !model->isLoading() && model->posterFrame(); });
    }
    EditorModel& operator*() { return *model; }
    EditorModel* operator->() { return model.get(); }
};

class GradeActionsTest : public EditorTest {};

TEST_F(GradeActionsTest, SlidersLooksAndResetsWriteTheWholeGradeWithoutUndo)
{
    EditorRig rig(sampleProject());
    GradeActions grade(*rig);
    EXPECT_EQ(grade.grade(), VideoGrade{});
    grade.setField(&VideoGrade::exposure, 0.2);
    VideoGrade expected;
    expected.exposure = 0.2;
    EXPECT_EQ(rig->project().grade, expected);
    grade.setLook("moody");
    grade.setField(&VideoGrade::contrast, -0.1);
    grade.resetGrade({&VideoGrade::exposure, &VideoGrade::contrast});
    expected.exposure = 0;
    expected.look = "moody";
    EXPECT_EQ(rig->project().grade, expected);
    EXPECT_FALSE(rig->canUndo());
    grade.resetGrade();
    EXPECT_FALSE(rig->project().grade);

    // Hovering writes only a change, and refreshes the picture.
    const int refreshes = rig.player->refreshes;
    grade.setPreviewLook("warm-glow");
    grade.setPreviewLook("warm-glow");
    rig.clock->advance(1);
    EXPECT_EQ(rig.player->refreshes, refreshes + 1);
    ASSERT_TRUE(rig->snapshot().grade);
    EXPECT_EQ(rig->snapshot().grade->look, "warm-glow");
    grade.setPreviewLook(std::nullopt);
    EXPECT_EQ(rig->snapshot().grade.value_or(VideoGrade{}).look, "none");
}

TEST_F(GradeActionsTest, AutoEnhanceGradesTheVideoAndSwitchingItOffRestoresTheGradeBefore)
{
    VideoRig rig(dir);
    GradeActions grade(*rig);
    bool done = false;
    grade.setAutoEnhance(true, [&] { done = true; });
    EXPECT_TRUE(rig->autoBusy());
    ASSERT_TRUE(waitFor([&] { return done; }));
    EXPECT_FALSE(rig->autoBusy());
    ASSERT_TRUE(rig->project().grade);
    EXPECT_GT(rig->project().grade->exposure, 0);  // the dim picture is brightened
    EXPECT_TRUE(grade.autoEnhanced());
    grade.setAutoEnhance(false);
    EXPECT_FALSE(rig->project().grade);  // there was none before

    done = false;
    grade.setAutoEnhance(true, [&] { done = true; });
    ASSERT_TRUE(waitFor([&] { return done; }));
    grade.setField(&VideoGrade::vignette, 0.3);
    EXPECT_FALSE(grade.autoEnhanced());
    grade.setAutoEnhance(false);
    ASSERT_TRUE(rig->project().grade);  // a grade changed by hand stays
    EXPECT_EQ(rig->project().grade->vignette, 0.3);
}

TEST_F(GradeActionsTest, LookPreviewsAreDrawnOffTheMainThreadAtTheFormatsSizeAndOldOnesAreDropped)
{
    VideoRig rig(dir);
    GradeActions grade(*rig);
    grade.ensureLookPreview(ColorLook::find("moody"));
    grade.ensureLookPreview(ColorLook::find("moody"));  // one drawing at a time per look
    rig->setAspect(OutputAspect::portrait);            // the picture on its way is out of date
    grade.ensureLookPreview(ColorLook::find("noir"));
    ASSERT_TRUE(waitFor([&] { return grade.lookPreviews().contains("noir"); }));
    QCoreApplication::processEvents();
    EXPECT_FALSE(grade.lookPreviews().contains("moody"));
    EXPECT_EQ(grade.lookPreviews().at("noir").size(), QSize(180, 225));
    const QImage noir = grade.lookPreviews().at("noir");
    const QColor middle = noir.pixelColor(90, 112);
    EXPECT_LT(std::abs(middle.red() - middle.blue()), 8);  // a black-and-white look

    grade.ensureLookPreview(ColorLook::find("noir"));  // cached: nothing new is drawn
    EXPECT_EQ(grade.lookPreviews().at("noir").cacheKey(), noir.cacheKey());
    EXPECT_EQ(GradeActions::previewSize(OutputAspect::vertical), QSize(180, 320));
    EXPECT_EQ(GradeActions::previewSize(OutputAspect::landscape), QSize(320, 180));
}

TEST_F(GradeActionsTest, AClipsOwnEnhanceIsOneUndoStepOnItsAdjustment)
{
    VideoRig rig(dir);
    GradeActions grade(*rig);
    const TimelineItem clip{TimelineItem::Kind::clip, rig->project().videoClips().front().id};
    bool done = false;
    grade.autoEnhance(clip, [&] { done = true; });
    ASSERT_TRUE(waitFor([&] { return done; }));
    EXPECT_GT(rig->adjust(clip).grade.exposure, 0);
    EXPECT_FALSE(rig->project().grade);
    EXPECT_EQ(rig->undoDepth(), 1u);
}

}  // namespace
}  // namespace vt::test
