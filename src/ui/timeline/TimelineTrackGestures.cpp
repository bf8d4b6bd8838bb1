// The gestures of the timeline tracks and the editor operations they run.

#include "ui/timeline/TimelineGeometry.h"
#include "ui/timeline/TimelineMetrics.h"
#include "ui/timeline/TimelinePayload.h"
#include "ui/timeline/TimelineSnap.h"
#include "ui/timeline/TimelineTracks.h"

#include <QDragEnterEvent>
#include <QMimeData>
#include <QMimeDatabase>
#include <QGuiApplication>
#include <QTimer>
#include <QUrl>

#include <cmath>
#include <memory>

namespace vt {

void TimelineTracks::seek(double x)
{
    editor_.seekExactly(TimelineGeometry::seekTime(x, pps_, outputLength()));
}

void TimelineTracks::scrubAt(double x)
{
    if (!scrubbing_) {
        scrubbing_ = true;
        editor_.setTimelineSelection(std::nullopt);
        if (focusPanel_) focusPanel_();
    }
    seek(x);
}

namespace {

const CaptionGroup* groupAt(const std::vector<CaptionGroup>& groups, double t)
{
    for (const CaptionGroup& g : groups)
        if (g.start <= t && t < g.end) return &g;
    return nullptr;
}

}  // namespace

void TimelineTracks::captionClick(QPointF at)
{
    const double top = laneTop(TimelineLane::Kind::captions);
    if (at.y() < top || at.y() > top + 22) return;
    const CaptionGroup* g = groupAt(editor_.groups(), at.x() / pps_);
    if (!g) return;
    std::set<Uuid> ids;
    for (const TimedWord& w : g->words)
        if (w.id) ids.insert(*w.id);
    editor_.setSelection(std::move(ids));
}

void TimelineTracks::captionDoubleClick(QPointF at)
{
    const double top = laneTop(TimelineLane::Kind::captions);
    if (at.y() < top || at.y() > top + 22) return;
    const CaptionGroup* g = groupAt(editor_.groups(), at.x() / pps_);
    if (g && !g->words.empty() && g->words.front().id && editLine_) editLine_(*g->words.front().id);
}

void TimelineTracks::dragBlock(const TimelineItem& item, std::optional<TimelineBlock::Edge> edge, double dx,
                               std::pair<double, double> span, TimelineBlock::Limits limits)
{
    if (!drag_ || !(drag_->item == item)) {
        drag_ = Drag{item, span.first, span.second};
        editor_.pushUndo();
        editor_.selectTimelineItem(item);
        if (focusPanel_) focusPanel_();
    }
    const auto snap = [&](double time, double length) {
        return TimelineSnap::snapped(time, length, TimelineSnap::targets(editor_, item, time, length), pps_);
    };
    const auto [start, length] =
        TimelineSnap::dragSpan(edge, drag_->start, drag_->end, dx / pps_, limits, outputLength(), snap);
    editor_.setSpan(item, start, length, false);
}

void TimelineTracks::tapBlock(const TimelineItem& item, double start, double end)
{
    editor_.selectTimelineItem(item);
    const double now = editor_.currentTime();
    if (now < start || now >= end) editor_.seekExactly(start);
    if (focusPanel_) focusPanel_();
}

std::optional<VideoClip> TimelineTracks::clip(const Uuid& id) const
{
    for (const VideoClip& c : editor_.project().videoClips())
        if (c.id == id) return c;
    return std::nullopt;
}

std::optional<PlacedSound> TimelineTracks::placedSound(const Uuid& id) const
{
    for (const PlacedSound& s : editor_.placedSounds())
        if (s.sound.id == id) return s;
    return std::nullopt;
}

void TimelineTracks::trim(const VideoClip& clip, TimelineBlock::Edge edge, double dx)
{
    if (!clipTrim_ || clipTrim_->id != clip.id) {
        clipTrim_ = ClipTrim{clip.id, clip.trimStart, clip.trimEnd};
        editor_.pushUndo();
        editor_.setTimelineSelection(TimelineItem{TimelineItem::Kind::clip, clip.id});
        if (focusPanel_) focusPanel_();
    }
    const auto [start, end] = TimelineGeometry::clipTrim(edge == TimelineBlock::Edge::leading, clipTrim_->start,
                                                         clipTrim_->end, dx / pps_, clip.duration);
    editor_.setClipTrim(clip.id, start, end, false);
}

void TimelineTracks::finishMove(const Uuid& id, double dx)
{
    clipMove_.reset();
    content_.reset();
    const auto spans = editor_.clipSpans();
    std::vector<std::pair<double, double>> ranges;
    std::optional<std::size_t> moved;
    for (std::size_t i = 0; i < spans.size(); ++i) {
        ranges.emplace_back(spans[i].start, spans[i].end);
        if (spans[i].id == id) moved = i;
    }
    update();
    if (!moved) return;
    editor_.moveClip(id, TimelineGeometry::clipMoveTarget(ranges, *moved, dx, pps_));
}

void TimelineTracks::writeSoundVolume(const Uuid& id, const VolumeEnvelope& envelope)
{
    const auto& sounds = editor_.project().sounds;
    if (!sounds || std::none_of(sounds->begin(), sounds->end(), [&](const SoundClip& s) { return s.id == id; })) return;
    editor_.updateProject([&](Project& p) {
        for (SoundClip& s : *p.sounds)
            if (s.id == id) s.volume = envelope;
    });
    editor_.timelineChanged();
}

void TimelineTracks::commitVideoVolume(const VolumeEnvelope& edited)
{
    const VolumeEnvelope placed = editor_.placedVideoVolume();
    const VolumeEnvelope stored = editor_.project().videoVolume.value_or(VolumeEnvelope{});
    const VolumeEnvelope next = VolumeEditing::toSource(edited, placed, stored, editor_.plan());
    editor_.updateProject([&](Project& p) { p.videoVolume = next; });
    editor_.timelineChanged();
}

void TimelineTracks::moveGesture(QPointF at)
{
    Gesture& g = *gesture_;
    const QPointF move = at - g.press;
    const double distance = std::hypot(move.x(), move.y());
    const auto& hit = g.hit;
    switch (hit.kind) {
    case Hit::Kind::background:
        if (scrubbing_) seek(at.x());
        return;
    case Hit::Kind::block:
        if (!g.started && distance < (hit.edge ? 1 : 2)) return;
        g.started = true;
        dragBlock(hit.block->item, hit.edge, move.x(), {hit.block->start, hit.block->end}, hit.block->limits);
        return;
    case Hit::Kind::clip: {
        if (!g.started && distance < (hit.edge ? 1 : 3)) return;
        g.started = true;
        const auto c = clip(hit.block->item.id);
        if (!c) return;
        if (hit.edge) return trim(*c, *hit.edge, move.x());
        if (!editor_.project().clips || editor_.project().clips->size() < 2) return;
        if (!clipMove_) {
            editor_.setTimelineSelection(hit.block->item);
            if (focusPanel_) focusPanel_();
        }
        clipMove_ = {c->id, move.x()};
        content_.reset();
        update();
        return;
    }
    case Hit::Kind::sound:
        if (distance <= 2) return;
        g.started = true;
        if (!hit.volume)
            return dragBlock(hit.block->item, hit.edge, move.x(), {hit.block->start, hit.block->end}, hit.block->limits);
        if (!g.recorded) {
            editor_.pushUndo();
            g.recorded = true;
        }
        writeSoundVolume(hit.block->item.id,
                         VolumeEditing::drag(*hit.volume, g.envelope, (at.x() - hit.block->rect.left()) / pps_,
                                             at.y() - hit.block->rect.top(), move.y(),
                                             hit.block->end - hit.block->start, VolumeGeometry{36}));
        return;
    case Hit::Kind::audio:
        if (!hit.volume) return scrubAt(at.x());
        if (distance <= 1) return;
        g.started = true;
        if (!g.recorded) {
            editor_.pushUndo();
            g.recorded = true;
        }
        commitVideoVolume(VolumeEditing::drag(*hit.volume, g.envelope, at.x() / pps_,
                                              at.y() - laneTop(TimelineLane::Kind::audio), move.y(),
                                              std::max(outputLength(), 0.1), VolumeGeometry{42}));
        return;
    }
}

void TimelineTracks::endGesture(QPointF at)
{
    const Gesture g = *gesture_;
    gesture_.reset();
    const QPointF move = at - g.press;
    const auto& hit = g.hit;
    switch (hit.kind) {
    case Hit::Kind::background:
        scrubbing_ = false;
        if (std::hypot(move.x(), move.y()) < 3) captionClick(at);
        return;
    case Hit::Kind::audio: scrubbing_ = false; return;
    case Hit::Kind::block:
        if (!g.started) return tapBlock(hit.block->item, hit.block->start, hit.block->end);
        drag_.reset();
        return;
    case Hit::Kind::clip:
        if (!g.started) {
            editor_.selectTimelineItem(hit.block->item);
            if (focusPanel_) focusPanel_();
            return;
        }
        clipTrim_.reset();
        if (clipMove_) finishMove(hit.block->item.id, move.x());
        return;
    case Hit::Kind::sound:
        if (std::hypot(move.x(), move.y()) <= 2) tapBlock(hit.block->item, hit.block->start, hit.block->end);
        if (!hit.volume) drag_.reset();
        return;
    }
}

// ---- drag and drop ----------------------------------------------------------

double TimelineTracks::dropTime(double x) const { return TimelineGeometry::dropTime(x, pps_, duration()); }

void TimelineTracks::watchRelease()
{
    // One watcher for the whole program, as only one drag runs at a time.
    static bool watching = false;
    if (watching) return;
    watching = true;
    auto* timer = new QTimer(this);
    auto ups = std::make_shared<int>(0);
    connect(timer, &QTimer::timeout, this, [this, timer, ups] {
        *ups = QGuiApplication::mouseButtons() & Qt::LeftButton ? 0 : *ups + 1;
        if (*ups < 3) return;
        dropX_.reset();
        update();
        watching = false;
        timer->deleteLater();
    });
    connect(timer, &QObject::destroyed, [] { watching = false; });
    timer->start(100);
}

void TimelineTracks::dragEnterEvent(QDragEnterEvent* event)
{
    if (!event->mimeData()->hasUrls() && !event->mimeData()->hasText()) return event->ignore();
    event->setDropAction(Qt::CopyAction);
    event->accept();
    dropX_ = event->position().x();
    watchRelease();
    update();
}

void TimelineTracks::dragMoveEvent(QDragMoveEvent* event)
{
    event->setDropAction(Qt::CopyAction);
    event->accept();
    dropX_ = event->position().x();
    watchRelease();
    update();
}

void TimelineTracks::dragLeaveEvent(QDragLeaveEvent*)
{
    dropX_.reset();
    update();
}

void TimelineTracks::dropEvent(QDropEvent* event)
{
    const QPointF at = event->position();
    dropX_.reset();
    update();
    const double time = dropTime(at.x());
    const QMimeData* data = event->mimeData();
    if (data->hasUrls()) {
        // Only the first file counts; a link that is not a file adds nothing.
        const QUrl url = data->urls().value(0);
        event->acceptProposedAction();
        if (url.isLocalFile()) dropFile(url.toLocalFile(), time, at.y());
    } else if (data->hasText()) {
        event->acceptProposedAction();
        if (const auto drop = TimelinePayload::parse(data->text().toStdString())) editor_.place(*drop, time);
    } else {
        return event->ignore();
    }
    if (focusPanel_) focusPanel_();
}

void TimelineTracks::dropFile(const QString& path, double time, double y)
{
    const QString type = QMimeDatabase().mimeTypeForFile(path, QMimeDatabase::MatchExtension).name();
    if (type.startsWith("audio/")) return editor_.addSound(path.toStdString(), time);
    const double top = laneTop(TimelineLane::Kind::video);
    const bool onVideoLane = std::find(lanes_.begin(), lanes_.end(), TimelineLane::of(TimelineLane::Kind::video)) !=
                                 lanes_.end() &&
                             y >= top && y <= top + 38;
    if (type.startsWith("video/") && onVideoLane) {
        std::vector<std::pair<double, double>> spans;
        for (const auto& s : editor_.clipSpans()) spans.emplace_back(s.start, s.end);
        return editor_.addClip(path.toStdString(), TimelineGeometry::dropClipIndex(spans, time));
    }
    if (type.startsWith("video/") || type.startsWith("image/")) editor_.addOverlay(path.toStdString(), time);
}

}  // namespace vt
