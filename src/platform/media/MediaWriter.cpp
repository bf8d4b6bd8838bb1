#include "platform/media/MediaWriter.h"

#include "platform/media/FFmpeg.h"

extern "C" {
#include <libswscale/swscale.h>
}

#include <mutex>
#include <random>
#include <string>
#include <system_error>
#include <vector>

namespace vt::media {

namespace {

constexpr int kAudioRate = 48'000;
constexpr int kAudioChannels = 2;
constexpr std::int64_t kAudioBitsPerSecond = 192'000;

struct OutputCloser {
    void operator()(AVFormatContext* c) const
    {
        if (c->pb) avio_closep(&c->pb);
        avformat_free_context(c);
    }
};
using OutputPtr = std::unique_ptr<AVFormatContext, OutputCloser>;

struct ScalerFreer {
    void operator()(SwsContext* s) const { sws_freeContext(s); }
};

std::filesystem::path temporaryBeside(const std::filesystem::path& target)
{
    std::random_device seed;
    std::string suffix = std::to_string(std::uniform_int_distribution<unsigned>(0, 0xFFFFFF)(seed));
    // Hidden and without the target's extension, so a leftover from a crash
    // is never mistaken for an export.
    return target.parent_path() / ("." + target.filename().string() + ".partial-" + suffix);
}

void setColourTags(AVCodecContext* c, bool hdr)
{
    c->color_range = AVCOL_RANGE_MPEG;
    if (hdr) {
        c->color_primaries = AVCOL_PRI_BT2020;
        c->color_trc = AVCOL_TRC_ARIB_STD_B67;  // HLG
        c->colorspace = AVCOL_SPC_BT2020_NCL;
    } else {
        c->color_primaries = AVCOL_PRI_BT709;
        c->color_trc = AVCOL_TRC_BT709;
        c->colorspace = AVCOL_SPC_BT709;
    }
}

// Full-range 8-bit R'G'B' (premultiplied: the picture over black, as the
// encoder is given it) to video-range BT.709 Y'CbCr 4:2:0, chroma from the
// mean of each 2 × 2 block: what the library's converter computes for these
// formats, several times faster, as the loops run in fixed blocks that the
// compiler turns into vector code. Coefficients in 16-bit fixed point.
namespace bt709 {

constexpr int kShift = 16;
constexpr std::int32_t kYR = 11966, kYG = 40254, kYB = 4064;    // 219/255 × (0.2126, 0.7152, 0.0722)
constexpr std::int32_t kUR = -6596, kUG = -22189, kUB = 28784;  // 224/255 × (-0.1146, -0.3854, 0.5)
constexpr std::int32_t kVR = 28784, kVG = -26145, kVB = -2639;  // 224/255 × (0.5, -0.4542, -0.0458)
constexpr int kBlock = 16;

inline std::uint8_t luma(std::uint32_t bgra)
{
    const std::int32_t b = bgra & 255, g = (bgra >> 8) & 255, r = (bgra >> 16) & 255;
    return static_cast<std::uint8_t>((kYR * r + kYG * g + kYB * b + (16 << kShift) + (1 << (kShift - 1))) >> kShift);
}

// The luma of two rows, and the column sums of their colour: blue and red
// side by side in the two halves of `blueRed`, green in `green`.
// The row loops get an AVX2 copy picked at load time. A thread-sanitized
// build does without: the picking function would be instrumented and run
// before the sanitizer's runtime is ready, crashing the program at load.
#if defined(__SANITIZE_THREAD__)
#define VT_WIDE_CLONES
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define VT_WIDE_CLONES
#endif
#endif
#ifndef VT_WIDE_CLONES
#define VT_WIDE_CLONES [[gnu::target_clones("avx2", "default")]]
#endif

inline void pixelPair(std::uint32_t top, std::uint32_t bottom, std::uint8_t* __restrict yTop,
                      std::uint8_t* __restrict yBottom, std::uint32_t* __restrict blueRed, std::uint32_t* __restrict green)
{
    *yTop = luma(top);
    *yBottom = luma(bottom);
    *blueRed = (top & 0xFF00FF) + (bottom & 0xFF00FF);
    *green = ((top >> 8) & 255) + ((bottom >> 8) & 255);
}

VT_WIDE_CLONES void rowPair(const std::uint32_t* __restrict top,
                                                       const std::uint32_t* __restrict bottom,
                                                       std::uint8_t* __restrict yTop, std::uint8_t* __restrict yBottom,
                                                       std::uint32_t* __restrict blueRed,
                                                       std::uint32_t* __restrict green, int width)
{
    int x = 0;
    for (; x + kBlock <= width; x += kBlock)
        for (int i = 0; i < kBlock; ++i)
            pixelPair(top[x + i], bottom[x + i], yTop + x + i, yBottom + x + i, blueRed + x + i, green + x + i);
    for (; x < width; ++x) pixelPair(top[x], bottom[x], yTop + x, yBottom + x, blueRed + x, green + x);
}

// One chroma sample from the column sums of a 2 × 2 block.
inline void chroma(std::uint32_t blueRed0, std::uint32_t blueRed1, std::uint32_t green0, std::uint32_t green1,
                   std::uint8_t* __restrict u, std::uint8_t* __restrict v)
{
    const std::uint32_t blueRed = blueRed0 + blueRed1;
    const std::int32_t bs = std::int32_t(blueRed & 0xFFFF), rs = std::int32_t(blueRed >> 16);
    const std::int32_t gs = std::int32_t(green0 + green1);
    constexpr int shift = kShift + 2;  // the sums are of four pixels
    *u = static_cast<std::uint8_t>((kUR * rs + kUG * gs + kUB * bs + (128 << shift) + (1 << (shift - 1))) >> shift);
    *v = static_cast<std::uint8_t>((kVR * rs + kVG * gs + kVB * bs + (128 << shift) + (1 << (shift - 1))) >> shift);
}

VT_WIDE_CLONES void chromaRow(const std::uint32_t* __restrict blueRed,
                                                         const std::uint32_t* __restrict green,
                                                         std::uint8_t* __restrict u, std::uint8_t* __restrict v,
                                                         int halfWidth)
{
    int x = 0;
    for (; x + kBlock <= halfWidth; x += kBlock)
        for (int i = 0; i < kBlock; ++i)
            chroma(blueRed[2 * (x + i)], blueRed[2 * (x + i) + 1], green[2 * (x + i)], green[2 * (x + i) + 1], u + x + i,
                   v + x + i);
    for (; x < halfWidth; ++x) chroma(blueRed[2 * x], blueRed[2 * x + 1], green[2 * x], green[2 * x + 1], u + x, v + x);
}

// `frame` is 8-bit BGRA of the picture's even size, rows 4-byte aligned;
// `scratch` holds two rows of column sums.
void convert(const FrameView& frame, AVFrame* picture, std::vector<std::uint32_t>& scratch)
{
    const auto row = [&](int y) {
        return reinterpret_cast<const std::uint32_t*>(frame.pixels + std::ptrdiff_t(y) * frame.bytesPerLine);
    };
    const auto plane = [&](int p, int y) { return picture->data[p] + std::ptrdiff_t(y) * picture->linesize[p]; };
    scratch.resize(2 * std::size_t(frame.width));
    std::uint32_t* blueRed = scratch.data();
    std::uint32_t* green = blueRed + frame.width;
    for (int y = 0; y < frame.height; y += 2) {
        rowPair(row(y), row(y + 1), plane(0, y), plane(0, y + 1), blueRed, green, frame.width);
        chromaRow(blueRed, green, plane(1, y / 2), plane(2, y / 2), frame.width / 2);
    }
}

}  // namespace bt709

}  // namespace

struct EncoderPicture::Frame {
    ff::FramePtr frame;
};

EncoderPicture::EncoderPicture(std::unique_ptr<Frame> frame) : frame_(std::move(frame)) {}
EncoderPicture::EncoderPicture(EncoderPicture&&) noexcept = default;
EncoderPicture& EncoderPicture::operator=(EncoderPicture&&) noexcept = default;
EncoderPicture::~EncoderPicture() = default;

struct PictureConverter::Impl {
    int width = 0;
    int height = 0;
    AVPixelFormat format = AV_PIX_FMT_YUV420P;
    bool hdr = false;
    std::unique_ptr<SwsContext, ScalerFreer> scaler;
    int fromWidth = 0;
    int fromHeight = 0;
    AVPixelFormat from = AV_PIX_FMT_NONE;
    std::vector<std::uint32_t> scratch;

