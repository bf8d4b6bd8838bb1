#include "captions/look/RGBA.h"

#include <gtest/gtest.h>

#include <functional>

using namespace vt;

TEST(RGBA, FromHex)
{
    struct Case {
        const char* text;
        double alpha;
        RGBA expected;
    } cases[] = {
        {"E1306C", 1, {225 / 255.0, 48 / 255.0, 108 / 255.0, 1}},
        {"#E1306C", 1, {225 / 255.0, 48 / 255.0, 108 / 255.0, 1}},
        {"7b61ff", 0.5, {123 / 255.0, 97 / 255.0, 1, 0.5}},
        {"##7B#61FF", 1, {123 / 255.0, 97 / 255.0, 1, 1}},    // every "#" is removed
        {"FF0000zz99", 1, {1, 0, 0, 1}},                       // digits up to the first non-hex
        {"12345678", 1, {0x34 / 255.0, 0x56 / 255.0, 0x78 / 255.0, 1}},  // only the low 24 bits
        {"FFF", 1, {0, 0x0F / 255.0, 1, 1}},                   // a number, not CSS shorthand
        {"white", 0.3, {0, 0, 0, 0.3}},                        // not hexadecimal: black
        {"", 1, {0, 0, 0, 1}},
        {"0x1234", 1, {0, 0, 0, 1}},
        {"FFFFFFFFFFFFFFFFFFFF", 1, {1, 1, 1, 1}},             // too long for 64 bits saturates
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(RGBA::fromHex(c.text, c.alpha), c.expected);
    }
}

TEST(RGBA, EqualityAndHashTreatZeroSignsAlike)
{
    std::hash<RGBA> h;
    EXPECT_EQ((RGBA{0, 0.5, -0.0, 1}), (RGBA{-0.0, 0.5, 0, 1}));
    EXPECT_EQ(h({0, 0.5, -0.0, 1}), h({-0.0, 0.5, 0, 1}));
    EXPECT_NE((RGBA{0.1, 0.2, 0.3, 1}), (RGBA{0.1, 0.2, 0.3, 0.9}));
    EXPECT_NE(h({0.1, 0.2, 0.3, 1}), h({0.3, 0.2, 0.1, 1}));  // order matters
}

TEST(RGBA, Json)
{
    RGBA c{0.25, 1.5, -0.5, 0.75};  // out-of-range components are kept
    json::Value v = json::encode(c);
    EXPECT_EQ(v, json::parse(R"({"r":0.25,"g":1.5,"b":-0.5,"a":0.75})"));
    EXPECT_EQ(json::decode<RGBA>(v), c);

    struct Case {
        const char* text;
        bool ok;
    } cases[] = {
        {R"({"r":1,"g":0,"b":0,"a":1,"name":"red"})", true},  // extra keys do not stop the read
        {R"({"r":1,"g":0,"b":0})", false},
        {R"({"r":1,"g":0,"b":"0","a":1})", false},
        {R"({"r":1,"g":0,"b":0,"a":null})", false},
        {R"([1,0,0,1])", false},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.text);
        if (k.ok)
            EXPECT_EQ(json::decode<RGBA>(json::parse(k.text)), (RGBA{1, 0, 0, 1}));
        else
            EXPECT_THROW(json::decode<RGBA>(json::parse(k.text)), json::DecodeError);
    }
}
