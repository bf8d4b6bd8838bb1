// The transcript as one editable text, retyping caption lines, and the
// frames of the shown caption's words.

#include "CommandProbe.h"

namespace vt {
namespace {

using namespace vt::test;

class EditorText : public EditorTest {};

TEST_F(EditorText, EditableTextPutsEachSentenceOnALineOfItsOwn)
{
    Project project = projectOf({"Hi", "there.", "How", "are", "you?"});
    EditorRig rig(project);
    EXPECT_EQ(rig->editableText(), "Hi there.\nHow are you?\n");
    rig->toggleDelete({rig->transcript()[1].id});
    EXPECT_EQ(rig->editableText(), "Hi How are you?\n");
}

TEST_F(EditorText, ApplyingTheTextUnchangedChangesNothingButTrimsStoredSpaces)
{
    Project project = projectOf({"Hi", "there.", "How"});
    EditorRig rig(project);
    EXPECT_EQ(observe(rig, [&] { rig->applyTextEdit(rig->editableText()); }).undoSteps, 0);

    Project spaced = projectOf({"Hi", " there ", "How"});
    EditorRig trimmed(spaced);
    const auto before = trimmed->transcript();
    const Outcome out = observe(trimmed, [&] { trimmed->applyTextEdit(trimmed->editableText()); });
    EXPECT_EQ(out.undoSteps, 1);
    EXPECT_EQ(trimmed->transcript()[1].text, "there");
    EXPECT_EQ(trimmed->transcript()[1].id, before[1].id);
    EXPECT_EQ(trimmed->transcript()[1].start, before[1].start);
}

TEST_F(EditorText, ACaseOrPunctuationChangeKeepsTheWordWhole)
{
    Project project = projectOf({"hello", "world"});
    project.words[1].look = WordLook{1.5, std::nullopt, 0, 0};
    project.words[1].styleID = "own";
    EditorRig rig(project);
    const auto before = rig->transcript();
    const Outcome out = observe(rig, [&] { rig->applyTextEdit("hello, World!"); });
    EXPECT_EQ(out.undoSteps, 1);
    EXPECT_EQ(out.refresh, Refresh::timeline);
    auto expected = before;
    expected[0].text = "hello,";
    expected[1].text = "World!";
    EXPECT_EQ(rig->transcript(), expected);
    EXPECT_EQ(rig->editableText(), "hello, World!\n");
}

TEST_F(EditorText, AnEditedTextComesBackAsTyped)
{
    EditorRig rig(projectOf({"so", "um", "this", "is", "it"}));
    const std::string typed = "So this is\tit. And\nmore words!\n";
    rig->applyTextEdit(typed);
    EXPECT_EQ(rig->editableText(), "So this is it.\nAnd more words!\n");
    EXPECT_EQ(observe(rig, [&] { rig->applyTextEdit(rig->editableText()); }).undoSteps, 0);
}

TEST_F(EditorText, ADeletedWordIsCutAndRetypingItAddsANewWord)
{
    Project project = projectOf({"one", "two", "three"});
    EditorRig rig(project);
    const Word two = rig->transcript()[1];
    rig->applyTextEdit("one three");
    ASSERT_EQ(rig->transcript().size(), 3u);
    EXPECT_TRUE(rig->transcript()[1].deleted);
    EXPECT_EQ(rig->transcript()[1].id, two.id);

    rig->applyTextEdit("one two three");
    const auto& words = rig->transcript();
    ASSERT_EQ(words.size(), 4u);
    const auto typed = std::find_if(words.begin(), words.end(), [](const Word& w) { return w.text == "two" && !w.deleted; });
    ASSERT_NE(typed, words.end());
    EXPECT_NE(typed->id, two.id) << "a new word, not the cut one restored";
    // The cut two fills the gap between one and three: the typed word takes
    // none of its time (that would play the cut audio again) and sits at three.
    EXPECT_DOUBLE_EQ(typed->start, 3.0);
    EXPECT_DOUBLE_EQ(typed->end, 3.0);
}

// Where typed words land and which identity they take.
TEST_F(EditorText, TypedWordsShareTheTimeOfWhatTheyReplaceOrTheGapTheyFill)
{
    struct Case {
        const char* name;
        std::vector<std::string> words;  // one second each from 1.0 s
        double firstEnd;                 // end of the first word (shortens it)
        std::string edit;
        std::vector<std::string> texts;  // the uncut words after the edit
        std::vector<double> starts, ends;
        int keepsIdOf;  // the first new word takes this old word's id; -1 for a fresh one
    };
    const std::vector<Case> cases{
        {"replacing by three tokens of 2, 4 and 2 characters", {"word", "next"}, 2.0, "ab abcd ab next",
         {"ab", "abcd", "ab", "next"}, {1.0, 1.25, 1.75, 2.0}, {1.25, 1.75, 2.0, 3.0}, 0},
        {"replacing a short word is widened to 0.12 s a word", {"word", "next"}, 1.1, "ab cd ef next",
         {"ab", "cd", "ef", "next"}, {1.0, 1.12, 1.24, 2.0}, {1.12, 1.24, 1.36, 3.0}, 0},
        {"typing after the last word", {"one", "ten"}, 2.0, "one ten and yes",
         {"one", "ten", "and", "yes"}, {1.0, 2.0, 3.0, 3.3}, {2.0, 3.0, 3.3, 3.6}, -1},
        {"typing before the first word", {"one"}, 2.0, "so one", {"so", "one"}, {0.0, 1.0}, {1.0, 2.0}, -1},
    };
    for (const Case& c : cases) {
        Project project = projectOf(c.words);
        project.words[0].end = c.firstEnd;
        project.words[0].emphasized = true;
        EditorRig rig(project);
        const auto before = rig->transcript();
        rig->applyTextEdit(c.edit);
        std::vector<Word> uncut;
        for (const Word& w : rig->transcript())
            if (!w.deleted) uncut.push_back(w);
        ASSERT_EQ(textsOf(uncut), c.texts) << c.name;
        for (std::size_t k = 0; k < uncut.size(); ++k) {
            EXPECT_NEAR(uncut[k].start, c.starts[k], 1e-9) << c.name << " " << k;
            EXPECT_NEAR(uncut[k].end, c.ends[k], 1e-9) << c.name << " " << k;
        }
        if (c.keepsIdOf >= 0) {
            EXPECT_EQ(uncut[0].id, before[static_cast<std::size_t>(c.keepsIdOf)].id) << c.name;
            EXPECT_TRUE(uncut[0].emphasized) << c.name;
            EXPECT_FALSE(uncut[1].emphasized) << c.name;
        }
        std::set<Uuid> ids;
        for (const Word& w : rig->transcript()) ids.insert(w.id);
        EXPECT_EQ(ids.size(), rig->transcript().size()) << c.name << ": ids stay unique";
        EXPECT_TRUE(std::is_sorted(rig->transcript().begin(), rig->transcript().end(),
                                   [](const Word& a, const Word& b) { return a.start < b.start; }))
            << c.name;
    }
}

TEST_F(EditorText, ABlankTextCutsEveryWordAndUndoBringsThemBack)
{
    Project project = projectOf({"one", "two"});
    project.words[1].deleted = true;
    EditorRig rig(project);
    const auto before = rig->transcript();
    rig->applyTextEdit(" \n ");
    EXPECT_EQ(rig->cutCount(), 2);
    rig->undo();
    EXPECT_EQ(rig->transcript(), before);
}

// Each word ends its caption line, so line k is word k.
Project oneWordLines(const std::vector<std::string>& texts)
{
    Project p = projectOf(texts);
    for (Word& w : p.words) w.breakAfter = true;
    return p;
}

TEST_F(EditorText, RetypingACaptionLine)
{
    Project project = projectOf({"one", "two", "three", "four"});
    project.words[1].breakAfter = true;  // lines: "one two" | "three four"
    project.words[0].native = "वन";
    EditorRig rig(project);
    ASSERT_GE(rig->groups().size(), 2u);
    ASSERT_EQ(rig->groups()[0].words.size(), 2u);
    const auto before = rig->transcript();

    Outcome out = observe(rig, [&] { rig->setLineText(0, "One, too"); });
    EXPECT_EQ(out.refresh, Refresh::visual);
    EXPECT_EQ(out.undoSteps, 1);
    auto expected = before;
    expected[0].text = "One,";
    expected[0].native.reset();
    expected[1].text = "too";
    EXPECT_EQ(rig->transcript(), expected);

    out = observe(rig, [&] { rig->setLineText(0, "one two more"); });
    EXPECT_EQ(out.refresh, Refresh::timeline);
    const auto& words = rig->transcript();
    ASSERT_EQ(textsOf(words), (std::vector<std::string>{"one", "two", "more", "three", "four"}));
    EXPECT_EQ(words[0].id, before[0].id);
    EXPECT_EQ(words[1].id, before[1].id);
    EXPECT_FALSE(words[1].breakAfter);
    EXPECT_TRUE(words[2].breakAfter) << "the new last word takes the line's break";
    EXPECT_TRUE(std::none_of(before.begin(), before.end(), [&](const Word& w) { return w.id == words[2].id; }));
    EXPECT_DOUBLE_EQ(words[0].start, 1.0);
    EXPECT_DOUBLE_EQ(words[2].end, 3.0) << "the line keeps its span";

    rig->setLineText(0, "");
    EXPECT_EQ(rig->cutCount(), 3);
}

TEST_F(EditorText, ALineRetypedAroundACutWordKeepsItInTimeOrder)
{
    Project project = projectOf({"one", "um", "two", "three"});
    project.words[1].deleted = true;
    project.words[2].breakAfter = true;
    EditorRig rig(project);
    ASSERT_EQ(rig->groups()[0].words.size(), 2u);
    rig->setLineText(0, "won");
    const auto& words = rig->transcript();
    ASSERT_EQ(textsOf(words), (std::vector<std::string>{"won", "um", "two", "three"}));
    EXPECT_TRUE(words[1].deleted);
    EXPECT_DOUBLE_EQ(words[0].end, 2.0) << "the word stays before the cut word";
    EXPECT_TRUE(words[2].deleted) << "the stretch after the cut word keeps its word, cut";
}

TEST_F(EditorText, WordFramesAreThoseOfTheLineUnderThePlayhead)
{
    Project project = oneWordLines({"alpha", "beta"});
    EditorRig rig(project);
    ASSERT_EQ(rig->groups().size(), 2u);
    const CaptionGroup& line = rig->groups()[1];

    rig->setCurrentTime((line.start + line.end) / 2);
    const auto frames = rig->captionWordFrames();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].id, *line.words[0].id);
    EXPECT_GT(frames[0].rect.width(), 0);
    const Size size = renderSize(rig->project().aspect);
    EXPECT_TRUE(QRectF(0, 0, size.width, size.height).intersects(frames[0].rect));

    rig->setCurrentTime(line.end + 1);
    EXPECT_TRUE(rig->captionWordFrames().empty()) << "no line is shown";
    rig->setCurrentTime(line.start);
    rig->updateProject([](Project& p) { p.captionsVisible = false; });
    EXPECT_TRUE(rig->captionWordFrames().empty()) << "captions hidden";
}

}  // namespace
}  // namespace vt
