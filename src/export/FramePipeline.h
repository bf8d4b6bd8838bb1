#pragma once
// Composes the frames of a video export on a few threads ahead of the
// encoder and hands them over in frame order, already in the encoder's
// pixel format, so that composing does not wait on encoding nor the other
// way round.
//
// One reading thread calls ComposedVideo::prepare() frame after frame (the
// sources are decoded in order, as one decoder needs); `workers` threads run
// the composing functions it returns, first come first served, and convert
// the pictures; next() gives them back in order. Every frame is composed by
// the same pure function whichever thread runs it, so the pictures are
// those of composing one frame after the other. At most `depth` frames are
// read and not yet handed out by next() (waiting for a worker, being
// composed, or composed and converted), so memory stays flat with the
// video's length and small beside the encoder's own frames.
//
// Threads: construct, call next() and destroy on one thread (the
// encoder's). Destroying stops the reading, drops the frames not yet begun
// and waits for those being composed.

#include "export/ExportSources.h"
#include "platform/media/MediaWriter.h"

#include <QSize>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace vt {

class FramePipeline {
public:
    struct Plan {
        std::int64_t frames = 0;  // at times k / fps
        double fps = 30;
        QSize size;
        bool hdr = false;
        int workers = 1;  // at least 1
        int depth = 2;    // frames read and not yet handed out, at least `workers`
    };

    struct Frame {
        double time = 0;  // output seconds
        media::EncoderPicture picture;
    };

    FramePipeline(ComposedVideo& video, const Plan& plan, const media::MediaWriter& writer);
    ~FramePipeline();
    FramePipeline(const FramePipeline&) = delete;
    FramePipeline& operator=(const FramePipeline&) = delete;

    // The next frame in order; nothing after the last. Rethrows what reading
    // or composing that frame threw (the frames after it are never read).
    std::optional<Frame> next();

    // Composing threads for this machine: enough to keep ahead of an encoder
    // that uses every core itself.
    static int defaultWorkers();

    // The depth that keeps an encoder busy with `workers` composing: one
    // frame ready beside those being composed. More would only wait: the
    // encoder queues frames of its own for its lookahead.
    static int depthFor(int workers);

private:
    struct Slot;

    void stop();
    void read(ComposedVideo& video);
    void compose(media::PictureConverter converter);

    Plan plan_;

    // Guarded by lock_.
    std::mutex lock_;
    std::condition_variable changed_;
    std::deque<std::shared_ptr<Slot>> ordered_;  // read and not yet handed out, in frame order
    std::deque<std::shared_ptr<Slot>> waiting_;  // read and not yet begun by a worker
    bool readingDone_ = false;
    bool stopping_ = false;

    std::vector<std::thread> threads_;  // the reader, then the workers
};

}  // namespace vt
