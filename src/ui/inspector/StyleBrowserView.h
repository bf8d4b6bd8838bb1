#pragma once
// The Styles tab: every caption look, built-in and saved, as a grid of live
// preview cards narrowed by a category (opening on Popular) and a search; a
// click gives the look to the whole video, or, when the user chose so with
// words selected, only to those words. Above the grid: the apply-to box
// (while words are selected), the caption-writing button, the translation
// status and the category pills. Saved looks can be deleted from their
// card's context menu. The view keeps only its search, category and apply-to
// choice, which start afresh each time it is made. Main thread only.

#include "captions/look/CaptionStyle.h"
#include "ui/inspector/CaptionWritingRequest.h"
#include "ui/theme/TextFitting.h"

#include <QWidget>

#include <optional>
#include <vector>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QScrollArea;
class QStackedWidget;
class QToolButton;

namespace vt {
class EditorModel;
class StyleLibrary;
}

namespace vt::ui {

class CompactButton;
class FlowLayout;
class StyleGrid;
class TranslationStatusRow;

class StyleBrowserView : public QWidget {
    Q_OBJECT
public:
    // `openWriting` shows the caption-writing sheet; without it the button does nothing.
    explicit StyleBrowserView(EditorModel& editor, OpenCaptionWriting openWriting = {}, QWidget* parent = nullptr);

    // The header's title and blurb of a category (none: all looks).
    static QString title(std::optional<StyleCategory> category);
    static QString blurb(std::optional<StyleCategory> category);

    const QString& query() const { return query_; }
    void setQuery(const QString& query);
    const std::optional<StyleCategory>& category() const { return category_; }
    void setCategory(std::optional<StyleCategory> category);
    bool onlySelected() const { return onlySelected_; }
    void setOnlySelected(bool only);
    // Only the selected words are styled: the choice is made and words are selected.
    bool onlyMode() const;
    // The card of this look is marked.
    bool isSelected(const CaptionStyle& look) const;
    // What a click on a card does.
    void apply(const CaptionStyle& look);
    // What the caption-writing button asks for: the current writing, whether
    // native scripts and the English translation can be picked, and a pick
    // that sets the caption language.
    CaptionWritingRequest writingRequest();
    // The context menu of a card: "Delete Style" for a saved look, else none.
    QMenu* menuFor(const CaptionStyle& look);

    struct Parts {
        QWidget* applyBox;
        QPushButton* wholeVideo;
        QPushButton* justSelected;
        QLabel* applyNote;
        CompactButton* sameAsVideo;
        QPushButton* writing;
        QLabel* writingGlyph;
        QLabel* writingSample;
        ElidedLabel* writingName;
        TranslationStatusRow* translation;
        QLineEdit* search;
        QToolButton* clearSearch;
        QWidget* pills;
        QLabel* title;
        QLabel* aiBadge;
        QLabel* blurb;
        QLabel* count;
        QStackedWidget* looks;
        QLabel* noResults;
        StyleGrid* grid;
    };
    const Parts& parts() const { return parts_; }
    // The pill buttons by title, in order.
    std::vector<QPushButton*> pills() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    EditorModel& editor_;
    StyleLibrary& library_;
    OpenCaptionWriting openWriting_;
    QString query_;
    std::optional<StyleCategory> category_ = StyleCategory::popular;
    bool onlySelected_ = false;
    Parts parts_{};
    FlowLayout* pillLayout_ = nullptr;
    QString fullBlurb_;  // shown on one line, elided to the room there is

    void showBlurb();

    QWidget* makeApplyBox();
    QWidget* makeWritingButton();
    QWidget* makeSearch();
    QWidget* makeHeader();
    QWidget* makeLooks();
    void refreshApplyBox();
    void refreshWriting();
    void refreshTranslation();
    void refreshPills();
    void refreshList();
};

}  // namespace vt::ui
