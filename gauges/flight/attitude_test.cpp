// The attitude indicator on the stand-in host: the card's slide and turn,
// the bank pointer, the miniature aircraft and the knobs.
#include <gtest/gtest.h>

#include <limits>

#include "tests/flight/placed_gauge.h"

namespace tavrel {

namespace {

using flight_testing::on_dial;
using flight_testing::PlacedGauge;

constexpr uint32_t kPitch = 78, kBank = 80, kMiniatureAircraft = 612;
constexpr size_t kCard = 1, kBankPointer = 2, kAircraft = 3;

class Attitude : public PlacedGauge {
 protected:
  Attitude() : PlacedGauge("Attitude") {}
  // How far the card's centre moves down from its texture centre (125, 122).
  double card_shift(double pitch) { return after(kPitch, pitch, kCard).sprite_center_y - 122.0; }
};

TEST_F(Attitude, CardSlides1Point3PixelsADegreeUpTo40Degrees) {
  EXPECT_NEAR(card_shift(0.0), 0.0, 1e-9);
  EXPECT_NEAR(card_shift(10.0), 13.0, 1e-9);
  EXPECT_NEAR(card_shift(40.0), 52.0, 1e-9);
  EXPECT_NEAR(card_shift(60.0), 52.0, 1e-9);
  EXPECT_NEAR(card_shift(-40.0), -52.0, 1e-9);
  EXPECT_NEAR(card_shift(-90.0), -52.0, 1e-9);
  EXPECT_NEAR(card_shift(std::numeric_limits<double>::quiet_NaN()), -52.0, 1e-9);
  // No sideways movement.
  EXPECT_DOUBLE_EQ(state(kCard).sprite_center_x, 125.0);
}

TEST_F(Attitude, BankTurnsTheCardAgainstItAndThePointerWithIt) {
  host.variables().set(kBank, 0.0);
  const double level = on_dial(state(kBankPointer).needle_bearing);
  EXPECT_NEAR(level, 180.0, 1e-9);  // the mark, at the far end, stands at the top
  EXPECT_NEAR(after(kBank, 30.0, kCard).sprite_rotation, -30.0, 1e-9);
  // A third of the way from level toward the left-hand point (bearing 270).
  EXPECT_NEAR(state(kBankPointer).needle_bearing, 210.0, 1e-9);
  EXPECT_NEAR(after(kBank, -90.0, kBankPointer).needle_bearing, 90.0, 1e-9);
  // Bank is not limited.
  EXPECT_NEAR(after(kBank, 120.0, kCard).sprite_rotation, -120.0, 1e-9);
}

TEST_F(Attitude, MiniatureAircraftRisesAFifthOfAPixelAUnit) {
  EXPECT_EQ(after(kMiniatureAircraft, 50.0, kAircraft).slider_offset.y, -10);
  EXPECT_EQ(after(kMiniatureAircraft, -25.0, kAircraft).slider_offset.y, 5);
  EXPECT_EQ(state(kAircraft).slider_offset.x, 0);
}

TEST_F(Attitude, LowerKnobHalvesMoveTheAircraftWhileHeld) {
  auto raise = click(130, 250, 4);  // right half
  ASSERT_EQ(raise.size(), 5u);
  for (const auto& fired : raise) EXPECT_EQ(fired.event, 66318u);
  EXPECT_EQ(state(kAircraft).slider_offset.y, -5);  // 5 clicks of 1 pixel
  auto lower = click(115, 250, 1);                  // left half
  ASSERT_EQ(lower.size(), 2u);
  EXPECT_EQ(lower[0].event, 66319u);
  EXPECT_EQ(state(kAircraft).slider_offset.y, -3);
}

TEST_F(Attitude, LowerRightKnobFiresOnceAClick) {
  auto fired = click(230, 230, 5);
  ASSERT_EQ(fired.size(), 1u);
  EXPECT_EQ(fired[0].event, 66373u);
  EXPECT_TRUE(click(125, 125).empty());
  EXPECT_EQ(gauge.tooltip_at(125, 125), 43789u);
}

TEST_F(Attitude, GyroFailuresFreezeCardAndPointerButNotTheAircraft) {
  for (uint32_t system : {8u, 2u, 4u}) {
    host.variables().set(kBank, 10.0);
    host.update();
    host.set_failure(system, true);
    EXPECT_NEAR(after(kBank, 40.0, kCard).sprite_rotation, -10.0, 1e-9) << system;
    EXPECT_EQ(after(kMiniatureAircraft, 10.0, kAircraft).slider_offset.y, -2) << system;
    host.set_failure(system, false);
    host.variables().set(kMiniatureAircraft, 0.0);
  }
}

}  // namespace
}  // namespace tavrel
