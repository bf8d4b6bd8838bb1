#include "platform/recognizer/PieceRecognizer.h"

#include "platform/recognizer/RecognizerError.h"

#include <sched.h>

#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>

namespace vt::recognizer {

namespace {

constexpr std::size_t frameSamples = recognizerSampleRate / 100;  // 10 ms
constexpr double shortestPieceSeconds = 5;
constexpr double longestPieceSeconds = 60;
// A pause: 0.3 s below a tenth of the recording's loud level (the level
// 95 % of its 10 ms frames stay under), as the recognizer's own phrase cuts.
constexpr std::size_t pauseFrames = 30;
constexpr double pauseRatio = 0.1;
constexpr double loudShare = 0.95;
constexpr double audibleLevel = 0.005;

std::vector<double> frameLevels(std::span<const std::int16_t> audio)
{
    std::vector<double> levels;
    levels.reserve(audio.size() / frameSamples);
    for (std::size_t at = 0; at + frameSamples <= audio.size(); at += frameSamples) {
        double sum = 0;
        for (std::size_t i = at; i < at + frameSamples; ++i) sum += double(audio[i]) * audio[i];
        levels.push_back(std::sqrt(sum / frameSamples) / 32768.0);
    }
    return levels;
}

// The middle sample of every pause, in order.
std::vector<std::size_t> pauseMiddles(std::span<const std::int16_t> audio)
{
    const std::vector<double> levels = frameLevels(audio);
    if (levels.empty()) return {};
    std::vector<double> sorted = levels;
    const auto loudIndex = static_cast<std::ptrdiff_t>(loudShare * double(sorted.size() - 1));
    std::nth_element(sorted.begin(), sorted.begin() + loudIndex, sorted.end());
    const double loud = sorted[std::size_t(loudIndex)];
    if (loud <= audibleLevel) return {};
    std::vector<std::size_t> middles;
    std::size_t runStart = 0;
    for (std::size_t f = 0; f <= levels.size(); ++f) {
        const bool quiet = f < levels.size() && levels[f] < pauseRatio * loud;
        if (quiet) continue;
        if (f - runStart >= pauseFrames) middles.push_back((runStart + f) * frameSamples / 2);
        runStart = f + 1;
    }
    return middles;
}

// Stops the decoders and waits for them on every way out.
struct Crew {
    std::vector<std::thread> threads;
    std::atomic<bool> abort{false};
    ~Crew()
    {
        abort = true;
        for (auto& t : threads)
            if (t.joinable()) t.join();
    }
};

}  // namespace

std::size_t usableCores()
{
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof(set), &set) == 0) return std::max(1, CPU_COUNT(&set));
    return std::max(1u, std::thread::hardware_concurrency());
}

PieceRecognizer::PieceRecognizer(const SpeechModel& model, std::size_t decoders)
    : model_(model), decoderCount_(std::max<std::size_t>(decoders, 1))
{
    decoders_.push_back(std::make_unique<SphinxRecognizer>(model_));
}

PieceRecognizer::~PieceRecognizer() = default;

std::size_t PieceRecognizer::pieceCount(std::size_t samples, std::size_t decoders)
{
    if (decoders <= 1) return 1;
    const double seconds = double(samples) / recognizerSampleRate;
    const double length = std::clamp(seconds / double(decoders), shortestPieceSeconds, longestPieceSeconds);
    return std::max<std::size_t>(1, static_cast<std::size_t>(std::lround(seconds / length)));
}

std::vector<std::size_t> PieceRecognizer::pieceStarts(std::span<const std::int16_t> audio, std::size_t pieces)
{
    std::vector<std::size_t> starts{0};
    if (pieces <= 1) return starts;
    const std::vector<std::size_t> pauses = pauseMiddles(audio);
    const double share = double(audio.size()) / double(pieces);
    for (std::size_t k = 1; k < pieces; ++k) {
        const double ideal = share * double(k);
        std::optional<std::size_t> best;
        for (std::size_t at : pauses) {
            // Within half a share of its place, and after the previous cut.
            if (at <= starts.back() || std::abs(double(at) - ideal) > share / 2) continue;
            if (!best || std::abs(double(at) - ideal) < std::abs(double(*best) - ideal)) best = at;
        }
        if (best) starts.push_back(*best);
    }
    return starts;
}

void PieceRecognizer::recognize(std::span<const std::int16_t> audio, const Delivery& deliver, const std::atomic<bool>& stop)
{
    const std::vector<std::size_t> starts = pieceStarts(audio, pieceCount(audio.size(), decoderCount_));
    const std::size_t pieces = starts.size();
    const std::size_t workers = std::min(decoderCount_, pieces);
    while (decoders_.size() < workers) decoders_.push_back(nullptr);

    std::mutex mutex;
    std::condition_variable ready;
    std::vector<std::optional<std::vector<Utterance>>> done(pieces);
    std::exception_ptr failure;
    std::atomic<std::size_t> nextPiece{0};
    Crew crew;

    const auto work = [&](std::size_t index) {
        try {
            auto& decoder = decoders_[index];
            if (!decoder) decoder = std::make_unique<SphinxRecognizer>(model_);
            decoder->setInterruption([&] { return stop.load() || crew.abort.load(); });
            for (std::size_t p = nextPiece++; p < pieces; p = nextPiece++) {
                const std::size_t end = p + 1 < pieces ? starts[p + 1] : audio.size();
                decoder->restartAt(static_cast<std::int64_t>(starts[p]));
                std::vector<Utterance> utterances = decoder->add(audio.subspan(starts[p], end - starts[p]));
                for (auto& last : decoder->finish()) utterances.push_back(std::move(last));
                std::lock_guard lock(mutex);
                done[p] = std::move(utterances);
                ready.notify_all();
            }
            decoder->setInterruption(nullptr);
        } catch (...) {
            std::lock_guard lock(mutex);
            if (!failure) failure = std::current_exception();
            crew.abort = true;
            ready.notify_all();
        }
    };
    for (std::size_t i = 0; i < workers; ++i) crew.threads.emplace_back(work, i);

    for (std::size_t p = 0; p < pieces; ++p) {
        std::vector<Utterance> utterances;
        {
            std::unique_lock lock(mutex);
            ready.wait(lock, [&] { return done[p].has_value() || failure; });
            if (!done[p]) break;
            utterances = std::move(*done[p]);
        }
        deliver(std::move(utterances));
    }
    for (auto& t : crew.threads) t.join();
    if (failure) std::rethrow_exception(failure);
}

}  // namespace vt::recognizer
