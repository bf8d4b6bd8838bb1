// Adding and editing match cuts and camera moves. These change only the
// timeline items, so they end with timelineItemsChanged().

#include "editor/EditorModel.h"
#include "editor/MatchCutSuggestions.h"

#include <QThreadPool>

#include <algorithm>
#include <cmath>

namespace vt {

namespace {

double finiteOr(double value, double fallback) { return std::isfinite(value) ? value : fallback; }

// The things a match cut's cached frames depend on.
bool sameFrames(const MatchCut& a, const MatchCut& b)
{
    return a.word == b.word && a.style == b.style && a.seed == b.seed && a.frameCount() == b.frameCount() &&
           a.keywords == b.keywords;
}

}  // namespace

Uuid EditorModel::addMatchCut(MatchCut cut, double at)
{
    const double length = plan_.outputLength();
    pushUndo();
    const Uuid id = Uuid::random();
    cut.id = id;
    cut.duration = std::min(finiteOr(cut.duration, 2), std::max(length, 0.5));
    const double s = std::max(0.0, std::min(length - cut.duration, finiteOr(at, 0)));
    cut.start = s < 0.04 ? std::nullopt : std::optional(plan_.sourceTime(s));
    if (!cut.keywords) {
        MatchCutRenderer::Context context = MatchCutRenderer::context(project_.words);
        cut.keywords = std::move(context.keywords);
        cut.lines = std::move(context.lines);
    }
    updateProject([&](Project& p) {
        if (!p.matchCuts) p.matchCuts.emplace();
        p.matchCuts->push_back(cut);
    });
    if (services_.pictures) {
        const Size size = renderSize(project_.aspect);
        QThreadPool::globalInstance()->start(
            [pictures = services_.pictures, cut, size] { pictures->prewarm(cut, {size.width, size.height}); });
    }
    setTimelineSelection(TimelineItem{TimelineItem::Kind::matchCut, id});
    timelineItemsChanged();
    return id;
}

void EditorModel::updateMatchCut(Uuid id, bool recordUndo, const std::function<void(MatchCut&)>& edit)
{
    if (!project_.matchCuts) return;
    auto& cuts = *project_.matchCuts;
    auto it = std::find_if(cuts.begin(), cuts.end(), [&](const MatchCut& c) { return c.id == id; });
    if (it == cuts.end()) return;
    if (recordUndo) pushUndo();
    const MatchCut before = *it;
    updateProject([&](Project&) { edit(*it); });
    if (!sameFrames(before, *it) && services_.pictures) {
        // A burst of edits renders the frames once, for the last state.
        const Size size = renderSize(project_.aspect);
        auto run = [pictures = services_.pictures, cut = *it, size] {
            QThreadPool::globalInstance()->start(
                [pictures, cut, size] { pictures->prewarm(cut, {size.width, size.height}); });
        };
        prewarmTask_.bind(services_.clock);
        prewarmTask_.start(0.3, std::move(run));
    }
    timelineItemsChanged();
}

Uuid EditorModel::addMotion(MotionEffect::Kind kind, double at)
{
    const double length = plan_.outputLength();
    pushUndo();
    MotionEffect move;
    move.kind = kind;
    move.duration = std::max(std::min(length, defaultLength(kind)), 0.2);
    move.start = plan_.sourceTime(std::max(0.0, std::min(length - move.duration, finiteOr(at, 0))));
    move.strength = 1.0;
    move.sound = true;
    updateProject([&](Project& p) {
        if (!p.motions) p.motions.emplace();
        p.motions->push_back(move);
    });
    setTimelineSelection(TimelineItem{TimelineItem::Kind::motion, move.id});
    timelineItemsChanged();
    return move.id;
}

void EditorModel::updateMotion(Uuid id, bool recordUndo, const std::function<void(MotionEffect&)>& edit)
{
    if (!project_.motions) return;
    auto& moves = *project_.motions;
    auto it = std::find_if(moves.begin(), moves.end(), [&](const MotionEffect& m) { return m.id == id; });
    if (it == moves.end()) return;
    if (recordUndo) pushUndo();
    updateProject([&](Project&) { edit(*it); });
    timelineItemsChanged();
}

int EditorModel::addAutoMotion()
{
    std::vector<ClosedRange<double>> avoid;
    for (const auto& p : placedMatchCuts_) avoid.push_back({p.start, p.start + p.cut.duration});
    const auto proposed = Timeline::autoMotion(groups_, plan_, placedMotions_, avoid, 4.0);
    if (proposed.empty()) return 0;
    pushUndo();
    updateProject([&](Project& p) {
        if (!p.motions) p.motions.emplace();
        for (const auto& m : proposed) {
            MotionEffect move;
            move.kind = m.kind;
            move.start = plan_.sourceTime(m.start);
            move.duration = m.duration;
            move.strength = 1.0;
            move.sound = m.kind == MotionEffect::Kind::punchIn;
            p.motions->push_back(move);
        }
    });
    timelineItemsChanged();
    return static_cast<int>(proposed.size());
}

void EditorModel::removeAllMotion()
{
    if (!project_.motions || project_.motions->empty()) return;
    pushUndo();
    updateProject([](Project& p) { p.motions.reset(); });
    if (timelineSelection_ && timelineSelection_->kind == TimelineItem::Kind::motion)
        setTimelineSelection(std::nullopt);
    timelineItemsChanged();
}

}  // namespace vt
