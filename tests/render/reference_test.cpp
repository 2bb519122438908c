// The fast drawing against the reference drawing: every gauge of the module
// alone and the default panel in its cruise state, by day and by night with
// the panel lights on, at their own size and scaled by awkward factors, must
// come out pixel for pixel the same. One fast renderer draws everything in
// turn, so pictures and lit copies kept from an earlier drawing (another
// size, another light) are in its caches when the next one is compared.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "host/host.h"
#include "host/panel.h"
#include "host/render.h"
#include "host/state_file.h"
#include "module/builders.h"
#include "resources/dib/dib.h"
#include "tests/default_panel.h"
#include "tests/host/fake_module.h"

namespace tavrel {
namespace {

struct Module {
  host::Host host{host::bind_module("", nullptr)};
  host::FontLibrary fonts;
  host::Renderer fast{host.bitmaps(), fonts};
  host::Renderer reference{host.bitmaps(), fonts, host::RenderMode::kReference};

  Module() {
    std::vector<host::VariableSetting> settings;
    std::string error;
    if (!host::read_state_file(std::string(TAVREL_SOURCE_DIR) + "/panels/cruise.state", settings,
                               error)) {
      ADD_FAILURE() << error;
    }
    host::apply_settings(settings, host.variables());
  }

  // Day, or night with the panel lights on (or off).
  host::Lighting light(bool night, bool panel_lights = true) {
    host.variables().set(token::kPanelLights, night && panel_lights ? 1 : 0);
    host.update();
    return host::lighting_of(host.variables(), night);
  }
};

// Empty when the two canvases agree; else where they first differ.
std::string first_difference(const host::Canvas& fast, const host::Canvas& reference) {
  if (fast.width() != reference.width() || fast.height() != reference.height()) {
    return "sizes " + std::to_string(fast.width()) + "x" + std::to_string(fast.height()) + " and " +
           std::to_string(reference.width()) + "x" + std::to_string(reference.height());
  }
  for (int y = 0; y < fast.height(); ++y) {
    for (int x = 0; x < fast.width(); ++x) {
      if (fast.at(x, y) != reference.at(x, y)) {
        char text[96];
        std::snprintf(text, sizeof text, "pixel (%d, %d): fast %08X, reference %08X", x, y,
                      fast.at(x, y), reference.at(x, y));
        return text;
      }
    }
  }
  return {};
}

const char* when(bool night) {
  return night ? "by night" : "by day";
}

TEST(ReferenceDrawing, EveryGaugeAloneMatchesTheFastDrawing) {
  Module module;
  const std::vector<GaugeHeader*> gauges = module.host.gauges();
  ASSERT_EQ(gauges.size(), 51u);
  std::vector<host::GaugeInstance*> instances;
  for (GaugeHeader* gauge : gauges) instances.push_back(&module.host.place(gauge->name));
  for (bool night : {false, true}) {
    const host::Lighting lighting = module.light(night);
    for (host::GaugeInstance* instance : instances) {
      int width = 0, height = 0;
      ASSERT_TRUE(module.fast.background_size(*instance, width, height)) << instance->name();
      // Its own size, then 1.37 and 0.71 times it (neither lands pixels on
      // pixels, and 0.71 samples the halved levels).
      for (int scaled : {width, width * 137 / 100, width * 71 / 100}) {
        const host::Canvas fast = host::render_gauge(module.fast, *instance, scaled, lighting);
        const host::Canvas reference =
            host::render_gauge(module.reference, *instance, scaled, lighting);
        const std::string difference = first_difference(fast, reference);
        EXPECT_EQ(difference, "") << instance->name() << " at " << scaled << " px " << when(night);
      }
    }
  }
  EXPECT_TRUE(module.fast.take_warnings().empty());
  EXPECT_TRUE(module.reference.take_warnings().empty());
}

TEST(ReferenceDrawing, TheDefaultPanelMatchesTheFastDrawing) {
  Module module;
  const host::PanelConfig config = testing::default_panel_config();
  host::Panel placed(module.host);
  placed.place(config);
  const host::PanelWindow& panel = placed.window();
  ASSERT_EQ(panel.gauges.size(), 51u);
  // The panel as placed (each gauge already scaled to its design width),
  // and the whole of it at 0.83.
  host::PanelWindow smaller = panel;
  const double k = 0.83;
  smaller.width = static_cast<int>(panel.width * k);
  smaller.height = static_cast<int>(panel.height * k);
  for (host::PanelGaugePlace& gauge : smaller.gauges) {
    gauge.at = {gauge.at.x * k, gauge.at.y * k, gauge.at.scale_x * k, gauge.at.scale_y * k};
  }
  // Night between two days, its panel lights switched off halfway: a lit
  // copy kept for one light must not show in another.
  struct Light {
    bool night, panel_lights;
    const char* name;
  };
  for (const Light& light :
       {Light{false, false, "by day"}, Light{true, true, "by night"},
        Light{true, false, "by night, panel lights off"}, Light{false, false, "by day again"}}) {
    const host::Lighting lighting = module.light(light.night, light.panel_lights);
    for (const host::PanelWindow* drawn :
         {&panel, static_cast<const host::PanelWindow*>(&smaller)}) {
      host::Canvas fast(drawn->width, drawn->height);
      host::Canvas reference(drawn->width, drawn->height);
      host::draw_window(*drawn, module.fast, fast, lighting);
      host::draw_window(*drawn, module.reference, reference, lighting);
      std::string difference = first_difference(fast, reference);
      if (!difference.empty()) {
        // Name the gauge under the first differing pixel.
        int x = 0, y = 0;
        std::sscanf(difference.c_str(), "pixel (%d, %d)", &x, &y);
        for (const host::PanelGaugePlace& gauge : drawn->gauges) {
          int w = 0, h = 0;
          module.fast.background_size(*gauge.instance, w, h);
          // By pixel centres, as the gauge's rectangle is rounded.
          const double cx = x + 0.5, cy = y + 0.5;
          if (cx >= gauge.at.x && cy >= gauge.at.y && cx < gauge.at.x + w * gauge.at.scale_x + 1 &&
              cy < gauge.at.y + h * gauge.at.scale_y + 1) {
            difference += " in " + gauge.instance->name();
          }
        }
      }
      EXPECT_EQ(difference, "") << (drawn == &panel ? "as placed " : "at 0.83 ") << light.name;
    }
  }
}

// Both drawings draw something: a reference that drew nothing, or drew the
// same wrong thing as the fast drawing by sharing its kept pictures, would
// pass the comparisons above. The reference renderer drawing after the
// fast one must not depend on it: a reference renderer of its own, alone
// on a host, gives the same pixels.
TEST(ReferenceDrawing, DrawsOnItsOwnWithoutTheFastRenderersPictures) {
  host::Host host{host::bind_module("", nullptr)};
  host::FontLibrary fonts;
  host::GaugeInstance& gauge = host.place("Airspeed_Kts");
  host.variables().set(61, 123);
  host.update();
  host::Renderer reference(host.bitmaps(), fonts, host::RenderMode::kReference);
  host::Canvas alone = host::render_gauge(reference, gauge, 210, {});
  int drawn = 0;
  for (uint32_t pixel : alone.pixels()) drawn += (pixel >> 24) != 0;
  EXPECT_GT(drawn, alone.width() * alone.height() / 2);
  host::Renderer fast(host.bitmaps(), fonts);
  const host::Canvas fast_canvas = host::render_gauge(fast, gauge, 210, {});
  EXPECT_EQ(first_difference(fast_canvas, alone), "");
  // The needle moves with its value in both.
  host.variables().set(61, 40);
  host.update();
  const host::Canvas moved = host::render_gauge(reference, gauge, 210, {});
  EXPECT_NE(first_difference(moved, alone), "");
  EXPECT_EQ(first_difference(host::render_gauge(fast, gauge, 210, {}), moved), "");
}

// A hand-made gauge whose pictures have opaque, light edges inside the
// face (a plate, a needle, a pointer), zoomed far beyond the module's own
// sizes: the fast drawing must not cut off the soft edge a picture grows
// when its pixels become many canvas pixels wide.
namespace zoom {
using namespace build;

std::vector<uint8_t> plain(int w, int h, uint8_t r, uint8_t g, uint8_t b) {
  std::vector<uint8_t> rgb(static_cast<size_t>(w) * h * 3);
  for (size_t i = 0; i < rgb.size(); i += 3) rgb[i] = r, rgb[i + 1] = g, rgb[i + 2] = b;
  return dib::encode_24bit(w, h, rgb);
}

extern GaugeHeader gauge;
MouseRect mouse[] = {outer_parent(0), close_parent(), end_of_list()};
StaticImageElement plate = static_image(gauge, {.bitmap = 20, .position = {7, 9}});
NeedleElement pointer =
    needle(gauge, {.bitmap = 30, .position = {20, 20}, .offset = {1, 6}}, {.var = 901});
ElementHeader* face_children[] = {&plate.header, &pointer.header, nullptr};
StaticImageElement face = static_image(gauge, {.bitmap = 10, .children = face_children});
ElementHeader* root[] = {&face.header};
GaugeHeader gauge = gauge_header({.name = "Zoom", .size_x_mm = 40, .root = root, .mouse = mouse});

}  // namespace zoom

TEST(ReferenceDrawing, PicturesZoomedFarKeepTheirSoftEdges) {
  auto module = std::make_unique<testing::FakeModule>(std::vector<GaugeHeader*>{&zoom::gauge});
  module->add_picture(10, zoom::plain(40, 40, 20, 20, 20));
  module->add_picture(20, zoom::plain(7, 5, 240, 240, 230));
  module->add_picture(30, zoom::plain(3, 12, 250, 250, 250));
  host::Host host(std::move(module));
  host::FontLibrary fonts;
  host::Renderer fast(host.bitmaps(), fonts);
  host::Renderer reference(host.bitmaps(), fonts, host::RenderMode::kReference);
  host::GaugeInstance& instance = host.place("Zoom");
  for (double bearing : {0.0, 33.0}) {
    host.variables().set(901, bearing);
    host.update();
    for (int width : {40, 173, 400, 640}) {
      EXPECT_EQ(first_difference(host::render_gauge(fast, instance, width, {}),
                                 host::render_gauge(reference, instance, width, {})),
                "")
          << "at " << width << " px, pointer at " << bearing;
    }
    // Stretched one way and squeezed the other (a panel line's width and
    // height), so the halved levels are drawn many pixels wide.
    for (const host::Placement& at :
         {host::Placement{3, 2, 9.0, 0.3}, host::Placement{1, 5, 0.2, 7.5}}) {
      host::Canvas a(400, 320), b(400, 320);
      fast.draw(instance, a, at, {});
      reference.draw(instance, b, at, {});
      EXPECT_EQ(first_difference(a, b), "")
          << "at " << at.scale_x << " x " << at.scale_y << ", pointer at " << bearing;
    }
  }
}

}  // namespace
}  // namespace tavrel
