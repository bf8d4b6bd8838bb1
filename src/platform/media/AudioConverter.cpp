#include "platform/media/AudioConverter.h"

#include "platform/media/FFmpeg.h"

#include <vector>

namespace vt::media {

std::string describe(const AudioFormat& format)
{
    return std::to_string(format.channels) + " ch, " + std::to_string(format.sampleRate) + " Hz, Float32, deinterleaved";
}

struct AudioConverter::Impl {
    AudioFormat from;
    AudioFormat to;
    ff::ResamplerPtr resampler;

    AudioBuffer run(const AudioBuffer* input, std::int64_t capacity)
    {
        if (input && input->format != from) throw MediaError("Audio handed to the converter is in the wrong format.");
        const int inFrames = input ? static_cast<int>(input->frameLength()) : 0;
        const auto room = std::max<std::int64_t>(capacity, 0);
        AudioBuffer out(to, room);
        std::vector<uint8_t*> outPlanes;
        for (auto& p : out.planes) outPlanes.push_back(reinterpret_cast<uint8_t*>(p.data()));
        std::vector<const uint8_t*> inPlanes;
        if (input)
            for (const auto& p : input->planes) inPlanes.push_back(reinterpret_cast<const uint8_t*>(p.data()));
        const int produced =
            ff::check(swr_convert(resampler.get(), outPlanes.data(), static_cast<int>(room), input ? inPlanes.data() : nullptr, inFrames),
                      "Couldn't convert audio");
        for (auto& p : out.planes) p.resize(static_cast<std::size_t>(produced));
        return out;
    }
};

AudioConverter::AudioConverter(const AudioFormat& from, const AudioFormat& to) : impl_(std::make_unique<Impl>())
{
    if (from.sampleRate <= 0 || to.sampleRate <= 0 || from.channels <= 0 || to.channels <= 0 || from.channels > 64 ||
        to.channels > 64)
        throw MediaError("No conversion from " + describe(from) + " to " + describe(to) + ".");
    ff::silenceLibraryLog();
    impl_->from = from;
    impl_->to = to;
    AVChannelLayout inLayout{}, outLayout{};
    av_channel_layout_default(&inLayout, from.channels);
    av_channel_layout_default(&outLayout, to.channels);
    try {
        impl_->resampler = ff::makeResampler(inLayout, AV_SAMPLE_FMT_FLTP, from.sampleRate, outLayout, AV_SAMPLE_FMT_FLTP, to.sampleRate);
    } catch (const MediaError&) {
        av_channel_layout_uninit(&inLayout);
        av_channel_layout_uninit(&outLayout);
        throw MediaError("No conversion from " + describe(from) + " to " + describe(to) + ".");
    }
    av_channel_layout_uninit(&inLayout);
    av_channel_layout_uninit(&outLayout);
}

AudioConverter::~AudioConverter() = default;

const AudioFormat& AudioConverter::inputFormat() const { return impl_->from; }
const AudioFormat& AudioConverter::outputFormat() const { return impl_->to; }

std::int64_t AudioConverter::maxOutputFrames(std::int64_t inputFrames) const
{
    return std::max(0, swr_get_out_samples(impl_->resampler.get(), static_cast<int>(inputFrames)));
}

AudioBuffer AudioConverter::convert(const AudioBuffer& input, std::int64_t capacity) { return impl_->run(&input, capacity); }

AudioBuffer AudioConverter::flush(std::int64_t capacity) { return impl_->run(nullptr, capacity); }

}  // namespace vt::media
