#pragma once
// Where a recording's sound comes from: the microphone, or, in tests,
// generated sound. A source delivers float audio (one plane per channel, at
// its own rate and channel count) to a sink until it is stopped.

#include "platform/media/AudioBuffer.h"

#include <functional>
#include <memory>

namespace vt {

class SoundSource {
public:
    // Called for every block, on whatever thread the source delivers on;
    // never after stop() has returned.
    using Sink = std::function<void(const media::AudioBuffer& block)>;

    virtual ~SoundSource() = default;
    // False when the input cannot be opened.
    virtual bool start(Sink sink) = 0;
    virtual void stop() = 0;
};

// The default audio input through Qt Multimedia, asked for 48 kHz mono float
// and taking the device's own format when it offers only that. Lives on the
// thread that made it (which needs an event loop); delivers there.
std::unique_ptr<SoundSource> makeMicrophoneSource();

}  // namespace vt
