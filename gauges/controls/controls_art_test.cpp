// The controls as drawn agree with their mouse lists: each fuel selector
// handle points into the click box that selects it, and each throttle
// lever's knob can be grabbed at both ends of its travel.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "host/host.h"
#include "host/render.h"

namespace tavrel {
namespace {

int brightness(uint32_t rgba) {
  return (rgba & 0xFF) + (rgba >> 8 & 0xFF) + (rgba >> 16 & 0xFF);
}

struct Selection {
  uint32_t value;   // token 307
  uint32_t event;   // the click that selects it
  uint32_t facing;  // a value whose handle points the other way
};

class SelectorArt : public ::testing::TestWithParam<const char*> {
 protected:
  host::Host host{host::bind_module("", nullptr)};
  host::FontLibrary fonts;
  host::Renderer renderer{host.bitmaps(), fonts};

  host::Canvas drawn(host::GaugeInstance& gauge, uint32_t value) {
    host.variables().set_integer(307, static_cast<int32_t>(value));
    host.update();
    return host::render_gauge(renderer, gauge, 0, host::lighting_of(host.variables(), false));
  }
};

TEST_P(SelectorArt, EachHandlePointsIntoTheBoxThatSelectsIt) {
  host::GaugeInstance& gauge = host.place(GetParam());
  const Selection selections[] = {{0, 65955, 3}, {2, 65957, 6}, {3, 65958, 0}, {6, 65961, 2}};
  for (const Selection& s : selections) {
    const host::Canvas handle = drawn(gauge, s.value);
    const host::Canvas other = drawn(gauge, s.facing);
    ASSERT_GT(handle.width(), 0);
    // The handle is the metal that this picture adds over the plate; its
    // tip is the part farthest from the centre.
    const double cx = handle.width() / 2.0, cy = handle.height() / 2.0;
    double reach = 0;
    int tip_x = -1, tip_y = -1;
    for (int y = 0; y < handle.height(); ++y) {
      for (int x = 0; x < handle.width(); ++x) {
        if (brightness(handle.at(x, y)) < brightness(other.at(x, y)) + 150) continue;
        const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
        if (d > reach) reach = d, tip_x = x, tip_y = y;
      }
    }
    ASSERT_GE(tip_x, 0) << GetParam() << " " << s.value << ": no handle drawn";
    EXPECT_GT(reach, 15.0) << GetParam() << " " << s.value;
    host.clear_fired();
    gauge.click(tip_x, tip_y);
    ASSERT_EQ(host.fired().size(), 1u)
        << GetParam() << " " << s.value << ": tip " << tip_x << "," << tip_y << " in no box";
    EXPECT_EQ(host.fired()[0].event, s.event)
        << GetParam() << " " << s.value << ": tip " << tip_x << "," << tip_y;
  }
}

// The levers, left to right, with the columns their pictures cover over the
// whole travel (they do not overlap while all three stand at one value).
struct LeverColumns {
  uint32_t event;
  int from, to;
};

TEST(LeverArt, EachKnobIsInsideItsLeversBoxAtBothEndsOfTravel) {
  host::Host host{host::bind_module("", nullptr)};
  host::FontLibrary fonts;
  host::Renderer renderer{host.bitmaps(), fonts};
  host::GaugeInstance& quadrant = host.place("Thrust_Controls");
  const LeverColumns levers[] = {{65697, 14, 122}, {65767, 132, 248}, {65773, 249, 340}};
  for (double value : {0.0, 1.0}) {
    for (uint32_t token : {558u, 559u, 560u}) host.variables().set(token, value);
    host.update();
    const host::Canvas drawn =
        host::render_gauge(renderer, quadrant, 0, host::lighting_of(host.variables(), false));
    for (const LeverColumns& lever : levers) {
      // The knob is the top of the lever: the first painted row, and the
      // middle of its painted run.
      int top = -1, left = -1, right = -1;
      for (int y = 0; y < drawn.height() && top < 0; ++y) {
        for (int x = lever.from; x < std::min(lever.to, drawn.width()); ++x) {
          if ((drawn.at(x, y) >> 24) < 128) continue;
          if (top < 0) top = y, left = x;
          right = x;
        }
      }
      ASSERT_GE(top, 0) << lever.event << " at " << value << ": no lever drawn";
      host.clear_fired();
      quadrant.click((left + right) / 2, top + 4);
      ASSERT_EQ(host.fired().size(), 1u) << lever.event << " at " << value << ": knob outside";
      EXPECT_EQ(host.fired()[0].event, lever.event) << value;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(BothPlates, SelectorArt,
                         ::testing::Values("Fuel_Selector", "Tank_Selector"));

}  // namespace
}  // namespace tavrel
