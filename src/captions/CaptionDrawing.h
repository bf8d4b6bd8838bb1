#pragma once
// The drawing steps of one caption group, shared between the files that
// draw its layers: backgrounds, containers and paper, and the words. Each
// draws into a CaptionContext in y-up frame pixels under the group
// transform, and leaves the painter's state as it found it.

#include "captions/CaptionContext.h"
#include "captions/CaptionHash.h"
#include "captions/GroupLayout.h"

#include <QColor>
#include <QImage>
#include <QLinearGradient>

#include <optional>
#include <string>
#include <vector>

namespace vt::caption {

inline QColor toQColor(const RGBA& c)
{
    return QColor::fromRgbF(static_cast<float>(std::clamp(c.r, 0.0, 1.0)), static_cast<float>(std::clamp(c.g, 0.0, 1.0)),
                            static_cast<float>(std::clamp(c.b, 0.0, 1.0)), static_cast<float>(std::clamp(c.a, 0.0, 1.0)));
}

// Fills a rounded rectangle (radius never negative).
void fillRounded(QPainter& painter, const QRectF& rect, double radius, const QColor& colour);

// Draws an image (stored top row first) upright into a y-up rectangle.
void drawImageUpright(QPainter& painter, const QRectF& target, const QImage& image);

// ---- group backgrounds ----------------------------------------------------
void drawBar(CaptionContext& context, const GroupLayout& layout, double alpha);
void drawWipeStrips(CaptionContext& context, const GroupLayout& layout, double time, double exitProgress, double alpha);
void drawNeonFrame(CaptionContext& context, const GroupLayout& layout, double elapsed, double alpha);
void drawLineBoxes(CaptionContext& context, const GroupLayout& layout, double alpha);

// ---- containers -----------------------------------------------------------
void drawNotificationCard(CaptionContext& context, const GroupLayout& layout, const QRectF& card);
void drawBubble(CaptionContext& context, const QRectF& bubble, bool tailOnRight, const CaptionStyle& style, double unit);

// A white pictogram for a notification app's icon, `points` tall, rendered
// once per name and size and kept in a process-wide thread-safe cache.
// None when no pictogram of that name exists.
std::optional<QImage> symbolImage(const std::string& name, double points);

// ---- paper ----------------------------------------------------------------
void drawTornStrip(CaptionContext& context, const QRectF& strip, const QColor& colour, double tilt, std::int64_t seed,
                   double unit);
std::vector<RansomGlyph> ransomGlyphs(const std::string& text, double size, bool uppercase, std::int64_t seed,
                                      std::int64_t tick);
std::int64_t ransomSeed(const TimedWord& word);
// Draws a placed ransom word's letters at its origin, under the word's transform.
void drawRansom(CaptionContext& context, const PlacedWord& placed, const CaptionStyle& style, double time);

// ---- words ----------------------------------------------------------------
// The per-word state of one frame (motion, colour, fill, alpha) and the
// word passes, in drawing order.
void drawSlidingBox(CaptionContext& context, const GroupLayout& layout, double time, double alpha);
void drawWords(CaptionContext& context, const GroupLayout& layout, const CaptionGroup& group, double time,
               double alpha, double exitProgress);

}  // namespace vt::caption
