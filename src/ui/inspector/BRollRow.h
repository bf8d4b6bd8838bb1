#pragma once
// One entry of the B-roll panel: a B-roll or timed overlay with its
// thumbnail and kind badge, name, caption, place on the output (or the
// warning that its words were cut), a warning when its file is gone, Jump
// and Remove, and its layout, entrance and (photos) Ken Burns settings.
// Built anew by the panel on every change; holds a copy of the item as of
// then and writes the project only through the editor model. Nothing here
// records an undo step. Main thread only.

#include "model/BRoll.h"
#include "model/Placements.h"

#include <QWidget>

#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QToolButton;

namespace vt {
class EditorModel;
}

namespace vt::ui {

class BRollRow : public QWidget {
    Q_OBJECT
public:
    BRollRow(EditorModel& editor, BRoll item, std::optional<BRollPlacement> placement, QWidget* parent = nullptr);

    // "0:03 – 0:07 · 4.3s" for a placement from 3.2 s to 7.5 s.
    static QString timeLine(double start, double end);

    struct Parts {
        QWidget* thumbnail = nullptr;
        QLabel* name = nullptr;
        QLabel* caption = nullptr;
        QLabel* time = nullptr;        // absent without a placement
        QLabel* wordsCut = nullptr;    // absent with a placement
        QLabel* fileMissing = nullptr; // absent while the file exists
        QToolButton* jump = nullptr;
        QToolButton* remove = nullptr;
        QComboBox* layout = nullptr;
        QComboBox* entrance = nullptr;
        QCheckBox* kenBurns = nullptr;  // photos only
    };
    const Parts& parts() const { return parts_; }

private:
    EditorModel& editor_;
    BRoll item_;
    std::optional<BRollPlacement> placement_;
    Parts parts_;

    QWidget* buildFirstLine();
    QWidget* buildSecondLine();
    // Changes this item's entry in the project, if it is still there.
    void write(const std::function<void(BRoll&)>& change);
};

}  // namespace vt::ui
