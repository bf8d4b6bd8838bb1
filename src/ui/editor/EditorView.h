#pragma once
// The editor screen: a title bar (back to the projects, the project's name
// and statistics, undo, redo, Export), then the icon rail, the central
// column (preview, dock handle, transcript dock) and the inspector side by
// side in a split the user can drag. The dock's height is kept per kind of
// view in the settings ("transcriptDockHeight2", "timelineDockHeight2") and
// limited to 62 % of the column. Installs the editor keys while it exists
// and brings up the editor tips until they were seen once.

#include <QWidget>

#include <memory>

class QLabel;
class QSplitter;

namespace vt {
class AppModel;
class EditorExportHost;
class EditorModel;
class ExportAction;
}

namespace vt::ui {

class DockHandle;
class EditorKeys;
class IconRail;
class InspectorPanel;
class PlayerFrames;
class PreviewPanel;
class SymbolButton;
class SymbolTextButton;
class TranscriptDock;

class EditorView : public QWidget {
    Q_OBJECT
public:
    static constexpr double defaultDockHeight = 200, defaultTimelineHeight = 400, minDockHeight = 160;

    EditorView(EditorModel& editor, AppModel* app, QWidget* parent = nullptr);
    ~EditorView() override;

    // The statistics after the name: duration · kept words · look name.
    static QString statistics(const EditorModel& editor);
    // The largest dock height a central column this tall allows.
    static double dockLimit(double columnHeight);

    EditorModel& model() const { return editor_; }
    double activeDockHeight() const;
    void setActiveDockHeight(double height);

    SymbolButton* backButton() const { return back_; }
    SymbolButton* undoButton() const { return undo_; }
    SymbolButton* redoButton() const { return redo_; }
    SymbolTextButton* exportButton() const { return export_; }
    QLabel* nameLabel() const { return name_; }
    QLabel* statsLabel() const { return stats_; }
    IconRail* rail() const { return rail_; }
    TranscriptDock* dock() const { return dock_; }
    DockHandle* handle() const { return handle_; }
    QWidget* column() const { return column_; }
    QSplitter* splitter() const { return split_; }
    EditorKeys* keys() const { return keys_; }
    PreviewPanel* preview() const { return preview_; }
    // The editor's one player on screen, shared by the preview and the
    // full-screen player.
    PlayerFrames* playerFrames() const { return frames_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    EditorModel& editor_;
    AppModel* app_;
    std::unique_ptr<EditorExportHost> exportHost_;
    std::unique_ptr<ExportAction> exportAction_;
    SymbolButton* back_;
    QLabel* name_;
    QLabel* stats_;
    SymbolButton* undo_;
    SymbolButton* redo_;
    SymbolTextButton* export_;
    IconRail* rail_;
    QSplitter* split_;
    QWidget* column_;
    PlayerFrames* frames_;
    PreviewPanel* preview_;
    DockHandle* handle_;
    TranscriptDock* dock_;
    InspectorPanel* inspector_;
    EditorKeys* keys_;

    QWidget* makeTitleBar();
    void refreshHeader();
    void fitDock();
};

}  // namespace vt::ui
