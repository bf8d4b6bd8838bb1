#pragma once
// The "VIDEO EFFECTS" group: tiles that add a camera move or look effect at
// the playhead (or carry it to the timeline by drag), Auto Zoom and Remove
// All, the editor of the selected move and the list of placed moves. Every
// change goes through the editor model's commands and is one undo step (a
// slider drag makes one). Main thread only.

#include "model/MotionEffect.h"

#include "ui/inspector/Binding.h"

#include <QWidget>

#include <functional>

#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QVBoxLayout;

namespace vt {
class EditorModel;
}

namespace vt::ui {

class DragTile;
class InspectorGroup;
class RowNote;
class SwitchRow;
class ValueRow;

class MotionSection : public QWidget {
    Q_OBJECT
public:
    explicit MotionSection(EditorModel& editor, QWidget* parent = nullptr);

    // The note "Auto Zoom" leaves for `added` new moves.
    static QString autoNoteText(int added);
    // "Sound (whoosh)"; none for a kind without a sound.
    static std::optional<QString> soundTitle(MotionEffect::Kind kind);

    const std::optional<QString>& autoNote() const { return autoNote_; }
    // Gives the selected move its kind's default length (one undo step).
    void resetLength();

    struct Parts {
        QLabel* count = nullptr;
        std::vector<DragTile*> tiles;  // in kind order
        QWidget* editor = nullptr;
        QComboBox* kind = nullptr;
        QLabel* startsAt = nullptr;
        QPushButton* playhead = nullptr;
        ValueRow* length = nullptr;
        QWidget* strengthRow = nullptr;
        ValueRow* strength = nullptr;
        QWidget* soundRow = nullptr;
        SwitchRow* sound = nullptr;
        QLabel* blurb = nullptr;
        QPushButton* autoZoom = nullptr;
        QPushButton* removeAll = nullptr;
        RowNote* note = nullptr;
        std::vector<QWidget*> listRows;
    };
    const Parts& parts() const { return parts_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    EditorModel& editor_;
    std::optional<QString> autoNote_;
    bool dragging_ = false;  // a slider drag of the selected move is under way
    QVBoxLayout* list_ = nullptr;
    Parts parts_;

    QWidget* buildTiles(const QString& title, const std::vector<MotionEffect::Kind>& kinds);
    QWidget* buildEditor();
    QWidget* buildButtons();
    void refresh();
    void refreshEditor();
    void rebuildList();
    // Changes one field of the selected move: one undo step, or none while
    // a drag that already recorded its step goes on.
    void edit(const std::function<void(MotionEffect&)>& change, bool recordUndo = true);
    Binding<double> dragBinding(double MotionEffect::*field, ValueRow** row);
};

}  // namespace vt::ui
