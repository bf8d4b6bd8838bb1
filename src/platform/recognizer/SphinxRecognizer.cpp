#include "platform/recognizer/SphinxRecognizer.h"

#include "platform/recognizer/RecognizerError.h"

#include <pocketsphinx.h>
#include <sphinxbase/ckd_alloc.h>
#include <sphinxbase/err.h>
#include <sphinxbase/cmn.h>
#include <sphinxbase/fe.h>
#include <sphinxbase/feat.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <mutex>

namespace vt::recognizer {

namespace {

// An utterance ends at the first pause: 0.3 s below a tenth of its loudest
// 10 ms so far, once it is at least 1 s long. Without a pause it ends after
// 10 to 20 s at its quietest 0.1 s.
constexpr std::size_t frameSamples = recognizerSampleRate / 100;
constexpr std::size_t pauseFrames = 30;
constexpr double pauseRatio = 0.1;
constexpr double audibleLevel = 0.005;
constexpr std::size_t shortestSpokenUtterance = recognizerSampleRate;
constexpr std::size_t shortestUtterance = 10 * recognizerSampleRate;
constexpr std::size_t longestUtterance = 20 * recognizerSampleRate;
constexpr std::size_t splitWindow = recognizerSampleRate / 10;
constexpr std::size_t splitStep = recognizerSampleRate / 100;
constexpr std::size_t feedChunk = 4096;
constexpr double secondsPerFrame = 0.01;  // the decoder's frame rate is 100 per second
// Tuned on generated speech with "um" and "uh" in it and on real speech. The
// library's silence probability (0.005) lets a short "uh" or "um" pass for a
// pause between words; a lower one keeps more of them as words. The fillers
// are rare in the language model, so a lighter language weight (the library's
// is 6.5) lets the sound decide more; a stronger word insertion penalty goes
// with it (0.2 against the library's 0.65), as a lighter weight alone lets in
// more spurious short words.
constexpr const char* silenceProbability = "0.0001";
constexpr const char* languageWeight = "5";
constexpr const char* wordInsertionPenalty = "0.2";

// "<s>", "</s>", "<sil>", "[NOISE]", "++BREATH++": markers, not words.
bool isFiller(const std::string& word)
{
    return word.empty() || word.front() == '<' || word.front() == '[' || word.rfind("++", 0) == 0;
}

// "our(3)" is the third pronunciation of "our".
std::string dictionaryWord(const char* raw)
{
    std::string word = raw ? raw : "";
    const auto paren = word.find('(');
    if (paren != std::string::npos && paren > 0 && word.back() == ')') word.erase(paren);
    return word;
}

void discardMessage(void*, err_lvl_t, const char*, ...) {}

// The library's log is one process-wide file that each decoder given a log
// file name closes and reopens, which decoders made on several threads would
// do at once. Its messages are dropped once, for every decoder, instead.
void silenceLibraryLog()
{
    static std::once_flag once;
    std::call_once(once, [] {
        err_set_callback(discardMessage, nullptr);
        // Without a log file the configuration of each new decoder is
        // printed straight to this file handle.
        err_set_logfp(nullptr);
    });
}

}  // namespace

struct SphinxRecognizer::Decoder {
    cmd_ln_t* config = nullptr;
    ps_decoder_t* ps = nullptr;
    fe_t* frontEnd = nullptr;  // cepstra for the mean, apart from the decoder's own

