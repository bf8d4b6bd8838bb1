#include "editor/AudioCleanupJobs.h"

#include <QTimer>

#include <algorithm>

namespace vt {

AudioCleanupJobs::AudioCleanupJobs(EditorModel& model, std::shared_ptr<EditorClock> clock, Cleaner cleaner, QObject* parent)
    : QObject(parent), model_(model), clock_(std::move(clock)), cleaner_(std::move(cleaner))
{
    worker_.setMaxThreadCount(1);
    // Once the editor has loaded, and whenever the clip list was read again,
    // a clip without its cleaned voice gets one.
    const auto cleanMissing = [this] {
        if (!model_.isLoading() && model_.project().audioCleanup && !cleanAudioURL()) schedule(0);
    };
    connect(&model_, &EditorModel::isLoadingChanged, this, cleanMissing);
    connect(&model_, &EditorModel::sourceChanged, this, cleanMissing);
    cleanMissing();
}

AudioCleanupJobs::~AudioCleanupJobs()
{
    cancel();
    worker_.waitForDone();
}

void AudioCleanupJobs::setAudioCleanup(std::optional<AudioCleanup> settings)
{
    model_.updateProject([&](Project& p) { p.audioCleanup = settings; });
    model_.setAudioBypass(false);
    schedule(settleDelay);
}

AudioCleanup AudioCleanupJobs::settings() const { return model_.project().audioCleanup.value_or(AudioCleanup{}); }

void AudioCleanupJobs::change(const std::function<void(AudioCleanup&)>& edit)
{
    AudioCleanup s = settings();
    edit(s);
    setAudioCleanup(s);
}

std::optional<std::string> AudioCleanupJobs::cleanAudioURL() const
{
    const auto& files = model_.cleanAudioURLs();
    if (files.empty() || files.size() != model_.project().videoClips().size()) return std::nullopt;
    return files.begin()->second;
}

std::vector<ClosedRange<double>> AudioCleanupJobs::speechRanges(const std::vector<Word>& words, const ClipSpan& span)
{
    std::vector<ClosedRange<double>> out;
    for (const Word& w : words) {
        if (w.start < span.start || w.start >= span.start + span.clip.duration) continue;
        const double lower = w.start - span.start;
        out.push_back({lower, std::max(w.end - span.start, lower)});
    }
    std::stable_sort(out.begin(), out.end(), [](const auto& a, const auto& b) { return a.lower < b.lower; });
    return out;
}

void AudioCleanupJobs::cancel()
{
    if (!job_) return;
    job_->cancel.cancel();
    if (job_->timer && clock_) clock_->cancel(*job_->timer);
    job_.reset();
}

void AudioCleanupJobs::publish(std::map<Uuid, std::string> files)
{
    model_.setAudioProgress(std::nullopt);
    model_.setCleanAudioURLs(std::move(files));
    model_.timelineChanged();
}

void AudioCleanupJobs::schedule(double delaySeconds)
{
    cancel();
    const std::optional<AudioCleanup> settings = model_.project().audioCleanup;
    if (!settings) {
        setError(std::nullopt);
        publish({});
        return;
    }
    auto job = std::make_unique<Job>();
    job->id = ++jobs_;
    job->settings = *settings;
    for (const ClipSpan& span : model_.project().spans()) {
        const auto destination = AudioCleaner::cacheURL(span.clip.id, *settings);
        std::error_code error;
        if (std::filesystem::exists(destination, error))
            job->results[span.clip.id] = destination.string();
        else
            job->pending.push_back({span.clip.id, span.clip.path, destination, speechRanges(model_.project().words, span)});
    }
    if (job->pending.empty()) {
        publish(std::move(job->results));
        return;
    }
    const std::uint64_t id = job->id;
    job_ = std::move(job);
    if (delaySeconds <= 0) {
        begin(id);
    } else if (clock_) {
        job_->timer = clock_->start(delaySeconds, [this, id] { begin(id); });
    } else {
        QTimer::singleShot(static_cast<int>(delaySeconds * 1000), this, [this, id] { begin(id); });
    }
}

void AudioCleanupJobs::setError(std::optional<std::string> message)
{
    if (message == error_) return;
    error_ = std::move(message);
    emit errorChanged();
}

void AudioCleanupJobs::begin(std::uint64_t id)
{
    if (!job_ || job_->id != id) return;  // cancelled while it waited
    setError(std::nullopt);
    model_.setAudioProgress(0.0);
    cleanNext();
}

void AudioCleanupJobs::cleanNext()
{
    Job& job = *job_;
    if (job.next == job.pending.size()) {
        std::map<Uuid, std::string> results = std::move(job.results);
        const std::vector<Entry> cleaned = std::move(job.pending);
        job_.reset();
        publish(std::move(results));
        // The files for the old settings stay until now: the player and the
        // export use them until the new ones are published.
        for (const Entry& entry : cleaned) removeStaleFiles(entry.clip, entry.destination);
        return;
    }
    const Entry entry = job.pending[job.next];
    const double index = static_cast<double>(job.next);
    const double count = static_cast<double>(job.pending.size());
    const std::uint64_t id = job.id;
    const CancelToken cancel = job.cancel;
    const AudioCleanup settings = job.settings;
    worker_.start([this, entry, index, count, id, cancel, settings] {
        std::exception_ptr error;
        try {
            cleaner_(entry.video, entry.speech, settings, entry.destination,
                     [this, index, count, id](double f) {
                         QMetaObject::invokeMethod(this, [this, id, p = (index + f) / count] { progressed(id, p); }, Qt::QueuedConnection);
                     },
                     cancel);
        } catch (...) {
            error = std::current_exception();
        }
        QMetaObject::invokeMethod(this, [this, id, error] { finished(id, error); }, Qt::QueuedConnection);
    });
}

void AudioCleanupJobs::progressed(std::uint64_t id, double fraction)
{
    if (job_ && job_->id == id && model_.audioProgress()) model_.setAudioProgress(fraction);
}

void AudioCleanupJobs::finished(std::uint64_t id, std::exception_ptr error)
{
    if (!job_ || job_->id != id) return;  // superseded: its work is not published
    if (error) {
        job_.reset();
        try {
            std::rethrow_exception(error);
        } catch (const CancellationError&) {
        } catch (const std::exception& e) {
            setError("Audio cleanup failed: " + std::string(e.what()));
        } catch (...) {
            setError("Audio cleanup failed: no details.");
        }
        model_.setAudioProgress(std::nullopt);
        return;
    }
    const Entry& entry = job_->pending[job_->next];
    job_->results[entry.clip] = entry.destination.string();
    ++job_->next;
    cleanNext();
}

void AudioCleanupJobs::removeStaleFiles(const Uuid& clip, const std::filesystem::path& keep)
{
    const std::string prefix = clip.text();
    std::error_code error;
    try {
        for (const auto& item : std::filesystem::directory_iterator(keep.parent_path(), error)) {
            const std::string name = item.path().filename().string();
            if (name.rfind(prefix, 0) == 0 && item.path() != keep) std::filesystem::remove(item.path(), error);
        }
    } catch (const std::filesystem::filesystem_error&) {
        // Stale files that cannot be listed stay; they are never used.
    }
}

}  // namespace vt
