#pragma once
// Still previews of a caption look. StylePreview draws the look's sample
// caption over the project's poster frame, framed like the project, through
// the frame compositor itself; CaptionStylePreview draws a look's caption for
// a given text alone, cropped to the caption.
//
// Both keep nothing between calls and may run on any thread (they share only
// the font cache).

#include "captions/look/CaptionStyle.h"
#include "model/CaptionGroup.h"
#include "model/Geometry.h"
#include "model/ReframeMode.h"

#include <QImage>
#include <QSize>

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace vt::StylePreview {

// The default sample words, used from the end when a look has no sample text.
inline constexpr std::array<std::string_view, 4> sample{"Make", "the", "point", "land"};

// The moment of the sample group a preview shows (after the first words).
inline constexpr double kMoment = 0.62;

// The sample caption line of a look: its sample text (words wrapped in
// asterisks emphasised) or the last maxWordsPerGroup (1…4) default words.
CaptionGroup sampleGroup(const CaptionStyle& style);

// The look's sample caption over `poster` reframed to `size` (fit when
// `reframe` is fit, else around `focus`), zoomed so a narrow caption fills
// the card, moved to the darkest band of the poster when that is clearly
// darker, over a soft dark band when the poster is bright everywhere, and
// cropped around the caption. Exactly `size`; none when nothing can be drawn.
std::optional<QImage> render(const CaptionStyle& style, const QImage& poster, QSize size, ReframeMode reframe,
                             Point focus);

}  // namespace vt::StylePreview

namespace vt::CaptionStylePreview {

// The look's caption of `text` (split at spaces) drawn in the middle of a
// transparent 1080 × 1920 canvas, 0.2 s into its last word, cropped to the
// words with room for the look's glow, shadow and outline; none for a text
// without words or when nothing can be measured or drawn.
std::optional<QImage> render(const CaptionStyle& style, const std::string& text);

}  // namespace vt::CaptionStylePreview
