#pragma once
// In the Timeline view, in place of the scrubber: the playhead and total
// timecodes, zoom out and in by steps of 1.6, a slider on a logarithmic
// scale and Fit. Every write keeps the editor's timeline zoom within 1…40.

#include <QWidget>

class QLabel;
class QSlider;
class QPushButton;

namespace vt {
class EditorModel;
}

namespace vt::ui {

class SymbolButton;

class TimelineZoomBar : public QWidget {
    Q_OBJECT
public:
    static constexpr double minZoom = 1, maxZoom = 40, stepFactor = 1.6;
    static constexpr int sliderSteps = 1000;

    explicit TimelineZoomBar(EditorModel& editor, QWidget* parent = nullptr);

    static double clampZoom(double zoom);
    // Slider position 0…1 for a zoom, and back.
    static double position(double zoom);
    static double zoomAt(double position);

    QLabel* readout() const { return readout_; }
    SymbolButton* zoomOut() const { return out_; }
    SymbolButton* zoomIn() const { return in_; }
    QSlider* slider() const { return slider_; }
    QPushButton* fit() const { return fit_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    EditorModel& editor_;
    QLabel* readout_;
    SymbolButton* out_;
    QSlider* slider_;
    SymbolButton* in_;
    QPushButton* fit_;
    void setZoom(double zoom);
    void refresh();
};

}  // namespace vt::ui
