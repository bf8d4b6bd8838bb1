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

#include <memory>
#include <string>

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

FramePtr makeFrame();
PacketPtr makePacket();

// Opens a media file and reads its stream information.
InputPtr openInput(const std::string& path);
// Index of the first audio stream, or -1.
int firstAudioStream(const AVFormatContext* input);
// A decoder opened for the stream, or null when none exists for its codec.
CodecPtr openDecoder(const AVStream* stream);

// The layout itself, or the default layout of its channel count when the
// file leaves the channel order unspecified. The caller uninits the copy.
AVChannelLayout usableLayout(const AVChannelLayout& layout);

// A resampler between two layouts, rates and sample formats, initialised.
ResamplerPtr makeResampler(const AVChannelLayout& inLayout, AVSampleFormat inFormat, int inRate,
                           const AVChannelLayout& outLayout, AVSampleFormat outFormat, int outRate);

}  // namespace vt::media::ff
