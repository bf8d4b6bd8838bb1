#include "ui/inspector/EffectsView.h"

#include "SoundPictureRig.h"
#include "captions/look/CaptionStyle.h"
#include "ui/inspector/NumberField.h"
#include "ui/inspector/OptionalColorRow.h"
#include "ui/inspector/RowNote.h"
#include "ui/inspector/SwitchRow.h"
#include "ui/inspector/ValueRow.h"

#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QScrollArea>
#include <QSlider>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace vt;
using namespace vt::ui;
using vt::test::drag;
using vt::test::shown;

namespace {

class EffectsViewTest : public test::SoundPictureRig {
protected:
    std::unique_ptr<EffectsView> view()
    {
        auto v = std::make_unique<EffectsView>(editor());
        v->resize(380, 1400);
        return v;
    }
};

TEST_F(EffectsViewTest, EmojisStartFromSomeWithNoChoicesAndEachLineHasItsMenu)
{
    open();
    auto panel = view();
    const auto& p = panel->parts();
    EXPECT_FALSE(shown(p.some));
    editor().updateProject([](Project& pr) { pr.emojis = EmojiSettings{EmojiSettings::Amount::lots, {{"X", "🔥"}}}; });
    p.emojis->toggle()->click();
    p.emojis->toggle()->click();
    ASSERT_TRUE(editor().project().emojis);
    EXPECT_EQ(editor().project().emojis->amount, EmojiSettings::Amount::some);
    EXPECT_TRUE(editor().project().emojis->overrides.empty());
    EXPECT_TRUE(p.some->isChecked());
    ASSERT_EQ(p.lines.size(), editor().groups().size());
    EXPECT_FALSE(shown(p.moreLines));

    const auto& line = p.lines[1];
    QMenu* menu = line.emoji->menu();
    ASSERT_EQ(menu->actions().size(), 16 + 3);
    EXPECT_EQ(menu->actions()[0]->text(), QString("🔥"));
    EXPECT_EQ(menu->actions()[17]->text(), QString("Let Vellumtide Choose"));
    EXPECT_EQ(menu->actions()[18]->text(), QString("No Emoji on This Line"));
    menu->actions()[6]->trigger();  // 🚀
    test::SoundPictureRig::settle();
    EXPECT_EQ(editor().emojiPicks().at(1).emoji, "🚀");
    EXPECT_EQ(panel->parts().lines[1].emoji->text(), QString("🚀"));
    EXPECT_EQ(panel->parts().emojiNote->text(), QString("Click an emoji to change it, or %1 to add one to a line.")
                                                    .arg(panel->parts().lines[0].emoji->text()));

    // "How many" keeps the lines' choices; no change records an undo step.
    panel->parts().lots->click();
    EXPECT_EQ(editor().project().emojis->amount, EmojiSettings::Amount::lots);
    EXPECT_EQ(editor().project().emojis->overrides.size(), 1u);
    panel->parts().lines[1].emoji->menu()->actions()[18]->trigger();
    test::SoundPictureRig::settle();
    EXPECT_FALSE(editor().emojiPicks().contains(1));
    EXPECT_FALSE(editor().canUndo());

    // A click beside the menu puts the playhead on the line's start.
    const auto& row = panel->parts().lines[2];
    QTest::mouseClick(row.row, Qt::LeftButton, {}, QPoint(row.row->width() - 5, 5));
    EXPECT_EQ(editor().currentTime(), editor().groups()[2].start);
}

TEST_F(EffectsViewTest, LongTranscriptsListSixtyLinesAndCountTheRest)
{
    EXPECT_EQ(EffectsView::moreLinesNote(60), QString());
    EXPECT_EQ(EffectsView::moreLinesNote(61), QString("…and 1 more lines."));
    EXPECT_EQ(EffectsView::moreLinesNote(72), QString("…and 12 more lines."));
    Project p = test::sampleProject(0);
    for (int i = 0; i < 72; ++i) {
        Word w = test::word("line" + std::to_string(i), i * 1.0, i * 1.0 + 0.5);
        w.breakAfter = true;
        p.words.push_back(w);
    }
    p.sourceDuration = 73;
    p.emojis = EmojiSettings{};
    open(p);
    ASSERT_EQ(editor().groups().size(), 72u);
    auto panel = view();
    EXPECT_EQ(panel->parts().lines.size(), 60u);
    EXPECT_TRUE(shown(panel->parts().moreLines));
    EXPECT_EQ(panel->parts().moreLines->text(), QString("…and 12 more lines."));
    editor().updateProject([](Project& pr) { pr.soundEffects = SoundEffects{}; pr.progressBar = ProgressBar{}; });
    EXPECT_LE(panel->findChild<QScrollArea*>()->widget()->minimumSizeHint().width(), 340);  // the narrowest inspector
}

TEST_F(EffectsViewTest, SoundEffectsApplyTheirVolumeWhenTheDragEnds)
{
    open();
    auto panel = view();
    const auto& p = panel->parts();
    editor().updateProject([](Project& pr) { pr.soundEffects = SoundEffects{-20, false, false, false, false}; });
    p.soundEffects->toggle()->click();
    p.soundEffects->toggle()->click();
    EXPECT_EQ(*editor().project().soundEffects, SoundEffects{});
    ASSERT_EQ(p.kinds.size(), 4u);
    EXPECT_TRUE(shown(p.volume));
    EXPECT_EQ(p.volume->field()->text(), QString("-8 dB"));

    rig->clock->advance(1);
    int rebuilds = rig->player->rebuilds;
    p.kinds[2]->toggle()->click();  // whooshes off: the volume stays, the player is rebuilt
    EXPECT_FALSE(editor().project().soundEffects->cutWhooshes);
    EXPECT_EQ(editor().project().soundEffects->volume, -8);
    rig->clock->advance(1);
    EXPECT_EQ(rig->player->rebuilds, rebuilds + 1);

    rebuilds = rig->player->rebuilds;
    p.volume->slider()->setSliderDown(true);
    p.volume->slider()->setValue(0);
    EXPECT_EQ(editor().project().soundEffects->volume, -30);
    rig->clock->advance(1);
    EXPECT_EQ(rig->player->rebuilds, rebuilds);  // dragging only stores
    p.volume->slider()->setSliderDown(false);
    rig->clock->advance(1);
    EXPECT_EQ(rig->player->rebuilds, rebuilds + 1);
    QTest::mouseDClick(p.volume->titleLabel(), Qt::LeftButton);  // reset applies at once
    EXPECT_EQ(editor().project().soundEffects->volume, -8);
    rig->clock->advance(1);
    EXPECT_EQ(rig->player->rebuilds, rebuilds + 2);
    EXPECT_FALSE(editor().canUndo());
}

TEST_F(EffectsViewTest, TheProgressBarStartsAtTheTopWithoutAColourAndRefreshesOnlyThePicture)
{
    open();
    auto panel = view();
    const auto& p = panel->parts();
    p.progressBar->toggle()->click();
    const ProgressBar& bar = *editor().project().progressBar;
    EXPECT_EQ(bar.position, ProgressBar::Position::top);
    EXPECT_EQ(bar.color, std::nullopt);
    EXPECT_EQ(bar.thickness, 10);
    EXPECT_EQ(p.top->text(), QString("Top"));
    EXPECT_EQ(p.bottom->text(), QString("Bottom"));
    EXPECT_TRUE(p.top->isChecked());

    rig->clock->advance(1);
    const int rebuilds = rig->player->rebuilds;
    p.bottom->click();
    drag(p.thickness->slider(), 1.0);
    p.barColor->toggle()->click();
    const ProgressBar& changed = *editor().project().progressBar;
    EXPECT_EQ(changed.position, ProgressBar::Position::bottom);
    EXPECT_EQ(changed.thickness, 24);
    EXPECT_EQ(changed.color, EffectsView::defaultBarColor(editor().project().style));
    rig->clock->advance(1);
    EXPECT_EQ(rig->player->rebuilds, rebuilds);
    p.progressBar->toggle()->click();
    EXPECT_FALSE(editor().project().progressBar);
}

TEST(ProgressBarColour, FollowsTheCaptionLooksColours)
{
    CaptionStyle look;
    look.highlightColor.reset();
    look.activeColor.reset();
    look.emphasisColor.reset();
    EXPECT_EQ(EffectsView::defaultBarColor(look), (RGBA{166 / 255.0, 77 / 255.0, 1, 1}));
    look.emphasisColor = RGBA{0, 1, 0, 1};
    EXPECT_EQ(EffectsView::defaultBarColor(look), (RGBA{0, 1, 0, 1}));
    look.activeColor = RGBA{0, 0, 1, 1};
    EXPECT_EQ(EffectsView::defaultBarColor(look), (RGBA{0, 0, 1, 1}));
    look.highlightColor = RGBA{1, 0, 0, 1};
    EXPECT_EQ(EffectsView::defaultBarColor(look), (RGBA{1, 0, 0, 1}));
}

}  // namespace
