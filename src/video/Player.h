#pragma once
// Plays a built composition: pictures are composed ahead on a worker thread
// into a small bounded queue (so the picture keeps up and memory stays flat
// however long the video is), and the sound, mixed on demand, is the clock
// that picks which picture shows. The sound device (or a test, or a
// benchmark rendering to memory) pulls the sound; each pull moves the clock
// on by what it took, times the rate.
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
    // As currentFrame, but first waits until that picture is composed.
    QImage waitForFrame();

private:
    struct Picture {
        double time = 0;
        QImage image;
    };
    void restartPictures();  // with lock_ held
    void composeLoop();
    void composeFrom(CompositionVideo& video, const PlayerItem& item, std::uint64_t generation, double from);
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
    bool stopping_ = false;
    // ---- owned by the calling thread ----
    std::thread worker_;  // one for the player's life, started with the first item
};

}  // namespace vt
