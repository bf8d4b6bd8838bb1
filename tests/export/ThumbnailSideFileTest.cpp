// A thumbnail beside the export that cannot be written is a failed export,
// never a quiet success.

#include "export/ExportAction.h"

#include "export/FakeExportHost.h"
#include "export/SettingsSandbox.h"
#include "support/TestSupport.h"
#include "support/Waits.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

using namespace vt;

TEST(ThumbnailSideFile, AnUnwritablePngIsReportedAndTheExportKept)
{
    test::SettingsSandbox sandbox;
    test::TempDir dir;
    test::FakeExportHost host;
    host.thumbnail = QImage(54, 96, QImage::Format_ARGB32);
    host.thumbnail.fill(Qt::blue);
    ExportAction action(host);
    ExportSettings s;
    s.mode = ExportSettings::Mode::manual;
    s.resolution = 0;
    s.frameRate = 2;
    s.bitrate = 1;
    action.setExportSettings(s);
    action.setAlsoSRT(false);
    action.setAlsoThumbnail(true);
    std::filesystem::create_directory(dir / "Talk.png");  // where the PNG would go

    action.startExport(dir / "Talk.mp4");
    ASSERT_TRUE(test::waitFor([&] { return !action.isExporting(); }));

    ASSERT_TRUE(action.exportError());
    EXPECT_TRUE(action.exportError()->contains("thumbnail")) << action.exportError()->toStdString();
    EXPECT_FALSE(action.lastExportURL());
    EXPECT_TRUE(std::filesystem::exists(dir / "Talk.mp4"));
}
