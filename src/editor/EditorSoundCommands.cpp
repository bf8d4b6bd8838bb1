// Sound files laid on the timeline's sound lanes, and their waveforms.

#include "editor/EditorModel.h"
#include "model/FileAccess.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace vt {

std::optional<std::string> EditorModel::pickAudioFile(const FileChooser& choose)
{
    if (!choose) return std::nullopt;
    return choose("Choose music, a sound effect or a recording",
                  {"*.mp3", "*.wav", "*.aif", "*.aiff", "*.m4a", "*.aac", "*.flac", "*.ogg", "*.opus", "*.caf",
                   "*.mp4", "*.mov", "*.m4v", "*.mkv", "*.webm"});
}

void EditorModel::addSound(const std::string& path, double at)
{
    const double wanted = std::isfinite(at) ? at : 0;
    auto refuse = [](EditorModel& m) { m.setExportError("That file has no sound to add."); };
    if (!services_.media) {
        refuse(*this);
        return;
    }
    // The peaks are read with the length: a file that gives none has no
    // sound track to add.
    inBackground([media = services_.media, path, wanted, refuse]() -> std::function<void(EditorModel&)> {
        const auto length = media->duration(path);
        auto peaks = length ? media->peaks(path) : std::vector<float>{};
        return [length, peaks = std::move(peaks), path, wanted, refuse](EditorModel& m) {
            if (!length || !(*length > 0.05) || !std::isfinite(*length) || peaks.empty()) {
                refuse(m);
                return;
            }
            m.pushUndo();
            const double L = m.plan_.outputLength();
            const double s = std::max(std::min(wanted, L - 0.2), 0.0);
            SoundClip sound;
            sound.path = path;
            sound.bookmark = FileAccess::makeBookmark(path);
            sound.name = std::filesystem::path(path).stem().string();
            sound.start = m.plan_.sourceTime(s);
            sound.offset = 0;
            sound.fileDuration = *length;
            // Never past the file's end; a file shorter than the 0.2 s
            // minimum plays whole.
            sound.duration = std::min(std::max(std::min(L - s, *length), 0.2), *length);
            m.updateProject([&](Project& p) {
                if (!p.sounds) p.sounds.emplace();
                p.sounds->push_back(sound);
            });
            if (!m.soundPeaks_.count(path)) {
                m.soundPeaks_[path] = peaks;
                emit m.soundPeaksChanged();
            }
            m.setTimelineSelection(TimelineItem{TimelineItem::Kind::sound, sound.id});
            m.timelineChanged();
        };
    });
}

std::optional<SoundClip> EditorModel::selectedSound() const
{
    if (!timelineSelection_ || timelineSelection_->kind != TimelineItem::Kind::sound || !project_.sounds)
        return std::nullopt;
    for (const SoundClip& s : *project_.sounds)
        if (s.id == timelineSelection_->id) return s;
    return std::nullopt;
}

void EditorModel::loadSoundPeaks(const SoundClip& sound)
{
    if (soundPeaks_.count(sound.path)) return;
    soundPeaks_[sound.path] = {};  // a second load of the same file waits for this one
    emit soundPeaksChanged();
    if (!services_.media) return;
    inBackground([media = services_.media, path = sound.path]() -> std::function<void(EditorModel&)> {
        auto peaks = media->peaks(path);
        return [path, peaks = std::move(peaks)](EditorModel& m) {
            m.soundPeaks_[path] = peaks;
            emit m.soundPeaksChanged();
        };
    });
}

}  // namespace vt
