// The heading instruments on the stand-in host: the directional gyro's card,
// marker and knobs, the gyro compass and magnetic compass tapes.
#include <gtest/gtest.h>

#include "tests/flight/placed_gauge.h"

namespace tavrel {
namespace {

using flight_testing::on_dial;
using flight_testing::PlacedGauge;

constexpr uint32_t kMagnetic = 83, kGyroHeading = 84, kGyroSetting = 85, kMarker = 855;

class DirectionalGyro : public PlacedGauge {
 protected:
  DirectionalGyro() : PlacedGauge("Directionnal_Gyro") {}
  static constexpr size_t kCard = 1, kMarkerNeedle = 2, kGyroKnob = 4, kMarkerKnob = 5;
  double marker(double heading, double setting) {
    host.variables().set(kGyroHeading, heading);
    return after(kMarker, setting, kMarkerNeedle).needle_bearing;
  }
};

TEST_F(DirectionalGyro, CardTurnsAnticlockwiseByTheHeading) {
  EXPECT_NEAR(after(kGyroHeading, 90.0, kCard).sprite_rotation, 90.0, 1e-9);
  EXPECT_DOUBLE_EQ(state(kCard).sprite_center_x, 143.0);
  EXPECT_DOUBLE_EQ(state(kCard).sprite_center_y, 145.0);
}

TEST_F(DirectionalGyro, MarkerStaysOnItsCardMarkWhateverTheHeading) {
  EXPECT_NEAR(marker(90, 90), 0.0, 1e-9);
  EXPECT_NEAR(marker(350, 10), -340.0, 1e-9);
  EXPECT_NEAR(on_dial(marker(350, 10)), 20.0, 1e-9);  // 20 degrees right of the top
  EXPECT_NEAR(marker(10, 350), 340.0, 1e-9);
  EXPECT_NEAR(on_dial(marker(10, 350)), -20.0, 1e-9);
  EXPECT_NEAR(marker(95, 100), 5.0, 1e-9);
}

TEST_F(DirectionalGyro, KnobsTurnHalfATurnWhereTheirTablesSay) {
  EXPECT_NEAR(after(kGyroSetting, 0.0, kGyroKnob).needle_bearing, 0.0, 1e-9);
  EXPECT_NEAR(after(kGyroSetting, 10922.666666666666, kGyroKnob).needle_bearing, 180.0, 1e-9);
  EXPECT_NEAR(after(kGyroSetting, 65536.0 / 3, kGyroKnob).needle_bearing, 360.0, 1e-9);
  EXPECT_NEAR(after(kMarker, 30.0, kMarkerKnob).needle_bearing, 180.0, 1e-9);
  EXPECT_NEAR(after(kMarker, 90.0, kMarkerKnob).needle_bearing, 540.0, 1e-9);
}

TEST_F(DirectionalGyro, KnobHalvesFireTheirPairsAndRepeatWhileHeld) {
  struct Spot {
    int x, y;
    uint32_t event;
  };
  // Left knob (8, 246, 48, 48), right knob (230, 246, 48, 48).
  for (Spot spot : {Spot{10, 270, 65878}, Spot{31, 250, 65878}, Spot{32, 250, 65877},
                    Spot{55, 293, 65877}, Spot{231, 270, 65880}, Spot{253, 250, 65880},
                    Spot{254, 250, 65879}, Spot{277, 293, 65879}}) {
    auto fired = click(spot.x, spot.y, 2);
    ASSERT_EQ(fired.size(), 3u) << spot.x << "," << spot.y;
    for (const auto& f : fired) EXPECT_EQ(f.event, spot.event) << spot.x << "," << spot.y;
  }
  EXPECT_TRUE(click(143, 145).empty());
  EXPECT_EQ(gauge.tooltip_at(143, 145), 43828u);
  EXPECT_EQ(gauge.tooltip_at(20, 270), 43829u);
  EXPECT_EQ(gauge.tooltip_at(250, 270), 43827u);
}

TEST_F(DirectionalGyro, SettingTheGyroTurnsTheCardAndTheKnob) {
  host.variables().set(kGyroHeading, 95.0);
  host.variables().set(kMarker, 100.0);
  click(40, 270, 4);  // right half of the set-gyro knob, 5 clicks
  host.update();
  EXPECT_NEAR(host.variables().number(kGyroHeading), 100.0, 1e-9);
  EXPECT_NEAR(host.variables().number(kGyroSetting), 5 * 65536.0 / 360.0, 1e-6);
  EXPECT_NEAR(gauge.elements().at(kCard).sprite_rotation, 100.0, 1e-9);
  // The knob turns three degrees a click, the marker stays on its mark.
  EXPECT_NEAR(gauge.elements().at(kGyroKnob).needle_bearing, 15.0, 1e-6);
  EXPECT_NEAR(gauge.elements().at(kMarkerNeedle).needle_bearing, 0.0, 1e-9);
  click(20, 270, 9);  // left half: back 10, across north
  host.update();
  EXPECT_NEAR(host.variables().number(kGyroHeading), 90.0, 1e-9);
  host.variables().set(kGyroHeading, 1.0);
  click(20, 270, 2);
  EXPECT_NEAR(host.variables().number(kGyroHeading), 358.0, 1e-9);
  EXPECT_GE(host.variables().number(kGyroSetting), 0.0);
  EXPECT_LT(host.variables().number(kGyroSetting), 65536.0);
}

TEST_F(DirectionalGyro, MarkerKnobMovesTheMarkerADegreeAClick) {
  host.variables().set(kGyroHeading, 0.0);
  host.variables().set(kMarker, 359.0);
  click(260, 270, 1);  // right half, two clicks
  EXPECT_NEAR(state(kMarkerNeedle).needle_bearing, 1.0, 1e-9);
  click(240, 270);
  EXPECT_NEAR(state(kMarkerNeedle).needle_bearing, 0.0, 1e-9);
}

TEST_F(DirectionalGyro, GyroFailuresFreezeCardAndMarker) {
  for (uint32_t system : {20u, 11u}) {
    host.variables().set(kGyroHeading, 30.0);
    host.update();
    host.set_failure(system, true);
    EXPECT_NEAR(after(kGyroHeading, 60.0, kCard).sprite_rotation, 30.0, 1e-9) << system;
    host.set_failure(system, false);
  }
}

class GyroCompass : public PlacedGauge {
 protected:
  GyroCompass() : PlacedGauge("Gyro_Compass") {}
};

TEST_F(GyroCompass, TapeRunsFrom360To0) {
  EXPECT_NEAR(after(kGyroHeading, 360.0, 1).moving_fraction_x, 0.0, 1e-12);
  EXPECT_NEAR(after(kGyroHeading, 0.0, 1).moving_fraction_x, 1.0, 1e-12);
  EXPECT_NEAR(after(kGyroHeading, 90.0, 1).moving_fraction_x, 0.75, 1e-12);
  EXPECT_DOUBLE_EQ(state(1).moving_fraction_y, 0.0);
}

TEST_F(GyroCompass, KnobHalvesSetTheGyroAsTheDirectionalGyrosDo) {
  auto left = click(41, 140, 1);
  ASSERT_EQ(left.size(), 2u);
  EXPECT_EQ(left[0].event, 65878u);
  auto right = click(75, 140);
  ASSERT_EQ(right.size(), 1u);
  EXPECT_EQ(right[0].event, 65877u);
  EXPECT_EQ(gauge.tooltip_at(60, 145), 43829u);
  EXPECT_EQ(gauge.tooltip_at(60, 40), 43828u);
  EXPECT_NEAR(after(kGyroSetting, 10922.666666666666, 2).needle_bearing, 180.0, 1e-9);
}

class MagneticCompass : public PlacedGauge {
 protected:
  MagneticCompass() : PlacedGauge("Magnetic_Compass") {}
};

TEST_F(MagneticCompass, TapeFollowsTheMagneticHeadingOnly) {
  host.variables().set(kGyroHeading, 200.0);
  EXPECT_NEAR(after(kMagnetic, 180.0, 1).moving_fraction_x, 0.5, 1e-12);
  EXPECT_EQ(gauge.tooltip_at(55, 55), 43895u);
  EXPECT_TRUE(click(55, 55).empty());
  host.set_failure(12, true);
  EXPECT_NEAR(after(kMagnetic, 0.0, 1).moving_fraction_x, 0.5, 1e-12);
}

}  // namespace
}  // namespace tavrel
