#pragma once
// An editor over fakes whose project wears a built-in look, with the style
// library on a throw-away data folder, and lookups of panel rows by title.

#include "captions/StyleLibrary.h"
#include "captions/presets/StylePresets.h"
#include "editor/EditorFakes.h"
#include "support/TestSupport.h"
#include "ui/inspector/InspectorRow.h"
#include "ui/inspector/ValueRow.h"

#include <QApplication>
#include <QLabel>

#include <memory>

namespace vt::test {

// The shared library is made once per process; point it at a folder of its own first.
inline StyleLibrary& sandboxedLibrary()
{
    static TempDir data;
    static ScopedEnv home{"XDG_DATA_HOME", data.path().string()};
    StyleLibrary::shared().setCustom({});
    return StyleLibrary::shared();
}

inline Project styledProject(const CaptionStyle& look = StylePresets::all().front())
{
    Project p = sampleProject();
    p.style = look;
    p.baseStyleID = look.id;
    return p;
}

struct StyleRig {
    StyleLibrary& library = sandboxedLibrary();
    EditorRig rig;
    explicit StyleRig(Project project = styledProject()) : rig(std::move(project)) {}
    EditorModel& editor() { return *rig.model; }
    const CaptionStyle& look() { return rig.model->project().style; }
    void change(const std::function<void(CaptionStyle&)>& edit)
    {
        CaptionStyle s = look();
        edit(s);
        rig.model->updateProject([&](Project& p) { p.style = s; });
    }
};

// The row of a kind with this title under `root`; null when there is none.
template <class Row>
Row* rowTitled(QWidget* root, const QString& title)
{
    for (Row* row : root->findChildren<Row*>())
        if (row->titleLabel()->text() == title) return row;
    return nullptr;
}

// Shown once its window is (a closed section hides its rows).
inline bool shown(QWidget* w) { return w && w->isVisibleTo(w->window()); }

}  // namespace vt::test
