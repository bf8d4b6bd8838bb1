#pragma once
// The error every media operation throws when a file cannot be opened, read,
// decoded or written. Its text is a plain description for the user's detail
// line ("Invalid data found when processing input"), never empty.

#include <stdexcept>
#include <string>

namespace vt::media {

struct MediaError : std::runtime_error {
    // `unreadable`: the file is not media the libraries can open (invalid
    // data, an unknown format); any other failure is `other`.
    enum class Kind { other, unreadable };

    explicit MediaError(const std::string& what, Kind kind = Kind::other) : std::runtime_error(what), kind(kind) {}

    Kind kind;
};

}  // namespace vt::media
