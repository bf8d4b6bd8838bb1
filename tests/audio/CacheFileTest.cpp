// Generated files on their way into a cache: the temporary name follows from
// the destination, so a crash's leftover is written over or removed, and two
// writers of one file take turns.

#include "audio/CacheFile.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

namespace vt {
namespace {

namespace fs = std::filesystem;

TEST(CacheFile, ALeftoverOfACrashIsWrittenOverOrRemoved)
{
    test::TempDir dir;
    const fs::path destination = dir / "sfx-v1-abc.caf";
    const fs::path temporary = CacheFile(destination).temporary();
    EXPECT_EQ(temporary, dir / "sfx-v1-abc.tmp.caf");

    // What a crash left: the next writer of that file starts on the same
    // name, and a writer that gives up takes the leftover with it.
    test::writeFile(temporary, "cut short");
    {
        CacheFile abandoned(destination);
        EXPECT_EQ(abandoned.temporary(), temporary);
    }
    EXPECT_FALSE(fs::exists(temporary));

    test::writeFile(temporary, "cut short");
    CacheFile file(destination);
    test::writeFile(file.temporary(), "whole");
    file.commit();
    EXPECT_EQ(test::readFile(destination), "whole");
    EXPECT_FALSE(fs::exists(temporary));
}

TEST(CacheFile, TwoWritersOfOneFileTakeTurns)
{
    test::TempDir dir;
    const fs::path destination = dir / "lofi-v1.m4a";
    auto first = std::make_unique<CacheFile>(destination);
    test::writeFile(first->temporary(), "first");
    std::atomic<bool> started = false;
    auto second = std::async(std::launch::async, [&] {
        CacheFile file(destination);
        started = true;
        // The first writer's file is complete by now, never half replaced.
        const std::string found = test::readFile(destination);
        test::writeFile(file.temporary(), "second");
        file.commit();
        return found;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_FALSE(started);  // still waiting for the first
    first->commit();
    first.reset();
    ASSERT_EQ(second.wait_for(std::chrono::seconds(30)), std::future_status::ready);
    EXPECT_EQ(second.get(), "first");
    EXPECT_EQ(test::readFile(destination), "second");
}

}  // namespace
}  // namespace vt
