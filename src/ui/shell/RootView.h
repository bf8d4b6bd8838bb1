#pragma once
// The window's content: the screen the application model names, the
// keyboard-shortcuts sheet while `showShortcuts` is set, the editor tips
// while `showEditorTips` is set on the editor screen, and the one alert,
// "Something went wrong", while an error message is pending. The welcome,
// onboarding and home screens are made anew each time one is entered, so
// each starts from its initial state. Paints the window background.

#include "app/AppModel.h"

#include "ui/editor/EditorView.h"
#include "ui/shorts/ClipsView.h"

#include <QPointer>
#include <QWidget>

class QMessageBox;
class QPropertyAnimation;
class QStackedWidget;

namespace vt {

class EditorTips;
class HomeView;
class ProcessingView;
class ShortcutsSheet;

class RootView : public QWidget {
    Q_OBJECT

public:
    explicit RootView(AppModel& app, QWidget* parent = nullptr);

    QWidget* currentScreen() const;
    // Screen changes fade unless motion is reduced (Motion); setting it here
    // sets it for the whole program.
    bool reduceMotion() const;
    void setReduceMotion(bool reduce);
    // True while a screen fades in.
    bool isFading() const;
    // The welcome, onboarding or home screen last entered.
    QWidget* startScreen() const { return start_; }
    HomeView* homeView() const;
    ProcessingView* processingScreen() const { return processing_; }
    // The editor screen of the open project; null while none is open.
    ui::EditorView* editorScreen() const { return editor_; }
    // The Shorts picker of the picker's source; null while none is shown.
    ui::ClipsView* clipsScreen() const { return clips_; }
    QMessageBox* alert() const { return alert_; }
    ShortcutsSheet* shortcutsSheet() const { return sheet_; }
    EditorTips* editorTips() const { return tips_; }

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;

private:
    void showScreen();
    void showAlert();
    void showSheet();
    void showTips();
    void showEditor();
    void showClips();

    void fadeIn(QWidget* screen);
    // Shows a fresh welcome, onboarding or home screen unless it is showing.
    void enterStart(Screen screen);

    AppModel& app_;
    QPointer<QPropertyAnimation> fade_;  // deletes itself when it stops
    QStackedWidget* stack_;
    QWidget* start_ = nullptr;
    Screen startKind_ = Screen::home;
    ProcessingView* processing_;
    QPointer<ui::EditorView> editor_;
    QPointer<ui::ClipsView> clips_;
    QMessageBox* alert_ = nullptr;
    ShortcutsSheet* sheet_ = nullptr;
    EditorTips* tips_ = nullptr;
};

}  // namespace vt
