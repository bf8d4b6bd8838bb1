#include "platform/media/AudioAsset.h"

#include "platform/media/FFmpeg.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace vt::media {

namespace {

constexpr std::int64_t bitRatePerChannel = 96'000;

// The track's own rate when AAC can carry it, else the nearest rate above it.
int encoderRate(const AVCodec* encoder, int sourceRate)
{
    const int* rates = encoder->supported_samplerates;
    if (!rates) return sourceRate;
    int best = 0;
    for (const int* r = rates; *r; ++r) {
        if (*r == sourceRate) return sourceRate;
        if (*r > sourceRate && (best == 0 || *r < best)) best = *r;
    }
    return best ? best : 48'000;
}

// Sound that starts less than this after the file does counts as starting
// with it: both recognizers resolve time in steps of 10 ms.
constexpr double leadInToleranceSeconds = 0.01;

// Seconds from the start of the file (its earliest stream) to the first
// sound of `stream`; 0 when it starts with the file or either is unknown.
double leadInSeconds(const AVFormatContext* input, const AVStream* stream)
{
    if (stream->start_time == AV_NOPTS_VALUE || input->start_time == AV_NOPTS_VALUE) return 0;
    const double lead = double(stream->start_time) * av_q2d(stream->time_base) - double(input->start_time) / AV_TIME_BASE;
    return lead >= leadInToleranceSeconds ? lead : 0;
}

// How far the packets read of one stream reach, in its time base.
class Coverage {
public:
    void add(const AVPacket& packet)
    {
        const std::int64_t at = packet.pts != AV_NOPTS_VALUE ? packet.pts : packet.dts;
        if (at == AV_NOPTS_VALUE) return;
        first_ = std::min(first_.value_or(at), at);
        end_ = std::max(end_.value_or(at), at + std::max<std::int64_t>(packet.duration, 0));
    }

    // Seconds from where the stream starts (or its first packet) to the end
    // of its last packet read; 0 when none was read.
    double seconds(const AVStream* stream) const
    {
        if (!end_) return 0;
        const std::int64_t start = stream->start_time != AV_NOPTS_VALUE ? stream->start_time : *first_;
        return double(*end_ - start) * av_q2d(stream->time_base);
    }

private:
    std::optional<std::int64_t> first_;
    std::optional<std::int64_t> end_;
};

struct OutputCloser {
    void operator()(AVFormatContext* c) const
    {
        if (c->pb) avio_closep(&c->pb);
        avformat_free_context(c);
    }
};
using OutputPtr = std::unique_ptr<AVFormatContext, OutputCloser>;

// One export: decoder -> converter -> fifo -> AAC encoder -> muxer.
// `declaredDuration` is the track's length as its file states it (in the
// stream's time base), or AV_NOPTS_VALUE.
class Exporter {
public:
    Exporter(AVFormatContext* input, int stream, std::int64_t declaredDuration, const CancelToken& cancel)
        : input_(input), stream_(stream), declaredDuration_(declaredDuration), cancel_(cancel)
    {
    }

    void run(const std::filesystem::path& out)
    {
        // AAC, by far the usual sound of these videos, is already what the
        // file must hold: its packets are copied as they are, untouched and
        // two orders of magnitude faster than decoding and encoding again.
        // Sound that starts after the file does is encoded behind as much
        // silence, so that a time in the audio file is the same time in the
        // source and words land where they are spoken.
        const double lead = leadInSeconds(input_, input_->streams[stream_]);
        if (input_->streams[stream_]->codecpar->codec_id == AV_CODEC_ID_AAC && lead == 0) {
            openOutput(out, input_->streams[stream_]);
            ff::check(avformat_write_header(output_.get(), nullptr), "Couldn't write the audio file");
            copyPackets();
        } else {
            openDecoder();
            openEncoder();
            openOutput(out, nullptr);
            ff::check(avformat_write_header(output_.get(), nullptr), "Couldn't write the audio file");
            encodeSilence(std::llround(lead * encoder_->sample_rate));
            pump();
        }
        // The end of the data is the end of the sound only when the track
        // reaches the length its file states: a file cut short (an
        // interrupted copy) ends cleanly after its last whole packet.
        const AVStream* stream = input_->streams[stream_];
        if (declaredDuration_ != AV_NOPTS_VALUE && declaredDuration_ > 0)
            ff::requireComplete(coverage_.seconds(stream), double(declaredDuration_) * av_q2d(stream->time_base));
        ff::check(av_write_trailer(output_.get()), "Couldn't finish the audio file");
        ff::check(avio_closep(&output_->pb), "Couldn't finish the audio file");
    }

private:
    AVFormatContext* input_;
    int stream_;
    std::int64_t declaredDuration_;
    const CancelToken& cancel_;
    Coverage coverage_;
    ff::CodecPtr decoder_;
    ff::CodecPtr encoder_;
    ff::ResamplerPtr resampler_;
    ff::FifoPtr fifo_;
    OutputPtr output_;
    AVStream* outStream_ = nullptr;
    std::int64_t nextPts_ = 0;

