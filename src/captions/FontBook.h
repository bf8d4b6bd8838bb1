#pragma once
// Turns the font name stored in a caption look into a font at a size. Three
// kinds of name are understood, tried in this order:
//   1. the stored name of a bundled font (the `bundled` table), found by the
//      PostScript name inside the shipped file;
//   2. a system shorthand "<design>-<weight>" with design system, rounded,
//      serif or mono and weight black, heavy, semibold, medium (else bold);
//   3. the PostScript name of any installed font, or of the nearest
//      installed open font for a font of another platform.
// Anything else gives the heavy system font. Every font carries the script
// fallback cascade (Indic scripts and Urdu) and colour emoji.
//
// The bundled font files are registered once per process, before the first
// name is resolved, from the first existing folder of
// fontFolderCandidates(): $VELLUMTIDE_RESOURCES/Fonts when that variable is
// set, else the source tree's resources/Fonts (filled by
// tools/setup.d/20-fonts.sh); then ./Resources/Fonts.
//
// Thread-safe: font() is called at once from the main thread and from render
// threads; the tables are built once and the cache is a thread-safe cache.

#include "captions/Font.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vt {

struct FontBook {
    struct Bundled {
        std::string_view label;           // shown in the picker
        std::string_view name;            // stored in looks
        std::string_view postScriptName;  // inside the shipped file
    };
    static const std::array<Bundled, 13> bundled;

    struct Choice {
        std::string label;
        std::string name;
    };
    // The picker's entries: the 13 bundled fonts, then 45 platform fonts.
    static const std::vector<Choice>& choices();

    // The font for a look's font name at `size` points (already scaled to the
    // frame). Never fails. Cached under name, size in tenths (truncated) and
    // the italic flag: sizes 40.04 and 40.09 share one entry.
    static Font font(const std::string& name, double size, bool italic);

    // The picker label of a name; the name itself when it is not a choice.
    static std::string label(const std::string& name);

    // The name resolution alone: no cache, italic face or fallback cascade.
    static Font base(const std::string& name, double size);

    // The families tried, in order, for characters a face has no glyph for.
    static const QStringList& fallbackFamilies();

    // Where the bundled font files are looked for, in order.
    static std::vector<std::filesystem::path> fontFolderCandidates();
    // The first candidate that exists; later ones are not looked at.
    static std::optional<std::filesystem::path> firstExisting(const std::vector<std::filesystem::path>& candidates);
    // Registers every .ttf, .otf, .woff and .woff2 file of a folder; returns
    // how many registered.
    static int registerFolder(const std::filesystem::path& folder);
};

}  // namespace vt
