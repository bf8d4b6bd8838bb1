#include "platform/media/AudioFileWriter.h"

#include "platform/media/FFmpeg.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace vt::media {

namespace {

constexpr std::int64_t aacBitRatePerChannel = 128'000;
// PCM has no frame size of its own; it is encoded in slices of this many frames.
constexpr int pcmSliceFrames = 4096;

struct OutputCloser {
    void operator()(AVFormatContext* c) const
    {
        if (c->pb) avio_closep(&c->pb);
        avformat_free_context(c);
    }
};
using OutputPtr = std::unique_ptr<AVFormatContext, OutputCloser>;

bool rateSupported(const AVCodec* codec, int rate)
{
    if (!codec->supported_samplerates) return true;
    for (const int* r = codec->supported_samplerates; *r; ++r)
        if (*r == rate) return true;
    return false;
}

std::int16_t toInt16(float x)
{
    const float clamped = std::clamp(x, -1.0f, 1.0f);
    return static_cast<std::int16_t>(std::lrint(clamped * 32767.0f));
}

}  // namespace

struct AudioFileWriter::Impl {
    std::filesystem::path file;
    Kind kind;
    AudioFormat format;
    std::int64_t bitRate = 0;
    OutputPtr output;
    ff::CodecPtr encoder;
    ff::FifoPtr fifo;  // float planar frames waiting for a full encoder frame
    AVStream* stream = nullptr;
    std::int64_t nextPts = 0;
    std::int64_t written = 0;
    bool finished = false;

    void open()
    {
        ff::silenceLibraryLog();
        if (format.sampleRate <= 0 || format.channels <= 0) throw MediaError("Couldn't create the audio file: no sound format.");
        const AVCodecID id = kind == Kind::aacM4A ? AV_CODEC_ID_AAC : AV_CODEC_ID_PCM_S16LE;
        const AVCodec* codec = avcodec_find_encoder(id);
        if (!codec) throw MediaError(kind == Kind::aacM4A ? "No AAC encoder is available." : "No PCM encoder is available.");
        if (!rateSupported(codec, format.sampleRate))
            throw MediaError("The encoder cannot write sound at " + std::to_string(format.sampleRate) + " Hz.");
        encoder.reset(avcodec_alloc_context3(codec));
        if (!encoder) throw MediaError("out of memory");
        av_channel_layout_default(&encoder->ch_layout, format.channels);
        encoder->sample_rate = format.sampleRate;
        encoder->time_base = AVRational{1, format.sampleRate};
        if (kind == Kind::aacM4A) {
            encoder->sample_fmt = AV_SAMPLE_FMT_FLTP;
            encoder->bit_rate = bitRate > 0 ? bitRate : aacBitRatePerChannel * format.channels;
            encoder->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;  // MPEG-4 files carry the codec header once
        } else {
            encoder->sample_fmt = AV_SAMPLE_FMT_S16;
        }
        ff::check(avcodec_open2(encoder.get(), codec, nullptr), "Couldn't start the audio encoder");

        AVFormatContext* raw = nullptr;
        ff::check(avformat_alloc_output_context2(&raw, nullptr, kind == Kind::aacM4A ? "ipod" : "caf", file.c_str()),
                  "Couldn't create the audio file");
        output.reset(raw);
        stream = avformat_new_stream(output.get(), nullptr);
        if (!stream) throw MediaError("Couldn't create the audio file.");
        ff::check(avcodec_parameters_from_context(stream->codecpar, encoder.get()), "Couldn't create the audio file");
        stream->time_base = encoder->time_base;
        ff::check(avio_open(&output->pb, file.c_str(), AVIO_FLAG_WRITE), "Couldn't create the audio file");
        ff::check(avformat_write_header(output.get(), nullptr), "Couldn't write the audio file");
        fifo.reset(av_audio_fifo_alloc(AV_SAMPLE_FMT_FLTP, format.channels, frameSize() * 4));
        if (!fifo) throw MediaError("out of memory");
    }

    int frameSize() const { return encoder->frame_size > 0 ? encoder->frame_size : pcmSliceFrames; }