    void openDecoder()
    {
        decoder_ = ff::openDecoder(input_->streams[stream_]);
        if (!decoder_) throw MediaError("The audio track cannot be decoded.");
    }

    void openEncoder()
    {
        const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_AAC);
        if (!codec) throw MediaError("No AAC encoder is available.");
        encoder_.reset(avcodec_alloc_context3(codec));
        if (!encoder_) throw MediaError("out of memory");
        const int channels = std::min(decoder_->ch_layout.nb_channels, 2);
        av_channel_layout_default(&encoder_->ch_layout, channels);
        encoder_->sample_rate = encoderRate(codec, decoder_->sample_rate);
        encoder_->sample_fmt = AV_SAMPLE_FMT_FLTP;
        encoder_->bit_rate = bitRatePerChannel * channels;
        encoder_->time_base = AVRational{1, encoder_->sample_rate};
        encoder_->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;  // MPEG-4 files carry the codec header once
        ff::check(avcodec_open2(encoder_.get(), codec, nullptr), "Couldn't start the AAC encoder");
        AVChannelLayout inLayout = ff::usableLayout(decoder_->ch_layout);
        resampler_ = ff::makeResampler(inLayout, decoder_->sample_fmt, decoder_->sample_rate, encoder_->ch_layout,
                                       AV_SAMPLE_FMT_FLTP, encoder_->sample_rate);
        av_channel_layout_uninit(&inLayout);
        fifo_.reset(av_audio_fifo_alloc(AV_SAMPLE_FMT_FLTP, channels, encoder_->frame_size * 4));
        if (!fifo_) throw MediaError("out of memory");
    }

    // An output stream copying `source`'s parameters, or the encoder's.
    void openOutput(const std::filesystem::path& out, const AVStream* source)
    {
        AVFormatContext* raw = nullptr;
        ff::check(avformat_alloc_output_context2(&raw, nullptr, "ipod", out.c_str()), "Couldn't create the audio file");
        output_.reset(raw);
        outStream_ = avformat_new_stream(output_.get(), nullptr);
        if (!outStream_) throw MediaError("Couldn't create the audio file.");
        if (source) {
            ff::check(avcodec_parameters_copy(outStream_->codecpar, source->codecpar), "Couldn't create the audio file");
            outStream_->codecpar->codec_tag = 0;
            outStream_->time_base = source->time_base;
        } else {
            ff::check(avcodec_parameters_from_context(outStream_->codecpar, encoder_.get()), "Couldn't create the audio file");
            outStream_->time_base = encoder_->time_base;
        }
        ff::check(avio_open(&output_->pb, out.c_str(), AVIO_FLAG_WRITE), "Couldn't create the audio file");
    }

    void copyPackets()
    {
        ff::PacketPtr packet = ff::makePacket();
        const AVRational from = input_->streams[stream_]->time_base;
        for (;;) {
            cancel_.throwIfCancelled();
            int code = av_read_frame(input_, packet.get());
            if (code == AVERROR_EOF) return;
            ff::check(code, "Couldn't read the audio");
            if (packet->stream_index != stream_) {
                av_packet_unref(packet.get());
                continue;
            }
            coverage_.add(*packet);
            av_packet_rescale_ts(packet.get(), from, outStream_->time_base);
            packet->stream_index = outStream_->index;
            packet->pos = -1;
            ff::check(av_interleaved_write_frame(output_.get(), packet.get()), "Couldn't write the audio file");
        }
    }

    void pump()
    {
        ff::PacketPtr packet = ff::makePacket();
        ff::FramePtr frame = ff::makeFrame();
        for (;;) {
            cancel_.throwIfCancelled();
            int code = av_read_frame(input_, packet.get());
            if (code == AVERROR_EOF) break;
            ff::check(code, "Couldn't read the audio");
            if (packet->stream_index != stream_) {
                av_packet_unref(packet.get());
                continue;
            }
            coverage_.add(*packet);
            code = avcodec_send_packet(decoder_.get(), packet.get());
            av_packet_unref(packet.get());
            ff::check(code, "Couldn't decode the audio");
            receiveDecoded(frame.get());
        }
        ff::check(avcodec_send_packet(decoder_.get(), nullptr), "Couldn't decode the audio");
        receiveDecoded(frame.get());
        convert(nullptr);  // drain the resampler
        encodeFifo(true);
        encode(nullptr);
    }

    void encodeSilence(std::int64_t frames)
    {
        std::vector<float> zeros(static_cast<std::size_t>(encoder_->frame_size));
        std::vector<void*> planes(static_cast<std::size_t>(encoder_->ch_layout.nb_channels), zeros.data());
        while (frames > 0) {
            cancel_.throwIfCancelled();
            const int n = static_cast<int>(std::min<std::int64_t>(frames, encoder_->frame_size));
            ff::check(av_audio_fifo_write(fifo_.get(), planes.data(), n), "Couldn't buffer audio");
            frames -= n;
            encodeFifo(false);
        }
    }

