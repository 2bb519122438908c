// The battery switch on the stand-in host: data alone switches the battery.
#include <gtest/gtest.h>

#include "host/host.h"

namespace tavrel {
namespace {

constexpr uint32_t kBatteryMaster = 364;

class BatterySwitch : public ::testing::Test {
 protected:
  host::Host host{host::bind_module("", nullptr)};
  host::GaugeInstance& gauge = host.place("Battery_Switch");

  int rocker_icon() {
    host.update();
    return gauge.elements().at(1).icon_index;
  }
};

// The gauge as the host places it: header, element tree and mouse list,
// read from the instance's own copies of the records.
TEST_F(BatterySwitch, PlacedRecordsMatchTheSwitchSheet) {
  GaugeHeader& header = *gauge.header();
  EXPECT_STREQ(header.name, "Battery_Switch");
  EXPECT_EQ(header.header_version, 800u);
  EXPECT_EQ(header.size_x_mm, 30u);
  EXPECT_EQ(header.size_y_mm, 0u);
  EXPECT_EQ(header.gauge_callback, nullptr);

  // The slanted bar, then the rocker icon over it: two elements.
  const std::vector<host::ElementState>& elements = gauge.elements();
  ASSERT_EQ(elements.size(), 2u);
  const ElementHeader& bar = *elements[0].element;
  EXPECT_EQ(bar.element_type, 0);  // static image
  EXPECT_EQ(bar.resource_id, 200);
  EXPECT_EQ(bar.position.x, 0);
  EXPECT_EQ(bar.position.y, 0);
  EXPECT_EQ(bar.image_flags, 0x3u);
  EXPECT_EQ(bar.failures, nullptr);

  const ElementHeader& rocker_header = *elements[1].element;
  EXPECT_EQ(elements[1].depth, 1);
  EXPECT_EQ(rocker_header.element_type, 4);  // icon
  EXPECT_EQ(rocker_header.resource_id, 210);
  EXPECT_EQ(rocker_header.position.x, 0);
  EXPECT_EQ(rocker_header.position.y, 0);
  EXPECT_EQ(rocker_header.image_flags, 0x3u);
  EXPECT_EQ(rocker_header.failures, nullptr);
  const auto& rocker = *reinterpret_cast<const IconElement*>(&rocker_header);
  EXPECT_EQ(rocker.source_var.id, kBatteryMaster);
  EXPECT_EQ(rocker.callback, nullptr);
  EXPECT_EQ(rocker.switch_type, 0);
  EXPECT_EQ(rocker.icon_count, 2);
  EXPECT_EQ(rocker.scale, 1.0);
  EXPECT_EQ(rocker.offset, 0);

  // Bitmaps: the bar and both rocker pictures, 70 x 45 each.
  for (int id : {200, 210, 211}) {
    int width = 0, height = 0;
    ASSERT_TRUE(host.bitmap_size(id, width, height)) << id;
    EXPECT_EQ(width, 70) << id;
    EXPECT_EQ(height, 45) << id;
  }

  // Mouse list: the whole gauge with the switch's tooltip, one child, the
  // close of the outer parent and the end.
  const MouseRect* list = header.mouse_rect;
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list[0].type, 1u);
  EXPECT_EQ(list[0].help_id, 43795u);
  EXPECT_EQ(list[0].cursor, -1);
  const MouseRect& child = list[1];
  EXPECT_EQ(child.type, 2u);
  EXPECT_EQ(child.box.x, 0);
  EXPECT_EQ(child.box.y, 0);
  EXPECT_EQ(child.box.width, 55);
  EXPECT_EQ(child.box.height, 35);
  EXPECT_EQ(child.cursor, 5);
  EXPECT_EQ(child.help_id, 0u);
  EXPECT_EQ(child.mouse_flags, 0x20000000u);
  EXPECT_EQ(child.event_id, 66241u);
  EXPECT_EQ(child.function, nullptr);
  EXPECT_EQ(list[2].type, 3u);
  EXPECT_EQ(list[3].type, 0u);
  EXPECT_TRUE(gauge.mouse().well_formed()) << gauge.mouse().error();
}

TEST_F(BatterySwitch, IconFollowsTheBatteryMaster) {
  host.variables().set(kBatteryMaster, 0);
  EXPECT_EQ(rocker_icon(), 0);  // bitmap 210: off
  host.variables().set(kBatteryMaster, 1);
  EXPECT_EQ(rocker_icon(), 1);  // bitmap 211: on
  EXPECT_EQ(gauge.elements().at(1).element->resource_id, 210);
  EXPECT_EQ(gauge.elements().at(0).element->resource_id, 200);
}

TEST_F(BatterySwitch, ClickOnTheRockerTogglesTheBatteryOnTheNextUpdate) {
  host.variables().set(kBatteryMaster, 0);
  EXPECT_EQ(rocker_icon(), 0);
  host::ClickResult result = gauge.click(10, 10);
  ASSERT_NE(result.child, nullptr);
  ASSERT_EQ(host.fired().size(), 1u);
  EXPECT_EQ(host.fired()[0].event, 66241u);
  EXPECT_EQ(host.fired()[0].value, 0u);
  EXPECT_EQ(rocker_icon(), 1);
  gauge.click(54, 34);  // the last pixel of the box
  EXPECT_EQ(rocker_icon(), 0);
}

TEST_F(BatterySwitch, ClicksBesideOrBelowTheRockerDoNothing) {
  for (auto [x, y] : {std::pair{60, 10}, {10, 40}, {55, 10}, {10, 35}, {69, 44}}) {
    EXPECT_EQ(gauge.click(x, y).child, nullptr) << x << "," << y;
  }
  EXPECT_TRUE(host.fired().empty());
}

TEST_F(BatterySwitch, TooltipAnywhereOnTheSwitch) {
  for (auto [x, y] : {std::pair{0, 0}, {10, 10}, {60, 10}, {69, 44}}) {
    EXPECT_EQ(gauge.tooltip_at(x, y), 43795u);
  }
  // Off the 70 x 45 picture there is no switch.
  for (auto [x, y] : {std::pair{70, 10}, {10, 45}, {-1, 0}, {500, 500}}) {
    EXPECT_EQ(gauge.tooltip_at(x, y), 0u) << x << "," << y;
  }
}

}  // namespace
}  // namespace tavrel
