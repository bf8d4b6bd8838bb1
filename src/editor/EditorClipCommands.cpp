// Adding, removing, reordering and trimming the project's source clips. Every
// change of the clip list carries all source-timed things from the old
// layout to the new one, so they stay with the material round them.

#include "editor/EditorModel.h"
#include "model/FileAccess.h"
#include "model/SourceRemap.h"
#include "text/HookGenerator.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace vt {

namespace {

constexpr double shortestClip = 0.2;  // a video must be longer than this
constexpr double shortestKept = 0.5;  // a trim keeps at least this much
const char* const noVideoToAdd = "That file has no video to add.";

// Clamps a wanted trim to [0, limit]; anything not a number gives 0, and a
// clip shorter than the kept minimum gets no trim at all.
double clampTrim(double wanted, double limit)
{
    const double t = std::isfinite(wanted) ? std::max(wanted, 0.0) : 0.0;
    return std::max(std::min(t, limit), 0.0);
}

}  // namespace

std::optional<std::string> EditorModel::pickVideoFile(const std::string& message, const FileChooser& choose)
{
    if (!choose) return std::nullopt;
    return choose(message, {"*.mp4", "*.m4v", "*.mov", "*.mkv", "*.webm", "*.avi"});
}

// Steps shared by every change of the clip list, after the list of `copy`
// was changed: the project's totals follow the list, every source time moves
// to the new layout, the old stabilization path (measured on the old joined
// source) is dropped, and the copy becomes the project.
void EditorModel::updateClipList(Project& copy, const std::vector<ClipSpan>& old, bool regenerateHooks)
{
    copy.syncClips();
    SourceRemap{old, copy.spans()}.apply(copy);
    if (regenerateHooks) copy.hooks = HookGenerator::fromTranscript(copy.words);
    if (copy.stabilization) copy.stabilization->path.reset();
    setProject(std::move(copy));
}

// The audio cleanup and the stabilization take up the new clip list when
// its facts are summed up (sourceChanged).
void EditorModel::reloadClips()
{
    loadClips([](EditorModel& m) {
        m.loadClipPeaksAndFrames();
        m.timelineChanged();
    });
}

void EditorModel::addClip(const std::string& path, std::optional<int> index)
{
    if (!services_.media) {
        setExportError(std::string(noVideoToAdd));
        return;
    }
    inBackground([media = services_.media, path, index]() -> std::function<void(EditorModel&)> {
        auto info = media->probeVideo(path);
        return [info, path, index](EditorModel& m) {
            if (!info || !std::isfinite(info->duration) || info->duration <= shortestClip) {
                m.setExportError(std::string(noVideoToAdd));
                return;
            }
            m.pushUndo();
            Project copy = m.project_;
            copy.adoptClips();
            const auto old = copy.spans();
            VideoClip clip;
            clip.path = path;
            clip.bookmark = FileAccess::makeBookmark(path);
            clip.name = std::filesystem::path(path).stem().string();
            clip.duration = info->duration;
            m.clipInfo_[clip.id] = *info;
            auto& clips = *copy.clips;
            const int count = static_cast<int>(clips.size());
            const int at = std::min(std::max(index.value_or(count), 0), count);
            clips.insert(clips.begin() + at, clip);
            m.updateClipList(copy, old);
            m.setTimelineSelection(TimelineItem{TimelineItem::Kind::clip, clip.id});
            m.timelineChanged();
            m.reloadClips();
            m.transcribeClip(clip);
        };
    });
}

void EditorModel::removeClip(Uuid id)
{
    if (!project_.clips || project_.clips->size() < 2) return;
    auto& clips = *project_.clips;
    const auto it = std::find_if(clips.begin(), clips.end(), [&](const VideoClip& c) { return c.id == id; });
    if (it == clips.end()) return;
    pushUndo();
    Project copy = project_;
    const auto old = copy.spans();
    copy.clips->erase(copy.clips->begin() + (it - clips.begin()));
    updateClipList(copy, old, true);
    if (timelineSelection_ == TimelineItem{TimelineItem::Kind::clip, id}) setTimelineSelection(std::nullopt);
    timelineChanged();
    reloadClips();
}

void EditorModel::moveClip(Uuid id, int index)
{
    if (!project_.clips) return;
    const auto& clips = *project_.clips;
    const auto it = std::find_if(clips.begin(), clips.end(), [&](const VideoClip& c) { return c.id == id; });
    if (it == clips.end()) return;
    const int from = static_cast<int>(it - clips.begin());
    const int to = std::min(std::max(index, 0), static_cast<int>(clips.size()) - 1);
    if (from == to) return;
    pushUndo();
    Project copy = project_;
    const auto old = copy.spans();
    VideoClip moved = (*copy.clips)[from];
    copy.clips->erase(copy.clips->begin() + from);
    copy.clips->insert(copy.clips->begin() + to, std::move(moved));
    updateClipList(copy, old);
    timelineChanged();
    reloadClips();
}

void EditorModel::setClipTrim(Uuid id, double start, double end, bool recordUndo)
{
    if (recordUndo) pushUndo();
    if (!project_.clips) updateProject([](Project& p) { p.adoptClips(); });
    if (!project_.clips) return;
    auto& clips = *project_.clips;
    const auto it = std::find_if(clips.begin(), clips.end(), [&](const VideoClip& c) { return c.id == id; });
    if (it == clips.end()) return;
    const double d = it->duration;
    updateProject([&](Project&) {
        it->trimStart = clampTrim(start, d - shortestKept);
        it->trimEnd = clampTrim(end, d - it->trimStart - shortestKept);
    });
    timelineChanged();
}

std::vector<EditorModel::ClipSpanEntry> EditorModel::clipSpans() const
{
    std::vector<ClipSpanEntry> out;
    for (const ClipSpan& span : project_.spans()) {
        const double s = span.start + span.clip.trimStart;
        const double e = std::max(span.start + span.clip.duration - span.clip.trimEnd, s);
        const double os = plan_.outputTime(s);
        const double oe = plan_.outputTime(e);
        out.push_back({span.clip.id, span.clip.name, os, std::max(os, oe), span.clip});
    }
    return out;
}

}  // namespace vt