    void receiveDecoded(AVFrame* frame)
    {
        for (;;) {
            int code = avcodec_receive_frame(decoder_.get(), frame);
            if (code == AVERROR(EAGAIN) || code == AVERROR_EOF) return;
            ff::check(code, "Couldn't decode the audio");
            convert(frame);
            av_frame_unref(frame);
            encodeFifo(false);
        }
    }

    void convert(const AVFrame* frame)
    {
        const int inFrames = frame ? frame->nb_samples : 0;
        for (;;) {
            const int room = swr_get_out_samples(resampler_.get(), inFrames);
            if (room <= 0) return;
            std::vector<std::vector<float>> planes(static_cast<std::size_t>(encoder_->ch_layout.nb_channels),
                                                   std::vector<float>(static_cast<std::size_t>(room)));
            std::vector<uint8_t*> out;
            for (auto& p : planes) out.push_back(reinterpret_cast<uint8_t*>(p.data()));
            const int produced = ff::check(
                swr_convert(resampler_.get(), out.data(), room, frame ? const_cast<const uint8_t**>(frame->extended_data) : nullptr, inFrames),
                "Couldn't convert audio");
            if (produced > 0)
                ff::check(av_audio_fifo_write(fifo_.get(), reinterpret_cast<void**>(out.data()), produced), "Couldn't buffer audio");
            // A frame is consumed in one call; only the final drain loops.
            if (frame || produced == 0) return;
        }
    }

    void encodeFifo(bool final)
    {
        const int size = encoder_->frame_size;
        while (av_audio_fifo_size(fifo_.get()) >= size || (final && av_audio_fifo_size(fifo_.get()) > 0)) {
            const int frames = std::min(av_audio_fifo_size(fifo_.get()), size);
            ff::FramePtr frame = ff::makeFrame();
            frame->nb_samples = frames;
            frame->format = AV_SAMPLE_FMT_FLTP;
            frame->sample_rate = encoder_->sample_rate;
            av_channel_layout_copy(&frame->ch_layout, &encoder_->ch_layout);
            ff::check(av_frame_get_buffer(frame.get(), 0), "out of memory");
            ff::check(av_audio_fifo_read(fifo_.get(), reinterpret_cast<void**>(frame->data), frames), "Couldn't buffer audio");
            frame->pts = nextPts_;
            nextPts_ += frames;
            encode(frame.get());
        }
    }

    void encode(const AVFrame* frame)
    {
        ff::check(avcodec_send_frame(encoder_.get(), frame), "Couldn't encode the audio");
        ff::PacketPtr packet = ff::makePacket();
        for (;;) {
            int code = avcodec_receive_packet(encoder_.get(), packet.get());
            if (code == AVERROR(EAGAIN) || code == AVERROR_EOF) return;
            ff::check(code, "Couldn't encode the audio");
            av_packet_rescale_ts(packet.get(), encoder_->time_base, outStream_->time_base);
            packet->stream_index = outStream_->index;
            ff::check(av_interleaved_write_frame(output_.get(), packet.get()), "Couldn't write the audio file");
        }
    }
};

}  // namespace

struct AudioAsset::Impl {
    ff::InputPtr input;
    std::vector<std::int64_t> declaredDurations;  // per stream, as the file states them
    int audioTracks = 0;
    int firstAudio = -1;
    bool decodable = false;

    // The first audio track's stated length; none for a track found only
    // while probing the streams (as in a transport stream).
    std::int64_t declaredDuration() const
    {
        const auto index = std::size_t(firstAudio);
        return index < declaredDurations.size() ? declaredDurations[index] : AV_NOPTS_VALUE;
    }
};

AudioAsset::AudioAsset(const std::filesystem::path& file) : impl_(std::make_unique<Impl>())
{
    impl_->input = ff::openInput(file.string(), &impl_->declaredDurations);
    for (unsigned i = 0; i < impl_->input->nb_streams; ++i)
        if (impl_->input->streams[i]->codecpar->codec_type == AVMEDIA_TYPE_AUDIO) ++impl_->audioTracks;
    impl_->firstAudio = ff::firstAudioStream(impl_->input.get());
    if (impl_->firstAudio >= 0) impl_->decodable = ff::openDecoder(impl_->input->streams[impl_->firstAudio]) != nullptr;
}

AudioAsset::~AudioAsset() = default;

int AudioAsset::audioTrackCount() const { return impl_->audioTracks; }

bool AudioAsset::canExportM4A() const { return impl_->decodable; }

void AudioAsset::exportM4A(const std::filesystem::path& out, const CancelToken& cancel) const
{
    if (!impl_->decodable) throw MediaError("The audio track cannot be decoded.");
    AVFormatContext* input = impl_->input.get();
    for (unsigned i = 0; i < input->nb_streams; ++i)
        input->streams[i]->discard = static_cast<int>(i) == impl_->firstAudio ? AVDISCARD_DEFAULT : AVDISCARD_ALL;
    try {
        Exporter(input, impl_->firstAudio, impl_->declaredDuration(), cancel).run(out);
    } catch (...) {
        std::error_code ignored;
        std::filesystem::remove(out, ignored);
        throw;
    }
}

}  // namespace vt::media
