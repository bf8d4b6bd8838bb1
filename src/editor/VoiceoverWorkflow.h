#pragma once
// The editor's voiceover workflow: a three-second countdown, a take recorded
// while the video plays (metered 20 times a second), its transcription, and
// storing it as the project's voiceover; removing a take, and the switch and
// mix values the voice panel edits.
//
// A removed or replaced take's file is deleted only once nothing can bring
// it back: neither the project nor any undo or redo step refers to it (a
// removal is one undo step). When the editor closes, files that only the
// history referred to go, and a take still being transcribed is kept
// without its words rather than lost. A take stored outside the data root's
// "Voiceovers" folder is never deleted: it is not a recording of ours.
//
// Threads: a QObject of the main thread beside the editor model it serves
// (which must outlive it). Waiting runs on the editor clock; the take's
// length is read and its words transcribed on a worker, and their results
// come back to the main thread (dropped when the take was cancelled).

#include "audio/VoiceRecorder.h"
#include "editor/EditorModel.h"

#include <QObject>
#include <QThreadPool>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>

namespace vt {

struct VoicePhase {
    enum class Kind { countdown, transcribing, idle, recording };
    Kind kind = Kind::idle;
    int seconds = 0;      // countdown: seconds left
    double progress = 0;  // transcribing: 0…1
    static VoicePhase idle() { return {}; }
    friend bool operator==(const VoicePhase&, const VoicePhase&) = default;
};

class VoiceoverWorkflow final : public QObject {
    Q_OBJECT

public:
    // Gives the take's words in seconds of the take, calling `progress` with
    // a fraction from any thread. Worker thread; throws on failure.
    using Transcribe = std::function<std::vector<Word>(const std::filesystem::path& take, const std::string& localeID,
                                                       double duration, const std::function<void(double)>& progress)>;
    // The length in seconds of a recorded file; none when unreadable. Worker thread.
    using Duration = std::function<std::optional<double>(const std::filesystem::path& take)>;

    static constexpr double countdownStep = 1.0;
    static constexpr double meterInterval = 0.05;
    static constexpr double startWait = 0.3;
    static constexpr double shortestTake = 0.5;

    // Null arguments take the real ones: Qt timers, the microphone, the
    // project's speech engine and the media reader.
    VoiceoverWorkflow(EditorModel& model, std::shared_ptr<EditorClock> clock = nullptr,
                      std::unique_ptr<VoiceRecorder> recorder = nullptr, Transcribe transcribe = nullptr,
                      Duration duration = nullptr, QObject* parent = nullptr);
    ~VoiceoverWorkflow() override;

    const VoicePhase& voicePhase() const { return phase_; }
    double voiceLevel() const { return level_; }
    double voiceElapsed() const { return elapsed_; }
    const std::optional<std::string>& voiceError() const { return error_; }
    bool voiceFromPlayhead() const { return fromPlayhead_; }
    void setVoiceFromPlayhead(bool value);
    bool muteWhileRecording() const { return mute_; }
    void setMuteWhileRecording(bool value);

    // Starts a take from idle while the editor is not loading.
    void startVoiceover();
    // Ends the take (it is then stored), or the countdown (nothing stored).
    void stopVoiceover();
    // Abandons the take in progress; its file is deleted, nothing stored.
    void cancelVoiceover();
    // Takes the take off the project as one undo step.
    void removeVoiceover();

    // The take's field, or the default take's when there is none.
    Voiceover voiceover() const;
    // Writes the field in place (dropped without a take); the captions'
    // word source changes, so the editing state is reset and the captions
    // redrawn.
    void setCaptionsFromVoice(bool on);
    // The mix rows write while dragging; the caller rebuilds the player when
    // the edit ends.
    void setVolume(double dB);
    void setOriginalLevel(double level);

    // (power in dBFS + 50) / 50 within 0…1.
    static double levelOf(float dBFS);

signals:
    void voicePhaseChanged();
    void voiceLevelChanged();
    void voiceElapsedChanged();
    void voiceErrorChanged();
    void optionsChanged();

private:
    template <class T>
    void assign(T& member, T value, void (VoiceoverWorkflow::*changed)());
    void setPhase(VoicePhase phase);
    void setLevel(double value);
    void setElapsed(double value);
    void setError(std::optional<std::string> message);
    void after(double seconds, std::function<void()> step);
    void countdown(int n);
    void beginRecording();
    void meter();
    void finish();
    void transcribe(const std::filesystem::path& take, double duration);
    void store(const std::filesystem::path& take, double duration, std::vector<Word> words,
               std::optional<std::string> failure);
    void keep(const std::filesystem::path& take, double duration, std::vector<Word> words);
    void endPlayback();
    void forget(const std::string& path);
    void sweep(bool closing);

    EditorModel& model_;
    std::shared_ptr<EditorClock> clock_;
    std::unique_ptr<VoiceRecorder> recorder_;
    Transcribe transcribe_;
    Duration duration_;

    VoicePhase phase_;
    double level_ = 0;
    double elapsed_ = 0;
    std::optional<std::string> error_;
    bool fromPlayhead_ = false;
    bool mute_ = true;

    std::uint64_t take_ = 0;  // bumped by every start and cancel: late steps of older takes stop
    std::optional<EditorClock::Ticket> timer_;
    bool stopRequested_ = false;
    double voiceStart_ = 0;
    // The finished file of the take being measured or transcribed, and its length once known.
    std::optional<std::filesystem::path> finishing_;
    std::optional<double> finishingLength_;
    bool sweepQueued_ = false;
    std::set<std::string> released_;  // files of removed or replaced takes, deleted once unreferenced
    QThreadPool worker_;
};

}  // namespace vt
