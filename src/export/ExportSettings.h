#pragma once
// The user's encoder choices for export, and the same choices applied to one
// project. The choices belong to the user, not to a project: they are kept as
// JSON under the user setting "exportSettings" and read back when an editor
// opens. Resolving them against the output canvas and the source video gives
// the size, frame rate, bitrate, codec and HDR flag the encoder is handed.
//
// Pure values; load() and save() touch the user settings (QSettings) and
// belong to the main thread.

#include "model/Geometry.h"
#include "model/OutputAspect.h"
#include "model/Placements.h"
#include "platform/JsonCoding.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace vt {

enum class VideoCodec { h264, hevc };

constexpr auto enumCases(VideoCodec)
{
    return std::array{std::pair{VideoCodec::h264, std::string_view("H.264")},
                      std::pair{VideoCodec::hevc, std::string_view("HEVC")}};
}

// What the export is resolved against: the output canvas and the source's
// displayed size, frame rate and HDR flag.
struct ExportBasis {
    Size base;
    Size sourceSize;
    double sourceFPS = 30;
    bool sourceIsHDR = false;

    // The canvas of the aspect, and the source's facts when they are known
    // (its natural size turned by its transform); without them the canvas,
    // 30 fps and no HDR.
    static ExportBasis of(OutputAspect aspect, const std::optional<SourceVideoInfo>& source);
};

struct ExportSettings {
    // `auto` is spelled `automatic` here (a C++ keyword); its stored text is "Auto".
    enum class Mode { automatic, manual };

    struct ResolutionRow {
        std::string_view label;
        double shortSide;  // pixels
    };
    static constexpr std::array<ResolutionRow, 5> resolutions{
        {{"480p", 480}, {"720p", 720}, {"1080p", 1080}, {"2.7K", 1520}, {"4K", 2160}}};
    static constexpr std::array<double, 5> frameRates{24, 25, 30, 50, 60};

    // The settings applied to one project.
    struct Resolved {
        Size size;                 // pixels, both even
        double fps = 30;           // one of frameRates
        double bitrateMbps = 10;   // 1 to 300
        VideoCodec codec = VideoCodec::h264;
        bool hdr = false;          // HDR output in force
        std::string resolutionLabel;

        // "1080p / 30fps"
        std::string summary() const;
        friend bool operator==(const Resolved&, const Resolved&) = default;
    };

    Mode mode = Mode::automatic;
    int resolution = 2;      // index into resolutions, unclamped; manual mode only
    int frameRate = 2;       // index into frameRates, unclamped; manual mode only
    double bitrate = 10.0;   // Mbps, manual mode only; clamped when resolving
    VideoCodec codec = VideoCodec::h264;
    bool audioOnly = false;
    bool hdr = false;        // keep HDR when the source is HDR

    friend bool operator==(const ExportSettings&, const ExportSettings&) = default;

    json::Value toJson() const;
    // All seven keys are required.
    static ExportSettings fromJson(const json::Value& v);

    // The stored choices, or the defaults when there are none or they do not
    // read (the stored entry is then left as it is).
    static ExportSettings load();
    // Writes the choices to the user settings; an encoding failure stores nothing.
    void save() const;

    Resolved resolved(const ExportBasis& basis) const;

    // The settings after switching to `next`: switching to manual seeds the
    // manual fields from what automatic mode resolves to now.
    ExportSettings switchedTo(Mode next, const ExportBasis& basis) const;
    // The settings with the given manual fields replaced and the bitrate
    // derived anew from what they resolve to.
    ExportSettings withManual(std::optional<int> resolutionIndex, std::optional<int> frameRateIndex,
                              std::optional<VideoCodec> videoCodec, const ExportBasis& basis) const;

    // Index of the nearest frameRates entry; ties keep the lower rate, NaN gives 0.
    static int nearestFrameRate(double fps);
    // Mbps for a size and rate, one decimal, 1 to 300.
    static double automaticBitrate(double width, double height, double fps, VideoCodec codec, bool hdr);
    // "12.34 MB" below 10^9 bytes, "1.23 GB" from there on.
    static std::string formatBytes(double bytes);
};

constexpr auto enumCases(ExportSettings::Mode)
{
    return std::array{std::pair{ExportSettings::Mode::automatic, std::string_view("Auto")},
                      std::pair{ExportSettings::Mode::manual, std::string_view("Manual")}};
}

// Expected file size in bytes of an export of `outputSeconds`: the video
// bitrate plus the 192 kb/s audio track, or the audio alone.
double estimatedExportBytes(double outputSeconds, const ExportSettings& settings,
                            const ExportSettings::Resolved& resolved);

}  // namespace vt
