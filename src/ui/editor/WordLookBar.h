#pragma once
// The floating bar under the preview while caption words are selected: it
// gives the selected words a look of their own (size, colour, reset) without
// touching the video's caption look. The controls show the primary selected
// word's values; every action applies to the whole selection.
//
// The colour well opens the colour dialog: the picture follows the colour
// live while the user picks, and one undo step is recorded for the finished
// choice; cancelling puts the old colours back and records nothing.

#include "captions/look/RGBA.h"
#include "platform/Uuid.h"
#include "ui/inspector/PanelCard.h"

#include <QPointer>

#include <map>
#include <optional>
#include <set>

class QColorDialog;
class QLabel;
class QToolButton;

namespace vt {
class EditorModel;
}

namespace vt::ui {

class CompactButton;
class SymbolButton;

class WordLookBar : public PanelCard {
    Q_OBJECT
public:
    explicit WordLookBar(EditorModel& editor, QWidget* parent = nullptr);

    // "This word" or "N words".
    static QString countText(std::size_t count);
    // Reset is enabled when some selected word has a look other than the default.
    static bool resetEnabled(const EditorModel& editor);

    QLabel* count() const { return count_; }
    SymbolButton* smaller() const { return smaller_; }
    SymbolButton* bigger() const { return bigger_; }
    QLabel* readout() const { return readout_; }
    QToolButton* colorWell() const { return well_; }
    SymbolButton* clearColor() const { return clearColor_; }
    CompactButton* reset() const { return reset_; }
    QLabel* hint() const { return hint_; }
    // The open colour dialog, null when none is open.
    QColorDialog* colorDialog() const;

private:
    EditorModel& editor_;
    QLabel* count_;
    SymbolButton* smaller_;
    QLabel* readout_;
    SymbolButton* bigger_;
    QToolButton* well_;
    SymbolButton* clearColor_;
    CompactButton* reset_;
    QLabel* hint_;
    QPointer<QColorDialog> dialog_;
    // The words the open dialog colours, with the colour each had before.
    std::map<Uuid, std::optional<RGBA>> colorsBefore_;

    void refresh();
    QColor shownColor() const;
    void openColorDialog();
    void restoreColors();
};

}  // namespace vt::ui
