#pragma once
// The match-cut title cards: a card's word flashed through a series of
// looks, frame by frame. Every frame is derived from the card's fields, the
// frame's index and the output size, with a seeded generator making the
// random choices, so a frame is the same each time it is drawn. Frames are
// kept as JPEG data in one process-wide cache of 120 frames.
//
// Geometry: frame pixels, origin at the bottom-left, y growing upward.
// Thread-safe; any number of render threads at once.

#include "captions/CaptionContext.h"
#include "captions/Font.h"
#include "captions/TextLine.h"
#include "captions/look/SeededRandom.h"
#include "model/Placements.h"
#include "model/Word.h"

#include <QImage>
#include <QPainterPath>
#include <QPointF>
#include <QSize>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vt {

// FNV-1a of the UTF-8 bytes, low 31 bits: never negative, stable across runs.
std::int64_t hashStable(std::string_view text);

namespace MatchCutRenderer {

// The font named `name` sized so that its capitals are `capHeight` pixels
// tall.
Font capFitted(const std::string& name, double capHeight);

// The big word of one frame: the text as drawn, the height of its capitals
// and the point the capitals are centred on.
struct Layout {
    std::string word;
    double capHeight = 0;
    QPointF center;

    // Sized so that the word keeps one size through all of a card's fonts and
    // in the widest of `fonts` is no wider than the style's share of the
    // frame; `measuring`, when given, is measured in its place.
    static Layout make(const std::string& word, const std::vector<std::string>& fonts, QSizeF size,
                       MatchCut::Style style, const std::optional<std::string>& measuring = std::nullopt);

    // The word in `font` cap-fitted, as one line, and where its baseline
    // starts: the capitals centred on `center`.
    TextLine line(const std::string& font) const;
    QPointF origin(const TextLine& line) const;
    // The text box: (center.x − width / 2, center.y − capHeight / 2, width, capHeight).
    QRectF box(const std::string& font) const;
    // The word's outline in `font`, placed.
    QPainterPath path(const std::string& font) const;
};

// The fonts each style runs through, in order.
const std::vector<std::string>& fonts(MatchCut::Style style);

// The font of frame `index`: the style's list stepped one per frame, the
// seed shifting the start by three.
const std::string& frameFont(const MatchCut& cut, std::int64_t index);

// The generator of frame `index` of a card, not yet drawn from.
SeededRandom frameRandom(const MatchCut& cut, std::int64_t index);

// The text of the word in frame `index`.
std::string displayWord(const MatchCut& cut, std::int64_t index);

// The key a frame is cached under: every input of the picture, each text
// length-prefixed so that no two different cards share a key.
std::string frameKey(const MatchCut& cut, std::int64_t index, QSize renderSize);

// The frame drawn without any cache; none when no surface can be made.
std::optional<QImage> frame(const MatchCut& cut, std::int64_t index, QSize size);
// The frame at `size`, drawn at no more than a 1080-pixel short side and kept
// in the cache.
std::optional<QImage> cachedFrame(const MatchCut& cut, std::int64_t index, QSize size);

// Whether the cache holds JPEG data under `key` now.
bool cacheHolds(const std::string& key);

// The card of `placed` `elapsed` seconds after its start, frame-sized with
// transparency around it; none outside [0, duration) and when the frame
// cannot be made. Editorial cards push in by 3.5 % across every frame; every
// card fades out over its last 0.12 s.
std::optional<QImage> image(const PlacedMatchCut& placed, double elapsed, QSize size);

// Draws every frame of the card into the cache on a background thread.
void prewarm(const MatchCut& cut, QSize size);

// Frames 0 to 9 drawn without the cache, leaving out any that fail.
std::vector<QImage> previewFrames(const MatchCut& cut, QSize size);

// Suggestions and context from the transcript. The language analysis (the
// hashtags of a text, the sentences of the words) is the post-text writer's;
// these are the steps around it.
//
// The text whose hashtags suggest words: the words not deleted, joined with
// single spaces.
std::string suggestionText(const std::vector<Word>& words);
// The hashtags without their leading "#", in the writer's order, at most
// `count`.
std::vector<std::string> suggestionsFromHashtags(const std::vector<std::string>& hashtags, int count);
// The sentences worth storing on a card: each trimmed of ".", "!", "?", ",",
// "…", spaces and tabs at both ends, kept when it has 3 to 9 words, the first
// 14 in transcript order.
std::vector<std::string> contextLines(const std::vector<std::string>& sentences);

// One sound of a card relative to its start.
struct Tick {
    enum class Kind { tick, hit };
    double time = 0;
    Kind kind = Kind::tick;
    friend bool operator==(const Tick&, const Tick&) = default;
};
// A tick at every frame change and a hit at the end; none with ticks off.
std::vector<Tick> ticks(const MatchCut& cut);

}  // namespace MatchCutRenderer

}  // namespace vt
