#include "ui/inspector/TimeFormat.h"

#include <gtest/gtest.h>

#include <limits>

using namespace vt::ui;

TEST(TimeFormat, TimesAndTimecodes)
{
    struct Case {
        double seconds;
        const char* time;
        const char* timecode;
    };
    const Case cases[] = {
        {0, "0:00", "0:00.0"},
        {0.05, "0:00", "0:00.0"},
        {1.25, "0:01", "0:01.2"},
        {59.9, "0:59", "0:59.9"},
        {59.99, "0:59", "0:59.9"},
        {61, "1:01", "1:01.0"},
        {725, "12:05", "12:05.0"},
        {3599.99, "59:59", "59:59.9"},
        {3600, "1:00:00", "1:00:00.0"},
        {25 * 3600 + 61, "25:01:01", "25:01:01.0"},
        {-5, "0:00", "0:00.0"},
        {std::numeric_limits<double>::quiet_NaN(), "0:00", "0:00.0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatTime(c.seconds), QString(c.time)) << c.seconds;
        EXPECT_EQ(formatTimecode(c.seconds), QString(c.timecode)) << c.seconds;
    }
    EXPECT_FALSE(formatTime(std::numeric_limits<double>::infinity()).isEmpty());
}
