#pragma once
// The picture geometry of an item adjustment: the turn, mirror and edge crops
// of a source picture (shape), the same on a normalised point (map), the zoom
// and pan of a picture already fitted to the output frame (place), and the
// zoom window of an overlay picture.
//
// Geometry is the compositor's (origin bottom-left, y up); pictures are
// premultiplied ARGB32. Pure functions, safe on any thread.

#include "model/Geometry.h"
#include "model/ItemAdjust.h"

#include <QImage>
#include <QSize>

namespace vt::ItemAdjustGeometry {

// Turned clockwise by `turns` quarter turns, mirrored left to right when
// `flipped`, then cropped at the edges (each crop at most 0.45, the rectangle
// grown to whole pixels). Unchanged without any of them.
QImage shape(const ItemAdjust& adjust, const QImage& picture);

// A normalised point of the unshaped picture in normalised coordinates of
// the shaped one; may lie outside 0…1 when the point was cropped away.
Point map(const ItemAdjust& adjust, Point point);

// The output-sized picture zoomed about the frame centre and panned (pan ±1
// reaches an edge), edge pixels extended, cropped to `size`. Unchanged at a
// zoom of 1.001 or less.
QImage place(const ItemAdjust& adjust, const QImage& picture, QSize size);

// An overlay's window of 1 / zoom of its width and height, placed by the pan,
// moved to the origin. Unchanged at a zoom of 1.001 or less.
QImage zoomWindow(const ItemAdjust& adjust, const QImage& picture);

}  // namespace vt::ItemAdjustGeometry
