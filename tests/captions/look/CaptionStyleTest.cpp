#include "captions/look/CaptionStyle.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace vt;

namespace {

// A look with every one of the 66 fields set, none at its default.
CaptionStyle fullLook()
{
    CaptionStyle s;
    s.id = "full";
    s.name = "Full";
    s.category = StyleCategory::behind;
    s.font = "Anton-Regular";
    s.emphasisFont = "Pacifico-Regular";
    s.fontSize = 88;
    s.emphasisScale = 1.3;
    s.textColor = RGBA::fromHex("FAFAFA");
    s.activeColor = RGBA::fromHex("FFE500");
    s.emphasisColor = RGBA::fromHex("FF2D3D");
    s.strokeColor = RGBA::fromHex("000000");
    s.strokeWidth = 6;
    s.shadowColor = RGBA::fromHex("000000", 0.5);
    s.shadowRadius = 8;
    s.shadowOffset = 3;
    s.glowColor = RGBA::fromHex("00D8FF");
    s.glowRadius = 12;
    s.barColor = RGBA::fromHex("111111", 0.8);
    s.cornerRadius = 14;
    s.highlight = HighlightMode::slide;
    s.highlightColor = RGBA::fromHex("9B6BFF");
    s.animation = EntranceAnimation::slam;
    s.uppercase = true;
    s.italic = true;
    s.dimUnspoken = true;
    s.heroWord = true;
    s.maxWordsPerGroup = 5;
    s.maxWordsPerLine = 2;
    s.verticalPosition = 0.72;
    s.behindSubject = true;
    s.letterSpacing = -1.5;
    s.lineSpacing = 0.85;
    s.rotation = -3;
    s.gradientColor = RGBA::fromHex("FF8F00");
    s.palette = std::vector{RGBA::fromHex("FF4FA3"), RGBA::fromHex("9EFF12")};
    s.wordBoxColor = RGBA::fromHex("222222");
    s.hollowUnspoken = true;
    s.lineScales = std::vector{1.5, 0.72};
    s.lockup = false;
    s.lineBoxColor = RGBA::fromHex("333333");
    s.emphasisBoxColor = RGBA::fromHex("444444");
    s.emphasisUppercase = false;
    s.sampleText = "Say *this* now";
    s.blurb = "Everything at once.";
    s.fill = TextFill::chrome;
    s.fillAngle = 45;
    s.fillHeroOnly = true;
    s.shineSweep = RGBA::fromHex("FFFFFF", 0.6);
    s.knockout = RGBA::fromHex("000000");
    s.blendDarkColor = RGBA::fromHex("101010");
    s.pauseBreak = 1.2;
    s.exitAnimation = ExitAnimation::scatter;
    s.textAlign = TextAlign::right;
    s.layouts = std::vector{CaptionLayout::hero, CaptionLayout::stack};
    s.freeform = FreeformLayout::stagger;
    s.container = CaptionContainer::notification;
    s.chatThread = true;
    s.notificationApp = NotificationApp::mail;
    s.notificationTitle = "Inbox";
    s.sticker = RGBA::fromHex("FFFFFF");
    s.stickerRim = RGBA::fromHex("1F1F1F");
    s.tornPaper = RGBA::fromHex("F2EBDD");
    s.ransom = true;
    s.ransomLive = true;
    s.neonFrame = RGBA::fromHex("FF4FA3");
    s.wipeColor = RGBA::fromHex("FF2D3D");
    return s;
}

// The error message of reading this JSON, or "" when it reads.
std::string readError(const json::Value& v)
{
    try {
        json::decode<CaptionStyle>(v);
        return "";
    } catch (const json::DecodeError& e) {
        return e.what();
    }
}

}  // namespace

TEST(CaptionStyle, DefaultAndFullLooksRoundTrip)
{
    CaptionStyle plain;
    json::Value plainJson = json::encode(plain);
    EXPECT_EQ(plainJson.size(), 25u);  // optionals absent are left out, never null
    EXPECT_EQ(json::decode<CaptionStyle>(json::parse(plainJson.dump())), plain);

    CaptionStyle full = fullLook();
    json::Value fullJson = json::encode(full);
    EXPECT_EQ(fullJson.size(), 66u);
    EXPECT_EQ(fullJson["category"], "Behind You");
    EXPECT_EQ(fullJson["layouts"], json::parse(R"(["hero","stack"])"));
    EXPECT_EQ(json::decode<CaptionStyle>(json::parse(fullJson.dump())), full);
}

