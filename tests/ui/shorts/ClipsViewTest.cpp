// The Shorts picker on screen (offscreen): from a long talk to created Shorts.
#include "GeneratedTalk.h"

#include "app/AppTestSupport.h"
#include "model/ProjectStore.h"
#include "text/ClipFinder.h"
#include "ui/shell/RootView.h"
#include "ui/shorts/ClipCard.h"
#include "ui/shorts/ClipList.h"
#include "ui/shorts/ClipsView.h"
#include "ui/shorts/PreviewPane.h"
#include "ui/shorts/ScoreBadge.h"
#include "ui/theme/Theme.h"
#include "support/Waits.h"

#include <QAbstractButton>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>

#include <gtest/gtest.h>

namespace vt::test {
namespace {

using ui::ClipCard;
using ui::ClipsView;

AppModel::Services noDownload()
{
    AppModel::Services services;
    services.downloadModel = [](const std::function<void(double)>&, const CancelToken&) {};
    return services;
}

TEST(ShortsPickerScreen, TextsBadgesAndProgressFollowTheRules)
{
    EXPECT_EQ(ClipsView::countText(0), "Pick at least one moment");
    EXPECT_EQ(ClipsView::countText(1), "1 selected");
    EXPECT_EQ(ClipsView::createTitle(1), "Create Short");
    EXPECT_EQ(ClipsView::createTitle(0), "Create Short");
    EXPECT_EQ(ClipsView::createTitle(2), "Create 2 Shorts");
    EXPECT_EQ(ui::ScoreBadge::bandColor(80), QColor::fromRgbF(0.2f, 0.78f, 0.45f));
    EXPECT_EQ(ui::ScoreBadge::bandColor(79), QColor::fromRgbF(1.0f, 0.66f, 0.2f));
    EXPECT_EQ(ui::ScoreBadge::bandColor(60), QColor::fromRgbF(1.0f, 0.66f, 0.2f));
    EXPECT_EQ(ui::ScoreBadge::bandColor(59), QColor(Theme::secondaryText));
    EXPECT_EQ(ui::ScoreBadge(87).accessibleName(), "Score 87 out of 100");
    // Before the clip the bar is empty and no time has passed; past it, full.
    EXPECT_EQ(ui::PreviewPane::fraction(5, 10, 40), 0);
    EXPECT_EQ(ui::PreviewPane::timeText(5, 10, 40), "0:00 / 0:30");
    EXPECT_EQ(ui::PreviewPane::fraction(50, 10, 40), 1);
    EXPECT_NEAR(ui::PreviewPane::fraction(10.05, 10, 10.02), 0.5, 1e-9) << "a clip under 0.1 s counts as 0.1 s";
}

TEST(ShortsPickerScreen, NothingFoundShowsTheLengthAndLeavesCreateOff)
{
    IsolatedHome home;
    AppModel app{noDownload()};
    Project p;
    p.name = "Tiny";
    p.videoPath = makeClip(home.dir / "tiny.mp4", std::nullopt, 2).string();
    p.sourceDuration = 2;
    p.words = {};
    ClipsView view(app, p, false);
    view.resize(1200, 800);
    view.show();
    ASSERT_TRUE(test::waitFor([&] { return !view.picker().finding(); }));
    EXPECT_EQ(view.list()->emptyTitle()->text(), "No 30\u201360 s moments");
    EXPECT_EQ(view.countText()->text(), "Pick at least one moment");
    EXPECT_EQ(view.createButton()->text(), "Create Short");
    EXPECT_FALSE(view.createButton()->isEnabled());
    EXPECT_FALSE(view.preview()->playButton()->isVisible()) << "no current clip, no play button";
    view.lengthButton(ClipFinder::Length::long_)->click();
    EXPECT_EQ(view.picker().length(), ClipFinder::Length::long_);
    ASSERT_TRUE(test::waitFor([&] { return !view.picker().finding(); }));
    EXPECT_EQ(view.list()->emptyTitle()->text(), "No 60\u201390 s moments");
}

TEST(ShortsPickerScreen, AFourMinuteTalkBecomesShortsThroughThePicker)
{
    IsolatedHome home;
    const GeneratedTalk talk = generateTalk(home.dir.path(), 240);
    AppModel app{noDownload()};
    Project source;
    source.name = "Habits talk";
    source.videoPath = talk.video.string();
    source.sourceDuration = talk.duration;
    source.localeID = "en_US";
    source.words = talk.words;
    ASSERT_EQ(ProjectStore::save(source), ProjectStore::SaveResult::saved);

    RootView root(app);
    root.setReduceMotion(true);
    root.resize(1480, 920);
    root.show();
    app.findShorts(source);
    ClipsView* view = root.clipsScreen();
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(root.currentScreen(), view);
    ASSERT_TRUE(test::waitFor([&] { return !view->picker().finding(); }));

    ShortsPicker& picker = view->picker();
    ASSERT_GE(picker.clips().size(), 2u);
    ASSERT_EQ(view->list()->cards().size(), picker.clips().size());
    EXPECT_EQ(view->list()->countLine()->text(),
              QStringLiteral("%1 moments, best first. Pick the ones to make into Shorts.").arg(picker.clips().size()));
    for (const auto& clip : picker.clips()) {
        EXPECT_GE(clip.end - clip.start, 30);
        EXPECT_LE(clip.end, talk.duration);
        EXPECT_FALSE(clip.title.starts_with("And then")) << "a connector never starts a clip";
    }
    EXPECT_EQ(picker.chosen(), ShortsPicker::defaultChoice(picker.clips()));
    EXPECT_EQ(view->countText()->text(), ClipsView::countText(picker.chosen().size()));
    ClipCard* first = view->list()->cards()[0];
    EXPECT_TRUE(first->isCurrent());
    ASSERT_TRUE(test::waitFor([&] { return first->thumbnail()->hasPicture(); }));

    // A click on the second card's circle changes only its choice; a click on
    // the card makes it current and plays it.
    ClipCard* second = view->list()->cards()[1];
    const bool wasChosen = picker.chosen().contains(second->clip().id());
    QTest::mouseClick(second->circle(), Qt::LeftButton);
    EXPECT_EQ(picker.chosen().contains(second->clip().id()), !wasChosen);
    EXPECT_TRUE(first->isCurrent());
    if (!picker.chosen().contains(second->clip().id())) QTest::mouseClick(second->circle(), Qt::LeftButton);
    QTest::mouseClick(second, Qt::LeftButton, {}, QPoint(second->width() - 60, second->height() - 8));
    EXPECT_TRUE(second->isCurrent());
    EXPECT_TRUE(picker.preview().playing());
    EXPECT_TRUE(view->preview()->playButton()->isVisible());
    ASSERT_TRUE(test::waitFor([&] { return picker.preview().time() > second->clip().start + 0.2; }))
        << "the preview plays through the player engine";
    root.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&root, test::kHangCapMs));
    QTest::keyClick(&root, Qt::Key_Space);  // Space plays and pauses the current clip
    EXPECT_FALSE(picker.preview().playing());
    view->preview()->playButton()->click();
    EXPECT_TRUE(picker.preview().playing());
    view->preview()->playButton()->click();
    EXPECT_FALSE(picker.preview().playing());

