#include "platform/media/VideoProbe.h"

#include "platform/media/FFmpeg.h"

extern "C" {
#include <libavutil/display.h>
}

#include <cmath>

namespace vt::media {

namespace {

int firstVideoStream(const AVFormatContext* input)
{
    for (unsigned i = 0; i < input->nb_streams; ++i) {
        const AVStream* s = input->streams[i];
        if (s->codecpar->codec_type == AVMEDIA_TYPE_VIDEO && !(s->disposition & AV_DISPOSITION_ATTACHED_PIC))
            return static_cast<int>(i);
    }
    return -1;
}

// The display matrix turns the picture counter-clockwise; we count clockwise
// quarter turns, the way a phone's portrait recording is tagged (90).
int clockwiseRotation(const AVStream* s)
{
    const uint8_t* matrix = av_stream_get_side_data(s, AV_PKT_DATA_DISPLAYMATRIX, nullptr);
    if (!matrix) return 0;
    const double counterClockwise = av_display_rotation_get(reinterpret_cast<const int32_t*>(matrix));
    if (!std::isfinite(counterClockwise)) return 0;
    const long quarter = std::lround(-counterClockwise / 90.0);
    return static_cast<int>(((quarter % 4) + 4) % 4) * 90;
}

double rateOf(const AVStream* s)
{
    for (AVRational r : {s->avg_frame_rate, s->r_frame_rate})
        if (r.num > 0 && r.den > 0) return av_q2d(r);
    return 0;
}

double seconds(int64_t ticks, AVRational base) { return ticks == AV_NOPTS_VALUE ? 0 : double(ticks) * av_q2d(base); }

double fileDuration(const AVFormatContext* input)
{
    if (input->duration != AV_NOPTS_VALUE && input->duration > 0) return double(input->duration) / AV_TIME_BASE;
    double longest = 0;
    for (unsigned i = 0; i < input->nb_streams; ++i) {
        const AVStream* s = input->streams[i];
        if (s->duration != AV_NOPTS_VALUE) longest = std::max(longest, seconds(s->start_time, s->time_base) + seconds(s->duration, s->time_base));
    }
    return longest;
}

double streamEnd(const AVFormatContext* input, const AVStream* s)
{
    if (s->duration != AV_NOPTS_VALUE && s->duration > 0)
        return std::max(0.0, seconds(s->start_time, s->time_base)) + seconds(s->duration, s->time_base);
    return fileDuration(input);
}

}  // namespace

std::optional<VideoTrackFacts> probeVideo(const std::filesystem::path& file)
{
    ff::InputPtr input = ff::openInput(file.string());
    const int index = firstVideoStream(input.get());
    if (index < 0) return std::nullopt;
    const AVStream* s = input->streams[index];
    VideoTrackFacts facts;
    facts.width = s->codecpar->width;
    facts.height = s->codecpar->height;
    facts.rotation = clockwiseRotation(s);
    facts.nominalFrameRate = rateOf(s);
    facts.fileDuration = fileDuration(input.get());
    facts.trackEnd = streamEnd(input.get(), s);
    const AVColorTransferCharacteristic trc = s->codecpar->color_trc;
    facts.isHDR = trc == AVCOL_TRC_SMPTE2084 || trc == AVCOL_TRC_ARIB_STD_B67;
    return facts;
}

std::optional<double> audioTrackEnd(const std::filesystem::path& file)
{
    try {
        ff::InputPtr input = ff::openInput(file.string());
        const int index = ff::firstAudioStream(input.get());
        if (index < 0) return std::nullopt;
        return streamEnd(input.get(), input->streams[index]);
    } catch (const MediaError&) {
        return std::nullopt;
    }
}

}  // namespace vt::media
