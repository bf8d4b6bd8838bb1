#pragma once
// The per-frame side of playback and export: for an output time it picks the
// clip and its source frame through the cut, turns the frame upright, gathers
// the frames of the video B-rolls, and has the frame compositor draw the
// picture from one copy of the render snapshot. Decoding happens here, at
// composition time, track by track. Not thread-safe: one per rendering
// thread (each decodes with its own readers); they share only the render
// state, whose lock is held just for the copy.

#include "video/CompositionBuilder.h"
#include "video/CompositionFrames.h"
#include "video/Compositor.h"
#include "video/RenderSnapshot.h"

#include <QImage>
#include <QSize>

#include <memory>
#include <optional>
#include <vector>

namespace vt {

namespace CompositionPicture {

// `frame`, as stored (at any scale), turned upright by the quarter turns of
// the preferred transform of a track of `info`.
QImage orient(const QImage& frame, const SourceVideoInfo& info);

// The upright size of a clip's picture (the preferred transform applied to
// its natural size).
QSize uprightSize(const SourceVideoInfo& info);

}  // namespace CompositionPicture

class CompositionVideo {
public:
    // `decodeEdge` bounds the longer side of decoded source pictures (0: as
    // stored); the preview decodes no larger than it shows.
    CompositionVideo(std::shared_ptr<const Composition> composition, std::vector<ClipTrack> clips, std::shared_ptr<RenderState> state,
                     int decodeEdge = 0);

    // The composed frame at an output time, `size` large (the snapshot's
    // render size when empty; another size is filled by scaling).
    QImage frame(double outputTime, QSize size = {});

    // frame() in two steps, so that frames can be composed in parallel:
    // read() takes what one frame needs from the sources (decoding, on this
    // object's thread), compose() draws it on any thread, at the same time as
    // other frames, and gives exactly frame()'s picture.
    struct Sources {
        double outputTime = 0;
        std::shared_ptr<const RenderSnapshot> snapshot;
        QImage upright;  // the clip's picture turned upright, or black
        Compositor::BRollFrames broll;
        std::optional<Uuid> clipID;
    };
    Sources read(double outputTime);
    // Sources handed over (moved in) are drawn on in place, not copied.
    static QImage compose(Sources sources, QSize size = {});

    struct Picked {
        QImage frame;  // as stored
        const ClipTrack* clip = nullptr;
    };
    // The clip whose source time the cut maps `outputTime` to (the latest
    // that has begun, 0.1 ms tolerance; else the first) and its frame; when
    // its track has none there, the first other clip's track that has one.
    std::optional<Picked> pick(double outputTime, const EditPlan& plan);

private:
    std::shared_ptr<RenderState> state_;
    std::vector<ClipTrack> clips_;  // by start
    CompositionFrames frames_;
};

}  // namespace vt
