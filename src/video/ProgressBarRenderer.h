#pragma once
// The progress bar along the top or bottom edge of the video: a translucent
// black track with the played fraction filled in the bar's colour or the
// look's accent. Stateless; any thread.

#include "captions/look/RGBA.h"
#include "model/ProgressBar.h"

#include <QImage>
#include <QSize>

namespace vt::ProgressBarRenderer {

// The bar's thickness in pixels for a frame: the stored thickness scaled to
// the frame's short side, rounded, never below 2.
int thickness(const ProgressBar& bar, QSize size);

// A frame-sized image holding only the bar (transparent elsewhere), filled to
// `progress` (clamped to 0…1) of the width.
QImage image(const ProgressBar& bar, double progress, const RGBA& accent, QSize size);

}  // namespace vt::ProgressBarRenderer
