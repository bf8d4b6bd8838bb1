#include "ui/inspector/PostPackage.h"

#include "PostPanelRig.h"
#include "ui/inspector/ExportView.h"
#include "ui/inspector/FlowLayout.h"
#include "ui/inspector/InlineButton.h"
#include "ui/inspector/RowNote.h"
#include "ui/theme/TextFitting.h"
#include "support/Waits.h"

#include <QLabel>
#include <QProgressBar>
#include <QPropertyAnimation>

#include <gtest/gtest.h>

using namespace vt;
using namespace vt::ui;

namespace {

bool shown(const QWidget* w) { return !w->isHidden(); }

QStringList chipTexts(const PostPackage& list)
{
    QStringList texts;
    for (auto* l : list.parts().chipLabels) texts << l->text();
    return texts;
}

ChecklistRow* templateRow(const PostPackage& list, ThumbnailTemplate design)
{
    for (const auto& [d, row] : list.parts().templateRows)
        if (d == design) return row;
    return nullptr;
}

// Lets the bar's animation end.
int settledBar(const PostPackage& list)
{
    EXPECT_TRUE(test::waitFor([&] { return list.parts().barMotion->state() != QAbstractAnimation::Running; }));
    return list.parts().bar->value();
}

}  // namespace

TEST(PostPackage, OpenTasksAndRemovingTheFillersInOneStep)
{
    test::PostPanelRig rig;
    PostPackage list(*rig, *rig.action);
    const auto& p = list.parts();
    ASSERT_EQ(rig->fillerCount(), 3);
    EXPECT_EQ(p.status->text(), QString("0 of 3 done"));
    EXPECT_EQ(p.toDo->text(), QString("To do: hook, fillers, thumbnail"));
    EXPECT_TRUE(shown(p.toDo));
    EXPECT_EQ(settledBar(list), 0);
    EXPECT_TRUE(shown(p.removeFillers));
    EXPECT_FALSE(shown(p.synced));
    EXPECT_EQ(p.removeFillers->text(), QString("Remove 3 Fillers"));
    EXPECT_EQ(p.cleanupSubtitle->text(), QString::fromUtf8("0 cut · 3 fillers left · −0s"));
    EXPECT_EQ(chipTexts(list), QStringList({"So", "um", "today", "I", "want", "to", "show"}));

    const auto depth = rig->undoDepth();
    QTest::mouseClick(p.removeFillers, Qt::LeftButton);
    EXPECT_EQ(rig->undoDepth(), depth + 1);
    std::vector<std::string> cut;
    for (const Word& w : rig->transcript())
        if (w.deleted) cut.push_back(w.text);
    EXPECT_EQ(cut, (std::vector<std::string>{"um", "uh", "Hmm"}));
    EXPECT_FALSE(shown(p.removeFillers));
    EXPECT_TRUE(shown(p.synced));
    EXPECT_EQ(p.status->text(), QString("1 of 3 done"));
    EXPECT_EQ(p.toDo->text(), QString("To do: hook, thumbnail"));
    EXPECT_TRUE(p.cleanupSubtitle->text().startsWith(QString::fromUtf8("3 cut · 0 fillers left · −")));
    EXPECT_EQ(chipTexts(list), QStringList({"So", "um", "today", "I", "want", "to", "show"}));
    EXPECT_TRUE(p.chipLabels[1]->font().strikeOut());
    EXPECT_FALSE(p.chipLabels[0]->font().strikeOut());
    rig->undo();
    EXPECT_EQ(rig->fillerCount(), 3) << "one undo brings every filler back";
    EXPECT_EQ(p.removeFillers->text(), QString("Remove 3 Fillers"));
}

