#pragma once
// The media facts of source clips and what the composition needs of each:
// probing a video into its SourceVideoInfo, the project-wide summary of the
// clips' facts, the ClipMedia records the composition builder and the
// exporter consume, and the clips' peaks laid along the joined source
// timeline. The editor model keeps the per-clip results; these functions
// are stateless.

#include "model/Placements.h"
#include "model/Project.h"
#include "platform/Uuid.h"

#include <filesystem>
#include <map>
#include <optional>
#include <vector>

namespace vt {

// One loaded source clip as the composition builder needs it.
struct ClipMedia {
    Uuid id;
    std::filesystem::path url;                      // the clip's media file
    double start = 0;                               // on the joined source timeline
    double duration = 0;                            // the clip's full length
    SourceVideoInfo info;
    std::optional<std::filesystem::path> audioURL;  // cleaned voice, aligned with the clip's own time
    double gain = 1;                                // linear

    friend bool operator==(const ClipMedia&, const ClipMedia&) = default;
};

namespace MediaLoading {

// The facts of a file's first video track. Throws CaptionError::noVideoTrack
// when it has none and media::MediaError when it cannot be read. Blocking.
SourceVideoInfo loadSourceVideoInfo(const std::filesystem::path& file);

// The preferred transform of a picture stored `width` × `height` that shows
// upright after `clockwise` degrees (0, 90, 180, 270).
AffineTransform transformFor(int clockwise, double width, double height);

// The linear gain of a clip's own sound: 1 without adjustment, 0 at −39.95 dB
// or lower, else 10^(dB/20).
double clipGain(const std::optional<ItemAdjust>& adjust);

// One record per span whose facts are known, in span order. With `cleaned`
// and cleanup on, a clip's cleaned file (if any) replaces its sound.
std::vector<ClipMedia> clipMedia(const Project& project, const std::map<Uuid, SourceVideoInfo>& clipInfo,
                                 const std::map<Uuid, std::filesystem::path>& cleanAudio, bool cleaned);

// The project-wide facts: size and transform of the first clip with facts,
// the largest frame rate, the project's source duration, HDR only when every
// clip with facts is. Nothing when no clip has facts.
std::optional<SourceVideoInfo> summary(const Project& project, const std::map<Uuid, SourceVideoInfo>& clipInfo);

// Every clip's peaks laid end to end: round(duration × 50) values per clip,
// padded with silence or cut to that count (a clip not loaded yet is silence
// of its length).
std::vector<float> joinPeaks(const std::vector<ClipSpan>& spans, const std::map<Uuid, std::vector<float>>& clipPeaks);

}  // namespace MediaLoading

}  // namespace vt