TEST(CaptionStyle, RequiredKeysOnlyReadWithEveryOptionalAbsent)
{
    const json::Value requiredOnly = json::encode(CaptionStyle{});
    json::Value v = json::encode(fullLook());
    for (auto it = v.begin(); it != v.end();) it = requiredOnly.contains(it.key()) ? std::next(it) : v.erase(it);
    ASSERT_EQ(v.size(), 25u);
    CaptionStyle read = json::decode<CaptionStyle>(v);
    EXPECT_EQ(json::encode(read).size(), 25u);
    EXPECT_EQ(read.fontSize, 88);
    EXPECT_FALSE(read.emphasisFont);
    EXPECT_FALSE(read.wipeColor);
}

TEST(CaptionStyle, EveryMissingOrNullRequiredKeyFailsNamingIt)
{
    const json::Value plain = json::encode(CaptionStyle{});
    for (auto it = plain.begin(); it != plain.end(); ++it) {
        json::Value missing = plain;
        missing.erase(it.key());
        EXPECT_NE(readError(missing).find(it.key()), std::string::npos) << it.key();
        json::Value null = plain;
        null[it.key()] = nullptr;
        EXPECT_NE(readError(null).find(it.key()), std::string::npos) << it.key();
    }
}

TEST(CaptionStyle, ReadingRules)
{
    const json::Value base = json::encode(CaptionStyle{});
    struct Case {
        const char* key;
        json::Value value;
        bool reads;
    } cases[] = {
        {"blurb", nullptr, true},                      // null optional is absent
        {"somethingElse", 3, true},                    // unknown keys do not stop the read
        {"textAlign", "left", true},
        {"highlight", "glow", false},                  // no such case
        {"exitAnimation", "vanish", false},
        {"textAlign", "justified", false},
        {"category", "behind", false},                 // the case name is not the title
        {"category", "Behind You", true},
        {"maxWordsPerGroup", 2.5, false},              // a fraction for a whole number
        {"fontSize", "64", false},                     // a string for a number
        {"uppercase", 1, false},
        {"palette", json::parse(R"([{"r":1,"g":0,"b":0}])"), false},  // colour without alpha
        {"textColor", json::parse(R"({"r":1,"g":0,"b":0,"a":1,"x":5})"), true},
        {"layouts", json::parse(R"(["hero","zigzag"])"), false},
        {"lineScales", json::parse("[]"), true},
    };
    for (const auto& c : cases) {
        json::Value v = base;
        v[c.key] = c.value;
        EXPECT_EQ(readError(v).empty(), c.reads) << c.key << " = " << c.value << ": " << readError(v);
    }

    json::Value v = base;
    v["blurb"] = nullptr;
    EXPECT_FALSE(json::decode<CaptionStyle>(v).blurb);
}

TEST(CaptionStyle, FirstFaultInFieldOrderIsReported)
{
    json::Value v = json::encode(CaptionStyle{});
    v["wipeColor"] = "red";
    v.erase("fontSize");
    v["highlight"] = "glow";
    EXPECT_NE(readError(v).find("fontSize"), std::string::npos) << readError(v);
}

TEST(CaptionStyle, EqualityAndHashCoverEveryField)
{
    CaptionStyle a = fullLook(), b = fullLook();
    EXPECT_EQ(a, b);
    EXPECT_EQ(a.hashValue(), b.hashValue());

    b.blurb = "Something else.";
    EXPECT_NE(a, b);
    EXPECT_NE(a.hashValue(), b.hashValue());

    b = a;
    b.wipeColor.reset();  // the last field counts too
    EXPECT_NE(a, b);
    EXPECT_NE(a.hashValue(), b.hashValue());

    CaptionStyle zero, negativeZero;
    negativeZero.rotation = -0.0;
    EXPECT_EQ(zero, negativeZero);
    EXPECT_EQ(std::hash<CaptionStyle>{}(zero), std::hash<CaptionStyle>{}(negativeZero));
}

TEST(CaptionStyle, Tags)
{
    CaptionStyle s;
    EXPECT_TRUE(s.tags().empty());

    s.behindSubject = true;
    s.ransom = false;
    s.highlight = HighlightMode::slide;
    EXPECT_EQ(s.tags(), (std::vector<std::string>{"Behind you", "Sliding box"}));

    CaptionStyle all = fullLook();
    EXPECT_EQ(all.tags(), (std::vector<std::string>{"Behind you", "Knockout", "Blend", "Sticker", "Ransom",
                                                    "Sliding box"}));
}

