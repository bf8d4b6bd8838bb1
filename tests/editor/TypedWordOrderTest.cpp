// Words typed into the transcript text stay in the order they were typed,
// however little room their place leaves them.

#include "CommandProbe.h"

#include "editor/WordTokens.h"

namespace vt {
namespace {

using namespace vt::test;

class TypedWordOrder : public EditorTest {};

TEST_F(TypedWordOrder, TypedWordsComeBackInTheTypedOrder)
{
    struct Case {
        const char* name;
        std::vector<Word> words;
        std::string edit;
    };
    const std::vector<Case> cases{
        {"two words typed between words that touch",
         {word("one", 1.0, 2.0), word("two", 2.0, 3.0)}, "one a b two"},
        {"a short word retyped as three before a word that follows at once",
         {word("hi", 1.0, 1.1), word("there", 1.1, 2.0)}, "ab cd ef there"},
        {"two words typed before a first word that starts early",
         {word("hi", 0.1, 0.5), word("there", 0.5, 1.0)}, "so um hi there"},
        {"words typed where the earlier word runs into the next",
         {word("one", 1.0, 2.1), word("two", 2.0, 3.0)}, "one a b two"},
    };
    for (const Case& c : cases) {
        Project project = sampleProject(0);
        project.words = c.words;
        EditorRig rig(project);
        rig->applyTextEdit(c.edit);
        EXPECT_EQ(WordTokens::split(rig->editableText()), WordTokens::split(c.edit)) << c.name;
        EXPECT_TRUE(std::is_sorted(rig->transcript().begin(), rig->transcript().end(),
                                   [](const Word& a, const Word& b) { return a.start < b.start; }))
            << c.name;
        for (const Word& w : rig->transcript()) EXPECT_LE(w.start, w.end) << c.name << ": " << w.text;
    }
}

}  // namespace
}  // namespace vt
