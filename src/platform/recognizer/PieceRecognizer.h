#pragma once
// A whole recording decoded on every usable core. The sound is cut at pauses
// into pieces of about equal length (the longest as short as the pauses
// allow, the others near an even share of the rest), each piece goes to the
// next free decoder, and the utterances come back in time order with times
// from the start of the recording. Pieces are cut only where one decoder
// would end a phrase at a pause (silence found from the sound's energy, cut
// 0.15 s into a pause of at least 0.3 s), so no word is cut and each piece
// falls into the phrases a single decoder would hear; where speech runs on
// without a pause there is simply no cut.
//
// Each piece's decoder starts its normalisation from the sound before the
// piece (the first piece from the recording's first minute), so a piece is
// heard the same whichever decoder takes it, and much as one decoder going
// through the whole recording would hear it.
//
// Each decoder loads its own copy of the model: a PocketSphinx decoder and
// its language model keep search state while they score, so no two threads
// may share either. Decoders are kept for the recognizer's lifetime.
//
// One calling thread at a time; the decoders run on threads of their own.

#include "platform/recognizer/SphinxRecognizer.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

namespace vt::recognizer {

// The cores this process may run on (its affinity), at least 1.
std::size_t usableCores();

class PieceRecognizer {
public:
    // Loads the first decoder; throws RecognizerError(unavailable) when the
    // model cannot be loaded. `decoders` is the most that run at once; each
    // further decoder is loaded on its own thread when a recording has a
    // piece for it (about 95 MB each).
    explicit PieceRecognizer(const SpeechModel& model, std::size_t decoders = usableCores());
    ~PieceRecognizer();
    PieceRecognizer(const PieceRecognizer&) = delete;
    PieceRecognizer& operator=(const PieceRecognizer&) = delete;

    using Delivery = std::function<void(std::vector<Utterance>)>;

    // Decodes 16 kHz audio. `deliver` is called on the calling thread with
    // each piece's utterances, in time order, once every earlier piece has
    // been delivered. Throws RecognizerError: cancelled when `stop` became
    // true (it is looked at while decoding), unavailable when a further
    // decoder cannot be loaded, or what `deliver` throws; the decoders have
    // stopped by then.
    void recognize(std::span<const std::int16_t> audio, const Delivery& deliver, const std::atomic<bool>& stop);

    // ---- the plan, exposed for tests --------------------------------------

    // How many pieces `samples` of audio make for `decoders` decoders: one
    // per decoder, each at least 5 s long, and pieces of at most about a
    // minute for long recordings (so that progress moves and the decoders
    // finish together).
    static std::size_t pieceCount(std::size_t samples, std::size_t decoders);
    // Where the pieces begin (the first at 0): at most `pieces` phrase ends
    // at pauses, chosen so that the longest piece is as short as the pauses
    // allow, and each cut, within that, nearest an even share of the sound
    // left. Fewer when the sound has too few pauses.
    static std::vector<std::size_t> pieceStarts(std::span<const std::int16_t> audio, std::size_t pieces);

private:
    SpeechModel model_;
    std::size_t decoderCount_;
    std::vector<std::unique_ptr<SphinxRecognizer>> decoders_;
};

}  // namespace vt::recognizer
