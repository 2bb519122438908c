// The flight and fuel controls on the stand-in host: lever drags, flaps,
// gear and the two fuel selectors.
#include <gtest/gtest.h>

#include <cmath>

#include "host/host.h"

namespace tavrel {
namespace {

class Controls : public ::testing::Test {
 protected:
  host::Host host{host::bind_module("", nullptr)};

  const host::ElementState& state(host::GaugeInstance& gauge, size_t element) {
    host.update();
    return gauge.elements().at(element);
  }
  uint32_t last_value() { return host.fired().back().value; }
};

// Thrust_Controls elements: 0 backdrop, 1 red, 2 yellow, 3 black lever.
// Lever boxes in the gauge: black 80x230 at (43, 50), yellow 80x225 at
// (167, 47), red 76x221 at (259, 32).
struct Lever {
  uint32_t event;
  PixPoint box;
  int32_t height;
};
constexpr Lever kBlack{65697, {43, 50}, 230};
constexpr Lever kYellow{65767, {167, 47}, 225};
constexpr Lever kRed{65773, {259, 32}, 221};

class ThrustControls : public Controls {
 protected:
  host::GaugeInstance& quadrant = host.place("Thrust_Controls");

  uint32_t press(const Lever& lever, int32_t y) {
    host::ClickResult result = quadrant.click(lever.box.x + 10, lever.box.y + y);
    EXPECT_NE(result.child, nullptr) << lever.event << " y " << y;
    EXPECT_EQ(host.fired().back().event, lever.event);
    return last_value();
  }
  uint32_t drag(const Lever& lever, int32_t to_y) {
    quadrant.click(lever.box.x + 10, lever.box.y + 100,
                   {.drag_to = PixPoint{lever.box.x + 10, lever.box.y + to_y}});
    EXPECT_EQ(host.fired().back().event, lever.event);
    return last_value();
  }
};

TEST_F(ThrustControls, TopRowIsFullForwardOnEveryLever) {
  for (const Lever& lever : {kBlack, kYellow, kRed}) EXPECT_EQ(press(lever, 0), 16384u);
}

TEST_F(ThrustControls, EachLeverMeasuresAgainstItsOwnBox) {
  EXPECT_EQ(press(kBlack, 115), 8192u);
  EXPECT_EQ(press(kBlack, 1), 16312u);
  EXPECT_EQ(press(kYellow, 112), 8228u);
  EXPECT_EQ(press(kRed, 110), 8229u);
  // The bottom row of every box is one row above 0: the mixture too can be
  // pulled right back.
  EXPECT_EQ(press(kBlack, 229), 71u);
  EXPECT_EQ(press(kYellow, 224), 72u);
  EXPECT_EQ(press(kRed, 220), 74u);
}

TEST_F(ThrustControls, DragsPastTheBoxHoldTheLeverAtItsEnds) {
  for (const Lever& lever : {kBlack, kYellow, kRed}) {
    EXPECT_EQ(drag(lever, -40), 16384u);
    EXPECT_EQ(drag(lever, lever.height), 0u);
    EXPECT_EQ(drag(lever, lever.height + 500), 0u);
    EXPECT_EQ(drag(lever, -2000000000), 16384u);
  }
}

TEST_F(ThrustControls, DragMovesTheLeverOnTheNextUpdate) {
  drag(kRed, kRed.height + 10);
  EXPECT_EQ(host.variables().number(560), 0.0);
  press(kBlack, 0);
  EXPECT_EQ(host.variables().number(558), 1.0);
  // At 1.0 the black lever stands 25 left and 110 above its place.
  EXPECT_EQ(state(quadrant, 3).slider_offset.x, -25);
  EXPECT_EQ(quadrant.elements()[3].slider_offset.y, -110);
  EXPECT_EQ(quadrant.elements()[1].slider_offset.x, 0);
}

TEST_F(ThrustControls, ADestroyedRecordedInstanceDoesNotMisleadTheDrag) {
  host::GaugeInstance& second = host.place("Thrust_Controls");
  host.remove(second);  // its service 12 records it last
  EXPECT_EQ(press(kYellow, 112), 8228u);
}

TEST_F(ThrustControls, OutsideTheLeverBoxesNothingFires) {
  EXPECT_EQ(quadrant.click(140, 150).child, nullptr);
  EXPECT_EQ(quadrant.click(10, 10).child, nullptr);
  EXPECT_TRUE(host.fired().empty());
  EXPECT_EQ(quadrant.tooltip_at(60, 100), 43884u);
  EXPECT_EQ(quadrant.tooltip_at(200, 100), 43882u);
  EXPECT_EQ(quadrant.tooltip_at(300, 100), 43883u);
}

TEST_F(Controls, FlapPointerAndClickColumns) {
  host::GaugeInstance& flaps = host.place("Flaps");
  host.variables().set(329, 0);
  EXPECT_EQ(state(flaps, 1).slider_offset.x, 0);  // x 120, CLIMB/CRUISE
  host.variables().set(329, 16383);
  EXPECT_EQ(state(flaps, 1).slider_offset.x, -96);  // x 24, FULL FLAP
  EXPECT_EQ(flaps.elements()[1].slider_offset.y, 0);

  EXPECT_EQ(flaps.click(60, 45).child, nullptr);
  EXPECT_EQ(flaps.click(107, 45).child, nullptr);
  EXPECT_EQ(flaps.click(50, 45).child, nullptr);
  EXPECT_TRUE(host.fired().empty());
  flaps.click(108, 45);
  EXPECT_EQ(host.fired().back().event, 65759u);  // up
  EXPECT_EQ(host.variables().number(329), 16383.0 * 2 / 3);
  flaps.click(49, 45);
  EXPECT_EQ(host.fired().back().event, 65758u);  // down
  EXPECT_EQ(host.variables().number(329), 16383.0);
}

TEST_F(Controls, GearLeverShowsDownOnlyAtTheEndOfTravel) {
  host::GaugeInstance& gear = host.place("Landing_Gear");
  for (auto [value, icon] : {std::pair{0.0, 0},
                             {16382.9, 0},
                             {16383.0, 1},
                             {16384.0, 1},
                             {NAN, 0},
                             {-INFINITY, 0},
                             {INFINITY, 1}}) {
    host.variables().set(331, value);
    EXPECT_EQ(state(gear, 1).icon_index, icon) << value;
  }
}

TEST_F(Controls, GearSlotHalvesMoveTheLever) {
  host::GaugeInstance& gear = host.place("Landing_Gear");
  for (auto [x, y] : {std::pair{4, 50}, {25, 50}, {10, 9}, {40, 95}}) {
    EXPECT_EQ(gear.click(x, y).child, nullptr) << x << "," << y;
  }
  EXPECT_TRUE(host.fired().empty());
  for (auto [y, event] : {std::pair{55, 66080u}, {99, 66080u}, {10, 66079u}, {54, 66079u}}) {
    gear.click(15, y);
    EXPECT_EQ(host.fired().back().event, event) << y;
  }
  gear.click(5, 99);
  EXPECT_EQ(state(gear, 1).icon_index, 1);
  gear.click(24, 10);
  EXPECT_EQ(state(gear, 1).icon_index, 0);
  EXPECT_EQ(gear.tooltip_at(10, 50), 43824u);
  EXPECT_EQ(gear.tooltip_at(40, 5), 0u);
}

class Selectors : public Controls {
 protected:
  void select(uint32_t value) {
    host.variables().set_integer(307, static_cast<int32_t>(value));
    host.clear_fired();
  }
};

TEST_F(Selectors, ShownPositionsPickTheirHandleAndFireNothing) {
  for (const char* name : {"Fuel_Selector", "Tank_Selector"}) {
    host::GaugeInstance& gauge = host.place(name);
    for (auto [value, icon] : {std::pair{0u, 3}, {2u, 0}, {3u, 1}, {6u, 2}}) {
      select(value);
      EXPECT_EQ(state(gauge, 1).icon_index, icon) << name << " " << value;
      EXPECT_TRUE(host.fired().empty()) << name << " " << value;
    }
    host.remove(gauge);
  }
}

TEST_F(Selectors, OtherValuesSelectTheFrontTankOncePerUpdate) {
  for (const char* name : {"Fuel_Selector", "Tank_Selector"}) {
    host::GaugeInstance& gauge = host.place(name);
    for (uint32_t value : {1u, 4u, 5u, 7u, 4294967295u}) {
      select(value);
      EXPECT_EQ(state(gauge, 1).icon_index, 0) << name << " " << value;
      ASSERT_EQ(host.fired().size(), 1u) << name << " " << value;
      EXPECT_EQ(host.fired()[0].event, 65957u);
      EXPECT_EQ(host.fired()[0].value, 0u);
      // The host moved the selector to the front tank: quiet from now on.
      EXPECT_EQ(state(gauge, 1).icon_index, 0);
      EXPECT_EQ(host.fired().size(), 1u);
    }
    host.remove(gauge);
  }
}

// Events a value callback fires act after the update, as the host applies
// them between frames: with both selectors placed, each sees the same
// unshown value and fires; a click's events act at once.
TEST_F(Selectors, BothSelectorsFireInOneUpdateAndTheHostActsAfterIt) {
  host::GaugeInstance& fuel = host.place("Fuel_Selector");
  host::GaugeInstance& tank = host.place("Tank_Selector");
  select(4);
  host.update();
  ASSERT_EQ(host.fired().size(), 2u);
  EXPECT_EQ(host.fired()[0].event, 65957u);
  EXPECT_EQ(host.fired()[1].event, 65957u);
  EXPECT_EQ(host.variables().number(307), 2.0) << "applied after the update";
  host.clear_fired();
  host.update();
  EXPECT_TRUE(host.fired().empty());
  fuel.click(30, 60);  // REAR
  EXPECT_EQ(host.variables().number(307), 3.0) << "a click acts at once";
  EXPECT_EQ(state(tank, 1).icon_index, 1);
}

// A state file or --set may give 4294967295 as a number: whatever integer
// the host keeps for it, it is no position the plates show.
TEST_F(Selectors, HugeValueSetAsANumberSelectsTheFrontTank) {
  host::GaugeInstance& tank = host.place("Tank_Selector");
  host.variables().set(307, 4294967295.0);
  EXPECT_EQ(state(tank, 1).icon_index, 0);
  ASSERT_EQ(host.fired().size(), 1u);
  EXPECT_EQ(host.fired()[0].event, 65957u);
  EXPECT_EQ(host.variables().number(307), 2.0);
}

TEST_F(Selectors, SamePointDifferentTanks) {
  host::GaugeInstance& fuel = host.place("Fuel_Selector");
  host::GaugeInstance& tank = host.place("Tank_Selector");
  select(2);
  fuel.click(30, 60);
  EXPECT_EQ(host.fired().back().event, 65958u);  // REAR
  EXPECT_EQ(state(fuel, 1).icon_index, 1);
  tank.click(30, 60);
  EXPECT_EQ(host.fired().back().event, 65955u);  // OFF
  EXPECT_EQ(state(tank, 1).icon_index, 3);
  tank.click(30, 5);
  EXPECT_EQ(state(tank, 1).icon_index, 2);  // CENTRE TANK
  fuel.click(60, 30);
  EXPECT_EQ(state(fuel, 1).icon_index, 2);  // CNTR
  fuel.click(5, 30);
  EXPECT_EQ(state(fuel, 1).icon_index, 0);  // FRNT
  EXPECT_EQ(fuel.click(36, 36).child, nullptr);
  EXPECT_EQ(tank.click(36, 36).child, nullptr);
  EXPECT_EQ(fuel.tooltip_at(36, 36), 43821u);
}

}  // namespace
}  // namespace tavrel
