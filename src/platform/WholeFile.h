#pragma once
// Reading and writing a file whole.
//
// Writing is atomic, so that readers see either the old content or the new,
// never a half-written file: the bytes go to a temporary file beside the
// target, are flushed to disk, and the temporary file is then renamed over
// the target. When anything fails the target is left exactly as it was and
// the temporary file is removed.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace vt::wholeFile {

// A file's bytes, or why they could not be had.
struct ReadResult {
    std::optional<std::string> bytes;
    std::string error;  // a plain description, set when bytes is absent
};

// The bytes of a regular file (or of one a symbolic link leads to) holding
// at most maxBytes. Anything else is refused without being opened or read
// past the limit: a missing file, a folder, a named pipe (which would wait for
// a writer forever), a device, a file without permission, a larger file.
ReadResult read(const std::filesystem::path& path, std::uintmax_t maxBytes);

// True when the target now holds the bytes. The folder must exist. The
// temporary file's name is "." + the target's name + "." + six random
// letters or digits, so a leftover from a crash never carries the target's
// extension. After the rename the folder is flushed too, so that the new
// name survives a power cut (a failure there is not reported: the file is
// in place).
bool writeAtomically(const std::filesystem::path& target, std::string_view bytes);

// Removes the regular files in `folder` (not below it) whose names
// `matches` accepts and that were last written more than `age` ago: what a
// crash or a kill during a write left behind. Younger ones may belong to a
// write still under way. Errors are ignored.
void removeStale(const std::filesystem::path& folder, std::chrono::seconds age,
                 const std::function<bool(const std::string& name)>& matches);
// removeStale for the temporary files writeAtomically made for the targets
// that `ours` accepts by name: a file merely named alike is left alone.
void removeLeftovers(const std::filesystem::path& folder, std::chrono::seconds age,
                     const std::function<bool(const std::string& target)>& ours);

}  // namespace vt::wholeFile
