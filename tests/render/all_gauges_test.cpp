// Every gauge of the module drawn alone at half, full and double size, by
// day and by night with the panel lights on, without a single warning (no
// bitmap or font missing); and the default panel holding each of them once.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "host/host.h"
#include "host/panel.h"
#include "host/render.h"
#include "tests/default_panel.h"

namespace tavrel {
namespace {

struct Module {
  host::Host host{host::bind_module("", nullptr)};
  host::FontLibrary fonts;
  host::Renderer renderer{host.bitmaps(), fonts};
};

TEST(AllGauges, EachDrawsAtHalfFullAndDoubleSizeDayAndNightWithoutWarning) {
  Module module;
  const std::vector<GaugeHeader*> gauges = module.host.gauges();
  ASSERT_EQ(gauges.size(), 51u);
  for (GaugeHeader* gauge : gauges) {
    const std::string name = gauge->name;
    host::GaugeInstance& instance = module.host.place(name);
    module.host.update();
    int width = 0, height = 0;
    ASSERT_TRUE(module.renderer.background_size(instance, width, height)) << name;
    for (bool night : {false, true}) {
      module.host.variables().set(token::kPanelLights, night ? 1 : 0);
      module.host.update();
      const host::Lighting lighting = host::lighting_of(module.host.variables(), night);
      for (int scaled : {width / 2, width, width * 2}) {
        host::Canvas canvas = host::render_gauge(module.renderer, instance, scaled, lighting);
        EXPECT_EQ(canvas.width(), scaled) << name;
        // Something of the gauge shows: not every pixel is clear.
        bool drawn = false;
        for (uint32_t pixel : canvas.pixels()) drawn = drawn || (pixel >> 24) != 0;
        // (Instrument_Zoom's icon is all black: an invisible click spot.)
        EXPECT_TRUE(drawn || name == "Instrument_Zoom")
            << name << " at " << scaled << (night ? " by night" : " by day");
        const std::vector<std::string> warnings = module.renderer.take_warnings();
        EXPECT_TRUE(warnings.empty())
            << name << " at " << scaled << (night ? " by night" : "") << ": " << warnings.front();
      }
    }
    module.host.remove(instance);
  }
}

TEST(AllGauges, TheDefaultPanelPlacesEachGaugeOnceWithoutProblem) {
  Module module;
  const host::PanelConfig config = testing::default_panel_config();
  host::Panel panel(module.host);
  panel.place(config);
  EXPECT_TRUE(panel.problems().empty()) << panel.problems().front();
  std::map<std::string, int> placed;
  for (const host::PanelGaugePlace& gauge : panel.window().gauges) {
    ++placed[gauge.instance->name()];
  }
  std::set<std::string> module_gauges;
  for (GaugeHeader* gauge : module.host.gauges()) module_gauges.insert(gauge->name);
  EXPECT_EQ(panel.window().gauges.size(), 51u);
  for (const std::string& name : module_gauges) EXPECT_EQ(placed[name], 1) << name;
  EXPECT_EQ(placed.size(), module_gauges.size()) << "a gauge the module does not have";

  // The whole panel draws without warning too, by day and by night.
  for (bool night : {false, true}) {
    module.host.update();
    host::Canvas canvas(panel.window().width, panel.window().height);
    panel.draw(module.renderer, canvas, host::lighting_of(module.host.variables(), night));
    const std::vector<std::string> warnings = module.renderer.take_warnings();
    EXPECT_TRUE(warnings.empty()) << warnings.front();
  }

  // A language switch or a loaded file places the panel again: still one
  // instance per gauge line.
  module.host.set_language(host::Language::kEnglish);
  panel.place(config);
  EXPECT_EQ(module.host.instances().size(), 51u);
  EXPECT_EQ(panel.window().gauges.size(), 51u);
}

// The painter draws only what changed, and what it leaves is what a whole
// drawing gives: on a zoomed, panned view at a display's density, after
// needles move, a switch flips and the lighting changes, its canvas equals
// the panel drawn afresh, pixel for pixel.
TEST(AllGauges, DrawingOnlyWhatChangedGivesTheWholeDrawingsPixels) {
  Module module;
  host::Panel panel(module.host);
  panel.place(testing::default_panel_config());
  const host::View view{1.13, 30.0, 10.0};
  host::Canvas kept(1500, 760);
  host::ScreenPainter painter;
  auto paint = [&](bool night) {
    module.host.update();
    return painter.paint(panel, module.renderer, kept,
                         host::lighting_of(module.host.variables(), night), view, false);
  };
  auto same_as_whole = [&](bool night, const char* when) {
    host::Canvas whole(kept.width(), kept.height());
    panel.draw(module.renderer, whole, host::lighting_of(module.host.variables(), night), false,
               view);
    size_t differ = 0;
    for (size_t i = 0; i < whole.pixels().size(); ++i)
      differ += whole.pixels()[i] != kept.pixels()[i];
    EXPECT_EQ(differ, 0u) << when;
  };

  ASSERT_EQ(paint(false).size(), 1u) << "the first frame draws everything";
  // The hour meter's drum turns with engine time: stop the engine's clock.
  module.host.variables().set(token::kEngineRpm, 0);
  paint(false);
  EXPECT_TRUE(paint(false).empty()) << "nothing changed, nothing drawn";

  // The airspeed needle moves: the two airspeed indicators (they read the
  // same token) and nothing else.
  module.host.variables().set(token::kIndicatedAirspeed,
                              module.host.variables().number(token::kIndicatedAirspeed) + 7);
  const std::vector<host::render::IntRect> moved = paint(false);
  EXPECT_GE(moved.size(), 1u);
  EXPECT_LE(moved.size(), 3u);
  same_as_whole(false, "after the airspeed moved");

  // The battery switch flips (its rocker, and whatever the bus feeds).
  module.host.variables().set(token::kBatteryMaster,
                              module.host.variables().number(token::kBatteryMaster) != 0 ? 0 : 1);
  EXPECT_FALSE(paint(false).empty());
  same_as_whole(false, "after the battery switch");

  // Night draws the whole panel.
  const std::vector<host::render::IntRect> night = paint(true);
  ASSERT_EQ(night.size(), 1u);
  EXPECT_EQ(night[0].x1 - night[0].x0, kept.width());
  same_as_whole(true, "by night");
}

}  // namespace
}  // namespace tavrel
