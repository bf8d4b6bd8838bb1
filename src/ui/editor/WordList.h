#pragma once
// The transcript as paragraphs of word chips in a vertical scroll view:
// 12 points between paragraphs, padded 12 at the sides and 6 at top and
// bottom. Only paragraphs whose words changed are laid out again, and only
// the chips on screen are painted. Clicks pick words (Shift extends, Ctrl
// toggles), a double click retypes the word in place, the context menu
// holds the word commands. While playing, the spoken word's paragraph is
// scrolled to the centre; one taller than the view only as far as the
// word's line stays in view. A word that is cut or restored eases into its
// new look over 0.2 s, unless motion is reduced.

#include "platform/Uuid.h"
#include "ui/editor/ParagraphView.h"

#include "ui/editor/InlineWordField.h"

#include <QAbstractScrollArea>
#include <QPointer>

#include <functional>
#include <list>
#include <map>
#include <optional>
#include <string>
#include <vector>

class QMenu;
class QVariantAnimation;
#include "ui/editor/ScrollFollow.h"

namespace vt {
class EditorModel;
}

namespace vt::ui {


class WordList : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr double spacing = 12, padX = 12, padY = 6;

    // `focusPanel` gives the dock the keyboard; chips call it when clicked.
    WordList(EditorModel& editor, std::function<void()> focusPanel, QWidget* parent = nullptr);

    // Where transcript word `index` sits in content coordinates; none when
    // it is in no paragraph.
    std::optional<QRectF> wordRect(std::size_t index) const;
    // The same in viewport coordinates (for clicks).
    std::optional<QPoint> wordCenter(std::size_t index) const;
    std::optional<std::size_t> wordAt(QPoint viewportPoint) const;
    InlineWordField* field() const { return field_; }
    double contentHeight() const { return contentHeight_; }
    static constexpr int strikeMs = 200;
    // How far word `index`'s struck look has come (0 plain, 1 struck).
    double strikeOf(std::size_t index) const;
    // Paragraphs laid out again by the last update (for tests of the reuse).
    int lastRelayoutCount() const { return lastRelayouts_; }
    // The context menu of word `index` (what a right click opens).
    QMenu* contextMenu(std::size_t index);
    // Asks for the menu's B-roll file (prompt, name patterns; none when
    // cancelled). A file dialog unless replaced.
    using FileChooser =
        std::function<std::optional<std::string>(const std::string& message, const std::vector<std::string>& patterns)>;
    void setFileChooser(FileChooser choose) { chooseFile_ = std::move(choose); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    EditorModel& editor_;
    std::function<void()> focusPanel_;
    FileChooser chooseFile_;
    std::vector<ParagraphView> views_;
    std::vector<double> tops_;
    double contentHeight_ = 0;
    int lastRelayouts_ = 0;
    QPointer<InlineWordField> field_;
    QPointer<QPropertyAnimation> scroll_;

    // Each word's struck state as last drawn, by position with the ids it
    // was taken for, and the changes under way: the words that changed
    // together share one animation.
    std::vector<Uuid> struckIDs_;
    std::vector<char> struck_;
    bool strikesKnown_ = false;
    struct StrikeBatch {
        QVariantAnimation* run;
        std::map<Uuid, std::pair<double, double>> words;  // from, to
    };
    std::list<StrikeBatch> striking_;

    void followStrikes();
    std::optional<double> strikeProgress(const Uuid& id) const;
    void relayout();
    void syncField();
    void followActiveWord(bool animated);
    std::optional<std::size_t> paragraphOf(std::size_t wordIndex) const;
};

}  // namespace vt::ui
