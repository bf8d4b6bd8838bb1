// The clips' waveform peaks and filmstrip pictures, loaded once per clip in
// the background and laid end to end along the joined source timeline, and
// still pictures at joined-source times for the colour and thumbnail work.

#include "editor/EditorModel.h"

#include "video/MediaLoading.h"

namespace vt {

namespace {

// A clip list shares the timeline between its clips, so each gets fewer
// pictures than a lone video.
constexpr int framesPerClipOfMany = 80;
constexpr int framesOfOneClip = 150;

}  // namespace

void EditorModel::loadClipPeaksAndFrames()
{
    const auto media = services_.media;
    for (const ClipSpan& span : project_.spans()) {
        const VideoClip& clip = span.clip;
        // The empty entry stored first keeps a second call from loading the
        // clip again while this load runs.
        if (!clipPeaks_.count(clip.id)) {
            clipPeaks_[clip.id] = {};
            if (media)
                inBackground([media, id = clip.id, path = clip.path]() -> std::function<void(EditorModel&)> {
                    auto peaks = media->peaks(path);
                    return [id, peaks = std::move(peaks)](EditorModel& m) {
                        m.clipPeaks_[id] = peaks;
                        m.joinPeaksAndFrames();
                    };
                });
        }
        if (!clipFrames_.count(clip.id)) {
            clipFrames_[clip.id] = {};
            ClosedRange<double> range{0, clip.duration};
            if (!project_.clips) range = project_.sourceRange.value_or(ClosedRange<double>{0, project_.sourceDuration});
            const int maxCount = project_.clips && project_.clips->size() > 1 ? framesPerClipOfMany : framesOfOneClip;
            if (media)
                inBackground([media, id = clip.id, path = clip.path, range,
                              maxCount]() -> std::function<void(EditorModel&)> {
                    auto frames = media->filmstrip(path, range.lower, range.upper, maxCount);
                    return [id, frames = std::move(frames)](EditorModel& m) {
                        m.clipFrames_[id] = frames;
                        m.joinPeaksAndFrames();
                    };
                });
        }
    }
    joinPeaksAndFrames();
}

void EditorModel::joinPeaksAndFrames()
{
    const auto spans = project_.spans();
    // Bars cached from peaks of the same count but other values would stay.
    barsCache_.reset();
    setWaveformPeaks(MediaLoading::joinPeaks(spans, clipPeaks_));
    filmstrip_ = Filmstrip::join(spans, clipFrames_);
    emit filmstripChanged();
}

void EditorModel::framesAtSource(std::vector<double> times, int maxSize,
                                 std::function<void(std::vector<Filmstrip::Frame>)> done)
{
    if (!services_.media) {
        done({});
        return;
    }
    inBackground([media = services_.media, spans = project_.spans(), times = std::move(times), maxSize,
                  done = std::move(done)]() -> std::function<void(EditorModel&)> {
        auto frames = media->framesAtSource(spans, times, maxSize);
        return [frames = std::move(frames), done](EditorModel&) { done(frames); };
    });
}

}  // namespace vt
