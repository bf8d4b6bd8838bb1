#include "audio/AudioCleaner.h"

#include "audio/CacheFile.h"
#include "audio/Leveler.h"
#include "audio/NoiseReducer.h"
#include "audio/PeakLimiter.h"
#include "audio/STFT.h"
#include "audio/SpeechMask.h"
#include "audio/VoiceEQ.h"
#include "model/DataRoot.h"
#include "platform/media/AudioFileReader.h"
#include "platform/media/AudioFileWriter.h"
#include "speech/TemporaryFile.h"
#include "speech/Transcriber.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <stdexcept>

namespace vt::AudioCleaner {

namespace {

constexpr int frameSize = 2048;
constexpr int hopSize = 512;
constexpr std::int64_t chunkFrames = 65'536;
// Frames whose centre lies this close to a word still count as speech when
// the noise is learned.
constexpr double pauseMargin = 0.12;
// A setting at or below this switches its stage off.
constexpr double offBelow = 0.01;

using Chunk = std::function<void(std::vector<float>& mono, std::int64_t position)>;

// Hands every chunk of the file, averaged to mono, to `body` with the
// reader's position after it. A read error throws (MediaError): the voice is
// never cut short silently.
void readMono(media::AudioFileReader& reader, const CancelToken& cancel, const Chunk& body)
{
    std::vector<float> mono;
    for (;;) {
        cancel.throwIfCancelled();
        const media::AudioBuffer buffer = reader.read(chunkFrames);
        const std::int64_t frames = buffer.frameLength();
        if (frames == 0) return;
        mono.assign(buffer.planes[0].begin(), buffer.planes[0].end());
        if (buffer.planes.size() >= 2) {
            for (std::size_t c = 1; c < buffer.planes.size(); ++c)
                for (std::int64_t i = 0; i < frames; ++i) mono[static_cast<std::size_t>(i)] += buffer.planes[c][static_cast<std::size_t>(i)];
            const float scale = 1.0f / static_cast<float>(buffer.planes.size());
            for (float& x : mono) x *= scale;
        }
        body(mono, reader.framePosition());
    }
}

// The cleaned voice between pass 2 and pass 3: raw floats in a temporary
// file, deleted on every exit.
class SampleFile {
public:
    SampleFile()
        : file_(std::filesystem::temp_directory_path() / (Uuid::random().text() + ".f32"))
    {
        stream_ = std::fopen(file_.path().c_str(), "w+b");
        if (!stream_) fail("Couldn't create a temporary audio file");
    }
    ~SampleFile()
    {
        if (stream_) std::fclose(stream_);
    }
    SampleFile(const SampleFile&) = delete;
    SampleFile& operator=(const SampleFile&) = delete;

    void append(const float* samples, std::size_t count)
    {
        if (count && std::fwrite(samples, sizeof(float), count, stream_) != count) fail("Couldn't write the temporary audio file");
        frames_ += static_cast<std::int64_t>(count);
    }
    void rewind()
    {
        if (std::fflush(stream_) != 0 || std::fseek(stream_, 0, SEEK_SET) != 0) fail("Couldn't read the temporary audio file");
    }
    // Up to `max` samples; empty at the end.
    std::vector<float> read(std::size_t max)
    {
        std::vector<float> out(max);
        const std::size_t got = std::fread(out.data(), sizeof(float), max, stream_);
        if (got < max && std::ferror(stream_)) fail("Couldn't read the temporary audio file");
        out.resize(got);
        return out;
    }
    std::int64_t frames() const { return frames_; }

private:
    speech::TemporaryFile file_;
    std::FILE* stream_ = nullptr;
    std::int64_t frames_ = 0;

    [[noreturn]] static void fail(const std::string& what) { throw std::runtime_error(what + ": " + std::strerror(errno)); }
};

// The plain RMS of the samples that fall in the speech (no margin).
struct SpeechMeter {
    const SpeechMask& mask;
    double rate;
    double sumOfSquares = 0;
    std::int64_t count = 0;

