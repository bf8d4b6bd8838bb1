#pragma once
// What an export reads: the composed picture of the edited video and its
// mixed sound, each as a stream on the output timeline. The frame compositor
// and the audio mix stand behind these for a real project; tests hand in
// generated pictures and sound.

#include "platform/media/AudioBuffer.h"

#include <QImage>
#include <QSize>

#include <cstdint>
#include <functional>

namespace vt {

// Called from one export thread at a time, with times in increasing order;
// only the functions prepare() returns run on other threads.
class ComposedVideo {
public:
    virtual ~ComposedVideo() = default;
    // Output length in seconds.
    virtual double duration() const = 0;
    // The frame at output time `seconds`, at `size`. For HDR a 16-bit image
    // (QImage's RGBA64 formats) in the HLG signal range, otherwise an 8-bit
    // ARGB32 image; other formats are converted. Throws on failure.
    virtual QImage frame(double seconds, QSize size, bool hdr) = 0;

    // frame() in two steps, so that the export composes several frames at
    // once: prepare() reads what the frame needs (in order, like frame()),
    // and the function it returns composes exactly frame()'s picture on any
    // thread, at the same time as those of other frames. Either step may
    // throw. A source that cannot split its work composes here at once.
    using Composing = std::function<QImage()>;
    virtual Composing prepare(double seconds, QSize size, bool hdr)
    {
        return [picture = frame(seconds, size, hdr)] { return picture; };
    }
};

// Called from the export's audio thread only.
class MixedAudio {
public:
    virtual ~MixedAudio() = default;
    // False when the mix has no sound track at all (no clip, music,
    // voiceover or sound with audio).
    virtual bool hasAudio() const = 0;
    // Output length in seconds.
    virtual double duration() const = 0;
    // The next at most `maxFrames` frames of the mix at 48 kHz stereo; empty
    // at the end. Throws on failure.
    virtual media::AudioBuffer read(std::int64_t maxFrames) = 0;
};

}  // namespace vt
