#include "video/Player.h"

#include "video/CompositionMixer.h"
#include "video/CompositionVideo.h"

#include "platform/ThreadPriority.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <utility>

namespace vt {

namespace {

constexpr std::size_t queueCapacity = 3;  // pictures composed ahead of the clock

double fpsOf(const PlayerItem& item) { return item.fps > 0 ? item.fps : 30; }

// The picture of the frame grid on screen at `time`.
std::int64_t frameAt(double time, double fps) { return static_cast<std::int64_t>(std::floor(time * fps + 1e-9)); }

// The last picture of the grid: a clock at the very end still shows it.
std::int64_t lastFrame(double duration, double fps)
{
    return std::max<std::int64_t>(static_cast<std::int64_t>(std::ceil(duration * fps - 1e-9)) - 1, 0);
}

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
    std::unique_lock lock(lock_);
    const bool pausing = rate_ > 0 && !(std::isfinite(rate) && rate > 0);
    rate_ = std::isfinite(rate) && rate > 0 ? rate : 0;
    // Playing may have skipped the picture for where the clock stops; paused,
    // the player shows that picture, so it is composed now.
    if (pausing && !holdsPictureForClock()) restartPictures();
    lock.unlock();
    changed_.notify_all();
}

bool Player::holdsPictureForClock() const
{
    if (!item_) return true;
    const double fps = fpsOf(*item_);
    const std::int64_t wanted = std::min(frameAt(clock_, fps), lastFrame(item_->duration, fps));
    const auto isWanted = [&](const Picture& p) { return !p.image.isNull() && frameAt(p.time, fps) == wanted; };
    return isWanted(shown_) || std::any_of(queue_.begin(), queue_.end(), isWanted);
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
    const double fps = fpsOf(item);
    // Pictures sit on the frame grid; the first is the one on screen at `from`.
    const std::int64_t last = lastFrame(item.duration, fps);
    // The first picture also opens the decoders and decodes from a key frame
    // to its own; the pictures after it pay neither, so its time says nothing
    // of how far ahead playing must compose.
    bool first = true;
    for (auto k = std::min(frameAt(from, fps), last);; ++k) {
        {
            std::unique_lock lock(lock_);
            changed_.wait(lock, [&] { return generation_ != generation || queue_.size() < queueCapacity; });
            if (generation_ != generation) return;
            k = nextPicture(k, last, fps);
            if (double(k) / fps >= item.duration && k > 0) {
                composedAll_ = true;
                changed_.notify_all();
                return;
            }
        }
        const double time = double(k) / fps;
        const auto start = std::chrono::steady_clock::now();
        QImage image = video.frame(time, item.frameSize);  // composed without the lock
        if (item.composed) item.composed(time);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        std::lock_guard guard(lock_);
        if (generation_ != generation) return;
        if (!std::exchange(first, false)) learnComposeTime(took.count());
        queue_.push_back({time, std::move(image)});
        changed_.notify_all();
    }
}

// Picture k, unless the clock will have left it by the time it is composed:
// then the picture for where the clock will be, and those passed over are
// dropped. Half a frame more than the usual composing time lets a picture
// that takes a little longer than usual still arrive in time.
std::int64_t Player::nextPicture(std::int64_t k, std::int64_t last, double fps)
{
    if (rate_ <= 0 || k > last) return k;
    const double ready = stepped_ ? clock_ : clock_ + rate_ * composeSeconds_ + 0.5 / fps;
    const auto due = std::min(frameAt(ready, fps), last);
    if (due <= k) return k;
    dropped_ += due - k;
    return due;
}

// Measured in real time, not by the clock, which a sound device moves in
// bursts. It follows a slower picture halfway and a faster one a fifth of the
// way: one quick picture does not make the next ones late, and one slow
// picture does not send the next far ahead (a long skip costs decoding,
// which would make the picture after it slower still).
void Player::learnComposeTime(double seconds)
{
    composeSeconds_ += (seconds - composeSeconds_) * (seconds > composeSeconds_ ? 0.5 : 0.2);
}

// A picture is late once the clock has passed its whole frame interval.
bool Player::isLate(const Picture& picture) const
{
    const double fps = item_ ? fpsOf(*item_) : 30;
    return rate_ > 0 && clock_ > picture.time + 1 / fps + 1e-9;
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
        // Pictures behind the clock make room for the worker as they go; one
        // that was never on screen counts as dropped.
        bool popped = false;
        const auto pop = [&] {
            if (queue_.front().image.cacheKey() != shown_.image.cacheKey()) ++dropped_;
            queue_.pop_front();
            popped = true;
        };
        while (queue_.size() > 1 && queue_[1].time <= clock_ + 1e-9) pop();
        if (!queue_.empty() && queue_.front().time <= clock_ + 1e-9) {
            const bool fresh = queue_.front().image.cacheKey() != shown_.image.cacheKey();
            if (fresh && isLate(queue_.front())) {
                pop();  // the sound has moved on: showing it would put the picture behind
            } else {
                shown_ = queue_.front();
                if (queue_.size() > 1 || composedAll_) {
                    queue_.pop_front();
                    popped = true;
                }
            }
        } else if (shown_.image.isNull() && !queue_.empty() && rate_ <= 0) {
            // Paused before the first picture's time. While playing, a
            // picture composed ahead waits for the sound to reach it.
            shown_ = queue_.front();
        }
        if (popped) changed_.notify_all();
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
    stepped_ = true;
    return takeFrame(lock, true);
}

std::int64_t Player::droppedFrames() const
{
    std::lock_guard guard(lock_);
    return dropped_;
}

}  // namespace vt
