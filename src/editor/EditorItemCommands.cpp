// Selecting, moving, resizing, removing and duplicating single timeline items,
// and placing effects dropped from the palette.

#include "editor/EditorModel.h"
#include "editor/MatchCutSuggestions.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vt {

namespace {

double finiteOr(double value, double fallback) { return std::isfinite(value) ? value : fallback; }

template <class T, class Id>
T* findByID(std::optional<std::vector<T>>& list, const Id& id)
{
    if (!list) return nullptr;
    auto it = std::find_if(list->begin(), list->end(), [&](const T& e) { return e.id == id; });
    return it == list->end() ? nullptr : &*it;
}

template <class T, class Id>
const T* findByID(const std::optional<std::vector<T>>& list, const Id& id)
{
    return findByID(const_cast<std::optional<std::vector<T>>&>(list), id);
}

// The left-edge rule of overlays and sounds: when only the start moved, the
// offset into the file moves with it, and never below the file's start.
struct EdgeEdit {
    double start, duration, offset;
};
EdgeEdit trimLeftEdge(std::pair<double, double> old, double start, double duration, double offset, bool followsStart)
{
    offset = finiteOr(offset, 0);  // a damaged offset plays from the file's start
    const bool endKept = std::abs(old.second - (start + duration)) < 1e-6;
    const bool startMoved = std::abs(old.first - start) > 1e-6;
    if (followsStart && endKept && startMoved) offset += start - old.first;
    if (offset < 0) {
        start -= offset;
        duration += offset;
        offset = 0;
    }
    return {start, duration, offset};
}

}  // namespace

void EditorModel::selectTimelineItem(std::optional<TimelineItem> item)
{
    setTimelineSelection(item);
    if (!item) return;
    switch (item->kind) {
    case TimelineItem::Kind::matchCut: setInspectorTab(InspectorTab::hook); break;
    case TimelineItem::Kind::motion: setInspectorTab(InspectorTab::effects); break;
    case TimelineItem::Kind::overlay:
    case TimelineItem::Kind::clip: setItemInspectorOpen(true); break;
    case TimelineItem::Kind::sound: break;
    }
}

std::optional<MatchCut> EditorModel::selectedMatchCut() const
{
    if (!timelineSelection_ || timelineSelection_->kind != TimelineItem::Kind::matchCut) return std::nullopt;
    const MatchCut* cut = findByID(project_.matchCuts, std::optional(timelineSelection_->id));
    return cut ? std::optional(*cut) : std::nullopt;
}

std::optional<MotionEffect> EditorModel::selectedMotion() const
{
    if (!timelineSelection_ || timelineSelection_->kind != TimelineItem::Kind::motion) return std::nullopt;
    const MotionEffect* move = findByID(project_.motions, timelineSelection_->id);
    return move ? std::optional(*move) : std::nullopt;
}

std::optional<std::pair<double, double>> EditorModel::span(const TimelineItem& item) const
{
    using K = TimelineItem::Kind;
    const Uuid& id = item.id;
    switch (item.kind) {
    case K::matchCut:
        for (const auto& p : placedMatchCuts_)
            if (p.cut.id == id) return std::pair(p.start, p.start + p.cut.duration);
        break;
    case K::motion:
        for (const auto& p : placedMotions_)
            if (p.effect.id == id) return std::pair(p.start, p.start + p.effect.duration);
        break;
    case K::overlay:
        for (const auto& p : brollPlacements_)
            if (p.item.id == id) return std::pair(p.start, p.end);
        break;
    case K::sound:
        for (const auto& p : placedSounds_)
            if (p.sound.id == id) return std::pair(p.start, p.start + p.sound.duration);
        break;
    case K::clip:
        for (const auto& c : clipSpans())
            if (c.id == id) return std::pair(c.start, c.end);
        break;
    }
    return std::nullopt;
}

void EditorModel::setSpan(const TimelineItem& item, double wantedStart, double wantedDuration, bool recordUndo)
{
    using K = TimelineItem::Kind;
    const double length = plan_.outputLength();
    double start = std::max(0.0, std::min(finiteOr(wantedStart, 0), length - 0.2));
    double duration = std::min(finiteOr(wantedDuration, 0), length - start);
    switch (item.kind) {
    case K::matchCut: {
        const std::optional<double> source =
            start < 0.04 ? std::nullopt : std::optional(plan_.sourceTime(start));
        updateMatchCut(item.id, recordUndo, [&](MatchCut& cut) {
            cut.start = source;
            cut.duration = std::clamp(duration, 0.5, 6.0);
        });
        return;
    }
    case K::motion:
        if (!findByID(project_.motions, item.id)) return;
        if (recordUndo) pushUndo();
        updateProject([&](Project& p) {
            MotionEffect* move = findByID(p.motions, item.id);
            move->start = plan_.sourceTime(start);
            move->duration = std::clamp(duration, 0.2, 10.0);
        });
        timelineItemsChanged();
        return;
    case K::overlay: {
        const auto old = span(item);
        const BRoll* found = findByID(project_.brolls, item.id);
        if (!old || !found) return;
        const EdgeEdit e = trimLeftEdge(*old, start, duration, found->sourceOffset, !found->isImage);
        if (recordUndo) pushUndo();
        updateProject([&](Project& p) {
            BRoll* b = findByID(p.brolls, item.id);
            b->start = plan_.sourceTime(e.start);
            b->length = std::max(e.duration, 0.3);
            b->sourceOffset = e.offset;
        });
        timelineChanged();
        return;
    }
    case K::sound: {
        const auto old = span(item);
        const SoundClip* found = findByID(project_.sounds, item.id);
        if (!old || !found) return;
        EdgeEdit e = trimLeftEdge(*old, start, duration, found->offset, true);
        // A file length that is not a number limits nothing.
        const double fileDuration = finiteOr(found->fileDuration, std::numeric_limits<double>::infinity());
        // A file shorter than 0.2 s still plays from its start.
        e.offset = std::max(std::min(e.offset, fileDuration - 0.2), 0.0);
        if (recordUndo) pushUndo();
        updateProject([&](Project& p) {
            SoundClip* s = findByID(p.sounds, item.id);
            s->start = plan_.sourceTime(e.start);
            s->offset = e.offset;
            const double rest = fileDuration - e.offset;
            s->duration = std::max(std::min(rest, e.duration), 0.2);
            // Never past the file's end, even for a file under 0.2 s.
            if (rest > 0) s->duration = std::min(s->duration, rest);
        });
        timelineChanged();
        return;
    }
    case K::clip: return;
    }
}

