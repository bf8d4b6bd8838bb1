#include "app/MenuCommands.h"

#include "app/AppModel.h"

#include <algorithm>

namespace vt::MenuCommands {

EditorModel* openEditor(const AppModel& app) { return app.screen() == Screen::editor ? app.editor() : nullptr; }

void showExport(AppModel& app) { showPanel(app, InspectorTab::exportTab); }

void showPanel(AppModel& app, InspectorTab tab)
{
    if (EditorModel* editor = openEditor(app)) {
        editor->setItemInspectorOpen(false);
        editor->setInspectorTab(tab);
    }
}

void undo(AppModel& app)
{
    if (EditorModel* editor = openEditor(app)) editor->undo();
}

void redo(AppModel& app)
{
    if (EditorModel* editor = openEditor(app)) editor->redo();
}

void restoreAllCuts(AppModel& app)
{
    if (EditorModel* editor = openEditor(app)) editor->restoreAll();
}

void cutSelectedWords(AppModel& app)
{
    if (EditorModel* editor = openEditor(app)) editor->toggleDelete(std::set<Uuid>(editor->selection()));
}

void emphasizeSelectedWords(AppModel& app)
{
    if (EditorModel* editor = openEditor(app)) editor->toggleEmphasis(std::set<Uuid>(editor->selection()));
}

void removeFillerWords(AppModel& app)
{
    if (EditorModel* editor = openEditor(app)) editor->removeFillers();
}

void setTranscriptMode(AppModel& app, TranscriptMode mode)
{
    if (EditorModel* editor = openEditor(app)) editor->setTranscriptMode(mode);
}

void setCaptionsVisible(AppModel& app, bool visible)
{
    if (EditorModel* editor = openEditor(app)) {
        editor->updateProject([visible](Project& project) { project.captionsVisible = visible; });
        editor->visualChanged();
    }
}

void setSafeZones(AppModel& app, bool shown)
{
    if (EditorModel* editor = openEditor(app)) editor->setShowSafeArea(shown);
}

// The player is moved too: setting only the playhead would let the next
// time report put it back where the player stands.
void goToStart(AppModel& app)
{
    if (EditorModel* editor = openEditor(app)) editor->seekExactly(0);
}

void goToEnd(AppModel& app)
{
    if (EditorModel* editor = openEditor(app)) editor->seekExactly(endTime(editor->plan()));
}

void playOrPause(AppModel& app)
{
    if (EditorModel* editor = openEditor(app)) editor->togglePlay();
}

void shuttle(AppModel& app, int direction)
{
    if (EditorModel* editor = openEditor(app)) editor->shuttle(direction);
}

void placeAtPlayhead(AppModel& app, const EditorModel::TimelineDrop& drop)
{
    if (EditorModel* editor = openEditor(app)) editor->place(drop, editor->currentTime());
}

void removeSelectedItem(AppModel& app)
{
    EditorModel* editor = openEditor(app);
    // A copy: removing clears the selection it comes from.
    if (const auto item = editor ? editor->timelineSelection() : std::nullopt) editor->remove(*item);
}

void duplicateSelectedItem(AppModel& app)
{
    EditorModel* editor = openEditor(app);
    if (const auto item = editor ? editor->timelineSelection() : std::nullopt) editor->duplicate(*item);
}

void moveSelectedItemToPlayhead(AppModel& app)
{
    EditorModel* editor = openEditor(app);
    const auto item = editor ? editor->timelineSelection() : std::nullopt;
    if (!item) return;
    if (const auto at = editor->span(*item)) editor->setSpan(*item, editor->currentTime(), at->second - at->first, true);
}

void zoomIn(AppModel& app)
{
    if (EditorModel* editor = openEditor(app)) editor->setTimelineZoom(zoomedIn(editor->timelineZoom()));
}

void zoomOut(AppModel& app)
{
    if (EditorModel* editor = openEditor(app)) editor->setTimelineZoom(zoomedOut(editor->timelineZoom()));
}

void showWholeVideo(AppModel& app)
{
    if (EditorModel* editor = openEditor(app)) editor->setTimelineZoom(1);
}

double endTime(const EditPlan& plan)
{
    if (plan.segments.empty()) return 0;
    return std::max(plan.segments.back().outputEnd() - 0.05, 0.0);
}

double zoomedIn(double zoom) { return std::min(zoom * 1.6, 40.0); }

double zoomedOut(double zoom) { return std::max(zoom / 1.6, 1.0); }

}  // namespace vt::MenuCommands
