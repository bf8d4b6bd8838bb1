#include "platform/media/AudioTrackReader.h"

#include "platform/media/FFmpeg.h"

#include <algorithm>
#include <cmath>

namespace vt::media {

struct AudioTrackReader::Impl {
    ff::InputPtr input;
    ff::CodecPtr decoder;
    ff::ResamplerPtr resampler;
    ff::FifoPtr fifo;  // output-format frames starting at fifoStart
    ff::PacketPtr packet = ff::makePacket();
    ff::FramePtr frame = ff::makeFrame();
    int stream = -1;
    AVRational timeBase{1, 1};
    AudioFormat out;
    std::int64_t position = 0;
    std::int64_t fifoStart = 0;
    bool aligned = false;  // fifoStart is known since the last seek
    bool inputDone = false;
    bool ended = false;

    void open(const std::filesystem::path& file)
    {
        input = ff::openInput(file.string());
        stream = ff::onlyFirstAudioStream(input.get());
        decoder = ff::openDecoder(input->streams[stream]);
        if (!decoder) throw MediaError("The audio track cannot be decoded.");
        timeBase = input->streams[stream]->time_base;
        fifo.reset(av_audio_fifo_alloc(AV_SAMPLE_FMT_FLTP, out.channels, 4096));
        if (!fifo) throw MediaError("out of memory");
    }

    void makeResampler(const AVFrame* f)
    {
        AVChannelLayout in = ff::usableLayout(f->ch_layout);
        AVChannelLayout to{};
        av_channel_layout_default(&to, out.channels);
        try {
            resampler = ff::makeResampler(in, static_cast<AVSampleFormat>(f->format), f->sample_rate, to, AV_SAMPLE_FMT_FLTP, out.sampleRate);
        } catch (...) {
            av_channel_layout_uninit(&in);
            av_channel_layout_uninit(&to);
            throw;
        }
        av_channel_layout_uninit(&in);
        av_channel_layout_uninit(&to);
    }

    void push(const uint8_t** data, int frames)
    {
        const int room = swr_get_out_samples(resampler.get(), frames);
        if (room <= 0) return;
        std::vector<std::vector<float>> planes(static_cast<std::size_t>(out.channels), std::vector<float>(static_cast<std::size_t>(room)));
        std::vector<uint8_t*> pointers;
        for (auto& p : planes) pointers.push_back(reinterpret_cast<uint8_t*>(p.data()));
        const int made = ff::check(swr_convert(resampler.get(), pointers.data(), room, data, frames), "Couldn't convert the audio");
        if (made > 0)
            ff::check(av_audio_fifo_write(fifo.get(), reinterpret_cast<void**>(pointers.data()), made), "Couldn't buffer audio");
    }

    // Decodes one more frame into the fifo; false at the end of the track.
    bool decodeMore()
    {
        for (;;) {
            const int got = avcodec_receive_frame(decoder.get(), frame.get());
            if (got == 0) {
                if (!resampler) makeResampler(frame.get());
                if (!aligned) {
                    const int64_t pts = frame->best_effort_timestamp;
                    const double start = pts == AV_NOPTS_VALUE ? 0 : double(pts) * av_q2d(timeBase);
                    fifoStart = std::llround(start * out.sampleRate);
                    aligned = true;
                }
                push(const_cast<const uint8_t**>(frame->extended_data), frame->nb_samples);
                av_frame_unref(frame.get());
                return true;
            }
            if (got == AVERROR_EOF) {
                if (resampler) push(nullptr, 0);  // what the resampler still holds
                return false;
            }
            if (got != AVERROR(EAGAIN)) ff::check(got, "Couldn't decode the audio");
            const int read = av_read_frame(input.get(), packet.get());
            if (read == AVERROR_EOF) {
                if (inputDone) return false;
                inputDone = true;
                ff::check(avcodec_send_packet(decoder.get(), nullptr), "Couldn't decode the audio");
                continue;
            }
            ff::check(read, "Couldn't read the audio");
            if (packet->stream_index == stream) {
                const int sent = avcodec_send_packet(decoder.get(), packet.get());
                if (sent < 0 && sent != AVERROR_INVALIDDATA) {
                    av_packet_unref(packet.get());
                    ff::check(sent, "Couldn't decode the audio");
                }
            }
            av_packet_unref(packet.get());
        }
    }

    void seek(std::int64_t target)
    {
        const double seconds = double(std::max<std::int64_t>(target, 0)) / out.sampleRate;
        const auto ts = static_cast<int64_t>(std::floor(seconds / av_q2d(timeBase)));
        ff::check(av_seek_frame(input.get(), stream, ts, AVSEEK_FLAG_BACKWARD), "Couldn't seek in the audio");
        avcodec_flush_buffers(decoder.get());
        resampler.reset();
        av_audio_fifo_reset(fifo.get());
        aligned = inputDone = ended = false;
        position = target;
    }

    AudioBuffer read(std::int64_t maxFrames)
    {
        AudioBuffer result(out, std::max<std::int64_t>(maxFrames, 0));
        std::int64_t made = 0;
        while (made < maxFrames) {
            const std::int64_t held = av_audio_fifo_size(fifo.get());
            if (aligned && held > 0) {
                if (position < fifoStart) {  // the track starts later: silence until then
                    const std::int64_t gap = std::min(fifoStart - position, maxFrames - made);
                    made += gap;
                    position += gap;
                    continue;
                }
                const std::int64_t skip = std::min(position - fifoStart, held);
                if (skip > 0) {
                    av_audio_fifo_drain(fifo.get(), static_cast<int>(skip));
                    fifoStart += skip;
                    continue;
                }
                const auto take = static_cast<int>(std::min(held, maxFrames - made));
                std::vector<void*> pointers;
                for (auto& p : result.planes) pointers.push_back(p.data() + made);
                ff::check(av_audio_fifo_read(fifo.get(), pointers.data(), take), "Couldn't buffer audio");
                fifoStart += take;
                position += take;
                made += take;
                continue;
            }
            if (ended) break;
            if (!decodeMore()) ended = true;  // what the resampler held may still be in the fifo
        }
        for (auto& p : result.planes) p.resize(static_cast<std::size_t>(made));
        return result;
    }
};

AudioTrackReader::AudioTrackReader(const std::filesystem::path& file, AudioFormat output) : impl_(std::make_unique<Impl>())
{
    if (output.sampleRate <= 0 || output.channels <= 0) throw MediaError("Unsupported audio format");
    impl_->out = output;
    impl_->open(file);
}

AudioTrackReader::~AudioTrackReader() = default;

const AudioFormat& AudioTrackReader::format() const { return impl_->out; }

std::int64_t AudioTrackReader::position() const { return impl_->position; }

void AudioTrackReader::seek(std::int64_t frame) { impl_->seek(frame); }

AudioBuffer AudioTrackReader::read(std::int64_t maxFrames) { return impl_->read(maxFrames); }

}  // namespace vt::media
