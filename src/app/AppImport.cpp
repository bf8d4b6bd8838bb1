// The import pipeline: one video file to a transcribed, saved project that
// opens. Each stage runs on the main thread; the heavy work of a stage runs
// on the model's pool and comes back with its result. A stage that finds its
// import is no longer the current one stops.
//
// Face tracking needs no transcript, so it runs from the probe on, alongside
// language detection and transcription; the processing screen shows its
// progress once the transcript is in, and the project is saved when both
// have come back.

#include "app/AppModel.h"

#include "app/AppSettings.h"
#include "app/Background.h"
#include "captions/StyleLibrary.h"
#include "captions/presets/StylePresets.h"
#include "model/ProjectStore.h"
#include "platform/media/VideoFile.h"
#include "speech/CaptionError.h"
#include "speech/FailureText.h"
#include "speech/LanguageGuard.h"
#include "speech/Transcriber.h"
#include "speech/WhisperLanguage.h"
#include "speech/WhisperTranscriber.h"
#include "text/HookGenerator.h"
#include "video/effects/FaceTracker.h"

#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>

namespace vt {
namespace {

constexpr double kPosterLatest = 1.5;     // seconds into the video at most
constexpr double kShortsFrom = 180;       // seconds: longer videos go to the Shorts picker
constexpr int kMirrorInterval = 250;      // ms between looks at a running download

constexpr std::string_view kListening = "Extracting audio · listening for the language";
constexpr std::string_view kWaitingForModel = "Downloading Whisper model (one time)";
constexpr std::string_view kTracking = "Tracking the speaker for smart reframing";

struct Probe {
    double duration = 0;
    std::optional<QImage> poster;
};

Probe probe(const std::filesystem::path& url)
{
    media::VideoFile file(url);
    if (!file.hasVideo()) throw CaptionError::noVideoTrack();
    Probe result;
    result.duration = file.facts().duration;
    return result;
}

}  // namespace

struct AppModel::Import {
    Task task = std::make_shared<TaskHandle>();
    std::filesystem::path url;
    double duration = 0;
    std::optional<QImage> poster;
    LanguageGuard::Choice choice;
    std::vector<Word> words;
    std::string localeTag;
    std::optional<FaceTrack> faceTrack;
    bool transcribed = false;
    bool tracked = false;
    double trackingFraction = 0;  // shown once the transcript is in
    // Set on the main thread when the import has ended; the tracker's thread
    // reads it to stop early.
    std::atomic<bool> ended{false};
};

void AppModel::importVideo(const std::filesystem::path& url)
{
    if (screen_ == Screen::processing) return;
    startImport(url);
}

void AppModel::startImport(const std::filesystem::path& url)
{
    if (screen_ == Screen::onboarding) AppSettings::set(AppSettings::hasOnboardedKey, true);
    dropEditor();  // its pending changes are not saved here
    ProcessingState state;
    state.fileName = url.filename().string();
    setProcessing(std::move(state));
    setScreen(Screen::processing);

    auto run = std::make_shared<Import>();
    run->url = url;
    setTask(run->task);
    background<Probe>(
        [url] {
            Probe result = probe(url);
            result.poster = frame(url, std::min(result.duration / 3, kPosterLatest));
            return result;
        },
        [this, run](Probe result) {
            run->duration = result.duration;
            run->poster = std::move(result.poster);
            probed(run);
        },
        [this, run](std::exception_ptr error) { failImport(run, error); });
}

bool AppModel::isCurrent(const std::shared_ptr<Import>& run) const { return task_ == run->task && !run->ended; }

void AppModel::updatePhase(const std::shared_ptr<Import>& run, std::string phase, double fraction)
{
    if (!isCurrent(run) || !processing_) return;
    processing_->update(std::move(phase), fraction);
    emit processingChanged();
}

std::function<void(const std::string&, double)> AppModel::reporter(const std::shared_ptr<Import>& run)
{
    return [this, run](const std::string& phase, double fraction) {
        QMetaObject::invokeMethod(this, [this, run, phase, fraction] { updatePhase(run, phase, fraction); }, Qt::QueuedConnection);
    };
}

void AppModel::probed(const std::shared_ptr<Import>& run)
{
    if (!isCurrent(run)) return;
    if (processing_) {
        processing_->poster = run->poster;
        emit processingChanged();
    }
    trackFaces(run);
    run->choice = {engine_, localeID_, whisperLanguageID_, std::nullopt};
    if (!WhisperTranscriber::isModelInstalled()) {
        chooseEngine(run, false, std::nullopt);
        return;
    }
    updatePhase(run, std::string(kListening), 0);
    background<std::optional<HeardLanguage>>(
        [url = run->url] { return WhisperTranscriber::detectLanguage(url); },
        [this, run](std::optional<HeardLanguage> heard) { chooseEngine(run, true, std::move(heard)); },
        // A failed detection is no detection.
        [this, run](std::exception_ptr) { chooseEngine(run, true, std::nullopt); });
}

void AppModel::chooseEngine(const std::shared_ptr<Import>& run, bool guarded, std::optional<HeardLanguage> heard)
{
    if (!isCurrent(run)) return;
    if (guarded) {
        const LanguageGuard::Choice asked = run->choice;
        run->choice = LanguageGuard::choose(asked.engine, asked.appleLocaleID, asked.whisperLanguageID, heard, locales_);
        if (processing_) {
            processing_->note = run->choice.note;
            emit processingChanged();
        }
    }
    if (run->task->isCancelled()) {
        failImport(run, std::make_exception_ptr(CancellationError()));
        return;
    }
    transcribe(run);
}

void AppModel::transcribe(const std::shared_ptr<Import>& run)
{
    if (run->choice.engine == TranscriptionEngine::whisper && modelDownloadTask_) {
        // Wait for the running download, showing its progress. Cancel ends
        // the wait at once: the download itself goes on for the next import.
        auto mirror = new QTimer(this);
        mirror->setInterval(kMirrorInterval);
        auto stop = [this, mirror] {
            disconnect(this, nullptr, mirror, nullptr);
            mirror->stop();
            mirror->deleteLater();
        };
        auto look = [this, run, stop] {
            if (run->task->isCancelled()) {
                stop();
                failImport(run, std::make_exception_ptr(CancellationError()));
                return;
            }
            if (modelDownloadProgress_) updatePhase(run, std::string(kWaitingForModel), *modelDownloadProgress_);
        };
        connect(mirror, &QTimer::timeout, this, look);
        connect(this, &AppModel::modelDownloadTaskChanged, mirror, [this, run, stop] {
            if (modelDownloadTask_) return;
            stop();
            if (isCurrent(run)) transcribeNow(run);
        });
        mirror->start();
        look();
        return;
    }
    transcribeNow(run);
}

void AppModel::transcribeNow(const std::shared_ptr<Import>& run)
{
    struct Transcript {
        std::vector<Word> words;
        std::string localeTag;
    };
    const LanguageGuard::Choice choice = run->choice;
    // whisper.cpp fetches its model first when it is missing; a failure
    // while it does is the download's, and is told as such.
    auto fetching = std::make_shared<std::atomic<bool>>(false);
    auto progress = [report = reporter(run), fetching](const std::string& stage, double fraction) {
        fetching->store(stage == WhisperTranscriber::downloadingStage);
        report(stage, fraction);
    };
    background<Transcript>(
        [url = run->url, choice, progress, cancel = run->task->token(), duration = run->duration] {
            if (choice.engine == TranscriptionEngine::whisper) {
                const WhisperLanguage& language = WhisperLanguage::find(choice.whisperLanguageID);
                return Transcript{WhisperTranscriber::transcribe(url, language, progress, cancel), "whisper:" + choice.whisperLanguageID};
            }
            return Transcript{Transcriber::transcribe(url, choice.appleLocaleID, duration, progress, cancel), choice.appleLocaleID};
        },
        [this, run](Transcript transcript) {
            if (!isCurrent(run)) return;
            run->words = std::move(transcript.words);
            run->localeTag = std::move(transcript.localeTag);
            if (run->choice.engine == TranscriptionEngine::whisper) setWhisperInstalled(WhisperTranscriber::isModelInstalled());
            if (run->task->isCancelled()) {
                failImport(run, std::make_exception_ptr(CancellationError()));
                return;
            }
            run->transcribed = true;
            updatePhase(run, std::string(kTracking), run->tracked ? 1.0 : run->trackingFraction);
            finishImport(run);
        },
        [this, run, fetching](std::exception_ptr error) { failImport(run, error, fetching->load()); });
}

void AppModel::trackFaces(const std::shared_ptr<Import>& run)
{
    // Reports reach the screen only once the transcript is in: until then the
    // screen shows the transcription's step. A cancelled or ended import stops
    // the tracker at its next frame.
    auto progress = [this, run](double fraction) {
        if (run->task->isCancelled() || run->ended) throw CancellationError();
        QMetaObject::invokeMethod(
            this,
            [this, run, fraction] {
                run->trackingFraction = std::max(run->trackingFraction, fraction);
                if (run->transcribed) updatePhase(run, std::string(kTracking), run->trackingFraction);
            },
            Qt::QueuedConnection);
    };
    auto track = services_.trackFaces;
    if (!track) track = FaceTracker::analyze;
    auto tracked = [this, run](std::optional<FaceTrack> faces) {
        if (!isCurrent(run)) return;
        run->faceTrack = std::move(faces);
        run->tracked = true;
        finishImport(run);
    };
    background<std::optional<FaceTrack>>(
        [track, url = run->url, duration = run->duration, progress] { return track(url, duration, progress); },
        tracked,
        // Following the face only frames the picture better: whatever stops
        // it, the video is framed around its middle and the import goes on
        // (a cancelled one stops at its next check).
        [tracked](std::exception_ptr) { tracked(std::nullopt); });
}

Project AppModel::buildProject(const Import& run) const
{
    Project project;
    project.id = Uuid::random();
    project.name = run.url.stem().string();
    project.videoPath = run.url.string();
    project.videoBookmark = FileAccess::makeBookmark(run.url);
    project.createdAt = std::chrono::system_clock::now();
    project.updatedAt = std::chrono::system_clock::now();
    project.sourceDuration = run.duration;
    project.localeID = run.localeTag;
    project.words = run.words;
    project.style = StyleLibrary::shared().style(startStyleID_).value_or(StylePresets::core().front());
    project.baseStyleID = project.style.id;
    project.aspect = OutputAspect::vertical;
    project.reframe = ReframeMode::smart;
    project.trimPauses = false;
    project.maxPause = 0.45;
    project.captionsVisible = true;
    project.hooks = HookGenerator::fromTranscript(project.words);
    project.faceTrack = run.faceTrack;
    const bool native = std::any_of(run.words.begin(), run.words.end(), [](const Word& w) { return w.native.has_value(); });
    if (captionLanguageID_ != "latin" && native) project.captionLanguageID = captionLanguageID_;
    return project;
}

void AppModel::finishImport(const std::shared_ptr<Import>& run)
{
    if (!run->transcribed || !run->tracked) return;  // the other stage is still at work
    if (run->task->isCancelled()) {
        failImport(run, std::make_exception_ptr(CancellationError()));
        return;
    }
    run->ended = true;
    const Project project = buildProject(*run);
    // The transcript is not thrown away when the store refuses it: the
    // project still opens, and the alert says it is not on disk.
    if (ProjectStore::save(project) != ProjectStore::SaveResult::saved)
        setErrorMessage(std::string("The new project could not be saved: it is open, but it is not on disk yet."));
    // A poster that cannot be written leaves the project without one.
    if (run->poster) writePoster(*run->poster, project.id);
    reloadProjects();
    if (run->duration >= kShortsFrom) {
        findShorts(project);
    } else {
        open(project);
        // A project whose media cannot be opened leaves the alert up; the
        // window goes home rather than stay on a screen with nothing running.
        if (screen_ == Screen::processing) setScreen(Screen::home);
    }
    setProcessing(std::nullopt);
}

void AppModel::failImport(const std::shared_ptr<Import>& run, std::exception_ptr error, bool fetchingModel)
{
    if (!isCurrent(run)) return;
    run->ended = true;
    try {
        std::rethrow_exception(error);
    } catch (const CancellationError&) {
    } catch (...) {
        FailureText::Text text = fetchingModel ? FailureText::ofDownload(error) : FailureText::ofImport(error);
        setErrorMessage(std::move(text.message), std::move(text.detail));
    }
    setScreen(Screen::home);
    setProcessing(std::nullopt);
}

}  // namespace vt
