#include "video/CompositionMixer.h"

#include "platform/media/AudioTrackReader.h"
#include "platform/media/MediaError.h"

#include <algorithm>
#include <cmath>

namespace vt {

CompositionMixer::CompositionMixer(std::shared_ptr<const Composition> composition, std::optional<AudioMix> mix, media::AudioFormat format)
    : composition_(std::move(composition)), mix_(std::move(mix)), format_(format)
{
}

CompositionMixer::~CompositionMixer() = default;

void CompositionMixer::seek(double seconds) { position_ = std::llround(std::max(seconds, 0.0) * format_.sampleRate); }

media::AudioBuffer CompositionMixer::render(std::int64_t frames)
{
    media::AudioBuffer out(format_, std::max<std::int64_t>(frames, 0));
    for (const CompositionTrack& track : composition_->tracks()) {
        if (track.kind != TrackKind::audio) continue;
        const AudioMixInput* input = mix_ ? mix_->input(track.trackID) : nullptr;
        for (const CompositionSegment& segment : track.segments) mixSegment(track, segment, input, out);
    }
    position_ += out.frameLength();
    return out;
}

void CompositionMixer::mixSegment(const CompositionTrack& track, const CompositionSegment& segment, const AudioMixInput* input,
                                  media::AudioBuffer& out)
{
    const int rate = format_.sampleRate;
    const std::int64_t segmentStart = std::llround(segment.outputStart.seconds() * rate);
    const std::int64_t segmentEnd = std::llround(segment.outputEnd() * rate);
    const std::int64_t from = std::max(position_, segmentStart);
    const std::int64_t to = std::min(position_ + out.frameLength(), segmentEnd);
    if (from >= to) return;
    media::AudioTrackReader* source = reader(track.trackID, segment.file);
    if (!source) return;
    try {
        const std::int64_t sourceFrame = std::llround(segment.sourceStart.seconds() * rate) + (from - segmentStart);
        if (source->position() != sourceFrame) source->seek(sourceFrame);
        const media::AudioBuffer sound = source->read(to - from);
        const std::size_t count = static_cast<std::size_t>(sound.frameLength());
        const std::vector<float> gains = input ? input->volumes(double(from) / rate, rate, count) : std::vector<float>(count, 1.0f);
        const std::size_t offset = static_cast<std::size_t>(from - position_);
        for (std::size_t c = 0; c < out.planes.size(); ++c) {
            float* target = out.planes[c].data() + offset;
            const float* samples = sound.planes[c].data();
            for (std::size_t i = 0; i < count; ++i) target[i] += samples[i] * gains[i];
        }
    } catch (const media::MediaError&) {
        readers_[{track.trackID, segment.file}].reset();  // a damaged file goes silent rather than stopping the sound
    }
}

media::AudioTrackReader* CompositionMixer::reader(std::int32_t trackID, const std::filesystem::path& file)
{
    const auto key = std::make_pair(trackID, file);
    if (auto found = readers_.find(key); found != readers_.end()) return found->second.get();
    std::unique_ptr<media::AudioTrackReader> opened;
    try {
        opened = std::make_unique<media::AudioTrackReader>(file, format_);
    } catch (const media::MediaError&) {
    }
    return (readers_[key] = std::move(opened)).get();
}

}  // namespace vt
