#include "export/HlgPicture.h"

#include <QRgba64>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

namespace vt::HlgPicture {

namespace {

constexpr int kLinearSteps = 65535;
// Scene light at which HLG codes 0.75: standard white goes there.
constexpr double kWhiteScene = 0.2647;

// Standard-range code values to display light (BT.1886, gamma 2.4).
const std::array<float, 256>& linearOf()
{
    static const std::array<float, 256> table = [] {
        std::array<float, 256> t{};
        for (int v = 0; v < 256; ++v) t[std::size_t(v)] = float(std::pow(v / 255.0, 2.4));
        return t;
    }();
    return table;
}

double hlgOetf(double e)
{
    constexpr double a = 0.17883277, b = 0.28466892, c = 0.55991073;
    return e <= 1.0 / 12 ? std::sqrt(3 * e) : a * std::log(12 * e - b) + c;
}

// Linear light 0…1 in kLinearSteps steps to the 16-bit HLG code.
const std::vector<std::uint16_t>& signalOf()
{
    static const std::vector<std::uint16_t> table = [] {
        std::vector<std::uint16_t> t(kLinearSteps + 1);
        for (int i = 0; i <= kLinearSteps; ++i)
            t[std::size_t(i)] = std::uint16_t(std::lround(std::clamp(hlgOetf(kWhiteScene * i / kLinearSteps), 0.0, 1.0) * 65535));
        return t;
    }();
    return table;
}

std::uint16_t code(float linear)
{
    const float clamped = std::clamp(linear, 0.0f, 1.0f);
    return signalOf()[std::size_t(std::lround(clamped * kLinearSteps))];
}

}  // namespace

QImage fromStandard(const QImage& picture)
{
    const QImage source = picture.format() == QImage::Format_ARGB32_Premultiplied || picture.format() == QImage::Format_RGB32
                              ? picture
                              : picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage out(source.size(), QImage::Format_RGBX64);
    const auto& linear = linearOf();
    for (int y = 0; y < source.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        auto* row = reinterpret_cast<QRgba64*>(out.scanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            // Premultiplied colour is the picture over black.
            const float r = linear[std::size_t(qRed(in[x]))], g = linear[std::size_t(qGreen(in[x]))], b = linear[std::size_t(qBlue(in[x]))];
            // BT.709 primaries to BT.2020, in linear light.
            const float r2 = 0.6274f * r + 0.3293f * g + 0.0433f * b;
            const float g2 = 0.0691f * r + 0.9195f * g + 0.0114f * b;
            const float b2 = 0.0164f * r + 0.0880f * g + 0.8956f * b;
            row[x] = QRgba64::fromRgba64(code(r2), code(g2), code(b2), 0xffff);
        }
    }
    return out;
}

}  // namespace vt::HlgPicture
