#pragma once
// Carries a standard-range picture into the HDR export's signal: BT.709
// colours re-expressed in BT.2020 primaries and coded with the HLG transfer,
// with standard white placed at 75 % of the signal (the usual reference
// level for graphics and standard-range material inside HLG video).

#include <QImage>

namespace vt::HlgPicture {

// A 16-bit RGBX64 image of the same size; alpha is dropped (the picture is
// taken as opaque, over black).
QImage fromStandard(const QImage& picture);

}  // namespace vt::HlgPicture
