#pragma once
// Small helpers shared by every test program: where the shared fixtures are,
// throw-away folders, environment overrides and running command-line tools
// (ffmpeg, espeak-ng) to make fixtures at test time.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vt::test {

// A file of the shared fixtures folder (real speech, the whisper vocabulary).
std::filesystem::path sharedFixture(std::string_view name);

// A fresh folder under the system's temporary folder, removed with everything
// in it when the object goes away.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// Sets (or with nullopt unsets) one environment variable for the object's life.
class ScopedEnv {
public:
    ScopedEnv(std::string name, std::optional<std::string> value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string name_;
    std::optional<std::string> previous_;
};

// Runs a shell command with its output discarded; returns its exit status.
int run(const std::string& command);
// Runs a shell command and returns what it wrote to its standard output.
std::string commandOutput(const std::string& command);
// Quotes one argument for the shell.
std::string shellQuote(std::string_view arg);

// Whole-file helpers.
std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, std::string_view bytes);

}  // namespace vt::test
