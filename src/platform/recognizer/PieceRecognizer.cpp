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

constexpr double shortestPieceSeconds = 5;
constexpr double longestPieceSeconds = 60;
constexpr std::size_t openingSamples = 60 * recognizerSampleRate;
constexpr std::size_t precedingSamples = 15 * recognizerSampleRate;

// Where a decoder's normalisation starts for a piece. For the first, from the
// recording's first minute; for a later one, from the 15 s before it, which
// is about where one decoder going through it all would have adapted to.
std::span<const std::int16_t> normalisationSound(std::span<const std::int16_t> audio, std::size_t start)
{
    if (start == 0) return audio.first(std::min(openingSamples, audio.size()));
    const std::size_t from = start - std::min(start, precedingSamples);
    return audio.subspan(from, start - from);
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
    // Pieces start where one decoder going through it all would start a
    // phrase after a pause: each piece then falls into the same phrases.
    const std::vector<std::size_t> pauses = SphinxRecognizer::pauseCuts(audio);
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
                decoder->normaliseTo(normalisationSound(audio, starts[p]));
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
