#pragma once
// The projects on disk, in the data root's "Projects" folder: one JSON file
// per project named by its id text ("<ID>.json", ISO 8601 dates in whole
// seconds, written atomically) and, beside it, its JPEG poster ("<ID>.jpg",
// written by whoever makes the project). The id text is the project's id as
// upper-case UUID text.
//
// No state of its own: every call works on the file system. Reading skips
// what it cannot read (and says which files those were) and never changes or
// removes such a file; folder and
// removal failures are ignored. A save that fails leaves the previous file
// exactly as it was and says why. Main thread only.

#include "model/Project.h"

#include <array>
#include <filesystem>
#include <string_view>
#include <vector>

namespace vt {

struct ProjectStore {
    // Settings suites of the program's earlier editions, in order of priority.
    static constexpr std::array<std::string_view, 2> legacyBundleIDs{"app.omnal.mac", "local.morrowlit.app"};
    // Settings copied from them, in order.
    static constexpr std::array<std::string_view, 6> legacySettingsKeys{
        "engine", "whisperLanguage", "captionLanguage", "hasOnboarded", "appearance", "transcriptDockHeight"};
    // Set (true) in the user settings once the copy has run.
    static constexpr std::string_view migratedKey = "migratedToVellumtide";

    // The data root (see DataRoot.h), created as needed.
    static std::filesystem::path root();
    // root() / "Projects", created as needed.
    static std::filesystem::path directory();

    enum class SaveResult {
        saved,
        notEncodable,  // a number in the project is not finite (or a text is not UTF-8)
        notWritten,    // the file system refused the write
    };
    // Writes the project as it is (callers set updatedAt first), replacing its
    // earlier file whole. On failure the earlier file is untouched.
    static SaveResult save(const Project& project);

    // What a look through the folder found.
    struct Listing {
        // Every project that reads, newest updatedAt first; projects saved in
        // the same second keep the folder's listing order. A project is listed
        // once: a copy under another file name (one put there by hand, say)
        // gives way to "<ID>.json", else to its newest copy.
        std::vector<Project> projects;
        // The ".json" entries (other than folders) that could not be read as
        // a project, in order of name. They are left as they are.
        std::vector<std::filesystem::path> unreadable;
    };
    // Only regular files (not named pipes or devices) of at most 64 MB whose
    // extension is exactly ".json" are read.
    static Listing list();
    // list().projects.
    static std::vector<Project> loadAll();

    // Removes the project's file, any other ".json" file in the folder that
    // reads as a project with its id (so it does not come back), its poster
    // and the entries of the data root's "Cache" folder whose names begin with
    // its id text (its cleaned voice tracks). Only the project's id is used.
    static void remove(const Project& project);

    // Once per user: copies each legacy setting that the user settings lack,
    // taking it from the first legacy suite that has it, then sets migratedKey.
    // A settings file that is not a regular file (a named pipe, a folder) is
    // never opened: a legacy one is passed over, and in place of the user's
    // own nothing is copied.
    static void migrateLegacySettings();
};

}  // namespace vt
