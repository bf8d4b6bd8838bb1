#pragma once
// A generated project opened in an editor for the feature panels: a short
// talking video and a photo made with ffmpeg, read by the real clip media
// service (probing, frames, B-roll thumbnails), words every 0.5 s, a fake
// player and a manual clock, in throw-away data and settings folders.

#include "editor/ClipMediaService.h"
#include "editor/EditorFakes.h"
#include "ui/inspector/MatchCutSection.h"
#include "support/Waits.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QTest>

#include <functional>

namespace vt::test {

struct PanelRig {
    TempDir dir;
    ScopedEnv data{"XDG_DATA_HOME", (dir.path() / "data").string()};
    ScopedEnv config{"XDG_CONFIG_HOME", (dir.path() / "config").string()};
    std::shared_ptr<ManualClock> clock = std::make_shared<ManualClock>();
    std::shared_ptr<FakePlayer> player = std::make_shared<FakePlayer>();
    std::filesystem::path video = dir.path() / "talk.mp4";
    std::filesystem::path photo = dir.path() / "photo.png";
    std::unique_ptr<EditorModel> editor;

    explicit PanelRig(const std::function<void(Project&)>& shape = {}, int words = 16)
    {
        run("ffmpeg -v error -y -f lavfi -i testsrc2=size=108x192:rate=10 -f lavfi -i sine=frequency=300 -t 9.5 "
            "-c:v libx264 -pix_fmt yuv420p -c:a aac " + shellQuote(video.string()));
        run("ffmpeg -v error -y -f lavfi -i testsrc=size=64x48 -frames:v 1 " + shellQuote(photo.string()));
        Project p = sampleProject(words);
        p.videoPath = video.string();
        p.sourceDuration = 9.5;
        if (shape) shape(p);
        editor = std::make_unique<EditorModel>(std::move(p), nullptr,
                                               EditorServices{player, std::make_shared<ClipMediaService>(), nullptr,
                                                              nullptr, clock});
        EXPECT_TRUE(waitFor([&] { return !editor->isLoading(); }));
    }
    // Previews still drawing must not outlive the application's fonts.
    ~PanelRig() { ui::MatchCutSection::waitForPreviews(); }
    EditorModel& operator*() { return *editor; }
    EditorModel* operator->() { return editor.get(); }
};

// Types a number into a field and commits it with Return, as a user does.
inline void typeNumber(QLineEdit* field, const QString& number)
{
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, number);
    QTest::keyClick(field, Qt::Key_Return);
}

// Lets queued refreshes and background results arrive.
inline void settle(int ms = 20) { QTest::qWait(ms); }

}  // namespace vt::test
