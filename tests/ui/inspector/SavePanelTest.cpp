#include "ui/inspector/SavePanel.h"

#include "support/TestSupport.h"
#include "ui/theme/FilePanels.h"

#include <QApplication>
#include <QFileDialog>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using namespace vt;

namespace {

// Runs the save panel and answers it, once it is up, with `answer`.
std::optional<std::filesystem::path> answered(const QString& name, const QString& filter,
                                              std::function<void(QFileDialog&)> answer)
{
    std::function<void()> whenShown = [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) return QTimer::singleShot(10, whenShown);
        answer(*dialog);
    };
    QTimer::singleShot(0, whenShown);
    return ui::savePanel(name, filter);
}

}  // namespace

TEST(SavePanel, ChosenFileKeepsTheAllowedTypeAndCancelGivesNone)
{
    test::TempDir dir;
    test::ScopedEnv config{"XDG_CONFIG_HOME", (dir / "config").string()};
    struct Case {
        const char* typed;  // absent: the panel is cancelled
        const char* suggested;
        const char* extension;
        std::optional<const char*> expected;
    };
    const Case cases[] = {
        {"Trip", "Trip-captioned.mp4", "mp4", "Trip.mp4"},
        {"Trip-audio", "Trip-audio.m4a", "m4a", "Trip-audio.m4a"},
        {"Trip.mp4", "Trip-captioned.mp4", "mp4", "Trip.mp4"},
        {nullptr, "Trip.vtt", "vtt", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.suggested);
        auto chosen = answered(c.suggested, ui::typeFilterFor(c.extension), [&](QFileDialog& dialog) {
            if (!c.typed) return dialog.reject();
            dialog.selectFile(QString::fromStdString((dir / c.typed).string()));
            static_cast<QDialog&>(dialog).accept();  // public there, and reaches the panel's own
        });
        if (c.expected)
            EXPECT_EQ(chosen, dir / *c.expected);
        else
            EXPECT_FALSE(chosen);
    }
}

// A save panel starts in the user's folder for its kind of file (Videos for
// the video and the texts beside it, Music, Pictures), then where a file of
// that kind was last saved.
TEST(SavePanel, StartsWhereFilesOfItsKindGo)
{
    test::TempDir dir;
    test::ScopedEnv config{"XDG_CONFIG_HOME", (dir / "config").string()};
    const auto videos = dir / "Videos", music = dir / "Music", pictures = dir / "Pictures", elsewhere = dir / "Elsewhere";
    for (const auto& folder : {videos, music, pictures, elsewhere}) std::filesystem::create_directories(folder);
    test::writeUserFolders(dir / "config", "XDG_VIDEOS_DIR=\"" + videos.string() + "\"\nXDG_MUSIC_DIR=\"" + music.string() +
                                               "\"\nXDG_PICTURES_DIR=\"" + pictures.string() + "\"\n");
    const auto startsIn = [](const char* name, const char* extension, const QString& pick = {}) {
        return test::answerFilePanel([&] { ui::savePanel(name, ui::typeFilterFor(extension)); }, pick);
    };

    EXPECT_EQ(startsIn("Trip-captioned.mp4", "mp4"), videos.string());
    EXPECT_EQ(startsIn("Trip.srt", "srt"), videos.string());
    EXPECT_EQ(startsIn("Trip-audio.m4a", "m4a"), music.string());
    EXPECT_EQ(startsIn("Trip.png", "png", QString::fromStdString((elsewhere / "Trip.png").string())), pictures.string());
    EXPECT_EQ(startsIn("Trip.png", "png"), elsewhere.string()) << "where the last picture went";
    EXPECT_EQ(startsIn("Trip-captioned.mp4", "mp4"), videos.string()) << "each kind keeps its own folder";
}
