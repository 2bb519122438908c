// The fuel, electrical, vacuum and stall-warning instruments on the
// stand-in host; the low-fuel lamp also called directly, with the host's
// lookup service counted.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "host/host.h"

namespace tavrel {
namespace {

constexpr uint32_t kFront = 291, kRear = 297, kCenter = 289, kSelector = 307, kClock = 604;
constexpr double kFull = 8388608;

// Records every token the module looks up, then lets the host answer.
std::vector<uint32_t> g_lookups;
LookupVarService g_host_lookup = nullptr;
void TAVREL_STDCALL counting_lookup(ModuleVar* var) {
  g_lookups.push_back(var->id);
  g_host_lookup(var);
}

class SystemsGauge : public ::testing::Test {
 protected:
  void SetUp() override {
    void** table = host.services_table();
    g_host_lookup = reinterpret_cast<LookupVarService>(table[kServiceLookupVar]);
    table[kServiceLookupVar] = reinterpret_cast<void*>(&counting_lookup);
    g_lookups.clear();
  }
  void TearDown() override {
    host.services_table()[kServiceLookupVar] = reinterpret_cast<void*>(g_host_lookup);
  }

  host::Host host{host::bind_module("", nullptr)};

  double bearing(host::GaugeInstance& gauge, size_t index, uint32_t token, double value) {
    host.variables().set(token, value);
    host.update();
    return gauge.elements().at(index).needle_bearing;
  }
  int icon(host::GaugeInstance& gauge) {
    host.update();
    return gauge.elements().at(1).icon_index;
  }
};

class LowFuelLamp : public SystemsGauge {
 protected:
  host::GaugeInstance& lamp = host.place("Low_Fuel_Lamp");

