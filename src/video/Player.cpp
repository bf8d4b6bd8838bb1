#include "video/Player.h"

#include "video/CompositionMixer.h"
#include "video/CompositionVideo.h"

#include "platform/ThreadPriority.h"

#include <algorithm>
#include <cmath>

namespace vt {

namespace {

constexpr std::size_t queueCapacity = 3;  // pictures composed ahead of the clock

}  // namespace

Player::Player(media::AudioFormat format) : format_(format) {}

Player::~Player()
{
    {
        std::lock_guard guard(lock_);
        stopping_ = true;
        ++generation_;
    }
    changed_.notify_all();
    if (worker_.joinable()) worker_.join();
}

void Player::replaceItem(std::shared_ptr<const PlayerItem> item)
{
    std::unique_lock lock(lock_);
    item_ = std::move(item);
    mixer_ = item_ ? std::make_unique<CompositionMixer>(item_->composition, item_->audioMix, format_) : nullptr;
    clock_ = item_ ? std::clamp(clock_, 0.0, item_->duration) : 0;
    restartPictures();
    lock.unlock();
    changed_.notify_all();
}

void Player::seek(double seconds)
{
    std::unique_lock lock(lock_);
    clock_ = std::isfinite(seconds) ? std::max(seconds, 0.0) : 0;
    if (item_) clock_ = std::min(clock_, item_->duration);
    restartPictures();
    lock.unlock();
    changed_.notify_all();
}

void Player::setRate(double rate)
{
    std::lock_guard guard(lock_);
    rate_ = std::isfinite(rate) && rate > 0 ? rate : 0;
}

double Player::rate() const
{
    std::lock_guard guard(lock_);
    return rate_;
}

double Player::currentTime() const
{
    std::lock_guard guard(lock_);
    return clock_;
}

void Player::restartPictures()
{
    ++generation_;
    queue_.clear();
    composedAll_ = false;
    shown_ = {};
    // The worker sees the new generation after its current picture and
    // starts over by itself: a seek or a new item never waits for it, so a
    // dragged playhead or an edit's rebuild stays off the caller's thread.
    if (!worker_.joinable() && item_ && !stopping_) worker_ = std::thread(&Player::composeLoop, this);
}

void Player::composeLoop()
{
    ThreadPriority::yieldToInput();
    // The readers of an item stay open across seeks; a new item gets new ones.
    std::shared_ptr<const PlayerItem> item;
    std::unique_ptr<CompositionVideo> video;
    std::uint64_t started = 0;
    std::unique_lock lock(lock_);
    for (;;) {
        changed_.wait(lock, [&] { return stopping_ || generation_ != started; });
        if (stopping_) return;
        started = generation_;
        const bool newItem = item_ != item;
        item = item_;
        const double from = clock_;
        lock.unlock();
        if (newItem) {
            video.reset();
            if (item) video = std::make_unique<CompositionVideo>(item->composition, item->clipTracks, item->state, item->decodeEdge);
        }
        if (video) composeFrom(*video, *item, started, from);
        lock.lock();
    }
}

void Player::composeFrom(CompositionVideo& video, const PlayerItem& item, std::uint64_t generation, double from)
{
    const double fps = item.fps > 0 ? item.fps : 30;
    // Pictures sit on the frame grid; the first is the one on screen at
    // `from`, and a clock at the very end still shows the last picture.
    const auto last = std::max<std::int64_t>(static_cast<std::int64_t>(std::ceil(item.duration * fps - 1e-9)) - 1, 0);
    for (auto k = std::min(static_cast<std::int64_t>(std::floor(from * fps + 1e-9)), last);; ++k) {
        const double time = double(k) / fps;
        {
            std::unique_lock lock(lock_);
            changed_.wait(lock, [&] { return generation_ != generation || queue_.size() < queueCapacity; });
            if (generation_ != generation) return;
            if (time >= item.duration && k > 0) {
                composedAll_ = true;
                changed_.notify_all();
                return;
            }
        }
        QImage image = video.frame(time, item.frameSize);  // composed without the lock
        std::lock_guard guard(lock_);
        if (generation_ != generation) return;
        queue_.push_back({time, std::move(image)});
        changed_.notify_all();
    }
}

double Player::duration() const
{
    std::lock_guard guard(lock_);
    return item_ ? item_->duration : 0;
}

media::AudioBuffer Player::pullSound(std::int64_t frames)
{
    std::unique_lock lock(lock_);
    media::AudioBuffer out(format_, std::max<std::int64_t>(frames, 0));
    if (!item_ || rate_ <= 0 || frames <= 0) return out;
    const double remaining = item_->duration - clock_;
    if (remaining <= 0) {
        rate_ = 0;  // the end stops playback by itself
        return out;
    }
    // Consecutive pulls at normal speed read on without seeking.
    if (mixer_->position() != std::llround(clock_ * format_.sampleRate)) mixer_->seek(clock_);
    if (rate_ == 1) {
        out = mixer_->render(frames);
    } else {
        squeeze(mixer_->render(static_cast<std::int64_t>(std::ceil(double(frames) * rate_)) + 1), out, rate_);
    }
    clock_ = std::min(clock_ + double(frames) * rate_ / format_.sampleRate, item_->duration);
    lock.unlock();
    changed_.notify_all();
    return out;
}

void Player::squeeze(const media::AudioBuffer& source, media::AudioBuffer& out, double rate)
{
    // The sound of `frames × rate` frames of the timeline in `frames`
    // (linear interpolation; the pitch follows the rate).
    const std::int64_t frames = out.frameLength();
    for (std::size_t c = 0; c < out.planes.size(); ++c)
        for (std::int64_t i = 0; i < frames; ++i) {
            const double at = double(i) * rate;
            const auto j = static_cast<std::size_t>(at);
            const double f = at - double(j);
            const auto& s = source.planes[c];
            out.planes[c][std::size_t(i)] = float(s[j] * (1 - f) + s[std::min(j + 1, s.size() - 1)] * f);
        }
}

QImage Player::takeFrame(std::unique_lock<std::mutex>& lock, bool wait)
{
    const std::uint64_t generation = generation_;
    for (;;) {
        // Pictures behind the clock make room for the worker as they go.
        bool dropped = false;
        while (queue_.size() > 1 && queue_[1].time <= clock_ + 1e-9) {
            queue_.pop_front();
            dropped = true;
        }
        if (!queue_.empty() && queue_.front().time <= clock_ + 1e-9) {
            shown_ = queue_.front();
            if (queue_.size() > 1 || composedAll_) {
                queue_.pop_front();
                dropped = true;
            }
        } else if (shown_.image.isNull() && !queue_.empty()) {
            shown_ = queue_.front();  // the clock is before the first picture's time
        }
        if (dropped) changed_.notify_all();
        // The picture for the clock is known once a later one exists or
        // every picture has been composed.
        const bool known = !queue_.empty() && (queue_.back().time > clock_ + 1e-9 || composedAll_);
        if (!wait || known || composedAll_ || !item_ || generation_ != generation) break;
        changed_.wait(lock);
    }
    return shown_.image;
}

QImage Player::currentFrame()
{
    std::unique_lock lock(lock_);
    return takeFrame(lock, false);
}

QImage Player::waitForFrame()
{
    std::unique_lock lock(lock_);
    return takeFrame(lock, true);
}

}  // namespace vt
