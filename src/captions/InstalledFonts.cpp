#include "captions/InstalledFonts.h"

#include <QFontDatabase>
#include <QStringList>

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <mutex>
#include <shared_mutex>
#include <unordered_map>
#include <utility>

namespace vt::InstalledFonts {
namespace {

// Platform font → nearest installed open font. Only faces of a similar
// design and weight are listed; every other platform name falls back to the
// heavy system font, as an unknown name does.
constexpr std::array<std::pair<std::string_view, std::string_view>, 36> kSubstitutes{{
    {"Courier-Bold", "NimbusMonoPS-Bold"},
    {"AmericanTypewriter-Bold", "NimbusMonoPS-Bold"},
    {"Menlo-Bold", "DejaVuSansMono-Bold"},
    {"Palatino-BoldItalic", "P052-BoldItalic"},
    {"Georgia-Bold", "NotoSerif-Bold"},
    {"Georgia-BoldItalic", "NotoSerif-BoldItalic"},
    {"Cochin-BoldItalic", "NotoSerif-BoldItalic"},
    {"Baskerville-BoldItalic", "NotoSerif-BoldItalic"},
    {"HoeflerText-BlackItalic", "NotoSerif-BlackItalic"},
    {"Superclarendon-Black", "NotoSerif-Black"},
    {"Didot-Bold", "NotoSerifDisplay-Bold"},
    {"Didot-Italic", "NotoSerifDisplay-Italic"},
    {"BodoniSvtyTwoITCTT-Bold", "NotoSerifDisplay-Bold"},
    {"SnellRoundhand-Black", "Z003-MediumItalic"},
    {"Impact", "NotoSans-ExtraCondensedBlack"},
    {"HelveticaNeue-CondensedBlack", "NotoSans-CondensedBlack"},
    {"Futura-CondensedExtraBold", "NotoSans-CondensedBlack"},
    {"DINCondensed-Bold", "NotoSans-CondensedBold"},
    {"Futura-Bold", "URWGothic-Demi"},
    {"AvenirNext-Heavy", "NotoSans-ExtraBold"},
    {"AvenirNext-Bold", "NotoSans-Bold"},
    {"AvenirNext-DemiBold", "NotoSans-SemiBold"},
    {"GillSans-UltraBold", "NotoSans-Black"},
    {"DINAlternate-Bold", "NotoSans-Bold"},
    {"ArialRoundedMTBold", "LiberationSans-Bold"},
    {"KohinoorDevanagari-Bold", "NotoSansDevanagari-Bold"},
    {"KohinoorDevanagari-Semibold", "NotoSansDevanagari-SemiBold"},
    {"KohinoorBangla-Bold", "NotoSansBengali-Bold"},
    {"GurmukhiMN-Bold", "NotoSansGurmukhi-Bold"},
    {"KohinoorGujarati-Bold", "NotoSansGujarati-Bold"},
    {"OriyaSangamMN-Bold", "NotoSansOriya-Bold"},
    {"TamilSangamMN-Bold", "NotoSansTamil-Bold"},
    {"KohinoorTelugu-Bold", "NotoSansTelugu-Bold"},
    {"KannadaSangamMN-Bold", "NotoSansKannada-Bold"},
    {"MalayalamSangamMN-Bold", "NotoSansMalayalam-Bold"},
    {"Helvetica-Bold", "NimbusSans-Bold"},
}};

FaceRef faceOf(FcPattern* pattern)
{
    FaceRef face;
    FcChar8* family = nullptr;
    if (FcPatternGetString(pattern, FC_FAMILY, 0, &family) == FcResultMatch)
        face.family = QString::fromUtf8(reinterpret_cast<const char*>(family));
    double weight = FC_WEIGHT_REGULAR;
    FcPatternGetDouble(pattern, FC_WEIGHT, 0, &weight);
    int weightInt = 0;
    if (FcPatternGetInteger(pattern, FC_WEIGHT, 0, &weightInt) == FcResultMatch) weight = weightInt;
    face.weight = static_cast<int>(std::lround(FcWeightToOpenTypeDouble(weight)));
    int slant = FC_SLANT_ROMAN;
    FcPatternGetInteger(pattern, FC_SLANT, 0, &slant);
    face.italic = slant != FC_SLANT_ROMAN;
    int width = FC_WIDTH_NORMAL;
    FcPatternGetInteger(pattern, FC_WIDTH, 0, &width);
    face.stretch = width;
    return face;
}

std::string postScriptNameOf(FcPattern* pattern)
{
    FcChar8* name = nullptr;
    if (FcPatternGetString(pattern, FC_POSTSCRIPT_NAME, 0, &name) != FcResultMatch) return {};
    return reinterpret_cast<const char*>(name);
}

class Index {
public:
    static Index& shared()
    {
        static Index index;
        return index;
    }

