#include "editor/EditorModel.h"

#include "editor/QtEditorClock.h"
#include "model/DataRoot.h"
#include "platform/HandOff.h"
#include "speech/CaptionError.h"
#include "video/MediaLoading.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThreadPool>

#include <algorithm>
#include <filesystem>

namespace vt {

namespace {

// The snapshot the render state holds until the first derivation replaces
// it, still inside construction.
RenderSnapshot provisionalSnapshot(const Project& project, const EditPlan& plan)
{
    RenderSnapshot s;
    s.style = project.style;
    s.reframe = project.reframe;
    s.plan = plan;
    s.captionsVisible = true;
    const Size size = renderSize(project.aspect);
    s.renderSize = {size.width, size.height};
    s.transition = CutTransition::none;
    s.effectsVolume = 0;
    return s;
}

std::string replaceAll(std::string text, const std::string& from, const std::string& to)
{
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

}  // namespace

EditorModel::EditorModel(Project project, std::shared_ptr<FileAccess::Session> files, EditorServices services,
                         QObject* parent)
    : QObject(parent), services_(std::move(services)), files_(std::move(files)), project_(std::move(project))
{
    if (!services_.clock) services_.clock = std::make_shared<QtEditorClock>();
    for (Debounce* task : {&saveTask_, &effectsTask_, &rebuildTask_, &refreshTask_}) task->bind(services_.clock);

    Timeline::migrate(project_);
    plan_ = EditPlan::make(project_.words, project_.sourceDuration, project_.trimPauses, project_.maxPause,
                           std::nullopt, project_.keptRanges());
    renderState_ = std::make_shared<RenderState>(provisionalSnapshot(project_, plan_));
    if (project_.hookOverlay)
        thumbText_ = project_.hookOverlay->text;
    else if (!project_.hooks.empty())
        thumbText_ = project_.hooks.front();
    rewriteLegacyMusicPath();
    startBackgroundLoads();
    recomputeDerived();
    if (services_.player) {
        QPointer<EditorModel> self(this);
        services_.player->startTimeReports([self](double seconds, double rate) {
            if (self) self->tick(seconds, rate);
        });
        timeReports_ = true;
    }
    QMetaObject::invokeMethod(this, [this] { setup(); }, Qt::QueuedConnection);
}

EditorModel::~EditorModel()
{
    // Nothing may fire into a destroyed model; a pending save is written now
    // instead of being lost with it.
    if (saveTask_.pending()) writeProject();
    for (Debounce* task : {&saveTask_, &effectsTask_, &rebuildTask_, &refreshTask_}) task->cancel();
    if (timeReports_ && services_.player) services_.player->stopTimeReports();
}

// Music saved under an earlier edition's data folder lives in ours now.
void EditorModel::rewriteLegacyMusicPath()
{
    if (!project_.music) return;
    const std::string parent = DataRoot::applicationSupport().string() + "/";
    const std::string ours = parent + std::string(DataRoot::productFolderName) + "/";
    std::string path = project_.music->path;
    for (std::string_view name : DataRoot::legacyNames) path = replaceAll(path, parent + std::string(name) + "/", ours);
    if (path == project_.music->path) return;
    updateProject([&](Project& p) { p.music->path = path; });
}

void EditorModel::startBackgroundLoads()
{
    if (project_.music && services_.media) {
        auto media = services_.media;
        inBackground([media, path = project_.music->path]() -> std::function<void(EditorModel&)> {
            const double seconds = media->duration(path).value_or(0);
            return [seconds](EditorModel& m) { m.set(m.musicLength_, seconds, &EditorModel::musicLengthChanged); };
        });
    }
    if (project_.brolls)
        for (const BRoll& item : *project_.brolls) loadBRollThumb(item);
    prewarmMatchCuts();
    if (project_.stabilization && project_.stabilization->path && services_.pictures)
        stabCorrection_ =
            services_.pictures->correction(*project_.stabilization->path, project_.stabilization->strength);
    if (project_.audioCleanup && services_.audio) {
        for (const VideoClip& clip : project_.videoClips()) {
            const std::string path = services_.audio->cleanedAudioPath(clip.id, *project_.audioCleanup);
            std::error_code error;
            if (std::filesystem::exists(path, error)) cleanAudioURLs_[clip.id] = path;
        }
    }
    if (project_.sounds)
        for (const SoundClip& sound : *project_.sounds) loadSoundPeaks(sound);
}

void EditorModel::inBackground(std::function<std::function<void(EditorModel&)>()> work)
{
    QPointer<EditorModel> self(this);
    const HandOff handOff;
    std::function<void()> job = [self, work = std::move(work), handOff] {
        handOff.take();
        auto deliver = work();
        // Hand the result to the main thread; the application object outlives
        // any editor, and the editor itself may be gone by then.
        auto land = [self, deliver = std::move(deliver), handOff] {
            handOff.take();
            if (self && !self->tornDown_) deliver(*self);
        };
        handOff.give();
        QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(land), Qt::QueuedConnection);
    };
    handOff.give();
    QThreadPool::globalInstance()->start(std::move(job));
}

// ---- set-up: media facts, poster, first player item -------------------------

void EditorModel::setup()
{
    setupWaiting_ = true;
    loadClips([](EditorModel&) {});
}

// Probes, off the main thread and one after the other, every clip whose
// facts are not known yet (a file is probed once as long as its probe
// succeeds; a failed one is tried again by the next read), keeps them, and
// sums up the facts of the current clip list into `source`. `then` runs on
// the main thread afterwards. Reads that overlap each store what they probed;
// each sums up the clip list as it is when it ends.
void EditorModel::loadClips(std::function<void(EditorModel&)> then)
{
    auto finish = [then = std::move(then)](EditorModel& m) {
        m.source_ = MediaLoading::summary(m.project_, m.clipInfo_);
        emit m.sourceChanged();
        then(m);
        if (std::exchange(m.setupWaiting_, false)) m.setupWithSource();
    };
    std::vector<VideoClip> unread;
    for (const VideoClip& clip : project_.videoClips())
        if (!clipInfo_.contains(clip.id)) unread.push_back(clip);
    if (!services_.media || unread.empty()) {
        finish(*this);
        return;
    }
    inBackground([media = services_.media, unread = std::move(unread),
                  finish = std::move(finish)]() -> std::function<void(EditorModel&)> {
        std::map<Uuid, SourceVideoInfo> probed;
        for (const VideoClip& clip : unread)
            if (auto facts = media->probeVideo(clip.path)) probed[clip.id] = *facts;
        return [probed = std::move(probed), finish](EditorModel& m) {
            for (const auto& [id, facts] : probed) m.clipInfo_[id] = facts;
            finish(m);
        };
    });
}

void EditorModel::setupWithSource()
{
    if (!source_) {
        setExportError(CaptionError::noVideoTrack().message());
        set(isLoading_, false, &EditorModel::isLoadingChanged);
        return;
    }
    // The first picture comes before the rest of what reads the video: the
    // poster (and the look previews drawn from it), the waveform and the
    // filmstrip would hold it back for seconds on a busy machine.
    rebuildPlayer([this] {
        if (!services_.player) {
            grabPoster();
            return;
        }
        QPointer<EditorModel> self(this);
        services_.player->whenPictureReady([self] {
            if (self && !self->tornDown_) self->grabPoster();
        });
    });
}

void EditorModel::grabPoster()
{
    // The poster comes from the first kept moment, a third of the way into
    // the first kept stretch but at most 1.5 s in.
    const auto kept = project_.keptRanges();
    ClosedRange<double> range{0, project_.sourceDuration};
    if (kept && !kept->empty())
        range = kept->front();
    else if (project_.sourceRange)
        range = *project_.sourceRange;
    const auto spans = project_.spans();
    auto span = std::find_if(spans.rbegin(), spans.rend(), [&](const ClipSpan& s) { return s.start <= range.lower; });
    if (span == spans.rend() || !services_.media) {
        finishSetup();
        return;
    }
    const double at = range.lower + std::min((range.upper - range.lower) / 3, 1.5);
    auto media = services_.media;
    inBackground([media, path = span->clip.path, inFile = at - span->start, at]() -> std::function<void(EditorModel&)> {
        auto image = media->frame(path, inFile);
        return [image = std::move(image), at](EditorModel& m) {
            m.posterTime_ = at;
            m.set(m.posterFrame_, image, &EditorModel::posterFrameChanged);
            m.finishSetup();
        };
    });
}

void EditorModel::finishSetup()
{
    // The audio cleanup starts here once its engine exists; the editor is
    // ready once the player shows its first picture and the poster is in.
    loadClipPeaksAndFrames();
    set(isLoading_, false, &EditorModel::isLoadingChanged);
}

void EditorModel::teardown()
{
    if (!tornDown_) emit closing();
    // A pending save is written now: nothing of a closed editor is written
    // later, where it could replace a newer copy of the project. A change
    // whose save failed is tried once more rather than lost with the editor.
    if (saveTask_.pending() || unsaved_) saveNow();
    effectsTask_.cancel();
    ++effectsGeneration_;
    if (services_.player) {
        services_.player->pause();
        if (timeReports_) services_.player->stopTimeReports();
        services_.player->detachItem();
    }
    timeReports_ = false;
    if (files_) files_->close();
    tornDown_ = true;
}

// ---- plain properties ------------------------------------------------------------

std::optional<EditorModel::Activity> EditorModel::activity() const
{
    if (stabilizeProgress_) return Activity{"Measuring camera shake", stabilizeProgress_};
    if (audioProgress_) return Activity{"Cleaning up audio", audioProgress_};
    if (!clipJobs_.empty()) return Activity{"New clip: " + clipJobs_.begin()->second, std::nullopt};
    if (autoBusy_) return Activity{"Analyzing color", std::nullopt};
    if (musicBusy_) return Activity{"Composing music", std::nullopt};
    if (isRefreshing_) return Activity{"Updating preview", std::nullopt};
    return std::nullopt;
}

void EditorModel::setCurrentTime(double seconds) { set(currentTime_, seconds, &EditorModel::currentTimeChanged); }

std::optional<double> EditorModel::takePendingSeek() { return std::exchange(pendingSeek_, std::nullopt); }

void EditorModel::setWaveformPeaks(std::vector<float> peaks)
{
    set(waveformPeaks_, std::move(peaks), &EditorModel::waveformPeaksChanged);
}

void EditorModel::setExportError(std::optional<std::string> message)
{
    set(exportError_, std::move(message), &EditorModel::exportErrorChanged);
}

void EditorModel::setSelection(std::set<Uuid> ids) { set(selection_, std::move(ids), &EditorModel::selectionChanged); }
void EditorModel::setEditingWordID(std::optional<Uuid> id)
{
    set(editingWordID_, id, &EditorModel::editingWordIDChanged);
}
void EditorModel::setEditDraft(std::string draft) { set(editDraft_, std::move(draft), &EditorModel::editDraftChanged); }
void EditorModel::setEditStartedByTyping(bool value)
{
    set(editStartedByTyping_, value, &EditorModel::editStartedByTypingChanged);
}
void EditorModel::setInspectorTab(InspectorTab tab) { set(inspectorTab_, tab, &EditorModel::inspectorTabChanged); }
void EditorModel::setTranscriptMode(TranscriptMode mode)
{
    set(transcriptMode_, mode, &EditorModel::transcriptModeChanged);
}
void EditorModel::setShowSafeArea(bool value) { set(showSafeArea_, value, &EditorModel::showSafeAreaChanged); }
void EditorModel::setShowOriginal(bool value)
{
    set(showOriginal_, value, &EditorModel::showOriginalChanged);
    visualChanged();
}
void EditorModel::setTimelineZoom(double zoom) { set(timelineZoom_, zoom, &EditorModel::timelineZoomChanged); }
void EditorModel::setItemInspectorOpen(bool value)
{
    set(itemInspectorOpen_, value, &EditorModel::itemInspectorOpenChanged);
}
void EditorModel::setTimelineSelection(std::optional<TimelineItem> item)
{
    set(timelineSelection_, item, &EditorModel::timelineSelectionChanged);
}
void EditorModel::setAudioBypass(bool value)
{
    set(audioBypass_, value, &EditorModel::audioBypassChanged);
    timelineChanged();
}
void EditorModel::setCleanAudioURLs(std::map<Uuid, std::string> files)
{
    set(cleanAudioURLs_, std::move(files), &EditorModel::cleanAudioURLsChanged);
}
void EditorModel::setMusicLength(double seconds) { set(musicLength_, seconds, &EditorModel::musicLengthChanged); }
void EditorModel::setMusicBusy(bool value) { set(musicBusy_, value, &EditorModel::musicBusyChanged); }
void EditorModel::setAudioProgress(std::optional<double> progress)
{
    set(audioProgress_, progress, &EditorModel::audioProgressChanged);
}
void EditorModel::setAutoBusy(bool value) { set(autoBusy_, value, &EditorModel::autoBusyChanged); }
void EditorModel::setStabilizeProgress(std::optional<double> progress)
{
    set(stabilizeProgress_, progress, &EditorModel::stabilizeProgressChanged);
}
void EditorModel::setStabCorrection(std::optional<StabilizationCorrection> correction)
{
    set(stabCorrection_, std::move(correction), &EditorModel::stabCorrectionChanged);
}
void EditorModel::setPreviewLook(std::optional<std::string> lookID)
{
    set(previewLook_, std::move(lookID), &EditorModel::previewLookChanged);
}
void EditorModel::setThumbText(std::string text) { set(thumbText_, std::move(text), &EditorModel::thumbTextChanged); }

}  // namespace vt