TEST(PostPackage, HookLinesPickTheHookOnScreen)
{
    test::PostPanelRig rig([](Project& p) {
        p.aiHooks = {"AI one", "Shared"};
        p.hooks = {"Shared", "Rules one", "Rules two"};
    });
    PostPackage list(*rig, *rig.action);
    const auto& p = list.parts();
    EXPECT_EQ(p.hookSubtitle->text(), QString("Transcript + on-device model"));
    EXPECT_FALSE(shown(p.noHooks));
    ASSERT_EQ(p.hookRows.size(), 3u);
    EXPECT_EQ(static_cast<QLabel*>(p.hookRows[2]->content())->text(), QString::fromUtf8("“Rules one”"));
    for (auto* row : p.hookRows) EXPECT_FALSE(row->isChosen());

    QTest::mouseClick(p.hookRows[1], Qt::LeftButton);
    ASSERT_TRUE(rig->project().hookOverlay);
    EXPECT_EQ(rig->project().hookOverlay->text, "Shared");
    EXPECT_EQ(rig->project().hookOverlay->duration, 3.0);
    EXPECT_EQ(rig->thumbText(), "Shared");
    EXPECT_TRUE(p.hookRows[1]->isChosen());
    EXPECT_FALSE(p.hookRows[0]->isChosen());
    EXPECT_EQ(p.hookRows[1]->accessibleDescription(), QString("selected"));
    EXPECT_EQ(p.toDo->text(), QString("To do: fillers, thumbnail"));

    // A hook of the user's own is the one on screen: it is listed first,
    // chosen, and the hook counts as done.
    rig->setHookOverlay(HookOverlay{"Shared!", 4.5});
    ASSERT_EQ(p.hookRows.size(), 4u);
    EXPECT_EQ(static_cast<QLabel*>(p.hookRows[0]->content())->text(), QString::fromUtf8("“Shared!”"));
    EXPECT_TRUE(p.hookRows[0]->isChosen());
    for (std::size_t i = 1; i < p.hookRows.size(); ++i) EXPECT_FALSE(p.hookRows[i]->isChosen());
    EXPECT_EQ(p.toDo->text(), QString("To do: fillers, thumbnail"));
    QTest::mouseClick(p.hookRows[1], Qt::LeftButton);
    EXPECT_EQ(rig->project().hookOverlay->text, "AI one");
    EXPECT_EQ(rig->project().hookOverlay->duration, 4.5) << "the overlay keeps its length";
    EXPECT_EQ(p.hookRows.size(), 3u) << "a chosen line is listed once";

    test::PostPanelRig quiet([](Project& p) {
        p.words.clear();
        p.hooks.clear();
    });
    PostPackage empty(*quiet, *quiet.action);
    EXPECT_TRUE(shown(empty.parts().noHooks));
    EXPECT_TRUE(empty.parts().hookRows.empty());
    EXPECT_EQ(empty.parts().hookSubtitle->text(), QString("From your transcript"));
    EXPECT_TRUE(empty.parts().chipLabels.empty());
}

TEST(PostPackage, SnippetIsTheSevenWordsAroundTheFirstCutOrFiller)
{
    auto words = [](int n, int deletedAt, int fillerAt) {
        std::vector<Word> w;
        for (int i = 0; i < n; ++i) {
            w.push_back(test::word(i == fillerAt ? "Um," : "w" + std::to_string(i), i, i + 0.5));
            w.back().deleted = i == deletedAt;
        }
        return w;
    };
    struct Case {
        int n, deletedAt, fillerAt;
        std::size_t from, to;
    };
    for (const Case& c : {Case{20, 10, -1, 7, 14}, Case{20, 1, -1, 0, 7}, Case{20, -1, -1, 0, 7},
                          Case{20, -1, 18, 15, 20}, Case{20, 12, 5, 2, 9}, Case{3, -1, -1, 0, 3}, Case{0, -1, -1, 0, 0}})
        EXPECT_EQ(PostPackage::snippet(words(c.n, c.deletedAt, c.fillerAt)), std::make_pair(c.from, c.to))
            << c.n << " " << c.deletedAt << " " << c.fillerAt;
}

