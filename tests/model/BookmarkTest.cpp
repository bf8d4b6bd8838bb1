#include "platform/WholeFile.h"
#include "platform/Bookmark.h"
#include "support/FifoWatch.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace vt;
namespace fs = std::filesystem;

TEST(Bookmark, FindsAFileThatWasRenamedInItsFolderAndReportsItStale)
{
    test::TempDir dir;
    test::writeFile(dir / "take.mov", "video");
    auto data = bookmark::make(dir / "take.mov", bookmark::Creation::securityScopeReadOnly);
    ASSERT_TRUE(data);

    auto same = bookmark::resolve(*data, bookmark::Resolution::withSecurityScope);
    ASSERT_TRUE(same);
    EXPECT_EQ(same->url.path, dir / "take.mov");
    EXPECT_FALSE(same->isStale);
    EXPECT_TRUE(same->url.securityScoped);

    fs::rename(dir / "take.mov", dir / "renamed.mov");
    auto moved = bookmark::resolve(*data, bookmark::Resolution::withSecurityScope);
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved->url.path, dir / "renamed.mov");
    EXPECT_TRUE(moved->isStale);

    // Another file put under the old name does not win over the moved original.
    test::writeFile(dir / "take.mov", "other");
    EXPECT_EQ(bookmark::resolve(*data, bookmark::Resolution::plain)->url.path, dir / "renamed.mov");

    fs::remove(dir / "renamed.mov");
    auto replaced = bookmark::resolve(*data, bookmark::Resolution::plain);
    ASSERT_TRUE(replaced);
    EXPECT_EQ(replaced->url.path, dir / "take.mov");
    EXPECT_TRUE(replaced->isStale);

    fs::remove(dir / "take.mov");
    EXPECT_FALSE(bookmark::resolve(*data, bookmark::Resolution::plain));
}

TEST(Bookmark, ScopeAndForeignData)
{
    test::TempDir dir;
    test::writeFile(dir / "a.wav", "x");
    EXPECT_FALSE(bookmark::make(dir / "missing.wav", bookmark::Creation::plain));

    auto plain = bookmark::make(dir / "a.wav", bookmark::Creation::plain);
    ASSERT_TRUE(plain);
    EXPECT_FALSE(bookmark::resolve(*plain, bookmark::Resolution::withSecurityScope));
    auto unscoped = bookmark::resolve(*plain, bookmark::Resolution::plain);
    ASSERT_TRUE(unscoped);
    EXPECT_FALSE(unscoped->url.securityScoped);
    EXPECT_FALSE(bookmark::startAccessing(unscoped->url));

    const Bytes foreign{'b', 'o', 'o', 'k', 0, 0, 0, 0, 0x48, 0x02};
    EXPECT_FALSE(bookmark::resolve(foreign, bookmark::Resolution::withSecurityScope));
    EXPECT_FALSE(bookmark::resolve(foreign, bookmark::Resolution::plain));
}

TEST(Bookmark, AccessIsCountedPerStart)
{
    test::TempDir dir;
    bookmark::FileURL url{dir / "clip.mp4", true};
    EXPECT_TRUE(bookmark::startAccessing(url));
    EXPECT_TRUE(bookmark::startAccessing(url));
    EXPECT_EQ(bookmark::openAccesses(url.path), 2);
    bookmark::stopAccessing(url.path);
    bookmark::stopAccessing(url.path);
    bookmark::stopAccessing(url.path);  // one too many does nothing
    EXPECT_EQ(bookmark::openAccesses(url.path), 0);
}

TEST(WholeFile, ReplacesWholeOrLeavesTheTargetAlone)
{
    test::TempDir dir;
    fs::path target = dir / "p.json";
    ASSERT_TRUE(wholeFile::writeAtomically(target, "first"));
    ASSERT_TRUE(wholeFile::writeAtomically(target, "second"));
    EXPECT_EQ(test::readFile(target), "second");
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::others_read, fs::perms::others_read);

    EXPECT_FALSE(wholeFile::writeAtomically(dir / "no-such-folder" / "p.json", "x"));
    EXPECT_EQ(wholeFile::read(target, 100).bytes, "second");
    EXPECT_FALSE(wholeFile::read(dir / "missing.json", 100).bytes);
    EXPECT_FALSE(wholeFile::read(dir.path(), 100).bytes);  // a folder

    // A target that cannot be replaced (a non-empty folder in its place) stays,
    // and no temporary file is left behind.
    fs::create_directories(dir / "busy.json" / "inside");
    EXPECT_FALSE(wholeFile::writeAtomically(dir / "busy.json", "x"));
    int entries = 0;
    for (auto& e : fs::directory_iterator(dir.path())) entries += e.path().filename().string()[0] == '.' ? 100 : 1;
    EXPECT_EQ(entries, 2);
}

TEST(WholeFile, ReadsOnlyRegularFilesUpToTheLimit)
{
    test::TempDir dir;
    test::writeFile(dir / "ten.json", "0123456789");
    fs::create_symlink(dir / "ten.json", dir / "link.json");
    test::FifoWatch pipe(dir / "pipe.json");
    const std::string notRegular = "It is not a regular file.";
    struct Case {
        fs::path path;
        std::uintmax_t limit;
        std::optional<std::string> bytes;
        std::string error;
    } cases[] = {
        {dir / "ten.json", 10, "0123456789", ""},
        {dir / "link.json", 10, "0123456789", ""},
        {dir / "ten.json", 9, std::nullopt, "The file is too large to read: over 9 bytes."},
        {dir / "missing.json", 10, std::nullopt, "The file could not be read: No such file or directory."},
        {dir.path(), 10, std::nullopt, notRegular},
        {dir / "pipe.json", 10, std::nullopt, notRegular},
        {"/dev/zero", 10, std::nullopt, notRegular},
    };
    for (const Case& c : cases) {
        const auto result = wholeFile::read(c.path, c.limit);
        EXPECT_EQ(result.bytes, c.bytes) << c.path << " " << c.limit;
        EXPECT_EQ(result.error, c.error) << c.path << " " << c.limit;
    }
    EXPECT_FALSE(pipe.opened());
}
