#include "ui/inspector/MatchCutSection.h"

#include "PanelRig.h"
#include "text/PostCopyWriter.h"
#include "ui/inspector/DragTile.h"
#include "ui/inspector/NumberField.h"
#include "ui/inspector/RowNote.h"
#include "ui/inspector/SwitchRow.h"
#include "ui/inspector/ValueRow.h"
#include "video/effects/MatchCutRenderer.h"
#include "support/Waits.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace vt;
using namespace vt::ui;

namespace {

bool shown(QWidget* w) { return w && !w->isHidden(); }

using K = TimelineItem::Kind;

void submit(MatchCutSection& section, const QString& typed)
{
    section.parts().search->setText(typed);
    emit section.parts().search->returnPressed();
}

// A card as the section builds it: 2 s, seven cuts a second, ticking.
MatchCut cutOf(std::string word, MatchCut::Style style, std::int64_t seed)
{
    MatchCut c;
    c.word = std::move(word);
    c.style = style;
    c.seed = seed;
    c.duration = 2;
    c.cutsPerSecond = 7;
    c.ticks = true;
    return c;
}

DragTile* card(MatchCutSection& section, int index) { return section.parts().cards[index]; }

// Places a neon "money" card at the start and selects it for editing.
void selectPlacedCut(test::PanelRig& rig)
{
    const Uuid id = rig->addMatchCut(cutOf("money", MatchCut::Style::neon, 1), 0);
    rig->setTimelineSelection(TimelineItem{K::matchCut, id});
}

}  // namespace

TEST(MatchCutSection, PreviewsFitTheOutputShapeIntoTheirBox)
{
    EXPECT_EQ(MatchCutSection::previewSize(OutputAspect::vertical), QSize(135, 240));
    EXPECT_EQ(MatchCutSection::previewSize(OutputAspect::portrait), QSize(192, 240));
    EXPECT_EQ(MatchCutSection::previewSize(OutputAspect::square), QSize(240, 240));
    EXPECT_EQ(MatchCutSection::previewSize(OutputAspect::landscape), QSize(240, 135));
    EXPECT_EQ(MatchCutSection::countText(0), QString());
    EXPECT_EQ(MatchCutSection::countText(1), QString("✓ On"));
    EXPECT_EQ(MatchCutSection::countText(3), QString("✓ 3 on timeline"));
}

TEST(MatchCutSection, TypedWordsAreTrimmedCutTo24CharactersAndRenderedForTheLatestOnly)
{
    test::PanelRig rig;
    MatchCutSection section(*rig);
    EXPECT_TRUE(shown(section.parts().introNote));
    submit(section, "   ");
    EXPECT_EQ(section.shownWord(), QString());
    const QString thirty = "abcdefghijklmnopqrstuvwxyz1234";
    submit(section, "  " + thirty + "\n");
    EXPECT_EQ(section.shownWord(), thirty.left(24));
    EXPECT_EQ(section.parts().search->text().trimmed(), thirty);  // the field keeps what was typed
    // A new word before the first one's previews arrive: only its frames reach the cards.
    submit(section, "money");
    // Fourteen renders share the machine with other tests: give them time.
    ASSERT_TRUE(test::waitFor([&] {
        for (int s = 0; s < 7; ++s)
            if (!section.previews(static_cast<MatchCut::Style>(s))) return false;
        return true;
    }));
    MatchCut neon = cutOf("money", MatchCut::Style::neon, 1);
    neon.keywords = std::vector<std::string>{};
    neon.lines = std::vector<std::string>{};
    const auto expected = MatchCutRenderer::previewFrames(neon, QSize(135, 240));
    ASSERT_FALSE(expected.empty());
    test::settle(300);  // late results of the first word have had their chance
    const auto* neonFrames = section.previews(MatchCut::Style::neon);
    ASSERT_TRUE(neonFrames && !neonFrames->empty());
    EXPECT_EQ(neonFrames->size(), expected.size());
    EXPECT_EQ(neonFrames->front(), expected.front());
    EXPECT_EQ(card(section, 3)->accessibleName(), QString("Neon match cut"));
    EXPECT_EQ(card(section, 3)->payload(), QString("vellumtide-timeline:matchcut:Neon:1:money"));
    EXPECT_FALSE(shown(section.parts().introNote));
    EXPECT_EQ(section.shownWord(), QString("money"));

    section.parts().clear->click();
    EXPECT_TRUE(section.parts().search->text().isEmpty());
    EXPECT_FALSE(shown(section.parts().styles));
    EXPECT_TRUE(shown(section.parts().introNote));
}

