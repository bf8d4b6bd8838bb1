#pragma once
// The error every media operation throws when a file cannot be opened, read,
// decoded or written. Its text is a plain description for the user's detail
// line ("Invalid data found when processing input"), never empty.

#include <stdexcept>
#include <string>

namespace vt::media {

struct MediaError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

}  // namespace vt::media
