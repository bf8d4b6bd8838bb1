#pragma once
// The editor's player engine, shared by the editor's preview (PlayerService)
// and the Shorts picker's (SourcePlayer): a Player whose sound goes to the
// sound device through SoundOutput, whose reading moves the player's clock,
// and the player item of a built composition. Used like a pointer to the
// Player. Main thread only.

#include "video/CompositionBuilder.h"
#include "video/Player.h"

#include <QSize>

#include <memory>

class QObject;

namespace vt {

class SoundOutput;

class PlayerEngine {
public:
    // `useSoundDevice` false keeps the clock on a timer even when a device exists.
    PlayerEngine(bool useSoundDevice, QObject* owner);
    ~PlayerEngine();
    PlayerEngine(const PlayerEngine&) = delete;
    PlayerEngine& operator=(const PlayerEngine&) = delete;

    Player* operator->() const { return player_.get(); }
    Player& operator*() const { return *player_; }
    // Silences the sound device (recording a voiceover over the video).
    void setMuted(bool muted);

    // What plays `built`: its pictures composed from `state` at `frameSize`,
    // its sources decoded no larger than `shownSize` needs.
    static std::shared_ptr<PlayerItem> item(BuildResult built, std::shared_ptr<RenderState> state, double fps,
                                            QSize frameSize, QSize shownSize);

private:
    std::unique_ptr<Player> player_;
    std::unique_ptr<SoundOutput> sound_;  // goes first: the device stops reading before the player goes
};

}  // namespace vt
