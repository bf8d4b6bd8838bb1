#pragma once
// A private data root and settings store for each test, media made at test
// time, and waiting on the application model's signals.

#include "app/AppModel.h"
#include "support/TestSupport.h"
#include "support/Waits.h"

#include <QSettings>
#include <QTest>

#include <filesystem>
#include <optional>
#include <string>

namespace vt::test {

// Points the data root and the settings at a fresh folder for one test.
struct IsolatedHome {
    TempDir dir;
    ScopedEnv data{"XDG_DATA_HOME", (dir / "data").string()};
    ScopedEnv config{"XDG_CONFIG_HOME", (dir / "config").string()};
};

// A video of `seconds` (64 × 48 test pattern) with `audio` as its sound, or
// silent without.
inline std::filesystem::path makeClip(const std::filesystem::path& out, const std::optional<std::filesystem::path>& audio,
                                      double seconds)
{
    std::string cmd = "ffmpeg -v error -y -f lavfi -i testsrc2=s=96x64:r=10:d=" + std::to_string(seconds) + " ";
    if (audio) cmd += "-i " + shellQuote(audio->string()) + " -c:a aac -shortest ";
    cmd += "-c:v libx264 -preset ultrafast -pix_fmt yuv420p " + shellQuote(out.string());
    if (run(cmd) != 0) throw std::runtime_error("ffmpeg failed: " + cmd);
    return out;
}

// espeak-ng's voice saying `words`, as a WAV file.
inline std::filesystem::path speak(const std::filesystem::path& out, const std::string& words)
{
    if (run("espeak-ng -w " + shellQuote(out.string()) + " " + shellQuote(words)) != 0) throw std::runtime_error("espeak-ng failed");
    return out;
}

// Waits (running the event loop) until the import has ended.
inline bool waitForImport(AppModel& app)
{
    return test::waitFor([&] { return app.screen() != Screen::processing && !app.processing(); });
}

}  // namespace vt::test
