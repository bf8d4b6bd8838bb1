#include "platform/JsonCoding.h"

#include <gtest/gtest.h>

#include <limits>

using namespace vt;
using namespace std::string_view_literals;

namespace {

enum class Shade { light, dark };
constexpr auto enumCases(Shade)
{
    return std::array{std::pair{Shade::light, "Light"sv}, std::pair{Shade::dark, "Dark"sv}};
}

struct Sample {
    Uuid id;
    double size = 0;
    std::optional<std::string> label;
    Shade shade = Shade::light;

    json::Value toJson() const
    {
        return json::Writer().required("id", id).required("size", size).optional("label", label)
            .required("shade", shade).done();
    }
    static Sample fromJson(const json::Value& v)
    {
        json::Reader r(v);
        return {r.required<Uuid>("id"), r.required<double>("size"), r.optional<std::string>("label"),
                r.required<Shade>("shade")};
    }
};

}  // namespace

TEST(JsonCoding, RecordRoundTripsAndOmitsAbsentOptionals)
{
    Sample s{*Uuid::parse("0a1b2c3d-4e5f-4a6b-8c7d-9e0f1a2b3c4d"), 2.5, std::nullopt, Shade::dark};
    json::Value v = json::encode(s);
    EXPECT_EQ(v["id"], "0A1B2C3D-4E5F-4A6B-8C7D-9E0F1A2B3C4D");
    EXPECT_FALSE(v.contains("label"));
    EXPECT_EQ(v["shade"], "Dark");
    Sample back = json::decode<Sample>(v);
    EXPECT_EQ(back.id, s.id);
    EXPECT_EQ(back.size, 2.5);
    EXPECT_FALSE(back.label);
}

TEST(JsonCoding, BadRecordsFailToDecode)
{
    const char* id = R"("id":"0A1B2C3D-4E5F-4A6B-8C7D-9E0F1A2B3C4D")";
    struct Case {
        std::string text;
        bool ok;
    } cases[] = {
        {std::string("{") + id + R"(,"size":1,"shade":"Dark","extra":true})", true},  // unknown keys ignored
        {std::string("{") + id + R"(,"size":1,"shade":"Dark","label":null})", true},  // null optional
        {std::string("{") + id + R"(,"shade":"Dark"})", false},                        // missing required
        {std::string("{") + id + R"(,"size":"1","shade":"Dark"})", false},             // ill-typed
        {std::string("{") + id + R"(,"size":1,"shade":"dark"})", false},               // unknown case
        {std::string("{") + id + R"(,"size":1,"shade":"Dark","label":3})", false},     // ill-typed optional
        {R"({"id":"nope","size":1,"shade":"Dark"})", false},
        {R"([1,2])", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        if (c.ok)
            EXPECT_NO_THROW(json::decode<Sample>(json::parse(c.text)));
        else
            EXPECT_THROW(json::decode<Sample>(json::parse(c.text)), json::DecodeError);
    }
    EXPECT_THROW(json::parse("{not json"), json::DecodeError);
}

TEST(JsonCoding, NonFiniteNumbersRefuseToEncode)
{
    Sample s{Uuid::random(), std::numeric_limits<double>::quiet_NaN(), {}, Shade::light};
    EXPECT_THROW(json::encode(s), json::EncodeError);
    s.size = std::numeric_limits<double>::infinity();
    EXPECT_THROW(json::encode(s), json::EncodeError);
}

TEST(JsonCoding, DatesAreUtcWholeSeconds)
{
    auto d = json::parseDate("2024-02-29T23:59:58Z");
    ASSERT_TRUE(d);
    EXPECT_EQ(json::formatDate(*d + std::chrono::milliseconds(900)), "2024-02-29T23:59:58Z");
    EXPECT_EQ(json::formatDate(*json::parseDate("2024-03-01T05:29:58+05:30")), "2024-02-29T23:59:58Z");
    for (auto bad : {"2024-02-30T00:00:00Z", "2024-02-29 23:59:58Z", "2024-02-29T23:59:58", "yesterday"})
        EXPECT_FALSE(json::parseDate(bad)) << bad;
}

TEST(JsonCoding, DatesTheClockCannotHoldAreRefused)
{
    // The clock holds 1677-09-21T00:12:44Z to 2262-04-11T23:47:16Z; beyond,
    // a date would wrap around into another century.
    for (auto held : {"1677-09-21T00:12:44Z", "2262-04-11T23:47:16Z"}) {
        auto d = json::parseDate(held);
        ASSERT_TRUE(d) << held;
        EXPECT_EQ(json::formatDate(*d), held);
    }
    EXPECT_EQ(json::formatDate(*json::parseDate("2262-04-12T00:17:16+00:30")), "2262-04-11T23:47:16Z");
    for (auto beyond : {"1677-09-21T00:12:43Z", "2262-04-11T23:47:17Z", "2262-04-11T23:17:17-00:30", "9999-12-31T23:59:59Z",
                        "0000-01-01T00:00:00Z"}) {
        EXPECT_FALSE(json::parseDate(beyond)) << beyond;
        EXPECT_THROW(json::decode<Date>(json::Value(beyond)), json::DecodeError) << beyond;
    }
}

TEST(JsonCoding, BytesAndRanges)
{
    for (std::string s : {"", "f", "fo", "foo", "foob", "fooba", "foobar"}) {
        Bytes b(s.begin(), s.end());
        EXPECT_EQ(json::base64Decode(json::base64Encode(b)), b) << s;
    }
    EXPECT_EQ(json::base64Encode(Bytes{'f', 'o'}), "Zm8=");
    EXPECT_FALSE(json::base64Decode("Zm8"));
    EXPECT_FALSE(json::base64Decode("Z=m8"));

    auto r = json::decode<ClosedRange<double>>(json::parse("[1.5, 4]"));
    EXPECT_EQ(r.lower, 1.5);
    EXPECT_EQ(r.upper, 4);
    EXPECT_THROW(json::decode<ClosedRange<double>>(json::parse("[4, 1]")), json::DecodeError);
    EXPECT_THROW(json::decode<ClosedRange<double>>(json::parse("[4]")), json::DecodeError);
}

TEST(Uuid, ParsesEitherCaseAndPrintsUpper)
{
    auto id = Uuid::parse("abcdef01-2345-6789-abcd-ef0123456789");
    ASSERT_TRUE(id);
    EXPECT_EQ(id->text(), "ABCDEF01-2345-6789-ABCD-EF0123456789");
    EXPECT_FALSE(Uuid::parse("abcdef01-2345-6789-abcd-ef012345678"));
    EXPECT_FALSE(Uuid::parse("abcdef01+2345-6789-abcd-ef0123456789"));
    EXPECT_NE(Uuid::random(), Uuid::random());
    EXPECT_EQ(Uuid::random().text()[14], '4');
}
