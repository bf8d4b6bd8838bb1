#include "ui/timeline/TimelinePanel.h"

#include "ui/inspector/TimeFormat.h"
#include "ui/theme/Theme.h"
#include "ui/timeline/AddVideoItems.h"
#include "ui/timeline/EffectsPalette.h"
#include "ui/timeline/LaneHeaders.h"
#include "ui/timeline/PaletteChip.h"
#include "ui/timeline/TimelineBars.h"
#include "ui/timeline/TimelineMetrics.h"
#include "ui/timeline/TimelinePayload.h"
#include "ui/timeline/TimelineTracks.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QNativeGestureEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace vt {

namespace {

// The scale change a pinch must reach before it starts zooming.
constexpr double minimumPinch = 0.01;

}  // namespace

QString TimelinePanel::stats(double length, int clips, std::optional<QString> job, int items)
{
    QStringList parts{ui::formatTime(length)};
    if (clips > 1) parts << QString::number(clips) + QStringLiteral(" clips");
    if (job) parts << QStringLiteral("new clip: ") + *job;
    if (items == 1)
        parts << QStringLiteral("1 item");
    else if (items > 1)
        parts << QString::number(items) + QStringLiteral(" items");
    else if (clips == 1)
        parts << QStringLiteral("add clips, sound and effects");
    return parts.join(QStringLiteral(" \u00B7 "));
}

QString TimelinePanel::stats() const
{
    const auto& jobs = editor_.clipJobs();
    const std::optional<QString> job =
        jobs.empty() ? std::nullopt : std::optional(QString::fromStdString(jobs.begin()->second));
    const int items = int(editor_.placedMatchCuts().size() + editor_.placedMotions().size() +
                          editor_.placedSounds().size() + editor_.brollPlacements().size());
    return stats(editor_.plan().outputLength(), int(editor_.project().videoClips().size()), job, items);
}

double TimelinePanel::pinchZoom(double start, double magnification)
{
    return std::min(std::max(start * magnification, 1.0), 40.0);
}

TimelinePanel::TimelinePanel(EditorModel& editor, std::function<void()> focusPanel, QWidget* parent)
    : QWidget(parent), editor_(editor), focusPanel_(std::move(focusPanel)), choose_(AddVideoItems::fileChooser(this))
{
    column_ = new QVBoxLayout(this);
    column_->setContentsMargins(0, 0, 0, 0);
    column_->setSpacing(0);
    column_->addWidget(makeHeader());

    vscroll_ = new QScrollArea(this);
    vscroll_->setFrameShape(QFrame::NoFrame);
    vscroll_->setWidgetResizable(true);
    vscroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* rows = new QWidget(vscroll_);
    auto* line = new QHBoxLayout(rows);
    line->setContentsMargins(0, 0, 0, 2);
    line->setSpacing(0);
    headers_ = new LaneHeaders(editor_, [this] { editLineAtPlayhead(); }, rows);
    line->addWidget(headers_, 0, Qt::AlignTop);
    hscroll_ = new QScrollArea(rows);
    hscroll_->setFrameShape(QFrame::NoFrame);
    hscroll_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    hscroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    tracks_ = new TimelineTracks(
        editor_, focusPanel_,
        [this](const Uuid& word) {
            editor_.setTimelineSelection(std::nullopt);
            setEditingLine(word);
        },
        hscroll_);
    hscroll_->setWidget(tracks_);
    line->addWidget(hscroll_, 1, Qt::AlignTop);
    vscroll_->setWidget(rows);
    vscroll_->viewport()->installEventFilter(this);
    column_->addWidget(vscroll_, 1);

    connect(hscroll_->horizontalScrollBar(), &QScrollBar::valueChanged, this,
            [this](int x) { tracks_->setScrollX(x); });
    for (auto signal : {&EditorModel::planChanged, &EditorModel::placedMotionsChanged, &EditorModel::placedSoundsChanged,
                        &EditorModel::brollPlacementsChanged, &EditorModel::projectChanged,
                        &EditorModel::timelineZoomChanged, &EditorModel::placedMatchCutsChanged,
                        &EditorModel::clipJobsChanged})
        connect(&editor_, signal, this, &TimelinePanel::relayout);
    connect(&editor_, &EditorModel::currentTimeChanged, this, &TimelinePanel::followPlayhead);
    for (auto signal : {&EditorModel::timelineSelectionChanged, &EditorModel::projectChanged,
                        &EditorModel::placedSoundsChanged, &EditorModel::clipJobsChanged})
        connect(&editor_, signal, this, &TimelinePanel::refreshBar);
    // Selecting any item closes the caption line bar.
    connect(&editor_, &EditorModel::timelineSelectionChanged, this, [this] {
        if (editor_.timelineSelection()) setEditingLine(std::nullopt);
    });
    relayout();
    refreshBar();
}

