// Transcribing the open project again: the engines run clip after clip on a
// worker thread; the project changes only on the main thread, and only once
// every clip has been transcribed, so a failure leaves it as it was.

#include "editor/ClipTranscription.h"
#include "editor/EditorModel.h"
#include "platform/Cancellation.h"
#include "speech/FailureText.h"
#include "speech/WhisperTranscriber.h"
#include "text/HookGenerator.h"

#include <QCoreApplication>
#include <QPointer>

#include <algorithm>
#include <atomic>
#include <memory>

namespace vt {

namespace {

constexpr std::string_view whisperPrefix = "whisper:";
constexpr std::string_view noSpeechMessage = "No speech was found in this video.";

// An engine's failure as it tells it.
std::string failureMessage(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
    }
    return "The video could not be transcribed again.";
}

// The words of every span on the joined source timeline, in clip order.
std::vector<Word> transcribeSpans(const std::vector<ClipSpan>& spans, const std::string& localeID,
                                  const SpeechEngine& engine,
                                  const std::function<void(const std::string&, double)>& progress)
{
    std::vector<Word> collected;
    for (const ClipSpan& span : spans) {
        std::vector<Word> words = engine(span.clip.path, localeID, span.clip.duration, progress);
        words = ClipTranscription::placed(std::move(words), span.start);
        collected.insert(collected.end(), std::make_move_iterator(words.begin()), std::make_move_iterator(words.end()));
    }
    return collected;
}

// B-roll follows its spoken moment into the new words; one whose anchor words
// are unknown stays as it is, one over a stretch without new words goes.
std::vector<BRoll> reanchored(const std::vector<BRoll>& items, const std::vector<Word>& old,
                              const std::vector<Word>& fresh)
{
    auto find = [&](const Uuid& id) {
        return std::find_if(old.begin(), old.end(), [&](const Word& w) { return w.id == id; });
    };
    std::vector<BRoll> kept;
    for (const BRoll& item : items) {
        const auto first = find(item.startWordID), last = find(item.endWordID);
        if (first == old.end() || last == old.end()) {
            kept.push_back(item);
            continue;
        }
        const auto ids = EditorModel::anchors(fresh, first->start, last->end);
        if (!ids) continue;
        BRoll moved = item;
        moved.startWordID = ids->first;
        moved.endWordID = ids->second;
        kept.push_back(std::move(moved));
    }
    return kept;
}

}  // namespace

void EditorModel::setRetranscribeError(std::optional<std::string> message, std::string detail)
{
    retranscribeErrorDetail_ = message ? std::move(detail) : std::string();
    set(retranscribeError_, std::move(message), &EditorModel::retranscribeErrorChanged);
}

void EditorModel::transcribeAgain(TranscriptionEngine engine, const std::string& appleLocaleID,
                                  const std::string& whisperLanguageID)
{
    if (retranscribing_) return;
    if (isPlaying_) togglePlay();
    set(retranscribing_, std::optional<std::string>("Starting\u2026"), &EditorModel::retranscribingChanged);
    setRetranscribeError(std::nullopt);

    const std::string localeID =
        engine == TranscriptionEngine::apple ? appleLocaleID : std::string(whisperPrefix) + whisperLanguageID;
    const std::uint64_t run = ++retranscribeRun_;
    SpeechEngine speech = services_.speech ? services_.speech
                                           : [](const std::string& path, const std::string& locale, double duration,
                                                const std::function<void(const std::string&, double)>& progress) {
                                                 return ClipTranscription::transcribe(path, locale, duration, progress);
                                             };
    // Reports reach the model as queued calls; one arriving after its run
    // ended is dropped, so it can never leave a finished run looking busy.
    QPointer<EditorModel> self(this);
    // whisper.cpp fetches its model first when it is missing; a failure
    // while it does is the download's, and is told as such.
    auto fetching = std::make_shared<std::atomic<bool>>(false);
    auto progress = [self, run, fetching](const std::string& stage, double fraction) {
        fetching->store(stage == WhisperTranscriber::downloadingStage);
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, run, text = ClipTranscription::jobText(stage, fraction)] {
                if (!self || self->tornDown_ || self->retranscribeRun_ != run || !self->retranscribing_) return;
                self->set(self->retranscribing_, std::optional(text), &EditorModel::retranscribingChanged);
            },
            Qt::QueuedConnection);
    };
    inBackground([spans = project_.spans(), localeID, speech, progress, run, fetching]() -> std::function<void(EditorModel&)> {
        try {
            auto words = transcribeSpans(spans, localeID, speech, progress);
            return [run, localeID, words = std::move(words)](EditorModel& m) mutable {
                m.finishTranscribeAgain(run, localeID, std::move(words));
            };
        } catch (const CancellationError&) {
            return [run](EditorModel& m) { m.endTranscribeAgain(run, std::nullopt); };
        } catch (...) {
            FailureText::Text text = fetching->load() ? FailureText::ofDownload(std::current_exception())
                                                      : FailureText::Text{failureMessage(std::current_exception()), {}};
            return [run, text = std::move(text)](EditorModel& m) mutable {
                m.endTranscribeAgain(run, std::move(text.message), std::move(text.detail));
            };
        }
    });
}

void EditorModel::finishTranscribeAgain(std::uint64_t run, const std::string& localeID, std::vector<Word> words)
{
    if (run != retranscribeRun_) return;
    if (project_.sourceRange) {
        const ClosedRange<double> range = *project_.sourceRange;
        std::erase_if(words, [&](const Word& w) {
            const double middle = (w.start + w.end) / 2;
            return middle < range.lower || middle > range.upper;
        });
    }
    if (words.empty()) {
        endTranscribeAgain(run, std::string(noSpeechMessage));
        return;
    }
    const bool anyNative = std::any_of(words.begin(), words.end(), [](const Word& w) { return w.native.has_value(); });
    updateProject([&](Project& p) {
        if (p.brolls) p.brolls = reanchored(*p.brolls, p.words, words);
        p.words = std::move(words);
        p.localeID = localeID;
        p.hooks = HookGenerator::fromTranscript(p.words);
        p.translation.reset();
        if (p.captionLanguageID == "english" || !anyNative) p.captionLanguageID.reset();
    });
    resetTranscriptEditing();
    timelineChanged();
    endTranscribeAgain(run, std::nullopt);
}

void EditorModel::endTranscribeAgain(std::uint64_t run, std::optional<std::string> error, std::string detail)
{
    if (run != retranscribeRun_) return;
    if (error) setRetranscribeError(std::move(error), std::move(detail));
    set(retranscribing_, std::optional<std::string>(), &EditorModel::retranscribingChanged);
}

}  // namespace vt
