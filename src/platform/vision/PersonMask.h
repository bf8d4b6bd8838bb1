#pragma once
// A person segmentation mask of a video frame: one 8-bit channel of the
// frame's size, person bright (255), background dark (0), soft at the edge.
// The compositor uses it to put the speaker in front of captions drawn
// behind the subject.
//
// No segmentation model exists on this platform, so this is a small stand-in
// aimed at talking-head footage: the largest face is found as the face
// detector finds faces (a Haar cascade, each box confirmed by eyes or a
// profile), and a GrabCut segmentation is seeded from it (face and
// chest certain, far sides and above the head background) on a downscaled
// copy of the frame. It finds one person facing the camera; a frame without
// a detectable face gives no mask.
//
// Thread-safe: every call works on its own data (each thread loads its own
// face detector once).

#include <cstdint>
#include <optional>
#include <vector>

namespace vt {

// A frame as 32-bit pixels in B, G, R, A byte order (a Qt ARGB32 image's
// memory on a little-endian machine), rows top first.
struct FrameView {
    const std::uint8_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int bytesPerLine = 0;
};

struct GreyImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;  // width × height, rows top first
};

struct PersonMask {
    // The frame is read at most 480 pixels on its longer side; the mask comes
    // back at the frame's own size. None for an empty or malformed frame, a
    // missing face detector, or no face found.
    static std::optional<GreyImage> mask(const FrameView& frame);
};

}  // namespace vt
