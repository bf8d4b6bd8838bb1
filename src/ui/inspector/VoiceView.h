#pragma once
// The Voice tab: record a voiceover over the playing video (a countdown, a
// level meter and the time while recording, progress while it is
// transcribed), then the take's controls and its mix with the video's own
// sound. A view over the voiceover workflow; its blocks are built once and
// shown per phase. Main thread only.

#include <QAbstractButton>
#include <QWidget>

#include <utility>

class QLabel;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class QVariantAnimation;

namespace vt {
class EditorModel;
class VoiceoverWorkflow;
}

namespace vt::ui {

class CompactButton;
class InspectorGroup;
class RowNote;
class SwitchRow;
class ValueRow;

// 32 segments lit from the left by the microphone level (0…1); the top four
// red. The lit segments follow a new level linearly over 0.08 s.
class LevelMeter : public QWidget {
    Q_OBJECT
public:
    static constexpr int segments = 32;
    static constexpr int motionMs = 80;
    explicit LevelMeter(QWidget* parent = nullptr);
    void setLevel(double level);
    // The level given last, and the level drawn on its way there.
    double level() const { return level_; }
    double shownLevel() const { return shown_; }
    // How many segments a level lights: segment i is lit when level > i / 32.
    static int litSegments(double level);
    static bool isRed(int segment) { return segment >= segments * 7 / 8; }
    // Each segment's width for a meter width: never below 2.
    static double segmentWidth(double width);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double level_ = 0;
    double shown_ = 0;
    QVariantAnimation* motion_;
};

// The round record button: a red disc, or a stop square while recording.
class RecordButton : public QAbstractButton {
    Q_OBJECT
public:
    static constexpr double response = 0.2;  // seconds, of the shape's spring

    RecordButton(bool recording, QWidget* parent = nullptr);
    QSize sizeHint() const override { return {58, 58}; }
    // Turns into its own shape from the other one, as the recording starts
    // or ends.
    void morphIn();
    // 0 the disc, 1 the stop square, between them while it turns.
    double shape() const { return shape_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;

private:
    bool recording_;
    double shape_;
    QVariantAnimation* morph_;
};

class VoiceView : public QWidget {
    Q_OBJECT
public:
    VoiceView(EditorModel& editor, VoiceoverWorkflow& voice, QWidget* parent = nullptr);

    // "Starts 0:04 · 0:37 · 82 words".
    static QString takeText(double start, double duration, int words);

    struct Parts {
        QStackedWidget* phase = nullptr;  // idle, countdown, recording, transcribing
        RecordButton* record = nullptr;
        QLabel* idleCaption = nullptr;
        QLabel* count = nullptr;
        CompactButton* cancel = nullptr;
        QLabel* elapsed = nullptr;
        LevelMeter* meter = nullptr;
        RecordButton* stop = nullptr;
        CompactButton* discard = nullptr;
        QProgressBar* transcribing = nullptr;
        QWidget* options = nullptr;
        SwitchRow* fromPlayhead = nullptr;
        SwitchRow* mute = nullptr;
        RowNote* error = nullptr;
        InspectorGroup* take = nullptr;
        QLabel* takeInfo = nullptr;
        SwitchRow* captionsFromVoice = nullptr;
        RowNote* captionsNote = nullptr;
        QWidget* takeButtons = nullptr;
        CompactButton* play = nullptr;
        CompactButton* rerecord = nullptr;
        QPushButton* remove = nullptr;
        InspectorGroup* mix = nullptr;
        ValueRow* voiceVolume = nullptr;
        ValueRow* originalSound = nullptr;
    };
    const Parts& parts() const { return parts_; }

private:
    EditorModel& editor_;
    VoiceoverWorkflow& voice_;
    Parts parts_;

    int shownPhase_ = -1;  // the page of the phase column on screen
    QVariantAnimation* phaseMotion_ = nullptr;
    std::pair<int, int> phaseHeights_;  // the column's height from and to, while it springs

    QWidget* buildRecordGroup(QWidget* parent);
    QWidget* buildPhases(QWidget* parent);
    void buildTakeGroup(QWidget* parent);
    void buildMixGroup(QWidget* parent);
    void playTake();
    void showPhase(int page);
    void refresh();
};

}  // namespace vt::ui