void TimelinePanel::setFileChooser(EditorModel::FileChooser choose)
{
    choose_ = choose;
    headers_->setFileChooser(choose);
    tracks_->setFileChooser(std::move(choose));
}

double TimelinePanel::scrollX() const { return hscroll_->horizontalScrollBar()->value(); }

QWidget* TimelinePanel::makeHeader()
{
    auto* header = new QWidget(this);
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(14, 10, 14, 6);
    row->setSpacing(8);
    titles_ = new QWidget(header);
    auto* titles = new QVBoxLayout(titles_);
    titles->setContentsMargins(0, 0, 0, 0);
    titles->setSpacing(0);
    auto* title = new QLabel(QStringLiteral("Timeline"), titles_);
    QFont f = title->font();
    f.setPointSizeF(13);
    f.setWeight(QFont::DemiBold);
    title->setFont(f);
    stats_ = new QLabel(titles_);
    QFont small = stats_->font();
    small.setPointSizeF(11);
    stats_->setFont(small);
    Appearances::setColor(stats_, QPalette::WindowText, Theme::secondaryText);
    // One line that gives way to the toolbar rather than widening the panel.
    stats_->setMinimumWidth(1);
    stats_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    titles->addWidget(title);
    titles->addWidget(stats_);
    row->addWidget(titles_, 1);
    row->addSpacing(8);

    toolbar_ = new QWidget(header);
    auto* tools = new QHBoxLayout(toolbar_);
    tools->setContentsMargins(0, 0, 0, 0);
    tools->setSpacing(5);
    using Look = PaletteChip::Look;
    auto* video = new PaletteChip(QStringLiteral("Video"), QStringLiteral("plus"), TimelineTint::clip(), Look::toolbar,
                                  std::nullopt, toolbar_);
    video->setToolTip(QStringLiteral("Add a clip before or after your video, or put a video or photo on top"));
    connect(video, &QAbstractButton::clicked, this, [this, video] {
        QMenu menu(this);
        AddVideoItems::fill(menu, editor_, choose_);
        menu.exec(video->mapToGlobal(QPoint(0, video->height())));
    });
    auto* audio = new PaletteChip(QStringLiteral("Audio"), QStringLiteral("plus"), TimelineTint::sound(), Look::toolbar,
                                  std::nullopt, toolbar_);
    audio->setToolTip(QStringLiteral("Add music, a sound effect or a recording at the playhead"));
    connect(audio, &QAbstractButton::clicked, this, [this] { AddVideoItems::addSound(editor_, choose_); });
    auto* matchCut = new PaletteChip(QStringLiteral("Match Cut"), QStringLiteral("textformat"), TimelineTint::matchCut(),
                                     Look::toolbar, TimelinePayload::matchCut(), toolbar_);
    connect(matchCut, &QAbstractButton::clicked, this,
            [this] { editor_.place(TimelinePayload::matchCut(), editor_.currentTime()); });
    auto* effects = new PaletteChip(QStringLiteral("Effects"), QStringLiteral("sparkles"), TimelineTint::motion(),
                                    Look::toolbar, std::nullopt, toolbar_);
    effects->setToolTip(
        QStringLiteral("Zoom, fade, flash and more: click one to add it at the playhead, or drag it onto the timeline"));
    connect(effects, &QAbstractButton::clicked, this, [this, effects] { showEffects(effects); });
    chips_ = {video, audio, matchCut, effects};
    for (PaletteChip* chip : chips_) tools->addWidget(chip);
    row->addWidget(toolbar_);
    return header;
}

void TimelinePanel::showEffects(QWidget* anchor)
{
    // Under the button, centred on it.
    EffectsPalette::popup(editor_, this, [anchor](QSize size) {
        return anchor->mapToGlobal(QPoint(anchor->width() / 2 - size.width() / 2, anchor->height() + 4));
    });
}

void TimelinePanel::fitToolbar()
{
    // The first of the two variants that fits: with titles, else icons only.
    for (PaletteChip* chip : chips_) chip->setShowTitle(true);
    int wanted = 0;
    for (PaletteChip* chip : chips_) wanted += chip->sizeHint().width() + 5;
    const int room = width() - 28 - 8 - titles_->sizeHint().width();
    const bool titles = wanted <= room;
    for (PaletteChip* chip : chips_) chip->setShowTitle(titles);
}

void TimelinePanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    fitToolbar();
    relayout();
}

