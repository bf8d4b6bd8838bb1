#pragma once
// A run of transcript words shown as one paragraph. Built by the editor each
// time it re-derives its state; never stored. Identity is `id`; there is no
// equality.

#include "platform/Uuid.h"

#include <cstddef>

namespace vt {

class Paragraph {
public:
    // Half-open range of indices into the editor's current word list.
    struct Range {
        std::size_t lower = 0;
        std::size_t upper = 0;  // one past the last word
        std::size_t count() const { return upper > lower ? upper - lower : 0; }
        bool contains(std::size_t i) const { return i >= lower && i < upper; }
    };

    Paragraph(Uuid id, Range range) : id_(id), range_(range) {}

    const Uuid& id() const { return id_; }  // the id of the paragraph's first word
    const Range& range() const { return range_; }

private:
    Uuid id_;
    Range range_;
};

}  // namespace vt
