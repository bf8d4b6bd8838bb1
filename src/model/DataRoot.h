#pragma once
// The one folder under which every component keeps its files, and where the
// user settings live.
//
// The data root is "Vellumtide" in the user's data folder ($XDG_DATA_HOME,
// else ~/.local/share). When it is missing, a folder left by an earlier
// edition of the program ("Omnal", then "Morrowlit", beside it) is moved into
// its place; only the first one found is moved.
//
// Every path is worked out again on each call, from the environment as it is
// then, so nothing here caches. Failures to create or move folders are
// ignored: callers find out when they use the folder. Safe from any thread:
// background work (the speech model, caches) asks for its folders too.

#include <array>
#include <filesystem>
#include <string_view>

namespace vt::DataRoot {

inline constexpr std::string_view productFolderName = "Vellumtide";
// Folders of earlier editions, in the order they are looked for.
inline constexpr std::array<std::string_view, 2> legacyNames{"Omnal", "Morrowlit"};

// Entries of the data root.
inline constexpr std::string_view projectsFolder = "Projects";
inline constexpr std::string_view modelsFolder = "Models";
inline constexpr std::string_view cacheFolder = "Cache";
inline constexpr std::string_view musicFolder = "Music";
inline constexpr std::string_view voiceoversFolder = "Voiceovers";
inline constexpr std::string_view stylesFileName = "styles.json";

// The user's data folder: $XDG_DATA_HOME when it is an absolute path, else
// $HOME/.local/share. Not created.
std::filesystem::path applicationSupport();

// The data root, created (with missing parents) when absent, after moving a
// legacy folder into its place when one exists.
std::filesystem::path root();

// root() / name, created when absent.
std::filesystem::path folder(std::string_view name);

// True when `file` lies below root() / name once symbolic links and ".." are
// resolved (a relative path counts from the working folder), both as the
// entry it names and as what that entry leads to: a link elsewhere that leads
// in is not ours to remove, nor is one in the folder that leads out ours to
// copy. Files the program deletes, overwrites or copies because a project
// names them must pass this: a project from elsewhere may name any file of
// the user's.
bool holds(std::string_view name, const std::filesystem::path& file);

// The user settings are INI files under $XDG_CONFIG_HOME (else ~/.config),
// opened by path so that each call follows the environment:
// the program's own store, "Vellumtide/Vellumtide.conf" ...
std::filesystem::path settingsFile();
// ... and the store of another settings suite (an earlier edition's), "<suite>.conf".
std::filesystem::path suiteSettingsFile(std::string_view suite);

}  // namespace vt::DataRoot
