#include "ui/inspector/BRollView.h"

#include "PanelRig.h"
#include "ui/inspector/BRollRow.h"
#include "ui/inspector/MenuRow.h"
#include "ui/inspector/RowNote.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace vt;
using namespace vt::ui;

namespace {

bool shown(QWidget* w) { return w && !w->isHidden(); }

struct BRollPanel : ::testing::Test {
    test::PanelRig rig;
    std::optional<std::string> answer;
    std::unique_ptr<BRollView> panel =
        std::make_unique<BRollView>(*rig, [this](const std::string&, const std::vector<std::string>&) { return answer; });
    const BRollView::Parts& p() const { return panel->parts(); }
};

}  // namespace

TEST_F(BRollPanel, TransitionMenuStoresTheChoiceWithItsNotes)
{
    EXPECT_EQ(p().transition->menu()->currentText(), QString("None"));
    EXPECT_EQ(p().transitionNote->text(), QString("Straight jump cuts"));
    EXPECT_FALSE(shown(p().noCutsNote));

    // One kept segment: a transition has no cut to play at yet.
    p().transition->menu()->setCurrentIndex(4);
    emit p().transition->menu()->activated(4);
    EXPECT_EQ(rig->project().cutTransition, CutTransition::dipBlack);
    EXPECT_EQ(p().transitionNote->text(), QString("A quick dip through black"));
    EXPECT_TRUE(shown(p().noCutsNote));
    rig->toggleDelete({rig->project().words[5].id});
    EXPECT_FALSE(shown(p().noCutsNote));  // the cut made a second segment

    // "None" is stored, not left absent; no choice is an undo step.
    p().transition->menu()->setCurrentIndex(0);
    emit p().transition->menu()->activated(0);
    EXPECT_EQ(rig->project().cutTransition, CutTransition::none);
    EXPECT_EQ(rig->undoDepth(), 1u);  // only the word cut
}

TEST_F(BRollPanel, AddsOverTheSelectionOrAtThePlayheadAndListsEachItem)
{
    EXPECT_TRUE(shown(p().emptyRow));
    EXPECT_EQ(p().add->text(), QString("+ Add at Playhead"));
    answer.reset();
    p().add->click();  // cancelled: nothing
    EXPECT_FALSE(rig->project().brolls);

    const auto& words = rig->project().words;
    rig->setSelection({words[2].id, words[3].id});
    EXPECT_EQ(p().add->text(), QString("+ Add over Selection"));
    answer = rig.video.string();
    p().add->click();
    rig->setSelection({});
    EXPECT_EQ(p().add->text(), QString("+ Add at Playhead"));
    answer = rig.photo.string();
    p().add->click();
    ASSERT_TRUE(test::waitFor([&] { return rig->brollThumbs().size() == 2 && p().rows.size() == 2; }));
    test::settle();

    EXPECT_EQ(p().emptyRow, nullptr);
    EXPECT_EQ(p().dividers, 1);
    const auto& video = p().rows[0]->parts();
    const auto& photo = p().rows[1]->parts();
    EXPECT_EQ(video.name->text(), QString("talk"));
    EXPECT_EQ(video.caption->text(), QString("“w2 w3”"));
    EXPECT_EQ(video.kenBurns, nullptr);
    ASSERT_TRUE(photo.kenBurns);
    EXPECT_TRUE(photo.kenBurns->isChecked());
    EXPECT_TRUE(video.time && !video.wordsCut && !video.fileMissing);
    EXPECT_EQ(video.thumbnail->accessibleName(), QString("Video"));
    EXPECT_EQ(photo.thumbnail->accessibleName(), QString("Photo"));
}

TEST_F(BRollPanel, RowSettingsJumpAndRemoveWriteThroughTheModelWithoutUndo)
{
    const auto& words = rig->project().words;
    rig->addBRoll(rig.video.string(), std::set<Uuid>{words[4].id, words[6].id});
    rig->addBRoll(rig.photo.string(), std::set<Uuid>{words[8].id});
    ASSERT_TRUE(test::waitFor([&] { return p().rows.size() == 2; }));
    const std::size_t steps = rig->undoDepth();
    const Uuid first = (*rig->project().brolls)[0].id;

    auto* layout = p().rows[0]->parts().layout;
    layout->setCurrentIndex(1);
    emit layout->activated(1);
    EXPECT_EQ((*rig->project().brolls)[0].layout, BRollLayout::split);
    EXPECT_EQ((*rig->project().brolls)[1].layout, BRollLayout::full);
    test::settle();
    p().rows[1]->parts().kenBurns->click();
    EXPECT_FALSE((*rig->project().brolls)[1].kenBurns);
    test::settle();

    const auto placement = rig->brollPlacements().front();
    p().rows[0]->parts().jump->click();
    EXPECT_DOUBLE_EQ(rig->currentTime(), placement.start);
    EXPECT_EQ(rig.player->playheadSeeks.back(), placement.start);

    p().rows[1]->parts().remove->click();
    ASSERT_EQ(rig->project().brolls->size(), 1u);
    EXPECT_EQ(rig->project().brolls->front().id, first);
    EXPECT_EQ(rig->undoDepth(), steps);
}

TEST_F(BRollPanel, WarnsWhenTheWordsWereCutOrTheFileIsGone)
{
    const auto& words = rig->project().words;
    rig->addBRoll(rig.photo.string(), std::set<Uuid>{words[3].id});
    rig->toggleDelete({words[3].id});
    std::filesystem::remove(rig.photo);
    rig->visualChanged();
    ASSERT_TRUE(test::waitFor([&] { return p().rows.size() == 1 && p().rows[0]->parts().wordsCut; }));
    const auto& row = p().rows[0]->parts();
    EXPECT_EQ(row.caption->text(), QString("“”"));
    ASSERT_TRUE(row.fileMissing);
    EXPECT_EQ(row.time, nullptr);
    const double before = rig->currentTime();
    row.jump->click();  // no place on the output: nothing moves
    EXPECT_EQ(rig->currentTime(), before);
    EXPECT_TRUE(rig.player->playheadSeeks.empty());

    EXPECT_EQ(BRollRow::timeLine(3.2, 7.5), QString("0:03 – 0:07 · 4.3s"));
}
