// The open editor runs on the real engines: its player keeps time and its
// export command writes a file.

#include "AppTestSupport.h"

#include "platform/MediaProbe.h"
#include "support/Waits.h"

#include <gtest/gtest.h>

using namespace vt;
using test::IsolatedHome;

TEST(EditorEngines, AnImportedProjectPlaysAndExports)
{
    IsolatedHome home;
    const auto voice = test::speak(home.dir / "voice.wav", "Hello there, this is a test.");
    const auto video = test::makeClip(home.dir / "Talk.mp4", voice, 2);
    AppModel app;
    app.finishOnboarding();
    app.importVideo(video);
    ASSERT_TRUE(test::waitForImport(app));
    ASSERT_FALSE(app.errorMessage()) << *app.errorMessage();
    EditorModel* editor = app.editor();
    ASSERT_TRUE(editor && app.player() && app.exportAction());
    ASSERT_TRUE(test::waitFor([&] { return editor->source() && !editor->isLoading(); }));

    // Seen as it happens: a stalled test could otherwise look only after the
    // two seconds have played out.
    bool playedOn = false;
    const auto watch = QObject::connect(editor, &EditorModel::currentTimeChanged, editor,
                                        [&] { playedOn = playedOn || (editor->isPlaying() && editor->currentTime() > 0.2); });
    app.player()->play();
    EXPECT_TRUE(test::waitFor([&] { return playedOn; }));
    QObject::disconnect(watch);
    app.player()->pause();

    ExportAction& action = *app.exportAction();
    action.startExport(home.dir / "out.mp4");
    ASSERT_TRUE(action.isExporting());
    ASSERT_TRUE(test::waitFor([&] { return !action.isExporting(); }));
    ASSERT_FALSE(action.exportError()) << action.exportError()->toStdString();
    const auto probed = test::probe(home.dir / "out.mp4");
    EXPECT_EQ(test::streamOf(probed, "video")["codec_name"], "h264");
    EXPECT_EQ(test::streamOf(probed, "audio")["codec_name"], "aac");
    EXPECT_NEAR(std::stod(test::streamOf(probed, "video")["duration"].get<std::string>()), editor->plan().outputLength(), 0.1);
}
