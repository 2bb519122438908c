// The module's side of the host services: what our callbacks read and send
// goes through the table the host stores in ImportTable, and nowhere else.
#include "module/services.h"

#include <gtest/gtest.h>

#include <cstring>

#include "host/host.h"
#include "module/linkage.h"

namespace tavrel {
namespace {

class HostServices : public ::testing::Test {
 protected:
  host::Host host{host::bind_module("", nullptr)};
};

TEST_F(HostServices, ReadNumberSeesTheCurrentValueOnEveryCall) {
  host.variables().set(61, 110.5);  // indicated airspeed
  EXPECT_DOUBLE_EQ(host_services::read_number(61), 110.5);
  host.variables().set(61, 87.25);
  EXPECT_DOUBLE_EQ(host_services::read_number(61), 87.25);
  EXPECT_DOUBLE_EQ(host_services::read_number(62), 0.0);  // never set
}

TEST_F(HostServices, ReadIntegerTakesTheFirstFourBytesOfEnumeratedVariables) {
  host.variables().set(307, 6);  // centre tank
  EXPECT_EQ(host_services::read_integer(307), 6);
  // A float variable's first four bytes are not its value.
  host.variables().set(61, 2.0);
  EXPECT_NE(host_services::read_integer(61), 2);
}

TEST_F(HostServices, LookupVarFillsTheRecordItIsGiven) {
  host.variables().set(46, 3);
  ModuleVar var{};
  var.id = 46;
  host_services::lookup_var(&var);
  EXPECT_EQ(var.var_value.integer, 3);
  // A record that already held another variable's value gets the new one.
  var.id = 61;
  host.variables().set(61, 42.0);
  host_services::lookup_var(&var);
  EXPECT_DOUBLE_EQ(var.var_value.number, 42.0);
}

TEST_F(HostServices, TriggerKeyEventReachesTheHostWithItsValue) {
  host_services::trigger_key_event(66241, 0);
  host_services::trigger_key_event(65697, 8192);  // throttle lever, half way
  ASSERT_EQ(host.fired().size(), 2u);
  EXPECT_EQ(host.fired()[0], (host::FiredEvent{66241, 0}));
  EXPECT_EQ(host.fired()[1], (host::FiredEvent{65697, 8192}));
  EXPECT_DOUBLE_EQ(host.variables().number(364), 1.0);  // the host acted at once
  EXPECT_DOUBLE_EQ(host.variables().number(558), 0.5);
}

TEST_F(HostServices, PanelWindowToggleTogglesTheWindowItNames) {
  host_services::panel_window_toggle(7);
  EXPECT_TRUE(host.window_open(7));
  host_services::panel_window_toggle(7);
  EXPECT_FALSE(host.window_open(7));
  host_services::panel_window_toggle(0);  // the main panel
  EXPECT_FALSE(host.window_open(0));
  EXPECT_EQ(host.toggled_windows(), (std::vector<uint32_t>{7, 7, 0}));
  EXPECT_TRUE(host.fired().empty());  // a service call, not a key event
}

TEST(HostServicesUnbound, AreSilentWhileNoHostHasFilledTheImportTable) {
  ASSERT_EQ(ImportTable.panels.pointer, nullptr);
  host_services::trigger_key_event(66241, 0);
  host_services::panel_window_toggle(7);
  ModuleVar var{};
  var.id = 61;
  var.var_value.number = 5.0;
  host_services::lookup_var(&var);
  EXPECT_DOUBLE_EQ(var.var_value.number, 5.0);  // untouched
  EXPECT_DOUBLE_EQ(host_services::read_number(61), 0.0);
  EXPECT_EQ(host_services::read_integer(307), 0);
}

}  // namespace
}  // namespace tavrel
