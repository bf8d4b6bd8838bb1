#pragma once
// Sends a Player's sound to the sound device (QAudioSink), whose reading
// moves the player's clock on; without a device a timer takes the sound at
// real speed, so playback still runs (silently). Main thread.

#include "video/Player.h"

#include <QIODevice>

#include <memory>

class QAudioSink;
class QObject;
class QTimer;

namespace vt {

class SoundOutput {
public:
    static constexpr media::AudioFormat format{48000, 2};

    // `useDevice` false keeps the clock on the timer even when a device exists.
    SoundOutput(Player& player, bool useDevice, QObject* owner);
    ~SoundOutput();
    SoundOutput(const SoundOutput&) = delete;
    SoundOutput& operator=(const SoundOutput&) = delete;

    // Without a device nothing is heard anyway.
    void setMuted(bool muted);

private:
    class Stream;
    std::unique_ptr<Stream> stream_;
    std::unique_ptr<QAudioSink> sink_;
    QTimer* timer_ = nullptr;
};

}  // namespace vt
