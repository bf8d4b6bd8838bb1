#pragma once
// The one blur kernel of the program: a Gaussian blur approximated by three
// successive box blurs (separable running sums, so the cost per pixel does
// not grow with the radius). Caption shadows and glows use it, and so can the
// frame compositor's blurred backdrops.
//
// Pixels outside the image count as transparent (zero), so a shadow fades
// out towards the image edge rather than smearing the border pixels.
// Thread-safe: it touches only the image it is given.

#include <QImage>

namespace vt::Blur {

// Blurs `image` in place with standard deviation `sigma` in pixels. Handles
// Format_Alpha8, Format_Grayscale8 (one channel) and the 32-bit formats
// (all four channels blurred alike, which is right for premultiplied
// pixels). A sigma below 0.3 or a null image leaves the image unchanged.
void gaussian(QImage& image, double sigma);

// The Gaussian sigma of a drawing shadow's "blur" amount: a shadow blur of b
// spreads like a Gaussian of sigma b / 2.
constexpr double sigmaForShadowBlur(double blur) { return blur > 0 ? blur / 2 : 0; }

}  // namespace vt::Blur
