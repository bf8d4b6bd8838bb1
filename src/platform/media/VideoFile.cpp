#include "platform/media/VideoFile.h"

#include "platform/media/FFmpeg.h"

extern "C" {
#include <libavutil/display.h>
#include <libavutil/imgutils.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cmath>

namespace vt::media {
namespace {

struct ScalerFreer {
    void operator()(SwsContext* s) const { sws_freeContext(s); }
};

// Seeking costs a keyframe's worth of decoding; decoding forward is cheaper
// for a gap shorter than this.
constexpr double kSeekGap = 3.0;

int clockwiseRotation(const AVStream* stream)
{
    const std::uint8_t* matrix = av_stream_get_side_data(stream, AV_PKT_DATA_DISPLAYMATRIX, nullptr);
    if (!matrix) return 0;
    // The matrix holds the counter-clockwise angle of the display transform.
    const double degrees = -av_display_rotation_get(reinterpret_cast<const std::int32_t*>(matrix));
    if (std::isnan(degrees)) return 0;
    const int quarter = static_cast<int>(std::lround(degrees / 90.0));
    return ((quarter % 4) + 4) % 4 * 90;
}

Picture rotated(Picture in, int rotation)
{
    if (rotation == 0) return in;
    Picture out;
    const bool swap = rotation != 180;
    out.width = swap ? in.height : in.width;
    out.height = swap ? in.width : in.height;
    out.bgra.resize(in.bgra.size());
    auto* src = reinterpret_cast<const std::uint32_t*>(in.bgra.data());
    auto* dst = reinterpret_cast<std::uint32_t*>(out.bgra.data());
    for (int y = 0; y < in.height; ++y) {
        for (int x = 0; x < in.width; ++x) {
            int ox = x, oy = y;
            if (rotation == 90) { ox = in.height - 1 - y; oy = x; }
            else if (rotation == 180) { ox = in.width - 1 - x; oy = in.height - 1 - y; }
            else { ox = y; oy = in.width - 1 - x; }
            dst[oy * out.width + ox] = src[y * in.width + x];
        }
    }
    return out;
}

}  // namespace

struct VideoFile::Impl {
    ff::InputPtr input;
    int streamIndex = -1;
    ff::CodecPtr decoder;
    std::unique_ptr<SwsContext, ScalerFreer> scaler;
    ff::FramePtr current = ff::makeFrame();  // the latest decoded frame
    bool hasCurrent = false;
    double currentTime = 0;
    ff::FramePtr previous = ff::makeFrame();  // the frame decoded before it
    bool hasPrevious = false;
    double previousTime = 0;
    bool ended = false;

    const AVStream* stream() const { return input->streams[streamIndex]; }

    double seconds(std::int64_t pts) const
    {
        const AVStream* s = stream();
        const std::int64_t start = s->start_time == AV_NOPTS_VALUE ? 0 : s->start_time;
        return static_cast<double>(pts - start) * av_q2d(s->time_base);
    }

    void openDecoder()
    {
        const AVCodec* codec = avcodec_find_decoder(stream()->codecpar->codec_id);
        if (!codec) throw MediaError("No decoder for the video track");
        decoder.reset(avcodec_alloc_context3(codec));
        if (!decoder) throw MediaError("out of memory");
        ff::check(avcodec_parameters_to_context(decoder.get(), stream()->codecpar), "Couldn't set up the video decoder");
        decoder->pkt_timebase = stream()->time_base;
        decoder->thread_count = 2;
        ff::check(avcodec_open2(decoder.get(), codec, nullptr), "Couldn't open the video decoder");
    }

    // Decodes the next frame into `current`; false at the end of the stream.
    bool decodeNext()
    {
        if (ended) return false;
        if (hasCurrent) {
            av_frame_unref(previous.get());
            av_frame_move_ref(previous.get(), current.get());
            hasPrevious = true;
            previousTime = currentTime;
            hasCurrent = false;
        }
        ff::PacketPtr packet = ff::makePacket();
        for (;;) {
            const int got = avcodec_receive_frame(decoder.get(), current.get());
            if (got == 0) {
                const std::int64_t pts = current->best_effort_timestamp;
                currentTime = pts == AV_NOPTS_VALUE ? currentTime : seconds(pts);
                hasCurrent = true;
                return true;
            }
            if (got == AVERROR_EOF) {
                ended = true;
                hasCurrent = false;
                return false;
            }
            if (got != AVERROR(EAGAIN)) ff::check(got, "Couldn't decode the video");
            const int read = av_read_frame(input.get(), packet.get());
            if (read < 0) {
                avcodec_send_packet(decoder.get(), nullptr);  // drain
                continue;
            }
            if (packet->stream_index == streamIndex) {
                const int sent = avcodec_send_packet(decoder.get(), packet.get());
                // A damaged packet loses its frame, not the file.
                if (sent < 0 && sent != AVERROR(EAGAIN)) { av_packet_unref(packet.get()); continue; }
            }
            av_packet_unref(packet.get());
        }
    }

    void seek(double time)
    {
        const AVStream* s = stream();
        const std::int64_t start = s->start_time == AV_NOPTS_VALUE ? 0 : s->start_time;
        const auto target = start + static_cast<std::int64_t>(std::max(0.0, time) / av_q2d(s->time_base));
        if (av_seek_frame(input.get(), streamIndex, target, AVSEEK_FLAG_BACKWARD) >= 0) {
            avcodec_flush_buffers(decoder.get());
            hasCurrent = false;
            hasPrevious = false;
            ended = false;
        }
    }

    Picture convert(const AVFrame* f, int maxSide)
    {
        double scale = 1;
        if (maxSide > 0) scale = std::min(1.0, static_cast<double>(maxSide) / std::max(f->width, f->height));
        Picture out;
        out.width = std::max(1, static_cast<int>(std::lround(f->width * scale)));
        out.height = std::max(1, static_cast<int>(std::lround(f->height * scale)));
        // Room for the converter's whole-block writes past the last line.
        constexpr std::size_t overrun = 256;
        out.bgra.resize(static_cast<std::size_t>(out.width) * out.height * 4 + overrun);
        scaler.reset(sws_getCachedContext(scaler.release(), f->width, f->height, static_cast<AVPixelFormat>(f->format),
                                          out.width, out.height, AV_PIX_FMT_BGRA, SWS_AREA, nullptr, nullptr, nullptr));
        if (!scaler) throw MediaError("Couldn't convert the video picture");
        std::uint8_t* planes[4] = {out.bgra.data(), nullptr, nullptr, nullptr};
        int strides[4] = {out.width * 4, 0, 0, 0};
        sws_scale(scaler.get(), f->data, f->linesize, 0, f->height, planes, strides);
        out.bgra.resize(out.bgra.size() - overrun);
        return rotated(std::move(out), clockwiseRotation(stream()));
    }
};

VideoFile::VideoFile(const std::filesystem::path& file) : impl_(std::make_unique<Impl>())
{
    impl_->input = ff::openInput(file.string());
    const AVFormatContext* in = impl_->input.get();
    for (unsigned i = 0; i < in->nb_streams; ++i) {
        const AVStream* s = in->streams[i];
        if (s->codecpar->codec_type == AVMEDIA_TYPE_VIDEO && !(s->disposition & AV_DISPOSITION_ATTACHED_PIC)) {
            impl_->streamIndex = static_cast<int>(i);
            break;
        }
    }
}

VideoFile::~VideoFile() = default;

bool VideoFile::hasVideo() const { return impl_->streamIndex >= 0; }

VideoFacts VideoFile::facts() const
{
    VideoFacts facts;
    if (impl_->input->duration != AV_NOPTS_VALUE && impl_->input->duration > 0)
        facts.duration = static_cast<double>(impl_->input->duration) / AV_TIME_BASE;
    if (!hasVideo()) return facts;
    const AVStream* s = impl_->stream();
    facts.width = s->codecpar->width;
    facts.height = s->codecpar->height;
    facts.rotation = clockwiseRotation(s);
    const AVRational rate = s->avg_frame_rate.num > 0 ? s->avg_frame_rate : s->r_frame_rate;
    if (rate.num > 0 && rate.den > 0) facts.fps = av_q2d(rate);
    if (facts.duration == 0 && s->duration != AV_NOPTS_VALUE)
        facts.duration = static_cast<double>(s->duration) * av_q2d(s->time_base);
    const AVColorTransferCharacteristic trc = s->codecpar->color_trc;
    facts.isHDR = trc == AVCOL_TRC_SMPTE2084 || trc == AVCOL_TRC_ARIB_STD_B67;
    return facts;
}

void VideoFile::frames(const std::vector<double>& times, int maxSide, double tolerance, const Delivery& deliver,
                       const CancelToken& cancel)
{
    if (!hasVideo()) {
        for (std::size_t i = 0; i < times.size(); ++i) deliver(i, std::nullopt);
        return;
    }
    Impl& d = *impl_;
    if (!d.decoder) d.openDecoder();
    for (std::size_t i = 0; i < times.size(); ++i) {
        cancel.throwIfCancelled();
        const double from = times[i] - tolerance;
        const double until = times[i] + tolerance;
        std::optional<Picture> picture;
        try {
            const bool behind = d.hasCurrent ? from - d.currentTime > kSeekGap : (!d.ended && from > kSeekGap);
            if (behind) d.seek(from);
            while (!d.ended && (!d.hasCurrent || d.currentTime < times[i])) d.decodeNext();
            // The frame shown nearest the time: the last one before it or the first one at or after it.
            const bool before = d.hasPrevious && d.previousTime >= from && d.previousTime < times[i];
            const bool after = d.hasCurrent && d.currentTime >= times[i] && d.currentTime <= until;
            if (before && (!after || times[i] - d.previousTime < d.currentTime - times[i])) picture = d.convert(d.previous.get(), maxSide);
            else if (after) picture = d.convert(d.current.get(), maxSide);
        } catch (const MediaError&) {
            picture.reset();
        }
        deliver(i, std::move(picture));
    }
}

}  // namespace vt::media
