#include "ui/editor/TimelineZoomBar.h"

#include "editor/EditorModel.h"
#include "ui/editor/SymbolButton.h"
#include "ui/editor/WaveformScrubber.h"
#include "ui/inspector/CompactButton.h"
#include "ui/inspector/TimeFormat.h"
#include "ui/theme/Theme.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>

#include <algorithm>
#include <cmath>

namespace vt::ui {

TimelineZoomBar::TimelineZoomBar(EditorModel& editor, QWidget* parent) : QWidget(parent), editor_(editor)
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(10, 0, 10, 0);
    row->setSpacing(8);
    readout_ = timeLabel(QFont::Medium, Theme::ink, this);
    out_ = new SymbolButton("minus.magnifyingglass", {24, 22}, 15, this);
    out_->setToolTip(tr("Zoom out (see more of the video)"));
    out_->setAccessibleName(tr("Zoom out"));
    slider_ = new QSlider(Qt::Horizontal, this);
    slider_->setRange(0, sliderSteps);
    slider_->setFixedWidth(110);
    slider_->setFocusPolicy(Qt::NoFocus);
    slider_->setToolTip(tr("Timeline zoom (or pinch on the trackpad)"));
    in_ = new SymbolButton("plus.magnifyingglass", {24, 22}, 15, this);
    in_->setToolTip(tr("Zoom in (place things to the frame)"));
    in_->setAccessibleName(tr("Zoom in"));
    fit_ = new CompactButton(tr("Fit"), CompactButton::Kind::secondary, this);
    fit_->setToolTip(tr("Show the whole video"));
    fit_->setFocusPolicy(Qt::NoFocus);
    row->addWidget(readout_);
    row->addStretch(1);
    row->addSpacing(8);
    for (QWidget* w : {static_cast<QWidget*>(out_), static_cast<QWidget*>(slider_), static_cast<QWidget*>(in_),
                       static_cast<QWidget*>(fit_)})
        row->addWidget(w);
    connect(out_, &QToolButton::clicked, this, [this] { setZoom(editor_.timelineZoom() / stepFactor); });
    connect(in_, &QToolButton::clicked, this, [this] { setZoom(editor_.timelineZoom() * stepFactor); });
    connect(fit_, &QPushButton::clicked, this, [this] { setZoom(1); });
    connect(slider_, &QSlider::valueChanged, this,
            [this](int value) { setZoom(zoomAt(static_cast<double>(value) / sliderSteps)); });
    for (auto signal : {&EditorModel::timelineZoomChanged, &EditorModel::currentTimeChanged, &EditorModel::planChanged})
        connect(&editor, signal, this, &TimelineZoomBar::refresh);
    refresh();
}

double TimelineZoomBar::clampZoom(double zoom) { return std::min(std::max(zoom, minZoom), maxZoom); }
double TimelineZoomBar::position(double zoom) { return std::log(zoom) / std::log(maxZoom); }
double TimelineZoomBar::zoomAt(double position) { return std::exp(position * std::log(maxZoom)); }

void TimelineZoomBar::setZoom(double zoom) { editor_.setTimelineZoom(clampZoom(zoom)); }

void TimelineZoomBar::refresh()
{
    const double zoom = editor_.timelineZoom();
    readout_->setText(formatTimecode(editor_.currentTime()) + " / " + formatTimecode(editor_.plan().outputLength()));
    out_->setEnabled(zoom > minZoom);
    in_->setEnabled(zoom < maxZoom);
    fit_->setEnabled(zoom != 1);
    // Reflect the zoom without writing it back through the slider.
    const QSignalBlocker block(slider_);
    slider_->setValue(static_cast<int>(std::lround(position(zoom) * sliderSteps)));
}

void TimelineZoomBar::paintEvent(QPaintEvent*) { paintScrubberBackground(*this); }

}  // namespace vt::ui