TEST(MatchCutSection, PickAddsAtThePlayheadThenRestylesTheSelectedCutAsOneStep)
{
    test::PanelRig rig;
    MatchCutSection section(*rig);
    submit(section, "money");
    rig->setCurrentTime(0.2);
    EXPECT_EQ(section.parts().pickNote->text(),
              QString("Pick a style to open the video with it, or drag one onto the timeline to place it anywhere."));
    card(section, 3)->click();  // Neon: opens the video
    ASSERT_TRUE(rig->selectedMatchCut());
    const MatchCut added = *rig->selectedMatchCut();
    EXPECT_EQ(added.style, MatchCut::Style::neon);
    EXPECT_EQ(added.word, "money");
    EXPECT_EQ(rig->span({K::matchCut, *added.id})->first, 0.0);
    EXPECT_EQ(rig->undoDepth(), 1u);
    EXPECT_FALSE(shown(section.parts().pickNote));  // a cut is selected
    EXPECT_EQ(section.parts().count->text(), QString("✓ On"));

    // A second click restyles it, keeping its length and place, and moves the playhead to it.
    rig->updateMatchCut(*added.id, false, [](MatchCut& c) { c.duration = 3; });
    rig->setCurrentTime(5);
    card(section, 0)->click();
    ASSERT_EQ(rig->project().matchCuts->size(), 1u);
    EXPECT_EQ(rig->selectedMatchCut()->style, MatchCut::Style::editorial);
    EXPECT_EQ(rig->selectedMatchCut()->duration, 3);
    EXPECT_EQ(rig->undoDepth(), 2u);
    EXPECT_EQ(rig->currentTime(), 0.0);

    // New, then a click with the playhead at 12.34 s adds a second cut there.
    section.parts().newChip->click();
    EXPECT_FALSE(rig->timelineSelection());
    rig->setCurrentTime(6.34);
    EXPECT_EQ(section.parts().pickNote->text(),
              QString("Pick a style to add a match cut at the playhead (0:06.3), or drag one onto the timeline."));
    card(section, 6)->click();
    EXPECT_EQ(rig->project().matchCuts->size(), 2u);
    test::settle();
    EXPECT_EQ(section.parts().count->text(), QString("✓ 2 on timeline"));
    EXPECT_EQ(section.parts().chips.size(), 2u);
}

TEST(MatchCutSection, TheEditorMovesTimesAndShufflesWithOneStepPerFinishedEdit)
{
    test::PanelRig rig([](Project& p) {
        p.words[3].text = "Money!";
        p.words[9].text = "money,";
    });
    // w3 starts at 2.0 s, w9 at 5.0 s (no cuts).
    MatchCut cut = cutOf("money", MatchCut::Style::signs, 4);
    cut.ticks = false;
    MatchCut opener = cut;
    opener.word = "open";
    rig->addMatchCut(opener, 0);
    const Uuid id = rig->addMatchCut(cut, 2.0);
    rig->setTimelineSelection(std::nullopt);
    rig->setCurrentTime(1.96);  // 0.04 s before the second cut: that one counts as at the playhead
    MatchCutSection section(*rig);
    test::settle();
    ASSERT_TRUE(rig->selectedMatchCut());  // coming on screen selects the cut at the playhead
    EXPECT_EQ(rig->selectedMatchCut()->id, id);
    EXPECT_EQ(section.seed(), 4);
    EXPECT_EQ(section.shownWord(), QString("money"));
    EXPECT_TRUE(shown(section.parts().editor));
    EXPECT_EQ(section.parts().startsAt->text(), QString("0:02.0"));

    EXPECT_EQ(section.spokenTime("Money!", 2.0), 5.0);
    EXPECT_EQ(section.spokenTime("money", 5.0), 2.0);   // wraps to the first time
    EXPECT_EQ(section.spokenTime("money", 4.97), 2.0);  // 5.0 is not later than 4.97 + 0.05
    EXPECT_EQ(section.spokenTime("Money York", 0), 2.0);
    EXPECT_FALSE(section.spokenTime("dollars", 0));
    emit section.moveMenu()->aboutToShow();
    const auto items = section.moveMenu()->actions();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[2]->text(), QString("When “money” Is Said (0:05.0)"));
    const std::size_t before = rig->undoDepth();
    items[2]->trigger();
    EXPECT_EQ(rig->span({K::matchCut, id})->first, 5.0);
    EXPECT_EQ(rig->currentTime(), 5.0);
    EXPECT_EQ(rig->undoDepth(), before + 1);

    // A slider drag is one step; two typed lengths are two.
    QSlider* slider = section.parts().length->slider();
    slider->setSliderDown(true);
    for (int v : {300, 400, 500}) slider->setValue(v);
    slider->setSliderDown(false);
    EXPECT_EQ(rig->undoDepth(), before + 2);
    test::typeNumber(section.parts().length->field(), "3");
    test::typeNumber(section.parts().length->field(), "2");
    EXPECT_EQ(rig->undoDepth(), before + 4);
    rig->undo();
    EXPECT_EQ(rig->selectedMatchCut()->duration, 3);

    section.parts().speeds[2]->click();
    EXPECT_EQ(rig->selectedMatchCut()->cutsPerSecond, 11);
    section.parts().ticks->toggle()->click();
    EXPECT_TRUE(rig->selectedMatchCut()->ticks);
    const std::size_t beforeShuffle = rig->undoDepth();
    for (auto* b : section.findChildren<QPushButton*>())
        if (b->accessibleName() == "Shuffle") b->click();
    EXPECT_EQ(section.seed(), 5);
    EXPECT_EQ(rig->selectedMatchCut()->seed, 5);
    EXPECT_EQ(rig->undoDepth(), beforeShuffle + 1);
    test::settle();
    EXPECT_EQ(section.parts().summary->text(), QString("“money” · Signs"));
}

