// The inspector shows the feature panels on their tabs.

#include "ui/inspector/InspectorPanel.h"

#include "PanelRig.h"
#include "export/ExportAction.h"
#include "export/FakeExportHost.h"
#include "export/SettingsSandbox.h"
#include "ui/inspector/BRollView.h"
#include "ui/inspector/HookView.h"
#include "ui/inspector/MotionSection.h"
#include "ui/inspector/ThumbnailView.h"

#include <gtest/gtest.h>

using namespace vt;
using namespace vt::ui;

TEST(FeatureTabs, EachTabShowsItsPanel)
{
    test::SettingsSandbox settings;
    test::PanelRig rig;
    test::FakeExportHost host;
    ExportAction action(host);
    InspectorPanel inspector(*rig, action);
    const auto showing = [&](InspectorTab tab) {
        rig->setInspectorTab(tab);
        return inspector.body();
    };
    EXPECT_TRUE(qobject_cast<BRollView*>(showing(InspectorTab::broll)));
    EXPECT_TRUE(qobject_cast<HookView*>(showing(InspectorTab::hook)));
    EXPECT_TRUE(qobject_cast<ThumbnailView*>(showing(InspectorTab::thumbnail)));
    EXPECT_TRUE(showing(InspectorTab::effects)->findChild<MotionSection*>());
}

TEST(FeatureTabs, TheHookTabOpensOnceWhenItsMatchCutSelectsItself)
{
    test::SettingsSandbox settings;
    test::PanelRig rig;
    MatchCut cut;
    cut.word = "money";
    cut.duration = 2;
    cut.cutsPerSecond = 7;
    rig->addMatchCut(cut, 1);
    rig->setTimelineSelection(std::nullopt);
    rig->setInspectorTab(InspectorTab::hook);
    test::FakeExportHost host;
    ExportAction action(host);
    InspectorPanel inspector(*rig, action);
    test::settle();
    EXPECT_TRUE(rig->selectedMatchCut());
    EXPECT_EQ(inspector.findChildren<HookView*>().size(), 1u);
}
