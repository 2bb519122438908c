// The hotspots on the stand-in host: parameter strings read at install, at
// panel open and at a click, through real instances.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "host/fonts.h"
#include "host/host.h"
#include "host/render.h"

namespace tavrel {
namespace {

using Fired = std::vector<host::FiredEvent>;

constexpr uint32_t kOpen = 66507, kClose = 66508, kToggle = 66506;
constexpr uint32_t kStepDown = 66524, kStepUp = 66525, kStepReset = 66530;

constexpr const char* kConfigurable[] = {
    "Instrument_Zoom", "Fuel_Zoom",           "Close_Subpanel",        "View_Radios",
    "Show_Yoke",       "Landing_View_Toggle", "Nav_Instruments_Toggle"};

class Hotspots : public ::testing::Test {
 protected:
  host::Host host{host::bind_module("", nullptr)};

  // Places the hotspot, forgets what placing fired, clicks inside its box.
  Fired click(const std::string& parameters, const char* gauge = "View_Radios") {
    host::GaugeInstance& g = host.place(gauge, parameters);
    host.clear_fired();
    EXPECT_NE(g.click(9, 9).child, nullptr);
    return host.fired();
  }

  int background(host::GaugeInstance& g) { return g.root()->resource_id; }
};

// --- The click: panel idents --------------------------------------------------

TEST_F(Hotspots, PanelIdentsByNameOrByNumber) {
  EXPECT_EQ(click("oRADIO_STACK_PANEL"), (Fired{{kOpen, 50}}));
  EXPECT_EQ(click("o50"), (Fired{{kOpen, 50}}));
  // A name may run on into other text; names are tried in order, so the
  // longer ANNUNCIATOR2 is not taken for ANNUNCIATOR.
  EXPECT_EQ(click("oGPS_PANEL_LEFT"), (Fired{{kOpen, 225}}));
  EXPECT_EQ(click("oANNUNCIATOR2_PANEL"), (Fired{{kOpen, 150}}));
  EXPECT_EQ(click("oIFR_MAIN_PANEL"), (Fired{{kOpen, 175}}));
  EXPECT_EQ(click("o 007x"), (Fired{{kOpen, 7}}));  // digits as atoi reads them
}

TEST_F(Hotspots, IdentsWithoutDigitsAreZeroNegativeOrEmptyOnesFireNothing) {
  EXPECT_EQ(click("oFOO"), (Fired{{kOpen, 0}}));
  EXPECT_EQ(click("o"), Fired{});    // the key at the very end: empty value
  EXPECT_EQ(click("o-3"), Fired{});  // below 0: no ident
  EXPECT_EQ(click("X o"), Fired{});
  EXPECT_TRUE(host.toggled_windows().empty());  // non-empty strings: no fallback
}

TEST_F(Hotspots, EveryOpenThenEveryCloseThenEveryToggleWhateverTheirOrder) {
  EXPECT_EQ(click("o50 o75 t10"), (Fired{{kOpen, 50}, {kOpen, 75}, {kToggle, 10}}));
  EXPECT_EQ(click("t10 c75"), (Fired{{kClose, 75}, {kToggle, 10}}));
  EXPECT_EQ(click("t1 c2 o3 t4 c5 o6"),
            (Fired{{kOpen, 3}, {kOpen, 6}, {kClose, 2}, {kClose, 5}, {kToggle, 1}, {kToggle, 4}}));
}

TEST_F(Hotspots, PanelEventsActOnTheHostsWindows) {
  click("o50 t75");
  EXPECT_TRUE(host.window_open(50));
  EXPECT_TRUE(host.window_open(75));
  click("c50 t75");
  EXPECT_FALSE(host.window_open(50));
  EXPECT_FALSE(host.window_open(75));
}

// --- The click: counted steps -------------------------------------------------

TEST_F(Hotspots, StepsFireTheirCountOnlyForTheFirstP) {
  EXPECT_EQ(click("p-2"), (Fired{{kStepDown, 0}, {kStepDown, 0}}));
  EXPECT_EQ(click("p3"), (Fired{{kStepUp, 0}, {kStepUp, 0}, {kStepUp, 0}}));
  EXPECT_EQ(click("pX"), (Fired{{kStepReset, 0}}));
  EXPECT_EQ(click("p"), (Fired{{kStepReset, 0}}));
  EXPECT_EQ(click("p1 p5"), (Fired{{kStepUp, 0}}));
  EXPECT_EQ(click("o50 p1"), (Fired{{kOpen, 50}, {kStepUp, 0}}));  // steps come last
}

TEST_F(Hotspots, HugeStepCountsStopAtAThousandEachWay) {
  EXPECT_EQ(click("p1000"), Fired(1000, {kStepUp, 0}));
  EXPECT_EQ(click("p1001"), Fired(1000, {kStepUp, 0}));
  EXPECT_EQ(click("p4294967297"), Fired(1000, {kStepUp, 0}));  // would wrap to 1 in 32 bits
  EXPECT_EQ(click("p-99999999999999999999"), Fired(1000, {kStepDown, 0}));
  EXPECT_EQ(click("p-2147483648"), Fired(1000, {kStepDown, 0}));
}

// --- The comment rule and free text ------------------------------------------

TEST_F(Hotspots, ACommentCharacterHidesEveryKeyAfterIt) {
  EXPECT_EQ(click("c50 # t10"), (Fired{{kClose, 50}}));
  EXPECT_EQ(click("o50 / p3"), (Fired{{kOpen, 50}}));
  EXPECT_EQ(click("o50 'o60"), (Fired{{kOpen, 50}}));
  EXPECT_EQ(click("# c50"), Fired{});
  EXPECT_TRUE(host.toggled_windows().empty());  // non-empty: no fallback either
}

TEST_F(Hotspots, KeyLettersInFreeTextBeforeAnyCommentAreKeys) {
  // "this": "t" reads "his" (no digits: ident 0), "h" reads "is" (no tooltip).
  host::GaugeInstance& g = host.place("View_Radios", "this");
  EXPECT_EQ(g.tooltip_at(9, 9), 0u);
  host.clear_fired();
  g.click(9, 9);
  EXPECT_EQ(host.fired(), (Fired{{kToggle, 0}}));
  // Behind a comment the same text is harmless.
  EXPECT_EQ(click("o50 # this"), (Fired{{kOpen, 50}}));
}

TEST_F(Hotspots, NoStringOrAnEmptyOneTogglesTheMainPanelAndNothingElse) {
  for (const char* gauge : kConfigurable) {
    host.clear_fired();
    host::GaugeInstance& g = host.place(gauge);
    EXPECT_TRUE(host.fired().empty()) << gauge;  // nothing at install or panel open
    EXPECT_EQ(background(g), g.gauge().element_list[0]->resource_id);
    g.click(9, 9);
    EXPECT_TRUE(host.fired().empty()) << gauge;
    EXPECT_EQ(host.toggled_windows(), std::vector<uint32_t>{0}) << gauge;
  }
  EXPECT_EQ(click(""), Fired{});
  EXPECT_EQ(host.toggled_windows(), std::vector<uint32_t>{0});
  EXPECT_EQ(click("XYZ"), Fired{});  // no action keys: nothing at all
  EXPECT_TRUE(host.toggled_windows().empty());
}

// --- Install: background and tooltip ------------------------------------------

TEST_F(Hotspots, BackgroundKeyChoosesOneOfTheSevenIcons) {
  for (int id = 1300; id <= 1360; id += 10) {
    host::GaugeInstance& g = host.place("Show_Yoke", "b" + std::to_string(id));
    EXPECT_EQ(background(g), id);
  }
  for (const char* outside : {"b1315", "b1290", "b1370", "b-1310", "b", "b99999999999"}) {
    host::GaugeInstance& g = host.place("Show_Yoke", outside);
    EXPECT_EQ(background(g), 1340) << outside;
  }
}

TEST_F(Hotspots, AnIconOutsideTheFamilyLeavesTheTooltipUnappliedToo) {
  host::GaugeInstance& bad = host.place("View_Radios", "b1315 hTOGGLE_GPS_WINDOW");
  EXPECT_EQ(background(bad), 1330);
  EXPECT_EQ(bad.tooltip_at(9, 9), 0u);
  host::GaugeInstance& good = host.place("View_Radios", "b1310 hTOGGLE_GPS_WINDOW");
  EXPECT_EQ(background(good), 1310);
  EXPECT_EQ(good.tooltip_at(9, 9), 43911u);
}

TEST_F(Hotspots, TooltipByNameOrByAHelpIdOfTheHosts) {
  auto tooltip = [&](const std::string& parameters) {
    return host.place("Fuel_Zoom", parameters).tooltip_at(0, 0);
  };
  EXPECT_EQ(tooltip("hTOGGLE_FUEL_WINDOW"), 43914u);
  EXPECT_EQ(tooltip("hTOGGLE_COLLECTIVE_WINDOW and more"), 43915u);
  EXPECT_EQ(tooltip("h43950"), 43950u);
  EXPECT_EQ(tooltip("h40960"), 40960u);
  EXPECT_EQ(tooltip("h40959"), 0u);
  EXPECT_EQ(tooltip("h100"), 0u);
  EXPECT_EQ(tooltip("h-43950"), 0u);
  EXPECT_EQ(tooltip("hTOGGLE_NOTHING"), 0u);
  EXPECT_EQ(tooltip("h"), 0u);
  EXPECT_EQ(tooltip("h99999999999"), uint32_t{INT32_MAX});  // saturated, not wrapped
}

TEST_F(Hotspots, InstallWritesOnlyItsOwnInstancesRecords) {
  host::GaugeInstance& pump = host.place("View_Radios", "b1310 hTOGGLE_FUEL_WINDOW");
  host::GaugeInstance& arrows = host.place("View_Radios", "b1350 hTOGGLE_GPS_WINDOW");
  host::GaugeInstance& plain = host.place("View_Radios");
  EXPECT_EQ(background(pump), 1310);
  EXPECT_EQ(background(arrows), 1350);
  EXPECT_EQ(background(plain), 1330);
  EXPECT_EQ(pump.tooltip_at(1, 1), 43914u);
  EXPECT_EQ(arrows.tooltip_at(1, 1), 43911u);
  EXPECT_EQ(plain.tooltip_at(1, 1), 0u);
  // The module's own records stay as built.
  EXPECT_EQ(pump.gauge().element_list[0]->resource_id, 1330);
  EXPECT_EQ(pump.gauge().mouse_rect[0].help_id, 0u);

  // And they draw different pictures.
  host::FontLibrary fonts;
  host::Renderer renderer(host.bitmaps(), fonts);
  host::Lighting day = host::lighting_of(host.variables(), false);
  host::Canvas a = host::render_gauge(renderer, pump, 19, day, false);
  host::Canvas b = host::render_gauge(renderer, arrows, 19, day, false);
  ASSERT_EQ(a.width(), 19);
  ASSERT_EQ(b.width(), 19);
  int differing = 0;
  for (int y = 0; y < 19; ++y) {
    for (int x = 0; x < 19; ++x) differing += a.at(x, y) != b.at(x, y);
  }
  EXPECT_GT(differing, 20);
}

// --- Panel open -------------------------------------------------------------------

TEST_F(Hotspots, PanelOpenClosesTheNamedWindowEachTimeItsOwnWindowOpens) {
  host.place("Close_Subpanel", "aGPS_PANEL");  // the main panel is open: at once
  EXPECT_EQ(host.fired(), (Fired{{kClose, 225}}));

  host.clear_fired();
  host.place("Close_Subpanel", "aGPS_PANEL", 7);  // a closed window: not yet
  EXPECT_TRUE(host.fired().empty());
  host.fire(kOpen, 225);
  host.fire(kOpen, 7);  // opening 7 closes 225
  EXPECT_EQ(host.fired(), (Fired{{kOpen, 225}, {kOpen, 7}, {kClose, 225}}));
  EXPECT_FALSE(host.window_open(225));
  host.clear_fired();
  host.fire(kToggle, 7);  // closed
  host.fire(kToggle, 7);  // open again: closes 225 again
  EXPECT_EQ(host.fired(), (Fired{{kToggle, 7}, {kToggle, 7}, {kClose, 225}}));
}

TEST_F(Hotspots, PanelOpenReadsOnlyTheFirstAAndNeverAtAClick) {
  host::GaugeInstance& g = host.place("Fuel_Zoom", "a75 a50");
  EXPECT_EQ(host.fired(), (Fired{{kClose, 75}}));
  host.clear_fired();
  g.click(9, 9);
  EXPECT_TRUE(host.fired().empty());
  host.place("Fuel_Zoom", "a-1 / a50");
  host.place("Fuel_Zoom", "# a50");
  EXPECT_TRUE(host.fired().empty());
}

// --- The boxes --------------------------------------------------------------------

TEST_F(Hotspots, OnlyTheInsetBoxTakesClicks) {
  for (const char* gauge : kConfigurable) {
    host::GaugeInstance& g = host.place(gauge, "o50");
    for (auto [x, y] : {std::pair{3, 3}, {15, 15}, {3, 15}, {15, 3}}) {
      EXPECT_NE(g.click(x, y).child, nullptr) << gauge << " " << x << "," << y;
    }
    for (auto [x, y] : {std::pair{2, 9}, {9, 2}, {16, 9}, {9, 16}, {0, 0}, {18, 18}}) {
      EXPECT_EQ(g.click(x, y).child, nullptr) << gauge << " " << x << "," << y;
    }
  }
}

TEST_F(Hotspots, InstrumentZoomIsInvisibleYetTakesClicks) {
  host::GaugeInstance& g = host.place("Instrument_Zoom", "o50");
  host.update();
  host::FontLibrary fonts;
  host::Renderer renderer(host.bitmaps(), fonts);
  host::Canvas picture =
      host::render_gauge(renderer, g, 57, host::lighting_of(host.variables(), false), false);
  ASSERT_EQ(picture.width(), 57);
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      ASSERT_EQ(picture.at(x, y) >> 24, 0u) << x << "," << y;  // fully transparent
    }
  }
  host.clear_fired();
  g.click(9, 9);
  EXPECT_EQ(host.fired(), (Fired{{kOpen, 50}}));
}

