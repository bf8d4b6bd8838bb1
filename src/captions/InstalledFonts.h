#pragma once
// Fonts by PostScript name: the fonts installed on the machine (found
// through fontconfig) and the font files this process registers itself.
// Qt finds faces by family, weight, slant and width, so a PostScript name is
// turned into those here. Also the table of the nearest installed open font
// for the names of fonts that exist only on other platforms.
//
// Thread-safe: the installed index is built once on first use; registration
// takes the index's own lock.

#include <QString>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vt {

struct FaceRef {
    QString family;
    int weight = 400;   // 100 to 900
    bool italic = false;
    int stretch = 100;  // 100 normal, 75 condensed, 62 extra-condensed
};

namespace InstalledFonts {

// The face with this exact PostScript name, installed or registered; none
// when no such face is known.
std::optional<FaceRef> byPostScriptName(std::string_view postScriptName);

// Registers every face of one font file for this process only and indexes
// it by PostScript name. False when the file cannot be read as a font.
bool registerFile(const std::filesystem::path& file);

// How many files have been registered so far: text shaped before a change of
// this number may have taken other faces than it would now.
int registrations();

// The PostScript name of the installed open font nearest to a platform font
// of that name ("Courier-Bold" → "NimbusMonoPS-Bold"); none when no
// installed font is close enough to stand in for it.
std::optional<std::string_view> openSubstitute(std::string_view platformName);

// Whether the family has an upright face of normal width and exactly this
// weight among the installed and registered fonts.
bool hasUprightFace(const QString& family, int weight);

// Whether the family has a real italic or oblique face of this weight (Qt
// would otherwise slant the upright face, or take an italic of another weight).
bool hasItalicFace(const QString& family, int weight);

}  // namespace InstalledFonts
}  // namespace vt
