#include "ui/inspector/ThumbnailView.h"

#include "PanelRig.h"
#include "export/EditorExportHost.h"
#include "export/ExportAction.h"
#include "export/FakeExportHost.h"
#include "export/SettingsSandbox.h"
#include "ui/inspector/ExportView.h"
#include "ui/inspector/SwitchRow.h"
#include "ui/inspector/ProgressRow.h"
#include "ui/inspector/RowNote.h"
#include "ui/inspector/InspectorGroup.h"
#include "support/Waits.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace vt;
using namespace vt::ui;

namespace {

bool shown(QWidget* w) { return w && !w->isHidden(); }

struct ThumbnailPanel : ::testing::Test {
    test::PanelRig rig{[](Project& p) {
        p.name = "Trip";
        p.hooks = {"Money moves fast"};
    }};
    std::vector<QString> asked;
    std::optional<std::filesystem::path> answer;
    ThumbnailView panel{*rig, [this](const QString& name) {
                            asked.push_back(name);
                            return answer;
                        }};
    const ThumbnailView::Parts& p() const { return panel.parts(); }

    void search()
    {
        p().find->click();
        EXPECT_FALSE(p().find->isEnabled());
        EXPECT_TRUE(shown(p().progress));
        ASSERT_TRUE(test::waitFor([&] { return !rig->thumbBusy(); }));
    }
};

}  // namespace

TEST_F(ThumbnailPanel, FindsFramesOfTheVideoAndTheTilesPickOne)
{
    EXPECT_FALSE(shown(p().design));
    EXPECT_TRUE(shown(p().emptyNote));
    EXPECT_EQ(p().find->text(), QString("✨ Find Best Frames"));
    search();
    ASSERT_EQ(p().tileButtons.size(), 3u);  // read from the generated video
    EXPECT_EQ(p().find->text(), QString("✨ Find Again"));
    EXPECT_TRUE(p().find->isEnabled());
    EXPECT_TRUE(shown(p().design));
    EXPECT_FALSE(shown(p().emptyNote));
    EXPECT_TRUE(p().tileButtons[0]->isChecked());
    EXPECT_EQ(p().text->toPlainText(), QString("Money moves fast"));

    p().tileButtons[0]->click();  // the chosen tile again: it stays chosen
    EXPECT_TRUE(p().tileButtons[0]->isChecked());
    const QImage before = p().preview->pixmap().toImage();
    p().tileButtons[2]->click();
    EXPECT_EQ(rig->selectedThumbID(), rig->thumbCandidates()[2].id);
    EXPECT_TRUE(p().tileButtons[2]->isChecked());
    EXPECT_FALSE(p().tileButtons[0]->isChecked());
    EXPECT_NE(p().preview->pixmap().toImage(), before);

    // The look and the text change the preview and stay out of the project.
    const QImage bold = p().preview->pixmap().toImage();
    p().looks[3]->click();
    EXPECT_EQ(rig->thumbTemplate(), ThumbnailTemplate::frame);
    EXPECT_NE(p().preview->pixmap().toImage(), bold);
    p().text->setPlainText("Cover line");
    EXPECT_EQ(rig->thumbText(), "Cover line");
    EXPECT_FALSE(rig->canUndo());
}

TEST_F(ThumbnailPanel, SavesARealPngAndSaysSoWhenItCannot)
{
    search();
    answer = rig.dir.path() / "cover.png";
    p().save->click();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], QString("Trip-thumbnail.png"));
    EXPECT_EQ(QImage(QString::fromStdString(answer->string())).size(), QSize(1080, 1920));
    EXPECT_TRUE(p().saveError->text().isEmpty());

    answer = rig.dir.path() / "no-such-folder" / "cover.png";
    p().save->click();
    EXPECT_FALSE(p().saveError->text().isEmpty());
    EXPECT_FALSE(std::filesystem::exists(*answer));

    // The export's side file is the same chosen thumbnail.
    EditorExportHost host(*rig, nullptr);
    EXPECT_EQ(host.renderThumbnail().size(), QSize(1080, 1920));
}

TEST_F(ThumbnailPanel, TheExportsThumbnailSwitchOpensOnceFramesAreFound)
{
    test::SettingsSandbox settings;
    test::FakeExportHost host;
    ExportAction action(host);
    ExportView exportPanel(*rig, action);
    EXPECT_FALSE(exportPanel.parts().alsoThumbnail->isEnabled());
    search();
    EXPECT_TRUE(exportPanel.parts().alsoThumbnail->isEnabled());
}

TEST(ThumbnailPanelWidth, AWidePreviewFitsTheInspectorsWidth)
{
    test::PanelRig rig([](Project& p) { p.aspect = OutputAspect::landscape; });
    ThumbnailView panel(*rig, [](const QString&) { return std::optional<std::filesystem::path>(); });
    panel.resize(340, 900);
    panel.show();
    panel.parts().find->click();
    ASSERT_TRUE(test::waitFor([&] { return !rig->thumbBusy(); }));
    test::settle();
    const QLabel* preview = panel.parts().preview;
    ASSERT_FALSE(preview->pixmap().isNull());
    EXPECT_LE(preview->pixmap().width(), 340 - 24);  // 576 wide at 0.3 of 1920, scaled down
    EXPECT_LE(preview->width(), 340);
}
