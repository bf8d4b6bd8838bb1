#pragma once
// The media player a clip preview drives: one source video, played and
// paused, with a clock in source seconds. The program plugs in the
// editor's player engine (editor/SourcePlayer); tests plug in a stand-in.
// Main thread only.

#include <string>

namespace vt {

class ClipPlayer {
public:
    virtual ~ClipPlayer() = default;

    virtual bool hasItem() const = 0;
    // Starts reading the video (in the background); hasItem() is true at once.
    virtual void load(const std::string& path) = 0;
    virtual void unload() = 0;
    virtual void play() = 0;
    virtual void pause() = 0;
    // Frame-exact, without changing the play state.
    virtual void seek(double seconds) = 0;
    virtual double currentTime() const = 0;
};

}  // namespace vt
