#pragma once
// Keeps one cleaned voice file per source clip while audio cleanup is on: it
// stores the user's settings, waits 0.4 s so a burst of slider moves starts
// one job, reuses cleaned files already in the cache, cleans the clips that
// lack one (one after the other, on a worker thread, with progress and
// cancel), then publishes the files to the editor and rebuilds the player.
// A clip's files for other settings are deleted once its new file is published.
//
// Threads: a QObject of the main thread, beside the editor model it serves
// (which must outlive it). The cleaning runs on a worker of its own; results
// come back to the main thread, and those of a superseded job are dropped.
// A failure is kept here, for the audio panel ("Audio cleanup failed: ..."),
// not in the editor's export error, which belongs to the export; the next
// job clears it. A cancelled job reports nothing.

#include "audio/AudioCleaner.h"
#include "editor/EditorModel.h"

#include <QObject>
#include <QThreadPool>

#include <exception>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

namespace vt {

class AudioCleanupJobs final : public QObject {
    Q_OBJECT

public:
    // Cleans one clip's sound into a file (AudioCleaner::process unless a
    // test gives another). Runs on the worker thread.
    using Cleaner = std::function<void(const std::filesystem::path& video, const std::vector<ClosedRange<double>>& speech,
                                       const AudioCleanup& settings, const std::filesystem::path& destination,
                                       const AudioCleaner::Progress& progress, const CancelToken& cancel)>;

    static constexpr double settleDelay = 0.4;  // seconds after the last change of a setting

    // With no clock, Qt timers. Once the editor has loaded its clips, and
    // each time the clip list has been read again, a project with cleanup on
    // and a clip without its cleaned file starts cleaning at once.
    explicit AudioCleanupJobs(EditorModel& model, std::shared_ptr<EditorClock> clock = nullptr, Cleaner cleaner = AudioCleaner::process,
                              QObject* parent = nullptr);
    // Cancels the job and waits for its worker to stop.
    ~AudioCleanupJobs() override;

    // Stores the settings (none turns cleanup off), ends the bypass, and
    // schedules the cleaning after the settle delay. No undo step.
    void setAudioCleanup(std::optional<AudioCleanup> settings);
    // The settings the controls show: the stored ones, else the defaults.
    AudioCleanup settings() const;
    // Changes one setting, turning cleanup on with the defaults when off.
    void change(const std::function<void(AudioCleanup&)>& edit);

    // Cancels the current job, publishes what the cache already holds and
    // starts cleaning the rest after `delaySeconds`.
    void schedule(double delaySeconds);
    void cancel();

    // Whether a job is waiting out its delay or cleaning: the cleaned files
    // it will publish are not there yet.
    bool running() const { return job_ != nullptr; }
    // A cleaned file when every clip has one (absent otherwise).
    std::optional<std::string> cleanAudioURL() const;
    // Why the last job failed.
    const std::optional<std::string>& error() const { return error_; }

signals:
    void errorChanged();

public:
    // The clip's words as ranges of seconds in its media file: every word
    // that starts inside the clip's span (cut words too), sorted.
    static std::vector<ClosedRange<double>> speechRanges(const std::vector<Word>& words, const ClipSpan& span);

private:
    struct Entry {
        Uuid clip;
        std::filesystem::path video;
        std::filesystem::path destination;
        std::vector<ClosedRange<double>> speech;
    };
    struct Job {
        std::uint64_t id = 0;
        CancelToken cancel;
        AudioCleanup settings;
        std::vector<Entry> pending;
        std::map<Uuid, std::string> results;
        std::size_t next = 0;
        std::optional<EditorClock::Ticket> timer;
    };

    void begin(std::uint64_t id);
    void cleanNext();
    void progressed(std::uint64_t id, double fraction);
    void finished(std::uint64_t id, std::exception_ptr error);
    void publish(std::map<Uuid, std::string> files);
    void setError(std::optional<std::string> message);
    static void removeStaleFiles(const Uuid& clip, const std::filesystem::path& keep);

    EditorModel& model_;
    std::shared_ptr<EditorClock> clock_;
    Cleaner cleaner_;
    std::unique_ptr<Job> job_;
    std::uint64_t jobs_ = 0;
    std::optional<std::string> error_;
    QThreadPool worker_;
};

}  // namespace vt