TEST(MatchCutSection, TheLengthSliderMovesInHalfSecondsAndAStillDragRecordsNothing)
{
    test::PanelRig rig;
    selectPlacedCut(rig);
    MatchCutSection section(*rig);
    test::settle();
    const std::size_t before = rig->undoDepth();
    QSlider* slider = section.parts().length->slider();
    const auto drag = [&](std::initializer_list<int> positions) {
        slider->setSliderDown(true);
        for (int position : positions) slider->setValue(position);
        slider->setSliderDown(false);
    };
    drag({300, 301});  // 2.15 s on a continuous slider: still the 2 s it has
    EXPECT_EQ(rig->selectedMatchCut()->duration, 2.0);
    EXPECT_EQ(rig->undoDepth(), before);
    drag({500, 820});  // 3.25 s, 5.01 s
    EXPECT_EQ(rig->selectedMatchCut()->duration, 5.0);
    EXPECT_EQ(rig->undoDepth(), before + 1);
}

TEST(MatchCutSection, SuggestsWordsOfTheVideoAndGivesItsCardsTheTranscriptsLines)
{
    const std::vector<std::string> texts{"Coffee", "keeps", "Paris", "awake.", "Paris", "drinks", "coffee", "daily.",
                                         "Coffee", "costs", "money", "here.",  "Money",  "buys",   "good", "coffee."};
    test::PanelRig rig([&](Project& p) {
        for (std::size_t i = 0; i < texts.size(); ++i) p.words[i].text = texts[i];
        p.words[14].deleted = true;  // never part of a suggestion or a line
    });
    MatchCutSection section(*rig);
    test::settle();
    std::vector<std::string> expected;
    std::string kept;
    for (const Word& w : rig->project().words)
        if (!w.deleted) kept += (kept.empty() ? "" : " ") + w.text;
    for (const std::string& tag : PostCopyWriter::hashtags(kept, 6)) expected.push_back(tag.substr(1));
    ASSERT_FALSE(expected.empty());
    ASSERT_TRUE(shown(section.parts().suggestions));
    ASSERT_EQ(section.parts().suggestionChips.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(section.parts().suggestionChips[i]->text().toStdString(), expected[i]);

    // A chip fills the field and shows its word; a card made then carries the context.
    section.parts().suggestionChips[0]->click();
    EXPECT_EQ(section.parts().search->text().toStdString(), expected[0]);
    EXPECT_EQ(section.shownWord().toStdString(), expected[0]);
    card(section, 1)->click();
    const MatchCut added = *rig->selectedMatchCut();
    EXPECT_EQ(added.word, expected[0]);
    ASSERT_TRUE(added.lines);
    EXPECT_EQ(*added.lines, (std::vector<std::string>{"Coffee keeps Paris awake", "Paris drinks coffee daily",
                                                      "Coffee costs money here", "Money buys coffee"}));
    ASSERT_TRUE(added.keywords);
    EXPECT_FALSE(added.keywords->empty());
    EXPECT_EQ(added.keywords->front(), expected[0]);
}

TEST(MatchCutSection, AProjectWithoutWordsSuggestsNothing)
{
    test::PanelRig rig({}, 0);
    MatchCutSection section(*rig);
    test::settle();
    EXPECT_FALSE(shown(section.parts().suggestions));
    submit(section, "money");
    EXPECT_EQ(section.parts().cards.size(), 7u);
    EXPECT_TRUE(shown(section.parts().styles));
}

TEST(MatchCutSection, ChoosingTheSpeedItAlreadyHasRecordsNothingAndKeepsRedo)
{
    test::PanelRig rig;
    selectPlacedCut(rig);
    MatchCutSection section(*rig);
    test::settle();
    section.parts().speeds[2]->click();
    rig->undo();
    ASSERT_TRUE(rig->canRedo());
    const std::size_t before = rig->undoDepth();

    section.parts().speeds[1]->click();  // "Snappy", the speed it has
    EXPECT_EQ(rig->undoDepth(), before);
    EXPECT_TRUE(rig->canRedo());
    EXPECT_TRUE(section.parts().speeds[1]->isChecked());
    EXPECT_EQ(rig->selectedMatchCut()->cutsPerSecond, 7);
}
