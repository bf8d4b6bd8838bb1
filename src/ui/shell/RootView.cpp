#include "ui/shell/RootView.h"

#include "app/AppModel.h"
#include "editor/TranslationRunner.h"
#include "ui/editor/EditorView.h"
#include "ui/shell/EditorTips.h"
#include "ui/shell/ShortcutsSheet.h"
#include "ui/home/HomeView.h"
#include "ui/home/OnboardingView.h"
#include "ui/home/ProcessingView.h"
#include "ui/home/WelcomeBackView.h"
#include "ui/shorts/ClipsView.h"
#include "ui/theme/Motion.h"
#include "ui/theme/WindowChrome.h"

#include <QGraphicsOpacityEffect>
#include <QPropertyAnimation>
#include <QMessageBox>
#include <QPainter>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace vt {
namespace {

constexpr int kFadeMs = 350;

}  // namespace

RootView::RootView(AppModel& app, QWidget* parent) : QWidget(parent), app_(app)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    stack_ = new QStackedWidget(this);
    processing_ = new ProcessingView(app, stack_);
    stack_->addWidget(processing_);
    layout->addWidget(stack_);

    connect(&app, &AppModel::screenChanged, this, &RootView::showScreen);
    connect(&app, &AppModel::editorChanged, this, &RootView::showScreen);
    connect(&app, &AppModel::clipSourceChanged, this, &RootView::showScreen);
    connect(&app, &AppModel::errorMessageChanged, this, &RootView::showAlert);
    connect(&app, &AppModel::showShortcutsChanged, this, &RootView::showSheet);
    connect(&app, &AppModel::showEditorTipsChanged, this, &RootView::showTips);
    connect(&app, &AppModel::screenChanged, this, &RootView::showTips);
    showScreen();
    showAlert();
}

QWidget* RootView::currentScreen() const { return stack_->currentWidget(); }

bool RootView::reduceMotion() const { return Motion::reduced(); }
void RootView::setReduceMotion(bool reduce) { Motion::setReduced(reduce); }

HomeView* RootView::homeView() const { return qobject_cast<HomeView*>(start_); }

void RootView::enterStart(Screen screen)
{
    if (start_ && startKind_ == screen && stack_->currentWidget() == start_) return;
    QWidget* fresh = screen == Screen::welcome      ? static_cast<QWidget*>(new WelcomeBackView(app_, stack_))
                     : screen == Screen::onboarding ? static_cast<QWidget*>(new OnboardingView(app_, stack_))
                                                    : static_cast<QWidget*>(new HomeView(app_, nullptr, stack_));
    stack_->addWidget(fresh);
    stack_->setCurrentWidget(fresh);
    if (start_) {
        stack_->removeWidget(start_);
        start_->deleteLater();
    }
    start_ = fresh;
    startKind_ = screen;
}

bool RootView::isFading() const { return fade_ && fade_->state() == QAbstractAnimation::Running; }

void RootView::fadeIn(QWidget* screen)
{
    if (fade_) fade_->stop();
    auto* effect = new QGraphicsOpacityEffect(screen);
    screen->setGraphicsEffect(effect);
    fade_ = new QPropertyAnimation(effect, "opacity", this);
    fade_->setDuration(kFadeMs);
    fade_->setStartValue(0.0);
    fade_->setEndValue(1.0);
    fade_->setEasingCurve(QEasingCurve::InOutQuad);
    // The effect goes with the fade, so the screen draws plainly afterwards.
    connect(fade_, &QPropertyAnimation::finished, screen, [screen] { screen->setGraphicsEffect(nullptr); });
    fade_->start(QAbstractAnimation::DeleteWhenStopped);
}

