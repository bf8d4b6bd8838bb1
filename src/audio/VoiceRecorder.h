#pragma once
// Records one voiceover take at a time from a sound source (the microphone
// unless another is given) into "<data root>/Voiceovers/<project UUID>-<Unix
// seconds>.m4a": AAC, 48 kHz, mono, 160 kbit/s. Sound in another format is
// converted on the way in. It also meters the take: the average power since
// the last updateMeters() and the time recorded so far.
//
// Used from one thread (the editor's); the source may deliver on another, so
// the take in progress is guarded inside. This platform has no microphone
// permission: access is always granted, and a missing or busy input shows as
// a start that fails.

#include "platform/Uuid.h"
#include "audio/SoundSource.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

namespace vt {

class VoiceRecorder {
public:
    using SourceFactory = std::function<std::unique_ptr<SoundSource>()>;

    explicit VoiceRecorder(SourceFactory makeSource = makeMicrophoneSource);
    ~VoiceRecorder();  // stops a take in progress and keeps its file
    VoiceRecorder(const VoiceRecorder&) = delete;
    VoiceRecorder& operator=(const VoiceRecorder&) = delete;

    // "<data root>/Voiceovers", created on every call (errors ignored).
    static std::filesystem::path directory();

    // Starts a new take for the project; false when the file or the input
    // cannot be opened, leaving the recorder and url() as they were.
    bool start(const Uuid& projectID);
    // Ends the take (the file is complete afterwards) and gives the file of
    // the last take started; nothing when none was, or when the file could
    // not be finished (it is then deleted).
    std::optional<std::filesystem::path> stop();
    // Ends a take in progress and deletes its file; forgets url(). After
    // stop() the file stays.
    void discard();

    bool isRecording() const;
    const std::optional<std::filesystem::path>& url() const { return url_; }

    // Takes the level of what arrived since the previous call.
    void updateMeters();
    // dBFS of that level's RMS; −160 when nothing arrived.
    float averagePower() const { return averagePower_; }
    // Seconds recorded in the current take (0 without one).
    double currentTime() const;

private:
    struct Take;
    SourceFactory makeSource_;
    std::unique_ptr<Take> take_;
    std::optional<std::filesystem::path> url_;
    float averagePower_ = -160;
};

}  // namespace vt
