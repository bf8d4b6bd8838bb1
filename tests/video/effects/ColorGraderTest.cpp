// The colour grade: the looks' cubes, the adjustments and auto-enhance.
#include "video/effects/ColorGrader.h"

#include "video/Kernels.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vt {
namespace {

std::array<float, 3> cubeAt(const std::vector<float>& cube, int r, int g, int b)
{
    const std::size_t i = 4 * static_cast<std::size_t>(r + 33 * g + 33 * 33 * b);
    return {cube[i], cube[i + 1], cube[i + 2]};
}

QImage flat(QColor color, QSize size = {64, 48}) { return Kernels::solid(size, color); }

std::array<int, 3> centre(const QImage& image)
{
    const QColor c = image.pixelColor(image.width() / 2, image.height() / 2);
    return {c.red(), c.green(), c.blue()};
}

TEST(ColorGrader, CubesMapColoursAsTheLooksSay)
{
    struct Case {
        const char* look;
        double intensity;
        std::array<int, 3> in;  // grid indices
        std::array<double, 3> out;
    };
    const Case cases[] = {
        {"natural", 1, {16, 16, 16}, {0.5, 0.5, 0.5}},
        {"natural", 1, {32, 0, 0}, {1, 0, 0}},
        {"noir", 1, {32, 0, 0}, {0.1260, 0.1260, 0.1260}},
        {"warm-glow", 1, {16, 16, 16}, {0.5589, 0.5080, 0.4460}},
        {"moody", 0.8, {24, 16, 8}, {0.7300, 0.4996, 0.2650}},
        {"cinematic", 0, {7, 20, 31}, {7 / 32.0, 20 / 32.0, 31 / 32.0}},
    };
    for (const Case& c : cases) {
        const auto cube = ColorGrader::cube(ColorLook::find(c.look), c.intensity);
        ASSERT_TRUE(cube) << c.look;
        ASSERT_EQ(cube->size(), 143748u);
        const auto v = cubeAt(*cube, c.in[0], c.in[1], c.in[2]);
        for (std::size_t k = 0; k < 3; ++k) EXPECT_NEAR(v[k], c.out[k], 6e-4) << c.look << " channel " << k;
        EXPECT_EQ((*cube)[3], 1.0f);
    }
    EXPECT_FALSE(ColorGrader::cube(ColorLook::none(), 1));
}

TEST(ColorGrader, CubeKeysRoundIntensityToTwentieths)
{
    const ColorLook& look = ColorLook::find("cinematic");
    EXPECT_EQ(ColorGrader::cubeKey(look, 0.8), "cinematic|16");
    EXPECT_EQ(ColorGrader::cubeKey(look, 0.82), "cinematic|16");
    EXPECT_EQ(ColorGrader::cubeKey(look, 0.825), "cinematic|17");
    EXPECT_FALSE(ColorGrader::cubeKey(look, NAN));
    EXPECT_FALSE(ColorGrader::cubeKey(look, 1e300));
    // The first intensity of a step builds the cube the later ones share.
    EXPECT_EQ(ColorGrader::cube(ColorLook::find("vintage"), 0.81), ColorGrader::cube(ColorLook::find("vintage"), 0.79));
}

TEST(ColorGrader, LookIsLaidOverThePictureByTrilinearLookup)
{
    VideoGrade grade;
    grade.look = "noir";
    grade.intensity = 1;
    EXPECT_EQ(centre(ColorGrader::apply(grade, flat(Qt::red), 0)), (std::array{32, 32, 32}));
    // Between grid points the lookup interpolates: an identity cube keeps
    // every byte value.
    const auto identity = ColorGrader::cube(ColorLook::find("punchy"), 0);
    QImage ramp(256, 1, Kernels::kFormat);
    for (int x = 0; x < 256; ++x) ramp.setPixelColor(x, 0, QColor(x, 255 - x, (x * 7) % 256));
    QImage mapped = ramp.copy();
    Kernels::applyCube(mapped, *identity, 33);
    EXPECT_EQ(mapped, ramp);
    // An unknown look renders without a cube.
    grade.look = "Moody";
    EXPECT_EQ(centre(ColorGrader::apply(grade, flat(QColor(200, 100, 50)), 0)), (std::array{200, 100, 50}));
}

TEST(ColorGrader, AdjustmentsMoveThePictureTheirWay)
{
    const QImage grey = flat(QColor(128, 128, 128), {1080, 1080});
    auto graded = [&](auto set, const QImage& picture) {
        VideoGrade g;
        set(g);
        return centre(ColorGrader::apply(g, picture, 0));
    };
    // EV ±0.75 in linear light: 0.5 becomes 0.635 and 0.379.
    EXPECT_EQ(graded([](VideoGrade& g) { g.exposure = 0.5; }, grey)[1], 162);
    EXPECT_EQ(graded([](VideoGrade& g) { g.exposure = -0.5; }, grey)[1], 100);
    const auto warm = graded([](VideoGrade& g) { g.temperature = 0.5; }, grey);
    EXPECT_GT(warm[0], warm[2] + 10);
    const auto magenta = graded([](VideoGrade& g) { g.tint = 0.5; }, grey);
    EXPECT_LT(magenta[1], magenta[0]);
    EXPECT_GT(graded([](VideoGrade& g) { g.shadows = 1; }, grey)[1], 135);
    // The tone curve lifts 0.75 to 0.87 and leaves 0.5 alone.
    EXPECT_EQ(graded([](VideoGrade& g) { g.highlights = 1; }, flat(QColor(191, 191, 191)))[1], 222);
    EXPECT_EQ(graded([](VideoGrade& g) { g.highlights = 1; }, grey)[1], 128);
    EXPECT_EQ(graded([](VideoGrade& g) { g.contrast = 1; }, grey)[1], 128);
    // The vignette darkens corners, not the centre.
    VideoGrade v;
    v.vignette = 1;
    const QImage vignetted = ColorGrader::apply(v, grey, 0);
    EXPECT_EQ(centre(vignetted)[1], 128);
    EXPECT_LT(vignetted.pixelColor(0, 0).green(), 40);
    // Grain changes every 1/24 s and nowhere else.
    VideoGrade g;
    g.grain = 1;
    EXPECT_EQ(ColorGrader::apply(g, grey, 0), ColorGrader::apply(g, grey, 0.04));
    EXPECT_NE(ColorGrader::apply(g, grey, 0), ColorGrader::apply(g, grey, 0.05));
    EXPECT_EQ(ColorGrader::apply(g, grey, 0).size(), grey.size());
}

TEST(ColorGrader, LocalAdjustmentsChangeTexturedPictures)
{
    // Stripes and a bright square: something for every local filter to act on.
    QImage picture = flat(QColor(90, 110, 130), {216, 120});
    for (int x = 0; x < picture.width(); x += 6)
        for (int y = 0; y < picture.height(); ++y) picture.setPixelColor(x, y, QColor(30, 40, 50));
    for (int x = 100; x < 130; ++x)
        for (int y = 40; y < 70; ++y) picture.setPixelColor(x, y, Qt::white);
    struct Case {
        const char* name;
        double VideoGrade::*field;
        double value;
    };
    const Case cases[] = {{"clarity", &VideoGrade::clarity, 1},   {"sharpness", &VideoGrade::sharpness, 1},
                          {"glow", &VideoGrade::glow, 1},         {"denoise", &VideoGrade::denoise, 1},
                          {"vibrance", &VideoGrade::vibrance, 1}, {"saturation", &VideoGrade::saturation, -1}};
    for (const Case& c : cases) {
        VideoGrade g;
        g.*c.field = c.value;
        const QImage out = ColorGrader::apply(g, picture, 0);
        EXPECT_EQ(out.size(), picture.size()) << c.name;
        EXPECT_NE(out, Kernels::working(picture)) << c.name << " unchanged";
    }
    VideoGrade grey;
    grey.saturation = -1;
    const QColor c = ColorGrader::apply(grey, picture, 0).pixelColor(3, 3);
    EXPECT_NEAR(c.red(), c.blue(), 1);
}

TEST(ColorGrader, DeepPicturesStayDeep)
{
    VideoGrade g;
    g.look = "noir";
    g.intensity = 1;
    g.vignette = 0.3;
    const QImage deep = Kernels::solid({40, 30}, Qt::red, Kernels::kDeepFormat);
    const QImage out = ColorGrader::apply(g, deep, 0);
    EXPECT_EQ(out.format(), Kernels::kDeepFormat);
    EXPECT_NEAR(out.pixelColor(20, 15).redF(), 0.126, 0.01);
}

TEST(ColorGrader, AutoEnhanceFollowsTheMeasuredAverage)
{
    struct Case {
        QColor average;
        double exposure, temperature, tint, shadows, highlights;
    };
    const Case cases[] = {
        {QColor(128, 128, 128), 0.0, 0, 0, 0.05, -0.1},
        {QColor(0, 0, 0), 0.6, 0, 0, 0.2, -0.1},
        {QColor(255, 255, 255), -0.3, 0, 0, 0.05, -0.3},
        {QColor::fromRgbF(0.6f, 0.4f, 0.3f), 0.08, -0.3, -0.15, 0.05, -0.1},
        {QColor::fromRgbF(0.25f, 0.25f, 0.25f), 0.4, 0, 0, 0.2, -0.1},
    };
    VideoGrade keep;
    keep.look = "vintage";
    keep.intensity = 0.6;
    keep.saturation = -0.2;
    keep.grain = 0.3;
    keep.exposure = 0.9;
    keep.contrast = -1;
    for (const Case& c : cases) {
        // Two frames whose average is the case's colour.
        const QImage half = flat(c.average);
        const VideoGrade g = ColorGrader::autoGrade({half, half}, keep);
        EXPECT_NEAR(g.exposure, c.exposure, 0.01) << c.average.name().toStdString();
        EXPECT_NEAR(g.temperature, c.temperature, 0.01);
        EXPECT_NEAR(g.tint, c.tint, 0.01);
        EXPECT_EQ(g.shadows, c.shadows);
        EXPECT_EQ(g.highlights, c.highlights);
        EXPECT_EQ(g.contrast, 0.1);
        EXPECT_EQ(g.vibrance, 0.25);
        EXPECT_EQ(g.sharpness, 0.25);
        EXPECT_EQ(g.look, "vintage");
        EXPECT_EQ(g.intensity, 0.6);
        EXPECT_EQ(g.saturation, -0.2);
        EXPECT_EQ(g.grain, 0.3);
    }
    EXPECT_EQ(ColorGrader::autoGrade({}, keep), keep);
    // A dark half and a light half average to mid-grey.
    const VideoGrade mixed = ColorGrader::autoGrade({flat(QColor(28, 28, 28)), flat(QColor(228, 228, 228))}, {});
    EXPECT_NEAR(mixed.exposure, 0.03, 0.05);
}

}  // namespace
}  // namespace vt
