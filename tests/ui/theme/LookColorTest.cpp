#include "ui/theme/LookColor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vt::ui {
namespace {

TEST(LookColor, RoundTripsThroughTheToolkitWithinOneChannelStep)
{
    for (const RGBA& c : {RGBA{0, 0, 0, 1}, RGBA{1, 1, 1, 0}, RGBA{0.882, 0.188, 0.424, 0.35}, RGBA{0.5, 0.25, 0.125, 0.75}}) {
        const RGBA back = toRGBA(toQColor(c));
        EXPECT_NEAR(back.r, c.r, 1.0 / 65535);
        EXPECT_NEAR(back.g, c.g, 1.0 / 65535);
        EXPECT_NEAR(back.b, c.b, 1.0 / 65535);
        EXPECT_NEAR(back.a, c.a, 1.0 / 65535);
    }
}

TEST(LookColor, DamagedComponentsBecomeValidColours)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const QColor q = toQColor({nan, inf, -3, 7});
    ASSERT_TRUE(q.isValid());
    EXPECT_EQ(q.red(), 0);
    EXPECT_EQ(q.green(), 255);
    EXPECT_EQ(q.blue(), 0);
    EXPECT_EQ(q.alpha(), 255);
}

TEST(LookColor, OtherColourModelsConvertToRgb)
{
    const RGBA c = toRGBA(QColor::fromHsvF(0, 1, 1, 0.5f));
    EXPECT_NEAR(c.r, 1, 1e-4);
    EXPECT_NEAR(c.g, 0, 1e-4);
    EXPECT_NEAR(c.b, 0, 1e-4);
    EXPECT_NEAR(c.a, 0.5, 1e-4);
}

}  // namespace
}  // namespace vt::ui
