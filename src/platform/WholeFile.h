#pragma once
// Reading and writing a file whole.
//
// Writing is atomic, so that readers see either the old content or the new,
// never a half-written file: the bytes go to a temporary file beside the
// target, are flushed to disk, and the temporary file is then renamed over
// the target. When anything fails the target is left exactly as it was and
// the temporary file is removed.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vt::wholeFile {

// The file's bytes; absent when it cannot be read (missing, a folder, no permission).
std::optional<std::string> read(const std::filesystem::path& path);

// True when the target now holds the bytes. The folder must exist. The
// temporary file's name starts with "." and ends in a random suffix, so a
// leftover from a crash never carries the target's extension.
bool writeAtomically(const std::filesystem::path& target, std::string_view bytes);

}  // namespace vt::wholeFile