void RootView::showScreen()
{
    QWidget* before = stack_->currentWidget();
    switch (app_.screen()) {
    case Screen::welcome:
    case Screen::onboarding:
    case Screen::home: enterStart(app_.screen()); break;
    case Screen::processing: stack_->setCurrentWidget(processing_); break;
    case Screen::editor:
        if (!app_.editor()) {
            enterStart(Screen::home);
            break;
        }
        showEditor();
        break;
    case Screen::clips:
        if (!app_.clipSource()) {
            enterStart(Screen::home);
            break;
        }
        showClips();
        break;
    }
    // Leaving the editor (or closing its project) takes its screen and keys away.
    if (editor_ && (stack_->currentWidget() != editor_ || app_.editor() == nullptr)) {
        stack_->removeWidget(editor_);
        editor_->deleteLater();
        editor_ = nullptr;
    }
    // Leaving the picker (or changing its source) stops its preview and drops it.
    if (clips_ && (stack_->currentWidget() != clips_ || !app_.clipSource())) {
        stack_->removeWidget(clips_);
        clips_->deleteLater();
        clips_ = nullptr;
    }
    // Welcome, onboarding, home and the Shorts picker fade in; processing and the editor appear at once.
    QWidget* now = stack_->currentWidget();
    const bool fades = now == start_ || now == clips_;
    if (now != before && fades && !Motion::reduced()) fadeIn(now);
    // A screen that appears at once ends the fade of the one it replaces.
    else if (now != before && fade_) fade_->setCurrentTime(fade_->duration());
}

void RootView::showEditor()
{
    if (editor_ && &editor_->model() != app_.editor()) {
        stack_->removeWidget(editor_);
        editor_->deleteLater();
        editor_ = nullptr;
    }
    if (!editor_) {
        editor_ = new ui::EditorView(*app_.editor(), &app_, stack_);
        // The translator runs the editor's jobs while its screen is shown.
        new TranslationRunner(*app_.editor(), editor_);
        stack_->addWidget(editor_);
    }
    stack_->setCurrentWidget(editor_);
}

void RootView::showClips()
{
    if (clips_ && clips_->picker().source().id != app_.clipSource()->id) {
        stack_->removeWidget(clips_);
        clips_->deleteLater();
        clips_ = nullptr;
    }
    if (!clips_) {
        clips_ = new ui::ClipsView(app_, *app_.clipSource(), true, stack_);
        stack_->addWidget(clips_);
    }
    stack_->setCurrentWidget(clips_);
}

void RootView::showAlert()
{
    const auto& message = app_.errorMessage();
    if (!message) {
        if (alert_) alert_->close();
        return;
    }
    if (!alert_) {
        alert_ = new QMessageBox(QMessageBox::Warning, tr("Something went wrong"), tr("Something went wrong"), QMessageBox::NoButton, this);
        alert_->addButton(tr("OK"), QMessageBox::RejectRole);
        connect(alert_, &QMessageBox::finished, this, [this] {
            alert_->deleteLater();
            alert_ = nullptr;
            if (app_.errorMessage()) app_.setErrorMessage(std::nullopt);
        });
    }
    alert_->setInformativeText(QString::fromStdString(*message));
    alert_->setDetailedText(QString::fromStdString(app_.errorDetail()));
    alert_->open();
}

void RootView::showSheet()
{
    if (!app_.showShortcuts()) {
        if (sheet_) sheet_->close();
        return;
    }
    if (sheet_) return;
    sheet_ = new ShortcutsSheet(this);
    connect(sheet_, &QDialog::finished, this, [this] {
        sheet_->deleteLater();
        sheet_ = nullptr;
        app_.setShowShortcuts(false);
    });
    sheet_->open();
}

void RootView::showTips()
{
    const bool wanted = app_.showEditorTips() && app_.screen() == Screen::editor && app_.editor();
    if (!wanted) {
        if (tips_) tips_->deleteLater();
        tips_ = nullptr;
        return;
    }
    if (tips_) return;
    tips_ = new EditorTips([this] { app_.setShowEditorTips(false); }, this);
    tips_->setGeometry(rect());
    tips_->show();
    tips_->raise();
    tips_->setFocus();
}

void RootView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    paintAurora(painter, rect());
}

void RootView::resizeEvent(QResizeEvent*)
{
    if (tips_) tips_->setGeometry(rect());
}

}  // namespace vt
