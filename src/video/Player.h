#pragma once
// Plays a built composition: pictures are composed ahead on a worker thread
// into a small bounded queue (so the picture keeps up and memory stays flat
// however long the video is), and the sound, mixed on demand, is the clock
// that picks which picture shows. The sound device (or a test, or a
// benchmark rendering to memory) pulls the sound; each pull moves the clock
// on by what it took, times the rate.
//
// When composing cannot keep up, the picture follows the sound instead of
// falling behind it: the worker skips the pictures the clock will have left
// by the time they could be ready and composes the one for where the clock
// will be, and a picture that still arrives after its time has passed is
// never shown. Both count as dropped.
//
// Threads: every member is called from one thread (the main thread in the
// program) except pullSound, which the sound device may call from its own;
// the worker thread only composes pictures.

#include "platform/media/AudioBuffer.h"
#include "video/CompositionBuilder.h"
#include "video/RenderSnapshot.h"

#include <QImage>
#include <QSize>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace vt {

class CompositionMixer;
class CompositionVideo;

// What a player plays: a built composition with its mix and clip tracks, the
// render state its pictures are drawn from, and how pictures are made.
struct PlayerItem {
    std::shared_ptr<const Composition> composition;
    std::optional<AudioMix> audioMix;
    std::vector<ClipTrack> clipTracks;
    std::shared_ptr<RenderState> state;
    double duration = 0;  // output seconds
    double fps = 30;      // pictures per second
    QSize frameSize;      // the shown size (empty: the snapshot's render size)
    int decodeEdge = 0;   // longest side of decoded source pictures (0: as stored)
    // Called on the composing thread after each picture is composed, with its
    // output time, before it is queued (tests slow the composer with it).
    std::function<void(double time)> composed;
};

class Player {
public:
    explicit Player(media::AudioFormat format = {48000, 2});
    ~Player();
    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;

    // Replaces what plays (nothing: detached); the clock stays where it is,
    // limited to the new item's length. The rate is kept.
    void replaceItem(std::shared_ptr<const PlayerItem> item);
    // Moves the clock to an output time, exactly (no tolerance).
    void seek(double seconds);
    // 0 pauses; positive rates play forward (the sound is sped up with the
    // picture). Reverse play is not possible: negative rates pause.
    void setRate(double rate);
    double rate() const;
    bool canPlayReverse() const { return false; }
    // The clock in output seconds.
    double currentTime() const;
    // The length of what plays (0 when detached).
    double duration() const;

    // The next `frames` frames of sound. Silence while paused or detached;
    // playback stops by itself (rate 0) at the end of the item.
    media::AudioBuffer pullSound(std::int64_t frames);

    // The picture for the clock: the latest composed one at or before it
    // (pictures behind it are dropped); null before the first is ready.
    QImage currentFrame();
    // As currentFrame, but first waits until that picture is composed. For
    // callers that move the clock themselves and wait for each picture
    // (tests, rendering to memory): once it is used, the clock is taken to
    // stand still while a picture is composed, so pictures are composed for
    // the clock rather than ahead of it.
    QImage waitForFrame();
    // Pictures of the frame grid that playback passed without showing them:
    // skipped by the composer or composed too late. Counted over the
    // player's life.
    std::int64_t droppedFrames() const;

private:
    struct Picture {
        double time = 0;
        QImage image;
    };
    void restartPictures();  // with lock_ held
    void composeLoop();
    void composeFrom(CompositionVideo& video, const PlayerItem& item, std::uint64_t generation, double from);
    std::int64_t nextPicture(std::int64_t k, std::int64_t last, double fps);  // with lock_ held
    void learnComposeTime(double seconds);                                    // with lock_ held
    bool isLate(const Picture& picture) const;                                // with lock_ held
    bool holdsPictureForClock() const;                                        // with lock_ held
    QImage takeFrame(std::unique_lock<std::mutex>& lock, bool wait);
    static void squeeze(const media::AudioBuffer& source, media::AudioBuffer& out, double rate);

    media::AudioFormat format_;
    mutable std::mutex lock_;
    std::condition_variable changed_;
    // ---- guarded by lock_ ----
    std::shared_ptr<const PlayerItem> item_;
    std::unique_ptr<CompositionMixer> mixer_;
    double clock_ = 0;
    double rate_ = 0;
    std::uint64_t generation_ = 0;  // bumped by every seek and item change; stale pictures are dropped
    std::deque<Picture> queue_;
    bool composedAll_ = false;
    Picture shown_;
    double composeSeconds_ = 0;  // how long a picture takes to compose, in real time
    bool stepped_ = false;       // waitForFrame has been used
    std::int64_t dropped_ = 0;
    bool stopping_ = false;
    // ---- owned by the calling thread ----
    std::thread worker_;  // one for the player's life, started with the first item
};

}  // namespace vt
