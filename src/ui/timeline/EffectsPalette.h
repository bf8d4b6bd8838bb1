#pragma once
// The effects palette: one chip per camera-move kind in the groups "Camera"
// and "Look"; a click adds the move at the playhead and calls `done`, a drag
// carries it onto the timeline.

#include <QFrame>

#include <functional>

namespace vt {

class EditorModel;

class EffectsPalette : public QFrame {
    Q_OBJECT
public:
    EffectsPalette(EditorModel& editor, std::function<void()> done, QWidget* parent = nullptr);
    // Shows the palette in a popup owned by `owner`, placed by `place` from
    // the palette's size (global coordinates); a click on a chip closes it.
    static void popup(EditorModel& editor, QWidget* owner, const std::function<QPoint(QSize)>& place);
};

}  // namespace vt
