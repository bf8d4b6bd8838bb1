#pragma once
// The program's real window over a private data root, the way a user
// meets it: onboarding done, the home screen shown, and a project on a
// generated video that can be opened in the editor.

#include "app/AppTestSupport.h"

#include "model/ProjectStore.h"
#include "ui/shell/AppCommands.h"
#include "ui/shell/MainWindow.h"
#include "ui/shell/RootView.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>
#include <gtest/gtest.h>

namespace vt::test {

struct Shell {
    IsolatedHome home;
    AppModel app;
    MainWindow window{app};
    RootView& root = *window.rootView();
    AppCommands& commands = *window.commands();

    Shell()
    {
        root.setReduceMotion(false);  // whatever an earlier test chose
        app.finishOnboarding();
        window.show();
    }
    // A project on a real silent video of `seconds`, open in the editor.
    void openProject(double seconds = 1)
    {
        Project project;
        project.name = "Trip";
        project.videoPath = makeClip(home.dir / "trip.mp4", std::nullopt, seconds).string();
        project.sourceDuration = seconds;
        ProjectStore::save(project);
        app.open(project);
        ASSERT_EQ(app.screen(), Screen::editor);
    }
    // Waits until the editor has read its media and built its player.
    bool waitForPlayer()
    {
        EditorModel* editor = app.editor();
        return editor && QTest::qWaitFor([&] { return !editor->isLoading() && !editor->isRefreshing(); }, 30000);
    }
    bool enabled(const char* title) const
    {
        QAction* action = commands.action(QString::fromUtf8(title));
        EXPECT_TRUE(action) << title;
        return action && action->isEnabled();
    }
    void trigger(const char* title)
    {
        QAction* action = commands.action(QString::fromUtf8(title));
        ASSERT_TRUE(action) << title;
        action->trigger();
    }
};

// Answers the next file dialog with `path` (or cancels it when empty), as a
// user would, while the command that opened it waits for the answer.
class FileDialogAnswer {
public:
    explicit FileDialogAnswer(QString path) : path_(std::move(path))
    {
        QObject::connect(&look_, &QTimer::timeout, [this] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* dialog = qobject_cast<QFileDialog*>(w);
                if (!dialog || !dialog->isVisible()) continue;
                look_.stop();
                if (path_.isEmpty()) {
                    dialog->reject();
                } else {
                    // Typed into the name field: selecting in the list waits
                    // for the folder to be read.
                    auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
                    if (name) name->setText(path_);
                    else dialog->selectFile(path_);
                    QMetaObject::invokeMethod(dialog, "accept");
                }
                // A dialog that refused the answer is closed, so the test fails
                // instead of waiting for ever.
                answered_ = !dialog->isVisible();
                if (dialog->isVisible()) dialog->reject();
            }
        });
        look_.start(20);
    }
    bool answered() const { return answered_; }

private:
    QString path_;
    QTimer look_;
    bool answered_ = false;
};

}  // namespace vt::test
