#pragma once
// The program's one window: "Vellumtide", 1480 × 920 at first and never
// smaller than 1220 × 760, holding the root view and the menus, in the
// stored appearance.

#include <QMainWindow>

#include <memory>

namespace vt {

class AppCommands;
class AppModel;
class RootView;

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    static constexpr QSize defaultSize{1480, 920};
    static constexpr QSize minimumContentSize{1220, 760};

    explicit MainWindow(AppModel& app, QWidget* parent = nullptr);

    RootView* rootView() const { return root_; }
    AppCommands* commands() const { return commands_; }
    // A file opened with the program: a local file (path or file URL) is
    // imported; any other URL is ignored.
    void openArgument(const QString& argument);

private:
    AppModel& app_;
    RootView* root_;
    AppCommands* commands_;
};

}  // namespace vt
