// The turn coordinator and the vertical speed indicator on the stand-in
// host.
#include <gtest/gtest.h>

#include <cmath>

#include "module/needle_map.h"
#include "tests/flight/placed_gauge.h"

namespace tavrel {

namespace {

using flight_testing::on_dial;
using flight_testing::PlacedGauge;

constexpr uint32_t kBall = 69, kTurnRate = 70, kVerticalSpeed = 65;

class TurnCoordinator : public PlacedGauge {
 protected:
  TurnCoordinator() : PlacedGauge("Turn_Coordinator") {}
  static constexpr size_t kBallSlider = 1, kPointer = 3;
  PixPoint ball(double d) { return after(kBall, d, kBallSlider).slider_offset; }
  double pointer(double rate) { return on_dial(after(kTurnRate, rate, kPointer).needle_bearing); }
};

TEST_F(TurnCoordinator, BallRollsAlongAParabola) {
  EXPECT_EQ(ball(0).x, 0);
  EXPECT_EQ(ball(0).y, 0);
  // 32 pixels sideways and 1.25 up, drawn on whole pixels.
  EXPECT_EQ(ball(64).x, 32);
  EXPECT_EQ(ball(64).y, -1);
  EXPECT_EQ(ball(-64).x, -32);
  EXPECT_EQ(ball(-64).y, -1);
  EXPECT_EQ(ball(127).y, -5);  // 4.92 up at 63.5 from centre
}

TEST_F(TurnCoordinator, PointerTurnsWithTheRateAndStopsAt45Degrees) {
  EXPECT_NEAR(pointer(0), 0.0, 1e-9);
  EXPECT_NEAR(pointer(576), 22.5, 1e-9);
  EXPECT_NEAR(pointer(-576), -22.5, 1e-9);
  EXPECT_NEAR(pointer(1152), 45.0, 1e-9);
  EXPECT_NEAR(pointer(2000), 45.0, 1e-9);
  EXPECT_NEAR(pointer(-100000), -45.0, 1e-9);
}

TEST_F(TurnCoordinator, TwoBandsTwoTooltipsNoClicks) {
  EXPECT_EQ(gauge.tooltip_at(100, 0), 43889u);
  EXPECT_EQ(gauge.tooltip_at(5, 89), 43889u);
  EXPECT_EQ(gauge.tooltip_at(5, 90), 43873u);
  EXPECT_EQ(gauge.tooltip_at(199, 134), 43873u);
  EXPECT_EQ(gauge.tooltip_at(100, 135), 0u);
  EXPECT_EQ(gauge.tooltip_at(100, 199), 0u);
  EXPECT_TRUE(click(100, 50).empty());
  EXPECT_TRUE(click(100, 110).empty());
}

TEST_F(TurnCoordinator, TurnFailuresFreezeThePointerNotTheBall) {
  host.variables().set(kTurnRate, 300);
  const double before = pointer(300);
  host.set_failure(18, true);
  EXPECT_NEAR(pointer(900), before, 1e-9);
  EXPECT_EQ(ball(40).x, 20);
}

class VerticalSpeed : public PlacedGauge {
 protected:
  VerticalSpeed() : PlacedGauge("Vertical_Speed") {}
  double needle(double v) { return on_dial(after(kVerticalSpeed, v, 1).needle_bearing); }
  static double toward(int x, int y) { return on_dial(bearing_of({141, 141}, {x, y})); }
};

TEST_F(VerticalSpeed, ZeroAtNineOClockThousandStraightUpAndDown) {
  EXPECT_NEAR(needle(0), toward(20, 142), 1e-9);
  EXPECT_NEAR(needle(1300.4799583846413), 0.0, 1e-9);
  EXPECT_NEAR(std::fabs(needle(-1300.4799583846413)), 180.0, 1e-9);
}

TEST_F(VerticalSpeed, NeedleHoldsAtTheStopsBeyond2000FeetAMinute) {
  const double climb_stop = toward(262, 121);
  EXPECT_NEAR(needle(2600.9599167692827), climb_stop, 1e-9);
  EXPECT_NEAR(needle(5000), climb_stop, 1e-9);
  const double descent_stop = toward(263, 163);
  EXPECT_NEAR(needle(-2600.9599167692827), descent_stop, 1e-9);
  EXPECT_NEAR(needle(-5000), descent_stop, 1e-9);
  // The two stops are apart, either side of 3 o'clock.
  EXPECT_LT(climb_stop, 90.0);
  EXPECT_GT(descent_stop, 90.0);
}

TEST_F(VerticalSpeed, TableHoldsTheScaleMarksToTheLastBit) {
  const auto* table = element_as<NeedleElement>(gauge.elements().at(1).element);
  ASSERT_NE(table, nullptr);
  ASSERT_EQ(table->nonlinearity_count, 7);
  const double marks[7] = {-3901.4398751539243, -2600.9599167692827, -1300.4799583846413, 0.0,
                           1300.4799583846413,  2600.9599167692827,  3901.4398751539243};
  for (int i = 0; i < 7; ++i)
    EXPECT_EQ(table->nonlinearity[i].value, marks[i]) << "entry " << i + 1;
}

TEST_F(VerticalSpeed, TooltipAndNoClicks) {
  EXPECT_EQ(gauge.tooltip_at(141, 141), 43894u);
  EXPECT_TRUE(click(141, 141).empty());
}

}  // namespace
}  // namespace tavrel
