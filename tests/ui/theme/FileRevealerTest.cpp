#include "ui/theme/FileRevealer.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

// With no file manager on the bus and no application for folders, revealing
// says it could not, instead of only printing a complaint.
TEST(FileRevealer, SaysSoWhenNothingCanShowTheFiles)
{
    test::TempDir dir;
    test::ScopedEnv bus{"DBUS_SESSION_BUS_ADDRESS", "unix:path=" + (dir / "no-bus").string()};
    test::ScopedEnv data{"XDG_DATA_HOME", (dir / "data").string()};
    test::ScopedEnv dataDirs{"XDG_DATA_DIRS", (dir / "shared").string()};
    test::ScopedEnv config{"XDG_CONFIG_HOME", (dir / "config").string()};
    test::ScopedEnv configDirs{"XDG_CONFIG_DIRS", (dir / "etc").string()};
    EXPECT_FALSE(SystemFileRevealer().reveal({dir / "trip.mp4"}));
    EXPECT_TRUE(SystemFileRevealer().reveal({})) << "nothing to show is no failure";
}

}  // namespace
}  // namespace vt
