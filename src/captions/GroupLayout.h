#pragma once
// The layout of one caption group for one frame: every word measured and
// placed (frame pixels, y up, before the group transform), the lines, the
// vertical centre, the fit scale and the container rectangle. Built by
// layOutGroup() for each draw; nothing of it outlives the call.
//
// Rectangles here are y-up: a QRectF's top() is its lowest y and bottom()
// its highest; use yMin() / yMax() to keep that straight.

#include "captions/TextLine.h"
#include "captions/look/CaptionStyle.h"
#include "captions/look/RGBA.h"
#include "model/CaptionGroup.h"

#include <QRectF>
#include <QSizeF>

#include <optional>
#include <vector>

namespace vt::caption {

inline double yMin(const QRectF& r) { return r.top(); }
inline double yMax(const QRectF& r) { return r.bottom(); }

// One cut-out letter of a ransom-note word.
struct RansomGlyph {
    TextLine line;        // the single character in its own font
    double width = 0;     // typographic width of the character
    double ascent = 0;
    double descent = 0;
    double x = 0;         // left edge of the letter's cell from the word's left edge
    double cell = 0;      // width of the paper cell
    RGBA paper;
    RGBA ink;
    double angle = 0;     // radians
    double lift = 0;      // pixels, upward
};

struct PlacedWord {
    TimedWord word;
    TextLine line;
    double width = 0;
    double ascent = 0;
    double descent = 0;
    bool emphasized = false;
    double activeUntil = 0;  // the next word's start; the group's end for the last
    double x = 0;            // left edge of the text
    double baseline = 0;
    std::optional<std::vector<RansomGlyph>> glyphs;
    double rotation = 0;     // radians about the rect's centre, counter-clockwise

    QRectF rect() const { return QRectF(x, baseline - descent, width, ascent + descent); }
    // rect(), or the bounding box of it rotated about its centre.
    QRectF bounds() const;
};

// Measures words in a look at a unit (frame short side / 1080).
class WordMeasurer {
public:
    WordMeasurer(const CaptionStyle& style, double unit) : style_(style), unit_(unit) {}

    // Measures the word (font, size, case, tracking) into `placed`, keeping
    // its position; `scale` is the line or layout scale.
    void measure(PlacedWord& placed, bool emphasized, double scale) const;
    // For a ransom look, cuts the word's letters at `scale`; otherwise nothing.
    void ransomize(PlacedWord& placed, double scale) const;
    // Both, as every re-measure does.
    void remeasure(PlacedWord& placed, double scale) const
    {
        measure(placed, placed.emphasized, scale);
        ransomize(placed, scale);
    }

private:
    const CaptionStyle& style_;
    double unit_;
};

struct GroupLayout {
    CaptionStyle style;       // the laid-out look
    double width = 0;         // W
    double height = 0;        // H
    double unit = 1;          // u
    std::vector<PlacedWord> words;
    std::vector<std::vector<int>> lines;  // word indices, in order
    double maxLineWidth = 0;  // M
    double gap = 0;           // g
    double centerY = 0;       // c_y
    double fit = 1;           // F
    double cardWidth = 0;     // C, the notification card's width
    std::optional<QRectF> container;  // K, with a container

    // Union of every word's rect (empty rect when there are no words).
    QRectF textBox() const;
    // Union of the rects of the given words.
    QRectF unionOf(const std::vector<int>& indices) const;
};

// Steps of the layout: measure, hero word, line breaking, line scales,
// vertical and horizontal placement (or the free-form arrangement), fit
// scale and container placement. `style` is already laid out for the group.
GroupLayout layOutGroup(const CaptionGroup& group, const CaptionStyle& style, QSizeF size);

// The free-form arrangement (stagger, spotlight, side words); replaces the
// vertical and horizontal placement and the fit scale.
void arrangeFreeform(GroupLayout& layout, const WordMeasurer& measurer);

// The group's exit and entrance at one time.
struct GroupMotion {
    double alpha = 1;     // α
    double scale = 1;     // Z
    double dy = 0;        // vertical offset, y up
    double exitProgress = 0;  // p
};
GroupMotion groupMotion(const CaptionGroup& group, const CaptionStyle& style, double time, double opacity,
                        double unit);

// The group transform: about (W / 2, c_y), rotated by the look's rotation
// (clockwise on screen), scaled by F × Z and moved by dy.
QTransform groupTransform(const GroupLayout& layout, const GroupMotion& motion);

}  // namespace vt::caption
