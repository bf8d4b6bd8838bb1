#pragma once
// One line of text shaped in one font (with its fallback cascade): the
// glyph outlines and colour glyphs, typographic width, ascent and descent.
// Shaping is Qt's (HarfBuzz), so Indic conjuncts, Arabic joining and
// right-to-left runs come out as the script requires.
//
// All drawing takes an origin (x, baseline) in the y-up space of a
// CaptionContext painter. A TextLine is used on the thread that made it.
// Lines are shaped once and kept process-wide (behind a lock) for the next
// line of the same text, font and tracking, unless they hold colour glyphs.

#include "captions/Font.h"

#include <QBrush>
#include <QGlyphRun>
#include <QPainterPath>
#include <QPen>
#include <QRectF>

#include <string>
#include <vector>

namespace vt {

class TextLine {
public:
    TextLine() = default;
    // `tracking` is extra space in pixels after every character.
    TextLine(const std::string& text, const Font& font, double tracking = 0);

    // Text wrapped at `maxWidth` into lines centred on each other. Its origin
    // is the block's top-left corner: ascent 0, descent the block's height,
    // width the widest line rounded up.
    static TextLine paragraph(const std::string& text, const Font& font, double maxWidth);

    double width() const { return width_; }
    double ascent() const { return ascent_; }
    double descent() const { return descent_; }
    int glyphCount() const { return glyphCount_; }

    // The outlines of every glyph that has one, y-up, baseline origin at (0, 0).
    const QPainterPath& outline() const { return outline_; }

    // Fills the glyphs at the origin with the brush; colour glyphs (emoji)
    // draw in their own colours.
    void fill(QPainter& painter, QPointF origin, const QBrush& brush) const;
    // Strokes the outlines (colour glyphs have none).
    void stroke(QPainter& painter, QPointF origin, const QPen& pen) const;
    // The outline moved to the origin, for clipping and masks.
    QPainterPath outlineAt(QPointF origin) const { return outline_.translated(origin); }

    // (x, baseline − descent, width, ascent + descent).
    QRectF rect(QPointF origin) const
    {
        return QRectF(origin.x(), origin.y() - descent_, width_, ascent_ + descent_);
    }

private:
    void shape(const std::string& text, const Font& font, double tracking);
    // Adds glyph runs whose positions are y-down with the origin at (0, 0).
    void addRuns(const QList<QGlyphRun>& runs, QPointF shift);

    QPainterPath outline_;
    std::vector<QGlyphRun> colourRuns_;  // positions with the baseline at y = 0, y down
    double width_ = 0;
    double ascent_ = 0;
    double descent_ = 0;
    int glyphCount_ = 0;
};

}  // namespace vt
