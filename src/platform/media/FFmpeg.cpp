#include "platform/media/FFmpeg.h"

#include <mutex>

namespace vt::media::ff {

void silenceLibraryLog()
{
    static std::once_flag once;
    std::call_once(once, [] { av_log_set_level(AV_LOG_QUIET); });
}

std::string errorText(int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    if (av_strerror(code, text, sizeof text) < 0) return "error " + std::to_string(code);
    return text;
}

int check(int code, const char* what)
{
    if (code < 0) throw MediaError(std::string(what) + ": " + errorText(code));
    return code;
}

FramePtr makeFrame()
{
    FramePtr frame(av_frame_alloc());
    if (!frame) throw MediaError("out of memory");
    return frame;
}

PacketPtr makePacket()
{
    PacketPtr packet(av_packet_alloc());
    if (!packet) throw MediaError("out of memory");
    return packet;
}

void requireComplete(double readSeconds, double statedSeconds)
{
    if (readSeconds + completenessSlackSeconds < statedSeconds)
        throw MediaError("The audio ends before its stated length; the file is incomplete.");
}

namespace {

// A file that is missing or may not be read is not thereby bad media.
MediaError::Kind openFailure(int code)
{
    return code == AVERROR(ENOENT) || code == AVERROR(EACCES) || code == AVERROR(EISDIR) ? MediaError::Kind::other
                                                                                       : MediaError::Kind::unreadable;
}

}  // namespace

InputPtr openInput(const std::string& path, std::vector<std::int64_t>* declaredDurations)
{
    silenceLibraryLog();
    AVFormatContext* raw = nullptr;
    int code = avformat_open_input(&raw, path.c_str(), nullptr, nullptr);
    if (code < 0) throw MediaError("Couldn't open the file: " + errorText(code), openFailure(code));
    InputPtr input(raw);
    if (declaredDurations) {
        declaredDurations->clear();
        for (unsigned i = 0; i < input->nb_streams; ++i) declaredDurations->push_back(input->streams[i]->duration);
    }
    code = avformat_find_stream_info(input.get(), nullptr);
    if (code < 0) throw MediaError("Couldn't read the file's streams: " + errorText(code), openFailure(code));
    return input;
}

int firstAudioStream(const AVFormatContext* input)
{
    for (unsigned i = 0; i < input->nb_streams; ++i)
        if (input->streams[i]->codecpar->codec_type == AVMEDIA_TYPE_AUDIO) return static_cast<int>(i);
    return -1;
}

int onlyFirstAudioStream(AVFormatContext* input)
{
    const int stream = firstAudioStream(input);
    if (stream < 0) throw MediaError("The file has no audio track.");
    for (unsigned i = 0; i < input->nb_streams; ++i)
        if (static_cast<int>(i) != stream) input->streams[i]->discard = AVDISCARD_ALL;
    return stream;
}

CodecPtr openDecoder(const AVStream* stream)
{
    const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
    if (!codec) return nullptr;
    CodecPtr decoder(avcodec_alloc_context3(codec));
    if (!decoder) return nullptr;
    if (avcodec_parameters_to_context(decoder.get(), stream->codecpar) < 0) return nullptr;
    decoder->pkt_timebase = stream->time_base;
    if (avcodec_open2(decoder.get(), codec, nullptr) < 0) return nullptr;
    if (decoder->sample_rate <= 0 || decoder->ch_layout.nb_channels <= 0) return nullptr;
    return decoder;
}

AVChannelLayout usableLayout(const AVChannelLayout& layout)
{
    AVChannelLayout out{};
    if (layout.order == AV_CHANNEL_ORDER_UNSPEC || av_channel_layout_check(&layout) == 0)
        av_channel_layout_default(&out, layout.nb_channels);
    else
        av_channel_layout_copy(&out, &layout);
    return out;
}

ResamplerPtr makeResampler(const AVChannelLayout& inLayout, AVSampleFormat inFormat, int inRate,
                           const AVChannelLayout& outLayout, AVSampleFormat outFormat, int outRate)
{
    SwrContext* raw = nullptr;
    check(swr_alloc_set_opts2(&raw, const_cast<AVChannelLayout*>(&outLayout), outFormat, outRate,
                              const_cast<AVChannelLayout*>(&inLayout), inFormat, inRate, 0, nullptr),
          "Couldn't set up audio conversion");
    ResamplerPtr resampler(raw);
    check(swr_init(resampler.get()), "Couldn't set up audio conversion");
    return resampler;
}

}  // namespace vt::media::ff
