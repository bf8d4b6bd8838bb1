#pragma once
// Renders the sound of a built composition to memory: every sound track's
// media decoded at composition time, converted to the output format
// (libswresample does rate and layout), scaled by the track's mix input and
// summed. Playback hands the result to the sound device, export to its
// encoder, tests look at it. Not thread-safe: one mixer per consumer.

#include "platform/media/AudioBuffer.h"
#include "video/Composition.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <utility>

namespace vt {

namespace media {
class AudioTrackReader;
}

class CompositionMixer {
public:
    explicit CompositionMixer(std::shared_ptr<const Composition> composition, std::optional<AudioMix> mix = std::nullopt,
                              media::AudioFormat format = {48000, 2});
    ~CompositionMixer();
    CompositionMixer(const CompositionMixer&) = delete;
    CompositionMixer& operator=(const CompositionMixer&) = delete;

    const media::AudioFormat& format() const { return format_; }
    // The next frame to render, counted from the composition's time 0.
    std::int64_t position() const { return position_; }
    void seek(double seconds);

    // Exactly `frames` frames from the position, which advances; silence
    // where nothing sounds (and past the end). A file that cannot be read
    // is silent.
    media::AudioBuffer render(std::int64_t frames);

private:
    void mixSegment(const CompositionTrack& track, const CompositionSegment& segment, const AudioMixInput* input, media::AudioBuffer& out);
    media::AudioTrackReader* reader(std::int32_t trackID, const std::filesystem::path& file);

    std::shared_ptr<const Composition> composition_;
    std::optional<AudioMix> mix_;
    media::AudioFormat format_;
    std::int64_t position_ = 0;
    // One reader per track and file, kept open between calls so that
    // consecutive blocks read on without seeking; null when unreadable.
    std::map<std::pair<std::int32_t, std::filesystem::path>, std::unique_ptr<media::AudioTrackReader>> readers_;
};

}  // namespace vt
