#include "ui/editor/TransportBar.h"

#include "editor/EditorModel.h"
#include "ui/editor/EditorIcons.h"
#include "ui/editor/SymbolButton.h"
#include "ui/editor/TimelineZoomBar.h"
#include "ui/editor/WaveformScrubber.h"
#include "ui/theme/Theme.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QStackedWidget>

namespace vt::ui {
namespace {

// The round ink play/pause button.
class PlayButton : public SymbolButton {
public:
    explicit PlayButton(QWidget* parent) : SymbolButton("play.fill", {30, 30}, 13, parent) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        if (isDown()) painter.setOpacity(0.75);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(Theme::ink));
        painter.drawEllipse(QRectF(rect()));
        EditorIcons::draw(painter, symbol(), QRectF(8.5, 8.5, 13, 13), Theme::onInk);
    }
};

}  // namespace

TransportBar::TransportBar(EditorModel& editor, QWidget* parent) : QWidget(parent), editor_(editor)
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(10, 8, 10, 8);
    row->setSpacing(10);
    auto* segments = new QWidget(this);
    segments->setToolTip(tr("Edit the words, see the timed caption lines, or arrange effects on the timeline"));
    segments->setAccessibleName(tr("View"));
    auto* segmentRow = new QHBoxLayout(segments);
    segmentRow->setContentsMargins(0, 0, 0, 0);
    segmentRow->setSpacing(0);
    picker_ = new QButtonGroup(this);
    for (const auto& [mode, raw] : enumCases(TranscriptMode{})) {
        auto* button = new QPushButton(QString::fromUtf8(raw.data(), static_cast<int>(raw.size())), segments);
        button->setCheckable(true);
        button->setFocusPolicy(Qt::NoFocus);
        QFont f = button->font();
        f.setPointSizeF(11);
        button->setFont(f);
        picker_->addButton(button, static_cast<int>(mode));
        segmentRow->addWidget(button);
    }
    connect(picker_, &QButtonGroup::idClicked, this,
            [this](int id) { editor_.setTranscriptMode(static_cast<TranscriptMode>(id)); });
    segments->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    place_ = new QStackedWidget(this);
    place_->setFixedHeight(30);
    scrubber_ = new WaveformScrubber(editor, place_);
    zoomBar_ = new TimelineZoomBar(editor, place_);
    place_->addWidget(scrubber_);
    place_->addWidget(zoomBar_);
    play_ = new PlayButton(this);
    connect(play_, &QToolButton::clicked, this, [this] { editor_.togglePlay(); });
    row->addWidget(segments);
    row->addWidget(place_, 1);
    row->addWidget(play_);
    connect(&editor, &EditorModel::transcriptModeChanged, this, &TransportBar::refresh);
    connect(&editor, &EditorModel::isPlayingChanged, this, &TransportBar::refresh);
    refresh();
}

QWidget* TransportBar::scrubberPlace() const { return place_->currentWidget(); }

void TransportBar::refresh()
{
    const TranscriptMode mode = editor_.transcriptMode();
    picker_->button(static_cast<int>(mode))->setChecked(true);
    place_->setCurrentWidget(mode == TranscriptMode::timeline ? static_cast<QWidget*>(zoomBar_) : scrubber_);
    const bool playing = editor_.isPlaying();
    play_->setSymbol(playing ? "pause.fill" : "play.fill");
    play_->setToolTip(playing ? tr("Pause (Space)") : tr("Play (Space)"));
    play_->setAccessibleName(playing ? tr("Pause") : tr("Play"));
}

void TransportBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(QRectF(0, 0, width(), 1), QColor(Theme::hairline));
}

}  // namespace vt::ui
