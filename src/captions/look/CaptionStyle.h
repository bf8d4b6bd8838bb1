#pragma once
// The caption look as data: how caption lines are drawn (fonts, colours,
// outline, shadow and glow, the spoken-word highlight, entrance and exit,
// words per caption and per line, placement) plus optional effects (boxes,
// fills, knockout and blend, layouts, free-form placement, chat bubbles and
// notification cards, stickers, paper, neon, wipe).
//
// Stored as one JSON object whose keys are the field names. The 25 required
// fields are always written; an optional field only when present. Reading
// fails as a whole (json::DecodeError naming the key, first fault in field
// order) on a missing required key, a value of the wrong type or enumeration
// text that names no case; a missing or null optional key reads as absent and
// unknown keys are kept in `unknown` and written back.
//
// Sizes and distances marked "at 1080" are authored for a frame whose short
// side is 1080 pixels; the renderer scales them by short side / 1080.
// A look is a plain value: any thread may read, copy, compare and hash it.

#include "captions/look/CaptionLayout.h"
#include "captions/look/CaptionVocabulary.h"
#include "captions/look/RGBA.h"
#include "captions/look/StyleCategory.h"
#include "platform/JsonCoding.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vt {

struct CaptionStyle {
    // The defaults of the required fields are only a neutral starting point
    // for code that fills a look in; every stored or built-in look sets them.
    std::string id;                             // unique; user looks are "custom-" + UUID text
    std::string name;                           // display name
    StyleCategory category = StyleCategory::social;
    std::string font;                           // resolved by the font book
    std::optional<std::string> emphasisFont;    // absent: emphasized words use `font`
    double fontSize = 64;                       // points at 1080
    double emphasisScale = 1;                   // size multiplier of emphasized words
    RGBA textColor{1, 1, 1, 1};
    std::optional<RGBA> activeColor;            // spoken word, for highlights that recolour it
    std::optional<RGBA> emphasisColor;          // absent: emphasized words use textColor
    std::optional<RGBA> strokeColor;            // absent: no outline
    double strokeWidth = 0;                     // at 1080; <= 0 draws no outline
    std::optional<RGBA> shadowColor;            // absent: no shadow
    double shadowRadius = 0;                    // blur at 1080
    double shadowOffset = 0;                    // downward, at 1080
    std::optional<RGBA> glowColor;              // absent: no glow
    double glowRadius = 0;                      // at 1080; <= 0 draws no glow
    std::optional<RGBA> barColor;               // bar behind the caption, or the container's colour
    double cornerRadius = 0;                    // bars and boxes, at 1080
    HighlightMode highlight = HighlightMode::none;
    std::optional<RGBA> highlightColor;         // the highlight shape; absent: no shape
    EntranceAnimation animation = EntranceAnimation::none;
    bool uppercase = false;
    bool italic = false;                        // never slants text in the emphasis font
    bool dimUnspoken = false;                   // unspoken words at half opacity
    bool heroWord = false;                      // the renderer picks a hero word when none is emphasized
    std::int64_t maxWordsPerGroup = 3;          // words per caption; below 1 acts as 1
    std::int64_t maxWordsPerLine = 3;
    double verticalPosition = 0.5;              // fraction of the frame height from the top
    bool behindSubject = false;                 // drawn behind the person in the frame
    double letterSpacing = 0;                   // at 1080
    double lineSpacing = 1;                     // multiplier of the line height
    double rotation = 0;                        // degrees
    std::optional<RGBA> gradientColor;          // second colour of gradient and peak fills
    std::optional<std::vector<RGBA>> palette;   // colours words take in turn
    std::optional<RGBA> wordBoxColor;
    std::optional<bool> hollowUnspoken;         // unspoken words as outlines only
    std::optional<std::vector<double>> lineScales;  // size multiplier per line, first first
    std::optional<bool> lockup;                 // lines of different sizes round a hero word
    std::optional<RGBA> lineBoxColor;
    std::optional<RGBA> emphasisBoxColor;
    std::optional<bool> emphasisUppercase;
    std::optional<std::string> sampleText;      // preview text
    std::optional<std::string> blurb;           // one-line description
    std::optional<TextFill> fill;
    std::optional<double> fillAngle;            // degrees
    std::optional<bool> fillHeroOnly;
    std::optional<RGBA> shineSweep;
    std::optional<RGBA> knockout;               // matte over the frame, video inside the letters
    std::optional<RGBA> blendDarkColor;         // text colour over bright video
    std::optional<double> pauseBreak;           // seconds of silence that end a caption; absent 0.7
    std::optional<ExitAnimation> exitAnimation; // absent: cut
    std::optional<TextAlign> textAlign;         // absent: center
    std::optional<std::vector<CaptionLayout>> layouts;  // taken caption by caption
    std::optional<FreeformLayout> freeform;
    std::optional<CaptionContainer> container;
    std::optional<bool> chatThread;             // earlier bubbles stay on screen
    std::optional<NotificationApp> notificationApp;  // absent: messages
    std::optional<std::string> notificationTitle;
    std::optional<RGBA> sticker;                // die-cut backing
    std::optional<RGBA> stickerRim;             // absent: 1F1F1F
    std::optional<RGBA> tornPaper;
    std::optional<bool> ransom;
    std::optional<bool> ransomLive;             // letters re-cut while on screen
    std::optional<RGBA> neonFrame;
    std::optional<RGBA> wipeColor;
    json::Unknown unknown{};  // what a newer version stored, written back as it came

