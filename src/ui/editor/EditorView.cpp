#include "ui/editor/EditorView.h"

#include "app/AppModel.h"
#include "app/AppSettings.h"
#include "editor/EditorModel.h"
#include "export/EditorExportHost.h"
#include "export/ExportAction.h"
#include "ui/editor/DockHandle.h"
#include "ui/editor/EditorKeys.h"
#include "ui/editor/IconRail.h"
#include "ui/editor/FullScreenPlayer.h"
#include "ui/editor/PlayerLayerView.h"
#include "ui/editor/PreviewPanel.h"
#include "ui/editor/ScriptPicker.h"
#include "ui/editor/SymbolButton.h"
#include "ui/editor/SymbolTextButton.h"
#include "ui/editor/TranscriptDock.h"
#include "ui/timeline/TimelinePanel.h"
#include "ui/inspector/InspectorPanel.h"
#include "ui/inspector/KitText.h"
#include "ui/inspector/TimeFormat.h"
#include "ui/theme/Theme.h"
#include "ui/theme/WindowChrome.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QSplitter>
#include <QVBoxLayout>

#include <algorithm>

namespace vt::ui {
namespace {

constexpr std::string_view dockKey = "transcriptDockHeight2";
constexpr std::string_view timelineKey = "timelineDockHeight2";
constexpr std::string_view tipsKey = "editorTipsSeen";
constexpr int maxNameWidth = 360;

}  // namespace

EditorView::EditorView(EditorModel& editor, AppModel* app, QWidget* parent)
    : QWidget(parent), editor_(editor), app_(app)
{
    // The program's export runs through the real composer the application
    // model made for this project; a view made without one (tests) gets an
    // action of its own that says the compositor is missing.
    ExportAction* exportAction = app ? app->exportAction() : nullptr;
    if (!exportAction) {
        exportHost_ = std::make_unique<EditorExportHost>(editor, nullptr, [&editor] {
            if (editor.isPlaying()) editor.togglePlay();
        });
        exportAction_ = std::make_unique<ExportAction>(*exportHost_);
        exportAction = exportAction_.get();
    }
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(makeTitleBar());

    auto* work = new QHBoxLayout;
    work->setContentsMargins(10, 4, 14, 12);
    work->setSpacing(12);
    rail_ = new IconRail(editor, app, this);
    split_ = new QSplitter(Qt::Horizontal, this);
    split_->setChildrenCollapsible(false);
    column_ = new QWidget(split_);
    column_->setMinimumWidth(460 + 6);
    auto* centre = new QVBoxLayout(column_);
    centre->setContentsMargins(0, 0, 6, 0);
    centre->setSpacing(10);
    // The player goes before the view when the editor closes: a tick after
    // that finds it gone and shows nothing new.
    QPointer<PlayerService> player = app ? app->player() : nullptr;
    frames_ = new PlayerFrames(player ? std::function<QImage()>([player] {
        return player ? player->player().currentFrame() : QImage();
    })
                                      : std::function<QImage()>(),
                               this);
    if (player) connect(player, &PlayerService::pictureReady, frames_, &PlayerFrames::poll);
    preview_ = new PreviewPanel(editor, frames_, column_);
    handle_ = new DockHandle([this] { return activeDockHeight(); }, [this](double h) { setActiveDockHeight(h); },
                             [this] { return std::pair{minDockHeight, dockLimit(column_->height())}; }, column_);
    dock_ = new TranscriptDock(editor, app, column_);
    auto* timelineLayout = new QVBoxLayout(dock_->timelinePlace());
    timelineLayout->setContentsMargins(0, 0, 0, 0);
    timelineLayout->addWidget(new TimelinePanel(editor, [this] { dock_->focusPanel(); }, dock_->timelinePlace()));
    centre->addWidget(preview_, 1);
    centre->addWidget(handle_);
    centre->addWidget(dock_);
    auto* inspectorBox = new QWidget(split_);
    auto* inspectorLayout = new QVBoxLayout(inspectorBox);
    inspectorLayout->setContentsMargins(6, 0, 0, 0);
    auto openWriting = [](const CaptionWritingRequest& request, QWidget* parent) {
        auto* picker = new ScriptPicker(request.selection, request.nativeAvailable,
                                        ScriptPicker::Translation{request.translationUnavailableReason},
                                        request.onSelect, true, parent);
        picker->setAttribute(Qt::WA_DeleteOnClose);
        picker->open();
    };
    inspector_ = new InspectorPanel(editor, *exportAction, openWriting, inspectorBox);
    inspectorLayout->addWidget(inspector_);
    // At least 340 wide, wider when large text leaves a panel's rows no room.
    inspectorLayout->addStrut(340);
    inspectorBox->setMaximumWidth(500 + 6);
    split_->addWidget(column_);
    split_->addWidget(inspectorBox);
    split_->setStretchFactor(0, 1);
    split_->setSizes({800, 390 + 6});
    work->addWidget(rail_);
    work->addWidget(split_, 1);
    column->addLayout(work, 1);
    column_->installEventFilter(this);

    for (auto signal : {&EditorModel::projectChanged, &EditorModel::planChanged, &EditorModel::paragraphsChanged,
                        &EditorModel::historyChanged})
        connect(&editor, signal, this, &EditorView::refreshHeader);
    connect(&editor, &EditorModel::transcriptModeChanged, this, &EditorView::fitDock);
    refreshHeader();
    fitDock();

    keys_ = new EditorKeys(editor, this);
    if (app) {
        // The tips come up until they were finished or skipped once.
        if (!AppSettings::boolean(tipsKey)) app->setShowEditorTips(true);
        connect(app, &AppModel::showEditorTipsChanged, this, [this] {
            if (app_->showEditorTips()) editor_.setTranscriptMode(TranscriptMode::transcription);
            else AppSettings::set(tipsKey, true);
        });
        if (app->showEditorTips()) editor.setTranscriptMode(TranscriptMode::transcription);
    }
}

EditorView::~EditorView()
{
    // The full-screen player never outlives the editor screen.
    if (FullScreenPlayer* open = FullScreenPlayer::current()) open->close();
}

QWidget* EditorView::makeTitleBar()
{
    auto* leading = new QWidget(this);
    auto* left = new QHBoxLayout(leading);
    left->setContentsMargins(0, 0, 0, 0);
    left->setSpacing(8);
    back_ = new SymbolButton("chevron.left", {24, 24}, 12, leading);
    back_->setToolTip(tr("Back to projects (Shift+Ctrl+Left)"));
    back_->setAccessibleName(tr("Back to projects"));
    connect(back_, &QToolButton::clicked, this, [this] {
        if (app_) app_->closeEditor();
    });
    name_ = kit::label({}, 13, QFont::DemiBold, Theme::ink, leading);
    stats_ = kit::label({}, 12, QFont::Normal, Theme::secondaryText, leading);
    // The statistics give way first when the bar is narrow.
    stats_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    stats_->setMinimumWidth(1);
    left->addWidget(back_);
    left->addWidget(name_);
    left->addWidget(stats_, 1);

    auto* trailing = new QWidget(this);
    auto* right = new QHBoxLayout(trailing);
    right->setContentsMargins(0, 0, 0, 0);
    right->setSpacing(4);
    undo_ = new SymbolButton("arrow.uturn.backward", {26, 24}, 15, trailing);
    undo_->setToolTip(tr("Undo (Ctrl+Z)"));
    undo_->setAccessibleName(tr("Undo"));
    redo_ = new SymbolButton("arrow.uturn.forward", {26, 24}, 15, trailing);
    redo_->setToolTip(tr("Redo (Shift+Ctrl+Z)"));
    redo_->setAccessibleName(tr("Redo"));
    export_ = new SymbolTextButton("square.and.arrow.up", tr("Export"), CompactButton::Kind::primary, trailing);
    QFont f = export_->font();
    f.setPointSizeF(12);
    f.setWeight(QFont::DemiBold);
    export_->setFont(f);
    export_->setToolTip(tr("Export (Shift+Ctrl+E)"));
    connect(undo_, &QToolButton::clicked, this, [this] { editor_.undo(); });
    connect(redo_, &QToolButton::clicked, this, [this] { editor_.redo(); });
    connect(export_, &QPushButton::clicked, this, [this] {
        editor_.setItemInspectorOpen(false);
        editor_.setInspectorTab(InspectorTab::exportTab);
    });
    right->addWidget(undo_);
    right->addWidget(redo_);
    right->addSpacing(4);
    right->addWidget(export_);
    return new TitleBar(leading, trailing, this);
}

QString EditorView::statistics(const EditorModel& editor)
{
    const int kept = static_cast<int>(editor.transcript().size()) - editor.cutCount();
    return formatTime(editor.plan().outputLength()) + " · " + QString::number(kept) + " words · " +
           QString::fromStdString(editor.project().style.name);
}

double EditorView::dockLimit(double columnHeight) { return std::max(0.62 * columnHeight, 200.0); }

double EditorView::activeDockHeight() const
{
    const bool timeline = editor_.transcriptMode() == TranscriptMode::timeline;
    const auto stored = AppSettings::string(timeline ? timelineKey : dockKey);
    bool ok = false;
    const double height = stored ? QString::fromStdString(*stored).toDouble(&ok) : 0;
    return ok ? height : timeline ? defaultTimelineHeight : defaultDockHeight;
}

void EditorView::setActiveDockHeight(double height)
{
    AppSettings::set(editor_.transcriptMode() == TranscriptMode::timeline ? timelineKey : dockKey, height);
    fitDock();
}

void EditorView::fitDock()
{
    // A stored height above the limit is kept and only clipped for display;
    // below what the dock's header and transport need (large text), those
    // win.
    const int shown = static_cast<int>(std::min(activeDockHeight(), dockLimit(column_->height())));
    dock_->setFixedHeight(std::max(shown, dock_->minimumSizeHint().height()));
}

bool EditorView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == column_ && event->type() == QEvent::Resize) fitDock();
    return QWidget::eventFilter(watched, event);
}

void EditorView::refreshHeader()
{
    const QString name = QString::fromStdString(editor_.project().name);
    // One line, cut in the middle; the full name is the help text.
    name_->setText(name_->fontMetrics().elidedText(name, Qt::ElideMiddle, maxNameWidth));
    name_->setToolTip(name);
    stats_->setText(statistics(editor_));
    undo_->setEnabled(editor_.canUndo());
    redo_->setEnabled(editor_.canRedo());
}

}  // namespace vt::ui
