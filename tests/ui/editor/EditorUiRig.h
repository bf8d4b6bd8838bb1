#pragma once
// An editor over fakes with throw-away settings and data folders, for the
// editor window's widget tests.

#include "editor/EditorFakes.h"
#include "export/SettingsSandbox.h"

#include <QApplication>
#include <QTest>

namespace vt::test {

struct EditorUiRig {
    SettingsSandbox settings;
    TempDir data;
    ScopedEnv dataHome{"XDG_DATA_HOME", data.path().string()};
    EditorRig rig;

    explicit EditorUiRig(Project project = sampleProject(12)) : rig(std::move(project)) {}
    EditorModel& editor() { return *rig; }
    const Word& word(std::size_t i) { return editor().transcript()[i]; }
    // Makes `i` the word under the playhead, as a time report does.
    void speak(std::size_t i, bool playing = false)
    {
        rig.player->report(editor().outputTime(word(i)) + 0.05, playing ? 1 : 0);
    }
};

}  // namespace vt::test
