// A panel on hand-made gauges: it owns what it places (one instance per
// gauge line, none for a gauge left out), maps panel points to background
// pixels, and its pointer and clocks repeat, drag and run engine time.
#include "host/panel.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "module/builders.h"
#include "resources/dib/dib.h"
#include "tests/host/fake_module.h"

namespace tavrel {
namespace {
using namespace build;

std::vector<PixPoint> g_drags;

int32_t TAVREL_STDCALL note_drag(ClickPoint* point, uint32_t) {
  g_drags.push_back({point->x, point->y});
  return 0;
}

// "Knob": a 40 x 20 background; its left half repeats the battery toggle
// while held, its right half follows drags. "Bare": its bitmap is missing.
extern GaugeHeader knob;
StaticImageElement knob_face = static_image(knob, {.bitmap = 10});
ElementHeader* knob_root[] = {&knob_face.header};
MouseList knob_mouse = mouse_list(
    outer_parent(7),
    click({.box = {0, 0, 20, 20}, .flags = kClickRepeat, .event = key_event::kBatteryMasterToggle}),
    click({.box = {20, 0, 20, 20}, .flags = kClickDrag, .function = note_drag}));
GaugeHeader knob =
    gauge_header({.name = "Knob", .size_x_mm = 40, .root = knob_root, .mouse = knob_mouse});

// "Trim": a knob on the same background, its left half turning it down and
// its right half up (they turn the magneto key left and right).
extern GaugeHeader trim;
StaticImageElement trim_face = static_image(trim, {.bitmap = 10});
ElementHeader* trim_root[] = {&trim_face.header};
MouseList trim_mouse = mouse_list(
    outer_parent(8),
    click({.box = {0, 0, 20, 20}, .cursor = kCursorMinus, .event = key_event::kMagnetoKeyLeft}),
    click({.box = {20, 0, 20, 20}, .cursor = kCursorPlus, .event = key_event::kMagnetoKeyRight}));
GaugeHeader trim =
    gauge_header({.name = "Trim", .size_x_mm = 40, .root = trim_root, .mouse = trim_mouse});

extern GaugeHeader bare;
StaticImageElement bare_face = static_image(bare, {.bitmap = 20});
ElementHeader* bare_root[] = {&bare_face.header};
MouseList bare_mouse = mouse_list(outer_parent(0));
GaugeHeader bare =
    gauge_header({.name = "Bare", .size_x_mm = 40, .root = bare_root, .mouse = bare_mouse});

class PanelOnHandMadeGauges : public ::testing::Test {
 protected:
  PanelOnHandMadeGauges() : host(make_module()), panel(host) {}

  static std::unique_ptr<host::ModuleBinding> make_module() {
    auto module =
        std::make_unique<testing::FakeModule>(std::vector<GaugeHeader*>{&knob, &trim, &bare});
    module->add_picture(10, dib::encode_24bit(40, 20, std::vector<uint8_t>(40 * 20 * 3, 90)));
    return module;
  }

  void place(const std::string& lines) {
    std::istringstream in("[Window00]\n" + lines);
    panel.place(host::parse_panel_config(in, "test.cfg"));
  }

