#include "ui/timeline/LaneHeaders.h"

#include "ui/theme/Theme.h"
#include "ui/timeline/AddVideoItems.h"
#include "ui/timeline/EffectsPalette.h"
#include "ui/timeline/TimelineGeometry.h"
#include "ui/timeline/TimelineIcons.h"
#include "ui/timeline/TimelineMetrics.h"
#include "ui/timeline/TimelinePayload.h"

#include <QMenu>
#include <QPainter>
#include <QPainterPath>

namespace vt {

TrackButton::TrackButton(QString symbol, bool on, QString help, QWidget* parent)
    : QAbstractButton(parent), symbol_(std::move(symbol)), on_(on)
{
    setToolTip(help);
    setAccessibleName(help);
    setFixedSize(19, 18);
    setCursor(Qt::ArrowCursor);
}

void TrackButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (hover_) {
        QColor ink = Theme::ink;
        ink.setAlphaF(0.1f);
        QPainterPath back;
        back.addRoundedRect(QRectF(rect()), 4, 4);
        p.fillPath(back, ink);
    }
    const QColor color = on_ ? QColor(Theme::secondaryText) : QColor::fromRgbF(1.0f, 0.38f, 0.40f);
    TimelineIcons::draw(p, symbol_, QRectF(4.5, 4, 10, 10), color);
}

void TrackButton::enterEvent(QEnterEvent* event)
{
    hover_ = true;
    update();
    QAbstractButton::enterEvent(event);
}

void TrackButton::leaveEvent(QEvent* event)
{
    hover_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}

LaneHeaders::LaneHeaders(EditorModel& editor, std::function<void()> editLine, QWidget* parent)
    : QWidget(parent), editor_(editor), editLine_(std::move(editLine)), choose_(AddVideoItems::fileChooser(this))
{
    setFixedWidth(int(TimelineMetrics::headerWidth));
    // The buttons show the project's lane settings, wherever they change.
    connect(&editor_, &EditorModel::projectChanged, this, [this] {
        const auto& p = editor_.project();
        if (shown_ != std::pair{p.tracks.value_or(TrackSettings{}), p.captionsVisible}) rebuild();
    });
}

void LaneHeaders::setLanes(std::vector<TimelineLane> lanes)
{
    if (lanes == lanes_) return;
    lanes_ = std::move(lanes);
    rebuild();
}

QSize LaneHeaders::sizeHint() const
{
    return QSize(int(TimelineMetrics::headerWidth), int(std::ceil(TimelineMetrics::height(lanes_))));
}

std::vector<TrackButton*> LaneHeaders::buttons(const TimelineLane& lane) const
{
    std::vector<TrackButton*> out;
    for (const auto& [l, b] : buttons_)
        if (l == lane) out.push_back(b);
    return out;
}

TrackButton* LaneHeaders::button(const TimelineLane& lane, QString symbol, bool on, QString help,
                                 std::function<void()> action)
{
    auto* b = new TrackButton(std::move(symbol), on, std::move(help), this);
    connect(b, &QAbstractButton::clicked, this, [action] { action(); });
    buttons_.emplace_back(lane, b);
    return b;
}

void LaneHeaders::rebuild()
{
    for (auto& [lane, b] : buttons_) b->deleteLater();
    buttons_.clear();
    shown_ = std::pair{editor_.project().tracks.value_or(TrackSettings{}), editor_.project().captionsVisible};
    setFixedHeight(sizeHint().height());
    for (const TimelineLane& lane : lanes_) addButtons(lane, TimelineGeometry::laneTop(lanes_, lane));
    update();
}