    std::optional<FaceRef> find(std::string_view name)
    {
        std::shared_lock lock(mutex_);
        auto it = faces_.find(std::string(name));
        if (it == faces_.end()) return std::nullopt;
        return it->second;
    }

    bool add(const std::filesystem::path& file)
    {
        const int id = QFontDatabase::addApplicationFont(QString::fromStdString(file.string()));
        if (id < 0) return false;
        const QStringList qtFamilies = QFontDatabase::applicationFontFamilies(id);
        int count = 0;
        FcPattern* pattern = FcFreeTypeQuery(reinterpret_cast<const FcChar8*>(file.c_str()), 0, nullptr, &count);
        if (!pattern) return true;  // registered with Qt, but not findable by PostScript name
        FaceRef face = faceOf(pattern);
        // Name the face by the family Qt registered it under.
        if (!qtFamilies.isEmpty() && !qtFamilies.contains(face.family)) face.family = qtFamilies.front();
        const std::string name = postScriptNameOf(pattern);
        FcPatternDestroy(pattern);
        if (!name.empty()) {
            std::unique_lock lock(mutex_);
            faces_[name] = face;
        }
        return true;
    }

    bool hasUpright(const QString& family, int weight)
    {
        std::shared_lock lock(mutex_);
        return std::any_of(faces_.begin(), faces_.end(), [&](const auto& entry) {
            const FaceRef& face = entry.second;
            return face.family == family && face.weight == weight && !face.italic && face.stretch == 100;
        });
    }

private:
    Index()
    {
        FcPattern* all = FcPatternCreate();
        FcObjectSet* fields = FcObjectSetBuild(FC_POSTSCRIPT_NAME, FC_FAMILY, FC_WEIGHT, FC_SLANT, FC_WIDTH, nullptr);
        FcFontSet* set = FcFontList(nullptr, all, fields);
        if (set) {
            for (int i = 0; i < set->nfont; ++i) {
                const std::string name = postScriptNameOf(set->fonts[i]);
                if (!name.empty()) faces_.emplace(name, faceOf(set->fonts[i]));
            }
            FcFontSetDestroy(set);
        }
        FcObjectSetDestroy(fields);
        FcPatternDestroy(all);
    }

    std::shared_mutex mutex_;
    std::unordered_map<std::string, FaceRef> faces_;
};

}  // namespace

std::optional<FaceRef> byPostScriptName(std::string_view postScriptName)
{
    return Index::shared().find(postScriptName);
}

namespace {
std::atomic<int> registered{0};
}  // namespace

bool registerFile(const std::filesystem::path& file)
{
    const bool added = Index::shared().add(file);
    if (added) ++registered;
    return added;
}

int registrations() { return registered.load(); }

std::optional<std::string_view> openSubstitute(std::string_view platformName)
{
    for (const auto& [name, substitute] : kSubstitutes)
        if (name == platformName) return substitute;
    return std::nullopt;
}

bool hasUprightFace(const QString& family, int weight) { return Index::shared().hasUpright(family, weight); }

bool hasItalicFace(const QString& family, int weight)
{
    const QStringList styles = QFontDatabase::styles(family);
    for (const QString& style : styles)
        if (QFontDatabase::italic(family, style) && QFontDatabase::weight(family, style) == weight) return true;
    return false;
}

}  // namespace vt::InstalledFonts
