// The Styles tab of the editor window opens the caption-writing sheet.
#include "EditorUiRig.h"

#include "ui/editor/EditorView.h"
#include "ui/editor/ScriptPicker.h"
#include "ui/inspector/StyleBrowserView.h"
#include "support/Waits.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace vt;
using namespace vt::ui;

namespace {

// The editor window on a Spanish video, showing the Styles tab.
struct StylesWindow {
    test::EditorUiRig r;
    EditorView view{r.editor(), nullptr};
    explicit StylesWindow(const Project& project) : r(project)
    {
        view.resize(1300, 800);
        view.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&view, test::kHangCapMs));
        r.editor().setInspectorTab(InspectorTab::styles);
    }
};

Project spanishProject()
{
    Project project = test::sampleProject(6);
    project.localeID = "es-ES";
    return project;
}

ScriptPicker* openSheet(EditorView& view)
{
    auto* browser = view.findChild<StyleBrowserView*>();
    if (!browser) return nullptr;
    browser->parts().writing->click();
    QCoreApplication::processEvents();
    return view.findChild<ScriptPicker*>();
}

TEST(EditorView, TheCaptionWritingButtonOpensTheSheetWhosePickSetsTheWriting)
{
    Project project = spanishProject();
    StylesWindow window(project);
    auto& [r, view] = window;

    // No native text yet: only Latin letters and English (refused with its reason) are offered.
    ScriptPicker* sheet = openSheet(view);
    ASSERT_TRUE(sheet);
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_EQ(sheet->row("latin")->accessibleDescription(), QString("selected"));
    ASSERT_TRUE(sheet->row("english"));
    EXPECT_FALSE(sheet->row("english")->isEnabled());
    bool reasonShown = false;
    for (QLabel* label : sheet->findChildren<QLabel*>())
        reasonShown |= label->text().contains(QString::fromStdString(*r.editor().translationUnavailableReason()));
    EXPECT_TRUE(reasonShown);
    EXPECT_TRUE(sheet->nativeNote());
    sheet->row("hindi")->click();
    EXPECT_FALSE(r.editor().project().captionLanguageID) << "native scripts cannot be picked";
    sheet->reject();
    QCoreApplication::processEvents();

    // With native text the Indic writings can be picked; a pick sets it and closes the sheet.
    r.editor().updateProject([](Project& p) { p.words[0].native = "नमस्ते"; });
    sheet = openSheet(view);
    ASSERT_TRUE(sheet);
    EXPECT_FALSE(sheet->nativeNote());
    QPointer<ScriptPicker> guard(sheet);
    sheet->row("hindi")->click();
    QCoreApplication::processEvents();
    EXPECT_EQ(r.editor().project().captionLanguageID, "hindi");
    EXPECT_TRUE(!guard || !guard->isVisible());
}

// A stored translation needs no translator: its row stays open, and picking
// it shows the stored English captions.
TEST(EditorView, AStoredTranslationCanBePickedWithoutATranslator)
{
    Project project = spanishProject();
    project.translation = CaptionTranslation{{test::word("Plants", 0.5, 0.9), test::word("grow.", 1, 1.4)}, "es", "b"};
    StylesWindow window(project);
    auto& [r, view] = window;
    ASSERT_TRUE(r.editor().translationUnavailableReason()) << "no translator here";

    ScriptPicker* sheet = openSheet(view);
    ASSERT_TRUE(sheet && sheet->row("english"));
    EXPECT_TRUE(sheet->row("english")->isEnabled());
    for (QLabel* label : sheet->findChildren<QLabel*>())
        EXPECT_FALSE(label->text().contains(QString::fromStdString(*r.editor().translationUnavailableReason())));
    sheet->row("english")->click();
    QCoreApplication::processEvents();
    EXPECT_EQ(r.editor().project().captionLanguageID, "english");
    EXPECT_TRUE(r.editor().usesTranslation());
    EXPECT_FALSE(r.editor().translationError());

    // Captions taken from the voiceover would hide it: the row stays shut.
    r.editor().updateProject([](Project& p) {
        p.voiceover = Voiceover{};
        p.voiceover->words = {test::word("take", 0, 1)};
    });
    sheet = openSheet(view);
    ASSERT_TRUE(sheet && sheet->row("english"));
    EXPECT_FALSE(sheet->row("english")->isEnabled());
}

}  // namespace
