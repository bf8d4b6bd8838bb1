#pragma once
// Internal to the media folder: FFmpeg objects with owners, and error texts.
// No header outside src/platform/media includes this.

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
}

#include "platform/media/MediaError.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vt::media::ff {

struct InputCloser {
    void operator()(AVFormatContext* c) const { avformat_close_input(&c); }
};
struct CodecFreer {
    void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct FrameFreer {
    void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct PacketFreer {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct ResamplerFreer {
    void operator()(SwrContext* s) const { swr_free(&s); }
};
struct FifoFreer {
    void operator()(AVAudioFifo* f) const { av_audio_fifo_free(f); }
};

using InputPtr = std::unique_ptr<AVFormatContext, InputCloser>;
using CodecPtr = std::unique_ptr<AVCodecContext, CodecFreer>;
using FramePtr = std::unique_ptr<AVFrame, FrameFreer>;
using PacketPtr = std::unique_ptr<AVPacket, PacketFreer>;
using ResamplerPtr = std::unique_ptr<SwrContext, ResamplerFreer>;
using FifoPtr = std::unique_ptr<AVAudioFifo, FifoFreer>;

// The program writes no log: FFmpeg's own messages are switched off once.
void silenceLibraryLog();

std::string errorText(int code);
// Throws MediaError with "<what>: <FFmpeg's text>" when code is negative.
int check(int code, const char* what);

// Sound that ends within this many seconds of the length its file states is
// whole: encoder priming and padding and container rounding make the two
// differ a little in real files.
constexpr double completenessSlackSeconds = 0.1;
// Throws MediaError when the sound read ends short of its stated length by
// more than the slack: the file was cut short, and what was read is not all.
void requireComplete(double readSeconds, double statedSeconds);

FramePtr makeFrame();
PacketPtr makePacket();

// Opens a media file and reads its stream information. `declaredDurations`,
// when given, receives each stream's length as the file itself states it (in
// the stream's time base, AV_NOPTS_VALUE when it states none), before any
// length is guessed from other streams or the bit rate.
InputPtr openInput(const std::string& path, std::vector<std::int64_t>* declaredDurations = nullptr);
// Index of the first audio stream, or -1.
int firstAudioStream(const AVFormatContext* input);
// The first audio stream of a file opened for its sound alone: every other
// stream is discarded by the demuxer. Throws MediaError when there is none.
int onlyFirstAudioStream(AVFormatContext* input);
// A decoder opened for the stream, or null when none exists for its codec.
CodecPtr openDecoder(const AVStream* stream);

// The layout itself, or the default layout of its channel count when the
// file leaves the channel order unspecified. The caller uninits the copy.
AVChannelLayout usableLayout(const AVChannelLayout& layout);

// A resampler between two layouts, rates and sample formats, initialised.
ResamplerPtr makeResampler(const AVChannelLayout& inLayout, AVSampleFormat inFormat, int inRate,
                           const AVChannelLayout& outLayout, AVSampleFormat outFormat, int outRate);

}  // namespace vt::media::ff
