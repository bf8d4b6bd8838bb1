#include "app/AppTestSupport.h"

#include "ui/shell/MainWindow.h"

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

}  // namespace
}  // namespace vt