void TimelinePanel::relayout()
{
    TimelineGeometry::LaneInputs in;
    for (const auto& b : editor_.brollPlacements()) in.overlays.emplace_back(b.start, b.end);
    for (const auto& m : editor_.placedMotions()) in.motions.emplace_back(m.start, m.start + m.effect.duration);
    for (const auto& s : editor_.placedSounds()) in.lastSoundRow = std::max(in.lastSoundRow, s.row);
    const Project& project = editor_.project();
    in.hook = project.hookOverlay.has_value();
    in.voice = project.voiceover.has_value();
    in.music = project.music.has_value();
    lanes_ = TimelineGeometry::lanes(in);
    const double oldPps = scale_.pps;
    scale_ = TimelineGeometry::scale(width(), editor_.plan().outputLength(), editor_.timelineZoom());
    headers_->setLanes(lanes_);
    tracks_->setLanes(lanes_, scale_.pps, scale_.viewport);
    hscroll_->setFixedHeight(tracks_->sizeHint().height() + hscroll_->horizontalScrollBar()->sizeHint().height());
    stats_->setText(stats());
    // After a change of scale the playhead is centred once the new layout
    // has settled.
    if (oldPps != scale_.pps)
        QTimer::singleShot(0, this, [this] {
            const double x = scale_.pps * editor_.currentTime();
            hscroll_->horizontalScrollBar()->setValue(
                int(TimelineGeometry::centreMarker(x, scale_.viewport, scale_.markerSpacing) * scale_.markerSpacing));
        });
}

void TimelinePanel::followPlayhead()
{
    const double x = editor_.currentTime() * scale_.pps;
    if (const auto marker = TimelineGeometry::followMarker(x, scrollX(), scale_.viewport, scale_.markerSpacing))
        hscroll_->horizontalScrollBar()->setValue(int(*marker * scale_.markerSpacing));
}

bool TimelinePanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == vscroll_->viewport() && event->type() == QEvent::NativeGesture) {
        auto* gesture = static_cast<QNativeGestureEvent*>(event);
        if (gesture->gestureType() == Qt::ZoomNativeGesture) {
            pinch_ *= 1 + gesture->value();
            if (!zoomStart_) {
                // A pinch takes hold once it has scaled by 1 %, so fingers
                // resting on the pad do not nudge the zoom.
                if (std::abs(pinch_ - 1) < minimumPinch) return true;
                zoomStart_ = editor_.timelineZoom();
            }
            editor_.setTimelineZoom(pinchZoom(*zoomStart_, pinch_));
            return true;
        }
        if (gesture->gestureType() == Qt::BeginNativeGesture || gesture->gestureType() == Qt::EndNativeGesture) {
            zoomStart_.reset();
            pinch_ = 1;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TimelinePanel::setEditingLine(std::optional<Uuid> wordID)
{
    if (wordID == editingLine_) return;
    editingLine_ = wordID;
    shown_ = {};
    refreshBar();
}

void TimelinePanel::editLineAtPlayhead()
{
    const double t = editor_.currentTime();
    editor_.setTimelineSelection(std::nullopt);
    const auto& groups = editor_.groups();
    if (groups.empty()) return setEditingLine(std::nullopt);
    const auto next = std::find_if(groups.begin(), groups.end(), [&](const CaptionGroup& g) { return g.end > t; });
    const CaptionGroup& line = next == groups.end() ? groups.back() : *next;
    const std::optional<Uuid> first = line.words.empty() ? std::nullopt : line.words.front().id;
    setEditingLine(first);
    if (t < line.start || t >= line.end) editor_.seekExactly(line.start + 0.01);
}

void TimelinePanel::refreshBar()
{
    Shown want;
    const auto& selection = editor_.timelineSelection();
    if (editingLine_ && !selection) {
        want.line = editingLine_;
    } else if (const auto sound = editor_.selectedSound()) {
        want.sound = sound;
    } else if (selection && selection->kind == TimelineItem::Kind::clip) {
        for (const VideoClip& c : editor_.project().videoClips())
            if (c.id == selection->id) want.clip = c;
        if (want.clip)
            if (const auto job = editor_.clipJobs().find(want.clip->id); job != editor_.clipJobs().end())
                want.job = job->second;
    }
    if (want == shown_ && (bar_ != nullptr) == (want.line || want.sound || want.clip)) return;
    // A bar is not rebuilt under a pressed pointer (its slider may be the
    // one moving); it catches up once the button is up.
    if (bar_ && QApplication::mouseButtons() != Qt::NoButton && want.sound && shown_.sound &&
        want.sound->id == shown_.sound->id) {
        QTimer::singleShot(100, this, &TimelinePanel::refreshBar);
        return;
    }
    shown_ = want;
    if (bar_) {
        bar_->hide();
        bar_->deleteLater();
        bar_ = nullptr;
    }
    if (want.line)
        bar_ = new CaptionLineBar(editor_, *want.line, [this](std::optional<Uuid> id) { setEditingLine(id); }, this);
    else if (want.sound)
        bar_ = new SoundBar(editor_, *want.sound, this);
    else if (want.clip)
        bar_ = new ClipBar(editor_, *want.clip, this);
    if (bar_) column_->addWidget(bar_);
}

}  // namespace vt
