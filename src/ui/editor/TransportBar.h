#pragma once
// The bottom row of the transcript dock: the picker of the dock's three
// views, the scrubber (the zoom bar in the Timeline view) and the play and
// pause button, under a hairline.

#include <QWidget>

class QButtonGroup;
class QStackedWidget;

namespace vt {
class EditorModel;
}

namespace vt::ui {

class SymbolButton;
class TimelineZoomBar;
class WaveformScrubber;

class TransportBar : public QWidget {
    Q_OBJECT
public:
    explicit TransportBar(EditorModel& editor, QWidget* parent = nullptr);

    QButtonGroup* picker() const { return picker_; }
    QWidget* scrubberPlace() const;  // the scrubber or the zoom bar now shown
    WaveformScrubber* scrubber() const { return scrubber_; }
    TimelineZoomBar* zoomBar() const { return zoomBar_; }
    SymbolButton* playButton() const { return play_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    EditorModel& editor_;
    QButtonGroup* picker_;
    QStackedWidget* place_;
    WaveformScrubber* scrubber_;
    TimelineZoomBar* zoomBar_;
    SymbolButton* play_;
    void refresh();
};

}  // namespace vt::ui
