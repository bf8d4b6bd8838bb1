#include "HomeTestSupport.h"

#include "captions/presets/StylePresets.h"
#include "ui/home/PhonePreview.h"
#include "video/StylePreview.h"
#include "ui/home/ProcessingView.h"
#include "support/Waits.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <gtest/gtest.h>

namespace vt {
namespace {

TEST(ProcessingView, OverallProgressPercentagesAndPosterSizes)
{
    struct Case {
        int step;
        double fraction;
        double overall;
    };
    for (const Case& c : std::vector<Case>{{0, 0.5, 0.025}, {1, 0, 0.05}, {2, 0.5, 0.475}, {2, 0, 0.15}, {3, 1, 1}, {5, 1, 1}})
        EXPECT_NEAR(ProcessingView::overall(c.step, c.fraction), c.overall, 1e-9) << c.step << " " << c.fraction;
    EXPECT_EQ(ProcessingView::percentText(0.999), "99%");
    EXPECT_EQ(ProcessingView::percentText(1.0), "100%");
    EXPECT_EQ(ProcessingView::percentText(0.004), "0%");
    EXPECT_EQ(ProcessingView::percentText(0), "");

    EXPECT_EQ(ProcessingView::posterSize({1920, 1080}), QSize(420, 236));
    EXPECT_EQ(ProcessingView::posterSize({1080, 1920}), QSize(135, 240));
    EXPECT_EQ(ProcessingView::posterSize({96, 64}), QSize(360, 240));  // small posters grow
    // A poster without width or height is no poster, never a division by zero.
    EXPECT_FALSE(ProcessingView::posterSize({0, 1080}));
    EXPECT_FALSE(ProcessingView::posterSize({1920, 0}));
}

TEST(ProcessingView, FollowsTheRunningImportAndCancelEndsIt)
{
    test::HomeFixture home;
    ProcessingView view(home.app);
    view.show();
    // No import: the first step is current, no percentage, empty bar.
    EXPECT_EQ(view.rowState(0), ProcessingView::RowState::current);
    EXPECT_EQ(view.rowState(1), ProcessingView::RowState::waiting);
    EXPECT_FALSE(view.percentLabel(0)->isVisible());
    EXPECT_EQ(view.overallBar()->value(), 0);
    EXPECT_FALSE(view.noteLabel()->isVisible());
    EXPECT_EQ(view.fileLabel()->text(), "");

    // A real import of a short clip: the screen shows its file, and Cancel returns home silently.
    const auto clip = test::makeClip(home.home.dir / "talk.mp4", std::nullopt, 1);
    home.app.importVideo(clip);
    ASSERT_EQ(home.app.screen(), Screen::processing);
    EXPECT_EQ(view.fileLabel()->text(), "talk.mp4");
    view.cancelButton()->click();
    ASSERT_TRUE(test::waitForImport(home.app));
    EXPECT_EQ(home.app.screen(), Screen::home);
    EXPECT_FALSE(home.app.errorMessage());
}

TEST(PhonePreview, KeepsOnlyTheLatestLooksCaption)
{
    PhonePreview preview;
    preview.resize(200, 400);
    const auto& looks = StylePresets::all();
    preview.setStyle(looks[0]);
    preview.setStyle(looks[1]);
    preview.setStyle(looks[2]);
    EXPECT_EQ(preview.accessibleName(), "Preview of a caption in " + QString::fromStdString(looks[2].name));
    preview.waitForRenders();
    ASSERT_TRUE(test::waitFor([&] { return preview.caption().has_value(); }));
    QCoreApplication::processEvents();
    const auto expected = CaptionStylePreview::render(looks[2], PhonePreview::sampleText);
    ASSERT_TRUE(expected);
    EXPECT_EQ(*preview.caption(), *expected);
    preview.setPoster(QImage(0, 10, QImage::Format_RGB32));  // an empty poster is none
    preview.grab();
}

}  // namespace
}  // namespace vt
