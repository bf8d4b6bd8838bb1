#pragma once
// The Hook tab: the match-cut section, the hook overlay (on or off, its text
// and time on screen), the hook lines written from the transcript and the
// on-device model's rewrites, each usable with one click. Reads the editor
// model and writes the project's hook overlay through it; none of these
// edits is an undo step. Main thread only.

#include "ui/inspector/FeaturePanel.h"

#include <optional>
#include <string>
#include <vector>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QVBoxLayout;

namespace vt {
class EditorModel;
struct HookOverlay;
}

namespace vt::ui {

class MatchCutSection;
class RowNote;
class SwitchRow;
class ValueRow;

class HookView : public FeaturePanel {
    Q_OBJECT
public:
    explicit HookView(EditorModel& editor, QWidget* parent = nullptr);

    struct Parts {
        MatchCutSection* matchCuts = nullptr;
        SwitchRow* showHook = nullptr;
        QWidget* overlayRows = nullptr;
        QPlainTextEdit* hookText = nullptr;
        ValueRow* onScreen = nullptr;
        RowNote* noHooks = nullptr;
        QVBoxLayout* fromWords = nullptr;
        QVBoxLayout* rewrites = nullptr;
        RowNote* aiStatus = nullptr;
        QPushButton* write = nullptr;
        QWidget* thinking = nullptr;  // shown while the on-device model writes
        QLabel* aiError = nullptr;
    };
    const Parts& parts() const { return parts_; }

private:
    EditorModel& editor_;
    Parts parts_;

    QWidget* buildOverlay();
    QWidget* buildFromWords();
    QWidget* buildRewrites();
    void refreshOverlay();
    void rebuildLists();
    void fillList(QVBoxLayout* list, const std::vector<std::string>& lines);
    void setOverlay(const std::optional<HookOverlay>& overlay);
    void useHook(const std::string& line);
    void refreshWriting();
};

}  // namespace vt::ui
