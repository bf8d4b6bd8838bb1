#pragma once
// The home screen's left-hand card: where a new video comes in and where
// the options every new project starts with are set (speech engine, spoken
// language, start look, caption writing), with the speech model's download.
// Every option is the application model's; the card reads and writes it.

#include "ui/inspector/PanelCard.h"

#include <QPointer>

#include <string>
#include <vector>

class QLabel;
class QProgressBar;
class QPushButton;

namespace vt {

class AppModel;
class FormChooser;
class ScriptSheet;
class VideoDropZone;
struct ChooserOption;

class NewProjectCard : public ui::PanelCard {
    Q_OBJECT

public:
    explicit NewProjectCard(AppModel& app, QWidget* parent = nullptr);

    void setDropTargeted(bool targeted);
    VideoDropZone* dropZone() const { return zone_; }
    QPushButton* engineButton(int index) const { return engines_[index]; }
    FormChooser* languageChooser() const { return language_; }
    FormChooser* styleChooser() const { return style_; }
    QPushButton* scriptButton() const { return script_; }
    QLabel* engineNote() const { return note_; }
    QPushButton* downloadButton() const { return download_; }
    QProgressBar* downloadBar() const { return bar_; }
    ScriptSheet* scriptSheet() const;
    // Opens the caption-script sheet, as the script button does.
    void showScripts();

    // The spoken-language options for the current engine.
    static std::vector<ChooserOption> languageOptions(const AppModel& app);
    // Whether native caption scripts can be picked with these settings.
    static bool nativeScriptsAvailable(const AppModel& app);

private:
    void refresh();

    AppModel& app_;
    VideoDropZone* zone_;
    QPushButton* engines_[2];
    FormChooser* language_;
    FormChooser* style_;
    QPushButton* script_;
    QLabel* note_;
    QPushButton* download_;
    QProgressBar* bar_;
    QPointer<ScriptSheet> sheet_;
};

}  // namespace vt