    void measure(const float* block, std::size_t size, std::int64_t written)
    {
        for (std::size_t j = 0; j < size; ++j) {
            if (!mask.contains(static_cast<double>(written + static_cast<std::int64_t>(j)) / rate)) continue;
            ++count;
            sumOfSquares += static_cast<double>(block[j] * block[j]);
        }
    }
};

void report(const Progress& progress, double fraction)
{
    if (progress) progress(fraction);
}

struct Analysis {
    double rate = 0;
    std::vector<float> noise;
    std::int64_t frames = 0;
};

// Pass 1: the noise profile of the EQ'd voice, from the frames between words.
Analysis analyze(const std::filesystem::path& input, const SpeechMask& mask, const AudioCleanup& settings, const Progress& progress,
                 const CancelToken& cancel)
{
    media::AudioFileReader reader(input);
    const double rate = reader.processingFormat().sampleRate;
    const double total = static_cast<double>(std::max<std::int64_t>(reader.length(), 1));
    VoiceEQ eq(rate, settings.voiceEQ);
    STFT stft(frameSize, hopSize);
    NoiseProfile profile(static_cast<std::size_t>(stft.half() + 1));
    Analysis out;
    out.rate = rate;
    readMono(reader, cancel, [&](std::vector<float>& mono, std::int64_t position) {
        eq.process(mono);
        stft.analyze(mono.data(), mono.size(), [&](const STFT::Spectrum& spectrum, std::int64_t start) {
            const double centre = static_cast<double>(start + frameSize / 2) / rate;
            profile.add(spectrum.power, !mask.contains(centre, pauseMargin));
        });
        out.frames = position;
        report(progress, 0.3 * std::min(static_cast<double>(position) / total, 1.0));
    });
    out.noise = profile.estimate();
    return out;
}

// Pass 2: EQ, noise reduction, leveler and the speech measurement, into the
// sample file, which ends up exactly `frames` long.
SpeechMeter cleanInto(SampleFile& cleaned, const std::filesystem::path& input, const SpeechMask& mask, const AudioCleanup& settings,
                      const Analysis& analysis, const Progress& progress, const CancelToken& cancel)
{
    media::AudioFileReader reader(input);
    const double rate = reader.processingFormat().sampleRate;
    const double total = static_cast<double>(std::max<std::int64_t>(analysis.frames, 1));
    VoiceEQ eq(rate, settings.voiceEQ);
    STFT stft(frameSize, hopSize);
    std::optional<NoiseReducer> reducer;
    if (settings.noiseReduction > offBelow) reducer.emplace(analysis.noise, settings.noiseReduction);
    std::optional<Leveler> leveler;
    if (settings.leveler > offBelow) leveler.emplace(settings.leveler, rate);
    SpeechMeter meter{mask, rate};
    const STFT::Step step = [&](const STFT::Spectrum& spectrum, std::int64_t) -> const std::vector<float>* {
        return reducer ? &reducer->gains(spectrum.power) : nullptr;
    };
    auto keep = [&](std::vector<float>& block) {
        if (block.empty()) return;
        if (leveler) leveler->process(block);
        meter.measure(block.data(), block.size(), cleaned.frames());
        cleaned.append(block.data(), block.size());
    };
    readMono(reader, cancel, [&](std::vector<float>& mono, std::int64_t position) {
        eq.process(mono);
        std::vector<float> block = stft.feed(mono, step);
        // A file that grew between the passes gives no more than pass 1 saw.
        block.resize(static_cast<std::size_t>(std::clamp<std::int64_t>(analysis.frames - cleaned.frames(), 0, static_cast<std::int64_t>(block.size()))));
        keep(block);
        report(progress, 0.3 + 0.5 * std::min(static_cast<double>(position) / total, 1.0));
    });
    std::vector<float> tail = stft.feed(std::vector<float>(frameSize, 0.0f), step);
    tail.resize(static_cast<std::size_t>(std::clamp<std::int64_t>(analysis.frames - cleaned.frames(), 0, static_cast<std::int64_t>(tail.size()))));
    keep(tail);
    if (cleaned.frames() != analysis.frames) throw std::runtime_error("The sound changed while it was being cleaned.");
    return meter;
}

// Pass 3: make-up gain and limiter. The limiter's output lags its input by
// lookahead − 1 samples: exactly that many are dropped from the front and
// pushed out with zeros at the end, so output sample k is the limited sample
// k and the track keeps the input's length, in line with the picture.
void finishInto(const Sink& sink, SampleFile& cleaned, double rate, float gain, const Progress& progress, const CancelToken& cancel)
{
    PeakLimiter limiter(rate, limiterCeiling);
    const std::int64_t lag = limiter.lookahead() - 1;
    std::int64_t skip = lag;
    const double total = static_cast<double>(std::max<std::int64_t>(cleaned.frames(), 1));
    std::int64_t position = 0;
    auto emit = [&](std::vector<float>& block) {
        for (float& x : block) x *= gain;
        limiter.process(block);
        const auto d = std::min<std::int64_t>(skip, static_cast<std::int64_t>(block.size()));
        skip -= d;
        if (static_cast<std::size_t>(d) < block.size()) sink(block.data() + d, block.size() - static_cast<std::size_t>(d));
    };
    cleaned.rewind();
    for (;;) {
        cancel.throwIfCancelled();
        std::vector<float> block = cleaned.read(chunkFrames);
        if (block.empty()) break;
        position += static_cast<std::int64_t>(block.size());
        emit(block);
        report(progress, 0.8 + 0.2 * std::min(static_cast<double>(position) / total, 1.0));
    }
    std::vector<float> flush(static_cast<std::size_t>(lag), 0.0f);
    emit(flush);
}

}  // namespace

std::filesystem::path cacheURL(const Uuid& clipID, const AudioCleanup& settings)
{
    return DataRoot::folder(DataRoot::cacheFolder) / (clipID.text() + "-" + settings.cacheKey() + ".m4a");
}

float makeUpGain(double sumOfSquares, std::int64_t count, bool normalize)
{
    if (!normalize) return 1;
    const double rms = count > 0 ? std::sqrt(sumOfSquares / static_cast<double>(count)) : 0.05;
    const double raw = rms > 0.00001 ? targetSpeechRMS / rms : targetSpeechRMS / 0.00001;
    return static_cast<float>(raw <= 0.25 ? 0.25 : std::min(raw, 10.0));
}

Outcome clean(const std::filesystem::path& input, const std::vector<ClosedRange<double>>& speech, const AudioCleanup& settings,
              const Sink& sink, const Progress& progress, const CancelToken& cancel)
{
    const SpeechMask mask{speech};
    const Analysis analysis = analyze(input, mask, settings, progress, cancel);
    const auto rate = static_cast<int>(analysis.rate);
    SampleFile cleaned;
    const SpeechMeter meter = cleanInto(cleaned, input, mask, settings, analysis, progress, cancel);
    const float gain = makeUpGain(meter.sumOfSquares, meter.count, settings.normalize);
    std::int64_t frames = 0;
    finishInto(
        [&](const float* samples, std::size_t count) {
            frames += static_cast<std::int64_t>(count);
            sink(samples, count);
        },
        cleaned, rate, gain, progress, cancel);
    report(progress, 1);
    return {rate, frames, gain};
}

void run(const std::filesystem::path& input, const std::vector<ClosedRange<double>>& speech, const AudioCleanup& settings,
         const std::filesystem::path& output, const Progress& progress, const CancelToken& cancel)
{
    const int rate = media::AudioFileReader(input).processingFormat().sampleRate;
    CacheFile file(output);
    media::AudioFileWriter writer(file.temporary(), media::AudioFileWriter::Kind::aacM4A, {rate, 1});
    clean(input, speech, settings, [&](const float* samples, std::size_t count) { writer.writeMono(samples, static_cast<std::int64_t>(count)); },
          progress, cancel);
    writer.finish();
    file.commit();
}

void process(const std::filesystem::path& videoURL, const std::vector<ClosedRange<double>>& speech, const AudioCleanup& settings,
             const std::filesystem::path& destination, const Progress& progress, const CancelToken& cancel)
{
    const speech::TemporaryFile extracted(Transcriber::extractAudio(videoURL, cancel));
    run(extracted.path(), speech, settings, destination, progress, cancel);
}

}  // namespace vt::AudioCleaner
