#pragma once
// SHA-1 digests, in lowercase hexadecimal as model lists publish them: one
// fed piece by piece (a body while it arrives) and one of a whole file.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace vt::net {

class Sha1 {
public:
    Sha1();
    ~Sha1();
    Sha1(const Sha1&) = delete;
    Sha1& operator=(const Sha1&) = delete;

    void add(std::string_view bytes);
    // The digest of everything added so far.
    std::string hex() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

// The digest of a file's bytes; none when it cannot be read to its end.
std::optional<std::string> fileSha1(const std::filesystem::path& file);

}  // namespace vt::net
