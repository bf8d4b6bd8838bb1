#pragma once
// The caption lines the playback and export benchmarks draw: a bold white
// uppercase look with a black outline, one four-word line every 2 s.

#include "support/CaptionLines.h"
#include "video/RenderSnapshot.h"

namespace vt::bench {

inline void addCaptions(RenderSnapshot& snap, double seconds)
{
    snap.style.font = "Montserrat-Black";
    snap.style.fontSize = 84;
    snap.style.textColor = {1, 1, 1, 1};
    snap.style.uppercase = true;
    snap.style.strokeColor = RGBA{0, 0, 0, 1};
    snap.style.strokeWidth = 6;
    // Edited once: each edit() copies the list.
    auto& lines = snap.groups.edit();
    for (int i = 0; i < int(seconds / 2); ++i) lines.push_back(test::captionLine({"make", "the", "point", "land"}, 2.0 * i, i));
}

}  // namespace vt::bench
