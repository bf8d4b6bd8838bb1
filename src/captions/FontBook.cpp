#include "captions/FontBook.h"

#include "captions/InstalledFonts.h"

#include <QFont>
#include <QFontDatabase>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <mutex>
#include <shared_mutex>
#include <system_error>
#include <unordered_map>

#ifndef VT_RESOURCE_DIR
#define VT_RESOURCE_DIR "resources"
#endif

namespace vt {

const std::array<FontBook::Bundled, 13> FontBook::bundled{{
    {"Anton", "Anton", "Anton-Regular"},
    {"Montserrat Black", "Montserrat-Black", "MontserratThin-Black"},
    {"Montserrat Bold", "Montserrat-Bold", "MontserratThin-Bold"},
    {"Montserrat Semibold", "Montserrat-SemiBold", "MontserratThin-SemiBold"},
    {"Archivo Black", "ArchivoBlack", "ArchivoBlack-Regular"},
    {"Oswald Bold", "Oswald-Bold", "Oswald-Bold"},
    {"Playfair Black", "PlayfairDisplay-Black", "PlayfairDisplay-Black"},
    {"Playfair Bold Italic", "PlayfairDisplay-BoldItalic", "PlayfairDisplay-BoldItalic"},
    {"Luckiest Guy", "LuckiestGuy", "LuckiestGuy-Regular"},
    {"Fredoka Bold", "Fredoka-Bold", "FredokaLight-Bold"},
    {"Great Vibes (script)", "GreatVibes", "GreatVibes-Regular"},
    {"Alex Brush (script)", "AlexBrush", "AlexBrush-Regular"},
    {"Dancing Script (script)", "DancingScript-Bold", "DancingScript-Bold"},
}};

namespace {

constexpr std::array<std::pair<std::string_view, std::string_view>, 45> kPlatformChoices{{
    {"SF Pro Black", "system-black"},
    {"SF Pro Heavy", "system-heavy"},
    {"SF Pro Bold", "system-bold"},
    {"SF Pro Semibold", "system-semibold"},
    {"SF Pro Medium", "system-medium"},
    {"SF Rounded Bold", "rounded-bold"},
    {"SF Rounded Black", "rounded-black"},
    {"New York Bold", "serif-bold"},
    {"SF Mono Bold", "mono-bold"},
    {"Avenir Next Heavy", "AvenirNext-Heavy"},
    {"Avenir Next Bold", "AvenirNext-Bold"},
    {"Avenir Next Demi", "AvenirNext-DemiBold"},
    {"Futura Condensed", "Futura-CondensedExtraBold"},
    {"Futura Bold", "Futura-Bold"},
    {"Helvetica Condensed Black", "HelveticaNeue-CondensedBlack"},
    {"Impact", "Impact"},
    {"Gill Sans UltraBold", "GillSans-UltraBold"},
    {"Optima Black", "Optima-ExtraBlack"},
    {"DIN Condensed", "DINCondensed-Bold"},
    {"Arial Rounded", "ArialRoundedMTBold"},
    {"Georgia Bold", "Georgia-Bold"},
    {"Didot Bold", "Didot-Bold"},
    {"Didot Italic", "Didot-Italic"},
    {"Bodoni 72 Bold", "BodoniSvtyTwoITCTT-Bold"},
    {"Baskerville Bold Italic", "Baskerville-BoldItalic"},
    {"Hoefler Black Italic", "HoeflerText-BlackItalic"},
    {"Superclarendon Black", "Superclarendon-Black"},
    {"American Typewriter", "AmericanTypewriter-Bold"},
    {"Menlo Bold", "Menlo-Bold"},
    {"Marker Felt", "MarkerFelt-Wide"},
    {"Chalkboard Bold", "ChalkboardSE-Bold"},
    {"Chalkduster", "Chalkduster"},
    {"Noteworthy Bold", "Noteworthy-Bold"},
    {"Snell Roundhand", "SnellRoundhand-Black"},
    {"Phosphate", "Phosphate-Solid"},
    {"Silom", "Silom"},
    {"Courier Bold", "Courier-Bold"},
    {"Bradley Hand", "BradleyHandITCTT-Bold"},
    {"Copperplate", "Copperplate-Bold"},
    {"Georgia Bold Italic", "Georgia-BoldItalic"},
    {"Palatino Bold Italic", "Palatino-BoldItalic"},
    {"Cochin Bold Italic", "Cochin-BoldItalic"},
    {"DIN Alternate", "DINAlternate-Bold"},
    {"Kohinoor Devanagari", "KohinoorDevanagari-Bold"},
    {"Kohinoor Semibold", "KohinoorDevanagari-Semibold"},
}};

// The cascade for Devanagari, Bengali, Gurmukhi, Gujarati, Odia, Tamil,
// Telugu, Kannada, Malayalam and Urdu, in that order.
constexpr std::array<std::string_view, 10> kScriptFallbacks{
    "KohinoorDevanagari-Bold", "KohinoorBangla-Bold", "GurmukhiMN-Bold",      "KohinoorGujarati-Bold",
    "OriyaSangamMN-Bold",      "TamilSangamMN-Bold",  "KohinoorTelugu-Bold",  "KannadaSangamMN-Bold",
    "MalayalamSangamMN-Bold",  "NotoNastaliqUrdu-Bold",
};

enum class SystemWeight { black, heavy, semibold, medium, bold };
enum class SystemDesign { standard, rounded, serif, mono };

// The installed families standing in for the system font's designs, best
// first. No rounded design is installed, so it falls back to the standard one.
QStringList designFamilies(SystemDesign design)
{
    switch (design) {
    case SystemDesign::standard: return {QStringLiteral("Noto Sans")};
    case SystemDesign::serif: return {QStringLiteral("Noto Serif")};
    // The Noto Sans Mono of Debian's core Noto fonts has no plain bold face
    // (Qt would draw the semibold for it); DejaVu Sans Mono has one.
    case SystemDesign::mono: return {QStringLiteral("Noto Sans Mono"), QStringLiteral("DejaVu Sans Mono")};
    case SystemDesign::rounded: return {};
    }
    return {};
}

std::pair<std::string_view, int> weightSuffix(SystemWeight weight)
{
    switch (weight) {
    case SystemWeight::black: return {"black", QFont::Black};
    case SystemWeight::heavy: return {"heavy", QFont::ExtraBold};
    case SystemWeight::semibold: return {"semibold", QFont::DemiBold};
    case SystemWeight::medium: return {"medium", QFont::Medium};
    case SystemWeight::bold: return {"bold", QFont::Bold};
    }
    return {"bold", QFont::Bold};
}

Font fromFace(const FaceRef& face, double size)
{
    return Font{{face.family}, face.weight, face.italic, face.stretch, size};
}

// The first family of the design with an upright face of exactly the
// weight; else the first installed one, where Qt takes the nearest weight.
std::optional<Font> designFont(SystemDesign design, SystemWeight weight, double size)
{
    const int wanted = weightSuffix(weight).second;
    std::optional<QString> chosen;
    for (const QString& family : designFamilies(design)) {
        if (!QFontDatabase::hasFamily(family)) continue;
        if (InstalledFonts::hasUprightFace(family, wanted)) {
            chosen = family;
            break;
        }
        if (!chosen) chosen = family;
    }
    if (!chosen) return std::nullopt;
    return Font{{*chosen}, wanted, false, QFont::Unstretched, size};
}

Font systemFont(SystemWeight weight, double size)
{
    if (auto font = designFont(SystemDesign::standard, weight, size)) return *font;
    // Without the standard face, whatever sans-serif the machine has.
    return Font{{QStringLiteral("sans-serif")}, weightSuffix(weight).second, false, QFont::Unstretched, size};
}

SystemWeight weightNamed(std::string_view part)
{
    if (part == "black") return SystemWeight::black;
    if (part == "heavy") return SystemWeight::heavy;
    if (part == "semibold") return SystemWeight::semibold;
    if (part == "medium") return SystemWeight::medium;
    return SystemWeight::bold;
}

std::optional<SystemDesign> designNamed(std::string_view part)
{
    if (part == "system") return SystemDesign::standard;
    if (part == "rounded") return SystemDesign::rounded;
    if (part == "serif") return SystemDesign::serif;
    if (part == "mono") return SystemDesign::mono;
    return std::nullopt;
}

std::optional<FaceRef> installedFace(std::string_view postScriptName)
{
    if (auto face = InstalledFonts::byPostScriptName(postScriptName)) return face;
    if (auto substitute = InstalledFonts::openSubstitute(postScriptName))
        return InstalledFonts::byPostScriptName(*substitute);
    return std::nullopt;
}

void registerBundledOnce()
{
    static std::once_flag once;
    std::call_once(once, [] {
        if (auto folder = FontBook::firstExisting(FontBook::fontFolderCandidates())) FontBook::registerFolder(*folder);
    });
}

// Thread-safe map from key to font; never evicts.
class FontCache {
public:
    std::optional<Font> find(const std::string& key)
    {
        std::shared_lock lock(mutex_);
        auto it = fonts_.find(key);
        if (it == fonts_.end()) return std::nullopt;
        return it->second;
    }
    void store(const std::string& key, const Font& font)
    {
        std::unique_lock lock(mutex_);
        fonts_[key] = font;
    }

private:
    std::shared_mutex mutex_;
    std::unordered_map<std::string, Font> fonts_;
};

FontCache& cache()
{
    static FontCache shared;
    return shared;
}

std::string cacheKey(const std::string& name, double size, bool italic)
{
    // Tenths of a point, truncated toward zero; sizes beyond any frame clamp.
    const double tenths = std::isfinite(size) ? std::clamp(size * 10, -1e12, 1e12) : 0;
    return name + "|" + std::to_string(static_cast<long long>(tenths)) + "|" + (italic ? "true" : "false");
}

}  // namespace

const std::vector<FontBook::Choice>& FontBook::choices()
{
    static const std::vector<Choice> list = [] {
        std::vector<Choice> out;
        for (const auto& row : bundled) out.push_back({std::string(row.label), std::string(row.name)});
        for (const auto& [label, name] : kPlatformChoices) out.push_back({std::string(label), std::string(name)});
        return out;
    }();
    return list;
}

std::string FontBook::label(const std::string& name)
{
    for (const auto& choice : choices())
        if (choice.name == name) return choice.label;
    return name;
}

std::vector<std::filesystem::path> FontBook::fontFolderCandidates()
{
    std::vector<std::filesystem::path> out;
    const char* resources = std::getenv("VELLUMTIDE_RESOURCES");
    out.push_back(std::filesystem::path(resources && *resources ? resources : VT_RESOURCE_DIR) / "Fonts");
    std::error_code error;
    const auto cwd = std::filesystem::current_path(error);
    if (!error) out.push_back(cwd / "Resources" / "Fonts");
    return out;
}

std::optional<std::filesystem::path> FontBook::firstExisting(const std::vector<std::filesystem::path>& candidates)
{
    for (const auto& folder : candidates) {
        std::error_code error;
        if (std::filesystem::exists(folder, error)) return folder;
    }
    return std::nullopt;
}

int FontBook::registerFolder(const std::filesystem::path& folder)
{
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    if (error) return 0;
    int count = 0;
    for (const auto& entry : it) {
        std::string ext = entry.path().extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
        if (ext == ".ttf" || ext == ".otf" || ext == ".woff" || ext == ".woff2")
            count += InstalledFonts::registerFile(entry.path()) ? 1 : 0;
    }
    return count;
}

const QStringList& FontBook::fallbackFamilies()
{
    static const QStringList families = [] {
        registerBundledOnce();
        QStringList out;
        for (auto name : kScriptFallbacks)
            if (auto face = installedFace(name); face && !out.contains(face->family)) out << face->family;
        if (auto emoji = InstalledFonts::byPostScriptName("NotoColorEmoji")) out << emoji->family;
        return out;
    }();
    return families;
}

Font FontBook::base(const std::string& name, double size)
{
    registerBundledOnce();
    for (const auto& row : bundled) {
        if (row.name != name) continue;
        if (auto face = InstalledFonts::byPostScriptName(row.postScriptName)) return fromFace(*face, size);
        break;  // the file is missing: try the name as the other kinds
    }

    std::string_view rest(name);
    while (!rest.empty() && rest.front() == '-') rest.remove_prefix(1);
    if (const auto hyphen = rest.find('-'); hyphen != std::string_view::npos && hyphen + 1 < rest.size()) {
        if (const auto design = designNamed(rest.substr(0, hyphen))) {
            const SystemWeight weight = weightNamed(rest.substr(hyphen + 1));
            if (*design != SystemDesign::standard)
                if (auto font = designFont(*design, weight, size)) return *font;
            return systemFont(weight, size);
        }
    }

    if (auto face = installedFace(name)) return fromFace(*face, size);
    return systemFont(SystemWeight::heavy, size);
}

Font FontBook::font(const std::string& name, double size, bool italic)
{
    const std::string key = cacheKey(name, size, italic);
    if (auto cached = cache().find(key)) return *cached;

    Font font = base(name, size);
    // Only a real italic face counts; a family without one stays upright.
    if (italic && !font.italic && InstalledFonts::hasItalicFace(font.families.front(), font.weight)) font.italic = true;
    for (const QString& family : fallbackFamilies())
        if (!font.families.contains(family)) font.families << family;

    cache().store(key, font);
    return font;
}

}  // namespace vt
