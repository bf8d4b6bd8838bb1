#include "ui/inspector/ExportView.h"
#include "ui/theme/TextFitting.h"

#include "editor/EditorFakes.h"
#include "export/ExportAction.h"
#include "export/FakeExportHost.h"
#include "export/SettingsSandbox.h"
#include "ui/inspector/ExportSummary.h"
#include "ui/inspector/InspectorPanel.h"
#include "ui/inspector/PressableButton.h"
#include "ui/inspector/RowNote.h"
#include "ui/inspector/StopSlider.h"
#include "ui/inspector/SwitchRow.h"
#include "ui/theme/RecordingRevealer.h"

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace vt;
using namespace vt::ui;

namespace {

// An editor over fakes with a probed source, and the export action over a
// generated project, in throw-away settings and data folders.
class PanelTest : public ::testing::Test {
protected:
    test::SettingsSandbox settings;
    test::TempDir data;
    test::ScopedEnv dataHome{"XDG_DATA_HOME", data.path().string()};
    test::FakeExportHost host;
    std::unique_ptr<EditorModel> editor;
    std::unique_ptr<ExportAction> action;
    std::vector<QString> askedNames;
    std::optional<std::filesystem::path> answer;

    void open(bool hdr = false, Project project = test::sampleProject())
    {
        auto media = std::make_shared<test::FakeMedia>();
        SourceVideoInfo info{1080, 1920, {}, 30, 10, hdr};
        media->videos[project.videoPath] = info;
        host.info = info;
        editor = std::make_unique<EditorModel>(std::move(project), nullptr,
                                               EditorServices{std::make_shared<test::FakePlayer>(), media, nullptr,
                                                              nullptr, std::make_shared<test::ManualClock>()});
        test::waitFor([&] { return !editor->isLoading(); });
        action = std::make_unique<ExportAction>(host);
    }
    std::unique_ptr<ExportView> view()
    {
        return std::make_unique<ExportView>(*editor, *action, [this](const QString& name, const QString&) {
            askedNames.push_back(name);
            return answer;
        });
    }
    void settingsWith(auto change)
    {
        ExportSettings s = action->exportSettings();
        change(s);
        action->setExportSettings(s);
    }
};

bool shown(QWidget* w) { return !w->isHidden(); }

}  // namespace

TEST_F(PanelTest, AudioOnlyHidesTheVideoSettings)
{
    open(true);
    auto panel = view();
    const auto& p = panel->parts();
    panel->setThumbnailCandidatesAvailable(true);
    action->setAlsoThumbnail(true);
    EXPECT_TRUE(p.alsoThumbnail->toggle()->isChecked());
    EXPECT_EQ(p.summary->text(), QString("1080p / 30fps"));
    EXPECT_EQ(p.automaticNote->text(), QString("Matched to your video: 1080×1920, H.264, 10.0 Mbps."));
    EXPECT_TRUE(p.hdr->isEnabled());

    p.audioOnly->toggle()->click();
    EXPECT_TRUE(action->exportSettings().audioOnly);
    EXPECT_EQ(p.summary->text(), QString("Audio · AAC"));
    EXPECT_FALSE(p.autoMode->isEnabled());
    EXPECT_FALSE(p.hdr->isEnabled());
    EXPECT_FALSE(shown(p.standardRangeNote));
    EXPECT_FALSE(shown(p.automaticNote));
    EXPECT_FALSE(shown(p.manualBlock));
    EXPECT_FALSE(p.alsoThumbnail->isEnabled());
    EXPECT_FALSE(p.alsoThumbnail->toggle()->isChecked()) << "no thumbnail is saved beside an audio file";
    EXPECT_TRUE(p.alsoSRT->isEnabled());
    EXPECT_EQ(p.exportButton->text(), QString("Export Audio"));
    panel->startExport();
    EXPECT_EQ(askedNames, std::vector<QString>{"Sample-audio.m4a"});
    EXPECT_FALSE(action->isExporting()) << "a cancelled save panel starts nothing";

    p.audioOnly->toggle()->click();
    EXPECT_TRUE(p.alsoThumbnail->isEnabled());
    EXPECT_TRUE(p.alsoThumbnail->toggle()->isChecked()) << "the choice comes back with the video";
}

