#pragma once
// The Effects tab: an emoji on caption lines (with a menu per line), the
// synthesized sound effects, and the progress bar. Nothing here records an
// undo step. Its rows are built once and shown or hidden with the settings
// they edit; the caption-line list is rebuilt when the lines or their emojis
// change. Main thread only.

#include "model/CaptionGroup.h"
#include "model/SoundEffects.h"

#include <QWidget>

#include <array>
#include <string_view>
#include <vector>

class QToolButton;
class QVBoxLayout;

namespace vt {
class EditorModel;
struct CaptionStyle;
struct RGBA;
}

namespace vt::ui {

class OptionalColorRow;
class RowNote;
class SwitchRow;
class ValueRow;

class EffectsView : public QWidget {
    Q_OBJECT
public:
    static constexpr int shownLines = 60;
    // The emojis offered for every line, in menu order.
    static const std::array<std::string_view, 16>& suggestions();
    // The progress bar's colour when it has none of its own: the look's
    // highlight, else its active, else its emphasis colour, else A64DFF.
    static RGBA defaultBarColor(const CaptionStyle& look);
    // "…and 12 more lines." for 72 lines; empty for 60 or fewer.
    static QString moreLinesNote(std::size_t lines);

    // `motion` is the camera-move section, shown first under the
    // introduction (the panel takes it over); none leaves it out.
    EffectsView(EditorModel& editor, QWidget* motion = nullptr, QWidget* parent = nullptr);

    struct Line {
        int index = 0;
        QWidget* row = nullptr;
        QToolButton* emoji = nullptr;
    };
    struct Parts {
        SwitchRow* emojis = nullptr;
        QToolButton* some = nullptr;
        QToolButton* lots = nullptr;
        RowNote* emojiNote = nullptr;
        std::vector<Line> lines;
        RowNote* moreLines = nullptr;
        SwitchRow* soundEffects = nullptr;
        std::vector<SwitchRow*> kinds;
        ValueRow* volume = nullptr;
        RowNote* effectsNote = nullptr;
        SwitchRow* progressBar = nullptr;
        QToolButton* top = nullptr;
        QToolButton* bottom = nullptr;
        OptionalColorRow* barColor = nullptr;
        ValueRow* thickness = nullptr;
    };
    const Parts& parts() const { return parts_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    EditorModel& editor_;
    Parts parts_;
    QWidget* emojiRows_ = nullptr;
    QVBoxLayout* lineList_ = nullptr;
    QWidget* effectRows_ = nullptr;
    QWidget* barRows_ = nullptr;
    bool linesShown_ = false;  // the line list was built for emojis on

    QWidget* buildEmojis();
    QWidget* buildSoundEffects();
    QWidget* buildProgressBar();
    QWidget* emojiLine(const CaptionGroup& line);
    void rebuildLines();
    void refresh();
};

}  // namespace vt::ui
