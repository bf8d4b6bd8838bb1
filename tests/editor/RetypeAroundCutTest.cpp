// Retyping words around a word the user cut keeps that word's audio cut.

#include "CommandProbe.h"

#include "editor/WordTokens.h"

#include <functional>

namespace vt {
namespace {

using namespace vt::test;

class RetypeAroundCut : public EditorTest {};

TEST_F(RetypeAroundCut, RetypedWordsLeaveTheCutWordOutOfThePlay)
{
    struct Case {
        const char* name;
        std::function<void(EditorModel&)> retype;
        std::string reads;
    };
    const std::vector<Case> cases{
        {"a line retyped as fewer words", [](EditorModel& m) { m.setLineText(0, "won"); }, "won three"},
        {"a line retyped as more words", [](EditorModel& m) { m.setLineText(0, "one two more"); }, "one two more three"},
        {"a run of the text retyped over the cut word", [](EditorModel& m) { m.applyTextEdit("uno dos three"); },
         "uno dos three"},
        {"a run of the text retyped as one word", [](EditorModel& m) { m.applyTextEdit("won three"); }, "won three"},
        {"a word typed between the words around the cut word", [](EditorModel& m) { m.applyTextEdit("one so two three"); },
         "one so two three"},
    };
    for (const Case& c : cases) {
        Project project = projectOf({"one", "um", "two", "three"});  // um runs 2.0-3.0 s
        project.words[1].deleted = true;
        project.words[2].breakAfter = true;  // the first line is "one two"
        EditorRig rig(project);
        ASSERT_EQ(rig->groups()[0].words.size(), 2u) << c.name;
        const Word um = rig->transcript()[1];

        c.retype(*rig.model);

        EXPECT_EQ(WordTokens::split(rig->editableText()), WordTokens::split(c.reads)) << c.name;
        const auto& words = rig->transcript();
        const auto cut = std::find_if(words.begin(), words.end(), [&](const Word& w) { return w.id == um.id; });
        ASSERT_NE(cut, words.end()) << c.name;
        EXPECT_TRUE(cut->deleted) << c.name;
        // The plan keeps a small margin round each cut, so only the inside counts.
        for (const EditPlan::Segment& s : rig->plan().segments)
            EXPECT_FALSE(s.sourceStart < um.end - 0.1 && s.sourceEnd > um.start + 0.1)
                << c.name << ": keeps " << s.sourceStart << "-" << s.sourceEnd;
        EXPECT_TRUE(std::is_sorted(words.begin(), words.end(), [](const Word& a, const Word& b) { return a.start < b.start; }))
            << c.name;
    }
}

TEST_F(RetypeAroundCut, WordsTypedBeforeTheFirstOrAfterTheLastKeptWordStayOffCutWords)
{
    Project project = projectOf({"um", "one", "er"});  // um 1-2 s, one 2-3 s, er 3-4 s
    project.words[0].deleted = true;
    project.words[2].deleted = true;
    EditorRig rig(project);

    rig->applyTextEdit("so one more");

    EXPECT_EQ(WordTokens::split(rig->editableText()), WordTokens::split("so one more"));
    for (const Word& w : rig->transcript()) {
        if (w.deleted) continue;
        for (const Word& cut : {project.words[0], project.words[2]})
            EXPECT_FALSE(w.start < cut.end && w.end > cut.start) << w.text << " covers " << cut.text;
    }
}

}  // namespace
}  // namespace vt