  void tanks(double front, double rear, double center, int selector) {
    host.variables().set(kFront, front);
    host.variables().set(kRear, rear);
    host.variables().set(kCenter, center);
    host.variables().set(kSelector, selector);
  }
  // The lamp's callback called as the host calls it, after the host has
  // read the selector into the icon's variable.
  double call() {
    auto* icon = element_as<IconElement>(lamp.elements().at(1).element);
    host.variables().fill(icon->source_var);
    g_lookups.clear();
    return icon->callback(&icon->header);
  }
};

TEST_F(LowFuelLamp, SelectorOffBurnsSteadilyWhateverTheLevels) {
  tanks(kFull, kFull, kFull, 0);
  for (double clock : {10.0, 10.1, 10.2, 10.3, 10.4}) {
    host.variables().set(kClock, clock);
    EXPECT_EQ(icon(lamp), 0) << clock;
  }
  EXPECT_EQ(call(), 0);
  EXPECT_EQ(g_lookups, (std::vector<uint32_t>{kFront, kRear, kCenter}));
}

TEST_F(LowFuelLamp, BlinksBelowFivePercentOfTheSelectedTank) {
  host.variables().set(kClock, 10.30);
  tanks(419429, kFull, kFull, 2);
  EXPECT_EQ(icon(lamp), 0);
  tanks(419430, kFull, kFull, 2);
  EXPECT_EQ(icon(lamp), -1) << "exactly 419430 is not low";
  tanks(kFull, 100, kFull, 3);
  EXPECT_EQ(icon(lamp), 0);
  tanks(kFull, kFull, 100, 6);
  EXPECT_EQ(icon(lamp), 0);
}

TEST_F(LowFuelLamp, OnlyTheSelectedTankCounts) {
  host.variables().set(kClock, 10.30);
  tanks(0, kFull, 0, 3);  // feeding from the full rear tank
  EXPECT_EQ(icon(lamp), -1);
  for (int selector : {1, 4, 5, 7, -1}) {
    tanks(0, 0, 0, selector);
    EXPECT_EQ(icon(lamp), -1) << "selector " << selector;
  }
}

TEST_F(LowFuelLamp, BlinkPhaseDarkInTheFirstHalfOfEachPeriod) {
  tanks(0, kFull, kFull, 2);
  auto at = [&](double clock) {
    host.variables().set(kClock, clock);
    return icon(lamp);
  };
  EXPECT_EQ(at(10.30), 0);
  EXPECT_EQ(at(10.20), -1);
  EXPECT_EQ(at(10.25), -1);
  EXPECT_EQ(at(10.49), 0);
  EXPECT_EQ(at(10.50), -1);
}

TEST_F(LowFuelLamp, ReadsTheThreeLevelsAlwaysAndTheClockOnlyWhileBlinking) {
  const std::vector<uint32_t> levels{kFront, kRear, kCenter};
  const std::vector<uint32_t> blinking{kFront, kRear, kCenter, kClock};
  host.variables().set(kClock, 3.3);
  tanks(kFull, kFull, kFull, 2);
  EXPECT_EQ(call(), -1);
  EXPECT_EQ(g_lookups, levels);
  tanks(0, kFull, kFull, 2);
  EXPECT_EQ(call(), 0);
  EXPECT_EQ(g_lookups, blinking);
  tanks(0, 0, 0, 4);
  EXPECT_EQ(call(), -1);
  EXPECT_EQ(g_lookups, levels);
  // Through the host: one update reads the same, in the same order.
  tanks(0, kFull, kFull, 2);
  g_lookups.clear();
  host.update();
  EXPECT_EQ(g_lookups, blinking);
}

TEST_F(SystemsGauge, StallLampLightsForAnyWarningAboveZero) {
  auto& lamp = host.place("Stall_Warning_Light");
  struct Case {
    double warning;
    int icon;
  };
  for (Case c : std::vector<Case>{{1.0, 0},
                                  {0.0001, 0},
                                  {0.0, -1},
                                  {-0.0, -1},
                                  {-0.5, -1},
                                  {std::numeric_limits<double>::quiet_NaN(), -1}}) {
    host.variables().set(67, c.warning);
    EXPECT_EQ(icon(lamp), c.icon) << c.warning;
  }
  EXPECT_TRUE(g_lookups.empty()) << "the lamp reads only its own variable";
}

TEST_F(SystemsGauge, AmmeterHoldsOnItsEndMarks) {
  auto& ammeter = host.place("Ammeter");
  EXPECT_NEAR(bearing(ammeter, 1, 751, 38), bearing(ammeter, 1, 751, 35), 1e-9);
  EXPECT_NEAR(bearing(ammeter, 1, 751, -38), bearing(ammeter, 1, 751, -35), 1e-9);
  EXPECT_NEAR(std::fmod(bearing(ammeter, 1, 751, 0), 360), 0, 1e-9) << "0 A points straight up";
  EXPECT_LT(bearing(ammeter, 1, 751, -35), bearing(ammeter, 1, 751, 35));
}

TEST_F(SystemsGauge, VoltmeterAtTenVoltsStandsHalfwayToTwenty) {
  auto& voltmeter = host.place("Voltmeter");
  const double zero = bearing(voltmeter, 1, 753, 0);
  const double twenty = bearing(voltmeter, 1, 753, 20);
  EXPECT_NEAR(bearing(voltmeter, 1, 753, 10), (zero + twenty) / 2, 1e-9);
  EXPECT_GT(twenty, zero);
  EXPECT_NEAR(bearing(voltmeter, 1, 753, 35), bearing(voltmeter, 1, 753, 30), 1e-9);
  EXPECT_NEAR(bearing(voltmeter, 1, 753, -0.5), zero, 1e-9);
}

TEST_F(SystemsGauge, SuctionBelowZeroDropsUnderTheZeroMark) {
  auto& suction = host.place("Suction_Indicator");
  const double zero = bearing(suction, 1, 353, 0);
  const double minus_one = bearing(suction, 1, 353, -1);
  EXPECT_NEAR(zero - minus_one, 16, 0.5) << "-1 lies 16 degrees counterclockwise of 0";
  EXPECT_NEAR(bearing(suction, 1, 353, -0.5), (zero + minus_one) / 2, 1e-9);
  EXPECT_NEAR(bearing(suction, 1, 353, 10.5), bearing(suction, 1, 353, 10), 1e-9);
  EXPECT_NEAR(std::fmod(bearing(suction, 1, 353, 5), 360), 0, 1e-9) << "5 straight up";
}

TEST_F(SystemsGauge, FuelNeedlesEachFollowTheirOwnTank) {
  auto& fuel = host.place("Fuel_Quantity");
  // Elements: face, center (1), rear (2), front (3).
  host.variables().set(kCenter, kFull);
  host.variables().set(kRear, 0);
  host.variables().set(kFront, -1);
  host.update();
  const double center_full = fuel.elements().at(1).needle_bearing;
  const double rear_empty = fuel.elements().at(2).needle_bearing;
  const double front_below = fuel.elements().at(3).needle_bearing;
  EXPECT_NEAR(bearing(fuel, 3, kFront, 0), front_below, 1e-9) << "-1 rests on the empty mark";
  EXPECT_NEAR(bearing(fuel, 3, kFront, kFull), center_full, 1e-9)
      << "front and center dials are alike, 120 pixels apart";
  EXPECT_LT(rear_empty, bearing(fuel, 2, kRear, kFull / 2));
  EXPECT_LT(bearing(fuel, 2, kRear, kFull / 2), bearing(fuel, 2, kRear, kFull));
  EXPECT_NEAR(fuel.elements().at(1).needle_bearing, center_full, 1e-9) << "untouched";
}

}  // namespace
}  // namespace tavrel
