#include "video/effects/ColorGrader.h"

#include "video/Kernels.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <mutex>
#include <unordered_map>

namespace vt::ColorGrader {

namespace {

float toLinear(float v) { return v <= 0.04045f ? v / 12.92f : std::pow((v + 0.055f) / 1.055f, 2.4f); }
float toSrgb(float v)
{
    v = std::max(v, 0.0f);
    return v <= 0.0031308f ? v * 12.92f : 1.055f * std::pow(v, 1 / 2.4f) - 0.055f;
}

// A table of a function on 0…1 sampled finely, read with linear steps: the
// per-pixel cost of sRGB conversions without a power per channel.
struct Curve {
    static constexpr int kSteps = 4096;
    std::vector<float> table;

    template <typename F>
    explicit Curve(F f) : table(kSteps + 1)
    {
        for (int i = 0; i <= kSteps; ++i) table[static_cast<std::size_t>(i)] = f(static_cast<float>(i) / kSteps);
    }
    float operator()(float v) const
    {
        const float x = std::clamp(v, 0.0f, 1.0f) * kSteps;
        const int i = std::min(static_cast<int>(x), kSteps - 1);
        const std::size_t k = static_cast<std::size_t>(i);
        return table[k] + (table[k + 1] - table[k]) * (x - static_cast<float>(i));
    }
};

float luma(const float* rgb) { return 0.2126f * rgb[0] + 0.7152f * rgb[1] + 0.0722f * rgb[2]; }

// The colour of a black body at `kelvin`, in linear RGB, green 1.
std::array<double, 3> whiteOf(double kelvin)
{
    const double t = std::clamp(kelvin, 1000.0, 40000.0) / 100;
    const double r = t <= 66 ? 255 : 329.698727446 * std::pow(t - 60, -0.1332047592);
    const double g = t <= 66 ? 99.4708025861 * std::log(t) - 161.1195681661 : 288.1221695283 * std::pow(t - 60, -0.0755148492);
    const double b = t >= 66 ? 255 : t <= 19 ? 0 : 138.5177312231 * std::log(t - 10) - 305.0447927307;
    auto lin = [](double v) { return static_cast<double>(toLinear(static_cast<float>(std::clamp(v, 1.0, 255.0) / 255))); };
    const double lg = lin(g);
    return {lin(r) / lg, 1.0, lin(b) / lg};
}

void exposure(QImage& image, double ev)
{
    const float gain = static_cast<float>(std::exp2(ev));
    const Curve curve([&](float v) { return toSrgb(toLinear(v) * gain); });
    Kernels::mapColors(image, [&](float* rgb, int, int) {
        for (int c = 0; c < 3; ++c) rgb[c] = curve(rgb[c]);
    });
}

// White balance from the neutral (6500 K, 0) to (6500 − 2200 × temperature,
// −40 × tint): a positive temperature warms, a positive tint adds magenta.
void whiteBalance(QImage& image, double temperature, double tint)
{
    const auto from = whiteOf(6500), to = whiteOf(6500 - 2200 * temperature);
    const double greenGain = std::clamp(1 - 0.0035 * 40 * tint, 0.2, 2.0);
    std::array<Curve, 3> curves{Curve([&](float v) { return toSrgb(toLinear(v) * static_cast<float>(to[0] / from[0])); }),
                                Curve([&](float v) { return toSrgb(toLinear(v) * static_cast<float>(greenGain)); }),
                                Curve([&](float v) { return toSrgb(toLinear(v) * static_cast<float>(to[2] / from[2])); })};
    Kernels::mapColors(image, [&](float* rgb, int, int) {
        for (int c = 0; c < 3; ++c) rgb[c] = curves[static_cast<std::size_t>(c)](rgb[c]);
    });
}

// Shadows lifted (or deepened) and highlights pulled down where the local
// brightness, the luma blurred over `radius` pixels, is low or high.
void highlightsShadows(QImage& image, double highlightAmount, double shadowAmount, double radius)
{
    const QImage local = Kernels::gaussianBlur(Kernels::lumaMap(image, 1, 0), std::max(radius, 0.3), Kernels::Edges::clamp);
    const float lift = static_cast<float>(shadowAmount), pull = static_cast<float>(1 - highlightAmount);
    Kernels::mapColors(image, [&](float* rgb, int x, int y) {
        const float l = local.constScanLine(y)[x] / 255.0f;
        const float ws = (1 - l) * (1 - l), wh = l * l;
        for (int c = 0; c < 3; ++c) {
            const float v = rgb[c];
            rgb[c] = v + lift * ws * 2 * v * (1 - v) - pull * wh * 0.5f * v * v;
        }
    });
}

// A smooth monotone curve through five points of ascending x (the tone
// curve), by monotone cubic Hermite interpolation.
Curve toneCurve(const std::array<std::array<double, 2>, 5>& p)
{
    std::array<double, 5> m{};
    std::array<double, 4> d{};
    for (std::size_t i = 0; i < 4; ++i) d[i] = (p[i + 1][1] - p[i][1]) / (p[i + 1][0] - p[i][0]);
    m[0] = d[0];
    m[4] = d[3];
    for (std::size_t i = 1; i < 4; ++i) m[i] = d[i - 1] * d[i] <= 0 ? 0 : (d[i - 1] + d[i]) / 2;
    return Curve([=](float vf) {
        const double v = vf;
        std::size_t i = 0;
        while (i < 3 && v > p[i + 1][0]) ++i;
        const double h = p[i + 1][0] - p[i][0], t = (v - p[i][0]) / h;
        const double t2 = t * t, t3 = t2 * t;
        return static_cast<float>((2 * t3 - 3 * t2 + 1) * p[i][1] + (t3 - 2 * t2 + t) * h * m[i] +
                                  (-2 * t3 + 3 * t2) * p[i + 1][1] + (t3 - t2) * h * m[i + 1]);
    });
}

void contrastSaturation(QImage& image, double contrast, double saturation)
{
    const float k = static_cast<float>(contrast), s = static_cast<float>(saturation);
    Kernels::mapColors(image, [&](float* rgb, int, int) {
        const float l = luma(rgb);
        for (int c = 0; c < 3; ++c) rgb[c] = (l + s * (rgb[c] - l) - 0.5f) * k + 0.5f;
    });
}

// Saturation raised most where colour is muted.
void vibrance(QImage& image, double amount)
{
    const float a = static_cast<float>(amount);
    Kernels::mapColors(image, [&](float* rgb, int, int) {
        const float chroma = std::max({rgb[0], rgb[1], rgb[2]}) - std::min({rgb[0], rgb[1], rgb[2]});
        const float k = 1 + a * (1 - chroma);
        const float l = luma(rgb);
        for (int c = 0; c < 3; ++c) rgb[c] = l + k * (rgb[c] - l);
    });
}

// Noise reduction: each pixel moves towards its small-radius blur as far as
// the difference looks like noise of `level`, so edges stay.
void denoise(QImage& image, double level)
{
    const QImage smooth = Kernels::gaussianBlur(image, 1.2, Kernels::Edges::clamp);
    const float tau = static_cast<float>(2 * level);
    const bool deep = smooth.format() == Kernels::kDeepFormat;
    Kernels::mapColors(image, [&](float* rgb, int x, int y) {
        float b[3];
        if (deep) {
            const auto* p = reinterpret_cast<const std::uint16_t*>(smooth.constScanLine(y)) + 4 * x;
            const float a = std::max<float>(p[3], 1);
            b[0] = p[0] / a, b[1] = p[1] / a, b[2] = p[2] / a;
        } else {
            const std::uint8_t* p = smooth.constScanLine(y) + 4 * x;
            const float a = std::max<float>(p[3], 1);
            b[0] = p[2] / a, b[1] = p[1] / a, b[2] = p[0] / a;
        }
        for (int c = 0; c < 3; ++c) {
            const float d = (rgb[c] - b[c]) / tau;
            rgb[c] += (b[c] - rgb[c]) / (1 + d * d);
        }
    });
}

// One pseudo-random byte per noise cell, the same for the same cell.
std::uint8_t noiseAt(std::int64_t x, std::int64_t y)
{
    std::uint64_t z = static_cast<std::uint64_t>(x) * 0x9E3779B97F4A7C15ULL ^ static_cast<std::uint64_t>(y) * 0xC2B2AE3D27D4EB4FULL;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return static_cast<std::uint8_t>((z ^ (z >> 31)) & 0xFF);
}

// Film grain: grey noise centred on 0.5 with amplitude 0.18 × grain, a new
// pattern every 1/24 s, cells of `cell` pixels, soft-light blended.
void grain(QImage& image, double amount, double time, double cell)
{
    const double k = std::floor(24 * time);
    const double ox = 131 * std::fmod(k, 97.0), oy = 173 * std::fmod(k, 89.0);
    const double a = 0.18 * amount;
    QImage top(image.size(), QImage::Format_Grayscale8);
    const int h = image.height();
    for (int row = 0; row < h; ++row) {
        std::uint8_t* out = top.scanLine(row);
        const auto ny = static_cast<std::int64_t>(std::floor((h - 1 - row + 0.5) / cell - oy));
        for (int x = 0; x < image.width(); ++x) {
            const auto nx = static_cast<std::int64_t>(std::floor((x + 0.5) / cell - ox));
            const double v = 0.5 - 0.5 * a + a * noiseAt(nx, ny) / 255.0;
            out[x] = static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255));
        }
    }
    Kernels::softLight(image, top);
}

