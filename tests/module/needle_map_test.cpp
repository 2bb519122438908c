#include "module/needle_map.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tavrel {
namespace {

NonlinearityEntry at(int32_t x, int32_t y, double value) {
  return {{x, y}, value, 0.0};
}

constexpr PixPoint kPivot{100, 100};

TEST(Bearing, IsClockwiseFromStraightUp) {
  EXPECT_DOUBLE_EQ(bearing_of(kPivot, {100, 0}), 0.0);
  EXPECT_DOUBLE_EQ(bearing_of(kPivot, {200, 100}), 90.0);
  EXPECT_DOUBLE_EQ(bearing_of(kPivot, {100, 200}), 180.0);
  EXPECT_DOUBLE_EQ(bearing_of(kPivot, {0, 100}), 270.0);
  EXPECT_NEAR(bearing_of(kPivot, {150, 50}), 45.0, 1e-9);
}

TEST(NeedleMap, InterpolatesBetweenEntriesAndHitsEachPoint) {
  // Up at 0, right at 10, down at 30.
  NonlinearityEntry table[] = {at(100, 20, 0), at(180, 100, 10), at(100, 180, 30)};
  NeedleMap map(kPivot, table, 3);
  EXPECT_DOUBLE_EQ(map.bearing(0), 0.0);
  EXPECT_DOUBLE_EQ(map.bearing(10), 90.0);
  EXPECT_DOUBLE_EQ(map.bearing(30), 180.0);
  EXPECT_DOUBLE_EQ(map.bearing(5), 45.0);
  EXPECT_DOUBLE_EQ(map.bearing(20), 135.0);
}

TEST(NeedleMap, TurnsClockwiseAcrossHalfATurnAndPastNorth) {
  // From 7 o'clock (bearing 225) clockwise to 5 o'clock (135): a 270 degree
  // sweep through straight up, as an airspeed dial runs.
  NonlinearityEntry table[] = {at(30, 170, 0), at(100, 10, 100), at(170, 170, 200)};
  NeedleMap map(kPivot, table, 3);
  EXPECT_DOUBLE_EQ(map.bearing(0), 225.0);
  EXPECT_DOUBLE_EQ(map.bearing(100), 360.0);
  EXPECT_DOUBLE_EQ(map.bearing(200), 495.0);  // 135 + a full turn: always clockwise
  EXPECT_DOUBLE_EQ(map.bearing(50), 292.5);
}

TEST(NeedleMap, ASegmentOfExactlyHalfATurnStaysClockwise) {
  NonlinearityEntry table[] = {at(100, 10, 0), at(100, 190, 1)};
  NeedleMap map(kPivot, table, 2);
  EXPECT_DOUBLE_EQ(map.bearing(0.5), 90.0);  // through 3 o'clock, not 9
}

TEST(NeedleMap, SharedPointsHoldTheNeedle) {
  // The last two entries share one point: past the end the needle stays.
  NonlinearityEntry table[] = {at(100, 10, 0), at(190, 100, 100), at(190, 100, 120)};
  NeedleMap map(kPivot, table, 3);
  EXPECT_DOUBLE_EQ(map.bearing(110), 90.0);
  EXPECT_DOUBLE_EQ(map.bearing(500), 90.0);
  // Before the start the first segment is extended.
  EXPECT_DOUBLE_EQ(map.bearing(-50), -45.0);
}

TEST(NeedleMap, FallingTablesMapAndExtendTheRightWay) {
  // Values fall as the needle turns clockwise (a vacuum or a reversed scale).
  NonlinearityEntry table[] = {at(100, 10, 30), at(190, 100, 20), at(100, 190, 0)};
  NeedleMap map(kPivot, table, 3);
  EXPECT_DOUBLE_EQ(map.bearing(30), 0.0);
  EXPECT_DOUBLE_EQ(map.bearing(25), 45.0);
  EXPECT_DOUBLE_EQ(map.bearing(10), 135.0);
  EXPECT_DOUBLE_EQ(map.bearing(-10), 225.0);  // past the last entry
  EXPECT_DOUBLE_EQ(map.bearing(40), -90.0);   // before the first
}

TEST(NeedleMap, TwoEntryTableTurnsWithoutLimit) {
  NonlinearityEntry table[] = {at(100, 10, 0), at(190, 100, 90)};
  NeedleMap map(kPivot, table, 2);
  EXPECT_DOUBLE_EQ(map.bearing(720), 720.0);
  EXPECT_DOUBLE_EQ(map.bearing(-360), -360.0);
}

TEST(NeedleMap, EqualValuesAndNotANumberDoNotBreakIt) {
  NonlinearityEntry table[] = {at(100, 10, 5), at(190, 100, 5)};
  NeedleMap map(kPivot, table, 2);
  EXPECT_TRUE(std::isfinite(map.bearing(7)));
  EXPECT_DOUBLE_EQ(map.bearing(std::nan("")), 0.0);
}

TEST(NeedleMap, WithoutATableTheValueIsDegrees) {
  NeedleMap map(kPivot, nullptr, 0);
  EXPECT_DOUBLE_EQ(map.bearing(123.5), 123.5);
}

}  // namespace
}  // namespace tavrel
