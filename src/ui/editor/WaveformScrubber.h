#pragma once
// The transport bar's scrubber: the current time, the edited video's sound
// as bars (the played part darker) with the playhead, and the total length.
// Pressing or dragging on the bars seeks; playback goes on from there.

#include "ui/theme/Theme.h"

#include <QFont>
#include <QWidget>

class QLabel;

namespace vt {
class EditorModel;
}

namespace vt::ui {

class WaveformArea;

// A label for times: 11 points with monospaced digits, at its ideal width.
QLabel* timeLabel(QFont::Weight weight, const DynamicColor& colour, QWidget* parent);

// The faint rounded fill behind the scrubber and the zoom bar.
void paintScrubberBackground(QWidget& widget);

class WaveformScrubber : public QWidget {
    Q_OBJECT
public:
    explicit WaveformScrubber(EditorModel& editor, QWidget* parent = nullptr);

    // One bar per 4 points of the scrubber's width, never fewer than 20.
    static int barCount(double width);
    // The output length, at least 0.1 s.
    static double duration(const EditorModel& editor);
    // The time a pointer at `x` of a bar area `width` wide stands for.
    static double timeAt(double x, double width, double duration);
    WaveformArea* area() const { return area_; }
    QString currentText() const;
    QString totalText() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    EditorModel& editor_;
    WaveformArea* area_;
    QLabel* current_;
    QLabel* total_;
    void refreshTexts();
};

class WaveformArea : public QWidget {
    Q_OBJECT
public:
    WaveformArea(EditorModel& editor, WaveformScrubber& scrubber);
    const std::vector<float>& bars() const { return bars_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    EditorModel& editor_;
    WaveformScrubber& scrubber_;
    std::vector<float> bars_;
    void seek(double x);
};

}  // namespace vt::ui