void LaneHeaders::addButtons(const TimelineLane& lane, double top)
{
    using K = TimelineLane::Kind;
    const TrackSettings t = editor_.project().tracks.value_or(TrackSettings{});
    const auto eye = [&](bool hidden, const char* hide, const char* show, bool TrackSettings::*flag) {
        button(lane, hidden ? "eye.slash" : "eye", !hidden, hidden ? show : hide, [this, flag] { flip(flag); });
    };
    const auto speaker = [&](bool muted, const char* mute, const char* unmute, bool TrackSettings::*flag) {
        button(lane, muted ? "speaker.slash" : "speaker.wave.2", !muted, muted ? unmute : mute,
               [this, flag] { flip(flag); });
    };
    switch (lane.kind) {
    case K::video: {
        TrackButton* add = button(lane, "plus", true, "Add a clip, or a video or photo on top", [] {});
        connect(add, &QAbstractButton::clicked, this, [this, add] {
            QMenu menu(this);
            AddVideoItems::fill(menu, editor_, choose_);
            menu.exec(add->mapToGlobal(QPoint(0, add->height())));
        });
        break;
    }
    case K::overlay:
        if (lane.row != 0) break;
        button(lane, "plus", true, "Put a video or photo on top, at the playhead",
               [this] { AddVideoItems::addOverlay(editor_, choose_); });
        eye(t.overlaysHidden, "Hide overlays", "Show overlays", &TrackSettings::overlaysHidden);
        break;
    case K::captions: {
        const bool shown = editor_.project().captionsVisible;
        button(lane, "pencil", true, "Edit the caption line at the playhead (or double-click a line)",
               [this] { editLine_(); });
        button(lane, shown ? "eye" : "eye.slash", shown, shown ? "Hide captions" : "Show captions",
               [this] { flipCaptions(); });
        break;
    }
    case K::hook: break;
    case K::matchCut:
        button(lane, "plus", true, "Add a match cut at the playhead",
               [this] { editor_.place(TimelinePayload::matchCut(), editor_.currentTime()); });
        speaker(t.matchCutsMuted, "Turn the ticks off", "Turn the ticks back on", &TrackSettings::matchCutsMuted);
        eye(t.matchCutsHidden, "Hide match cuts", "Show match cuts", &TrackSettings::matchCutsHidden);
        break;
    case K::effects: {
        if (lane.row != 0) break;
        TrackButton* add = button(lane, "plus", true, "Add an effect at the playhead", [] {});
        connect(add, &QAbstractButton::clicked, this, [this, add] { showEffects(add); });
        speaker(t.effectsMuted, "Turn effect sounds off", "Turn effect sounds back on", &TrackSettings::effectsMuted);
        eye(t.effectsHidden, "Turn all effects off", "Turn effects back on", &TrackSettings::effectsHidden);
        break;
    }
    case K::audio:
        speaker(t.videoMuted, "Mute the video's sound", "Unmute the video's sound", &TrackSettings::videoMuted);
        break;
    case K::sounds:
        if (lane.row != 0) break;
        button(lane, "plus", true, "Add music, a sound effect or a recording at the playhead",
               [this] { AddVideoItems::addSound(editor_, choose_); });
        speaker(t.soundsMuted, "Mute added sounds", "Unmute added sounds", &TrackSettings::soundsMuted);
        break;
    case K::voice: speaker(t.voiceMuted, "Mute the voiceover", "Unmute the voiceover", &TrackSettings::voiceMuted); break;
    case K::music: speaker(t.musicMuted, "Mute the music", "Unmute the music", &TrackSettings::musicMuted); break;
    }
    // Right-aligned within the 4-point trailing padding, 1 point apart,
    // centred on the row.
    const auto row = buttons(lane);
    const double h = TimelineMetrics::laneHeight(lane);
    int x = int(TimelineMetrics::headerWidth) - 4;
    for (auto it = row.rbegin(); it != row.rend(); ++it) {
        x -= (*it)->width();
        (*it)->move(x, int(top + (h - (*it)->height()) / 2));
        (*it)->show();
        x -= 1;
    }
}

void LaneHeaders::flip(bool TrackSettings::*flag)
{
    const TrackSettings before = editor_.project().tracks.value_or(TrackSettings{});
    TrackSettings after = before;
    after.*flag = !(after.*flag);
    editor_.updateProject([&](Project& p) { p.tracks = after; });
    editor_.recordLanesUndo(before);
    const bool mix = before.videoMuted != after.videoMuted || before.soundsMuted != after.soundsMuted ||
                     before.musicMuted != after.musicMuted || before.voiceMuted != after.voiceMuted;
    if (mix)
        editor_.timelineChanged();
    else
        editor_.timelineItemsChanged();
}

void LaneHeaders::flipCaptions()
{
    editor_.updateProject([](Project& p) { p.captionsVisible = !p.captionsVisible; });
    editor_.visualChanged();
}

void LaneHeaders::showEffects(QWidget* anchor)
{
    // Beside the button's trailing edge.
    EffectsPalette::popup(editor_, this, [anchor](QSize) { return anchor->mapToGlobal(QPoint(anchor->width() + 4, -8)); });
}

void LaneHeaders::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QFont f = font();
    f.setPointSizeF(10.5);
    f.setWeight(QFont::Medium);
    p.setFont(f);
    const QColor text = Theme::secondaryText;
    for (const TimelineLane& lane : lanes_) {
        const QString title = QString::fromUtf8(lane.title());
        if (title.isEmpty()) continue;
        const double top = TimelineGeometry::laneTop(lanes_, lane), h = TimelineMetrics::laneHeight(lane);
        TimelineIcons::draw(p, QString::fromUtf8(lane.icon()), QRectF(12, top + h / 2 - 6, 12, 12), text);
        p.setPen(text);
        p.drawText(QRectF(28, top, 90, h), Qt::AlignVCenter | Qt::AlignLeft, title);
    }
}

}  // namespace vt
