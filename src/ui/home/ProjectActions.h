#pragma once
// The four actions of one project on the home screen, and the menu that
// offers them (the context menu and the actions button of every card and
// row): "Rename…", "Duplicate", "Show Video in File Manager", a divider,
// and the destructive "Delete…".

#include <QString>

#include <functional>

class QMenu;

namespace vt {

struct ProjectActions {
    std::function<void()> rename;
    std::function<void()> duplicate;
    std::function<void()> reveal;
    std::function<void()> remove;

    // Fills `menu` with the four items; each calls its action once.
    void addTo(QMenu& menu) const;
};

}  // namespace vt
