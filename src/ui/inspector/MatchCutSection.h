#pragma once
// The "MATCH CUT" group of the hook panel: a word typed (or taken from a
// match cut on the timeline) shown in each of the seven match-cut styles as
// animated cards; a click on a card adds a match cut at the playhead or
// restyles the selected one, a drag carries it to the timeline. Under it
// the match cuts already placed, as chips, and the editor of the selected
// one. Changes the project only through the editor model's match-cut
// commands, each one undo step (a slider drag makes one).
//
// Previews render on the thread pool, one task per style; results are kept
// in a small cache shared by every section, and a result for a word or seed
// that is no longer shown is dropped. Main thread only otherwise.

#include "model/MatchCut.h"
#include "model/OutputAspect.h"

#include <QImage>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QMenu;
class QToolButton;
class QVBoxLayout;

namespace vt {
class EditorModel;
}

namespace vt::ui {

class FlowLayout;
class InspectorGroup;
class RowNote;
class SuggestionChips;
class SwitchRow;
class ValueRow;
class MatchCutCard;
class DragTile;

class MatchCutSection : public QWidget {
    Q_OBJECT
public:
    explicit MatchCutSection(EditorModel& editor, QWidget* parent = nullptr);

    // Shows the word (trimmed, at most 24 characters) on the cards.
    void show(const QString& word);
    // Adds a match cut in the style, or restyles the one being edited.
    void pick(MatchCut::Style style, const std::optional<MatchCut>& editing);

    // Blocks until every preview being drawn is done (before the application ends).
    static void waitForPreviews();
    // The preview size for an output shape, fitted into 240 × 240.
    static QSize previewSize(OutputAspect aspect);
    // When the word is next spoken after `after` (output seconds), wrapping
    // to its first time; none when it is never spoken.
    std::optional<double> spokenTime(const std::string& word, double after) const;
    // The header's count: "" / "On" / "3 on timeline".
    static QString countText(std::size_t placed);

    QString shownWord() const { return shownWord_; }
    std::int64_t seed() const { return seed_; }
    // The frames the style's card shows; none while they are rendering.
    const std::vector<QImage>* previews(MatchCut::Style style) const
    {
        const auto it = previews_.find(style);
        return it == previews_.end() ? nullptr : &it->second;
    }

    struct Parts {
        InspectorGroup* group = nullptr;
        QLabel* count = nullptr;
        QLineEdit* search = nullptr;
        QToolButton* clear = nullptr;
        SuggestionChips* suggestions = nullptr;
        QWidget* placedRow = nullptr;
        std::vector<QToolButton*> chips;  // one per placed match cut
        QToolButton* newChip = nullptr;
        QWidget* styles = nullptr;
        RowNote* pickNote = nullptr;
        std::vector<DragTile*> cards;  // in style order
        RowNote* introNote = nullptr;
        QWidget* editor = nullptr;
        QLabel* startsAt = nullptr;
        QToolButton* move = nullptr;
        std::vector<QToolButton*> speeds;
        ValueRow* length = nullptr;
        SwitchRow* ticks = nullptr;
        QLabel* summary = nullptr;
        QWidget* showTimelineRow = nullptr;
    };
    const Parts& parts() const { return parts_; }
    // The items of the "move" menu for the selected match cut, as shown.
    QMenu* moveMenu() const { return moveMenu_; }

private:
    EditorModel& editor_;
    QString shownWord_;
    std::int64_t seed_ = 1;
    std::map<MatchCut::Style, std::vector<QImage>> previews_;
    std::pair<std::vector<std::string>, std::vector<std::string>> context_;  // keywords, lines
    bool lengthDrag_ = false;  // a slider drag of the length is under way
    QMenu* moveMenu_ = nullptr;
    QVBoxLayout* placedFlowHolder_ = nullptr;
    FlowLayout* placedFlow_ = nullptr;
    std::vector<MatchCutCard*> styleCards_;
    Parts parts_;

    QWidget* buildSearch();
    QWidget* buildPlacedRow();
    QWidget* buildStyles();
    QWidget* buildEditor();
    QWidget* buildShowTimeline();

    MatchCut templateCut(MatchCut::Style style) const;
    void appear();
    void load(const std::optional<MatchCut>& cut);
    void renderPreviews();
    void selectionChanged();
    void refresh();
    void refreshPlaced();
    void refreshPickNote();
    void refreshEditor();
    void fillMoveMenu();
    void update(const std::function<void(MatchCut&)>& edit, bool recordUndo = true);
    void shuffle();
};

}  // namespace vt::ui
