#include "ui/timeline/TimelineTracks.h"

#include "ui/theme/Theme.h"
#include "ui/timeline/TimelineAccessible.h"
#include "ui/timeline/LaneDrawing.h"
#include "ui/timeline/TimelineGeometry.h"
#include "ui/timeline/TimelineMetrics.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>

#include <cmath>

namespace vt {

TimelineTracks::TimelineTracks(EditorModel& editor, std::function<void()> focusPanel,
                               std::function<void(const Uuid&)> editLine, QWidget* parent)
    : QWidget(parent), editor_(editor), focusPanel_(std::move(focusPanel)), editLine_(std::move(editLine))
{
    TimelineAccessible::install();
    setMouseTracking(true);
    setAcceptDrops(true);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    for (auto signal : {&EditorModel::planChanged, &EditorModel::groupsChanged, &EditorModel::placedMatchCutsChanged,
                        &EditorModel::placedMotionsChanged, &EditorModel::placedSoundsChanged,
                        &EditorModel::brollPlacementsChanged, &EditorModel::projectChanged,
                        &EditorModel::timelineSelectionChanged, &EditorModel::selectionChanged,
                        &EditorModel::filmstripChanged, &EditorModel::waveformPeaksChanged,
                        &EditorModel::soundPeaksChanged, &EditorModel::clipJobsChanged, &EditorModel::sourceChanged})
        connect(&editor_, signal, this, &TimelineTracks::contentChanged);
    // The playhead is its own small layer: only its old and new strips repaint.
    connect(&editor_, &EditorModel::currentTimeChanged, this, [this] {
        update(playheadRect(shownTime_).toAlignedRect());
        shownTime_ = editor_.currentTime();
        update(playheadRect(shownTime_).toAlignedRect());
    });
    shownTime_ = editor_.currentTime();
}

double TimelineTracks::outputLength() const { return editor_.plan().outputLength(); }
double TimelineTracks::duration() const { return std::max(outputLength(), 0.5); }

void TimelineTracks::setLanes(std::vector<TimelineLane> lanes, double pps, double viewport)
{
    if (lanes == lanes_ && pps == pps_ && viewport == viewport_) return;
    lanes_ = std::move(lanes);
    pps_ = pps;
    viewport_ = viewport;
    contentChanged();
}

void TimelineTracks::setScrollX(double x)
{
    if (x == scrollX_) return;
    scrollX_ = x;
    update();
}

QSize TimelineTracks::sizeHint() const
{
    return QSize(int(std::ceil(duration() * pps_ + 48)), int(std::ceil(TimelineMetrics::height(lanes_))));
}

void TimelineTracks::contentChanged()
{
    content_.reset();
    blocks_.reset();
    resize();
    update();
}

void TimelineTracks::resize()
{
    const QSize size = sizeHint();
    if (size != this->size()) setFixedSize(size);
}

const LaneContent& TimelineTracks::content() const
{
    if (!content_) content_ = LaneContent::from(editor_, lanes_, clipMove_);
    return *content_;
}

const std::vector<TimelineBlock>& TimelineTracks::blocks() const
{
    if (!blocks_) blocks_ = TimelineBlocks::build(editor_, lanes_, pps_);
    return *blocks_;
}

double TimelineTracks::laneTop(TimelineLane::Kind kind, int row) const
{
    return TimelineGeometry::laneTop(lanes_, TimelineLane::of(kind, row));
}

QRectF TimelineTracks::playheadRect(double time) const
{
    return QRectF(time * pps_ - 6, 0, 12, height());
}

void TimelineTracks::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    const double width = duration() * pps_ + 48;
    const auto [x0, xw] = TimelineGeometry::canvasWindow(width, viewport_, scrollX_);
    const QRectF window = QRectF(x0, 0, std::max(xw, 1.0), height()).intersected(QRectF(event->rect()));
    if (!window.isEmpty()) {
        p.save();
        p.setClipRect(window);
        p.translate(x0, 0);
        LaneDrawing::draw(p, content(), lanes_, {std::max(xw, 1.0), x0, scrollX_, pps_, duration()});
        p.restore();
        p.save();
        p.setClipRect(window);
        p.setRenderHint(QPainter::Antialiasing);
        for (const TimelineBlock& b : blocks())
            if (b.frame().intersects(window)) {
                p.save();
                if (content().isDimmed(b.lane)) p.setOpacity(0.35);
                b.paint(p);
                p.restore();
            }
        p.restore();
    }
    if (dropX_) p.fillRect(QRectF(*dropX_ - 1, 0, 2, height()), QColor(Theme::accent));
    // The playhead: a 2-point line under a five-sided head over the ruler.
    p.setRenderHint(QPainter::Antialiasing);
    const double x = editor_.currentTime() * pps_;
    p.fillRect(QRectF(x - 1, 0, 2, height()), QColor(Theme::accent));
    const QRectF head(x - 6, 0, 12, 10);
    QPainterPath shape;
    shape.moveTo(head.left(), head.top());
    shape.lineTo(head.right(), head.top());
    shape.lineTo(head.right(), head.bottom() * 0.55);
    shape.lineTo(head.center().x(), head.bottom());
    shape.lineTo(head.left(), head.bottom() * 0.55);
    shape.closeSubpath();
    p.fillPath(shape, QColor(Theme::accent));
}

