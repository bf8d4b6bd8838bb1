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
#include <fcntl.h>
#include <unistd.h>
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

// The voice between the passes, as raw floats in a temporary file deleted on
// every exit: pass 1 stores the decoded mono sound, pass 2 overwrites it with
// the cleaned sound (its output lags its input, so it never overwrites what
// it has still to read), pass 3 reads it back. The clip is decoded once.
class SampleFile {
public:
    SampleFile() : file_(std::filesystem::temp_directory_path() / (Uuid::random().text() + ".f32"))
    {
        fd_ = ::open(file_.path().c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd_ < 0) fail("Couldn't create a temporary audio file");
    }
    ~SampleFile()
    {
        if (fd_ >= 0) ::close(fd_);
    }
    SampleFile(const SampleFile&) = delete;
    SampleFile& operator=(const SampleFile&) = delete;

    void write(std::int64_t at, const float* samples, std::size_t count)
    {
        transfer(::pwrite, const_cast<float*>(samples), count, at, "Couldn't write the temporary audio file");
        frames_ = std::max(frames_, at + static_cast<std::int64_t>(count));
    }
    void append(const std::vector<float>& samples) { write(frames_, samples.data(), samples.size()); }
    // Up to `max` samples from `at`; fewer only at the end.
    std::vector<float> read(std::int64_t at, std::int64_t max)
    {
        std::vector<float> out(static_cast<std::size_t>(std::clamp<std::int64_t>(frames_ - at, 0, max)));
        transfer(::pread, out.data(), out.size(), at, "Couldn't read the temporary audio file");
        return out;
    }
    std::int64_t frames() const { return frames_; }

private:
    speech::TemporaryFile file_;
    int fd_ = -1;
    std::int64_t frames_ = 0;

    [[noreturn]] static void fail(const std::string& what) { throw std::runtime_error(what + ": " + std::strerror(errno)); }

    // pread or pwrite of `count` samples at sample `at`, however many calls it takes.
    template <class Call>
    void transfer(Call call, float* samples, std::size_t count, std::int64_t at, const char* failure)
    {
        auto* bytes = reinterpret_cast<char*>(samples);
        std::size_t left = count * sizeof(float);
        auto offset = static_cast<off_t>(at * static_cast<std::int64_t>(sizeof(float)));
        while (left > 0) {
            const ssize_t done = call(fd_, bytes, left, offset);
            if (done <= 0) fail(failure);
            bytes += done;
            left -= static_cast<std::size_t>(done);
            offset += done;
        }
    }
};

// The plain RMS of the samples that fall in the speech (no margin). Samples
// come in order, so one pass along the merged ranges finds them.
struct SpeechMeter {
    const SpeechMask& mask;
    double rate;
    double sumOfSquares = 0;
    std::int64_t count = 0;
    std::size_t range = 0;  // the first range that does not end before the last sample

    void measure(const float* block, std::size_t size, std::int64_t written)
    {
        const auto& ranges = mask.ranges;
        for (std::size_t j = 0; j < size; ++j) {
            const double t = static_cast<double>(written + static_cast<std::int64_t>(j)) / rate;
            while (range < ranges.size() && ranges[range].upper < t) ++range;
            if (range == ranges.size() || t < ranges[range].lower) continue;
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
};

// Pass 1: the noise profile of the EQ'd voice, from the frames between
// words; the decoded mono sound goes to `voice` on the way.
Analysis analyze(const std::filesystem::path& input, SampleFile& voice, const SpeechMask& mask, const AudioCleanup& settings,
                 const Progress& progress, const CancelToken& cancel)
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
        voice.append(mono);
        eq.process(mono);
        stft.analyze(mono.data(), mono.size(), [&](const STFT::Spectrum& spectrum, std::int64_t start) {
            const double centre = static_cast<double>(start + frameSize / 2) / rate;
            profile.add(spectrum.power, !mask.contains(centre, pauseMargin));
        });
        report(progress, 0.3 * std::min(static_cast<double>(position) / total, 1.0));
    });
    out.noise = profile.estimate();
    return out;
}

