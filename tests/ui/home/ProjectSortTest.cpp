#include "ui/home/ProjectSort.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

using namespace std::chrono;

Project named(const std::string& name, int minutesAgo = 0, double seconds = 0)
{
    Project p;
    p.name = name;
    p.updatedAt = system_clock::time_point(hours(1000)) - minutes(minutesAgo);
    p.sourceDuration = seconds;
    return p;
}

std::vector<std::string> names(const std::vector<Project>& projects)
{
    std::vector<std::string> out;
    for (const Project& p : projects) out.push_back(p.name);
    return out;
}

TEST(ProjectSort, OrdersAreStableAndUnknownValuesSortByLastEdit)
{
    Project trimmed = named("Three clips");
    VideoClip clip;
    clip.duration = 10;
    clip.trimStart = 2;
    clip.trimEnd = 2;
    trimmed.clips = std::vector<VideoClip>{clip, clip, clip};  // 18 s
    const std::vector<Project> projects{named("Clip 10", 5, 15), named("clip 2", 1), named("Clip 3", 9), named("Same", 1), trimmed};

    struct Case {
        std::string sort;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases{
        {"recent", {"Three clips", "clip 2", "Same", "Clip 10", "Clip 3"}},  // equal times keep their order
        {"name", {"clip 2", "Clip 3", "Clip 10", "Same", "Three clips"}},
        {"length", {"Three clips", "Clip 10", "clip 2", "Clip 3", "Same"}},
        {"popular", {"Three clips", "clip 2", "Same", "Clip 10", "Clip 3"}},
    };
    for (const Case& c : cases) EXPECT_EQ(names(shownProjects(projects, "", c.sort)), c.expected) << c.sort;

    // Identical names keep their incoming order.
    Project a = named("Twin"), b = named("Twin");
    a.sourceDuration = 1;
    const auto twins = shownProjects({a, b}, "", "name");
    EXPECT_EQ(twins[0].id, a.id);
    EXPECT_EQ(ProjectSorts::fromRaw("length"), ProjectSort::length);
    EXPECT_EQ(ProjectSorts::title(ProjectSort::recent), "Last edited");
}

TEST(ProjectSort, SearchTrimsLowerCasesAndLooksAtNamesAndLooks)
{
    Project team = named("Team Talk"), other = named("Budget"), looked = named("Morning");
    looked.style.name = "Talkative";
    Project cafe = named("Café");
    const std::vector<Project> projects{team, other, looked, cafe};
    struct Case {
        QString query;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases{
        {"  talk ", {"Team Talk", "Morning"}},
        {"TALK", {"Team Talk", "Morning"}},
        {"\t  ", {"Team Talk", "Budget", "Morning", "Café"}},
        {"zzz", {}},
        {"cafe", {}},  // no folding of accents
        {"CAFÉ", {"Café"}},
        {"talk\n", {}},  // line breaks are not trimmed
    };
    for (const Case& c : cases) EXPECT_EQ(names(shownProjects(projects, c.query, "recent")), c.expected) << c.query.toStdString();
}

TEST(ProjectSort, BadgesAndRelativeDates)
{
    Project clips = named("a"), short_ = named("b"), plain = named("c");
    clips.clips = std::vector<VideoClip>(3);
    clips.sourceRange = ClosedRange<double>{1, 2};
    short_.clips = std::vector<VideoClip>(1);
    short_.sourceRange = ClosedRange<double>{1, 2};
    ASSERT_TRUE(projectBadge(clips));
    EXPECT_EQ(projectBadge(clips)->text, "3 clips");
    EXPECT_EQ(projectBadge(short_)->text, "Short");
    EXPECT_FALSE(projectBadge(plain));

    const auto now = system_clock::now();
    EXPECT_EQ(relativeDate(now, now), "now");
    EXPECT_EQ(relativeDate(now - minutes(5), now), "5 minutes ago");
    EXPECT_EQ(relativeDate(now - hours(1), now), "1 hour ago");
    EXPECT_EQ(relativeDate(now - hours(30), now), "yesterday");
    EXPECT_EQ(relativeDate(now - hours(24 * 3), now), "3 days ago");
}

}  // namespace
}  // namespace vt
