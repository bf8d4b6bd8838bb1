#include "text/ClipPreview.h"

#include <QTimer>

namespace vt {

ClipPreview::ClipPreview(std::shared_ptr<ClipPlayer> player, QObject* parent) : QObject(parent), player_(std::move(player)) {}

ClipPreview::~ClipPreview() = default;

bool ClipPreview::observing() const { return ticker_ != nullptr; }

void ClipPreview::setPlaying(bool playing)
{
    if (playing_ == playing) return;
    playing_ = playing;
    emit playingChanged();
}

void ClipPreview::setTime(double seconds)
{
    if (time_ == seconds) return;
    time_ = seconds;
    emit timeChanged();
}

void ClipPreview::load(const std::string& path)
{
    if (player_->hasItem()) return;
    player_->load(path);
    if (!ticker_) {
        ticker_ = new QTimer(this);
        ticker_->setInterval(tickMs);
        connect(ticker_, &QTimer::timeout, this, [this] { tick(player_->currentTime()); });
        ticker_->start();
    }
}

void ClipPreview::tick(double seconds)
{
    setTime(seconds);
    if (clip_ && playing_ && clip_->end <= seconds) {
        player_->pause();
        setPlaying(false);
    }
}

void ClipPreview::cue(const ClipFinder::Clip& clip)
{
    clip_ = clip;
    player_->seek(clip.start);
    setTime(clip.start);
}

void ClipPreview::toggle(const ClipFinder::Clip& clip)
{
    if (playing_) {
        player_->pause();
        setPlaying(false);
        return;
    }
    if (!clip_ || !(*clip_ == clip) || time_ >= clip.end - 0.1 || time_ < clip.start) cue(clip);
    player_->play();
    setPlaying(true);
}

void ClipPreview::stop()
{
    player_->pause();
    setPlaying(false);
    if (ticker_) {
        ticker_->stop();
        ticker_->deleteLater();
        ticker_ = nullptr;
    }
    player_->unload();
}

}  // namespace vt
