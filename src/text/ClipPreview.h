#pragma once
// The Shorts picker's preview: one player holding the long source video,
// playing one found clip at a time from its start and stopping by itself
// at the clip's end. Its time observer reads the player's clock every
// 1/20 s. `time` and `playing` are observed (their signals are sent only on
// a change). Main thread only.

#include "text/ClipFinder.h"
#include "text/ClipPlayer.h"

#include <QObject>

#include <memory>
#include <optional>
#include <string>

class QTimer;

namespace vt {

class ClipPreview final : public QObject {
    Q_OBJECT

public:
    static constexpr int tickMs = 50;  // 1/20 s

    explicit ClipPreview(std::shared_ptr<ClipPlayer> player, QObject* parent = nullptr);
    ~ClipPreview() override;

    ClipPlayer& player() const { return *player_; }
    double time() const { return time_; }
    bool playing() const { return playing_; }
    void setPlaying(bool playing);
    const std::optional<ClipFinder::Clip>& clip() const { return clip_; }
    bool observing() const;

    // Puts the video into the player once (nothing when it already has one)
    // and starts the time observer.
    void load(const std::string& path);
    // Makes the clip current and jumps to its start.
    void cue(const ClipFinder::Clip& clip);
    // Pauses when playing; otherwise plays the clip, from its start when it
    // is new, played out, or the position lies before it.
    void toggle(const ClipFinder::Clip& clip);
    // Pauses, stops the time observer and unloads the video.
    void stop();
    // One report of the time observer: the player's time in seconds.
    void tick(double seconds);

signals:
    void timeChanged();
    void playingChanged();

private:
    void setTime(double seconds);

    std::shared_ptr<ClipPlayer> player_;
    double time_ = 0;
    bool playing_ = false;
    std::optional<ClipFinder::Clip> clip_;
    QTimer* ticker_ = nullptr;
};

}  // namespace vt
