#pragma once
// What the menu commands do to the open project. Each acts only while the
// editor screen shows an open project (the editor condition) and does
// nothing otherwise, so a command whose moment has passed is harmless.
// Main thread only.

#include "editor/EditorModel.h"
#include "editor/InspectorTab.h"
#include "editor/TranscriptMode.h"

namespace vt {

class AppModel;
struct EditPlan;

namespace MenuCommands {

// The open editor model when the editor screen shows it, else null.
EditorModel* openEditor(const AppModel& app);

void showExport(AppModel& app);                      // closes the item inspector, then the export panel
void showPanel(AppModel& app, InspectorTab tab);     // closes the item inspector, then that panel
void undo(AppModel& app);
void redo(AppModel& app);
void restoreAllCuts(AppModel& app);
void cutSelectedWords(AppModel& app);        // all or none: restores them when every one is cut
void emphasizeSelectedWords(AppModel& app);  // the same rule for emphasis
void removeFillerWords(AppModel& app);
void setTranscriptMode(AppModel& app, TranscriptMode mode);
void setCaptionsVisible(AppModel& app, bool visible);  // saved with the project
void setSafeZones(AppModel& app, bool shown);          // a view setting only
void goToStart(AppModel& app);  // the playhead and the player
void goToEnd(AppModel& app);
void playOrPause(AppModel& app);
void shuttle(AppModel& app, int direction);  // 1 forward, -1 back, 0 pauses
// A camera move or match cut at the playhead.
void placeAtPlayhead(AppModel& app, const EditorModel::TimelineDrop& drop);
void removeSelectedItem(AppModel& app);
void duplicateSelectedItem(AppModel& app);
void moveSelectedItemToPlayhead(AppModel& app);  // keeping its length
void zoomIn(AppModel& app);
void zoomOut(AppModel& app);
void showWholeVideo(AppModel& app);

// The playhead "Go to End" puts down: the end of the last kept stretch less
// 0.05 s, at least 0; 0 without kept stretches.
double endTime(const EditPlan& plan);
// Timeline zoom steps: × 1.6 up to 40, ÷ 1.6 down to 1.
double zoomedIn(double zoom);
double zoomedOut(double zoom);

}  // namespace MenuCommands
}  // namespace vt
