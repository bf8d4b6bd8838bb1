#include "ui/inspector/HookView.h"

#include "PanelRig.h"
#include "ui/inspector/InlineButton.h"
#include "ui/inspector/RowNote.h"
#include "ui/inspector/SwitchRow.h"
#include "ui/inspector/ValueRow.h"
#include "ui/inspector/NumberField.h"
#include "text/HookGenerator.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace vt;
using namespace vt::ui;

namespace {

bool shown(QWidget* w) { return w && !w->isHidden(); }

// The texts of the rows' "Use" buttons and "Using" labels, in order.
QStringList marks(QVBoxLayout* list)
{
    QStringList out;
    for (auto* w : list->parentWidget()->findChildren<QWidget*>()) {
        if (w->isHidden() || w->parentWidget()->isHidden()) continue;
        if (auto* b = qobject_cast<InlineButton*>(w)) out << b->text();
        else if (auto* l = qobject_cast<QLabel*>(w); l && l->text().contains("Using")) out << "Using";
    }
    return out;
}

}  // namespace

TEST(HookPanel, TheOverlayStartsFromItsDefaultsEveryTimeItIsSwitchedOn)
{
    for (bool withHooks : {false, true}) {
        test::PanelRig rig([&](Project& p) {
            if (withHooks) p.hooks = {"Money moves fast", "Keep it close"};
        });
        HookView panel(*rig);
        const auto& p = panel.parts();
        EXPECT_FALSE(shown(p.overlayRows));
        EXPECT_EQ(shown(p.noHooks), !withHooks);
        p.showHook->toggle()->click();
        ASSERT_TRUE(rig->project().hookOverlay);
        EXPECT_EQ(rig->project().hookOverlay->text, withHooks ? "Money moves fast" : "Watch this");
        EXPECT_EQ(rig->project().hookOverlay->duration, 3.0);
        EXPECT_TRUE(shown(p.overlayRows));
        p.onScreen->slider()->setValue(700);  // 4.65 s on a continuous slider
        EXPECT_EQ(rig->project().hookOverlay->duration, 4.5);
        test::typeNumber(p.onScreen->field(), "5.5");
        EXPECT_EQ(rig->project().hookOverlay->duration, 5.5);
        p.showHook->toggle()->click();
        EXPECT_FALSE(rig->project().hookOverlay);
        p.showHook->toggle()->click();
        EXPECT_EQ(rig->project().hookOverlay->duration, 3.0);  // not the discarded 5.5
        EXPECT_FALSE(rig->canUndo());
    }
}

TEST(HookPanel, TextAndDurationEditsKeepEachOtherAndUseMarksTheLineInUse)
{
    test::PanelRig rig([](Project& p) {
        p.hooks = {"Money moves fast", "Keep it close"};
        p.aiHooks = {"Keep it close"};
    });
    HookView panel(*rig);
    const auto& p = panel.parts();
    test::settle();
    EXPECT_EQ(marks(p.fromWords), (QStringList{"Use", "Use"}));

    // "Use" without an overlay turns it on for 3.0 s and sets the thumbnail text.
    for (auto* b : p.fromWords->parentWidget()->findChildren<InlineButton*>()) {
        b->click();  // the first row: "Money moves fast"
        break;
    }
    ASSERT_TRUE(rig->project().hookOverlay);
    EXPECT_EQ(rig->project().hookOverlay->text, "Money moves fast");
    EXPECT_EQ(rig->project().hookOverlay->duration, 3.0);
    EXPECT_EQ(rig->thumbText(), "Money moves fast");

    rig->updateProject([](Project& project) { project.hookOverlay->duration = 4.5; });
    test::settle();
    // Using the other line keeps the duration; it shows as in use in both lists.
    for (auto* b : p.rewrites->parentWidget()->findChildren<InlineButton*>())
        if (!b->isHidden()) b->click();
    EXPECT_EQ(rig->project().hookOverlay->text, "Keep it close");
    EXPECT_EQ(rig->project().hookOverlay->duration, 4.5);
    test::settle();
    EXPECT_EQ(marks(p.fromWords), (QStringList{"Use", "Using"}));
    EXPECT_EQ(marks(p.rewrites), (QStringList{"Using"}));
    EXPECT_EQ(p.hookText->toPlainText(), QString("Keep it close"));

    // Typing keeps the shown duration; no line matches any more.
    p.hookText->setPlainText("Keep it closer");
    EXPECT_EQ(rig->project().hookOverlay->text, "Keep it closer");
    EXPECT_EQ(rig->project().hookOverlay->duration, 4.5);
    test::settle();
    EXPECT_EQ(marks(p.fromWords), (QStringList{"Use", "Use"}));
    EXPECT_FALSE(rig->canUndo());

    // No on-device model here: the note says so, and writing fails with the
    // reason in red while the earlier rewrites stay.
    EXPECT_EQ(p.write->text(), QString("✨ Write New Hooks"));
    EXPECT_EQ(p.aiStatus->text().toStdString(), HookGenerator::aiStatus().message);
    EXPECT_FALSE(shown(p.aiError));
    p.write->click();
    ASSERT_TRUE(test::waitFor([&] { return !rig->aiBusy(); }));
    EXPECT_TRUE(shown(p.aiError));
    EXPECT_EQ(p.aiError->text().toStdString(), std::string(HookGenerator::Unavailable().what()));
    EXPECT_EQ(rig->project().aiHooks, std::vector<std::string>{"Keep it close"});
}

namespace {

TEST(HookPanel, WhileTheModelThinksTheRowShowsAndWritingWaits)
{
    test::PanelRig rig;
    HookView view(*rig);
    const auto& p = view.parts();
    ASSERT_TRUE(p.thinking);
    EXPECT_FALSE(shown(p.thinking));
    p.write->click();
    ASSERT_TRUE(rig->aiBusy());
    EXPECT_TRUE(shown(p.thinking));
    EXPECT_FALSE(p.write->isEnabled());
    EXPECT_FALSE(shown(p.aiError)) << "a new attempt clears the old reason";
    ASSERT_TRUE(test::waitFor([&] { return !rig->aiBusy(); }));
    EXPECT_FALSE(shown(p.thinking));
    EXPECT_TRUE(p.write->isEnabled());
    EXPECT_EQ(p.aiError->text().toStdString(), *rig->aiError());
}

}  // namespace