    // The look to draw the caption group with this index: with a non-empty
    // `layouts`, a copy rewritten by the layout at index modulo their count;
    // otherwise the look unchanged.
    CaptionStyle laidOut(std::int64_t groupIndex) const;

    // Search tags: "Behind you", "Knockout", "Blend", "Sticker", "Ransom" when
    // those effects are on, then the highlight's tag.
    std::vector<std::string> tags() const;

    json::Value toJson() const;
    static CaptionStyle fromJson(const json::Value& v);

    // Feeds all 66 fields in order; equal looks hash equal. Per process only.
    std::size_t hashValue() const;

    friend bool operator==(const CaptionStyle&, const CaptionStyle&) = default;

    // Calls visit(key, field) for every field in stored order; shared by the
    // JSON coding and the hash so the three can never disagree.
    template <class Self, class Visit>
    static void forEachField(Self& s, Visit&& visit);
};

template <class Self, class Visit>
void CaptionStyle::forEachField(Self& s, Visit&& visit)
{
    visit("id", s.id);
    visit("name", s.name);
    visit("category", s.category);
    visit("font", s.font);
    visit("emphasisFont", s.emphasisFont);
    visit("fontSize", s.fontSize);
    visit("emphasisScale", s.emphasisScale);
    visit("textColor", s.textColor);
    visit("activeColor", s.activeColor);
    visit("emphasisColor", s.emphasisColor);
    visit("strokeColor", s.strokeColor);
    visit("strokeWidth", s.strokeWidth);
    visit("shadowColor", s.shadowColor);
    visit("shadowRadius", s.shadowRadius);
    visit("shadowOffset", s.shadowOffset);
    visit("glowColor", s.glowColor);
    visit("glowRadius", s.glowRadius);
    visit("barColor", s.barColor);
    visit("cornerRadius", s.cornerRadius);
    visit("highlight", s.highlight);
    visit("highlightColor", s.highlightColor);
    visit("animation", s.animation);
    visit("uppercase", s.uppercase);
    visit("italic", s.italic);
    visit("dimUnspoken", s.dimUnspoken);
    visit("heroWord", s.heroWord);
    visit("maxWordsPerGroup", s.maxWordsPerGroup);
    visit("maxWordsPerLine", s.maxWordsPerLine);
    visit("verticalPosition", s.verticalPosition);
    visit("behindSubject", s.behindSubject);
    visit("letterSpacing", s.letterSpacing);
    visit("lineSpacing", s.lineSpacing);
    visit("rotation", s.rotation);
    visit("gradientColor", s.gradientColor);
    visit("palette", s.palette);
    visit("wordBoxColor", s.wordBoxColor);
    visit("hollowUnspoken", s.hollowUnspoken);
    visit("lineScales", s.lineScales);
    visit("lockup", s.lockup);
    visit("lineBoxColor", s.lineBoxColor);
    visit("emphasisBoxColor", s.emphasisBoxColor);
    visit("emphasisUppercase", s.emphasisUppercase);
    visit("sampleText", s.sampleText);
    visit("blurb", s.blurb);
    visit("fill", s.fill);
    visit("fillAngle", s.fillAngle);
    visit("fillHeroOnly", s.fillHeroOnly);
    visit("shineSweep", s.shineSweep);
    visit("knockout", s.knockout);
    visit("blendDarkColor", s.blendDarkColor);
    visit("pauseBreak", s.pauseBreak);
    visit("exitAnimation", s.exitAnimation);
    visit("textAlign", s.textAlign);
    visit("layouts", s.layouts);
    visit("freeform", s.freeform);
    visit("container", s.container);
    visit("chatThread", s.chatThread);
    visit("notificationApp", s.notificationApp);
    visit("notificationTitle", s.notificationTitle);
    visit("sticker", s.sticker);
    visit("stickerRim", s.stickerRim);
    visit("tornPaper", s.tornPaper);
    visit("ransom", s.ransom);
    visit("ransomLive", s.ransomLive);
    visit("neonFrame", s.neonFrame);
    visit("wipeColor", s.wipeColor);
}

}  // namespace vt

template <>
struct std::hash<vt::CaptionStyle> {
    std::size_t operator()(const vt::CaptionStyle& look) const noexcept { return look.hashValue(); }
};
