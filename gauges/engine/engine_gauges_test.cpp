// The five engine instruments on the stand-in host: the tachometer's
// thousands disc, the carburettor reading worked from two variables, and
// needles held on their shared end points.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "host/host.h"

namespace tavrel {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

class EngineGauge : public ::testing::Test {
 protected:
  host::Host host{host::bind_module("", nullptr)};

  const host::ElementState& state(host::GaugeInstance& gauge, size_t index) {
    host.update();
    return gauge.elements().at(index);
  }
  double bearing(host::GaugeInstance& gauge, size_t index, uint32_t token, double value) {
    host.variables().set(token, value);
    return state(gauge, index).needle_bearing;
  }
};

// Tachometer: elements dial, disc (1), needle (2), bezel.
TEST_F(EngineGauge, TachometerDiscStepsAQuarterTurnPerThousandThenFollowsTheEngine) {
  auto& tach = host.place("Tachometer");
  struct Case {
    double rpm, result;
  };
  for (Case c : std::vector<Case>{{0, 0},
                                  {999.9, 0},
                                  {1000, -1000},
                                  {1999.99, -1000},
                                  {2000, -2000},
                                  {3000, -3000},
                                  {3999, -3000},
                                  {4000, -4000},
                                  {4500, -4500},
                                  {6789, -6789},
                                  {-50, 0}}) {
    host.variables().set(390, c.rpm);
    const host::ElementState& disc = state(tach, 1);
    EXPECT_EQ(disc.value, c.result) << c.rpm;
    EXPECT_DOUBLE_EQ(disc.sprite_rotation, c.result * 0.09) << c.rpm;
    EXPECT_EQ(disc.sprite_center_x, 60);
    EXPECT_EQ(disc.sprite_center_y, 140);
  }
  host.variables().set(390, kNaN);
  EXPECT_EQ(state(tach, 1).value, 0) << "a reading that is not a number shows 0";
}

TEST_F(EngineGauge, TachometerNeedleTurnsOncePerThousand) {
  auto& tach = host.place("Tachometer");
  EXPECT_NEAR(bearing(tach, 2, 390, 0), 0, 1e-9);
  EXPECT_NEAR(bearing(tach, 2, 390, 250), 90, 1e-9);
  EXPECT_NEAR(bearing(tach, 2, 390, 500), 180, 1e-9);
  // Past the table the needle keeps turning: 2400 rpm shows 4 on the dial.
  EXPECT_NEAR(std::fmod(bearing(tach, 2, 390, 2400), 360), 144, 1e-9);
  EXPECT_EQ(state(tach, 1).value, -2000);  // and 2 in the window
}

TEST_F(EngineGauge, CarburettorIsTheAddedTemperaturePlusATenthOfTheHeadTemperature) {
  auto& carb = host.place("Carb_Temperature");
  auto reading = [&](double rankine, double added) {
    host.variables().set(415, rankine);
    host.variables().set(341, added);
    return state(carb, 1).value;
  };
  EXPECT_NEAR(reading(491.67, 15), 15, 1e-9);  // head at 0 C
  EXPECT_NEAR(reading(851.67, 15), 35, 1e-9);  // head at 200 C
  EXPECT_NEAR(reading(851.67, -20), 0, 1e-9);
  EXPECT_NEAR(reading(491.67 + 900, 0), 50, 1e-9);  // 500 C
}

TEST_F(EngineGauge, CarburettorNeedleRestsOnItsEndMarks) {
  auto& carb = host.place("Carb_Temperature");
  auto at = [&](double celsius) {
    host.variables().set(415, 491.67);  // head at 0 C adds nothing
    host.variables().set(341, celsius);
    return state(carb, 1).needle_bearing;
  };
  EXPECT_NEAR(at(-55), at(-50), 1e-6);
  EXPECT_NEAR(at(55), at(50), 1e-6);
  EXPECT_GT(at(50) - at(0), 30) << "the needle swings clockwise from 0 to +50";
  EXPECT_NEAR(at(0), 270, 1e-9) << "0 C points straight left from the pivot";
}

TEST_F(EngineGauge, NeedlesHoldOnSharedEndPoints) {
  auto& oil = host.place("Oil_Temp_Press");
  constexpr double kPsf = 144;
  // Elements: dial, fuel pressure (1), oil pressure (2), oil temperature (3).
  EXPECT_NEAR(bearing(oil, 2, 562, 250 * kPsf), bearing(oil, 2, 562, 200 * kPsf), 1e-9);
  EXPECT_NEAR(bearing(oil, 2, 562, -0.5 * kPsf), bearing(oil, 2, 562, 0), 1e-9);
  EXPECT_NEAR(bearing(oil, 1, 425, 28 * kPsf), bearing(oil, 1, 425, 25 * kPsf), 1e-9);
  // Fuel pressure falls as its needle turns clockwise.
  EXPECT_GT(bearing(oil, 1, 425, 0), bearing(oil, 1, 425, 10 * kPsf));

  auto& manifold = host.place("Manifold_Pressure");
  constexpr double kInHg = 70.7328;
  EXPECT_NEAR(bearing(manifold, 1, 391, 150 * kInHg), bearing(manifold, 1, 391, 100 * kInHg), 1e-9);
  EXPECT_NEAR(bearing(manifold, 1, 391, -0.5 * kInHg), bearing(manifold, 1, 391, 0), 1e-9);
  // From 50 to 100 inHg the needle sweeps more than half a turn clockwise.
  EXPECT_GT(bearing(manifold, 1, 391, 100 * kInHg) - bearing(manifold, 1, 391, 50 * kInHg), 180);
}

TEST_F(EngineGauge, ChtPointsAlongItsUpperArc) {
  auto& cht = host.place("CHT_Indicator");
  const double zero = bearing(cht, 1, 415, 491.67);
  const double two_hundred = bearing(cht, 1, 415, 851.67);
  const double top = bearing(cht, 1, 415, 1391.67);
  EXPECT_LT(zero, two_hundred);
  EXPECT_LT(two_hundred, top);
  EXPECT_NEAR(bearing(cht, 1, 415, 1391.67 + 200), top, 1e-9);
}

TEST_F(EngineGauge, AFailedEngineSystemFreezesTheDiscAndTheNeedleTogether) {
  auto& tach = host.place("Tachometer");
  host.variables().set(390, 2400);
  host.update();
  host.set_failure(2, true);
  host.variables().set(390, 1200);
  host.update();
  EXPECT_EQ(tach.elements().at(1).value, -2000);
  EXPECT_NEAR(tach.elements().at(2).needle_bearing, 2400 * 0.36, 1e-9);
  host.set_failure(2, false);
  host.update();
  EXPECT_EQ(tach.elements().at(1).value, -1000);
  EXPECT_NEAR(tach.elements().at(2).needle_bearing, 1200 * 0.36, 1e-9);
}

TEST_F(EngineGauge, OilGaugeTooltipsNameTheScaleUnderThePointer) {
  auto& oil = host.place("Oil_Temp_Press");
  EXPECT_EQ(oil.tooltip_at(200, 60), 43855u);   // the temperature scale across the top
  EXPECT_EQ(oil.tooltip_at(200, 200), 43820u);  // the fuel-pressure box
  EXPECT_EQ(oil.tooltip_at(40, 200), 0u);       // the outer parent has none
}

}  // namespace
}  // namespace tavrel