    const std::vector<ClipFinder::Clip> picked = picker.picked();
    const std::size_t n = picked.size();
    ASSERT_GE(n, 2u);
    EXPECT_EQ(view->createButton()->text(), QStringLiteral("Create %1 Shorts").arg(n));
    QTest::keyClick(&root, Qt::Key_Return);  // Create is the screen's default action
    EXPECT_TRUE(picker.creating());
    EXPECT_FALSE(view->createButton()->isEnabled());
    EXPECT_FALSE(view->backButton()->isEnabled());
    EXPECT_FALSE(view->wholeVideoButton()->isEnabled());
    QTest::mouseClick(view->createButton(), Qt::LeftButton);  // a second press makes nothing twice
    ASSERT_TRUE(test::waitFor([&] { return app.screen() == Screen::home; }));
    EXPECT_EQ(root.clipsScreen(), nullptr);

    const std::vector<Project> all = ProjectStore::loadAll();
    ASSERT_EQ(all.size(), 1 + n);
    std::size_t made = 0;
    for (const Project& p : all) {
        if (p.id == source.id) continue;
        ++made;
        ASSERT_TRUE(p.sourceRange);
        const auto clip = std::find_if(picked.begin(), picked.end(), [&](const auto& c) {
            return c.start == p.sourceRange->lower && c.end == p.sourceRange->upper;
        });
        ASSERT_NE(clip, picked.end());
        EXPECT_TRUE(p.name.starts_with("Habits talk \u00b7 "));
        EXPECT_EQ(p.aspect, OutputAspect::vertical);
        EXPECT_TRUE(p.trimPauses);
        ASSERT_FALSE(p.words.empty());
        for (const Word& w : p.words) {
            const double mid = (w.start + w.end) / 2;
            EXPECT_TRUE(mid >= clip->start && mid <= clip->end);
        }
        const auto inside = std::count_if(talk.words.begin(), talk.words.end(), [&](const Word& w) {
            const double mid = (w.start + w.end) / 2;
            return mid >= clip->start && mid <= clip->end;
        });
        EXPECT_EQ(p.words.size(), std::size_t(inside));
        EXPECT_FALSE(p.hooks.empty());
        EXPECT_TRUE(std::filesystem::exists(AppModel::posterPath(p.id)));
    }
    EXPECT_EQ(made, n);
}

}  // namespace
}  // namespace vt::test
