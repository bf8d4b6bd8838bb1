// Writes reference pictures of characteristic looks into the build folder
// (reference/*.png) for a person to look at, and checks each drew something
// inside the frame.
#include "CaptionTestSupport.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

using test::makeGroup;
using test::plainLook;

struct Reference {
    const char* name;
    std::vector<std::string> words;
    double time;
    CaptionStyle (*look)();
};

CaptionStyle outlinedGlow()
{
    CaptionStyle look = plainLook();
    look.font = "Montserrat-Black";
    look.uppercase = true;
    look.strokeColor = RGBA{0, 0, 0, 1};
    look.strokeWidth = 6;
    look.glowColor = RGBA{1, 0.2, 0.6, 1};
    look.glowRadius = 24;
    look.shadowColor = RGBA{0, 0, 0, 0.6};
    look.shadowRadius = 10;
    look.shadowOffset = 8;
    look.highlight = HighlightMode::box;
    look.activeColor = RGBA{0, 0, 0, 1};
    look.highlightColor = RGBA{1, 0.85, 0.1, 1};
    return look;
}

CaptionStyle chatBubble()
{
    CaptionStyle look = plainLook();
    look.font = "system-semibold";
    look.fontSize = 56;
    look.container = CaptionContainer::chatRight;
    look.verticalPosition = 0.7;
    return look;
}

CaptionStyle notification()
{
    CaptionStyle look = plainLook();
    look.font = "system-semibold";
    look.fontSize = 48;
    look.textColor = RGBA{0.1, 0.1, 0.1, 1};
    look.container = CaptionContainer::notification;
    look.notificationApp = NotificationApp::social;
    look.verticalPosition = 0.3;
    return look;
}

CaptionStyle ransom()
{
    CaptionStyle look = plainLook();
    look.ransom = true;
    look.fontSize = 90;
    return look;
}

CaptionStyle stickerTorn()
{
    CaptionStyle look = plainLook();
    look.font = "LuckiestGuy";
    look.textColor = RGBA::fromHex("E1306C");
    look.sticker = RGBA{1, 1, 1, 1};
    look.tornPaper = RGBA::fromHex("FFD23F");
    look.maxWordsPerLine = 2;
    return look;
}

CaptionStyle neonWipe()
{
    CaptionStyle look = plainLook();
    look.font = "Oswald-Bold";
    look.neonFrame = RGBA::fromHex("00E5FF");
    look.wipeColor = RGBA::fromHex("FF3B30", 0.9);
    look.fill = TextFill::chrome;
    return look;
}

CaptionStyle sideLeft()
{
    CaptionStyle look = plainLook();
    look.freeform = FreeformLayout::sideLeft;
    look.emphasisScale = 2.2;
    look.emphasisFont = "GreatVibes";
    look.emphasisColor = RGBA::fromHex("FFD23F");
    return look;
}

CaptionStyle indic()
{
    CaptionStyle look = plainLook();
    look.font = "KohinoorDevanagari-Bold";
    look.highlight = HighlightMode::underline;
    look.highlightColor = RGBA::fromHex("FF3B30");
    look.barColor = RGBA{0, 0, 0, 0.55};
    return look;
}

const Reference kReferences[] = {
    {"plain", {"Make", "the", "point"}, 1.7, plainLook},
    {"outlined-glow", {"Make", "the", "point"}, 1.45, outlinedGlow},
    {"chat-bubble", {"see", "you", "tomorrow?"}, 1.7, chatBubble},
    {"notification", {"you", "left", "your", "keys", "again"}, 2.0, notification},
    {"ransom", {"pay", "the", "ransom"}, 2.0, ransom},
    {"sticker-torn", {"stick", "it", "here", "now"}, 2.0, stickerTorn},
    {"neon-wipe", {"lights", "on"}, 2.0, neonWipe},
    {"side-left", {"the", "big", "IDEA", "wins"}, 2.0, sideLeft},
    {"indic-urdu", {"नमस्ते", "বাংলা", "தமிழ்", "اردو", "🔥"}, 1.5, indic},
};

TEST(ReferenceImages, CharacteristicLooks)
{
    for (const auto& ref : kReferences) {
        CaptionStyle look = ref.look();
        look.maxWordsPerGroup = 5;
        const QImage image = test::render(makeGroup(ref.words), look, ref.time);
        const auto path = test::writeReference(ref.name, image);
        EXPECT_GT(test::inkCount(image), 1000) << ref.name << " " << path;
    }
}

}  // namespace
}  // namespace vt
