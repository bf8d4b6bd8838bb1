#include "platform/WholeFile.h"

#include <cerrno>
#include <cstdio>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vt::wholeFile {

namespace {

constexpr const char* notRegular = "It is not a regular file.";

// "<what>: <the system's reason>", from errno.
std::string systemError(const char* what)
{
    return std::string(what) + ": " + std::error_code(errno, std::generic_category()).message() + ".";
}

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

}  // namespace

ReadResult read(const std::filesystem::path& path, std::uintmax_t maxBytes)
{
    const auto failure = [](std::string why) { return ReadResult{std::nullopt, std::move(why)}; };
    const auto tooLarge = [&] {
        return failure("The file is too large to read: over " + std::to_string(maxBytes) + " bytes.");
    };
    // Looked at before opening: opening a named pipe waits for a writer.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return failure(systemError("The file could not be read"));
    if (!S_ISREG(info.st_mode)) return failure(notRegular);
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return failure(systemError("The file could not be opened"));
    // What was opened may have been put in the file's place since.
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return failure(notRegular);
    }
    if (std::uintmax_t(info.st_size) > maxBytes) {
        ::close(fd);
        return tooLarge();
    }
    std::string bytes;
    char buffer[1 << 16];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            const std::string why = systemError("The file could not be read");
            ::close(fd);
            return failure(why);
        }
        if (n == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(n));
        if (bytes.size() > maxBytes) {  // it grew while being read
            ::close(fd);
            return tooLarge();
        }
    }
    ::close(fd);
    return {std::move(bytes), {}};
}

bool writeAtomically(const std::filesystem::path& target, std::string_view bytes)
{
    std::string temp = (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
    int fd = ::mkstemp(temp.data());
    if (fd < 0) return false;
    // mkstemp makes the file private; a saved file is as readable as any other.
    bool ok = ::fchmod(fd, 0644) == 0 && writeAll(fd, bytes) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && std::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) ::unlink(temp.c_str());
    return ok;
}

}  // namespace vt::wholeFile