TEST_F(Hotspots, FixedHotspotsFireTheirEventAndReadNoString) {
  struct Case {
    const char* gauge;
    uint32_t event;
    uint32_t tooltip;
  };
  for (Case c : {Case{"Kneeboard_Toggle", 65876, 43923}, Case{"ATC_Toggle", 65564, 43924},
                 Case{"Map_Toggle", 66432, 43919}}) {
    host.clear_fired();
    host::GaugeInstance& g = host.place(c.gauge, "b1310 hTOGGLE_GPS_WINDOW aGPS_PANEL o50");
    EXPECT_TRUE(host.fired().empty()) << c.gauge;
    EXPECT_EQ(g.tooltip_at(1, 1), c.tooltip) << c.gauge;
    EXPECT_NE(background(g), 1310) << c.gauge;
    g.click(10, 10);
    EXPECT_EQ(host.fired(), (Fired{{c.event, 0}})) << c.gauge;
    EXPECT_TRUE(host.toggled_windows().empty());
  }
}

TEST_F(Hotspots, MapToggleTakesClicksOnlyWhereItsBoxLiesOnItsIcon) {
  host::GaugeInstance& map = host.place("Map_Toggle");
  EXPECT_NE(map.click(10, 10).child, nullptr);
  EXPECT_NE(map.click(11, 11).child, nullptr);  // the icon's last pixel
  EXPECT_EQ(host.fired(), (Fired{{66432, 0}, {66432, 0}}));
  host.clear_fired();
  // Top and left bands, and the box's part past the 12-pixel icon.
  for (auto [x, y] : {std::pair{1, 1}, {2, 10}, {10, 2}, {12, 10}, {10, 12}, {15, 15}}) {
    EXPECT_EQ(map.click(x, y).child, nullptr) << x << "," << y;
  }
  EXPECT_TRUE(host.fired().empty());
}

}  // namespace
}  // namespace tavrel
