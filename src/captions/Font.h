#pragma once
// A resolved caption font: the face to use (family, weight, slant, width),
// the fallback families tried in order for characters the face lacks, and a
// size. Caption surfaces have one point per pixel, so the size is both.
//
// Font is a plain value and may be copied to any thread. QFont objects are
// not handed between threads: qfont() makes a fresh one for the caller.

#include <QFont>
#include <QPaintDevice>
#include <QStringList>

namespace vt {

struct Font {
    QStringList families;    // the face's family first, then the fallback cascade
    int weight = QFont::Bold;  // 100 (thin) to 900 (black)
    bool italic = false;
    int stretch = QFont::Unstretched;  // 100 is normal width, 75 condensed
    double size = 12;        // points, one per pixel on a caption surface

    // A new QFont for this font, unhinted so advances and outlines are the
    // typeface's own at any size. Measure it against pointPerPixelDevice().
    QFont qfont() const;

    // Typographic ascent and descent (positive) of the face at this size.
    double ascent() const;
    double descent() const;

    friend bool operator==(const Font&, const Font&) = default;
};

// A paint device of 72 dots per inch, against which a font's point size is
// its size in pixels. Read-only once made; any thread may use it.
const QPaintDevice& pointPerPixelDevice();

}  // namespace vt
