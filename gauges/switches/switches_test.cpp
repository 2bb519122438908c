// The toggle switches, the starter and the magneto key on the stand-in host:
// what each shows and what a click fires.
#include <gtest/gtest.h>

#include <vector>

#include "host/host.h"

namespace tavrel {
namespace {

struct Toggle {
  const char* name;
  uint32_t state;  // token shown by the lever
  uint32_t event;  // fired by a click
  uint32_t tooltip;
};

constexpr Toggle kToggles[] = {
    {"Avionics_Switch", 740, 66293, 43791},
    {"Beacon_Lights_Switch", 368, 66239, 43837},
    {"Landing_Lights_Switch", 14, 65751, 43838},
    {"Nav_Lights_Switch", 619, 66379, 43839},
    {"Strobe_Lights_Switch", 11, 65560, 43842},
    {"Panel_Lights_Switch", 10, 65750, 43840},
    {"Pitot_Heat", 13, 65858, 43863},
};

host::ClickOptions held(int repeats) {
  host::ClickOptions options;
  options.hold = repeats;
  return options;
}

class Switches : public ::testing::Test {
 protected:
  host::Host host{host::bind_module("", nullptr)};

  static int icon(host::GaugeInstance& gauge) { return gauge.elements().at(1).icon_index; }
};

TEST_F(Switches, EachToggleShowsItsVariableAndAClickFlipsIt) {
  for (const Toggle& t : kToggles) {
    host::GaugeInstance& gauge = host.place(t.name);
    EXPECT_EQ(gauge.elements().at(0).element->resource_id, 20) << t.name;
    EXPECT_EQ(gauge.elements().at(1).element->resource_id, 30) << t.name;
    host.variables().set(t.state, 1);
    host.update();
    EXPECT_EQ(icon(gauge), 1) << t.name << ": lever up";
    host.variables().set(t.state, 0);
    host.update();
    EXPECT_EQ(icon(gauge), 0) << t.name << ": lever down";

    // A click on the lever fires the event once, with value 0, even held;
    // the host's toggle shows on the next update.
    host.clear_fired();
    gauge.click(15, 20, held(4));
    EXPECT_EQ(host.fired(), (std::vector<host::FiredEvent>{{t.event, 0}})) << t.name;
    host.update();
    EXPECT_EQ(icon(gauge), 1) << t.name;
    EXPECT_EQ(gauge.tooltip_at(1, 1), t.tooltip) << t.name;
    host.remove(gauge);
  }
}

TEST_F(Switches, TogglesAnswerOnlyInsideTheirClickBox) {
  for (const Toggle& t : kToggles) {
    host::GaugeInstance& gauge = host.place(t.name);
    host.clear_fired();
    // The box runs from (2, 2) to (27, 43).
    for (auto [x, y] : {std::pair{1, 20}, {28, 20}, {15, 1}, {15, 44}, {29, 45}}) {
      EXPECT_EQ(gauge.click(x, y).child, nullptr) << t.name << " " << x << "," << y;
    }
    EXPECT_TRUE(host.fired().empty()) << t.name;
    for (auto [x, y] : {std::pair{2, 2}, {27, 43}}) {
      EXPECT_NE(gauge.click(x, y).child, nullptr) << t.name << " " << x << "," << y;
    }
    host.remove(gauge);
  }
}

TEST_F(Switches, StarterEngagesFromAnywhereAndRepeatsWhileHeld) {
  host::GaugeInstance& starter = host.place("Starter_Switch");
  EXPECT_EQ(starter.header()->gauge_callback, nullptr);
  host.update();
  EXPECT_EQ(icon(starter), 0);
  host::ClickOptions still_down = held(3);
  still_down.release = false;
  starter.click(0, 0, still_down);
  EXPECT_EQ(host.fired(), (std::vector<host::FiredEvent>(4, {66300, 0})));
  host.update();
  EXPECT_EQ(icon(starter), 1);  // lever up while engaged
  starter.release();
  host.update();
  EXPECT_EQ(icon(starter), 0);  // and down again once let go
  host.clear_fired();
  starter.click(29, 45);
  EXPECT_EQ(host.fired().size(), 1u);
  EXPECT_EQ(starter.tooltip_at(15, 20), 43877u);
}

class Magnetos : public Switches {
 protected:
  host::GaugeInstance& key = host.place("Magnetos_Switch");

  int position(double left, double right) {
    host.variables().set(399, left);
    host.variables().set(400, right);
    host.update();
    return icon(key);
  }
};

TEST_F(Magnetos, KeyShowsTwiceTheLeftMagnetoPlusTheRight) {
  EXPECT_EQ(key.elements().at(1).element->resource_id, 1190);
  EXPECT_EQ(key.elements().at(1).element->position.x, 9);
  EXPECT_EQ(key.elements().at(1).element->position.y, 23);
  EXPECT_EQ(position(0, 0), 0);  // 1190 OFF
  EXPECT_EQ(position(0, 1), 1);  // 1191 R
  EXPECT_EQ(position(1, 0), 2);  // 1192 L
  EXPECT_EQ(position(1, 1), 3);  // 1193 BOTH
  // Other values go through unlimited: nothing of the run is drawn.
  EXPECT_EQ(position(2, 1), -1);
  EXPECT_DOUBLE_EQ(key.elements().at(1).value, 5.0);
}

TEST_F(Magnetos, HalvesTurnTheKeyAndRepeatWhileHeld) {
  EXPECT_EQ(position(0, 0), 0);
  key.click(10, 50);  // left half: toward BOTH
  EXPECT_EQ(host.fired(), (std::vector<host::FiredEvent>{{65635, 0}}));
  host.update();
  EXPECT_EQ(icon(key), 1);  // R
  host.clear_fired();
  key.click(0, 20, held(4));
  EXPECT_EQ(host.fired(), (std::vector<host::FiredEvent>(5, {65635, 0})));
  host.update();
  EXPECT_EQ(icon(key), 3);  // BOTH, where it stops
  host.clear_fired();
  key.click(98, 94, held(1));  // right half: toward OFF
  EXPECT_EQ(host.fired(), (std::vector<host::FiredEvent>(2, {65634, 0})));
  host.update();
  EXPECT_EQ(icon(key), 1);  // R
}

TEST_F(Magnetos, TopRowsAndTheGapBetweenTheHalvesDoNothing) {
  for (auto [x, y] : {std::pair{10, 0}, {10, 19}, {80, 19}, {49, 50}, {10, 95}, {98, 102}}) {
    EXPECT_EQ(key.click(x, y).child, nullptr) << x << "," << y;
  }
  EXPECT_TRUE(host.fired().empty());
  EXPECT_EQ(key.tooltip_at(10, 5), 43845u);
}

}  // namespace
}  // namespace tavrel
