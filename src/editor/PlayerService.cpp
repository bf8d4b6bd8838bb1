#include "editor/PlayerService.h"

#include "editor/EditorModel.h"
#include "platform/ThreadPriority.h"
#include "video/MediaLoading.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <thread>
#include <utility>

namespace vt {

namespace {

constexpr int reportIntervalMs = 50;  // 1/20 s
constexpr int pictureCheckMs = 16;    // as often as the screen asks for pictures

// Of clips whose media facts are missing, the message naming the first that
// cannot be read: such a clip would leave the preview blank without a word.
// None when every one reads, so their facts are merely still being loaded.
std::optional<std::string> unreadableClip(const std::vector<VideoClip>& clips)
{
    for (const VideoClip& clip : clips) {
        try {
            MediaLoading::loadSourceVideoInfo(clip.path);
        } catch (const std::exception&) {
            return "The clip \xe2\x80\x9c" + (clip.name.empty() ? clip.path : clip.name) + "\xe2\x80\x9d could not be read.";
        }
    }
    return std::nullopt;
}

}  // namespace

PlayerService::PlayerService(QSize shownSize, bool useSoundDevice, QObject* parent)
    : QObject(parent), shownSize_(shownSize), player_(useSoundDevice, this)
{
}

PlayerService::~PlayerService() = default;

void PlayerService::setMuted(bool muted) { player_.setMuted(muted); }

void PlayerService::rebuild(EditorModel& model, std::function<void(std::optional<std::string>)> done)
{
    const Project& project = model.project();
    std::map<Uuid, std::filesystem::path> cleaned;
    for (const auto& [id, path] : model.cleanAudioURLs()) cleaned[id] = path;
    BuildRequest request;
    request.clips = MediaLoading::clipMedia(project, model.clipInfo(), cleaned, !model.audioBypass());
    std::vector<VideoClip> unread;
    for (const VideoClip& clip : project.videoClips())
        if (!model.clipInfo().contains(clip.id)) unread.push_back(clip);
    const RenderSnapshot snap = model.snapshot();
    request.plan = model.plan();
    if (!(project.tracks && project.tracks->musicMuted)) request.music = project.music;
    request.speech = model.speechRanges();
    request.broll = model.brollPlacements();
    request.voiceover = model.mixVoiceover();
    if (!model.effectsEvents().empty() && model.effectsAudioURL()) request.effects = *model.effectsAudioURL();
    request.effectsVolume = project.soundEffects ? project.soundEffects->volume : -8.0;
    request.sounds = snap.sounds;
    request.videoVolume = snap.videoVolume;

    const std::uint64_t generation = ++latestRebuild_;
    ++building_;
    QPointer<PlayerService> self(this);
    QPointer<EditorModel> target(&model);
    std::thread([self, target, generation, request = std::move(request), unread = std::move(unread), done = std::move(done)]() mutable {
        ThreadPriority::yieldToInput();
        std::optional<BuildResult> built;
        std::optional<std::string> error;
        if (!unread.empty()) {
            error = unreadableClip(unread);  // none: their facts are still being read, nothing to build yet
        } else {
            try {
                built = CompositionBuilder::build(request);
            } catch (const std::exception& e) {
                error = e.what();
            }
        }
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [self, target, generation, built = std::move(built), error = std::move(error), done = std::move(done)]() mutable {
                // A newer rebuild started meanwhile: its result, not this one,
                // goes in, and its failure, not this one, is reported.
                const bool stale = self && generation != self->latestRebuild_;
                if (self && target && built && !stale) self->install(*target, std::move(*built));
                if (self) --self->building_;
                done(stale ? std::nullopt : std::move(error));
            });
    }).detach();
}

void PlayerService::install(EditorModel& model, BuildResult built)
{
    std::map<Uuid, EditorModel::BRollRuntime> runtime;
    for (const BRollPlacement& p : built.broll)
        if (p.trackID && p.source) runtime[p.item.id] = {*p.trackID, *p.source};
    model.setBRollRuntime(std::move(runtime));

    const auto item = PlayerEngine::item(std::move(built), model.renderState(), model.source() ? model.source()->fps : 30,
                                         shownSize_, shownSize_);
    const double wasRate = player_->rate();
    player_->replaceItem(item);
    hasItem_ = true;

    const double target = model.takePendingSeek().value_or(model.currentTime());
    const double t = std::max(std::min(target, model.plan().outputLength() - 0.05), 0.0);
    model.setCurrentTime(t);
    player_->seek(t);
    player_->setRate(wasRate);
}

void PlayerService::refresh(EditorModel& model, std::function<void()> done)
{
    // The pictures read the render state, already new; a paused picture is
    // composed again, a playing one follows by itself.
    if (player_->rate() == 0) player_->seek(model.currentTime());
    done();
}

void PlayerService::pause() { player_->setRate(0); }

void PlayerService::detachItem()
{
    player_->replaceItem(nullptr);
    hasItem_ = false;
}

void PlayerService::play() { player_->setRate(1); }

void PlayerService::setRate(double rate) { player_->setRate(rate); }

void PlayerService::seek(double seconds) { player_->seek(seconds); }

void PlayerService::startTimeReports(std::function<void(double, double)> report)
{
    report_ = std::move(report);
    if (!reports_) {
        reports_ = new QTimer(this);
        reports_->setInterval(reportIntervalMs);
        connect(reports_, &QTimer::timeout, this, [this] {
            if (report_) report_(player_->currentTime(), player_->rate());
        });
    }
    reports_->start();
}

void PlayerService::whenPictureReady(std::function<void()> ready)
{
    pictureWaiters_.push_back(std::move(ready));
    if (!pictureWatch_) {
        pictureWatch_ = new QTimer(this);
        pictureWatch_->setInterval(pictureCheckMs);
        connect(pictureWatch_, &QTimer::timeout, this, &PlayerService::checkPicture);
    }
    pictureWatch_->start();
    checkPicture();
}

void PlayerService::checkPicture()
{
    if (pictureWaiters_.empty()) return;
    // Without an item, a rebuild still on its way may bring one.
    const bool ready = hasItem_ ? !player_->currentFrame().isNull() : building_ == 0;
    if (!ready) return;
    pictureWatch_->stop();
    emit pictureReady();
    for (auto& ready : std::exchange(pictureWaiters_, {})) ready();
}

void PlayerService::stopTimeReports()
{
    if (reports_) reports_->stop();
    report_ = nullptr;
}

}  // namespace vt