TEST(CaptionStyle, LaidOutTakesLayoutsInTurn)
{
    CaptionStyle s = fullLook();
    s.layouts->clear();
    EXPECT_EQ(s.laidOut(3), s);  // present but empty: unchanged

    s.layouts = std::vector{CaptionLayout::stack, CaptionLayout::leftBlock, CaptionLayout::hero};
    s.maxWordsPerLine = 4;
    s.lockup.reset();
    const std::int64_t expectedWordsPerLine[] = {1, 2, 4, 1};
    for (std::int64_t i = 0; i < 4; ++i) {
        CaptionStyle laid = s.laidOut(i);
        EXPECT_EQ(laid.maxWordsPerLine, expectedWordsPerLine[i]) << i;
        EXPECT_EQ(laid.lockup, i == 2) << i;
        EXPECT_EQ(laid.layouts, s.layouts);
    }
    EXPECT_EQ(s.maxWordsPerLine, 4);  // the look itself never changes

    CaptionStyle tilted;
    tilted.rotation = 12;
    tilted.layouts = std::vector{CaptionLayout::tilt};
    for (std::int64_t i = 0; i < 4; ++i) EXPECT_EQ(tilted.laidOut(i).rotation, i % 2 ? 5 : -5) << i;
}

TEST(CaptionLayout, ApplyChangesOnlyItsFields)
{
    // Start from a look that has every field set, so "unchanged" is checked for all.
    const CaptionStyle start = [] {
        CaptionStyle s = fullLook();
        s.emphasisScale = 1;
        s.lineSpacing = 1.2;
        s.maxWordsPerLine = 5;
        s.rotation = 7;
        s.lockup = true;
        return s;
    }();
    using L = CaptionLayout;
    struct Case {
        L layout;
        std::int64_t index;
        void (*expect)(CaptionStyle&);  // turns the start look into the expected one
    } cases[] = {
        {L::line, 0, [](CaptionStyle& s) { s.freeform.reset(), s.lockup = false, s.lineScales.reset(); }},
        {L::stack, 0,
         [](CaptionStyle& s) {
             s.freeform.reset(), s.lockup = false, s.lineScales.reset(), s.maxWordsPerLine = 1, s.lineSpacing = 0.9;
         }},
        {L::bigSmall, 0,
         [](CaptionStyle& s) {
             s.freeform.reset(), s.lockup = false, s.lineScales = std::vector{1.5, 0.72}, s.maxWordsPerLine = 2;
         }},
        {L::smallBig, 0,
         [](CaptionStyle& s) {
             s.freeform.reset(), s.lockup = false, s.lineScales = std::vector{0.72, 1.5}, s.maxWordsPerLine = 2;
         }},
        {L::hero, 0, [](CaptionStyle& s) { s.freeform.reset(), s.lockup = true, s.lineScales.reset(), s.emphasisScale = 1.8; }},
        {L::heroLeft, 0,
         [](CaptionStyle& s) {
             s.freeform.reset(), s.lockup = true, s.lineScales.reset(), s.emphasisScale = 1.8,
                 s.textAlign = TextAlign::left;
         }},
        {L::leftBlock, 0,
         [](CaptionStyle& s) {
             s.freeform.reset(), s.lockup = false, s.lineScales.reset(), s.maxWordsPerLine = 2,
                 s.textAlign = TextAlign::left;
         }},
        {L::tilt, 3,
         [](CaptionStyle& s) {
             s.freeform.reset(), s.lockup = true, s.lineScales.reset(), s.emphasisScale = 1.8, s.rotation = 5;
         }},
        {L::sideRight, 0,
         [](CaptionStyle& s) {
             s.freeform = FreeformLayout::sideRight, s.lockup = false, s.lineScales.reset(), s.emphasisScale = 2.2;
         }},
        {L::spotlight, 0,
         [](CaptionStyle& s) {
             s.freeform = FreeformLayout::spotlight, s.lockup = false, s.lineScales.reset(), s.emphasisScale = 2.2;
         }},
    };
    for (const auto& c : cases) {
        CaptionStyle actual = start, expected = start;
        apply(c.layout, actual, c.index);
        c.expect(expected);
        EXPECT_EQ(actual, expected) << json::encode(c.layout);
    }
}

TEST(CaptionLayout, ApplyOnlyRaisesOrLowersTowardsItsLimits)
{
    CaptionStyle s;
    s.lineSpacing = 0.7;
    apply(CaptionLayout::stack, s, 0);
    EXPECT_EQ(s.lineSpacing, 0.7);

    s.emphasisScale = 2.5;
    apply(CaptionLayout::hero, s, 0);
    EXPECT_EQ(s.emphasisScale, 2.5);
    apply(CaptionLayout::stagger, s, 0);
    EXPECT_EQ(s.emphasisScale, 2.5);
    EXPECT_EQ(s.freeform, FreeformLayout::stagger);
}
