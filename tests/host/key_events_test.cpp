// The key-event model: the events our gauges fire move the variables those
// gauges (or their siblings) show, the way the gauges need.
#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "host/key_events.h"
#include "host/variables.h"

namespace tavrel {
namespace {

using host::apply_key_event;
using host::VariableStore;

// Fires an event with value 0 a number of times, as a child with an event id
// does on a click and on each repeat while held.
void click(VariableStore& vars, uint32_t event, int times = 1) {
  for (int i = 0; i < times; ++i) ASSERT_TRUE(apply_key_event(vars, event, 0)) << event;
}

// The magneto key's picture index: twice the left magneto plus the right one.
int magneto_position(const VariableStore& vars) {
  return static_cast<int>(2 * vars.number(399) + vars.number(400));
}

// The lever event value for a signed drag result, as the module passes it.
uint32_t lever_value(int32_t value) {
  return static_cast<uint32_t>(value);
}

TEST(KeyEventSwitches, EachEventTogglesOnlyTheSwitchItsIconShows) {
  // Event fired by each switch gauge and the variable its icon shows.
  const std::vector<std::pair<uint32_t, uint32_t>> switches = {
      {66241, 364}, {66293, 740}, {66239, 368}, {65751, 14},
      {66379, 619}, {65560, 11},  {65750, 10},  {65858, 13},
  };
  VariableStore vars;
  for (auto [event, token] : switches) {
    click(vars, event);
    for (auto [other_event, other_token] : switches) {
      EXPECT_DOUBLE_EQ(vars.number(other_token), other_token == token ? 1.0 : 0.0)
          << "event " << event << ", variable " << other_token;
    }
    click(vars, event);
    EXPECT_DOUBLE_EQ(vars.number(token), 0.0) << event;
  }
}

TEST(KeyEventSwitches, StarterIsEngagedWhileHeldAndLetsGoAtTheRelease) {
  VariableStore vars;
  click(vars, 66300);
  EXPECT_DOUBLE_EQ(vars.number(401), 1.0);
  click(vars, 66300, 3);
  EXPECT_DOUBLE_EQ(vars.number(401), 1.0);
  EXPECT_TRUE(host::apply_key_release(vars, 66300));
  EXPECT_DOUBLE_EQ(vars.number(401), 0.0);
  // Releasing a switch that is not momentary leaves it where it is.
  click(vars, 66241);
  EXPECT_FALSE(host::apply_key_release(vars, 66241));
  EXPECT_DOUBLE_EQ(vars.number(364), 1.0);
}

TEST(KeyEventSwitches, MagnetoKeyTurnsOnePositionAndStopsAtTheEnds) {
  VariableStore vars;  // OFF
  // Left half, toward BOTH: R, L, BOTH, then it stays at BOTH.
  const int toward_both[] = {1, 2, 3, 3};
  for (int expected : toward_both) {
    click(vars, 65635);
    EXPECT_EQ(magneto_position(vars), expected);
  }
  EXPECT_DOUBLE_EQ(vars.number(399), 1.0);
  EXPECT_DOUBLE_EQ(vars.number(400), 1.0);
  // Right half, toward OFF: L, R, OFF, then it stays at OFF.
  const int toward_off[] = {2, 1, 0, 0};
  for (int expected : toward_off) {
    click(vars, 65634);
    EXPECT_EQ(magneto_position(vars), expected);
    // Each magneto is either off or on, so the picture index stays 0 to 3.
    EXPECT_TRUE(vars.number(399) == 0.0 || vars.number(399) == 1.0);
    EXPECT_TRUE(vars.number(400) == 0.0 || vars.number(400) == 1.0);
  }
}

TEST(KeyEventSwitches, MagnetoKeyStepsFromAnyMagnetoStateTheHostSet) {
  VariableStore vars;
  vars.set(399, 1.0);  // L
  click(vars, 65634);
  EXPECT_EQ(magneto_position(vars), 1);  // R
  vars.set(399, 0.0);
  vars.set(400, 7.0);  // an out-of-range right magneto counts as on: R
  click(vars, 65635);
  EXPECT_EQ(magneto_position(vars), 2);  // L
}

TEST(KeyEventKnobs, AltimeterKnobMovesBothSettingWindowsTogether) {
  VariableStore vars;
  vars.set(75, 1013.0);
  vars.set(76, 29.91);
  click(vars, 65883);  // right half: a higher setting
  EXPECT_GT(vars.number(75), 1013.0);
  EXPECT_NEAR(vars.number(75), 1014.0, 1e-9);
  // The inches window shows the same pressure as the hectopascal window.
  EXPECT_NEAR(vars.number(76), 1014.0 / 33.8639, 1e-4);
  click(vars, 65884, 3);  // left half: lower
  EXPECT_NEAR(vars.number(75), 1011.0, 1e-9);
  EXPECT_NEAR(vars.number(76), 29.855, 1e-3);
}

TEST(KeyEventKnobs, AltimeterSettingStopsAtTheCardsPrintedRange) {
  VariableStore vars;
  vars.set(75, 1083.5);
  click(vars, 65883, 5);
  EXPECT_DOUBLE_EQ(vars.number(75), 1085.0);
  vars.set(75, 951.0);
  click(vars, 65884, 5);
  EXPECT_DOUBLE_EQ(vars.number(75), 950.0);
  EXPECT_NEAR(vars.number(76), 28.05, 1e-2);
}

TEST(KeyEventKnobs, DegreeKnobsWrapAcrossNorth) {
  // Right-half event (up), left-half event (down), the variable turned.
  struct Knob {
    uint32_t up, down, token;
  };
  const Knob knobs[] = {
      {65663, 65662, 854},  // VOR OBS: selected course
      {65881, 65882, 22},   // ADF HDG: card heading
      {65879, 65880, 855},  // directional gyro: heading marker
  };
  for (const Knob& knob : knobs) {
    VariableStore vars;
    vars.set(knob.token, 358.0);
    click(vars, knob.up);
    EXPECT_DOUBLE_EQ(vars.number(knob.token), 359.0) << knob.token;
    click(vars, knob.up);
    EXPECT_DOUBLE_EQ(vars.number(knob.token), 0.0) << knob.token;
    click(vars, knob.up);
    EXPECT_DOUBLE_EQ(vars.number(knob.token), 1.0) << knob.token;
    click(vars, knob.down, 2);
    EXPECT_DOUBLE_EQ(vars.number(knob.token), 359.0) << knob.token;
  }
}

TEST(KeyEventKnobs, GyroSettingTurnsBothWaysAndStaysWithinOneCircle) {
  VariableStore vars;
  click(vars, 65877);  // right half
  double one_click = vars.number(85);
  EXPECT_GT(one_click, 0.0);
  // A click turns the knob visibly but well under a half turn (10922.67).
  EXPECT_GT(one_click, 10922.67 / 180);
  EXPECT_LT(one_click, 10922.67 / 4);
  click(vars, 65878, 2);  // left half: back past zero, wrapped
  EXPECT_NEAR(vars.number(85), 65536.0 - one_click, 1e-6);
  for (int i = 0; i < 400; ++i) {
    click(vars, 65877);
    ASSERT_GE(vars.number(85), 0.0);
    ASSERT_LT(vars.number(85), 65536.0);
  }
}

TEST(KeyEventKnobs, MiniatureAircraftRaisesAndLowersWithinItsTravel) {
  VariableStore vars;
  click(vars, 66318);  // right half: raises (a positive height draws higher)
  EXPECT_GT(vars.number(612), 0.0);
  click(vars, 66318, 200);
  double top = vars.number(612);
  // Held within the circular window: the aircraft moves 0.2 pixel per unit.
  EXPECT_LE(top * 0.2, 40.0);
  click(vars, 66318);
  EXPECT_DOUBLE_EQ(vars.number(612), top);
  click(vars, 66319, 400);  // left half: lowers, to the same distance below
  EXPECT_DOUBLE_EQ(vars.number(612), -top);
}

TEST(KeyEventSelectors, DmeKnobAlternatesBetweenTheTwoReceivers) {
  VariableStore vars;
  vars.set_integer(355, 1);
  click(vars, 66286);
  EXPECT_EQ(vars.raw(355).integer, 2);
  click(vars, 66286);
  EXPECT_EQ(vars.raw(355).integer, 1);
  // A source the knob does not show goes to NAV 1.
  vars.set_integer(355, 0);
  click(vars, 66286);
  EXPECT_EQ(vars.raw(355).integer, 1);
}

TEST(KeyEventSelectors, FuelSelectorEventsSetTheIntegerTheHandleShows) {
  // Event of each plate position and the selector value the handle shows it for.
  const std::pair<uint32_t, int32_t> positions[] = {
      {65957, 2},  // front tank
      {65958, 3},  // rear tank
      {65961, 6},  // centre tank
      {65955, 0},  // off
  };
  VariableStore vars;
  vars.set_integer(307, 5);  // a value the plates do not show
  for (auto [event, selected] : positions) {
    click(vars, event);
    EXPECT_EQ(vars.raw(307).integer, selected) << event;
  }
}

TEST(KeyEventControls, ThrottleLeversFollowTheDragValue) {
  const std::pair<uint32_t, uint32_t> levers[] = {{65697, 558}, {65767, 559}, {65773, 560}};
  for (auto [event, token] : levers) {
    VariableStore vars;
    ASSERT_TRUE(apply_key_event(vars, event, 8192));
    EXPECT_DOUBLE_EQ(vars.number(token), 0.5) << event;
    ASSERT_TRUE(apply_key_event(vars, event, 16384));
    EXPECT_DOUBLE_EQ(vars.number(token), 1.0) << event;
    ASSERT_TRUE(apply_key_event(vars, event, 71));
    EXPECT_DOUBLE_EQ(vars.number(token), 71.0 / 16384) << event;
    // Drags past either end of the box stop the lever at its travel.
    ASSERT_TRUE(apply_key_event(vars, event, lever_value(-500)));
    EXPECT_DOUBLE_EQ(vars.number(token), 0.0) << event;
    ASSERT_TRUE(apply_key_event(vars, event, 17000));
    EXPECT_DOUBLE_EQ(vars.number(token), 1.0) << event;
    // Only this lever moved.
    for (auto [other_event, other_token] : levers) {
      if (other_token != token) {
        EXPECT_DOUBLE_EQ(vars.number(other_token), 0.0) << event << " moved " << other_token;
      }
    }
  }
}

TEST(KeyEventControls, FlapsStepANotchAndStopAtFullAndRetracted) {
  VariableStore vars;
  // The pointer moves 3/512 pixel per unit: the four plate marks are 32 pixels
  // apart, the last (FULL FLAP) at 16383.
  const double toward_full[] = {5461.0, 10922.0, 16383.0, 16383.0};
  for (double expected : toward_full) {
    click(vars, 65758);  // left part, over FULL FLAP
    EXPECT_NEAR(vars.number(329), expected, 1e-9);
  }
  const double toward_cruise[] = {10922.0, 5461.0, 0.0, 0.0};
  for (double expected : toward_cruise) {
    click(vars, 65759);  // right part, over CLIMB/CRUISE
    EXPECT_NEAR(vars.number(329), expected, 1e-9);
  }
}

TEST(KeyEventControls, GearLeverShowsDownAndUp) {
  VariableStore vars;
  click(vars, 66080);  // lower half: down, which the lever shows from 16383 on
  EXPECT_GE(vars.number(331), 16383.0);
  click(vars, 66079);  // upper half: up
  EXPECT_LT(vars.number(331), 16383.0);
  EXPECT_DOUBLE_EQ(vars.number(331), 0.0);
}

TEST(KeyEventViews, ViewAndCageEventsChangeNoVariable) {
  VariableStore vars;
  for (uint32_t event : {66373u, 65564u, 65876u, 66432u, 66524u, 66525u, 66530u}) {
    EXPECT_FALSE(apply_key_event(vars, event, 0)) << event;
  }
  EXPECT_TRUE(vars.all().empty());
}

}  // namespace
}  // namespace tavrel