TEST_F(PanelTest, StandardRangeSourceAndManualSettings)
{
    open(false);
    settingsWith([](ExportSettings& s) { s.hdr = true; });
    auto panel = view();
    const auto& p = panel->parts();
    EXPECT_FALSE(p.hdr->toggle()->isChecked());
    EXPECT_FALSE(p.hdr->isEnabled());
    EXPECT_TRUE(shown(p.standardRangeNote));

    p.manualMode->click();
    EXPECT_EQ(action->exportSettings().mode, ExportSettings::Mode::manual);
    EXPECT_TRUE(shown(p.manualBlock));
    EXPECT_FALSE(shown(p.upscaleNote));
    QTest::mouseClick(p.resolution->stopLabels()[4], Qt::LeftButton);
    EXPECT_EQ(action->resolvedExport().resolutionLabel, "4K");
    EXPECT_TRUE(shown(p.upscaleNote));
    EXPECT_EQ(p.summary->text(), QString("4K / 30fps"));
    p.hevc->click();
    EXPECT_EQ(action->exportSettings().codec, VideoCodec::hevc);
    EXPECT_EQ(p.estimatedSize->text(), QString::fromStdString(ExportSettings::formatBytes(action->estimatedExportBytes())));
}

TEST_F(PanelTest, ExportRunsFromTheButtonAndShowsTheFile)
{
    open();
    settingsWith([](ExportSettings& s) {
        s.mode = ExportSettings::Mode::manual;
        s.resolution = 0;
        s.bitrate = 1;
    });
    auto panel = view();
    const auto& p = panel->parts();
    answer = data / "Sample-captioned.mp4";
    host.cleanup = 0.25;  // the audio cleanup is still running
    QTest::mouseClick(p.exportButton, Qt::LeftButton);
    EXPECT_EQ(askedNames, std::vector<QString>{"Sample-captioned.mp4"});
    EXPECT_TRUE(action->isExporting());
    EXPECT_FALSE(shown(p.exportButton));
    EXPECT_TRUE(shown(p.progressBlock));
    EXPECT_EQ(p.progressText->text(), QString::fromUtf8("Cleaning up audio… 25%"));
    EXPECT_EQ(p.progress->value(), 250);
    host.cleanup.reset();
    ASSERT_TRUE(QTest::qWaitFor([&] { return p.progressText->text().startsWith(QString::fromUtf8("Rendering on-device… ")); }, 30000));
    panel->startExport();  // while running: nothing new
    test::waitFor([&] { return !action->isExporting(); });
    EXPECT_TRUE(shown(p.exportButton));
    EXPECT_TRUE(shown(p.fileRow));
    EXPECT_EQ(p.fileName->text(), QString("Sample-captioned.mp4"));
    EXPECT_FALSE(shown(p.error));
    EXPECT_TRUE(std::filesystem::exists(data / "Sample-captioned.srt"));

    // The written file is shown in the file manager, or the window says why not.
    auto revealer = std::make_shared<test::RecordingRevealer>();
    panel->setRevealer(revealer);
    QPushButton* showFile = nullptr;
    for (auto* b : p.fileRow->findChildren<QPushButton*>())
        if (b->text() == "Show in the file manager") showFile = b;
    ASSERT_TRUE(showFile);
    showFile->click();
    EXPECT_EQ(revealer->calls, std::vector<std::vector<std::filesystem::path>>{{data / "Sample-captioned.mp4"}});
    EXPECT_TRUE(test::shownAlerts(panel.get()).isEmpty());
    revealer->shows = false;  // no file manager on this computer
    showFile->click();
    EXPECT_EQ(test::shownAlerts(panel.get()), QStringList{"There is no file manager on this computer to show the file in."});

    answer = data / "Sample.vtt";
    panel->saveText("vtt");
    EXPECT_EQ(askedNames.back(), QString("Sample.vtt"));
    EXPECT_EQ(test::readFile(data / "Sample.vtt").rfind("WEBVTT\n\n", 0), 0u);
}

TEST(ExportSummary, IncludedRows)
{
    Project project = test::sampleProject();
    project.style.name = "Bold Pop";
    project.music = BackgroundMusic{};
    project.music->name = "Lo-fi";
    project.music->ducking = 14.7;
    VideoGrade grade;
    grade.contrast = 0.2;
    project.grade = grade;
    project.hookOverlay = HookOverlay{"Wait for it", 3};
    auto rows = ui::ExportSummary::included(project, 48.2, 12.4);
    std::vector<std::pair<QString, QString>> expected{
        {"Length", "0:48 (cut 12s)"}, {"Captions", "Bold Pop"}, {"Stabilized", "No"}, {"Audio", "Original"},
        {"Music", QString::fromUtf8("Lo-fi · ducks 14 dB")}, {"Color", "Adjusted"}, {"Hook", "Wait for it"}};
    EXPECT_EQ(rows, expected);

    project.captionsVisible = false;
    project.grade = VideoGrade{};
    EXPECT_EQ(ui::ExportSummary::included(project, 10, 0.4)[0].second, QString("0:10"));
    EXPECT_EQ(ui::ExportSummary::included(project, 10, 0.5)[0].second, QString("0:10 (cut 1s)"));
    EXPECT_EQ(ui::ExportSummary::included(project, 10, 0)[1].second, QString("Off"));
    EXPECT_EQ(ui::ExportSummary::included(project, 10, 0)[5].second, QString("Original"));
}

