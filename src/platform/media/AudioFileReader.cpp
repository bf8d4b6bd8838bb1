#include "platform/media/AudioFileReader.h"

#include "platform/media/FFmpeg.h"

#include <algorithm>

namespace vt::media {

struct AudioFileReader::Impl {
    ff::InputPtr input;
    ff::CodecPtr decoder;
    ff::ResamplerPtr toPlanar;  // decoder output -> float planar, same rate and layout
    ff::FifoPtr fifo;
    ff::PacketPtr packet = ff::makePacket();
    ff::FramePtr frame = ff::makeFrame();
    int stream = -1;
    AudioFormat format;
    std::int64_t statedLength = 0;
    std::int64_t position = 0;
    std::int64_t decoded = 0;  // frames placed in the fifo so far
    bool inputDone = false;    // demuxer reached its end, decoder flushed
    bool ended = false;        // everything decoded and handed out

    void open(const std::filesystem::path& file)
    {
        input = ff::openInput(file.string());
        stream = ff::onlyFirstAudioStream(input.get());
        const AVStream* s = input->streams[stream];
        decoder = ff::openDecoder(s);
        if (!decoder) throw MediaError("The audio track cannot be decoded.");
        format = {decoder->sample_rate, decoder->ch_layout.nb_channels};
        fifo.reset(av_audio_fifo_alloc(AV_SAMPLE_FMT_FLTP, format.channels, 4096));
        if (!fifo) throw MediaError("out of memory");
        statedLength = stateLength(s);
    }

    std::int64_t stateLength(const AVStream* s) const
    {
        if (s->duration != AV_NOPTS_VALUE && s->duration > 0)
            return av_rescale_q(s->duration, s->time_base, AVRational{1, format.sampleRate});
        if (input->duration != AV_NOPTS_VALUE && input->duration > 0)
            return av_rescale_q(input->duration, AV_TIME_BASE_Q, AVRational{1, format.sampleRate});
        return 0;
    }

    void queue(const AVFrame* decodedFrame)
    {
        const int frames = decodedFrame->nb_samples;
        if (frames <= 0) return;
        if (decodedFrame->format == AV_SAMPLE_FMT_FLTP && decodedFrame->ch_layout.nb_channels == format.channels &&
            decodedFrame->sample_rate == format.sampleRate) {
            ff::check(av_audio_fifo_write(fifo.get(), reinterpret_cast<void**>(const_cast<uint8_t**>(decodedFrame->extended_data)), frames),
                      "Couldn't buffer audio");
            decoded += frames;
            return;
        }
        if (!toPlanar) {
            AVChannelLayout in = ff::usableLayout(decodedFrame->ch_layout);
            AVChannelLayout out{};
            av_channel_layout_default(&out, format.channels);
            if (in.nb_channels == format.channels) {
                av_channel_layout_uninit(&out);
                av_channel_layout_copy(&out, &in);
            }
            toPlanar = ff::makeResampler(in, static_cast<AVSampleFormat>(decodedFrame->format), decodedFrame->sample_rate, out,
                                         AV_SAMPLE_FMT_FLTP, format.sampleRate);
            av_channel_layout_uninit(&in);
            av_channel_layout_uninit(&out);
        }
        const int capacity = swr_get_out_samples(toPlanar.get(), frames);
        AudioBuffer scratch(format, capacity);
        std::vector<uint8_t*> planes;
        for (auto& p : scratch.planes) planes.push_back(reinterpret_cast<uint8_t*>(p.data()));
        const int produced = ff::check(
            swr_convert(toPlanar.get(), planes.data(), capacity, const_cast<const uint8_t**>(decodedFrame->extended_data), frames),
            "Couldn't convert audio");
        ff::check(av_audio_fifo_write(fifo.get(), reinterpret_cast<void**>(planes.data()), produced), "Couldn't buffer audio");
        decoded += produced;
    }

    void receiveAll()
    {
        for (;;) {
            int code = avcodec_receive_frame(decoder.get(), frame.get());
            if (code == AVERROR(EAGAIN) || code == AVERROR_EOF) return;
            ff::check(code, "Couldn't decode the audio");
            queue(frame.get());
            av_frame_unref(frame.get());
        }
    }

    // Decodes until the fifo holds `wanted` frames or the input is done.
    void fill(std::int64_t wanted)
    {
        while (!inputDone && av_audio_fifo_size(fifo.get()) < wanted) {
            int code = av_read_frame(input.get(), packet.get());
            if (code == AVERROR_EOF) {
                ff::check(avcodec_send_packet(decoder.get(), nullptr), "Couldn't decode the audio");
                receiveAll();
                inputDone = true;
                checkComplete();
                break;
            }
            ff::check(code, "Couldn't read the audio");
            if (packet->stream_index == stream) {
                code = avcodec_send_packet(decoder.get(), packet.get());
                av_packet_unref(packet.get());
                ff::check(code, "Couldn't decode the audio");
                receiveAll();
            } else {
                av_packet_unref(packet.get());
            }
        }
    }

    void checkComplete()
    {
        if (toPlanar) {
            // Whatever the format converter still holds belongs to the end.
            const int capacity = swr_get_out_samples(toPlanar.get(), 0);
            if (capacity > 0) {
                AudioBuffer scratch(format, capacity);
                std::vector<uint8_t*> planes;
                for (auto& p : scratch.planes) planes.push_back(reinterpret_cast<uint8_t*>(p.data()));
                const int produced = ff::check(swr_convert(toPlanar.get(), planes.data(), capacity, nullptr, 0), "Couldn't convert audio");
                ff::check(av_audio_fifo_write(fifo.get(), reinterpret_cast<void**>(planes.data()), produced), "Couldn't buffer audio");
                decoded += produced;
            }
        }
        if (statedLength > 0) ff::requireComplete(double(decoded) / format.sampleRate, double(statedLength) / format.sampleRate);
    }
};

AudioFileReader::AudioFileReader(const std::filesystem::path& file) : impl_(std::make_unique<Impl>())
{
    impl_->open(file);
}

AudioFileReader::~AudioFileReader() = default;

AudioFormat AudioFileReader::processingFormat() const { return impl_->format; }

std::int64_t AudioFileReader::length() const { return impl_->inputDone ? impl_->decoded : impl_->statedLength; }

std::int64_t AudioFileReader::framePosition() const { return impl_->position; }

bool AudioFileReader::atEnd() const { return impl_->ended; }

AudioBuffer AudioFileReader::read(std::int64_t maxFrames)
{
    Impl& d = *impl_;
    if (d.ended || maxFrames <= 0) return {};
    d.fill(maxFrames);
    const auto available = std::min<std::int64_t>(av_audio_fifo_size(d.fifo.get()), maxFrames);
    AudioBuffer out(d.format, available);
    if (available > 0) {
        std::vector<void*> planes;
        for (auto& p : out.planes) planes.push_back(p.data());
        ff::check(av_audio_fifo_read(d.fifo.get(), planes.data(), static_cast<int>(available)), "Couldn't read buffered audio");
        d.position += available;
    }
    if (d.inputDone && av_audio_fifo_size(d.fifo.get()) == 0) d.ended = true;
    return out;
}

}  // namespace vt::media
