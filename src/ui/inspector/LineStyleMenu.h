#pragma once
// A compact menu that gives a set of caption words a look of their own:
// "Same as the Video", the curated popular looks, and "More Styles…" (the
// Styles tab). Its label names the look the words share, else "Style".
// Each choice is one undo step of the editor. Main thread only.

#include "platform/Uuid.h"

#include <QToolButton>

#include <set>

namespace vt {
class EditorModel;
}

namespace vt::ui {

class LineStyleMenu : public QToolButton {
    Q_OBJECT
public:
    LineStyleMenu(EditorModel& editor, std::set<Uuid> ids, QWidget* parent = nullptr);

    void setIDs(std::set<Uuid> ids);
    // The label: the shared look's name, else "Style".
    QString label() const;

private:
    EditorModel& editor_;
    std::set<Uuid> ids_;

    void rebuildMenu();
    void refresh();
};

}  // namespace vt::ui