TimelineTracks::Hit TimelineTracks::hitTest(QPointF at) const
{
    using K = TimelineLane::Kind;
    Hit hit;
    // Sound boxes lie on top of everything but the playhead, which takes no hits.
    for (const PlacedSound& s : editor_.placedSounds()) {
        const QRectF box(s.start * pps_, laneTop(K::sounds, s.row), std::max(s.sound.duration * pps_, 6.0), 36);
        if (!box.contains(at)) continue;
        hit.kind = Hit::Kind::sound;
        TimelineBlock b;
        b.item = {TimelineItem::Kind::sound, s.sound.id};
        b.lane = TimelineLane::of(K::sounds, s.row);
        b.start = s.start;
        b.end = s.start + s.sound.duration;
        b.rect = box;
        b.limits = {0.2, std::max(s.sound.fileDuration, 0.2)};
        const QPointF local = at - box.topLeft();
        hit.volume = VolumeEditing::grab(local, s.sound.volume, s.sound.duration, pps_, VolumeGeometry{36});
        if (!hit.volume) {
            if (local.x() < 6)
                hit.edge = TimelineBlock::Edge::leading;
            else if (local.x() > box.width() - 6)
                hit.edge = TimelineBlock::Edge::trailing;
        }
        hit.block = b;
        return hit;
    }
    const double audioTop = laneTop(K::audio);
    if (at.y() >= audioTop && at.y() <= audioTop + 42 && at.x() <= std::max(duration() * pps_, 1.0)) {
        hit.kind = Hit::Kind::audio;
        hit.volume = VolumeEditing::grab(QPointF(at.x(), at.y() - audioTop), editor_.placedVideoVolume(),
                                         std::max(outputLength(), 0.1), pps_, VolumeGeometry{42});
        return hit;
    }
    const std::vector<TimelineBlock>& all = blocks();
    for (auto b = all.rbegin(); b != all.rend(); ++b) {
        if (!b->frame().contains(at)) continue;
        hit.kind = Hit::Kind::block;
        hit.edge = b->edgeAt(at.x());
        hit.block = *b;
        return hit;
    }
    const double videoTop = laneTop(K::video);
    for (const auto& span : editor_.clipSpans()) {
        const QRectF box(span.start * pps_, videoTop, std::max((span.end - span.start) * pps_, 4.0), 38);
        if (!box.contains(at)) continue;
        hit.kind = Hit::Kind::clip;
        TimelineBlock b;
        b.item = {TimelineItem::Kind::clip, span.id};
        b.lane = TimelineLane::of(K::video);
        b.start = span.start;
        b.end = span.end;
        b.rect = QRectF(span.start * pps_, videoTop, (span.end - span.start) * pps_, 38);
        hit.edge = b.edgeAt(at.x());
        hit.block = b;
        return hit;
    }
    return hit;
}