// The look's colour at one grid point, before the mix with the identity.
std::array<double, 3> lookColor(const ColorLook& look, double r, double g, double b)
{
    auto clamp01 = [](double z) { return z <= 0 ? 0.0 : z > 1 ? 1.0 : z; };
    const double y = 0.2126 * r + 0.7152 * g + 0.0722 * b;
    const double w = (1 - std::pow(y, 6)) * look.warmth * 0.08;
    const double rw = r * (1 + w), bw = b * (1 - w);
    const double l = 0.2126 * rw + 0.7152 * g + 0.0722 * bw;
    std::array<double, 3> v = look.mono ? std::array{l, l, l}
                                        : std::array{l + look.saturation * (rw - l), l + look.saturation * (g - l),
                                                     l + look.saturation * (bw - l)};
    const double ws = (1 - l) * (1 - l) * (1 - std::pow(1 - l, 6)), wh = l * l * (1 - std::pow(l, 6));
    for (std::size_t c = 0; c < 3; ++c) {
        double x = clamp01(v[c] + ws * look.shadowTint[c] + wh * look.highlightTint[c]);
        x = clamp01(x + 2 * look.contrast * (x * x * (3 - 2 * x) - x));
        v[c] = clamp01(look.fade + std::pow(x, look.gamma) * (1 - look.fade));
    }
    return v;
}

