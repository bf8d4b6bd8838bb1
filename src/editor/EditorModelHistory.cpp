// Saving, undo and redo.

#include "editor/EditorModel.h"

#include "model/ProjectStore.h"

#include <QPointer>
#include <QThreadPool>

#include <algorithm>

namespace vt {

namespace {

std::optional<std::vector<Uuid>> clipIDs(const std::optional<std::vector<VideoClip>>& clips)
{
    if (!clips) return std::nullopt;
    std::vector<Uuid> ids;
    ids.reserve(clips->size());
    for (const VideoClip& clip : *clips) ids.push_back(clip.id);
    return ids;
}

template <class T>
bool holds(const std::optional<std::vector<T>>& items, const Uuid& id)
{
    return items && std::any_of(items->begin(), items->end(), [&](const T& item) { return item.id == id; });
}

bool holdsMatchCut(const std::optional<std::vector<MatchCut>>& cuts, const Uuid& id)
{
    return cuts && std::any_of(cuts->begin(), cuts->end(), [&](const MatchCut& cut) { return cut.id == id; });
}

std::string saveFailureMessage(ProjectStore::SaveResult result)
{
    if (result == ProjectStore::SaveResult::notEncodable)
        return "The project could not be saved: it holds a value that cannot be written.";
    return "The project could not be saved: the file could not be written.";
}

}  // namespace

// ---- saving ---------------------------------------------------------------------

void EditorModel::setProject(Project project)
{
    project_ = std::move(project);
    projectWritten();
}

void EditorModel::projectWritten()
{
    scheduleSave();
    emit projectChanged();
}

void EditorModel::scheduleSave()
{
    unsaved_ = true;
    saveTask_.start(saveDelay, [this] { writeProject(); });
}

void EditorModel::saveNow()
{
    saveTask_.cancel();
    writeProject();
}

// The file carries the time of saving; the editor's own value keeps its
// earlier updatedAt. A failed write leaves the project unsaved: the next
// change schedules another attempt, and saveError says what went wrong.
void EditorModel::writeProject()
{
    Project copy = project_;
    copy.updatedAt = services_.clock->now();
    const auto result = ProjectStore::save(copy);
    std::optional<std::string> error;
    if (result == ProjectStore::SaveResult::saved)
        unsaved_ = false;
    else
        error = saveFailureMessage(result);
    set(saveError_, std::move(error), &EditorModel::saveErrorChanged);
}

// ---- undo and redo -------------------------------------------------------------------

EditState EditorModel::editState() const
{
    const Project& p = project_;
    SharedList<Word> words = transcript();
    SharedList<Word> speech = &transcript() == &p.words ? words : SharedList<Word>(p.words);
    return {std::move(words), std::move(speech), p.matchCuts, p.motions,       p.clips,
            p.brolls,         p.sounds,          p.videoVolume, p.sourceDuration, p.sourceRange,
            p.videoPath,      p.videoBookmark,   p.faceTrack, p.translation,    p.voiceover, std::nullopt, std::nullopt};
}

bool EditorModel::historyHolds(const std::function<bool(const EditState&)>& test) const
{
    return std::any_of(undoStack_.begin(), undoStack_.end(), test) || std::any_of(redoStack_.begin(), redoStack_.end(), test);
}

void EditorModel::pushUndo() { pushStep(editState()); }

void EditorModel::pushStep(EditState step)
{
    undoStack_.push_back(std::move(step));
    if (undoStack_.size() > undoLimit) undoStack_.erase(undoStack_.begin());
    redoStack_.clear();
    emit historyChanged();
}

void EditorModel::recordMusicUndo(const BackgroundMusic& before)
{
    EditState step = editState();
    step.music = before;
    pushStep(std::move(step));
}

void EditorModel::recordLanesUndo(const TrackSettings& before)
{
    EditState step = editState();
    step.tracks = before;
    pushStep(std::move(step));
}

// The state to go back to from `step`: a music or lane step is
// answered by one that holds that part as it is now.
EditState EditorModel::counterpart(const EditState& step) const
{
    EditState now = editState();
    if (step.music && project_.music) now.music = *project_.music;
    if (step.tracks) now.tracks = project_.tracks.value_or(TrackSettings{});
    return now;
}

namespace {

// The music as `settings` set it up, still playing the file it plays now.
BackgroundMusic withSettings(BackgroundMusic music, const BackgroundMusic& settings)
{
    music.volume = settings.volume;
    music.ducking = settings.ducking;
    music.startOffset = settings.startOffset;
    music.fadeIn = settings.fadeIn;
    music.fadeOut = settings.fadeOut;
    music.loop = settings.loop;
    return music;
}

}  // namespace

void EditorModel::undo()
{
    if (undoStack_.empty()) return;
    EditState step = std::move(undoStack_.back());
    undoStack_.pop_back();
    redoStack_.push_back(counterpart(step));
    emit historyChanged();
    restore(step);
}

void EditorModel::redo()
{
    if (redoStack_.empty()) return;
    EditState step = std::move(redoStack_.back());
    redoStack_.pop_back();
    undoStack_.push_back(counterpart(step));
    emit historyChanged();
    restore(step);
}

void EditorModel::restoreAll()
{
    const auto& words = transcript();
    // With nothing cut a step would only wipe the redo history.
    if (std::none_of(words.begin(), words.end(), [](const Word& w) { return w.deleted; })) return;
    pushUndo();
    editTranscript([](std::vector<Word>& list) {
        for (Word& w : list) w.deleted = false;
    });
    timelineChanged();
}

// Makes the project match `step` member by member, then refreshes only as
// much as the difference needs: the timeline items alone, a player rebuild,
// or a rebuild plus reading the clips' media again.
void EditorModel::restore(const EditState& step)
{
    // Music and lane switches change the mix, or what is drawn: a rebuild.
    const bool musicChanged = step.music && project_.music && !(withSettings(*project_.music, *step.music) == *project_.music);
    if (musicChanged) updateProject([&](Project& p) { p.music = withSettings(*p.music, *step.music); });
    const bool lanesChanged = step.tracks && !(*step.tracks == project_.tracks.value_or(TrackSettings{}));
    if (lanesChanged) updateProject([&](Project& p) { p.tracks = *step.tracks; });
    // Only the removal of a take is undoable; the mix settings of the take
    // that stays are not rolled back with other steps.
    const auto takeOf = [](const std::optional<Voiceover>& v) { return v ? v->path : std::string(); };
    const bool takeDiffers = takeOf(step.voiceover) != takeOf(project_.voiceover);
    if (takeDiffers) updateProject([&](Project& p) { p.voiceover = step.voiceover; });
    const bool sameClips = step.clips == project_.clips;
    const bool sameIDs = clipIDs(step.clips) == clipIDs(project_.clips);
    bool timelineDirty = !sameClips || takeDiffers || musicChanged || lanesChanged;
    if (!sameClips) {
        updateProject([&](Project& p) { p.clips = step.clips; });
        updateProject([&](Project& p) { p.sourceDuration = step.sourceDuration; });
        updateProject([&](Project& p) { p.sourceRange = step.sourceRange; });
        updateProject([&](Project& p) { p.videoPath = step.videoPath; });
        updateProject([&](Project& p) { p.videoBookmark = step.videoBookmark; });
        updateProject([&](Project& p) { p.faceTrack = step.faceTrack; });
        updateProject([&](Project& p) { p.translation = step.translation; });
        updateProject([&](Project& p) { p.words = step.speech.list(); });
        // A different clip list has to be measured again.
        if (!sameIDs && project_.stabilization)
            updateProject([](Project& p) { p.stabilization->path.reset(); });
    }
    const bool wordsEqual = step.words == transcript();
    if (!(sameClips && wordsEqual)) {
        if (!wordsEqual) timelineDirty = true;
        setTranscript(step.words.list());
    }
    updateProject([&](Project& p) { p.matchCuts = step.matchCuts; });
    updateProject([&](Project& p) { p.motions = step.motions; });
    const bool itemsDirty = step.brolls != project_.brolls || step.sounds != project_.sounds
                         || step.videoVolume != project_.videoVolume;
    updateProject([&](Project& p) { p.brolls = step.brolls; });
    updateProject([&](Project& p) { p.sounds = step.sounds; });
    updateProject([&](Project& p) { p.videoVolume = step.videoVolume; });

    if (timelineSelection_) {
        const Uuid& id = timelineSelection_->id;
        bool exists = true;
        switch (timelineSelection_->kind) {
        case TimelineItem::Kind::matchCut: exists = holdsMatchCut(project_.matchCuts, id); break;
        case TimelineItem::Kind::motion: exists = holds(project_.motions, id); break;
        case TimelineItem::Kind::overlay: exists = holds(project_.brolls, id); break;
        case TimelineItem::Kind::sound: exists = holds(project_.sounds, id); break;
        case TimelineItem::Kind::clip: exists = holds(std::optional(project_.videoClips()), id); break;
        }
        if (!exists) setTimelineSelection(std::nullopt);
    }

    if (!sameIDs) {
        timelineChanged();
        reloadClips();
    } else if (timelineDirty || itemsDirty) {
        timelineChanged();
    } else {
        prewarmMatchCuts();
        timelineItemsChanged();
    }
}

// Renders every match cut's frames ahead of playback, off the main thread.
void EditorModel::prewarmMatchCuts()
{
    if (!services_.pictures || !project_.matchCuts) return;
    const Size size = renderSize(project_.aspect);
    for (const MatchCut& cut : *project_.matchCuts) {
        QThreadPool::globalInstance()->start(
            [pictures = services_.pictures, cut, size] { pictures->prewarm(cut, {size.width, size.height}); });
    }
}

}  // namespace vt