  host::Host host;
  host::Panel panel;
};

TEST_F(PanelOnHandMadeGauges, PlacingAgainKeepsOneInstancePerLineAndNoneForAGaugeLeftOut) {
  const std::string lines =
      "gauge00=Tavrel_Instr!Knob, 10, 10, 80\n"
      "gauge01=Tavrel_Instr!Bare, 100, 10\n"
      "gauge02=Tavrel_Instr!Knob, 0, 50\n";
  for (int round = 0; round < 2; ++round) {
    place(lines);
    EXPECT_EQ(panel.window().gauges.size(), 2u);
    EXPECT_EQ(host.instances().size(), 2u) << "round " << round;
    ASSERT_EQ(panel.problems().size(), 1u);
    EXPECT_NE(panel.problems()[0].find("test.cfg:3: Bare: background bitmap missing"),
              std::string::npos)
        << panel.problems()[0];
  }
  panel.clear();
  EXPECT_TRUE(host.instances().empty());
}

TEST_F(PanelOnHandMadeGauges, PointsMapToTheGaugeUnderThemInBackgroundPixels) {
  place("gauge00=Tavrel_Instr!Knob, 10, 10, 80\n");  // twice its size
  const host::PanelGaugePlace& g = panel.window().gauges.at(0);
  EXPECT_EQ(panel.gauge_at(9.9, 20), nullptr);
  EXPECT_EQ(panel.gauge_at(10, 10), &g);
  EXPECT_EQ(panel.gauge_at(89.9, 49.9), &g);
  EXPECT_EQ(panel.gauge_at(90, 20), nullptr);
  const PixPoint corner = panel.to_background(g, 89.9, 49.9);
  EXPECT_EQ(corner.x, 39);
  EXPECT_EQ(corner.y, 19);
  EXPECT_EQ(panel.tooltip_at(30, 30), 7u);
  EXPECT_EQ(panel.tooltip_at(5, 5), 0u);
}

TEST_F(PanelOnHandMadeGauges, AHeldBoxRepeatsByTheClockAndADragFollowsThePointer) {
  place("gauge00=Tavrel_Instr!Knob, 10, 10, 80\n");
  host.clear_fired();
  ASSERT_NE(panel.press(20, 20).child, nullptr);
  EXPECT_EQ(host.fired().size(), 1u);
  panel.advance(0.29);
  EXPECT_EQ(host.fired().size(), 1u) << "no repeat before the first wait is over";
  panel.advance(0.02);
  EXPECT_EQ(host.fired().size(), 2u);
  panel.advance(1.0 / host::Panel::kRepeatsPerSecond);
  EXPECT_EQ(host.fired().size(), 3u) << "then once a frame";
  panel.release();
  panel.advance(1.0);
  EXPECT_EQ(host.fired().size(), 3u) << "released, nothing repeats";

  // The right half, pressed at background (25, 5), dragged to a panel point
  // left of the gauge: the move comes relative to the box, past its edge.
  g_drags.clear();
  ASSERT_NE(panel.press(60, 20).child, nullptr);
  EXPECT_EQ(panel.drag(0, 30), 1);
  panel.release();
  ASSERT_EQ(g_drags.size(), 2u);
  EXPECT_EQ(g_drags[1].x, -25);
  EXPECT_EQ(g_drags[1].y, 10);
  ASSERT_TRUE(panel.last_press().dragged_to.has_value());
  EXPECT_EQ(panel.last_press().dragged_to->x, -5);
}

// The click boxes in panel pixels, where the keyboard's focus goes; the
// cursor each shows; the wheel turns a knob by its halves, a step a notch,
// wherever on the knob it is, and does nothing over a plain click spot.
TEST_F(PanelOnHandMadeGauges, ClickBoxesShowTheirCursorsAndTheWheelTurnsAKnobByItsHalves) {
  place("gauge00=Tavrel_Instr!Knob, 10, 10, 80\ngauge01=Tavrel_Instr!Trim, 100, 10, 40\n");
  const std::vector<host::ClickArea> areas = panel.click_areas();
  ASSERT_EQ(areas.size(), 4u);
  EXPECT_EQ(areas[1].x, 50);  // Knob's right half, twice its size
  EXPECT_EQ(areas[1].width, 40);
  EXPECT_EQ(areas[1].height, 40);
  EXPECT_EQ(areas[2].x, 100);
  EXPECT_EQ(areas[3].x, 120);
  EXPECT_EQ(areas[3].gauge->instance->name(), "Trim");
  EXPECT_EQ(panel.box_at(20, 20)->cursor, kCursorHand);
  EXPECT_EQ(panel.box_at(105, 15)->cursor, kCursorMinus);
  EXPECT_EQ(panel.box_at(135, 15)->cursor, kCursorPlus);
  EXPECT_EQ(panel.box_at(5, 5), nullptr);

  auto fired = [&](uint32_t event) {
    int n = 0;
    for (const auto& f : host.fired()) n += f.event == event;
    return n;
  };
  host.clear_fired();
  EXPECT_EQ(panel.turn(105, 15, 2), 2) << "up from the lower half";
  EXPECT_EQ(fired(key_event::kMagnetoKeyRight), 2);
  EXPECT_EQ(panel.turn(135, 15, -3), 3) << "down from the upper half";
  EXPECT_EQ(fired(key_event::kMagnetoKeyLeft), 3);
  EXPECT_FALSE(panel.held());
  EXPECT_EQ(panel.turn(20, 20, 1), 0) << "a click spot is no knob";
  EXPECT_EQ(host.fired().size(), 5u);
}

TEST_F(PanelOnHandMadeGauges, EngineTimeRunsOnlyWhileTheEngineTurns) {
  host.variables().set(token::kEngineTime, 100);
  host.variables().set(token::kEngineRpm, 99);
  panel.advance(2);
  EXPECT_EQ(host.variables().number(token::kEngineTime), 100);
  host.variables().set(token::kEngineRpm, 2400);
  panel.advance(2.5);
  EXPECT_EQ(host.variables().number(token::kEngineTime), 102.5);
}

}  // namespace
}  // namespace tavrel
