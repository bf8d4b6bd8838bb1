#include "editor/EditorModel.h"

#include <algorithm>
#include <cmath>
#include <functional>

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

std::vector<float> EditorModel::waveformBars(int count) const
{
    count = std::max(count, 0);
    const double length = plan_.outputLength();
    const std::size_t planHash = std::hash<EditPlan>{}(plan_);
    auto& c = barsCache_;
    if (c.count == count && c.length == length && c.peaks == waveformPeaks_.size() && c.plan == planHash) return c.bars;
    std::vector<float> bars(static_cast<std::size_t>(count), 0.f);
    constexpr double peaksPerSecond = 50;
    if (!waveformPeaks_.empty() && length > 0) {
        const double step = length / count;
        for (int i = 0; i < count; ++i) {
            const double from = plan_.sourceTime(step * i);
            const double to = plan_.sourceTime(step * (i + 1));
            auto first = static_cast<std::size_t>(std::max(0.0, std::floor(std::min(from, to) * peaksPerSecond)));
            auto last = static_cast<std::size_t>(std::max(0.0, std::ceil(std::max(from, to) * peaksPerSecond)));
            last = std::min(std::max(last, first + 1), waveformPeaks_.size());
            float loudest = 0;
            for (std::size_t k = first; k < last; ++k) loudest = std::max(loudest, waveformPeaks_[k]);
            bars[static_cast<std::size_t>(i)] = std::clamp(loudest, 0.f, 1.f);
        }
    }
    c = {count, length, waveformPeaks_.size(), planHash, bars};
    return bars;
}

}  // namespace vt
