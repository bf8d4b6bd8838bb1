#pragma once
// The panel under the preview where the video is edited as a document: a
// header of transcript tools, the content (word chips in paragraphs, the
// timed caption lines, the timeline's place, the whole transcript as text,
// or the way to record a voiceover when there are no words) and the
// transport bar. It holds the transcript's keyboard focus and answers the
// presses the editor keys passed on.

#include <QPointer>
#include <QWidget>

class QKeyEvent;
class QLabel;
class QMessageBox;
class QPlainTextEdit;
class QStackedWidget;

namespace vt {
class AppModel;
class EditorModel;
}

namespace vt::ui {

class SubtitleList;
class TranscribeAgainSheet;
class TranscriptDockHeader;
class TransportBar;
class WordList;

class TranscriptDock : public QWidget {
    Q_OBJECT
public:
    TranscriptDock(EditorModel& editor, AppModel* app, QWidget* parent = nullptr);

    // Answers one first press: true when it acted on it (handled), false to
    // pass it on to the menus and other responders.
    bool handleKey(const QKeyEvent& event);

    bool textMode() const { return textMode_; }
    QString draft() const;
    void editWholeTranscript();
    void cancelText();
    void applyText();
    void focusPanel();
    // Shows the transcribe-again sheet (once).
    void transcribeAgain();

    TranscriptDockHeader* header() const { return header_; }
    WordList* wordList() const { return words_; }
    SubtitleList* subtitleList() const { return subtitles_; }
    QPlainTextEdit* textEditor() const { return text_; }
    QWidget* emptyState() const { return empty_; }
    QWidget* timelinePlace() const { return timeline_; }
    QWidget* content() const;  // what the content row shows now
    TransportBar* transportBar() const { return transport_; }
    TranscribeAgainSheet* transcribeAgainSheet() const;
    // The cover shown while the transcript is made again, with its status line.
    QWidget* retranscribeOverlay() const { return overlay_; }
    QLabel* retranscribeStatus() const { return overlayStatus_; }
    QMessageBox* retranscribeAlert() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    EditorModel& editor_;
    bool textMode_ = false;
    TranscriptDockHeader* header_;
    QStackedWidget* stack_;
    WordList* words_;
    SubtitleList* subtitles_;
    QPlainTextEdit* text_;
    QWidget* empty_;
    QWidget* timeline_;
    TransportBar* transport_;
    AppModel* app_;
    QPointer<TranscribeAgainSheet> sheet_;
    QWidget* overlay_;
    QLabel* overlayStatus_;
    QPointer<QMessageBox> alert_;

    void makeOverlay();
    void refreshRetranscription();
    void showRetranscribeError();

    void refresh();
    bool timelineKey(const QKeyEvent& event);
    void stepWord(int by);
};

}  // namespace vt::ui
