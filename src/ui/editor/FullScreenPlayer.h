#pragma once
// The edited video alone on black in a window of its own that goes full
// screen, with a floating pill of transport controls (back and forward 5 s,
// play and pause, the times and a scrubber) that hides itself after 2.5 s
// of playback without mouse movement. It shows the editor's one player
// through the same PlayerFrames as the preview, so playing, pausing and
// seeking here are the editor's own. One toggle opens and closes it; at
// most one is open, and closing it gives the keyboard back to the window
// that had it. Main thread only.

#include "editor/EditorModel.h"

#include <QPointer>
#include <QRect>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <optional>

class QLabel;

namespace vt::ui {

class PlayerFrames;
class PlayerLayerView;
class SymbolButton;

// The pill's seek bar: a track, a white fill to the playhead and a thumb
// that grows under the mouse. A press or drag reports the fraction under
// the pointer.
class Scrubber : public QWidget {
    Q_OBJECT
public:
    explicit Scrubber(std::function<void(double)> seek, QWidget* parent = nullptr);
    void setProgress(double progress);
    double progress() const { return progress_; }
    // The fraction under x in a bar this wide, clamped to 0…1.
    static double fractionAt(double x, double width);
    // The thumb's leading edge, kept inside the bar.
    static double thumbX(double progress, double width, double diameter);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    std::function<void(double)> seek_;
    double progress_ = 0;
    bool hover_ = false;
};

class FullScreenPlayerView : public QWidget {
    Q_OBJECT
public:
    FullScreenPlayerView(EditorModel& editor, PlayerFrames* frames, std::function<void()> exit,
                         QWidget* parent = nullptr);
    static constexpr int hideAfterMs = 2500;

    bool controlsVisible() const { return controlsVisible_; }
    // Shows the controls and, while playing, starts the 2.5 s until they hide.
    void reveal();
    void skip(double seconds);
    QWidget* controls() const { return pill_; }
    Scrubber* scrubber() const { return scrubber_; }
    SymbolButton* playButton() const { return play_; }
    QLabel* currentLabel() const { return current_; }
    QLabel* totalLabel() const { return total_; }
    PlayerLayerView* playerView() const { return video_; }
    // The pending automatic hide; running only while playing.
    QTimer* hideTimer() { return &hide_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    EditorModel& editor_;
    std::function<void()> exit_;
    PlayerLayerView* video_;
    QWidget* pill_;
    SymbolButton* play_;
    QLabel* current_;
    Scrubber* scrubber_;
    QLabel* total_;
    bool controlsVisible_ = true;
    QTimer hide_;
    QTimer singleClick_;  // a click counts once no second click follows

    double outputLength() const;
    void refresh();
    void hideControls();
};

class FullScreenPlayer : public QWidget {
    Q_OBJECT
public:
    // Opens the player, growing from `previewFrame` (the preview's surface in
    // the coordinates of the active window), or closes the open one.
    static void show(EditorModel& editor, PlayerFrames* frames, std::optional<QRect> previewFrame);
    // The open player, null when none.
    static FullScreenPlayer* current();
    // Where the window starts, in screen coordinates.
    static QRect startRect(const std::optional<QRect>& previewFrame, const QWidget* activeWindow);

    FullScreenPlayerView* view() const { return view_; }
    // Leaves full screen, which ends in closing the window.
    void exit();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    FullScreenPlayer(EditorModel& editor, PlayerFrames* frames, QRect start, QWidget* returnTo);
    void enter();
    EditorModel& editor_;
    QPointer<QWidget> returnTo_;
    FullScreenPlayerView* view_;
    static QPointer<FullScreenPlayer> current_;
};

}  // namespace vt::ui
