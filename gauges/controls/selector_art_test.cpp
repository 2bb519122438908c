// The fuel selectors as drawn: each handle picture points into the click
// box of the event that selects the value showing it, so the plate, the
// callback and the mouse list agree.
#include <gtest/gtest.h>

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
  host::Renderer renderer{host, fonts};

  host::Canvas drawn(host::GaugeInstance& gauge, uint32_t value) {
    host.variables().set_integer(307, static_cast<int32_t>(value));
    host.update();
    return host::render_gauge(renderer, gauge, 0, host::lighting_of(host, false));
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

INSTANTIATE_TEST_SUITE_P(BothPlates, SelectorArt,
                         ::testing::Values("Fuel_Selector", "Tank_Selector"));

}  // namespace
}  // namespace tavrel
