#include "ui/shell/RootView.h"

#include "app/AppModel.h"
#include "ui/editor/EditorView.h"
#include "ui/shell/EditorTips.h"
#include "ui/shell/Screens.h"
#include "ui/shell/ShortcutsSheet.h"
#include "ui/theme/VideoDropZone.h"
#include "ui/theme/WindowChrome.h"

#include <QDragEnterEvent>
#include <QGraphicsOpacityEffect>
#include <QProcess>
#include <QPropertyAnimation>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace vt {
namespace {

std::optional<std::filesystem::path> droppedFile(const QMimeData* data)
{
    if (!data || !data->hasUrls()) return std::nullopt;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile()) return std::filesystem::path(url.toLocalFile().toStdString());
    return std::nullopt;
}

constexpr int kFadeMs = 350;

// The desktop's wish for fewer animations, where it keeps one.
bool desktopReducesMotion()
{
    QProcess gsettings;
    gsettings.start("gsettings", {"get", "org.gnome.desktop.interface", "enable-animations"});
    if (!gsettings.waitForFinished(500) || gsettings.exitCode() != 0) return false;
    return QString::fromUtf8(gsettings.readAllStandardOutput()).trimmed() == "false";
}

}  // namespace

RootView::RootView(AppModel& app, QWidget* parent) : QWidget(parent), app_(app), reduceMotion_(desktopReducesMotion())
{
    setAcceptDrops(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    stack_ = new QStackedWidget(this);
    start_ = new StartScreen(app, stack_);
    processing_ = new ProcessingScreen(app, stack_);
    clips_ = new PlaceholderScreen(stack_);
    for (QWidget* screen : {static_cast<QWidget*>(start_), static_cast<QWidget*>(processing_), static_cast<QWidget*>(clips_)})
        stack_->addWidget(screen);
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
    case Screen::home: stack_->setCurrentWidget(start_); break;
    case Screen::processing: stack_->setCurrentWidget(processing_); break;
    case Screen::editor:
        if (!app_.editor()) {
            stack_->setCurrentWidget(start_);
            break;
        }
        showEditor();
        break;
    case Screen::clips:
        if (!app_.clipSource()) {
            stack_->setCurrentWidget(start_);
            break;
        }
        clips_->setText(QString::fromStdString(app_.clipSource()->name),
                        tr("This video is 3 minutes or longer: the Shorts picker, which finds the best moments in it, comes next."));
        stack_->setCurrentWidget(clips_);
        break;
    }
    // Leaving the editor (or closing its project) takes its screen and keys away.
    if (editor_ && (stack_->currentWidget() != editor_ || app_.editor() == nullptr)) {
        stack_->removeWidget(editor_);
        editor_->deleteLater();
        editor_ = nullptr;
    }
    start_->dropZone()->setTargeted(false);
    // Welcome, onboarding, home and the Shorts picker fade in; processing and the editor appear at once.
    QWidget* now = stack_->currentWidget();
    const bool fades = now == start_ || now == clips_;
    if (now != before && fades && !reduceMotion_) fadeIn(now);
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
        stack_->addWidget(editor_);
    }
    stack_->setCurrentWidget(editor_);
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

void RootView::dragEnterEvent(QDragEnterEvent* event)
{
    if (stack_->currentWidget() != start_ || !droppedFile(event->mimeData())) return;
    event->acceptProposedAction();
    start_->dropZone()->setTargeted(true);
}

void RootView::dragLeaveEvent(QDragLeaveEvent*) { start_->dropZone()->setTargeted(false); }

void RootView::dropEvent(QDropEvent* event)
{
    start_->dropZone()->setTargeted(false);
    const auto file = droppedFile(event->mimeData());
    if (!file || stack_->currentWidget() != start_) return;
    event->acceptProposedAction();
    app_.importVideo(*file);
}

}  // namespace vt
