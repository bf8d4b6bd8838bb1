#pragma once
// The whole of one source video on the editor's player engine (Player and
// SoundOutput), with no cut, captions or framing: the Shorts picker's
// preview player. Output time is source time. Loading reads and builds in
// the background; seeks and play requests made meanwhile apply once it is
// in. `frame()` is the picture for the clock. Main thread only.

#include "editor/PlayerEngine.h"
#include "text/ClipPlayer.h"

#include <QImage>
#include <QObject>
#include <QSize>

#include <cstdint>
#include <memory>
#include <optional>

namespace vt {

class SourcePlayer final : public QObject, public ClipPlayer {
    Q_OBJECT

public:
    // Pictures are composed within `shownSize`.
    explicit SourcePlayer(QSize shownSize = {640, 360}, bool useSoundDevice = true, QObject* parent = nullptr);
    ~SourcePlayer() override;

    bool hasItem() const override { return loaded_; }
    void load(const std::string& path) override;
    void unload() override;
    void play() override;
    void pause() override;
    void seek(double seconds) override;
    double currentTime() const override;

    // The composed picture for the clock; null until one is ready.
    QImage frame();
    // True once the video is read and playing is possible.
    bool ready() const { return ready_; }

signals:
    // The video has been read (or could not be).
    void readyChanged();

private:
    QSize shownSize_;
    PlayerEngine player_;
    bool loaded_ = false;
    bool ready_ = false;
    std::uint64_t generation_ = 0;  // bumped by every load and unload
    double wantedTime_ = 0;
    double wantedRate_ = 0;
};

}  // namespace vt
