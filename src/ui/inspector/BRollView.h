#pragma once
// The B-roll tab: the transition played at every jump cut, and the list of
// B-rolls and timed overlays with the button that adds one over the
// selected words or at the playhead. Keeps no state; rebuilt from the editor
// model after each change it observes. Main thread only.

#include "editor/EditorModel.h"
#include "ui/inspector/FeaturePanel.h"

class QPushButton;
class QVBoxLayout;

namespace vt::ui {

class BRollRow;
class MenuRow;
class RowNote;

class BRollView : public FeaturePanel {
    Q_OBJECT
public:
    // `choose` asks for the file to add; the system's file dialog when empty.
    explicit BRollView(EditorModel& editor, EditorModel::FileChooser choose = {}, QWidget* parent = nullptr);

    // The note under the transition menu for each case.
    static QString transitionNote(CutTransition transition);

    struct Parts {
        MenuRow* transition = nullptr;
        RowNote* transitionNote = nullptr;
        RowNote* noCutsNote = nullptr;
        QPushButton* add = nullptr;
        QWidget* emptyRow = nullptr;       // shown while the list is empty
        std::vector<BRollRow*> rows;
        int dividers = 0;                  // between the rows
    };
    const Parts& parts() const { return parts_; }

private:
    EditorModel& editor_;
    EditorModel::FileChooser choose_;
    QVBoxLayout* list_ = nullptr;
    Parts parts_;

    QWidget* buildTransitions();
    QWidget* buildBRollGroup();
    void refreshTransitions();
    void refreshAddButton();
    void rebuildList();
};

}  // namespace vt::ui