QString TimelineTracks::helpAt(QPointF at) const
{
    const Hit hit = hitTest(at);
    switch (hit.kind) {
    case Hit::Kind::block: return hit.block->help + QStringLiteral(". Drag to move it, drag an edge to change its length.");
    case Hit::Kind::sound:
        if (const auto s = placedSound(hit.block->item.id))
            return QString::fromStdString(s->sound.name) +
                   QStringLiteral(": drag to move, drag an end to trim, drag the yellow line for volume, its corners to "
                                  "fade");
        return {};
    case Hit::Kind::audio:
        return QStringLiteral("The video's sound: drag the yellow line to change its volume, its corner handles to fade, "
                              "double-click it to add a point");
    case Hit::Kind::clip:
        return editor_.project().clips && editor_.project().clips->size() > 1
                   ? QStringLiteral("Drag to reorder the clips; drag an edge to trim")
                   : QStringLiteral("Drag an edge to trim the video");
    case Hit::Kind::background: return {};
    }
    return {};
}

bool TimelineTracks::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString text = helpAt(help->pos());
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, this);
        return true;
    }
    return QWidget::event(event);
}

void TimelineTracks::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    gesture_ = Gesture{hitTest(event->position()), event->position(), false, false, {}};
    Gesture& g = *gesture_;
    if (g.hit.volume && g.hit.kind == Hit::Kind::sound)
        if (const auto s = placedSound(g.hit.block->item.id)) g.envelope = s->sound.volume;
    if (g.hit.volume && g.hit.kind == Hit::Kind::audio) g.envelope = editor_.placedVideoVolume();
    // A background press or a press on the audio lane away from its line
    // scrubs at once: a plain click seeks.
    if (g.hit.kind == Hit::Kind::background || (g.hit.kind == Hit::Kind::audio && !g.hit.volume)) {
        g.started = true;
        scrubAt(event->position().x());
    }
}

void TimelineTracks::mouseMoveEvent(QMouseEvent* event)
{
    if (gesture_ && (event->buttons() & Qt::LeftButton)) return moveGesture(event->position());
    const Hit hit = hitTest(event->position());
    if (hit.volume)
        setCursor(VolumeEditing::cursor(hit.volume));
    else if (hit.edge && hit.kind != Hit::Kind::audio)
        setCursor(Qt::SizeHorCursor);
    else if (hit.kind == Hit::Kind::block || hit.kind == Hit::Kind::sound ||
             (hit.kind == Hit::Kind::clip && editor_.project().clips && editor_.project().clips->size() > 1))
        setCursor(Qt::OpenHandCursor);
    else
        setCursor(Qt::ArrowCursor);
}

void TimelineTracks::leaveEvent(QEvent* event)
{
    setCursor(Qt::ArrowCursor);
    QWidget::leaveEvent(event);
}

void TimelineTracks::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !gesture_) return QWidget::mouseReleaseEvent(event);
    endGesture(event->position());
}

void TimelineTracks::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return;
    const QPointF at = event->position();
    const Hit hit = hitTest(at);
    // The double-click's second press also starts a gesture, ended on release.
    gesture_ = Gesture{hit, at, hit.kind == Hit::Kind::background, false, {}};
    if (hit.kind == Hit::Kind::sound) {
        const auto s = placedSound(hit.block->item.id);
        if (!s) return;
        editor_.pushUndo();
        writeSoundVolume(s->sound.id, VolumeEditing::toggle(at - hit.block->rect.topLeft(), s->sound.volume,
                                                            s->sound.duration, pps_, VolumeGeometry{36}));
        gesture_.reset();
    } else if (hit.kind == Hit::Kind::audio) {
        editor_.pushUndo();
        commitVideoVolume(VolumeEditing::toggle(QPointF(at.x(), at.y() - laneTop(TimelineLane::Kind::audio)),
                                                editor_.placedVideoVolume(), std::max(outputLength(), 0.1), pps_,
                                                VolumeGeometry{42}));
        gesture_.reset();
    } else if (hit.kind == Hit::Kind::background) {
        captionDoubleClick(at);
    }
}

void TimelineTracks::contextMenuEvent(QContextMenuEvent* event)
{
    if (QMenu* menu = menuAt(event->pos(), this)) {
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(event->globalPos());
    }
}

}  // namespace vt