std::shared_ptr<const std::vector<float>> buildCube(const ColorLook& look, double intensity)
{
    constexpr int n = kCubeDimension;
    auto data = std::make_shared<std::vector<float>>();
    data->reserve(4 * n * n * n);
    for (int bi = 0; bi < n; ++bi)
        for (int gi = 0; gi < n; ++gi)
            for (int ri = 0; ri < n; ++ri) {
                const double in[3] = {ri / 32.0, gi / 32.0, bi / 32.0};
                const auto y = lookColor(look, in[0], in[1], in[2]);
                for (std::size_t c = 0; c < 3; ++c) data->push_back(static_cast<float>(in[c] + (y[c] - in[c]) * intensity));
                data->push_back(1.0f);
            }
    return data;
}

}  // namespace

std::optional<std::string> cubeKey(const ColorLook& look, double intensity)
{
    const double steps = std::round(intensity * 20);  // halves away from zero
    if (!std::isfinite(steps) || std::abs(steps) >= 9.2e18) return std::nullopt;
    return std::string(look.id) + "|" + std::to_string(static_cast<std::int64_t>(steps));
}

std::shared_ptr<const std::vector<float>> cube(const ColorLook& look, double intensity)
{
    if (look.id == "none") return nullptr;
    const auto key = cubeKey(look, intensity);
    if (!key) return nullptr;
    static std::mutex lock;
    static std::unordered_map<std::string, std::shared_ptr<const std::vector<float>>> cubes;
    const std::lock_guard guard(lock);
    auto& slot = cubes[*key];
    if (!slot) slot = buildCube(look, intensity);
    return slot;
}

