#pragma once
// One paragraph of the transcript as a wrapping run of word chips: which
// words it holds (its range clamped to the transcript), each chip's flags
// from the editor model (the band of the caption line on screen, the spoken
// word, picks, trims, markers), and where each chip sits at a given width.
// The word list keeps one per paragraph and lays it out again only when its
// signature (the words' texts and weights, the field being typed in, the
// width) changes.

#include "model/Paragraph.h"
#include "ui/editor/WordChip.h"

#include <QRectF>

#include <cstddef>
#include <optional>
#include <vector>

namespace vt {
class EditorModel;
}

namespace vt::ui {

class ParagraphView {
public:
    static constexpr double lineSpacing = 4;

    // The word indices shown: the range clamped to [0, count].
    static Paragraph::Range clamped(Paragraph::Range range, std::size_t count);
    // The chip of transcript word `i` of this paragraph with every flag set.
    static WordChip chip(const EditorModel& editor, Paragraph::Range range, std::size_t i);
    // The inline field's outer size for a draft.
    static QSizeF fieldSize(const QString& draft);

    // Lays the paragraph out at `width` unless nothing that moves its chips
    // changed; true when it did lay out.
    bool layout(const EditorModel& editor, Paragraph::Range range, double width);
    double height() const { return height_; }
    Paragraph::Range range() const { return range_; }
    // Chip rectangles relative to the paragraph's top-left, one per index of
    // the clamped range.
    const std::vector<QRectF>& rects() const { return rects_; }
    // The transcript index under a point relative to the paragraph.
    std::optional<std::size_t> indexAt(QPointF point) const;

private:
    std::size_t signature_ = 0;
    bool laidOut_ = false;
    Paragraph::Range range_;
    double height_ = 0;
    std::vector<QRectF> rects_;
};

}  // namespace vt::ui
