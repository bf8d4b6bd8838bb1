#pragma once
// The emoji drawn with a caption line: drawn once per emoji and pixel size
// (a process-wide cache of at most 65 pictures, emptied when a 66th would
// not fit), then popped in, bobbed and tilted per frame above the line (or
// below it when there is no room above).
//
// Geometry is the compositor's (origin bottom-left, y up). Thread-safe: the
// cache has one lock, held for the lookup, the drawing of a missing emoji and
// the insert; the per-frame placement runs outside it.

#include <QImage>
#include <QRectF>
#include <QSizeF>
#include <QTransform>

#include <optional>
#include <string>

namespace vt::EmojiImage {

struct Placed {
    QImage picture;        // the emoji on a transparent square-ish canvas
    QTransform transform;  // where it goes in the frame (y-up)
};

// The side in pixels an emoji gets over a line `lineHeight` tall in a frame
// of `size`: 1.8 line heights, 140 to 200 at 1080, rounded.
int side(double lineHeight, QSizeF size);

// `emoji` over the caption line whose rectangle is `line`, `age` seconds
// after the line appeared; none before it appears, while the pop-in has not
// yet made it visible, or when it cannot be drawn.
std::optional<Placed> image(const std::string& emoji, const QRectF& line, double age, QSizeF size);

}  // namespace vt::EmojiImage
