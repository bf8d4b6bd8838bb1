#pragma once
// The menu of video-adding commands, shared by the timeline's toolbar and
// the video lane's header: a clip at the end, at the start or after the
// clip under the playhead, or a video or photo on top. Also the file chooser
// the timeline asks for files with.

#include "editor/EditorModel.h"

#include <optional>

class QMenu;
class QWidget;

namespace vt::AddVideoItems {

// A modal open dialog for one file, titled with the message.
EditorModel::FileChooser fileChooser(QWidget* parent);
// The clip under the playhead: its index in the project's spans.
std::optional<int> currentClip(const EditorModel& editor);
// Asks for a video and adds it as a clip at `index` (none: at the end).
void add(EditorModel& editor, const EditorModel::FileChooser& choose, std::optional<int> index);
// Asks for a video or photo and puts it on top at the playhead.
void addOverlay(EditorModel& editor, const EditorModel::FileChooser& choose);
// Asks for a sound and adds it at the playhead.
void addSound(EditorModel& editor, const EditorModel::FileChooser& choose);
void fill(QMenu& menu, EditorModel& editor, const EditorModel::FileChooser& choose);

}  // namespace vt::AddVideoItems
