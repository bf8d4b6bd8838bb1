#include "ui/timeline/LaneContent.h"

#include "editor/EditorModel.h"

#include <algorithm>
#include <cmath>

namespace vt {

bool LaneContent::isDimmed(const TimelineLane& lane) const
{
    return std::find(dimmed.begin(), dimmed.end(), lane) != dimmed.end();
}

std::vector<TimelineLane> LaneContent::dimmedLanes(const Project& project, const std::vector<TimelineLane>& lanes)
{
    using K = TimelineLane::Kind;
    const TrackSettings t = project.tracks.value_or(TrackSettings{});
    std::vector<TimelineLane> out;
    const auto addEvery = [&](K kind, bool when) {
        if (!when) return;
        for (const TimelineLane& l : lanes)
            if (l.kind == kind) out.push_back(l);
    };
    addEvery(K::effects, t.effectsHidden);
    addEvery(K::overlay, t.overlaysHidden);
    if (!project.captionsVisible) out.push_back(TimelineLane::of(K::captions));
    if (t.matchCutsHidden) out.push_back(TimelineLane::of(K::matchCut));
    if (t.videoMuted) out.push_back(TimelineLane::of(K::audio));
    addEvery(K::sounds, t.soundsMuted);
    if (t.voiceMuted) out.push_back(TimelineLane::of(K::voice));
    if (t.musicMuted) out.push_back(TimelineLane::of(K::music));
    return out;
}

namespace {

double displayAspect(const std::optional<SourceVideoInfo>& source)
{
    if (!source) return 0.5625;
    const AffineTransform& m = source->transform;
    // The natural rectangle through the transform: only the linear part
    // changes its size.
    const double w = source->naturalWidth, h = source->naturalHeight;
    const double xs[] = {0, m.a * w, m.c * h, m.a * w + m.c * h};
    const double ys[] = {0, m.b * w, m.d * h, m.b * w + m.d * h};
    const double width = *std::max_element(xs, xs + 4) - *std::min_element(xs, xs + 4);
    const double height = *std::max_element(ys, ys + 4) - *std::min_element(ys, ys + 4);
    return std::abs(width) / std::max(std::abs(height), 1.0);
}

}  // namespace

LaneContent LaneContent::from(const EditorModel& editor, const std::vector<TimelineLane>& lanes,
                              std::optional<std::pair<Uuid, double>> clipMove)
{
    const Project& project = editor.project();
    const auto& selection = editor.timelineSelection();
    const auto selected = [&](TimelineItem::Kind kind, const Uuid& id) {
        return selection && selection->kind == kind && selection->id == id;
    };
    LaneContent c;
    c.plan = editor.plan();
    c.groups = editor.groups();
    c.filmstrip = &editor.filmstrip();
    c.peaks = &editor.waveformPeaks();
    c.sourceAspect = displayAspect(editor.source());
    for (const auto& span : editor.clipSpans()) {
        ClipBox box{span.id, QString::fromStdString(span.name), span.start, span.end,
                    selected(TimelineItem::Kind::clip, span.id), std::nullopt};
        if (const auto job = editor.clipJobs().find(span.id); job != editor.clipJobs().end())
            box.job = QString::fromStdString(job->second);
        if (clipMove && clipMove->first == span.id) c.clipMove = ClipMove{span.id, clipMove->second, span.start, span.end};
        c.clips.push_back(std::move(box));
    }
    c.joined = project.clips && project.clips->size() > 1;
    if (project.voiceover) c.voice = Bar{project.voiceover->start, project.voiceover->start + project.voiceover->duration};
    if (project.music) c.music = QStringLiteral("Music · ") + QString::fromStdString(project.music->name);
    if (project.hookOverlay)
        c.hook = std::pair{QString::fromStdString(project.hookOverlay->text), project.hookOverlay->duration};
    c.emptyOverlay = editor.brollPlacements().empty();
    c.emptyMatchCut = editor.placedMatchCuts().empty();
    c.emptyEffects = editor.placedMotions().empty();
    c.emptySounds = editor.placedSounds().empty();
    c.videoVolume = editor.placedVideoVolume();
    static const std::vector<float> none;
    for (const PlacedSound& p : editor.placedSounds()) {
        const auto peaks = editor.soundPeaks().find(p.sound.path);
        c.sounds.push_back({p.sound, p.start, p.row, selected(TimelineItem::Kind::sound, p.sound.id),
                            peaks == editor.soundPeaks().end() ? &none : &peaks->second});
    }
    c.dimmed = dimmedLanes(project, lanes);
    c.pickedWords = editor.selection();
    return c;
}

}  // namespace vt