    // Made again only when the incoming pictures change size or layout.
    SwsContext* scalerFor(const FrameView& frame)
    {
        const AVPixelFormat layout = frame.layout == FrameView::Layout::bgra8 ? AV_PIX_FMT_BGRA : AV_PIX_FMT_RGBA64LE;
        if (scaler && frame.width == fromWidth && frame.height == fromHeight && layout == from) return scaler.get();
        scaler.reset(sws_getContext(frame.width, frame.height, layout, width, height, format, SWS_BILINEAR, nullptr,
                                    nullptr, nullptr));
        if (!scaler) throw MediaError("Couldn't convert the picture.");
        // Full-range RGB in, video-range YCbCr out with the track's own matrix.
        const int matrix = hdr ? SWS_CS_BT2020 : SWS_CS_ITU709;
        sws_setColorspaceDetails(scaler.get(), sws_getCoefficients(SWS_CS_DEFAULT), 1, sws_getCoefficients(matrix), 0, 0,
                                 1 << 16, 1 << 16);
        fromWidth = frame.width;
        fromHeight = frame.height;
        from = layout;
        return scaler.get();
    }
};

PictureConverter::PictureConverter(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
PictureConverter::PictureConverter(PictureConverter&&) noexcept = default;
PictureConverter::~PictureConverter() = default;

EncoderPicture PictureConverter::convert(const FrameView& frame)
{
    auto& d = *impl_;
    if (!frame.pixels || frame.width < 1 || frame.height < 1) throw MediaError("Couldn't convert the picture.");
    // A new buffer for every picture: the encoder may still hold earlier ones.
    ff::FramePtr picture = ff::makeFrame();
    picture->format = d.format;
    picture->width = d.width;
    picture->height = d.height;
    ff::check(av_frame_get_buffer(picture.get(), 0), "out of memory");
    const bool direct = !d.hdr && d.format == AV_PIX_FMT_YUV420P && frame.layout == FrameView::Layout::bgra8 &&
                        frame.width == d.width && frame.height == d.height && frame.width % 2 == 0 &&
                        frame.height % 2 == 0 && frame.bytesPerLine % 4 == 0;
    if (direct) {
        bt709::convert(frame, picture.get(), d.scratch);
        return EncoderPicture(std::make_unique<EncoderPicture::Frame>(EncoderPicture::Frame{std::move(picture)}));
    }
    SwsContext* scaler = d.scalerFor(frame);
    const std::uint8_t* planes[1] = {frame.pixels};
    const int strides[1] = {frame.bytesPerLine};
    sws_scale(scaler, planes, strides, 0, frame.height, picture->data, picture->linesize);
    return EncoderPicture(std::make_unique<EncoderPicture::Frame>(EncoderPicture::Frame{std::move(picture)}));
}

struct MediaWriter::Impl {
    std::filesystem::path target;
    std::filesystem::path temporary;
    OutputPtr output;
    std::mutex muxLock;  // guards `output` while packets of both streams are written
    bool finished = false;

    struct Track {
        ff::CodecPtr encoder;
        AVStream* stream = nullptr;
        std::int64_t nextPts = 0;
    };

    // Owned by the video thread.
    std::optional<Track> video;
    std::optional<VideoEncoding> videoEncoding;
    std::optional<PictureConverter> converter;  // for pictures handed over unconverted

    // Owned by the audio thread.
    std::optional<Track> audio;
    ff::FifoPtr fifo;

    void openVideo(const VideoEncoding& e)
    {
        const bool hevc = e.hdr || e.codec == WriterCodec::hevc;
        const AVCodec* codec = avcodec_find_encoder_by_name(hevc ? "libx265" : "libx264");
        if (!codec) throw MediaError(hevc ? "No HEVC encoder is available." : "No H.264 encoder is available.");
        Track t;
        t.encoder.reset(avcodec_alloc_context3(codec));
        if (!t.encoder) throw MediaError("out of memory");
        AVCodecContext* c = t.encoder.get();
        c->width = e.width;
        c->height = e.height;
        c->time_base = AVRational{1, e.fps};
        c->framerate = AVRational{e.fps, 1};
        c->pix_fmt = e.hdr ? AV_PIX_FMT_YUV420P10LE : AV_PIX_FMT_YUV420P;
        c->bit_rate = e.bitsPerSecond;
        c->gop_size = e.fps * 2;  // a key frame at least every two seconds
        c->thread_count = 0;      // as many encoder threads as the machine has
        c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        setColourTags(c, e.hdr);
        AVDictionary* options = nullptr;
        if (hevc) {
            av_dict_set(&options, "profile", e.hdr ? "main10" : "main", 0);
            av_dict_set(&options, "x265-params", "log-level=none", 0);
        } else {
            av_dict_set(&options, "profile", "high", 0);
            av_dict_set(&options, "coder", "cabac", 0);
        }
        int code = avcodec_open2(c, codec, &options);
        av_dict_free(&options);
        ff::check(code, "The encoder doesn't support these settings");
        t.stream = newStream(c);
        if (hevc) t.stream->codecpar->codec_tag = MKTAG('h', 'v', 'c', '1');
        t.stream->avg_frame_rate = c->framerate;
        video = std::move(t);
        videoEncoding = e;
    }

    void openAudio()
    {
        const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_AAC);
        if (!codec) throw MediaError("No AAC encoder is available.");
        Track t;
        t.encoder.reset(avcodec_alloc_context3(codec));
        if (!t.encoder) throw MediaError("out of memory");
        AVCodecContext* c = t.encoder.get();
        av_channel_layout_default(&c->ch_layout, kAudioChannels);
        c->sample_rate = kAudioRate;
        c->sample_fmt = AV_SAMPLE_FMT_FLTP;
        c->bit_rate = kAudioBitsPerSecond;
        c->time_base = AVRational{1, kAudioRate};
        c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        ff::check(avcodec_open2(c, codec, nullptr), "Couldn't start the AAC encoder");
        t.stream = newStream(c);
        audio = std::move(t);
        fifo.reset(av_audio_fifo_alloc(AV_SAMPLE_FMT_FLTP, kAudioChannels, c->frame_size * 4));
        if (!fifo) throw MediaError("out of memory");
    }

    AVStream* newStream(const AVCodecContext* encoder)
    {
        AVStream* stream = avformat_new_stream(output.get(), nullptr);
        if (!stream) throw MediaError("Couldn't create the file.");
        ff::check(avcodec_parameters_from_context(stream->codecpar, encoder), "Couldn't create the file");
        stream->time_base = encoder->time_base;
        return stream;
    }

    // Sends one frame (null drains) and muxes whatever packets come out.
    void encode(Track& track, const AVFrame* frame)
    {
        ff::check(avcodec_send_frame(track.encoder.get(), frame), "Couldn't encode");
        ff::PacketPtr packet = ff::makePacket();
        for (;;) {
            int code = avcodec_receive_packet(track.encoder.get(), packet.get());
            if (code == AVERROR(EAGAIN) || code == AVERROR_EOF) return;
            ff::check(code, "Couldn't encode");
            av_packet_rescale_ts(packet.get(), track.encoder->time_base, track.stream->time_base);
            packet->stream_index = track.stream->index;
            std::lock_guard guard(muxLock);
            ff::check(av_interleaved_write_frame(output.get(), packet.get()), "Couldn't write the file");
        }
    }

    void encodeFifo(bool final)
    {
        AVCodecContext* c = audio->encoder.get();
        while (av_audio_fifo_size(fifo.get()) >= c->frame_size || (final && av_audio_fifo_size(fifo.get()) > 0)) {
            const int frames = std::min(av_audio_fifo_size(fifo.get()), c->frame_size);
            ff::FramePtr frame = ff::makeFrame();
            frame->nb_samples = frames;
            frame->format = AV_SAMPLE_FMT_FLTP;
            frame->sample_rate = kAudioRate;
            av_channel_layout_copy(&frame->ch_layout, &c->ch_layout);
            ff::check(av_frame_get_buffer(frame.get(), 0), "out of memory");
            ff::check(av_audio_fifo_read(fifo.get(), reinterpret_cast<void**>(frame->data), frames), "Couldn't buffer audio");
            frame->pts = audio->nextPts;
            audio->nextPts += frames;
            encode(*audio, frame.get());
        }
    }
};

AudioFormat MediaWriter::audioFormat() { return {kAudioRate, kAudioChannels}; }

MediaWriter::MediaWriter(std::filesystem::path target, WriterContainer container,
                         std::optional<VideoEncoding> video, bool withAudio)
    : impl_(std::make_unique<Impl>())
{
    ff::silenceLibraryLog();
    impl_->target = std::move(target);
    impl_->temporary = temporaryBeside(impl_->target);
    AVFormatContext* raw = nullptr;
    const char* format = container == WriterContainer::m4a ? "ipod" : "mp4";
    ff::check(avformat_alloc_output_context2(&raw, nullptr, format, impl_->temporary.c_str()), "Couldn't create the file");
    impl_->output.reset(raw);
    try {
        if (video) impl_->openVideo(*video);
        if (withAudio) impl_->openAudio();
        if (!video && !withAudio) throw MediaError("Nothing to write.");
        ff::check(avio_open(&impl_->output->pb, impl_->temporary.c_str(), AVIO_FLAG_WRITE),
                  "Couldn't start writing the file");
        ff::check(avformat_write_header(impl_->output.get(), nullptr), "Couldn't start writing the file");
    } catch (...) {
        // The destructor does not run for a constructor that throws.
        impl_->output.reset();
        std::error_code ignored;
        std::filesystem::remove(impl_->temporary, ignored);
        throw;
    }
}

MediaWriter::~MediaWriter()
{
    if (impl_->finished) return;
    impl_->output.reset();
    std::error_code ignored;
    std::filesystem::remove(impl_->temporary, ignored);
}

void MediaWriter::writeVideo(const FrameView& frame)
{
    auto& d = *impl_;
    if (!d.converter) d.converter.emplace(pictureConverter());
    writeVideo(d.converter->convert(frame));
}

void MediaWriter::writeVideo(EncoderPicture picture)
{
    auto& d = *impl_;
    if (!d.video) throw MediaError("This file has no video track.");
    AVFrame* frame = picture.frame_->frame.get();
    AVCodecContext* c = d.video->encoder.get();
    if (frame->width != c->width || frame->height != c->height || frame->format != c->pix_fmt)
        throw MediaError("The picture was converted for another writer.");
    frame->pts = d.video->nextPts++;
    d.encode(*d.video, frame);
}

PictureConverter MediaWriter::pictureConverter() const
{
    const auto& d = *impl_;
    if (!d.video) throw MediaError("This file has no video track.");
    auto converter = std::make_unique<PictureConverter::Impl>();
    converter->width = d.videoEncoding->width;
    converter->height = d.videoEncoding->height;
    converter->format = d.video->encoder->pix_fmt;
    converter->hdr = d.videoEncoding->hdr;
    return PictureConverter(std::move(converter));
}

void MediaWriter::writeAudio(const AudioBuffer& audio)
{
    auto& d = *impl_;
    if (!d.audio) throw MediaError("This file has no audio track.");
    if (audio.format != audioFormat()) throw MediaError("Audio must be 48 kHz stereo.");
    if (audio.frameLength() == 0) return;
    std::vector<void*> planes;
    for (const auto& p : audio.planes) planes.push_back(const_cast<float*>(p.data()));
    ff::check(av_audio_fifo_write(d.fifo.get(), planes.data(), static_cast<int>(audio.frameLength())),
              "Couldn't buffer audio");
    d.encodeFifo(false);
}

void MediaWriter::finish()
{
    auto& d = *impl_;
    if (d.video) d.encode(*d.video, nullptr);
    if (d.audio) {
        d.encodeFifo(true);
        d.encode(*d.audio, nullptr);
    }
    ff::check(av_write_trailer(d.output.get()), "Writing the file failed");
    ff::check(avio_closep(&d.output->pb), "Writing the file failed");
    std::error_code error;
    std::filesystem::rename(d.temporary, d.target, error);
    if (error) throw MediaError("Couldn't move the file into place: " + error.message());
    d.finished = true;
}

std::int64_t MediaWriter::videoFramesWritten() const { return impl_->video ? impl_->video->nextPts : 0; }

}  // namespace vt::media