// Pass 2: EQ, noise reduction, leveler and the speech measurement; the
// cleaned sound replaces the decoded one in `voice`, sample for sample.
SpeechMeter cleanInPlace(SampleFile& voice, const SpeechMask& mask, const AudioCleanup& settings, const Analysis& analysis,
                         const Progress& progress, const CancelToken& cancel)
{
    const double rate = analysis.rate;
    const std::int64_t frames = voice.frames();
    const double total = static_cast<double>(std::max<std::int64_t>(frames, 1));
    VoiceEQ eq(rate, settings.voiceEQ);
    STFT stft(frameSize, hopSize);
    std::optional<NoiseReducer> reducer;
    if (settings.noiseReduction > offBelow) reducer.emplace(analysis.noise, settings.noiseReduction);
    std::optional<Leveler> leveler;
    if (settings.leveler > offBelow) leveler.emplace(settings.leveler, rate);
    SpeechMeter meter{mask, rate};
    std::int64_t written = 0;
    const STFT::Step step = [&](const STFT::Spectrum& spectrum, std::int64_t) -> const std::vector<float>* {
        return reducer ? &reducer->gains(spectrum.power) : nullptr;
    };
    auto keep = [&](std::vector<float>& block) {
        // The flush gives more than the sound had: only its own samples stay.
        block.resize(static_cast<std::size_t>(std::min<std::int64_t>(frames - written, static_cast<std::int64_t>(block.size()))));
        if (block.empty()) return;
        if (leveler) leveler->process(block);
        meter.measure(block.data(), block.size(), written);
        voice.write(written, block.data(), block.size());
        written += static_cast<std::int64_t>(block.size());
    };
    for (std::int64_t at = 0; at < frames; at += chunkFrames) {
        cancel.throwIfCancelled();
        std::vector<float> mono = voice.read(at, chunkFrames);
        eq.process(mono);
        std::vector<float> block = stft.feed(mono, step);
        keep(block);
        report(progress, 0.3 + 0.5 * std::min(static_cast<double>(at + chunkFrames) / total, 1.0));
    }
    std::vector<float> tail = stft.feed(std::vector<float>(frameSize, 0.0f), step);
    keep(tail);
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
    const std::int64_t frames = cleaned.frames();
    const double total = static_cast<double>(std::max<std::int64_t>(frames, 1));
    auto emit = [&](std::vector<float>& block) {
        for (float& x : block) x *= gain;
        limiter.process(block);
        const auto d = std::min<std::int64_t>(skip, static_cast<std::int64_t>(block.size()));
        skip -= d;
        if (static_cast<std::size_t>(d) < block.size()) sink(block.data() + d, block.size() - static_cast<std::size_t>(d));
    };
    for (std::int64_t at = 0; at < frames; at += chunkFrames) {
        cancel.throwIfCancelled();
        std::vector<float> block = cleaned.read(at, chunkFrames);
        emit(block);
        report(progress, 0.8 + 0.2 * std::min(static_cast<double>(at + chunkFrames) / total, 1.0));
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
    const SpeechMask mask = SpeechMask::make(speech);
    SampleFile voice;
    const Analysis analysis = analyze(input, voice, mask, settings, progress, cancel);
    const SpeechMeter meter = cleanInPlace(voice, mask, settings, analysis, progress, cancel);
    const float gain = makeUpGain(meter.sumOfSquares, meter.count, settings.normalize);
    std::int64_t frames = 0;
    finishInto(
        [&](const float* samples, std::size_t count) {
            frames += static_cast<std::int64_t>(count);
            sink(samples, count);
        },
        voice, analysis.rate, gain, progress, cancel);
    report(progress, 1);
    return {static_cast<int>(analysis.rate), frames, gain};
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
