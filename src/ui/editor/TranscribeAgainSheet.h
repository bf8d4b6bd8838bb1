#pragma once
// The small sheet in which the user picks the speech engine and spoken
// language for transcribing the open project again. It preselects what the
// project was made with and, when the Whisper model is installed, listens to
// the start of the video and lets the language guard adjust the choice.
// "Transcribe" closes it and starts the editor's transcribe-again action,
// whose progress and errors the transcript dock shows.

#include "editor/EditorModel.h"
#include "speech/HeardLanguage.h"
#include "speech/TranscriptionEngine.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QButtonGroup;
class QComboBox;
class QLabel;
class QPushButton;
class QToolButton;

namespace vt {
class AppModel;
}

namespace vt::ui {

class BusySpinner;

class TranscribeAgainSheet : public QDialog {
    Q_OBJECT
public:
    // What the sheet needs of the machine; the program reads it from the
    // application model.
    struct Machine {
        std::vector<std::string> locales;  // the recognizer's locales, in its order
        std::string whisperLanguageID;     // the app's Whisper language
        bool whisperInstalled = false;
        // What is spoken at the start of a file; runs on a worker thread.
        std::function<std::optional<HeardLanguage>(const std::string& path)> detect;
    };
    static Machine machine(const AppModel* app);

    TranscribeAgainSheet(EditorModel& editor, Machine machine, QWidget* parent = nullptr);

    // "Heard Hindi (87% sure): picked for you." and its kin.
    static QString heardLine(const HeardLanguage& heard, bool picked);

    TranscriptionEngine engine() const { return engine_; }
    const std::string& appleLocaleID() const { return appleLocaleID_; }
    const std::string& whisperLanguageID() const { return whisperLanguageID_; }
    bool listening() const { return listening_; }
    const std::optional<QString>& heard() const { return heard_; }

    QToolButton* engineButton(TranscriptionEngine engine) const;
    QComboBox* languagePicker() const { return language_; }
    QLabel* heardLabel() const { return heardLabel_; }
    QWidget* heardRow() const { return heardRow_; }
    QWidget* downloadNote() const { return note_; }
    QPushButton* transcribeButton() const { return transcribe_; }
    QPushButton* cancelButton() const { return cancel_; }

private:
    EditorModel& editor_;
    Machine machine_;
    TranscriptionEngine engine_ = TranscriptionEngine::whisper;
    std::string appleLocaleID_ = "en_US";
    std::string whisperLanguageID_ = "hinglish";
    std::optional<QString> heard_;
    bool listening_ = false;

    QToolButton* engines_[2];
    QComboBox* language_;
    QWidget* heardRow_;
    BusySpinner* heardSpinner_;
    QLabel* heardIcon_;
    QLabel* heardLabel_;
    QWidget* noteDivider_;
    QWidget* note_;
    QPushButton* transcribe_;
    QPushButton* cancel_;

    void start();
    void heardBack(std::optional<HeardLanguage> heard);
    void refresh();
    void fillLanguages();
    void startTranscription();
};

}  // namespace vt::ui