    ~Decoder()
    {
        if (frontEnd) fe_free(frontEnd);
        if (ps) ps_free(ps);
        if (config) cmd_ln_free_r(config);
    }
};

SphinxRecognizer::SphinxRecognizer(const SpeechModel& model) : decoder_(std::make_unique<Decoder>())
{
    if (!model.isComplete()) throw RecognizerError(RecognizerError::unavailable, "The speech model for " + model.localeID + " is incomplete.");
    const std::string hmm = model.acousticModel->string();
    const std::string lm = model.languageModel->string();
    const std::string dict = model.dictionary->string();
    silenceLibraryLog();
    // Silence stays in, so that frame numbers are times.
    decoder_->config = cmd_ln_init(nullptr, ps_args(), TRUE, "-hmm", hmm.c_str(), "-lm", lm.c_str(), "-dict", dict.c_str(),
                                   "-remove_silence", "no", "-silprob", silenceProbability, "-lw", languageWeight, "-wip",
                                   wordInsertionPenalty, nullptr);
    if (decoder_->config) decoder_->ps = ps_init(decoder_->config);
    if (!decoder_->ps) throw RecognizerError(RecognizerError::unavailable, "The speech model for " + model.localeID + " could not be loaded.");
}

SphinxRecognizer::~SphinxRecognizer() = default;

void appendSamples(std::vector<std::int16_t>& to, std::span<const float> samples)
{
    to.reserve(to.size() + samples.size());
    for (float s : samples) to.push_back(static_cast<std::int16_t>(std::clamp(std::lrint(s * 32768.0f), -32768L, 32767L)));
}

std::vector<Utterance> SphinxRecognizer::add(std::span<const float> samples)
{
    std::vector<std::int16_t> converted;
    appendSamples(converted, samples);
    return add(std::span<const std::int16_t>(converted));
}

std::vector<Utterance> SphinxRecognizer::add(std::span<const std::int16_t> samples)
{
    pending_.insert(pending_.end(), samples.begin(), samples.end());
    added_ += static_cast<std::int64_t>(samples.size());
    std::vector<Utterance> done;
    while (const auto cut = phraseEnd_.find(pending_)) done.push_back(decode(cut->at));
    return done;
}

std::vector<Utterance> SphinxRecognizer::finish()
{
    if (pending_.empty()) return {};
    return {decode(pending_.size())};
}

void SphinxRecognizer::restartAt(std::int64_t sample)
{
    pending_.clear();
    pendingStart_ = sample;
    added_ = sample;
    phraseEnd_ = {};
}

std::vector<std::size_t> SphinxRecognizer::pauseCuts(std::span<const std::int16_t> audio)
{
    std::vector<std::size_t> cuts;
    std::size_t start = 0;
    PhraseEnd phraseEnd;
    while (const auto cut = phraseEnd.find(audio.subspan(start))) {
        start += cut->at;
        if (cut->atPause) cuts.push_back(start);
        phraseEnd = {};
    }
    return cuts;
}

void SphinxRecognizer::normaliseTo(std::span<const std::int16_t> sound)
{
    if (!decoder_->frontEnd) decoder_->frontEnd = fe_init_auto_r(decoder_->config);
    fe_t* fe = decoder_->frontEnd;
    feat_t* features = ps_get_feat(decoder_->ps);
    if (!fe || !features || !features->cmn_struct) return;
    mfcc_t** cepstra = nullptr;
    int32 frames = 0;
    if (fe_start_utt(fe) < 0 || fe_process_utt(fe, sound.data(), sound.size(), &cepstra, &frames) < 0 || frames <= 0) {
        if (cepstra) ckd_free_2d(cepstra);
        return;
    }
    const int length = fe_get_output_size(fe);
    std::vector<double> sum(static_cast<std::size_t>(length), 0.0);
    for (int32 f = 0; f < frames; ++f)
        for (int k = 0; k < length; ++k) sum[std::size_t(k)] += cepstra[f][k];
    ckd_free_2d(cepstra);
    std::vector<mfcc_t> mean;
    for (double total : sum) mean.push_back(static_cast<mfcc_t>(total / frames));
    cmn_live_set(features->cmn_struct, mean.data());
}

std::optional<SphinxRecognizer::PhraseEnd::Cut> SphinxRecognizer::PhraseEnd::find(std::span<const std::int16_t> pending)
{
    // A pause is looked for only within the longest utterance, so that the
    // cuts do not depend on how much audio arrives at once.
    const std::size_t searched = std::min(pending.size(), longestUtterance);
    for (; scanned + frameSamples <= searched; scanned += frameSamples) {
        double sum = 0;
        for (std::size_t i = scanned; i < scanned + frameSamples; ++i) sum += double(pending[i]) * pending[i];
        const double level = std::sqrt(sum / frameSamples) / 32768.0;
        peak = std::max(peak, level);
        quietFrames = peak > audibleLevel && level < pauseRatio * peak ? quietFrames + 1 : 0;
        const std::size_t pauseStart = scanned + frameSamples - quietFrames * frameSamples;
        if (quietFrames >= pauseFrames && pauseStart >= shortestSpokenUtterance) {
            scanned += frameSamples;
            return Cut{pauseStart + pauseFrames * frameSamples / 2, true};
        }
    }
    if (pending.size() < longestUtterance) return std::nullopt;
    // No pause: the quietest 0.1 s between 10 and 20 s.
    std::size_t best = longestUtterance;
    double bestEnergy = std::numeric_limits<double>::max();
    for (std::size_t at = shortestUtterance; at + splitWindow <= longestUtterance; at += splitStep) {
        double energy = 0;
        for (std::size_t i = at; i < at + splitWindow; ++i) energy += double(pending[i]) * pending[i];
        if (energy < bestEnergy) {
            bestEnergy = energy;
            best = at + splitWindow / 2;
        }
    }
    return Cut{best, false};
}

Utterance SphinxRecognizer::decode(std::size_t count)
{
    Utterance utterance;
    const double offset = double(pendingStart_) / recognizerSampleRate;
    utterance.start = offset;
    utterance.end = offset + double(count) / recognizerSampleRate;
    ps_decoder_t* ps = decoder_->ps;
    const auto fail = [] { throw RecognizerError(RecognizerError::unreadable, "The recognizer could not process the audio."); };
    if (ps_start_utt(ps) < 0) fail();
    // Fed in small pieces, as live audio would be: the decoder's running
    // normalisation expects that.
    for (std::size_t at = 0; at < count; at += feedChunk) {
        if (interrupted_ && interrupted_()) {
            ps_end_utt(ps);
            throw RecognizerError(RecognizerError::cancelled, "Recognition request was canceled.");
        }
        if (ps_process_raw(ps, pending_.data() + at, std::min(feedChunk, count - at), FALSE, FALSE) < 0) fail();
    }
    if (ps_end_utt(ps) < 0) fail();
    // Frame numbers run on from one utterance to the next; the first segment
    // (the start marker) begins at the utterance's own first frame.
    std::optional<int> base;
    for (ps_seg_t* seg = ps_seg_iter(ps); seg; seg = ps_seg_next(seg)) {
        int first = 0, last = 0;
        ps_seg_frames(seg, &first, &last);
        if (!base) base = first;
        const std::string word = dictionaryWord(ps_seg_word(seg));
        if (isFiller(word)) continue;
        utterance.words.push_back({word, offset + (first - *base) * secondsPerFrame, offset + (last + 1 - *base) * secondsPerFrame});
    }
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(count));
    pendingStart_ += static_cast<std::int64_t>(count);
    // The next utterance is scanned for its own pause from its own start.
    phraseEnd_ = {};
    return utterance;
}

}  // namespace vt::recognizer
