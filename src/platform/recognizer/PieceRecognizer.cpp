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

// Whether the sound from `from` to `end` goes into at most `pieces` pieces of
// at most `longest` samples cut at `pauses`. Each piece running to the last
// pause within that length takes the fewest; and the later `from`, the fewer.
bool fitsIn(std::span<const std::size_t> pauses, std::size_t from, std::size_t end, std::size_t longest, std::size_t pieces)
{
    auto next = std::upper_bound(pauses.begin(), pauses.end(), from);
    for (std::size_t used = 1; end - from > longest; ++used) {
        const auto beyond = std::upper_bound(next, pauses.end(), from + longest);
        if (beyond == next || used == pieces) return false;
        next = beyond;
        from = *std::prev(beyond);
    }
    return true;
}

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
    if (pieces <= 1) return {0};
    // Pieces start where one decoder going through it all would start a
    // phrase after a pause: each piece then falls into the same phrases.
    const std::vector<std::size_t> pauses = SphinxRecognizer::pauseCuts(audio);
    const std::size_t end = audio.size();
    // The decoders finish no sooner than the longest piece, so first the
    // shortest longest piece that the pauses allow.
    std::size_t low = end / pieces, longest = end;
    while (low < longest) {
        const std::size_t mid = low + (longest - low) / 2;
        if (fitsIn(pauses, 0, end, mid, pieces)) longest = mid;
        else low = mid + 1;
    }
    // Then each cut at the pause nearest an even share of what is left, of
    // those after which the rest still fits: a long stretch without a pause
    // lengthens its own piece only, and the other pieces keep to their share
    // (where there are more pieces than decoders, short pieces are what lets
    // the decoders finish together).
    std::vector<std::size_t> starts{0};
    while (starts.size() < pieces) {
        const std::size_t from = starts.back(), after = pieces - starts.size();
        const auto first = std::upper_bound(pauses.begin(), pauses.end(), from);
        const auto last = std::upper_bound(first, pauses.end(), from + longest);
        const auto usable = std::partition_point(first, last, [&](std::size_t at) { return !fitsIn(pauses, at, end, longest, after); });
        if (usable == last) break;  // the rest fits in this piece and has no pause
        const std::size_t share = from + (end - from) / (after + 1);
        auto cut = std::lower_bound(usable, last, share);
        if (cut == last || (cut != usable && share - *std::prev(cut) < *cut - share)) cut = std::prev(cut);
        starts.push_back(*cut);
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
