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
}

}  // namespace
}  // namespace tavrel
