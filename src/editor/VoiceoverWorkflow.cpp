#include "editor/VoiceoverWorkflow.h"

#include "editor/ClipMediaService.h"
#include "editor/ClipTranscription.h"
#include "editor/QtEditorClock.h"
#include "model/DataRoot.h"
#include "speech/WhisperTranscriber.h"

#include <QLocale>
#include <QCoreApplication>
#include <QPointer>

#include <cmath>
#include <exception>

namespace vt {

namespace {

constexpr std::string_view whisperPrefix = "whisper:";

// Whisper without its model falls back to the built-in recognizer in the
// user's own locale.
std::vector<Word> transcribeTake(const std::filesystem::path& take, const std::string& localeID, double duration,
                                 const std::function<void(double)>& progress)
{
    std::string locale = localeID;
    if (locale.starts_with(whisperPrefix) && !WhisperTranscriber::isModelInstalled())
        locale = QLocale::system().name().toStdString();
    return ClipTranscription::transcribe(take, locale, duration,
                                         [&](const std::string&, double fraction) { progress(fraction); });
}

std::optional<double> takeDuration(const std::filesystem::path& take) { return ClipMediaService().duration(take.string()); }

void removeQuietly(const std::filesystem::path& file)
{
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
}

}  // namespace

VoiceoverWorkflow::VoiceoverWorkflow(EditorModel& model, std::shared_ptr<EditorClock> clock,
                                     std::unique_ptr<VoiceRecorder> recorder, Transcribe transcribe, Duration duration,
                                     QObject* parent)
    : QObject(parent), model_(model), clock_(clock ? std::move(clock) : std::make_shared<QtEditorClock>()),
      recorder_(recorder ? std::move(recorder) : std::make_unique<VoiceRecorder>()),
      transcribe_(transcribe ? std::move(transcribe) : Transcribe(transcribeTake)),
      duration_(duration ? std::move(duration) : Duration(takeDuration))
{
    worker_.setMaxThreadCount(1);
    // Undo and redo change the history before the project: the files are
    // looked at once the command has ended.
    const auto later = [this] {
        if (released_.empty() || sweepQueued_) return;
        sweepQueued_ = true;
        QMetaObject::invokeMethod(this, [this] {
            sweepQueued_ = false;
            sweep(false);
        }, Qt::QueuedConnection);
    };
    connect(&model_, &EditorModel::historyChanged, this, later);
    connect(&model_, &EditorModel::projectChanged, this, later);
    connect(&model_, &EditorModel::closing, this, [this] {
        // The words would arrive after the project is saved and closed: the
        // recording is kept now, without them.
        if (phase_.kind == VoicePhase::Kind::transcribing && finishing_ && finishingLength_) {
            keep(*finishing_, *finishingLength_, {});
            finishing_.reset();
        }
        if (!(phase_ == VoicePhase::idle())) cancelVoiceover();
        sweep(true);
    });
}

VoiceoverWorkflow::~VoiceoverWorkflow()
{
    ++take_;
    if (timer_) clock_->cancel(*timer_);
    worker_.waitForDone();
}

// ---- observed values ---------------------------------------------------------------

// Stores a value and tells the views, only when it changed.
template <class T>
void VoiceoverWorkflow::assign(T& member, T value, void (VoiceoverWorkflow::*changed)())
{
    if (member == value) return;
    member = std::move(value);
    emit(this->*changed)();
}

void VoiceoverWorkflow::setPhase(VoicePhase phase) { assign(phase_, phase, &VoiceoverWorkflow::voicePhaseChanged); }
void VoiceoverWorkflow::setLevel(double value) { assign(level_, value, &VoiceoverWorkflow::voiceLevelChanged); }
void VoiceoverWorkflow::setElapsed(double value) { assign(elapsed_, value, &VoiceoverWorkflow::voiceElapsedChanged); }
void VoiceoverWorkflow::setError(std::optional<std::string> message)
{
    assign(error_, std::move(message), &VoiceoverWorkflow::voiceErrorChanged);
}
void VoiceoverWorkflow::setVoiceFromPlayhead(bool value) { assign(fromPlayhead_, value, &VoiceoverWorkflow::optionsChanged); }
void VoiceoverWorkflow::setMuteWhileRecording(bool value) { assign(mute_, value, &VoiceoverWorkflow::optionsChanged); }

double VoiceoverWorkflow::levelOf(float dBFS)
{
    const double level = std::min((static_cast<double>(dBFS) + 50) / 50, 1.0);
    return level >= 0 ? level : 0;  // NaN too
}

// ---- one take ----------------------------------------------------------------------

void VoiceoverWorkflow::after(double seconds, std::function<void()> step)
{
    timer_ = clock_->start(seconds, [this, take = take_, step = std::move(step)] {
        timer_.reset();
        if (take == take_) step();
    });
}

void VoiceoverWorkflow::startVoiceover()
{
    if (!(phase_ == VoicePhase::idle()) || model_.isLoading()) return;
    setError(std::nullopt);
    stopRequested_ = false;
    ++take_;
    if (model_.isPlaying()) model_.shuttle(0);
    const double length = model_.plan().outputLength();
    voiceStart_ = fromPlayhead_ && model_.currentTime() < length - 0.5 ? model_.currentTime() : 0;
    model_.seekExactly(voiceStart_);
    countdown(3);
}

void VoiceoverWorkflow::countdown(int n)
{
    if (n == 0) {
        beginRecording();
        return;
    }
    setPhase({VoicePhase::Kind::countdown, n, 0});
    after(countdownStep, [this, n] {
        if (stopRequested_) {
            setPhase(VoicePhase::idle());
            return;
        }
        countdown(n - 1);
    });
}

void VoiceoverWorkflow::beginRecording()
{
    model_.setPlayerMuted(mute_);
    if (!recorder_->start(model_.project().id)) {
        model_.setPlayerMuted(false);
        setPhase(VoicePhase::idle());
        setError("Couldn't open the microphone.");
        return;
    }
    model_.shuttle(1);
    setPhase({VoicePhase::Kind::recording, 0, 0});
    setElapsed(0);
    after(startWait, [this] { meter(); });
}

void VoiceoverWorkflow::meter()
{
    if (stopRequested_ || !model_.isPlaying() || model_.currentTime() >= model_.plan().outputLength() - 0.05) {
        finish();
        return;
    }
    recorder_->updateMeters();
    setLevel(levelOf(recorder_->averagePower()));
    setElapsed(recorder_->currentTime());
    after(meterInterval, [this] { meter(); });
}

void VoiceoverWorkflow::stopVoiceover()
{
    stopRequested_ = true;
    if (phase_.kind != VoicePhase::Kind::countdown) return;
    ++take_;
    if (timer_) clock_->cancel(*timer_);
    timer_.reset();
    setPhase(VoicePhase::idle());
}

void VoiceoverWorkflow::cancelVoiceover()
{
    ++take_;
    if (timer_) clock_->cancel(*timer_);
    timer_.reset();
    recorder_->discard();
    // A take already finished by the recorder is thrown away like one still running.
    if (finishing_) removeQuietly(*finishing_);
    finishing_.reset();
    endPlayback();
    setLevel(0);
    setPhase(VoicePhase::idle());
}

void VoiceoverWorkflow::endPlayback()
{
    if (model_.isPlaying()) model_.shuttle(0);
    model_.setPlayerMuted(false);
}

void VoiceoverWorkflow::finish()
{
    endPlayback();
    setLevel(0);
    const auto url = recorder_->stop();
    if (!url) {
        setPhase(VoicePhase::idle());
        return;
    }
    finishing_ = *url;
    finishingLength_.reset();
    // The length is read off the main thread; the phase stays "recording"
    // until it is known, so no second take can start meanwhile.
    QPointer self(this);
    const double elapsed = elapsed_;
    worker_.start([self, take = take_, file = *url, read = duration_, elapsed] {
        const std::optional<double> length = read(file);
        QMetaObject::invokeMethod(qApp, [self, take, file, length, elapsed] {
            if (!self || take != self->take_) return;
            const double d = length.value_or(elapsed);
            if (!(d >= shortestTake)) {
                self->finishing_.reset();
                removeQuietly(file);
                self->setPhase(VoicePhase::idle());
                self->setError("That take was too short. Press record and talk over the video.");
                return;
            }
            self->transcribe(file, d);
        }, Qt::QueuedConnection);
    });
}

void VoiceoverWorkflow::transcribe(const std::filesystem::path& take, double duration)
{
    finishingLength_ = duration;
    setPhase({VoicePhase::Kind::transcribing, 0, 0});
    QPointer self(this);
    auto report = [self, id = take_](double fraction) {
        QMetaObject::invokeMethod(qApp, [self, id, fraction] {
            if (!self || id != self->take_ || self->phase_.kind != VoicePhase::Kind::transcribing) return;
            self->setPhase({VoicePhase::Kind::transcribing, 0, fraction});
        }, Qt::QueuedConnection);
    };
    worker_.start([self, id = take_, take, duration, run = transcribe_, locale = model_.project().localeID, report] {
        std::vector<Word> words;
        std::optional<std::string> failure;
        try {
            words = run(take, locale, duration, report);
        } catch (const std::exception& e) {
            failure = e.what();
        } catch (...) {
            failure = "unknown error";
        }
        QMetaObject::invokeMethod(qApp, [self, id, take, duration, words = std::move(words), failure]() mutable {
            if (!self || id != self->take_) return;
            self->store(take, duration, std::move(words), failure);
        }, Qt::QueuedConnection);
    });
}

void VoiceoverWorkflow::store(const std::filesystem::path& take, double duration, std::vector<Word> words,
                              std::optional<std::string> failure)
{
    if (failure) setError("Your voice was recorded, but it couldn't be transcribed: " + *failure);
    finishing_.reset();
    const bool noWords = words.empty();
    keep(take, duration, std::move(words));
    model_.resetTranscriptEditing();
    setPhase(VoicePhase::idle());
    if (noWords && !error_) setError("No words were recognised in that take. The recording is kept; try again closer to the mic.");
    sweep(false);
    model_.timelineChanged();
}

// Sets the take as the project's voiceover, with the mix of the one it replaces.
void VoiceoverWorkflow::keep(const std::filesystem::path& take, double duration, std::vector<Word> words)
{
    words = ClipTranscription::placed(std::move(words), voiceStart_);
    Voiceover v;
    if (const auto& old = model_.project().voiceover) {
        if (old->path != take.string()) forget(old->path);
        v.volume = old->volume;
        v.originalLevel = old->originalLevel;
        v.captionsFromVoice = old->captionsFromVoice;
    }
    v.path = take.string();
    v.start = voiceStart_;
    v.duration = duration;
    v.words = std::move(words);
    model_.updateProject([&](Project& p) { p.voiceover = std::move(v); });
}

// ---- removal and the take's values ----------------------------------------------------

void VoiceoverWorkflow::removeVoiceover()
{
    const auto& take = model_.project().voiceover;
    if (!take) return;
    const std::string path = take->path;
    model_.pushUndo();
    model_.updateProject([](Project& p) { p.voiceover.reset(); });
    model_.setSelection({});
    model_.setEditingWordID(std::nullopt);
    forget(path);
    model_.timelineChanged();
}

void VoiceoverWorkflow::forget(const std::string& path)
{
    // Only recordings in the program's own folder are ours to delete: a
    // project from elsewhere may name any file as its take.
    if (!DataRoot::holds(DataRoot::voiceoversFolder, path)) return;
    released_.insert(path);
    sweep(false);
}

// A released file stays while the project or a history step still refers to
// it; when the editor closes, the history goes with it.
void VoiceoverWorkflow::sweep(bool closing)
{
    for (auto it = released_.begin(); it != released_.end();) {
        const std::string& path = *it;
        const auto refers = [&](const std::optional<Voiceover>& v) { return v && v->path == path; };
        const bool kept = refers(model_.project().voiceover)
                       || (!closing && model_.historyHolds([&](const EditState& s) { return refers(s.voiceover); }));
        if (kept) {
            ++it;
            continue;
        }
        removeQuietly(path);
        it = released_.erase(it);
    }
}

Voiceover VoiceoverWorkflow::voiceover() const { return model_.project().voiceover.value_or(Voiceover{}); }

void VoiceoverWorkflow::setCaptionsFromVoice(bool on)
{
    if (model_.project().voiceover) model_.updateProject([on](Project& p) { p.voiceover->captionsFromVoice = on; });
    model_.resetTranscriptEditing();
    model_.visualChanged();
}

void VoiceoverWorkflow::setVolume(double dB)
{
    if (model_.project().voiceover) model_.updateProject([dB](Project& p) { p.voiceover->volume = dB; });
}

void VoiceoverWorkflow::setOriginalLevel(double level)
{
    if (model_.project().voiceover) model_.updateProject([level](Project& p) { p.voiceover->originalLevel = level; });
}

}  // namespace vt
