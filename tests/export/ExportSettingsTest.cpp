#include "export/ExportSettings.h"

#include "export/SettingsSandbox.h"

#include <QCoreApplication>
#include <QSettings>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace vt;

namespace {

constexpr Size kVertical{1080, 1920};

ExportBasis source(double w, double h, double fps = 30, bool hdr = false, Size base = kVertical)
{
    return {base, {w, h}, fps, hdr};
}

ExportSettings manual(int resolution, int frameRate, double bitrate, VideoCodec codec, bool hdr = false)
{
    ExportSettings s;
    s.mode = ExportSettings::Mode::manual;
    s.resolution = resolution;
    s.frameRate = frameRate;
    s.bitrate = bitrate;
    s.codec = codec;
    s.hdr = hdr;
    return s;
}

}  // namespace

TEST(ExportSettings, ResolvesSizeRateCodecAndBitrate)
{
    struct Case {
        const char* name;
        ExportSettings settings;
        ExportBasis basis;
        ExportSettings::Resolved expected;
    };
    const Case cases[] = {
        {"defaults on a 1080p source", {}, source(1080, 1920), {{1080, 1920}, 30, 10.0, VideoCodec::h264, false, "1080p"}},
        {"8-pixel tolerance", {}, source(1920, 1072), {{1080, 1920}, 30, 10.0, VideoCodec::h264, false, "1080p"}},
        {"small source still 720p", {}, source(640, 360), {{720, 1280}, 30, 4.4, VideoCodec::h264, false, "720p"}},
        {"4K at 60 HEVC HDR", ExportSettings{.hdr = true}, source(2160, 3840, 59.94, true),
         {{2160, 3840}, 60, 64.7, VideoCodec::hevc, true, "4K"}},
        {"HDR asked of an SDR source", ExportSettings{.hdr = true}, source(1080, 1920, 60),
         {{1080, 1920}, 60, 19.9, VideoCodec::h264, false, "1080p"}},
        {"manual H.264 turns HEVC for HDR, bitrate kept", manual(3, 4, 48.5, VideoCodec::h264, true),
         source(1080, 1920, 30, true), {{1520, 2702}, 60, 48.5, VideoCodec::hevc, true, "2.7K"}},
        {"manual index above range", manual(7, 9, 500, VideoCodec::hevc), source(1080, 1920),
         {{2160, 3840}, 60, 300, VideoCodec::hevc, false, "4K"}},
        {"manual index below range", manual(-1, -3, 0.5, VideoCodec::h264), source(1080, 1920),
         {{480, 854}, 24, 1, VideoCodec::h264, false, "480p"}},
        {"landscape canvas", manual(1, 2, 8, VideoCodec::h264), source(1080, 1920, 30, false, {1920, 1080}),
         {{1280, 720}, 30, 8, VideoCodec::h264, false, "720p"}},
        {"portrait canvas", manual(3, 2, 8, VideoCodec::h264), source(1080, 1920, 30, false, {1080, 1350}),
         {{1520, 1900}, 30, 8, VideoCodec::h264, false, "2.7K"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.settings.resolved(c.basis), c.expected);
    }
}

TEST(ExportSettings, NearestFrameRate)
{
    const std::pair<double, int> cases[] = {{29.97, 2}, {27.5, 1}, {100, 4}, {23, 0}, {55, 3},
                                            {std::numeric_limits<double>::quiet_NaN(), 0}};
    for (auto [fps, index] : cases) EXPECT_EQ(ExportSettings::nearestFrameRate(fps), index) << fps;
}

TEST(ExportSettings, RotatedSourceCountsByItsShownSize)
{
    SourceVideoInfo info{1920, 1080, {0, 1, -1, 0, 1080, 0}, 30, 10, false};
    ExportBasis basis = ExportBasis::of(OutputAspect::vertical, info);
    EXPECT_EQ(basis.sourceSize, (Size{1080, 1920}));
    EXPECT_EQ(ExportBasis::of(OutputAspect::landscape, std::nullopt).sourceSize, (Size{1920, 1080}));
}

TEST(ExportSettings, SwitchingToManualSeedsFromTheResolvedSettings)
{
    ExportSettings autoSettings;
    autoSettings.hdr = true;
    autoSettings.bitrate = 3;
    ExportSettings m = autoSettings.switchedTo(ExportSettings::Mode::manual, source(2160, 3840, 24, true));
    EXPECT_EQ(m.mode, ExportSettings::Mode::manual);
    EXPECT_EQ(m.resolution, 4);
    EXPECT_EQ(m.frameRate, 0);
    EXPECT_EQ(m.codec, VideoCodec::hevc);
    EXPECT_DOUBLE_EQ(m.bitrate, ExportSettings::automaticBitrate(2160, 3840, 24, VideoCodec::hevc, true));
    EXPECT_TRUE(m.hdr);

    ExportSettings back = m.switchedTo(ExportSettings::Mode::automatic, source(1080, 1920));
    EXPECT_EQ(back.mode, ExportSettings::Mode::automatic);
    EXPECT_EQ(back.resolution, 4);
    EXPECT_EQ(m.switchedTo(ExportSettings::Mode::manual, source(1080, 1920)), m);
}

TEST(ExportSettings, ManualChangeDerivesTheBitrateAnew)
{
    ExportSettings s = manual(2, 2, 42, VideoCodec::h264, true);
    ExportSettings next = s.withManual(4, std::nullopt, std::nullopt, source(1080, 1920, 30, true));
    EXPECT_EQ(next.resolution, 4);
    EXPECT_EQ(next.frameRate, 2);
    // HDR is in force, so the codec resolves to HEVC and both factors apply.
    EXPECT_DOUBLE_EQ(next.bitrate, std::round(2160 * 3840 * 30 * 0.16 / 1e6 * 0.65 * 1.25 * 10) / 10);
    EXPECT_EQ(next.withManual(std::nullopt, 1, VideoCodec::hevc, source(1080, 1920)).codec, VideoCodec::hevc);
}

TEST(ExportSettings, FormatsBytesAndEstimatesSize)
{
    EXPECT_EQ(ExportSettings::formatBytes(999'999'999), "1000.00 MB");
    EXPECT_EQ(ExportSettings::formatBytes(1'000'000'000), "1.00 GB");
    EXPECT_EQ(ExportSettings::formatBytes(0), "0.00 MB");

    ExportSettings audio;
    audio.audioOnly = true;
    ExportSettings::Resolved r{{1080, 1920}, 30, 10, VideoCodec::h264, false, "1080p"};
    EXPECT_DOUBLE_EQ(estimatedExportBytes(60, audio, r), 1'440'000);
    EXPECT_DOUBLE_EQ(estimatedExportBytes(8, ExportSettings{}, r), 8 * 10'192'000 / 8.0);
    EXPECT_DOUBLE_EQ(estimatedExportBytes(-3, ExportSettings{}, r), 0);
    EXPECT_EQ(r.summary(), "1080p / 30fps");
    EXPECT_EQ((ExportSettings::Resolved{{}, 29.97, 1, VideoCodec::h264, false, "720p"}).summary(), "720p / 29fps");
}

TEST(ExportSettings, StoredFormRoundTripsAndBadEntriesGiveDefaults)
{
    test::SettingsSandbox sandbox;
    EXPECT_EQ(ExportSettings::load(), ExportSettings{});

    ExportSettings s = manual(3, 4, 48.5, VideoCodec::hevc, true);
    s.save();
    EXPECT_EQ(ExportSettings::load(), s);
    auto stored = json::parse(QSettings().value("exportSettings").toByteArray().toStdString());
    EXPECT_EQ(stored["mode"], "Manual");
    EXPECT_EQ(stored["codec"], "HEVC");
    EXPECT_EQ(stored["resolution"], 3);

    const char* bad[] = {
        "not json",
        R"({"mode":"Manual","resolution":3,"frameRate":4,"bitrate":48.5,"codec":"HEVC","audioOnly":false})",
        R"({"mode":"Sideways","resolution":3,"frameRate":4,"bitrate":48.5,"codec":"HEVC","audioOnly":false,"hdr":true})",
        R"({"mode":"Manual","resolution":"3","frameRate":4,"bitrate":48.5,"codec":"HEVC","audioOnly":false,"hdr":true})",
    };
    for (const char* text : bad) {
        SCOPED_TRACE(text);
        QSettings().setValue("exportSettings", QByteArray(text));
        EXPECT_EQ(ExportSettings::load(), ExportSettings{});
        EXPECT_EQ(QSettings().value("exportSettings").toByteArray(), QByteArray(text));
    }
    // Any key order reads.
    QSettings().setValue("exportSettings",
                         QByteArray(R"({"hdr":false,"codec":"H.264","audioOnly":true,"bitrate":7,"frameRate":1,"resolution":0,"mode":"Auto"})"));
    ExportSettings read = ExportSettings::load();
    EXPECT_TRUE(read.audioOnly);
    EXPECT_EQ(read.frameRate, 1);
}
