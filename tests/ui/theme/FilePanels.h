#pragma once
// Answering the program's file panels in tests: runs what opens one, and
// answers the panel as a user would, by typing a file or cancelling.

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

namespace vt::test {

// Runs `open` and answers the file panel it shows with `pick` (cancels when
// empty); gives the folder the panel started in.
inline std::string answerFilePanel(const std::function<void()>& open, const QString& pick = {})
{
    QString started;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            if (!dialog || !dialog->isVisible()) continue;
            if (!started.isEmpty()) {
                dialog->reject();  // the pick was refused: nothing is hung
                continue;
            }
            started = dialog->directory().absolutePath();
            if (pick.isEmpty()) {
                dialog->reject();
            } else {
                // Typed into the name field, as a user may do.
                if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) name->setText(pick);
                static_cast<QDialog*>(dialog)->accept();  // as the Open or Save button does
            }
        }
    });
    look.start(20);
    open();
    look.stop();
    return started.toStdString();
}

// Names the user's own folders for the desktop, in the config folder
// XDG_CONFIG_HOME points at.
inline void writeUserFolders(const std::filesystem::path& config, const std::string& lines)
{
    std::filesystem::create_directories(config);
    std::ofstream(config / "user-dirs.dirs") << lines;
}

}  // namespace vt::test
