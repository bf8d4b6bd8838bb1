#include "platform/media/VideoFrameReader.h"

#include "platform/media/FFmpeg.h"

extern "C" {
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cmath>

namespace vt::media {

namespace {

struct ScalerFreer {
    void operator()(SwsContext* s) const { sws_freeContext(s); }
};

constexpr double unknown = -1e300;

}  // namespace

struct VideoFrameReader::Impl {
    ff::InputPtr input;
    ff::CodecPtr decoder;
    std::unique_ptr<SwsContext, ScalerFreer> scaler;
    ff::PacketPtr packet = ff::makePacket();
    ff::FramePtr shown = ff::makeFrame();  // the last frame handed out or passed over
    ff::FramePtr ahead = ff::makeFrame();  // decoded, starts after the last request
    ff::FramePtr scratch = ff::makeFrame();
    int stream = -1;
    AVRational timeBase{1, 1};
    double frameDuration = 1.0 / 30;
    int maxWidth = 0;
    int maxHeight = 0;
    bool hasShown = false;
    bool hasAhead = false;
    bool inputDone = false;
    bool decoderDone = false;

    void open(const std::filesystem::path& file)
    {
        input = ff::openInput(file.string());
        for (unsigned i = 0; i < input->nb_streams; ++i) {
            const AVStream* s = input->streams[i];
            if (stream < 0 && s->codecpar->codec_type == AVMEDIA_TYPE_VIDEO && !(s->disposition & AV_DISPOSITION_ATTACHED_PIC))
                stream = static_cast<int>(i);
            else
                input->streams[i]->discard = AVDISCARD_ALL;
        }
        if (stream < 0) throw MediaError("The file has no video track.");
        const AVStream* s = input->streams[stream];
        timeBase = s->time_base;
        for (AVRational r : {s->avg_frame_rate, s->r_frame_rate})
            if (r.num > 0 && r.den > 0) {
                frameDuration = 1.0 / av_q2d(r);
                break;
            }
        const AVCodec* codec = avcodec_find_decoder(s->codecpar->codec_id);
        if (!codec) throw MediaError("The video track cannot be decoded.");
        decoder.reset(avcodec_alloc_context3(codec));
        if (!decoder) throw MediaError("out of memory");
        ff::check(avcodec_parameters_to_context(decoder.get(), s->codecpar), "Couldn't read the video track");
        decoder->pkt_timebase = timeBase;
        decoder->thread_count = 0;  // as many as the machine has
        ff::check(avcodec_open2(decoder.get(), codec, nullptr), "Couldn't open the video decoder");
    }

    double startOf(const AVFrame* f) const
    {
        const int64_t pts = f->best_effort_timestamp != AV_NOPTS_VALUE ? f->best_effort_timestamp : f->pts;
        return pts == AV_NOPTS_VALUE ? 0 : double(pts) * av_q2d(timeBase);
    }

    // The next decoded frame into `out`; false at the end of the track.
    bool decodeNext(AVFrame* out)
    {
        for (;;) {
            const int got = avcodec_receive_frame(decoder.get(), out);
            if (got == 0) return true;
            if (got == AVERROR_EOF) {
                decoderDone = true;
                return false;
            }
            if (got != AVERROR(EAGAIN)) ff::check(got, "Couldn't decode the video");
            if (inputDone) {
                decoderDone = true;
                return false;
            }
            const int read = av_read_frame(input.get(), packet.get());
            if (read == AVERROR_EOF) {
                inputDone = true;
                ff::check(avcodec_send_packet(decoder.get(), nullptr), "Couldn't decode the video");
                continue;
            }
            ff::check(read, "Couldn't read the video");
            if (packet->stream_index == stream) {
                const int sent = avcodec_send_packet(decoder.get(), packet.get());
                av_packet_unref(packet.get());
                // A damaged packet loses its frame, not the whole track.
                if (sent < 0 && sent != AVERROR_INVALIDDATA) ff::check(sent, "Couldn't decode the video");
            } else {
                av_packet_unref(packet.get());
            }
        }
    }

    double keyframeBefore(double time) const
    {
        const AVStream* s = input->streams[stream];
        const auto ts = static_cast<int64_t>(std::floor(time / av_q2d(timeBase)));
        const AVIndexEntry* entry = avformat_index_get_entry_from_timestamp(const_cast<AVStream*>(s), ts, AVSEEK_FLAG_BACKWARD);
        return entry ? double(entry->timestamp) * av_q2d(timeBase) : unknown;
    }

    void seek(double time)
    {
        const auto ts = static_cast<int64_t>(std::floor(time / av_q2d(timeBase)));
        ff::check(av_seek_frame(input.get(), stream, ts, AVSEEK_FLAG_BACKWARD), "Couldn't seek in the video");
        avcodec_flush_buffers(decoder.get());
        hasShown = hasAhead = inputDone = decoderDone = false;
    }

    bool needsSeek(double time) const
    {
        if (!hasShown && !hasAhead) return true;
        const double position = hasShown ? startOf(shown.get()) : startOf(ahead.get());
        if (time < position - 1e-6) return true;
        return keyframeBefore(time) > position + 1e-6;
    }

    // Moves on until `shown` is the frame on screen at `time` (or, with a
    // tolerance, a frame close enough); false when there is none.
    bool advance(double time, double tolerance)
    {
        if (needsSeek(time)) seek(time);
        for (;;) {
            if (!hasAhead) {
                skipWhileFar(time - tolerance);
                if (decoderDone || !decodeNext(ahead.get())) break;
                hasAhead = true;
            }
            const double start = startOf(ahead.get());
            const bool closeEnough = tolerance > 0 && std::abs(start - time) <= tolerance;
            if (start > time + 1e-6 && !closeEnough) {
                if (hasShown) return true;
                take();  // the first frame stands for every earlier time
                return true;
            }
            take();
            if (closeEnough) return true;
        }
        return hasShown && time < startOf(shown.get()) + std::max(frameDurationOf(shown.get()), 1e-3);
    }

    // Frames nothing refers to are not decoded while the wanted time is well
    // ahead (far enough that no frame in flight in the decoder's threads can
    // be the wanted one): they could never be shown, and skipping them
    // roughly halves the work of a long forward search.
    void skipWhileFar(double wanted)
    {
        const double margin = std::max(0.5, 16 * frameDuration);
        const bool far = hasShown && startOf(shown.get()) < wanted - margin;
        decoder->skip_frame = far ? AVDISCARD_NONREF : AVDISCARD_DEFAULT;
    }

    double frameDurationOf(const AVFrame* f) const
    {
        return f->pkt_duration > 0 ? double(f->pkt_duration) * av_q2d(timeBase) : frameDuration;
    }

    void take()
    {
        av_frame_unref(shown.get());
        av_frame_move_ref(shown.get(), ahead.get());
        hasShown = true;
        hasAhead = false;
    }

    VideoFrame convert(const AVFrame* f)
    {
        int w = f->width, h = f->height;
        if (maxWidth > 0 && maxHeight > 0 && (w > maxWidth || h > maxHeight)) {
            const double scale = std::min(double(maxWidth) / w, double(maxHeight) / h);
            w = std::max(1, int(std::lround(w * scale)));
            h = std::max(1, int(std::lround(h * scale)));
        }
        scaler.reset(sws_getCachedContext(scaler.release(), f->width, f->height, static_cast<AVPixelFormat>(f->format), w, h,
                                          AV_PIX_FMT_BGRA, SWS_BILINEAR, nullptr, nullptr, nullptr));
        if (!scaler) throw MediaError("Couldn't convert the video's pictures");
        VideoFrame out;
        out.width = w;
        out.height = h;
        out.bytesPerLine = w * 4;
        // The converter writes whole blocks of pixels: on a width that is not
        // a multiple of its block it runs past the end of the last line.
        constexpr std::size_t overrun = 256;
        out.pixels.resize(static_cast<std::size_t>(out.bytesPerLine) * h + overrun);
        uint8_t* planes[4] = {out.pixels.data(), nullptr, nullptr, nullptr};
        int strides[4] = {out.bytesPerLine, 0, 0, 0};
        sws_scale(scaler.get(), f->data, f->linesize, 0, f->height, planes, strides);
        out.pixels.resize(out.pixels.size() - overrun);
        out.time = startOf(f);
        const AVPixFmtDescriptor* described = av_pix_fmt_desc_get(static_cast<AVPixelFormat>(f->format));
        out.opaque = described && !(described->flags & AV_PIX_FMT_FLAG_ALPHA);
        return out;
    }
};

VideoFrameReader::VideoFrameReader(const std::filesystem::path& file, int maxWidth, int maxHeight) : impl_(std::make_unique<Impl>())
{
    impl_->maxWidth = maxWidth;
    impl_->maxHeight = maxHeight;
    impl_->open(file);
}

VideoFrameReader::~VideoFrameReader() = default;

std::optional<VideoFrame> VideoFrameReader::frameAt(double time, double tolerance)
{
    if (!std::isfinite(time)) return std::nullopt;
    try {
        if (!impl_->advance(time, std::max(tolerance, 0.0))) return std::nullopt;
        return impl_->convert(impl_->shown.get());
    } catch (const MediaError&) {
        impl_->hasShown = impl_->hasAhead = false;
        return std::nullopt;
    }
}

}  // namespace vt::media
