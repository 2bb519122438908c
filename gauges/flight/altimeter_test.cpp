// The altimeter on the stand-in host: the three hands, the two setting
// cards, and the knob that steps one setting shown in both units.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tests/flight/placed_gauge.h"

namespace tavrel {
namespace {

using flight_testing::on_dial;
using flight_testing::PlacedGauge;

constexpr uint32_t kAltitude = 74;
constexpr uint32_t kHpa = 75;
constexpr uint32_t kInHg = 76;
constexpr size_t kInchesCard = 1, kHpaCard = 2, kTenThousands = 3, kThousands = 4, kHundreds = 5,
                 kKnob = 7;

class Altimeter : public PlacedGauge {
 protected:
  Altimeter() : PlacedGauge("Altimeter") {}
  double hpa_card(double hpa) { return after(kHpa, hpa, kHpaCard).sprite_rotation; }
  double inches_card(double inhg) { return after(kInHg, inhg, kInchesCard).sprite_rotation; }
  double hand(size_t element) { return on_dial(state(element).needle_bearing); }
};

TEST_F(Altimeter, HectopascalCardTurnsTwoDegreesAHectopascalAndStopsAtItsRange) {
  EXPECT_NEAR(hpa_card(1013.25), 26.5, 1e-9);
  EXPECT_NEAR(hpa_card(1000.0), 0.0, 1e-9);  // the reference stands in the window
  EXPECT_NEAR(hpa_card(940.0), -100.0, 1e-9);
  EXPECT_NEAR(hpa_card(950.0), -100.0, 1e-9);
  EXPECT_NEAR(hpa_card(1085.0), 170.0, 1e-9);
  EXPECT_NEAR(hpa_card(1100.0), 170.0, 1e-9);
  // The card turns about its own centre, left of the dial centre.
  EXPECT_DOUBLE_EQ(state(kHpaCard).sprite_center_x, 159.0);
  EXPECT_DOUBLE_EQ(state(kHpaCard).sprite_center_y, 140.0);
}

TEST_F(Altimeter, InchesCardTurns120DegreesAnInchAllRound) {
  EXPECT_NEAR(inches_card(29.92), 38.4, 1e-9);
  EXPECT_NEAR(inches_card(29.6), 0.0, 1e-9);
  EXPECT_NEAR(inches_card(28.0), -180.0, 1e-9);
  EXPECT_NEAR(inches_card(28.1), -180.0, 1e-9);
  EXPECT_NEAR(inches_card(31.1), 180.0, 1e-9);
  EXPECT_NEAR(inches_card(32.0), 180.0, 1e-9);
  EXPECT_DOUBLE_EQ(state(kInchesCard).sprite_center_x, 125.0);
}

TEST_F(Altimeter, SettingAtARangeEndGivesThatEndsOffsetExactly) {
  EXPECT_EQ(hpa_card(950.0), -100.0);
  EXPECT_EQ(hpa_card(1085.0), 170.0);
  EXPECT_EQ(inches_card(28.1), -180.0);
  EXPECT_EQ(inches_card(31.1), 180.0);
}

TEST_F(Altimeter, SettingThatIsNotANumberStopsTheCardsAtTheirLowEnd) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_NEAR(hpa_card(nan), -100.0, 1e-9);
  EXPECT_NEAR(inches_card(nan), -180.0, 1e-9);
}

TEST_F(Altimeter, ThreeHandsAt1250Feet) {
  host.variables().set(kAltitude, 1250.0);
  EXPECT_NEAR(hand(kHundreds), 90.0, 1e-9);  // a quarter turn past the top
  EXPECT_NEAR(hand(kThousands), 45.0, 1e-9);
  EXPECT_NEAR(hand(kTenThousands), 4.5, 1e-9);
  // The hands turn on without limit: 10,500 ft is once round and half again.
  host.variables().set(kAltitude, 10500.0);
  EXPECT_NEAR(state(kHundreds).needle_bearing, 10500.0 / 1000.0 * 360.0, 1e-6);
  EXPECT_NEAR(hand(kThousands), 18.0, 1e-9);
}

TEST_F(Altimeter, StaticOrAltimeterFailureFreezesTheHandsButNotTheCards) {
  host.variables().set(kAltitude, 2000.0);
  const double before = hand(kThousands);
  host.set_failure(7, true);
  host.variables().set(kAltitude, 3000.0);
  EXPECT_NEAR(hand(kThousands), before, 1e-9);
  EXPECT_NEAR(hpa_card(1013.25), 26.5, 1e-9);
}

TEST_F(Altimeter, KnobHalvesFireTheirEventsAndRepeatWhileHeld) {
  // Knob box (8, 220, 50, 50): left half 8..32, right half 33..57.
  auto left = click(10, 240);
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(left[0].event, 65884u);
  auto right = click(50, 260);
  ASSERT_EQ(right.size(), 1u);
  EXPECT_EQ(right[0].event, 65883u);
  EXPECT_EQ(click(32, 230, 4).size(), 5u);
  EXPECT_EQ(click(33, 230, 2)[0].event, 65883u);
  EXPECT_TRUE(click(60, 240).empty());  // beside the knob
  EXPECT_TRUE(click(141, 140).empty());
  EXPECT_EQ(gauge.tooltip_at(30, 250), 43834u);
  EXPECT_EQ(gauge.tooltip_at(141, 140), 43783u);
}

TEST_F(Altimeter, FirstClickWithNoSettingStartsFromStandardPressure) {
  click(50, 240);  // right half: up a hectopascal
  host.update();
  EXPECT_NEAR(host.variables().number(kHpa), 1014.25, 1e-9);
  EXPECT_NEAR(host.variables().number(kInHg), 1014.25 / 33.8638866667, 1e-9);
  // Both cards follow the one setting.
  EXPECT_NEAR(gauge.elements().at(kHpaCard).sprite_rotation, 28.5, 1e-9);
  EXPECT_NEAR(gauge.elements().at(kInchesCard).sprite_rotation,
              (1014.25 / 33.8638866667 - 29.6) * 120.0, 1e-9);
}

TEST_F(Altimeter, SettingThatIsNotANumberIsNoStartForTheKnob) {
  host.variables().set(kHpa, std::numeric_limits<double>::quiet_NaN());
  click(50, 240);
  EXPECT_NEAR(host.variables().number(kHpa), 1014.25, 1e-9);
  EXPECT_NEAR(host.variables().number(kInHg), 1014.25 / 33.8638866667, 1e-9);
}

TEST_F(Altimeter, InchesAloneAreTheSettingTheKnobStartsFrom) {
  host.variables().set(kInHg, 30.12);
  click(10, 240);  // left half: down a hectopascal
  EXPECT_NEAR(host.variables().number(kHpa), 30.12 * 33.8638866667 - 1.0, 1e-9);
  EXPECT_NEAR(host.variables().number(kInHg), 30.12 - 1.0 / 33.8638866667, 1e-9);
}

TEST_F(Altimeter, KnobKeepsBothUnitsTogetherAndStopsAtTheCardEnds) {
  host.variables().set(kHpa, 1083.0);
  click(50, 240, 10);
  EXPECT_DOUBLE_EQ(host.variables().number(kHpa), 1085.0);
  EXPECT_NEAR(host.variables().number(kInHg), 1085.0 / 33.8638866667, 1e-12);
  EXPECT_NEAR(state(kHpaCard).sprite_rotation, 170.0, 1e-9);
  click(10, 240, 200);
  EXPECT_DOUBLE_EQ(host.variables().number(kHpa), 950.0);
  EXPECT_NEAR(host.variables().number(kInHg), 950.0 / 33.8638866667, 1e-12);
  EXPECT_NEAR(state(kHpaCard).sprite_rotation, -100.0, 1e-9);
  // 950 hPa is 28.05 inHg, below the inches card's range: it stops there.
  EXPECT_NEAR(state(kInchesCard).sprite_rotation, -180.0, 1e-9);
}

TEST_F(Altimeter, KnobTurnsHalfATurnFrom1013To1070) {
  const double at_1013 = after(kHpa, 1013.0, kKnob).needle_bearing;
  EXPECT_NEAR(on_dial(at_1013), 90.0, 1e-9);  // its table's first point lies right of it
  EXPECT_NEAR(after(kHpa, 1070.0, kKnob).needle_bearing - at_1013, 180.0, 1e-9);
  EXPECT_NEAR(after(kHpa, 1127.0, kKnob).needle_bearing - at_1013, 360.0, 1e-9);
}

}  // namespace
}  // namespace tavrel
