#include "export/ExportSettings.h"

#include <QByteArray>
#include <QSettings>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vt {

namespace {

constexpr const char* kSettingsKey = "exportSettings";
constexpr double kAudioBitsPerSecond = 192'000;

int clampIndex(int index) { return std::clamp(index, 0, 4); }

int resolutionIndexForLabel(const std::string& label)
{
    for (std::size_t i = 0; i < ExportSettings::resolutions.size(); ++i)
        if (ExportSettings::resolutions[i].label == label) return static_cast<int>(i);
    return 2;
}

int frameRateIndexExact(double fps)
{
    for (std::size_t i = 0; i < ExportSettings::frameRates.size(); ++i)
        if (ExportSettings::frameRates[i] == fps) return static_cast<int>(i);
    return 2;
}

}  // namespace

ExportBasis ExportBasis::of(OutputAspect aspect, const std::optional<SourceVideoInfo>& source)
{
    Size canvas = renderSize(aspect);
    if (!source) return {canvas, canvas, 30, false};
    const auto& t = source->transform;
    double w = source->naturalWidth, h = source->naturalHeight;
    // The bounding box of the natural rectangle after the track's transform,
    // so a phone video recorded sideways counts by the size it is shown at.
    Size shown{std::abs(t.a * w) + std::abs(t.c * h), std::abs(t.b * w) + std::abs(t.d * h)};
    return {canvas, shown, source->fps, source->isHDR};
}

std::string ExportSettings::Resolved::summary() const
{
    return resolutionLabel + " / " + std::to_string(static_cast<long long>(fps)) + "fps";
}

json::Value ExportSettings::toJson() const
{
    return json::Writer()
        .required("mode", mode)
        .required("resolution", resolution)
        .required("frameRate", frameRate)
        .required("bitrate", bitrate)
        .required("codec", codec)
        .required("audioOnly", audioOnly)
        .required("hdr", hdr)
        .done();
}

ExportSettings ExportSettings::fromJson(const json::Value& v)
{
    json::Reader in(v);
    ExportSettings s;
    s.mode = in.required<Mode>("mode");
    s.resolution = in.required<int>("resolution");
    s.frameRate = in.required<int>("frameRate");
    s.bitrate = in.required<double>("bitrate");
    s.codec = in.required<VideoCodec>("codec");
    s.audioOnly = in.required<bool>("audioOnly");
    s.hdr = in.required<bool>("hdr");
    return s;
}

ExportSettings ExportSettings::load()
{
    QByteArray stored = QSettings().value(kSettingsKey).toByteArray();
    if (stored.isEmpty()) return {};
    try {
        return json::decode<ExportSettings>(json::parse(std::string_view(stored.constData(), stored.size())));
    } catch (const std::exception&) {
        return {};
    }
}

void ExportSettings::save() const
{
    std::string text;
    try {
        text = toJson().dump();
    } catch (const std::exception&) {
        return;
    }
    QSettings().setValue(kSettingsKey, QByteArray(text.data(), static_cast<qsizetype>(text.size())));
}

int ExportSettings::nearestFrameRate(double fps)
{
    int best = 0;
    for (int i = 1; i < static_cast<int>(frameRates.size()); ++i)
        if (std::abs(frameRates[i] - fps) < std::abs(frameRates[best] - fps)) best = i;
    return best;
}

double ExportSettings::automaticBitrate(double width, double height, double fps, VideoCodec videoCodec, bool hdrOn)
{
    double x = width * height * fps * 0.16 / 1'000'000;
    if (videoCodec == VideoCodec::hevc) x *= 0.65;
    if (hdrOn) x *= 1.25;
    if (!(x > 1)) return 1.0;
    return std::round(std::min(x, 300.0) * 10) / 10;
}

ExportSettings::Resolved ExportSettings::resolved(const ExportBasis& basis) const
{
    int row = 0, rateRow = 0;
    if (mode == Mode::automatic) {
        double m = std::min(basis.sourceSize.width, basis.sourceSize.height) + 8;
        row = m >= 2160 ? 4 : m >= 1520 ? 3 : m >= 1080 ? 2 : 1;
        rateRow = nearestFrameRate(basis.sourceFPS);
    } else {
        row = clampIndex(resolution);
        rateRow = clampIndex(frameRate);
    }
    Resolved r;
    double scale = resolutions[row].shortSide / std::min(basis.base.width, basis.base.height);
    r.size = {2 * std::round(basis.base.width * scale / 2), 2 * std::round(basis.base.height * scale / 2)};
    r.fps = frameRates[rateRow];
    r.hdr = hdr && basis.sourceIsHDR;
    r.codec = r.hdr ? VideoCodec::hevc : mode == Mode::automatic ? VideoCodec::h264 : codec;
    r.bitrateMbps = mode == Mode::automatic
                        ? automaticBitrate(r.size.width, r.size.height, r.fps, r.codec, r.hdr)
                        : std::clamp(bitrate, 1.0, 300.0);
    r.resolutionLabel = std::string(resolutions[row].label);
    return r;
}

ExportSettings ExportSettings::switchedTo(Mode next, const ExportBasis& basis) const
{
    ExportSettings out = *this;
    if (next == mode) return out;
    if (next == Mode::manual) {
        Resolved now = resolved(basis);
        out.resolution = resolutionIndexForLabel(now.resolutionLabel);
        out.frameRate = frameRateIndexExact(now.fps);
        out.bitrate = now.bitrateMbps;
        out.codec = now.codec;
    }
    out.mode = next;
    return out;
}

ExportSettings ExportSettings::withManual(std::optional<int> resolutionIndex, std::optional<int> frameRateIndex,
                                          std::optional<VideoCodec> videoCodec, const ExportBasis& basis) const
{
    ExportSettings out = *this;
    if (resolutionIndex) out.resolution = *resolutionIndex;
    if (frameRateIndex) out.frameRate = *frameRateIndex;
    if (videoCodec) out.codec = *videoCodec;
    Resolved r = out.resolved(basis);
    out.bitrate = automaticBitrate(r.size.width, r.size.height, r.fps, r.codec, r.hdr);
    return out;
}

std::string ExportSettings::formatBytes(double bytes)
{
    char text[64];
    if (bytes >= 1'000'000'000)
        std::snprintf(text, sizeof text, "%.2f GB", bytes / 1'000'000'000);
    else
        std::snprintf(text, sizeof text, "%.2f MB", bytes / 1'000'000);
    return text;
}

double estimatedExportBytes(double outputSeconds, const ExportSettings& settings,
                            const ExportSettings::Resolved& resolved)
{
    double length = std::max(outputSeconds, 0.0);
    double bits = settings.audioOnly ? kAudioBitsPerSecond : resolved.bitrateMbps * 1'000'000 + kAudioBitsPerSecond;
    return length * bits / 8;
}

}  // namespace vt
