#include "export/Exporter.h"

#include "export/FramePipeline.h"
#include "platform/media/MediaError.h"
#include "platform/media/MediaWriter.h"
#include "speech/CaptionError.h"

#include <malloc.h>

#include <algorithm>
#include <cmath>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace vt::Exporter {

namespace {

constexpr std::int64_t kAudioChunk = 4800;  // 0.1 s at 48 kHz

// Shared by the two pumps and the cancellation handler.
class ExportJob {
public:
    void cancel()
    {
        std::lock_guard guard(lock_);
        isCancelled_ = true;
    }
    void fail(std::string message)
    {
        std::lock_guard guard(lock_);
        if (!didFail_) failure_ = message.empty() ? "Rendering stopped." : std::move(message);
        didFail_ = true;
    }
    // True while both pumps may go on.
    bool running() const
    {
        std::lock_guard guard(lock_);
        return !isCancelled_ && !didFail_;
    }
    bool isCancelled() const
    {
        std::lock_guard guard(lock_);
        return isCancelled_;
    }
    std::optional<std::string> failure() const
    {
        std::lock_guard guard(lock_);
        return didFail_ ? std::optional(failure_) : std::nullopt;
    }

    // Runs one pump, turning whatever it throws into the job's failure.
    template <class Body>
    void pump(Body body)
    {
        try {
            body();
        } catch (const std::exception& e) {
            fail(e.what());
        } catch (...) {
            fail({});
        }
    }

private:
    mutable std::mutex lock_;
    bool isCancelled_ = false;
    bool didFail_ = false;
    std::string failure_;
};

// Hands the pages of freed memory back to the system when an export starts
// and when it ends. Big blocks freed by earlier work (the frames of a
// thumbnail search, say) stay with the allocator, scattered between blocks
// still in use, and the export's threads do not reuse them: its peak would
// stack on top of them. Its own frames, freed at the end, would likewise
// keep the program at the export's peak for as long as it runs.
class FreedMemoryReleased {
public:
    FreedMemoryReleased() { malloc_trim(0); }
    ~FreedMemoryReleased() { malloc_trim(0); }
    FreedMemoryReleased(const FreedMemoryReleased&) = delete;
    FreedMemoryReleased& operator=(const FreedMemoryReleased&) = delete;
};

media::VideoEncoding encodingOf(const ExportSettings::Resolved& s)
{
    return {static_cast<int>(s.size.width), static_cast<int>(s.size.height), static_cast<int>(std::lround(s.fps)),
            static_cast<std::int64_t>(s.bitrateMbps * 1'000'000),
            s.codec == VideoCodec::hevc ? media::WriterCodec::hevc : media::WriterCodec::h264, s.hdr};
}

void pumpVideo(ExportJob& job, media::MediaWriter& writer, ComposedVideo& video,
               const ExportSettings::Resolved& settings, const Progress& progress, int composeWorkers)
{
    const double duration = video.duration();
    FramePipeline::Plan plan;
    plan.fps = std::max(std::round(settings.fps), 1.0);
    plan.frames = static_cast<std::int64_t>(std::ceil(std::max(duration, 0.0) * plan.fps - 1e-6));
    plan.size = QSize(static_cast<int>(settings.size.width), static_cast<int>(settings.size.height));
    plan.hdr = settings.hdr;
    plan.workers = composeWorkers > 0 ? composeWorkers : FramePipeline::defaultWorkers();
    plan.depth = FramePipeline::depthFor(plan.workers);
    FramePipeline frames(video, plan, writer);
    while (job.running()) {
        auto frame = frames.next();
        if (!frame) break;
        if (progress) progress(std::min(frame->time / std::max(duration, 0.01), 0.999));
        writer.writeVideo(std::move(frame->picture));
    }
}

// Returns the number of audio frames written.
std::int64_t pumpAudio(ExportJob& job, media::MediaWriter& writer, MixedAudio& audio,
                       const std::function<void(std::int64_t)>& onChunk = {})
{
    std::int64_t written = 0;
    while (job.running()) {
        media::AudioBuffer chunk = audio.read(kAudioChunk);
        if (chunk.frameLength() == 0) break;
        writer.writeAudio(chunk);
        written += chunk.frameLength();
        if (onChunk) onChunk(written);
    }
    return written;
}

// Completes the file unless the job was cancelled or failed; the writer
// removes its partial file in those cases when it goes away.
void conclude(ExportJob& job, media::MediaWriter& writer, const Progress& progress)
{
    if (job.isCancelled()) throw CancellationError();
    if (auto failure = job.failure()) throw CaptionError::exportFailed(*failure);
    try {
        writer.finish();
    } catch (const media::MediaError& e) {
        throw CaptionError::exportFailed(e.what());
    }
    if (progress) progress(1.0);
}

std::unique_ptr<media::MediaWriter> openWriter(const std::filesystem::path& to, media::WriterContainer container,
                                               std::optional<media::VideoEncoding> video, bool withAudio)
{
    try {
        return std::make_unique<media::MediaWriter>(to, container, video, withAudio);
    } catch (const media::MediaError& e) {
        throw CaptionError::exportFailed(e.what());
    }
}

}  // namespace

void exportVideo(ComposedVideo& video, MixedAudio* audio, const ExportSettings::Resolved& settings,
                 const std::filesystem::path& to, const Progress& progress, const CancelToken& cancel,
                 int composeWorkers)
{
    cancel.throwIfCancelled();
    const FreedMemoryReleased released;
    const bool withAudio = audio && audio->hasAudio();
    auto writer = openWriter(to, media::WriterContainer::mp4, encodingOf(settings), withAudio);
    ExportJob job;
    auto registration = cancel.onCancel([&job] { job.cancel(); });
    {
        std::jthread videoPump(
            [&] { job.pump([&] { pumpVideo(job, *writer, video, settings, progress, composeWorkers); }); });
        std::optional<std::jthread> audioPump;
        if (withAudio) audioPump.emplace([&] { job.pump([&] { pumpAudio(job, *writer, *audio); }); });
    }  // both pumps joined
    conclude(job, *writer, progress);
}

void exportAudio(MixedAudio& audio, const std::filesystem::path& to, const Progress& progress,
                 const CancelToken& cancel)
{
    if (!audio.hasAudio()) throw CaptionError::noAudioTrack();
    cancel.throwIfCancelled();
    const FreedMemoryReleased released;
    auto writer = openWriter(to, media::WriterContainer::m4a, std::nullopt, true);
    ExportJob job;
    auto registration = cancel.onCancel([&job] { job.cancel(); });
    const double total = std::max(audio.duration(), 0.01) * media::MediaWriter::audioFormat().sampleRate;
    {
        std::jthread audioPump([&] {
            job.pump([&] {
                pumpAudio(job, *writer, audio, [&](std::int64_t written) {
                    if (progress) progress(std::min(static_cast<double>(written) / total, 0.999));
                });
            });
        });
    }
    conclude(job, *writer, progress);
}

}  // namespace vt::Exporter
