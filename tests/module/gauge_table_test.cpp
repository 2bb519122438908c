// Checks over the whole gauge table, so they hold for every gauge as it lands.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <set>
#include <string>

#include "host/host.h"
#include "host/mouse.h"
#include "module/element_walk.h"
#include "module/linkage.h"

namespace tavrel {
namespace {

// The gauge catalogue: every gauge the module supplies, by the name a panel
// configuration places it under, in the order of the module's table.
constexpr const char* kCatalogue[] = {
    "Turn_Coordinator",
    "Thrust_Controls",
    "Battery_Switch",
    "Carb_Temperature",
    "Registration",
    "Vertical_Speed",
    "Airspeed_Mph",
    "Airspeed_Kts",
    "Magnetic_Compass",
    "Fuel_Quantity",
    "Tachometer",
    "Altimeter",
    "Flaps",
    "Manifold_Pressure",
    "Attitude",
    "Suction_Indicator",
    "Hourmeter",
    "Oil_Temp_Press",
    "CHT_Indicator",
    "Voltmeter",
    "Ammeter",
    "Gyro_Compass",
    "Directionnal_Gyro",
    "Landing_Gear",
    "Fuel_Selector",
    "Bendix_DME",
    "VOR1_Indicator",
    "RMI",
    "ADF_Indicator",
    "Tank_Selector",
    "Low_Fuel_Lamp",
    "Magnetos_Switch",
    "Panel_Lights_Switch",
    "Strobe_Lights_Switch",
    "Nav_Lights_Switch",
    "Landing_Lights_Switch",
    "Beacon_Lights_Switch",
    "Stall_Warning_Light",
    "Starter_Switch",
    "Pitot_Heat",
    "Avionics_Switch",
    "Instrument_Zoom",
    "Fuel_Zoom",
    "Close_Subpanel",
    "View_Radios",
    "Show_Yoke",
    "Landing_View_Toggle",
    "Nav_Instruments_Toggle",
    "Kneeboard_Toggle",
    "ATC_Toggle",
    "Map_Toggle",
};
static_assert(std::size(kCatalogue) == 51);

std::vector<GaugeHeader*> gauge_table() {
  std::vector<GaugeHeader*> table;
  for (int i = 0; Linkage.gauges[i] != nullptr; ++i) table.push_back(Linkage.gauges[i]);
  return table;
}

TEST(ModuleRecord, LinkageAndImportTable) {
  EXPECT_EQ(Linkage.module_id, 0x13u);
  EXPECT_NE(Linkage.module_init, nullptr);
  EXPECT_EQ(Linkage.module_init, Linkage.module_deinit);
  EXPECT_EQ(Linkage.flags, 0u);
  EXPECT_EQ(Linkage.priority, 0u);
  EXPECT_EQ(Linkage.version, 0x800u);
  EXPECT_EQ(ImportTable.panels.id, 0x0Fu);
  EXPECT_EQ(ImportTable.end.id, 0u);
  EXPECT_EQ(ImportTable.end.pointer, nullptr);
}

TEST(GaugeTable, HoldsCatalogueGaugesInCatalogueOrder) {
  // Every gauge of the table is in the catalogue, and after the one before
  // it.
  const auto* next = std::begin(kCatalogue);
  for (GaugeHeader* gauge : gauge_table()) {
    ASSERT_NE(gauge->name, nullptr);
    std::string name = gauge->name;
    const auto* found = std::find(std::begin(kCatalogue), std::end(kCatalogue), name);
    ASSERT_NE(found, std::end(kCatalogue)) << name << " is not a catalogue name";
    EXPECT_GE(found, next) << name << " is out of catalogue order";
    next = std::max(next, found + 1);
  }
  // And no gauge of the catalogue is missing.
  std::set<std::string> landed;
  for (GaugeHeader* gauge : gauge_table()) landed.insert(gauge->name);
  std::string missing;
  for (const char* name : kCatalogue) {
    if (landed.count(name) == 0) missing += std::string(missing.empty() ? "" : ", ") + name;
  }
  EXPECT_EQ(missing, "") << "gauges missing from the table";
}

TEST(GaugeTable, EveryHeaderIsVersion800WithAUniqueNameAndOneRoot) {
  std::set<std::string> names;
  for (GaugeHeader* gauge : gauge_table()) {
    ASSERT_NE(gauge->name, nullptr);
    EXPECT_TRUE(names.insert(gauge->name).second) << gauge->name;
    EXPECT_EQ(gauge->header_version, 800u) << gauge->name;
    EXPECT_GT(gauge->size_x_mm, 0u);
    EXPECT_EQ(gauge->size_y_mm, 0u);
    EXPECT_EQ(gauge->parameters, nullptr) << gauge->name;
    ASSERT_NE(gauge->element_list, nullptr);
    const ElementHeader* root = gauge->element_list[0];
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->element_type, kStaticImage) << gauge->name << ": the root is the background";
    for_each_element(*gauge, [&](const ElementHeader& e, int) {
      EXPECT_EQ(e.gauge, gauge) << gauge->name << ": element " << e.resource_id;
      EXPECT_GE(e.element_type, kStaticImage);
      EXPECT_LE(e.element_type, kSprite);
    });
  }
}

TEST(GaugeTable, EveryMouseListClosesTheOuterParentThenEnds) {
  for (GaugeHeader* gauge : gauge_table()) {
    ASSERT_NE(gauge->mouse_rect, nullptr) << gauge->name;
    host::MouseMap map(gauge->mouse_rect);
    EXPECT_TRUE(map.well_formed()) << gauge->name << ": " << map.error();
    const MouseRect* list = gauge->mouse_rect;
    EXPECT_EQ(list[0].type, kMouseParent);
    int end = 0;
    while (list[end].type != kMouseEnd) ++end;
    EXPECT_EQ(list[end - 1].type, kMouseClose) << gauge->name;
    for (int i = 0; i <= end; ++i) {
      const MouseRect& r = list[i];
      if (r.type == kMouseChild) {
        // A child fires a key event or calls a function, never both or neither.
        EXPECT_NE(r.event_id != 0, r.function != nullptr) << gauge->name << " record " << i;
        EXPECT_NE(r.mouse_flags & kMouseLeftSingle, 0u);
      } else {
        EXPECT_EQ(r.cursor, -1) << gauge->name << " record " << i;
        EXPECT_EQ(r.mouse_flags, 0u);
        EXPECT_EQ(r.event_id, 0u);
        EXPECT_EQ(r.function, nullptr);
      }
    }
  }
}

}  // namespace
}  // namespace tavrel
