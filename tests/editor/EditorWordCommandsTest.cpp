// Selecting words, retyping one word, cutting, emphasis, breaks, fillers,
// and the lookups by time and by range.

#include "CommandProbe.h"

#include "editor/WordLookEdits.h"

namespace vt {
namespace {

using namespace vt::test;

class EditorWords : public EditorTest {};

TEST_F(EditorWords, ClicksWithShiftAndCtrlPickWordsAroundTheAnchor)
{
    Project project = sampleProject(12);
    project.words[5].deleted = true;
    EditorRig rig(project);
    auto id = [&](int i) { return rig->transcript()[static_cast<std::size_t>(i)].id; };
    auto ids = [&](int from, int to) {
        std::set<Uuid> out;
        for (int i = from; i <= to; ++i) out.insert(id(i));
        return out;
    };

    rig->select(id(4), Qt::ShiftModifier | Qt::ControlModifier);  // no anchor yet: a Ctrl-click
    EXPECT_EQ(rig->selection(), ids(4, 4));
    EXPECT_TRUE(rig.player->playheadSeeks.empty()) << "a Ctrl-click does not seek";
    rig->select(id(4), Qt::ControlModifier);
    EXPECT_TRUE(rig->selection().empty());

    rig->select(id(7), Qt::NoModifier);
    ASSERT_EQ(rig.player->playheadSeeks.size(), 1u);
    EXPECT_DOUBLE_EQ(rig.player->playheadSeeks.back(), rig->outputTime(rig->transcript()[7]) + 0.01);
    EXPECT_DOUBLE_EQ(rig->currentTime(), rig.player->playheadSeeks.back());

    rig->select(id(3), Qt::ShiftModifier);
    EXPECT_EQ(rig->selection(), ids(3, 7)) << "the cut word 5 is included";
    rig->select(id(9), Qt::ShiftModifier);
    EXPECT_EQ(rig->selection(), ids(7, 9)) << "the anchor stayed on word 7";
    EXPECT_EQ(rig.player->playheadSeeks.size(), 1u) << "Shift-clicks do not seek";

    rig->select(id(7), Qt::ControlModifier);
    EXPECT_EQ(rig->selection(), ids(8, 9));
    ASSERT_TRUE(rig->primarySelection());
    EXPECT_TRUE(rig->selection().contains(*rig->primarySelection()))
        << "the anchor is not selected: another selected word stands in";
    rig->select(id(8), Qt::ControlModifier);
    rig->select(id(8), Qt::ControlModifier);
    EXPECT_EQ(rig->primarySelection(), id(8));
}

// A click on a word of the selection passes an id that lives in the
// selection the click replaces.
TEST_F(EditorWords, ClickingAWordOfTheSelectionByItsOwnEntry)
{
    EditorRig rig(sampleProject(4));
    const Uuid first = rig->transcript()[0].id, second = rig->transcript()[1].id;
    rig->setSelection({first, second});
    rig->select(*rig->selection().rbegin(), Qt::NoModifier);
    EXPECT_EQ(rig->selection(), std::set<Uuid>{std::max(first, second)});
    rig->setSelection({first, second});
    rig->beginEdit(*rig->selection().begin());
    EXPECT_EQ(rig->editingWordID(), std::min(first, second));
    EXPECT_EQ(rig->primarySelection(), std::min(first, second));
}

TEST_F(EditorWords, AFreshEditorTreatsShiftClickAsAPlainClick)
{
    EditorRig rig(sampleProject(4));
    const Uuid w2 = rig->transcript()[2].id;
    rig->select(w2, Qt::ShiftModifier);
    EXPECT_EQ(rig->selection(), std::set<Uuid>{w2});
    EXPECT_EQ(rig->primarySelection(), w2);
    EXPECT_EQ(rig.player->playheadSeeks.size(), 1u);
}

// Retyping one word of 1.0–2.0 s.
TEST_F(EditorWords, RetypingAWordSplitsItsTimeByCharacters)
{
    struct Case {
        std::string typed;
        std::vector<std::string> texts;
        std::vector<double> ends;
        int undoSteps;
        Refresh refresh;
    };
    const std::vector<Case> cases{
        {"hello world", {"hello", "world"}, {1.5, 2.0}, 1, Refresh::timeline},
        {"a bcd", {"a", "bcd"}, {1.25, 2.0}, 1, Refresh::timeline},
        {"  héllo\t", {"héllo"}, {2.0}, 1, Refresh::visual},
        {"Hello", {"Hello"}, {2.0}, 1, Refresh::visual},
        {"hello", {"hello"}, {2.0}, 0, Refresh::none},
    };
    for (const Case& c : cases) {
        Project project = projectOf({"hello", "next"});
        Word& w = project.words[0];
        w.emphasized = w.breakAfter = true;
        w.native = "हेलो";
        w.look = WordLook{2, std::nullopt, 0, 0};
        w.styleID = "other";
        EditorRig rig(project);
        const Outcome out = observe(rig, [&] { rig->setText(w.id, c.typed); });
        EXPECT_EQ(out.undoSteps, c.undoSteps) << c.typed;
        EXPECT_EQ(out.refresh, c.refresh) << c.typed;

        const auto& words = rig->transcript();
        ASSERT_EQ(words.size(), c.texts.size() + 1) << c.typed;
        double start = 1.0;
        for (std::size_t k = 0; k < c.texts.size(); ++k) {
            EXPECT_EQ(words[k].text, c.texts[k]) << c.typed;
            EXPECT_DOUBLE_EQ(words[k].start, start) << c.typed;
            EXPECT_DOUBLE_EQ(words[k].end, c.ends[k]) << c.typed;
            EXPECT_EQ(words[k].id == w.id, k == 0) << c.typed;
            EXPECT_TRUE(words[k].emphasized) << c.typed;
            EXPECT_EQ(words[k].breakAfter, k + 1 == c.texts.size()) << c.typed;
            if (c.undoSteps) {
                EXPECT_FALSE(words[k].native || words[k].look || words[k].styleID) << c.typed;
            }
            start = c.ends[k];
        }
    }
}

TEST_F(EditorWords, CommittingABlankDraftCutsTheWordAndMovesToTheNextUncutOne)
{
    Project project = projectOf({"one", "two", "three", "four"});
    project.words[1].deleted = true;
    EditorRig rig(project);
    const auto ids = [&] {
        std::vector<Uuid> out;
        for (const Word& w : rig->transcript()) out.push_back(w.id);
        return out;
    }();

    rig->beginEdit(ids[0]);
    EXPECT_EQ(rig.player->pauses, 1);
    EXPECT_EQ(rig->editDraft(), "one");
    EXPECT_FALSE(rig->editStartedByTyping());
    rig->setEditDraft("   ");
    rig->commitEdit(true);
    EXPECT_TRUE(rig->transcript()[0].deleted);
    EXPECT_EQ(rig->editingWordID(), ids[2]) << "the cut word two is skipped";
    EXPECT_EQ(rig->selection(), std::set<Uuid>{ids[2]});

    // A draft of two words moves past both.
    rig->setEditDraft("three and");
    rig->commitEdit(true);
    EXPECT_EQ(rig->editingWordID(), ids[3]);
    EXPECT_EQ(rig->transcript()[3].text, "and");

    rig->beginEdit(ids[3], "fo");
    EXPECT_TRUE(rig->editStartedByTyping());
    EXPECT_EQ(rig->editDraft(), "fo");
    rig->commitEdit(true);
    EXPECT_FALSE(rig->editingWordID()) << "no word follows the last";
    EXPECT_EQ(rig->transcript().back().text, "fo");

    rig->beginEdit(Uuid::random());
    EXPECT_FALSE(rig->editingWordID());
}

TEST_F(EditorWords, TogglingSetsAMixedGroupAndClearsAFullOne)
{
    Project project = sampleProject(3);
    project.words[0].emphasized = true;
    EditorRig rig(project);
    const std::set<Uuid> both{rig->transcript()[0].id, rig->transcript()[1].id};
    auto flags = [&](bool Word::*flag) { return std::vector<bool>{rig->transcript()[0].*flag, rig->transcript()[1].*flag}; };

    Outcome out = observe(rig, [&] { rig->toggleEmphasis(both); });
    EXPECT_EQ(flags(&Word::emphasized), (std::vector<bool>{true, true}));
    EXPECT_EQ(out.undoSteps, 1);
    EXPECT_EQ(out.refresh, Refresh::visual);
    rig->toggleEmphasis(both);
    EXPECT_EQ(flags(&Word::emphasized), (std::vector<bool>{false, false}));

    out = observe(rig, [&] { rig->toggleDelete(both); });
    EXPECT_EQ(flags(&Word::deleted), (std::vector<bool>{true, true}));
    EXPECT_EQ(out.refresh, Refresh::timeline);

    out = observe(rig, [&] { rig->toggleBreak(rig->transcript()[2].id); });
    EXPECT_TRUE(rig->transcript()[2].breakAfter);
    EXPECT_EQ(out.undoSteps, 1);
    EXPECT_EQ(out.refresh, Refresh::visual);
}

TEST_F(EditorWords, RemovingFillersCutsEveryUncutFillerAndRestoresNothing)
{
    Project project = projectOf({"Um,", "so", "uh", "UH...", "like"});
    project.words[2].deleted = true;
    EditorRig rig(project);
    const Outcome out = observe(rig, [&] { rig->removeFillers(); });
    std::vector<bool> cut;
    for (const Word& w : rig->transcript()) cut.push_back(w.deleted);
    EXPECT_EQ(cut, (std::vector<bool>{true, false, true, true, false}));
    EXPECT_EQ(out.undoSteps, 1);
    EXPECT_EQ(out.refresh, Refresh::timeline);
    EXPECT_EQ(rig->fillerCount(), 0);
}

// A command that changes nothing must not record an undo step: that would
// wipe the redo history for nothing.
TEST_F(EditorWords, CommandsThatChangeNothingKeepTheRedoHistory)
{
    Project project = projectOf({"Hi", "there.", "How", "are", "you?"});
    EditorRig rig(project);
    const Uuid first = rig->transcript()[0].id;
    CaptionStyle newLook = project.style;
    newLook.id = "another";
    const std::vector<std::pair<const char*, std::function<void()>>> commands{
        {"toggleDelete of unknown ids", [&] { rig->toggleDelete({Uuid::random()}); }},
        {"toggleEmphasis of no ids", [&] { rig->toggleEmphasis({}); }},
        {"toggleBreak of an unknown id", [&] { rig->toggleBreak(Uuid::random()); }},
        {"removeFillers without fillers", [&] { rig->removeFillers(); }},
        {"restoreAll without cut words", [&] { rig->restoreAll(); }},
        {"setText with the same text", [&] { rig->setText(first, " Hi "); }},
        {"applyTextEdit of the text as it is", [&] { rig->applyTextEdit(rig->editableText()); }},
        {"setLineText with the line's text", [&] { rig->setLineText(0, "Hi there."); }},
        {"setLineText of an unknown line", [&] { rig->setLineText(99, "x"); }},
        {"applyStyle to no words", [&] { rig->applyStyle(std::nullopt, {}); }},
        {"applyStyle of a new look to unknown words", [&] { rig->applyStyle(newLook, {Uuid::random()}); }},
        {"applyStyle of the base look to words on it", [&] { rig->applyStyle(std::nullopt, {first}); }},
        {"updateLook of unknown words", [&] { rig->updateLook({Uuid::random()}, true, WordLookEdits::larger); }},
        {"updateLook that leaves the look", [&] { rig->updateLook({first}, true, WordLookEdits::clearColor); }},
    };
    rig->toggleEmphasis({first});
    rig->undo();
    ASSERT_TRUE(rig->canRedo());
    const auto words = rig->transcript();
    for (const auto& [name, command] : commands) {
        const Outcome out = observe(rig, command);
        EXPECT_EQ(out.undoSteps, 0) << name;
        EXPECT_EQ(out.refresh, Refresh::none) << name;
        EXPECT_TRUE(rig->canRedo()) << name;
        EXPECT_EQ(rig->transcript(), words) << name;
        EXPECT_FALSE(out.projectWritten) << name;
    }
}

TEST_F(EditorWords, TheActiveWordIsTheLastToStartByThen)
{
    EditorRig rig(sampleProject(3));  // words at 0.5, 1.0 and 1.5 s, 0.4 s long
    const auto& index = rig->outputIndex();
    ASSERT_EQ(index.size(), 3u);
    EXPECT_FALSE(rig->wordID(index[0].start - 0.001));
    EXPECT_EQ(rig->wordID(index[1].start), index[1].id);
    EXPECT_EQ(rig->wordID((index[1].end + index[2].start) / 2), index[1].id) << "in a pause the word before stays";
    EXPECT_EQ(rig->wordID(1000), index[2].id);

    ASSERT_TRUE(rig.player->report);
    rig.player->report(index[1].start + 0.01, 1);
    EXPECT_EQ(rig->activeWordID(), index[1].id) << "the player's time reports move the active word";
}

TEST_F(EditorWords, AnchorsAreTheFirstAndLastUncutWordsOverlappingTheRange)
{
    std::vector<Word> words = evenWords(6);  // [0.5, 0.9], [1.0, 1.4], ... [3.0, 3.4]
    words[1].deleted = true;
    struct Case {
        double from, to;
        std::optional<std::pair<int, int>> expected;
    };
    const std::vector<Case> cases{
        {0.0, 10.0, std::pair{0, 5}},
        {0.89, 2.01, std::pair{2, 2}},  // word 0 overlaps by 0.01 only, 1 is cut, 3 starts 0.01 before the end
        {0.87, 2.03, std::pair{0, 3}},
        {1.0, 1.4, std::nullopt},       // only the cut word
        {3.5, 4.0, std::nullopt},
    };
    for (const Case& c : cases) {
        const auto found = EditorModel::anchors(words, c.from, c.to);
        ASSERT_EQ(found.has_value(), c.expected.has_value()) << c.from;
        if (found) {
            EXPECT_EQ(found->first, words[static_cast<std::size_t>(c.expected->first)].id) << c.from;
            EXPECT_EQ(found->second, words[static_cast<std::size_t>(c.expected->second)].id) << c.from;
        }
    }
}

TEST_F(EditorWords, ResettingTheEditingStateForgetsHistorySelectionAndTheOpenEdit)
{
    EditorRig rig(sampleProject(3));
    const Uuid w = rig->transcript()[1].id;
    rig->toggleEmphasis({w});
    rig->toggleEmphasis({w});
    rig->undo();
    rig->beginEdit(w);
    rig->resetTranscriptEditing();
    EXPECT_FALSE(rig->canUndo());
    EXPECT_FALSE(rig->canRedo());
    EXPECT_TRUE(rig->selection().empty());
    EXPECT_FALSE(rig->editingWordID());
}

}  // namespace
}  // namespace vt
