#include "model/FileAccess.h"
#include "platform/Bookmark.h"

#include "ProjectSamples.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace vt;
namespace fs = std::filesystem;

namespace {

struct Media : ::testing::Test {
    test::TempDir dir;

    std::string file(const std::string& name)
    {
        test::writeFile(dir / name, name);
        return (dir / name).string();
    }

    // The bookmark resolves, without a refresh, to the path.
    static bool pointsAt(const std::optional<Bytes>& data, const std::string& path)
    {
        if (!data) return false;
        auto r = bookmark::resolve(*data, bookmark::Resolution::plain);
        return r && !r->isStale && r->url.path == path;
    }
};

}  // namespace

TEST_F(Media, AMovedVideoIsFollowedAndItsBookmarkRefreshed)
{
    Project p = test::minimalProject();
    p.videoPath = file("talk.mov");
    p.videoBookmark = FileAccess::makeBookmark(p.videoPath);
    fs::rename(p.videoPath, dir / "talk-final.mov");

    FileAccess::Session session;
    session.prepare(p);
    EXPECT_EQ(p.videoPath, (dir / "talk-final.mov").string());
    EXPECT_TRUE(pointsAt(p.videoBookmark, p.videoPath));
    EXPECT_EQ(session.scoped(), (std::vector<fs::path>{dir / "talk-final.mov"}));
}

TEST_F(Media, EveryResolutionIsStartedAndStoppedOnce)
{
    std::string shared = file("shared.mov");
    Project p = test::minimalProject();
    p.videoPath = shared;
    p.videoBookmark = FileAccess::makeBookmark(shared);
    p.clips = std::vector{test::clip("one", 4), test::clip("two", 6)};
    for (VideoClip& c : *p.clips) {
        c.path = shared;
        c.bookmark = p.videoBookmark;
    }
    {
        FileAccess::Session session;
        session.prepare(p);
        EXPECT_EQ(session.scoped().size(), 3u);
        EXPECT_EQ(bookmark::openAccesses(shared), 3);
        EXPECT_EQ(p.sourceDuration, 10);  // the clip list was synced
        session.close();
        EXPECT_TRUE(session.scoped().empty());
        EXPECT_EQ(bookmark::openAccesses(shared), 0);
        session.close();
        EXPECT_EQ(bookmark::openAccesses(shared), 0);

        FileAccess::Session second;
        second.prepare(p);
        EXPECT_EQ(bookmark::openAccesses(shared), 3);
    }  // dropping a session stops what it started
    EXPECT_EQ(bookmark::openAccesses(shared), 0);
}

TEST_F(Media, ReadableFilesWithoutBookmarksGetThem)
{
    Project p = test::minimalProject();
    p.videoPath = file("main.mov");
    p.clips = std::vector{test::clip("c", 3)};
    p.clips->at(0).path = file("clip.mov");
    SoundClip sound;
    sound.path = file("ding.wav");
    p.sounds = std::vector{sound};
    BRoll broll;
    broll.path = file("city.jpg");
    p.brolls = std::vector{broll};
    p.music = BackgroundMusic{};
    p.music->path = file("song.m4a");

    FileAccess::Session session;
    session.prepare(p);
    EXPECT_TRUE(session.scoped().empty());
    EXPECT_TRUE(pointsAt(p.clips->at(0).bookmark, p.clips->at(0).path));
    EXPECT_TRUE(pointsAt(p.videoBookmark, p.clips->at(0).path));  // synced from the first clip
    EXPECT_EQ(p.videoPath, p.clips->at(0).path);
    EXPECT_TRUE(pointsAt(p.sounds->at(0).bookmark, sound.path));
    EXPECT_TRUE(pointsAt(p.brolls->at(0).bookmark, broll.path));
    EXPECT_TRUE(pointsAt(p.music->bookmark, p.music->path));
}

TEST_F(Media, WhatCannotBeOpenedIsLeftAsItWas)
{
    const Bytes foreign{'b', 'o', 'o', 'k', 0x00, 0x02, 0x00, 0x00};  // made on another platform
    Project p = test::minimalProject();
    p.videoPath = (dir / "gone.mov").string();
    p.videoBookmark = foreign;
    SoundClip sound;
    sound.path = (dir / "gone.wav").string();
    p.sounds = std::vector{sound};
    p.music = BackgroundMusic{};
    p.music->path = file("generated.m4a");
    p.music->builtInID = "calm";  // the program's own music: not a user file

    FileAccess::Session session;
    session.prepare(p);
    EXPECT_EQ(p.videoPath, (dir / "gone.mov").string());
    EXPECT_EQ(p.videoBookmark, foreign);
    EXPECT_FALSE(p.sounds->at(0).bookmark);
    EXPECT_FALSE(p.music->bookmark);
    EXPECT_TRUE(session.scoped().empty());

    // Once the file is back at its path, the unusable bookmark is replaced.
    file("gone.mov");
    session.prepare(p);
    EXPECT_TRUE(pointsAt(p.videoBookmark, p.videoPath));
}
