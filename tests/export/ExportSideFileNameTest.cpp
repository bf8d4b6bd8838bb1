#include "export/ExportAction.h"

#include "export/FakeExportHost.h"
#include "export/SettingsSandbox.h"
#include "platform/MediaProbe.h"
#include "support/TestSupport.h"
#include "support/Waits.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

using namespace vt;

// An export saved under a side file's own extension ("Talk.srt", "Talk.png")
// must not be replaced by that side file once it is written.
TEST(ExportSideFileName, SideFileNeverReplacesTheExportedFile)
{
    for (const char* name : {"Talk.srt", "Talk.png"}) {
        SCOPED_TRACE(name);
        test::SettingsSandbox sandbox;
        test::TempDir dir;
        test::FakeExportHost host;
        host.thumbnail = QImage(54, 96, QImage::Format_ARGB32);
        host.thumbnail.fill(Qt::red);
        ExportAction action(host);
        ExportSettings s;
        s.mode = ExportSettings::Mode::manual;
        s.resolution = 0;
        s.bitrate = 1;
        action.setExportSettings(s);
        action.setAlsoThumbnail(true);

        const auto out = dir / name;
        action.startExport(out);
        ASSERT_TRUE(test::waitFor([&] { return !action.isExporting(); }));

        EXPECT_FALSE(action.exportError());
        EXPECT_EQ(action.lastExportURL(), out);
        EXPECT_EQ(test::streamOf(test::probe(out), "video")["codec_name"], "h264") << "the export is still there";
    }
}
