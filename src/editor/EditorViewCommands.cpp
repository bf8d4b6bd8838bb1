#include "editor/EditorModel.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "audio/WaveformBars.h"

namespace vt {

void EditorModel::setAnchor(std::optional<Uuid> id) { anchor_ = std::move(id); }

std::optional<int> EditorModel::activeGroupIndex() const
{
    if (!activeWordID_) return std::nullopt;
    return groupOfWord(*activeWordID_);
}

void EditorModel::seekExactly(double outputSeconds)
{
    setCurrentTime(outputSeconds);
    if (services_.player) services_.player->seek(outputSeconds);
}

void EditorModel::togglePlay()
{
    if (isPlaying_) {
        if (services_.player) services_.player->pause();
        shuttleRate_ = 0;
        set(isPlaying_, false, &EditorModel::isPlayingChanged);
        return;
    }
    if (currentTime_ >= plan_.outputLength() - 0.1) seekExactly(0);
    shuttleRate_ = 1;
    if (services_.player) services_.player->setRate(shuttleRate_);
    set(isPlaying_, true, &EditorModel::isPlayingChanged);
}

void EditorModel::shuttle(int direction)
{
    if (direction > 0) {
        // At the end a forward press plays the video again from the start.
        if (currentTime_ >= plan_.outputLength() - 0.1) seekExactly(0);
        shuttleRate_ = isPlaying_ && shuttleRate_ > 0 ? std::min(shuttleRate_ * 2, 4.0) : 1.0;
        if (services_.player) services_.player->setRate(shuttleRate_);
        set(isPlaying_, true, &EditorModel::isPlayingChanged);
        return;
    }
    // Backward as well as 0: the preview has no reverse playback.
    if (services_.player) services_.player->pause();
    shuttleRate_ = 0;
    set(isPlaying_, false, &EditorModel::isPlayingChanged);
    if (direction < 0) seekExactly(std::max(currentTime_ - 2, 0.0));
}

// The scrubber asks on every repaint, so the bars are kept while the count,
// the output length and the number of peaks they were made from stay; every
// derivation and every new set of peaks drops them.
std::vector<float> EditorModel::waveformBars(int count)
{
    count = std::max(count, 0);
    const bool voice = voiceDrivesCaptions();
    if (voice && voicePeaksPath_ != project_.voiceover->path) loadVoicePeaks(*project_.voiceover);
    const double length = plan_.outputLength();
    // One more in voice mode, so a take's peaks never pass for the clips'.
    const std::size_t peaks = voice ? voicePeaks_.size() + 1 : waveformPeaks_.size();
    if (barsCache_ && barsCache_->count == count && barsCache_->length == length && barsCache_->peaks == peaks)
        return barsCache_->bars;
    std::vector<float> bars;
    if (voice) {
        const Voiceover& take = *project_.voiceover;
        bars = Waveform::voiceBars(voicePeaks_, count, length, take.start, take.duration);
    } else {
        bars = Waveform::bars(waveformPeaks_, count, plan_);
    }
    barsCache_ = BarsCache{count, length, peaks, bars};
    return bars;
}

// A take's peaks that arrive after another take took its place are dropped.
void EditorModel::loadVoicePeaks(const Voiceover& take)
{
    voicePeaksPath_ = take.path;
    if (!services_.media) return;
    inBackground([media = services_.media, path = take.path]() -> std::function<void(EditorModel&)> {
        auto peaks = media->peaks(path);
        return [path, peaks = std::move(peaks)](EditorModel& m) {
            if (m.voicePeaksPath_ != path) return;
            m.barsCache_.reset();
            m.set(m.voicePeaks_, peaks, &EditorModel::voicePeaksChanged);
        };
    });
}

}  // namespace vt
