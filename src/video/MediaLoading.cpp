#include "video/MediaLoading.h"

#include "platform/media/VideoProbe.h"
#include "speech/CaptionError.h"

#include <algorithm>
#include <cmath>

namespace vt::MediaLoading {

namespace {

constexpr double peaksPerSecond = 50;

}  // namespace

AffineTransform transformFor(int clockwise, double width, double height)
{
    switch (clockwise) {
    case 90: return {0, 1, -1, 0, height, 0};
    case 180: return {-1, 0, 0, -1, width, height};
    case 270: return {0, -1, 1, 0, 0, width};
    default: return {};
    }
}

SourceVideoInfo loadSourceVideoInfo(const std::filesystem::path& file)
{
    const auto facts = media::probeVideo(file);
    if (!facts) throw CaptionError::noVideoTrack();
    SourceVideoInfo info;
    info.naturalWidth = facts->width;
    info.naturalHeight = facts->height;
    info.transform = transformFor(facts->rotation, facts->width, facts->height);
    // The stored rate is single precision, as the platform reports it.
    const double rate = double(float(facts->nominalFrameRate));
    info.fps = rate > 1 ? std::min(rate, 60.0) : 30;
    info.duration = facts->fileDuration;
    info.isHDR = facts->isHDR;
    return info;
}

double clipGain(const std::optional<ItemAdjust>& adjust)
{
    if (!adjust) return 1;
    if (adjust->volume <= VolumeEnvelope::silenceDB) return 0;
    return std::pow(10.0, adjust->volume / 20);
}

std::vector<ClipMedia> clipMedia(const Project& project, const std::map<Uuid, SourceVideoInfo>& clipInfo,
                                 const std::map<Uuid, std::filesystem::path>& cleanAudio, bool cleaned)
{
    std::vector<ClipMedia> out;
    for (const ClipSpan& span : project.spans()) {
        const auto info = clipInfo.find(span.clip.id);
        if (info == clipInfo.end()) continue;
        ClipMedia media{span.clip.id, span.clip.path, span.start, span.clip.duration, info->second, std::nullopt, clipGain(span.clip.adjust)};
        if (cleaned && project.audioCleanup) {
            const auto clean = cleanAudio.find(span.clip.id);
            if (clean != cleanAudio.end()) media.audioURL = clean->second;
        }
        out.push_back(std::move(media));
    }
    return out;
}

std::optional<SourceVideoInfo> summary(const Project& project, const std::map<Uuid, SourceVideoInfo>& clipInfo)
{
    std::optional<SourceVideoInfo> out;
    for (const VideoClip& clip : project.videoClips()) {
        const auto info = clipInfo.find(clip.id);
        if (info == clipInfo.end()) continue;
        if (!out) {
            out = info->second;
            continue;
        }
        out->fps = std::max(out->fps, info->second.fps);
        out->isHDR = out->isHDR && info->second.isHDR;
    }
    if (out) out->duration = project.sourceDuration;
    return out;
}

std::vector<float> joinPeaks(const std::vector<ClipSpan>& spans, const std::map<Uuid, std::vector<float>>& clipPeaks)
{
    std::vector<float> out;
    for (const ClipSpan& span : spans) {
        const auto n = static_cast<std::size_t>(std::max(0.0, std::round(span.clip.duration * peaksPerSecond)));
        const auto peaks = clipPeaks.find(span.clip.id);
        const std::size_t have = peaks == clipPeaks.end() ? 0 : std::min(peaks->second.size(), n);
        if (have > 0) out.insert(out.end(), peaks->second.begin(), peaks->second.begin() + std::ptrdiff_t(have));
        out.insert(out.end(), n - have, 0.0f);
    }
    return out;
}

}  // namespace vt::MediaLoading
