#include "app/AppTestSupport.h"

#include "ui/shell/MainWindow.h"
#include "ui/theme/FilePanels.h"
#include "ui/theme/OpenPanel.h"

#include <QApplication>
#include <QFileDialog>
#include <QTimer>
#include <gtest/gtest.h>

namespace vt {
namespace {

// "Open Video…" shows the files of every video type at once.
TEST(OpenVideoDialog, ItsFilterShowsEveryVideoType)
{
    test::IsolatedHome home;
    AppModel app;
    MainWindow window(app);
    window.show();
    QString shown;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* dialog = qobject_cast<QFileDialog*>(w); dialog && dialog->isVisible()) {
                shown = dialog->selectedNameFilter();
                dialog->reject();
            }
        }
    });
    look.start(20);
    app.openPanel();  // returns once the dialog is dismissed
    look.stop();
    for (const char* glob : {"*.mp4", "*.mov", "*.mkv", "*.webm", "*.m4v"})
        EXPECT_TRUE(shown.contains(glob)) << glob << " in " << shown.toStdString();
    EXPECT_EQ(app.screen(), Screen::onboarding);  // cancelled: nothing imported
}

// Open panels start in the user's Videos or Music folder, then in the
// folder a file of that kind was last chosen from.
TEST(OpenVideoDialog, StartsInTheFolderForItsKindOfFile)
{
    test::IsolatedHome home;
    const auto videos = home.dir / "My Videos", music = home.dir / "My Music", elsewhere = home.dir / "Elsewhere";
    for (const auto& folder : {videos, music, elsewhere}) std::filesystem::create_directories(folder);
    test::writeUserFolders(home.dir / "config", "XDG_VIDEOS_DIR=\"" + videos.string() + "\"\nXDG_MUSIC_DIR=\"" + music.string() + "\"\n");
    const auto clip = test::makeClip(elsewhere / "talk.mp4", std::nullopt, 1);
    AppModel app;
    MainWindow window(app);
    window.show();
    const auto folder = [](const std::filesystem::path& p) { return p.string(); };

    EXPECT_EQ(test::answerFilePanel([&] { app.openPanel(); }, QString::fromStdString(clip.string())), folder(videos));
    EXPECT_EQ(test::answerFilePanel([&] { app.openPanel(); }), folder(elsewhere)) << "where the last video came from";
    EXPECT_EQ(test::answerFilePanel([] { OpenPanel::chooseFile(nullptr, "Music", "Audio (*.m4a)", OpenPanel::Kind::audio); }), folder(music))
        << "music has its own folder";
}

}  // namespace
}  // namespace vt
