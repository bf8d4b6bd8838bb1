#pragma once
// The Customize tab: edits the video's caption look in place. A header with
// the look's name in a menu (browse, save as, reset), an "Edited" badge while
// the look differs from the library look it came from, a reset button and
// "Save as Style"; a live preview; a QUICK EDIT group of everyday settings;
// a STYLE group of five collapsible sections and an ADVANCED group with the
// word-timing section, one section open at a time.
//
// Every control writes one field of the look through the editor's style
// binding (StyleEdits). Look edits, reset and save as are outside the undo
// history. Numbers are shown and read with a "."
// whatever the user's locale. Main thread only.

#include "captions/look/CaptionStyle.h"
#include "ui/inspector/Binding.h"
#include "ui/inspector/LookRows.h"

#include <QColor>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <utility>
#include <optional>
#include <string>
#include <vector>

class QDialog;
class QLabel;
class QLineEdit;
class QScrollArea;
class QToolButton;

namespace vt {
class EditorModel;
struct Project;
}

namespace vt::ui {

class CompactButton;
class DisclosureGroup;
class LiveStylePreview;
class LookSection;
class ToolbarIconButton;

class StyleEditorView : public QWidget {
    Q_OBJECT
public:
    enum class Section { spacing, layout, color, emphasis, finishes, timing };

    explicit StyleEditorView(EditorModel& editor, QWidget* parent = nullptr);
    ~StyleEditorView() override;

    // ---- shared with the sections ----
    // printf "%.<decimals>f" in the C locale: 1.5 with 1 gives "1.5".
    static QString fmt(double value, int decimals);
    // An integer field as a double; writes round halves away from zero.
    static Binding<double> intBinding(StyleEdits& edits, std::int64_t CaptionStyle::*field);
    // The font book's choices (label, font name), then the current name when
    // it is not empty and no choice has it.
    static LookRows::Options<std::string> fontOptions(const std::string& current);
    struct LineSizeOption {
        const char* label;
        std::vector<double> scales;
    };
    static const std::array<LineSizeOption, 4>& lineSizeOptions();
    // White, FFE500, 00E5FF, FF5FA8: the palette "Multicolor words" writes.
    static const std::vector<RGBA>& multicolor();
    // A non-optional colour field as a toolkit colour.
    static Binding<QColor> colorBinding(StyleEdits& edits, RGBA CaptionStyle::*field);
    static QString sectionID(Section section);

    // ---- header state ----
    // The library look of the project's baseStyleID differs from its look.
    static bool isEdited(const Project& project);
    // "Reset to <base name>" or "Reset to Original" (menu); the button's help
    // ends with "the original style" instead.
    static QString resetTitle(const Project& project, bool forButton);

    // ---- the save-as dialog ----
    void openSaveDialog();
    const std::optional<QString>& savingName() const { return savingName_; }
    QDialog* saveDialog() const { return saveDialog_; }
    QLineEdit* saveNameField() const { return saveName_; }
    void confirmSave();
    void cancelSave();

    struct Parts {
        QToolButton* styleMenu;
        QLabel* edited;
        ToolbarIconButton* reset;
        CompactButton* saveAs;
        LiveStylePreview* preview;
        DisclosureGroup* sections;
        std::vector<LookSection*> sectionList;  // in Section order
        QWidget* quickEdit;
    };
    const Parts& parts() const { return parts_; }

private:
    EditorModel& editor_;
    StyleEdits* edits_;
    Parts parts_{};
    std::optional<LookRows> quick_;
    std::optional<QString> savingName_;
    QDialog* saveDialog_ = nullptr;
    QLineEdit* saveName_ = nullptr;

    QWidget* makeHeader();
    QWidget* makeQuickEdit();
    // The segmented picker and how it shows the look again.
    std::pair<QWidget*, std::function<void()>> makeAlignment();
    void refresh();
};

}  // namespace vt::ui
