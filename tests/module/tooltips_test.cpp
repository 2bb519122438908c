// Every help id that a gauge's mouse list carries, as built or as the
// default panel's parameter strings rewrite it, has a tooltip text.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "host/catalogue.h"
#include "host/host.h"
#include "host/panel.h"
#include "host/panel_config.h"
#include "tests/default_panel.h"

namespace tavrel {
namespace {

// The help ids of a mouse list up to its end record.
void collect(const MouseRect* list, std::set<uint32_t>& ids) {
  for (int i = 0; list != nullptr && i < 1024 && list[i].type != kMouseEnd; ++i) {
    if (list[i].help_id != 0) ids.insert(list[i].help_id);
  }
}

TEST(HelpTexts, EveryHelpIdOfEveryGaugeAndOfTheDefaultPanelHasAText) {
  host::Host host{host::bind_module("", nullptr)};
  std::set<uint32_t> ids;
  for (GaugeHeader* gauge : host.gauges()) collect(gauge->mouse_rect, ids);
  const host::PanelConfig config = testing::default_panel_config();
  host::Panel panel(host);
  panel.place(config);
  for (const host::PanelGaugePlace& gauge : panel.window().gauges) {
    collect(gauge.instance->header()->mouse_rect, ids);
  }
  // The gauges carry tooltips; the set is no formality.
  EXPECT_GT(ids.size(), 40u);
  for (uint32_t id : ids) EXPECT_FALSE(host::help_text(id).empty()) << "help id " << id;
}

TEST(HelpTexts, AnIdTheHostDoesNotKnowHasNoText) {
  EXPECT_TRUE(host::help_text(0).empty());
  EXPECT_TRUE(host::help_text(43796).empty());  // between two known ids
  EXPECT_TRUE(host::help_text(99999).empty());
  EXPECT_EQ(host::help_text(43795), "Battery master switch");
}

}  // namespace
}  // namespace tavrel
