#pragma once
// The top row of the transcript dock: what it shows (transcript, English
// translation or voiceover) with the kept words, the output length and the
// seconds saved; the legend, filler removal, pause trimming with its
// threshold slider and the menu of transcript actions; or, while the whole
// transcript is edited as text, "Cancel" and "Done".

#include <QWidget>

#include <functional>

class QLabel;
class QMenu;
class QSlider;
class QToolButton;

namespace vt {
class AppModel;
class EditorModel;
}

namespace vt::ui {

class CompactButton;
class SymbolTextButton;
class TranscriptLegend;

class TranscriptDockHeader : public QWidget {
    Q_OBJECT
public:
    struct Actions {
        std::function<void()> editWholeTranscript;
        std::function<void()> cancelText;
        std::function<void()> applyText;
        std::function<void()> transcribeAgain;
    };
    TranscriptDockHeader(EditorModel& editor, AppModel* app, Actions actions, QWidget* parent = nullptr);

    void setTextMode(bool on);
    static QString countsLine(int keptWords, double outputLength, double savedSeconds);
    static bool findShortsAllowed(const EditorModel& editor);

    QLabel* title() const { return title_; }
    QLabel* counts() const { return counts_; }
    SymbolTextButton* fillers() const { return fillers_; }
    SymbolTextButton* trimPauses() const { return trim_; }
    QSlider* pauseSlider() const { return slider_; }
    QMenu* actionsMenu() const { return menu_; }
    TranscriptLegend* legend() const { return legend_; }
    CompactButton* cancelButton() const { return cancel_; }
    CompactButton* doneButton() const { return done_; }

private:
    EditorModel& editor_;
    AppModel* app_;
    Actions actions_;
    QLabel* micIcon_;
    QLabel* title_;
    QLabel* counts_;
    TranscriptLegend* legend_;
    SymbolTextButton* fillers_;
    SymbolTextButton* trim_;
    QSlider* slider_;
    QToolButton* more_;
    QMenu* menu_;
    CompactButton* cancel_;
    CompactButton* done_;
    bool textMode_ = false;
    void refresh();
    void refreshMenu();
};

}  // namespace vt::ui
