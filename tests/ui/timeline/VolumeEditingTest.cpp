#include "ui/timeline/VolumeEditing.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

VolumeEnvelope::Point point(double time, double db)
{
    VolumeEnvelope::Point p;
    p.time = time;
    p.db = db;
    return p;
}

TEST(VolumeEditing, LineGeometry)
{
    const VolumeGeometry geo{100};
    EXPECT_DOUBLE_EQ(geo.y(6), 5);
    EXPECT_DOUBLE_EQ(geo.y(12), 5);
    EXPECT_NEAR(geo.y(0), 16.739, 1e-3);
    EXPECT_DOUBLE_EQ(geo.y(-40), 95);
    EXPECT_DOUBLE_EQ(geo.y(-60), 95);
    EXPECT_DOUBLE_EQ(geo.db(5), 6);
    EXPECT_DOUBLE_EQ(geo.db(200), -40);
}

TEST(VolumeEditing, DoubleClickRemovesNearPointsAndAddsElsewhere)
{
    const VolumeGeometry geo{100};
    VolumeEnvelope env;
    env.points = {point(1, -12)};
    const double y = geo.y(-12);
    // 6 points from the only point removes it, and the line keeps its level.
    const auto removed = VolumeEditing::toggle({100 + 6, y}, env, 5, 100, geo);
    EXPECT_TRUE(removed.points.empty());
    EXPECT_DOUBLE_EQ(removed.db, -12);
    // 8 points away adds one at the line's level there.
    const auto added = VolumeEditing::toggle({100 + 8, y}, env, 5, 100, geo);
    ASSERT_EQ(added.points.size(), 2u);
    EXPECT_DOUBLE_EQ(added.points[1].time, 1.08);
    // Left of the start and right of the end clamp to the item.
    EXPECT_DOUBLE_EQ(VolumeEditing::toggle({-50, 80}, VolumeEnvelope{}, 5, 100, geo).points[0].time, 0);
    EXPECT_DOUBLE_EQ(VolumeEditing::toggle({900, 80}, VolumeEnvelope{}, 5, 100, geo).points[0].time, 5);
    // A fade handle found first: a point near it is not removed, a point is added.
    VolumeEnvelope faded;
    faded.fadeIn = 0.5;
    faded.points = {point(0.52, 6)};
    EXPECT_EQ(VolumeEditing::toggle({50, 5}, faded, 5, 100, geo).points.size(), 2u);
    // A point inside a fade takes the line's level, not the faded one.
    VolumeEnvelope fadeOnly;
    fadeOnly.db = -6;
    fadeOnly.fadeIn = 2;
    EXPECT_DOUBLE_EQ(VolumeEditing::toggle({50, 90}, fadeOnly, 5, 100, geo).points[0].db, -6);
}

TEST(VolumeEditing, GrabsAndDrags)
{
    using K = VolumeGrab::Kind;
    const VolumeGeometry geo{36};
    VolumeEnvelope env;
    env.fadeIn = 1;
    env.points = {point(2, 0), point(3, -6)};
    EXPECT_EQ(VolumeEditing::grab({100, 10}, env, 5, 100, geo), (VolumeGrab{K::fadeIn, {}}));
    EXPECT_EQ(VolumeEditing::grab({500, 10}, env, 5, 100, geo), (VolumeGrab{K::fadeOut, {}}));
    EXPECT_EQ(VolumeEditing::grab({201, geo.y(0)}, env, 5, 100, geo), (VolumeGrab{K::point, env.points[0].id}));
    EXPECT_EQ(VolumeEditing::grab({250, geo.y(-3) + 3}, env, 5, 100, geo), (VolumeGrab{K::line, {}}));
    EXPECT_EQ(VolumeEditing::grab({250, 35}, env, 5, 100, geo), std::nullopt);
    EXPECT_EQ(VolumeEditing::cursor(std::nullopt), Qt::ArrowCursor);

    // A point keeps its neighbours' order, 0.01 s apart.
    const auto moved = VolumeEditing::drag({K::point, env.points[0].id}, env, 9, geo.y(6), 0, 5, geo);
    EXPECT_DOUBLE_EQ(moved.points[0].time, 2.99);
    EXPECT_DOUBLE_EQ(moved.points[0].db, 6);
    // The line moves every level; each clamps on its own.
    const auto lowered = VolumeEditing::drag({K::line, {}}, env, 0, 0, 26.0 * 38 / 46, 5, geo);
    EXPECT_NEAR(lowered.db, -38, 1e-9);
    EXPECT_NEAR(lowered.points[1].db, -40, 1e-9);
    // A fade stops where the other begins.
    VolumeEnvelope both = env;
    both.fadeOut = 1;
    EXPECT_DOUBLE_EQ(VolumeEditing::drag({K::fadeIn, {}}, both, 4.5, 0, 0, 5, geo).fadeIn, 4);
}

TEST(VolumeEditing, WritingBackLeavesUneditedPointsWhereTheyWere)
{
    // Output 0…2 is source 0…2, output 2…4 is source 5…7: source 2…5 is cut.
    EditPlan plan;
    plan.segments = {{0, 2, 0}, {5, 7, 2}};
    VolumeEnvelope stored;
    stored.points = {point(1, 0), point(3.5, -6), point(6, -3)};  // the second lies inside the cut
    VolumeEnvelope placed = stored;
    for (auto& p : placed.points) p.time = plan.outputTime(p.time);
    // The user drags only the last point.
    VolumeEnvelope edited = placed;
    edited.points[2].time = 3.5;
    edited.points[2].db = 0;
    const auto back = VolumeEditing::toSource(edited, placed, stored, plan);
    ASSERT_EQ(back.points.size(), 3u);
    EXPECT_DOUBLE_EQ(back.points[0].time, 1);
    EXPECT_DOUBLE_EQ(back.points[1].time, 3.5);  // kept, not moved to the cut's end
    EXPECT_DOUBLE_EQ(back.points[2].time, 6.5);
    EXPECT_DOUBLE_EQ(back.points[2].db, 0);
    // A new point maps through the plan.
    VolumeEnvelope grown = placed;
    grown.points.push_back(point(3, -1));
    EXPECT_DOUBLE_EQ(VolumeEditing::toSource(grown, placed, stored, plan).points[3].time, 6);
}

}  // namespace
}  // namespace vt