TEST(PostPackage, ThumbnailLooksTurnOnTheFileAndFindFramesOnce)
{
    test::PostPanelRig rig([](Project& p) { p.hookOverlay = HookOverlay{"Stop scrolling", 3}; });
    PostPackage list(*rig, *rig.action);
    const auto& p = list.parts();
    EXPECT_EQ(p.templateDetails[0]->fullText(), QString("Best clean frame"));
    EXPECT_EQ(p.templateDetails[2]->fullText(), QString::fromUtf8("Hook card · “Stop scrolling”"));
    for (const auto& [design, row] : p.templateRows) EXPECT_FALSE(row->isChosen()) << "the thumbnail file is off";

    QTest::mouseClick(templateRow(list, ThumbnailTemplate::cinematic), Qt::LeftButton);
    EXPECT_EQ(rig->thumbTemplate(), ThumbnailTemplate::cinematic);
    EXPECT_TRUE(rig.action->alsoThumbnail());
    EXPECT_TRUE(templateRow(list, ThumbnailTemplate::cinematic)->isChosen());
    EXPECT_TRUE(rig->thumbBusy()) << "no frames yet: the search starts";
    ASSERT_TRUE(test::waitFor([&] { return !rig->thumbBusy(); }));
    ASSERT_FALSE(rig->thumbCandidates().empty());
    EXPECT_EQ(p.status->text(), QString("2 of 3 done"));
    EXPECT_EQ(rig->thumbText(), "Stop scrolling");

    int searches = 0;
    QObject::connect(rig.editor.get(), &EditorModel::thumbBusyChanged, [&] { ++searches; });
    QTest::mouseClick(templateRow(list, ThumbnailTemplate::frame), Qt::LeftButton);
    QTest::mouseClick(templateRow(list, ThumbnailTemplate::frame), Qt::LeftButton);
    EXPECT_EQ(searches, 0) << "frames are there: no new search";
    EXPECT_TRUE(rig.action->alsoThumbnail()) << "choosing again never turns the file off";
    EXPECT_TRUE(templateRow(list, ThumbnailTemplate::frame)->isChosen());
    EXPECT_FALSE(templateRow(list, ThumbnailTemplate::cinematic)->isChosen());
    rig->setThumbText("Big news");
    EXPECT_EQ(p.templateDetails[1]->fullText(), QString::fromUtf8("Bold text treatment · “Big news”"));

    rig->removeFillers();
    EXPECT_EQ(p.status->text(), QString("Ready"));
    EXPECT_FALSE(shown(p.toDo));
    EXPECT_EQ(settledBar(list), p.bar->maximum());
}

TEST(PostPackage, FollowsARunningExport)
{
    test::PostPanelRig rig;
    PostPackage list(*rig, *rig.action);
    const auto& p = list.parts();
    int exportingSeen = 0;
    QObject::connect(rig.action.get(), &ExportAction::stateChanged, [&] {
        if (rig.action->exportProgress()) {
            exportingSeen += p.status->text() == QString("Exporting") && !shown(p.toDo) &&
                             p.barMotion->endValue().toInt() ==
                                 static_cast<int>(std::lround(*rig.action->exportProgress() * p.bar->maximum()));
        }
    });
    rig.action->startExport(rig.dir.path() / "out.mp4");
    EXPECT_TRUE(rig.action->isExporting());
    EXPECT_EQ(p.status->text(), QString("Exporting"));
    ASSERT_TRUE(test::waitFor([&] { return !rig.action->isExporting(); }));
    EXPECT_GT(exportingSeen, 0);
    EXPECT_EQ(p.status->text(), QString("0 of 3 done")) << "the checklist's own state returns";
    EXPECT_TRUE(shown(p.toDo));
}

TEST(PostPackage, SitsAtTheFootOfTheExportTab)
{
    test::PostPanelRig rig;
    ExportView view(*rig, *rig.action);
    EXPECT_EQ(view.findChildren<PostPackage*>().size(), 1);
}
