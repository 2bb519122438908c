// The airspeed indicators on the stand-in host: one variable in knots, two
// dials, the needle on each dial's marks.
#include <gtest/gtest.h>

#include "module/needle_map.h"
#include "tests/flight/placed_gauge.h"

namespace tavrel {
namespace {

using flight_testing::on_dial;
using flight_testing::PlacedGauge;

constexpr uint32_t kAirspeed = 61;
constexpr size_t kNeedle = 1;
constexpr PixPoint kCentre{141, 141};

double bearing_to(int x, int y) {
  return bearing_of(kCentre, PixPoint{x, y});
}

class AirspeedMph : public PlacedGauge {
 protected:
  AirspeedMph() : PlacedGauge("Airspeed_Mph") {}
  double needle_at(double knots) {
    return on_dial(after(kAirspeed, knots, kNeedle).needle_bearing);
  }
};

class AirspeedKts : public PlacedGauge {
 protected:
  AirspeedKts() : PlacedGauge("Airspeed_Kts") {}
  double needle_at(double knots) {
    return on_dial(after(kAirspeed, knots, kNeedle).needle_bearing);
  }
};

TEST_F(AirspeedMph, NeedlePointsAtTheMphMarksFromKnots) {
  EXPECT_NEAR(needle_at(0.0), 0.0, 1e-9);                               // straight up
  EXPECT_NEAR(needle_at(34.752), on_dial(bearing_to(167, 74)), 1e-9);   // 40 mph
  EXPECT_NEAR(needle_at(95.568), on_dial(bearing_to(136, 216)), 1e-9);  // 110 mph
  EXPECT_NEAR(needle_at(173.76), on_dial(bearing_to(118, 78)), 1e-9);   // 200 mph
  // Between marks the needle moves on clockwise: 50 mph lies past 40.
  EXPECT_GT(needle_at(50 * 0.8688), needle_at(34.752));
}

TEST_F(AirspeedMph, NeedleHoldsAt200MphAboveTheScale) {
  const double at_200 = needle_at(173.76);
  EXPECT_NEAR(needle_at(174.6288), at_200, 1e-9);
  EXPECT_NEAR(needle_at(250.0), at_200, 1e-9);
  EXPECT_NEAR(needle_at(1000.0), at_200, 1e-9);
}

TEST_F(AirspeedKts, NeedlePointsAtTheKnotMarksAndHoldsAt170) {
  EXPECT_NEAR(needle_at(0.0), 0.0, 1e-9);
  EXPECT_NEAR(needle_at(40.0), on_dial(bearing_to(176, 81)), 1e-9);
  EXPECT_NEAR(needle_at(100.0), on_dial(bearing_to(123, 212)), 1e-9);
  const double at_170 = on_dial(bearing_to(100, 82));
  EXPECT_NEAR(needle_at(170.0), at_170, 1e-9);
  EXPECT_NEAR(needle_at(171.0), at_170, 1e-9);
  EXPECT_NEAR(needle_at(300.0), at_170, 1e-9);
}

TEST_F(AirspeedMph, TooltipEverywhereAndNoClicks) {
  for (auto [x, y] : {std::pair{0, 0}, {141, 141}, {279, 279}, {20, 250}}) {
    EXPECT_EQ(gauge.tooltip_at(x, y), 43778u);
    EXPECT_TRUE(click(x, y).empty());
  }
}

TEST_F(AirspeedKts, PitotOrStaticFailureFreezesTheNeedle) {
  for (uint32_t system : {6u, 3u}) {
    const double before = needle_at(80.0);
    host.set_failure(system, true);
    EXPECT_NEAR(needle_at(150.0), before, 1e-9) << system;
    host.set_failure(system, false);
    EXPECT_NE(needle_at(150.0), before) << system;
  }
}

}  // namespace
}  // namespace tavrel