void EditorModel::remove(TimelineItem item)
{
    using K = TimelineItem::Kind;
    if (item.kind == K::clip) {
        removeClip(item.id);
        return;
    }
    auto erase = [&](auto& list, const auto& id) {
        if (!list || std::none_of(list->begin(), list->end(), [&](const auto& e) { return e.id == id; }))
            return false;
        pushUndo();
        updateProject([&](Project&) { std::erase_if(*list, [&](const auto& e) { return e.id == id; }); });
        return true;
    };
    bool removed = false;
    switch (item.kind) {
    case K::matchCut: removed = erase(project_.matchCuts, std::optional(item.id)); break;
    case K::motion: removed = erase(project_.motions, item.id); break;
    case K::overlay: removed = erase(project_.brolls, item.id); break;
    case K::sound: removed = erase(project_.sounds, item.id); break;
    case K::clip: break;
    }
    if (!removed) return;
    if (timelineSelection_ == item) setTimelineSelection(std::nullopt);
    if (item.kind == K::matchCut || item.kind == K::motion)
        timelineItemsChanged();
    else
        timelineChanged();
}

void EditorModel::duplicate(const TimelineItem& item)
{
    using K = TimelineItem::Kind;
    const auto at = span(item);
    if (!at) return;
    const double length = plan_.outputLength();
    switch (item.kind) {
    case K::matchCut:
        if (const MatchCut* cut = findByID(project_.matchCuts, std::optional(item.id))) addMatchCut(*cut, at->second);
        return;
    case K::motion: {
        const MotionEffect* found = findByID(project_.motions, item.id);
        if (!found) return;
        const MotionEffect original = *found;
        const Uuid copy = addMotion(original.kind, at->second);
        updateMotion(copy, false, [&](MotionEffect& m) {
            m.duration = original.duration;
            m.strength = original.strength;
            m.sound = original.sound;
        });
        return;
    }
    case K::overlay: {
        const BRoll* found = findByID(project_.brolls, item.id);
        if (!found) return;
        BRoll copy = *found;
        copy.id = Uuid::random();
        copy.start = plan_.sourceTime(std::min(at->second, length - 0.3));
        copy.length = at->second - at->first;
        pushUndo();
        updateProject([&](Project& p) { p.brolls->push_back(copy); });
        loadBRollThumb(copy);
        setTimelineSelection(TimelineItem{K::overlay, copy.id});
        timelineChanged();
        return;
    }
    case K::sound: {
        const SoundClip* found = findByID(project_.sounds, item.id);
        if (!found) return;
        SoundClip copy = *found;
        copy.id = Uuid::random();
        copy.start = plan_.sourceTime(std::min(at->second, length - 0.2));
        pushUndo();
        updateProject([&](Project& p) { p.sounds->push_back(copy); });
        setTimelineSelection(TimelineItem{K::sound, copy.id});
        timelineChanged();
        return;
    }
    case K::clip: return;
    }
}

void EditorModel::place(const TimelineDrop& drop, double at)
{
    if (drop.kind == TimelineDrop::Kind::motion) {
        addMotion(drop.motion, at);
        setInspectorTab(InspectorTab::effects);
        return;
    }
    MatchCut cut;
    if (auto selected = selectedMatchCut())
        cut = *selected;
    else if (project_.matchCuts && !project_.matchCuts->empty())
        cut = project_.matchCuts->back();
    else {
        const auto suggested = MatchCutRenderer::suggestions(project_.words, 1);
        cut.word = suggested.empty() ? "Match Cut" : suggested.front();
        cut.style = MatchCut::Style::editorial;
        cut.seed = 1;
        cut.duration = 2;
        cut.cutsPerSecond = 7;
        cut.ticks = true;
    }
    if (drop.style) cut.style = *drop.style;
    if (drop.seed) cut.seed = *drop.seed;
    if (drop.word) cut.word = *drop.word;
    addMatchCut(cut, at);
    setInspectorTab(InspectorTab::hook);
}

}  // namespace vt
