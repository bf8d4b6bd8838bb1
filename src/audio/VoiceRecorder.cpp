#include "audio/VoiceRecorder.h"

#include "model/DataRoot.h"
#include "platform/media/AudioConverter.h"
#include "platform/media/AudioFileWriter.h"
#include "platform/media/MediaError.h"

#include <chrono>
#include <cmath>
#include <mutex>

namespace vt {

namespace {

constexpr media::AudioFormat takeFormat{48'000, 1};
constexpr std::int64_t takeBitRate = 160'000;
constexpr float silenceDB = -160;

std::string fileName(const Uuid& projectID)
{
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch()).count();
    return projectID.text() + "-" + std::to_string(seconds) + ".m4a";
}

}  // namespace

// One take: the encoder and the meter, fed by the source's thread.
struct VoiceRecorder::Take {
    explicit Take(const std::filesystem::path& file) : writer(file, media::AudioFileWriter::Kind::aacM4A, takeFormat, takeBitRate) {}

    std::unique_ptr<SoundSource> source;
    mutable std::mutex lock;
    // ---- guarded by `lock` ----
    media::AudioFileWriter writer;
    std::unique_ptr<media::AudioConverter> converter;
    double sumOfSquares = 0;
    std::int64_t meterCount = 0;
    bool failed = false;

    void receive(const media::AudioBuffer& block)
    {
        std::lock_guard guard(lock);
        if (failed || block.frameLength() == 0) return;
        try {
            if (block.format == takeFormat) {
                add(block.planes[0]);
                return;
            }
            if (!converter || converter->inputFormat() != block.format)
                converter = std::make_unique<media::AudioConverter>(block.format, takeFormat);
            const media::AudioBuffer converted = converter->convert(block, converter->maxOutputFrames(block.frameLength()));
            if (converted.frameLength() > 0) add(converted.planes[0]);
        } catch (const media::MediaError&) {
            failed = true;  // the take cannot be completed; stop() reports it
        }
    }

    void add(const std::vector<float>& mono)
    {
        writer.writeMono(mono.data(), static_cast<std::int64_t>(mono.size()));
        for (float x : mono) sumOfSquares += double(x) * x;
        meterCount += static_cast<std::int64_t>(mono.size());
    }
};

VoiceRecorder::VoiceRecorder(SourceFactory makeSource) : makeSource_(std::move(makeSource)) {}

VoiceRecorder::~VoiceRecorder() { stop(); }

std::filesystem::path VoiceRecorder::directory() { return DataRoot::folder(DataRoot::voiceoversFolder); }

bool VoiceRecorder::canOpenInput() const
{
    const std::unique_ptr<SoundSource> source = makeSource_ ? makeSource_() : nullptr;
    if (!source || !source->start([](const media::AudioBuffer&) {})) return false;
    source->stop();
    return true;
}

bool VoiceRecorder::start(const Uuid& projectID)
{
    const std::filesystem::path file = directory() / fileName(projectID);
    std::unique_ptr<Take> take;
    try {
        take = std::make_unique<Take>(file);
    } catch (const media::MediaError&) {
        return false;
    }
    take->source = makeSource_ ? makeSource_() : nullptr;
    Take* receiver = take.get();
    if (!take->source || !take->source->start([receiver](const media::AudioBuffer& b) { receiver->receive(b); }))
        return false;  // the unfinished writer deletes its file
    if (take_) take_->source->stop();  // a take still running is left unfinished
    take_ = std::move(take);
    url_ = file;
    averagePower_ = silenceDB;
    return true;
}

std::optional<std::filesystem::path> VoiceRecorder::stop()
{
    if (!take_) return url_;
    take_->source->stop();
    std::unique_ptr<Take> take = std::move(take_);
    std::lock_guard guard(take->lock);
    try {
        if (take->failed) throw media::MediaError("the take could not be recorded");
        if (take->converter)
            for (media::AudioBuffer rest = take->converter->flush(4096); rest.frameLength() > 0; rest = take->converter->flush(4096))
                take->add(rest.planes[0]);
        take->writer.finish();
    } catch (const media::MediaError&) {
        url_.reset();  // the writer deletes the unfinished file
        return std::nullopt;
    }
    return url_;
}

void VoiceRecorder::discard()
{
    if (take_) {
        take_->source->stop();
        take_.reset();  // unfinished: the writer deletes its file
    }
    url_.reset();
}

bool VoiceRecorder::isRecording() const { return take_ != nullptr; }

void VoiceRecorder::updateMeters()
{
    if (!take_) return;
    std::lock_guard guard(take_->lock);
    averagePower_ = take_->meterCount > 0 ? static_cast<float>(10 * std::log10(std::max(take_->sumOfSquares / double(take_->meterCount), 1e-16)))
                                          : silenceDB;
    take_->sumOfSquares = 0;
    take_->meterCount = 0;
}

double VoiceRecorder::currentTime() const
{
    if (!take_) return 0;
    std::lock_guard guard(take_->lock);
    return double(take_->writer.framesWritten()) / takeFormat.sampleRate;
}

}  // namespace vt