QImage apply(const VideoGrade& g, const QImage& picture, double time)
{
    // Shared, not copied: every step writes into a picture of its own (Qt
    // detaches a shared picture on its first write).
    QImage image = Kernels::working(picture);
    if (image.isNull()) return image;
    const double s = std::min(image.width(), image.height()) / 1080.0;
    if (g.denoise > 0) denoise(image, 0.01 + 0.05 * g.denoise);
    if (g.exposure != 0) exposure(image, 1.5 * g.exposure);
    if (g.temperature != 0 || g.tint != 0) whiteBalance(image, g.temperature, g.tint);
    if (g.highlights < 0 || g.shadows != 0)
        highlightsShadows(image, 1 + 0.8 * std::min(g.highlights, 0.0), 0.8 * g.shadows, 12 * s);
    if (g.highlights > 0) {
        const Curve curve = toneCurve({{{0, 0}, {0.25, 0.25}, {0.5, 0.5}, {0.75, 0.75 + 0.12 * g.highlights}, {1, 1}}});
        Kernels::mapColors(image, [&](float* rgb, int, int) {
            for (int c = 0; c < 3; ++c) rgb[c] = curve(rgb[c]);
        });
    }
    if (g.contrast != 0 || g.saturation != 0) contrastSaturation(image, 1 + 0.35 * g.contrast, 1 + g.saturation);
    if (g.vibrance != 0) vibrance(image, g.vibrance);
    if (g.look != "none" && g.intensity > 0)
        if (const auto data = cube(ColorLook::find(g.look), g.intensity)) Kernels::applyCube(image, *data, kCubeDimension);
    if (g.clarity > 0) image = Kernels::unsharpMask(image, 22 * s, 0.7 * g.clarity);
    // Sharpening works at the scale of pixels: on small pictures (look
    // previews) its radius stays at a pixel or more.
    if (g.sharpness > 0) image = Kernels::unsharpMask(image, std::max(1.6 * s, 1.0), 0.9 * g.sharpness);
    if (g.glow > 0) image = Kernels::bloom(image, 14 * s, 0.7 * g.glow);
    if (g.vignette > 0) {
        const double diagonal = std::hypot(image.width(), image.height());
        Kernels::vignette(image, QPointF(image.width() / 2.0, image.height() / 2.0), 0.36 * diagonal,
                          1.1 * g.vignette, 0.6);
    }
    if (g.grain > 0) grain(image, g.grain, time, s >= 1 ? 1.4 * s : 1.4);
    return image;
}

VideoGrade autoGrade(const std::vector<QImage>& frames, const VideoGrade& keeping)
{
    if (frames.empty()) return keeping;
    std::array<double, 3> sum{};
    for (const QImage& frame : frames) {
        const auto mean = Kernels::averageColor(frame);
        for (std::size_t c = 0; c < 3; ++c) sum[c] += mean[c];
    }
    const double count = static_cast<double>(frames.size());
    const double r = sum[0] / count, g = sum[1] / count, b = sum[2] / count;
    const double y = 0.2126 * r + 0.7152 * g + 0.0722 * b;
    auto limit = [](double v, double low, double high) {
        if (v <= low) v = low;
        if (v > high) v = high;
        return v;
    };
    VideoGrade out = keeping;
    out.exposure = limit(0.6 * std::log2(0.5 / std::max(y, 0.02)) / 1.5, -0.3, 0.6);
    out.temperature = limit(2 * (b - r), -0.3, 0.3);
    out.tint = limit(3 * (g - (r + b) / 2), -0.3, 0.3);
    out.shadows = y < 0.35 ? 0.2 : 0.05;
    out.highlights = y > 0.55 ? -0.3 : -0.1;
    out.contrast = 0.1;
    out.vibrance = 0.25;
    out.sharpness = 0.25;
    return out;
}

}  // namespace vt::ColorGrader
