#include "EditorUiRig.h"

#include "ui/editor/TranscriptDock.h"
#include "ui/editor/WordList.h"

#include <QAction>
#include <QMenu>

#include <gtest/gtest.h>

using namespace vt;

TEST(WordList, MenuPutsBRollOverTheWordOrTheSelection)
{
    test::EditorUiRig r;
    ui::TranscriptDock dock{r.editor(), nullptr};
    ui::WordList& list = *dock.wordList();
    std::optional<std::string> answer;
    int asked = 0;
    list.setFileChooser([&](const std::string&, const std::vector<std::string>& patterns) {
        ++asked;
        EXPECT_FALSE(patterns.empty());
        return answer;
    });
    r.editor().setSelection({r.word(1).id, r.word(2).id});
    // Picks the B-roll row of word `i`'s menu, checking its label.
    const auto addOver = [&](std::size_t i, const QString& label) {
        QMenu* menu = list.contextMenu(i);
        QAction* found = nullptr;
        for (QAction* a : menu->actions())
            if (a->text().startsWith("Add B-roll")) found = a;
        ASSERT_TRUE(found);
        EXPECT_EQ(found->text(), label);
        found->trigger();
        delete menu;
    };

    addOver(5, QString("Add B-roll Over This Word…"));  // cancelled: nothing
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(r.editor().brollWordIDs().empty());

    answer = "/nowhere/shot.png";
    addOver(2, QString("Add B-roll Over Selection…"));
    EXPECT_EQ(r.editor().brollWordIDs(), (std::set<Uuid>{r.word(1).id, r.word(2).id}));
    addOver(5, QString("Add B-roll Over This Word…"));
    EXPECT_TRUE(r.editor().brollWordIDs().contains(r.word(5).id));
    EXPECT_FALSE(r.editor().brollWordIDs().contains(r.word(4).id));
}