    void encodeBuffered(bool final)
    {
        const int size = frameSize();
        while (av_audio_fifo_size(fifo.get()) >= size || (final && av_audio_fifo_size(fifo.get()) > 0)) {
            const int frames = std::min(av_audio_fifo_size(fifo.get()), size);
            std::vector<std::vector<float>> planes(static_cast<std::size_t>(format.channels), std::vector<float>(static_cast<std::size_t>(frames)));
            std::vector<void*> pointers;
            for (auto& p : planes) pointers.push_back(p.data());
            ff::check(av_audio_fifo_read(fifo.get(), pointers.data(), frames), "Couldn't buffer audio");
            encode(makeFrame(planes, frames).get());
        }
    }

    ff::FramePtr makeFrame(const std::vector<std::vector<float>>& planes, int frames)
    {
        ff::FramePtr frame = ff::makeFrame();
        frame->nb_samples = frames;
        frame->format = encoder->sample_fmt;
        frame->sample_rate = format.sampleRate;
        ff::check(av_channel_layout_copy(&frame->ch_layout, &encoder->ch_layout), "out of memory");
        ff::check(av_frame_get_buffer(frame.get(), 0), "out of memory");
        if (kind == Kind::aacM4A) {
            for (int c = 0; c < format.channels; ++c)
                std::copy_n(planes[static_cast<std::size_t>(c)].data(), frames, reinterpret_cast<float*>(frame->data[c]));
        } else {
            auto* out = reinterpret_cast<std::int16_t*>(frame->data[0]);
            for (int i = 0; i < frames; ++i)
                for (int c = 0; c < format.channels; ++c)
                    *out++ = toInt16(planes[static_cast<std::size_t>(c)][static_cast<std::size_t>(i)]);
        }
        frame->pts = nextPts;
        nextPts += frames;
        return frame;
    }

    void encode(const AVFrame* frame)
    {
        ff::check(avcodec_send_frame(encoder.get(), frame), "Couldn't encode the audio");
        ff::PacketPtr packet = ff::makePacket();
        for (;;) {
            const int code = avcodec_receive_packet(encoder.get(), packet.get());
            if (code == AVERROR(EAGAIN) || code == AVERROR_EOF) return;
            ff::check(code, "Couldn't encode the audio");
            av_packet_rescale_ts(packet.get(), encoder->time_base, stream->time_base);
            packet->stream_index = stream->index;
            ff::check(av_interleaved_write_frame(output.get(), packet.get()), "Couldn't write the audio file");
        }
    }
};

AudioFileWriter::AudioFileWriter(const std::filesystem::path& file, Kind kind, AudioFormat format, std::int64_t bitRate)
    : impl_(std::make_unique<Impl>())
{
    impl_->bitRate = bitRate;
    impl_->file = file;
    impl_->kind = kind;
    impl_->format = format;
    try {
        impl_->open();
    } catch (...) {
        impl_->output.reset();
        std::error_code ignored;
        std::filesystem::remove(file, ignored);
        throw;
    }
}

AudioFileWriter::~AudioFileWriter()
{
    if (impl_->finished) return;
    impl_->output.reset();
    std::error_code ignored;
    std::filesystem::remove(impl_->file, ignored);
}

void AudioFileWriter::write(const float* const* planes, std::int64_t frames)
{
    Impl& d = *impl_;
    if (d.finished) throw MediaError("The audio file is already finished.");
    std::int64_t done = 0;
    while (done < frames) {
        const int n = static_cast<int>(std::min<std::int64_t>(frames - done, d.frameSize() * 4));
        std::vector<void*> pointers;
        for (int c = 0; c < d.format.channels; ++c) pointers.push_back(const_cast<float*>(planes[c] + done));
        ff::check(av_audio_fifo_write(d.fifo.get(), pointers.data(), n), "Couldn't buffer audio");
        done += n;
        d.encodeBuffered(false);
    }
    d.written += frames;
}

void AudioFileWriter::finish()
{
    Impl& d = *impl_;
    if (d.finished) return;
    d.encodeBuffered(true);
    d.encode(nullptr);
    ff::check(av_write_trailer(d.output.get()), "Couldn't finish the audio file");
    ff::check(avio_closep(&d.output->pb), "Couldn't finish the audio file");
    d.output.reset();
    d.finished = true;
}

std::int64_t AudioFileWriter::framesWritten() const { return impl_->written; }

}  // namespace vt::media
