#include "captions/FontBook.h"
#include "captions/TextLine.h"

#include <QFontDatabase>
#include <QRawFont>
#include <gtest/gtest.h>

#include "support/TestSupport.h"

#include <fstream>
#include <optional>
#include <string>

namespace vt {
namespace {

QString faceFamily(const Font& font)
{
    return QRawFont::fromFont(font.qfont()).familyName();
}

TEST(FontBook, BundledNamesFindTheirShippedFaces)
{
    struct Case {
        const char* name;
        const char* family;
        int weight;
        bool italic;
    };
    const Case cases[] = {
        {"Anton", "Anton", 400, false},
        {"Montserrat-Black", "Montserrat Thin", 900, false},
        {"Montserrat-SemiBold", "Montserrat Thin", 600, false},
        {"Fredoka-Bold", "Fredoka Light", 700, false},
        {"PlayfairDisplay-BoldItalic", "Playfair Display", 700, true},
        {"DancingScript-Bold", "Dancing Script", 700, false},
    };
    for (const auto& c : cases) {
        const Font font = FontBook::base(c.name, 40);
        EXPECT_EQ(font.families.front().toStdString(), c.family) << c.name;
        EXPECT_EQ(font.weight, c.weight) << c.name;
        EXPECT_EQ(font.italic, c.italic) << c.name;
        // Qt really draws with the registered face, not a substitute.
        EXPECT_EQ(faceFamily(font).toStdString(), c.family) << c.name;
    }
}

// What fontconfig itself says is installed, so that expectations follow
// the machine's fonts rather than assume some font is absent.
bool fontconfigHasUprightFace(const std::string& family, int weight)
{
    const int fcWeight = weight == 900 ? 210 : 200;  // fontconfig's black and bold
    return test::run("fc-list -q " + test::shellQuote(family + ":weight=" + std::to_string(fcWeight) +
                                                       ":slant=0:width=100")) == 0;
}

std::optional<std::string> fontconfigFamilyOf(const std::string& postScriptName)
{
    const std::string out = test::commandOutput("fc-list " + test::shellQuote(":postscriptname=" + postScriptName) +
                                                " family 2>/dev/null");
    if (out.empty()) return std::nullopt;
    return out.substr(0, out.find_first_of(",\n"));
}

// The monospace design takes the first of its stand-ins that has a real
// face of the weight, so Qt need not take a nearby one.
std::string monospaceFamilyFor(int weight)
{
    for (const std::string family : {"Noto Sans Mono", "DejaVu Sans Mono"})
        if (fontconfigHasUprightFace(family, weight)) return family;
    return "Noto Sans Mono";
}

TEST(FontBook, SystemShorthandsAndUnknownNames)
{
    struct Case {
        const char* name;
        std::string family;
        int weight;
        const char* style;  // of the face Qt really draws with
    };
    const Case cases[] = {
        {"system-black", "Noto Sans", 900, "Black"},
        {"system-heavy", "Noto Sans", 800, "ExtraBold"},
        {"system-semibold", "Noto Sans", 600, "SemiBold"},
        {"system-medium", "Noto Sans", 500, "Medium"},
        {"system-light", "Noto Sans", 700, "Bold"},    // unknown weight word gives bold
        {"--system-black", "Noto Sans", 900, "Black"},  // leading hyphens are dropped
        {"serif-bold", "Noto Serif", 700, "Bold"},
        {"mono-bold", monospaceFamilyFor(700), 700, "Bold"},
        {"mono-black", monospaceFamilyFor(900), 900, "Black"},
        {"rounded-bold", "Noto Sans", 700, "Bold"},  // no rounded design installed: plain system font
        {"System-black", "Noto Sans", 800, "ExtraBold"},  // not a shorthand, no such font: heavy system
        {"NoSuchFont-Regular", "Noto Sans", 800, "ExtraBold"},
        {"system", "Noto Sans", 800, "ExtraBold"},
        {"LiberationSerif-Bold", "Liberation Serif", 700, "Bold"},  // any installed PostScript name
        // a platform font's open stand-in, unless the machine has the font itself
        {"Courier-Bold", fontconfigFamilyOf("Courier-Bold").value_or("Nimbus Mono PS"), 700, "Bold"},
    };
    for (const auto& c : cases) {
        const Font font = FontBook::base(c.name, 30);
        EXPECT_EQ(font.families.front().toStdString(), c.family) << c.name;
        EXPECT_EQ(font.weight, c.weight) << c.name;
        const QRawFont face = QRawFont::fromFont(font.qfont());
        EXPECT_EQ(face.familyName().toStdString(), c.family) << c.name;
        EXPECT_EQ(face.styleName().toStdString(), c.style) << c.name;
    }
}

TEST(FontBook, CacheKeysOnTenthsOfAPointAndItalic)
{
    const Font first = FontBook::font("Oswald-Bold", 40.04, false);
    const Font second = FontBook::font("Oswald-Bold", 40.09, false);
    EXPECT_DOUBLE_EQ(first.size, 40.04);
    EXPECT_DOUBLE_EQ(second.size, 40.04);
    EXPECT_DOUBLE_EQ(FontBook::font("Oswald-Bold", 40.1, false).size, 40.1);

    // Anton has no italic face: the upright font is returned under the italic key.
    EXPECT_FALSE(FontBook::font("Anton", 50, true).italic);
    EXPECT_TRUE(FontBook::font("system-bold", 50, true).italic);
    // Playfair ships a bold italic but no black italic: the black stays upright.
    EXPECT_FALSE(FontBook::font("PlayfairDisplay-Black", 50, true).italic);
    EXPECT_FALSE(FontBook::font("system-bold", 50, false).italic);
}

TEST(FontBook, EveryFontCarriesTheScriptCascade)
{
    const QStringList& fallbacks = FontBook::fallbackFamilies();
    for (const char* family : {"Noto Sans Devanagari", "Noto Sans Bengali", "Noto Sans Tamil", "Noto Nastaliq Urdu",
                               "Noto Color Emoji"})
        EXPECT_TRUE(fallbacks.contains(QString::fromLatin1(family))) << family;
    EXPECT_LT(fallbacks.indexOf("Noto Sans Devanagari"), fallbacks.indexOf("Noto Sans Bengali"));
    const Font font = FontBook::font("Anton", 60, false);
    EXPECT_EQ(font.families.front(), "Anton");
    EXPECT_EQ(font.families.mid(1), fallbacks);
}

// Every picker entry resolves to a face that is really installed: a bundled
// file, an open stand-in, or the heavy system font.
TEST(FontBook, EveryChoiceResolvesToAnInstalledFace)
{
    for (const auto& choice : FontBook::choices()) {
        const Font font = FontBook::base(choice.name, 40);
        EXPECT_TRUE(QFontDatabase::hasFamily(font.families.front())) << choice.name;
        EXPECT_EQ(faceFamily(font), font.families.front()) << choice.name;
    }
    EXPECT_EQ(FontBook::base("Palatino-BoldItalic", 40).families.front().toStdString(), "P052");
    EXPECT_EQ(FontBook::base("KohinoorDevanagari-Bold", 40).families.front().toStdString(), "Noto Sans Devanagari");
}

TEST(FontBook, Labels)
{
    EXPECT_EQ(FontBook::choices().size(), 58u);
    EXPECT_EQ(FontBook::label("system-black"), "SF Pro Black");
    EXPECT_EQ(FontBook::label("Anton"), "Anton");
    EXPECT_EQ(FontBook::label("Fredoka-Bold"), "Fredoka Bold");
    EXPECT_EQ(FontBook::label("NotAFont"), "NotAFont");
}

TEST(FontBook, OnlyTheFirstExistingFontFolderIsUsed)
{
    test::TempDir dir;
    const auto a = dir / "a", b = dir / "b";
    std::filesystem::create_directories(b);
    EXPECT_EQ(FontBook::firstExisting({a, b}), b);
    std::filesystem::create_directories(a);
    EXPECT_EQ(FontBook::firstExisting({a, b}), a);
    EXPECT_EQ(FontBook::firstExisting({dir / "none"}), std::nullopt);
    // A folder of files that are not fonts registers nothing and does not fail.
    test::writeFile(a / "broken.ttf", "not a font");
    test::writeFile(a / "notes.txt", "hello");
    EXPECT_EQ(FontBook::registerFolder(a), 0);
    EXPECT_EQ(FontBook::registerFolder(dir / "none"), 0);
}

// Complex scripts shape: conjuncts and joined letters make the glyph count
// differ from the code-point count, and every glyph has an outline.
TEST(FontBook, IndicScriptsAndUrduShape)
{
    struct Case {
        const char* script;
        const char* text;
    };
    const Case cases[] = {
        {"Devanagari", "क्षत्रिय हिन्दी"},
        {"Bengali", "ক্ষমা বাংলা"},
        {"Tamil", "க்ஷேத்திரம் தமிழ்"},
        {"Urdu", "اردو زبان"},
    };
    for (const auto& c : cases) {
        const std::string text = c.text;
        const auto codePoints = QString::fromStdString(text).toUcs4().size();
        const TextLine line(text, FontBook::font("Anton", 80, false));
        EXPECT_NE(line.glyphCount(), codePoints) << c.script;
        EXPECT_GT(line.glyphCount(), 3) << c.script;
        EXPECT_GT(line.width(), 80 * 1.5) << c.script;
        EXPECT_LT(line.width(), 80 * 12) << c.script;
        const QRectF box = line.outline().boundingRect();
        EXPECT_GT(box.width(), line.width() * 0.7) << c.script;
        EXPECT_GT(box.height(), 30) << c.script;
    }
}

}  // namespace
}  // namespace vt