// The Audio row tells what the video's own sound will be: cleanup counts
// only while the sound is heard.
TEST(ExportSummary, AudioRowFollowsTheVideosSound)
{
    const auto volumeLine = [](std::vector<double> points, double db = 0) {
        VolumeEnvelope line;
        line.db = db;
        for (double level : points) line.points.push_back({Uuid::random(), 1.0 * line.points.size(), level});
        return line;
    };
    struct Case {
        const char* name;
        bool cleaned;
        bool laneMuted;
        std::optional<VolumeEnvelope> volume;
        const char* shown;
    };
    for (const Case& c : {Case{"cleaned", true, false, std::nullopt, "Cleaned up"},
                          Case{"cleaned, lane muted", true, true, std::nullopt, "Muted"},
                          Case{"cleaned, turned all the way down", true, false, volumeLine({}, -40), "Muted"},
                          Case{"points all at silence", false, false, volumeLine({-40, -45}), "Muted"},
                          Case{"one point heard", true, false, volumeLine({-40, -10}), "Cleaned up"},
                          Case{"quiet but heard", false, false, volumeLine({}, -30), "Original"}}) {
        Project project = test::sampleProject();
        if (c.cleaned) project.audioCleanup = AudioCleanup{};
        if (c.laneMuted) {
            project.tracks = TrackSettings{};
            project.tracks->videoMuted = true;
        }
        project.videoVolume = c.volume;
        EXPECT_EQ(ui::ExportSummary::included(project, 10, 0)[3].second, QString(c.shown)) << c.name;
    }
}

TEST_F(PanelTest, InspectorHeaderAndBody)
{
    open();
    InspectorPanel panel(*editor, *action);
    const Uuid clipID = Uuid::random();
    struct Case {
        const char* name;
        InspectorTab tab;
        bool itemOpen;
        std::optional<TimelineItem> selection;
        const char* title;
        const char* icon;
    };
    const Case cases[] = {
        {"tab", InspectorTab::color, false, std::nullopt, "Enhance", "wand.and.stars"},
        {"open with nothing selected", InspectorTab::hook, true, std::nullopt, "Hook", "bolt.fill"},
        {"open with a sound", InspectorTab::post, true, TimelineItem{TimelineItem::Kind::sound, clipID}, "Post", "paperplane"},
        {"clip selected but not open", InspectorTab::voice, false, TimelineItem{TimelineItem::Kind::clip, clipID}, "Voice", "mic.fill"},
        {"overlay inspected", InspectorTab::voice, true, TimelineItem{TimelineItem::Kind::overlay, clipID}, "On Top",
         "slider.horizontal.below.rectangle"},
        {"clip inspected", InspectorTab::exportTab, true, TimelineItem{TimelineItem::Kind::clip, clipID}, "Clip",
         "slider.horizontal.below.rectangle"},
        {"export tab", InspectorTab::exportTab, false, std::nullopt, "Export", "square.and.arrow.up"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        editor->setInspectorTab(c.tab);
        editor->setTimelineSelection(c.selection);
        editor->setItemInspectorOpen(c.itemOpen);
        EXPECT_EQ(panel.headerTitle(), QString(c.title));
        EXPECT_EQ(panel.headerIcon(), QString(c.icon));
    }
    EXPECT_NE(dynamic_cast<ExportView*>(panel.body()), nullptr);
    // Every panel scrolls down with its scroll bar shown when it has more
    // to show, and never sideways.
    for (int t = 0; t < 10; ++t) {
        editor->setInspectorTab(static_cast<InspectorTab>(t));
        int panels = 0;
        for (auto* area : panel.body()->findChildren<QScrollArea*>()) {
            EXPECT_EQ(area->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded) << t;
            EXPECT_EQ(area->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff) << t;
            ++panels;
        }
        EXPECT_GE(panels, 1) << t;
    }
    editor->setInspectorTab(InspectorTab::exportTab);

    // While an item is inspected a tab change shows nothing new, and the body
    // stays the same view.
    editor->setTimelineSelection(TimelineItem{TimelineItem::Kind::overlay, clipID});
    editor->setItemInspectorOpen(true);
    QWidget* itemBody = panel.body();
    editor->setInspectorTab(InspectorTab::styles);
    EXPECT_EQ(panel.headerTitle(), QString("On Top"));
    EXPECT_EQ(panel.body(), itemBody);
    editor->setItemInspectorOpen(false);
    EXPECT_EQ(panel.headerTitle(), QString("Styles"));
    EXPECT_NE(panel.body(), itemBody);
}
