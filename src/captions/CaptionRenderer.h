#pragma once
// Lays out and draws one caption group in one look for one output time, and
// the frame-sized overlay images built on it (the caption image with chat
// threads, the hook title). The frame time alone decides what is drawn, and
// every pseudo-random choice is seeded by the group's start.
//
// Geometry: frame pixels with the origin at the bottom-left and y growing
// upward (QRectF y is the rectangle's lowest edge). A look's lengths are for
// a 1080-pixel short side and are scaled by min(width, height) / 1080.
//
// Threads: any number of threads may draw at once, each into its own
// context; the only shared state is the font cache, the symbol-image cache
// and the recent caption images, all thread-safe.

#include "captions/CaptionContext.h"
#include "captions/look/CaptionStyle.h"
#include "model/CaptionGroup.h"
#include "model/HookOverlay.h"

#include <QImage>
#include <QPoint>
#include <QRectF>
#include <QSizeF>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vt {

struct CaptionRenderer {
    using WordFrameCallback = std::function<void(const TimedWord&, const QRectF&)>;

    // Draws `group` (or with measureOnly only measures it) at `time` into a
    // context of `size` pixels, in the look laid out for the group's index.
    // `opacity` multiplies the group's alpha. In measure-only mode,
    // `wordFrames` receives each word's frame in word order. Returns the
    // group's rectangle after its transform; none for a group without words.
    static std::optional<QRectF> draw(const CaptionGroup& group, const CaptionStyle& style, double time, QSizeF size,
                                      CaptionContext& context, bool measureOnly, double opacity = 1,
                                      const WordFrameCallback& wordFrames = {});

    // The one way the caption code gets a drawing surface (see CaptionContext).
    static std::unique_ptr<CaptionContext> makeContext(QSizeF size);

    // Each word of the group shown at `time` with its frame; empty when no
    // group is shown then.
    static std::vector<std::pair<TimedWord, QRectF>> wordFrames(const std::vector<CaptionGroup>& groups,
                                                                const CaptionStyle& style, double time, QSizeF size);

    // Whether `group` carries on the chat thread of `earlier`: both have
    // words and group's first word starts less than 2.5 s after earlier's
    // last word ends.
    static bool continuesThread(const CaptionGroup& group, const CaptionGroup& earlier);

    // The caption shown at `time` on a transparent frame-sized image (top row
    // first), with the earlier bubbles of a chat thread stacked above it.
    // `groups` are sorted by start and do not overlap. None when no caption
    // is shown. With reuseDrawn, a frame that would draw exactly what a
    // recent one drew gets that image (the same pixels) without drawing; the
    // recent images are kept process-wide, behind a lock.
    static std::optional<QImage> captionImage(const std::vector<CaptionGroup>& groups, const CaptionStyle& style,
                                              double time, QSizeF size, bool reuseDrawn = true);

    // The same caption as the part of that frame-sized image that is not
    // fully transparent (zero pixels), and where that part lies in it (top
    // row first). Laid over a frame at `at`, it gives the same pixels as the
    // whole image laid over it, for a fraction of the work. An empty image
    // when the caption draws nothing.
    struct Layer {
        QImage image;
        QPoint at;
    };
    static std::optional<Layer> captionLayer(const std::vector<CaptionGroup>& groups, const CaptionStyle& style,
                                             double time, QSizeF size, bool reuseDrawn = true);

    // The opening hook title (a white pill with black text near the top)
    // while 0 <= time < the hook's duration; none otherwise or for text of
    // spaces and tabs only. Reused from a recent frame as the caption is.
    static std::optional<QImage> hookImage(const HookOverlay& hook, double time, QSizeF size, bool reuseDrawn = true);
    // The same as a layer (see captionLayer).
    static std::optional<Layer> hookLayer(const HookOverlay& hook, double time, QSizeF size, bool reuseDrawn = true);

    // Lets go of all the recent images kept for reuse (an export's serve no
    // one once it ends). Safe while other threads draw: an image already
    // handed out stays theirs, and a drawing that no longer finds its image
    // draws it again, to the same pixels.
    static void forgetDrawn();
};

}  // namespace vt
