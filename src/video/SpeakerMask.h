#pragma once
// The person mask that puts the speaker in front of captions drawn behind
// the subject, made affordable for every frame: the segmentation runs on a
// small copy of the picture (its longer side `kSide` pixels), the result is
// kept per picture content, and the small mask is softened before it is
// scaled up, so the edge the viewer sees stays steady from frame to frame.
//
// The same picture always gives the same mask, whichever thread asks and in
// whatever order (the cache is keyed by the small copy's pixels, never by
// time or arrival). Thread-safe.

#include <QImage>

#include <optional>

namespace vt::SpeakerMask {

inline constexpr int kSide = 160;

// A one-channel (Grayscale8) mask of the picture's size, 255 where the
// person is; none when no person is found.
std::optional<QImage> mask(const QImage& picture);

}  // namespace vt::SpeakerMask
