#include "editor/SourcePlayer.h"

#include "video/CompositionBuilder.h"
#include "video/MediaLoading.h"

#include <QCoreApplication>
#include <QPointer>

#include <cmath>
#include <thread>

namespace vt {
namespace {

std::shared_ptr<PlayerItem> sourceItem(const std::string& path, QSize shownSize)
{
    const SourceVideoInfo info = MediaLoading::loadSourceVideoInfo(path);
    BuildRequest request;
    request.clips.push_back({Uuid::random(), path, 0, info.duration, info, std::nullopt, 1});
    request.plan.segments.push_back({0, info.duration, 0});
    BuildResult built = CompositionBuilder::build(request);

    // The picture as it shows upright, fitted into the shown size.
    const bool turned = std::abs(info.transform.b) > std::abs(info.transform.a);
    const double w = turned ? info.naturalHeight : info.naturalWidth;
    const double h = turned ? info.naturalWidth : info.naturalHeight;
    RenderSnapshot snap;
    snap.captionsVisible = false;
    snap.plan = request.plan;
    snap.reframe = ReframeMode::center;
    snap.renderSize = {w, h};
    return PlayerEngine::item(std::move(built), std::make_shared<RenderState>(std::move(snap)), info.fps,
                              QSize(int(w), int(h)).scaled(shownSize, Qt::KeepAspectRatio), shownSize);
}

}  // namespace

SourcePlayer::SourcePlayer(QSize shownSize, bool useSoundDevice, QObject* parent)
    : QObject(parent), shownSize_(shownSize), player_(useSoundDevice, this)
{
}

SourcePlayer::~SourcePlayer() = default;

void SourcePlayer::load(const std::string& path)
{
    if (loaded_) return;
    loaded_ = true;
    const std::uint64_t generation = ++generation_;
    QPointer<SourcePlayer> self(this);
    std::thread([self, generation, path, size = shownSize_] {
        std::shared_ptr<PlayerItem> item;
        try {
            item = sourceItem(path, size);
        } catch (const std::exception&) {
            // An unreadable video leaves the preview black.
        }
        QMetaObject::invokeMethod(QCoreApplication::instance(), [self, generation, item = std::move(item)] {
            if (!self || generation != self->generation_) return;
            if (item) {
                self->player_->replaceItem(item);
                self->player_->seek(self->wantedTime_);
                self->player_->setRate(self->wantedRate_);
                self->ready_ = true;
            }
            emit self->readyChanged();
        });
    }).detach();
}

void SourcePlayer::unload()
{
    ++generation_;
    loaded_ = false;
    ready_ = false;
    wantedRate_ = 0;
    player_->replaceItem(nullptr);
}

void SourcePlayer::play()
{
    wantedRate_ = 1;
    if (ready_) player_->setRate(1);
}

void SourcePlayer::pause()
{
    wantedRate_ = 0;
    player_->setRate(0);
}

void SourcePlayer::seek(double seconds)
{
    wantedTime_ = seconds;
    if (ready_) player_->seek(seconds);
}

double SourcePlayer::currentTime() const { return ready_ ? player_->currentTime() : wantedTime_; }

QImage SourcePlayer::frame() { return ready_ ? player_->currentFrame() : QImage(); }

}  // namespace vt
