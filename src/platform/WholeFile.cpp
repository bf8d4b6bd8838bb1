#include "platform/WholeFile.h"

#include <algorithm>
#include <cctype>
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

constexpr std::size_t randomLetters = 6;  // mkstemp's "XXXXXX"

// The target of a temporary file writeAtomically made, from its name
// ("." + the target's name + "." + six letters or digits); none for any
// other name.
std::optional<std::string> temporaryTarget(const std::string& name)
{
    const std::size_t n = name.size();
    if (n < randomLetters + 3 || name.front() != '.' || name[n - randomLetters - 1] != '.') return std::nullopt;
    if (!std::all_of(name.end() - randomLetters, name.end(), [](unsigned char c) { return std::isalnum(c); }))
        return std::nullopt;
    return name.substr(1, n - randomLetters - 2);
}

// Makes a rename in `folder` durable; best effort.
void flushFolder(const std::filesystem::path& folder)
{
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
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
    if (ok) flushFolder(target.parent_path().empty() ? "." : target.parent_path());
    return ok;
}

void removeStale(const std::filesystem::path& folder, std::chrono::seconds age,
                 const std::function<bool(const std::string& name)>& matches)
{
    namespace fs = std::filesystem;
    const auto before = fs::file_time_type::clock::now() - age;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code ignored;
        if (!matches(it->path().filename().string()) || !it->is_regular_file(ignored)) continue;
        const auto written = fs::last_write_time(it->path(), ignored);
        if (!ignored && written < before) fs::remove(it->path(), ignored);
    }
}

void removeLeftovers(const std::filesystem::path& folder, std::chrono::seconds age,
                     const std::function<bool(const std::string& target)>& ours)
{
    removeStale(folder, age, [&](const std::string& name) {
        const auto target = temporaryTarget(name);
        return target && ours(*target);
    });
}

}  // namespace vt::wholeFile
