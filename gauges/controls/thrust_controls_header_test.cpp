// The throttle quadrant's recorded header, module state that only the
// native build's tests can see.
#include <gtest/gtest.h>

#include "gauges/controls/thrust_controls.h"
#include "host/host.h"

namespace tavrel {
namespace {

TEST(ThrustControlsHeader, AnyServiceRecordsTheHeader) {
  host::Host host{host::bind_module("", nullptr)};
  host::GaugeInstance& quadrant = host.place("Thrust_Controls");
  EXPECT_EQ(gauges::thrust_controls_header, quadrant.header());  // at install
  host::GaugeInstance& second = host.place("Thrust_Controls");
  EXPECT_EQ(gauges::thrust_controls_header, second.header());
  for (uint32_t service : {2u, 12u, 16u, 99u}) {
    quadrant.call_gauge_callback(service);
    EXPECT_EQ(gauges::thrust_controls_header, quadrant.header());
    second.call_gauge_callback(service);
    EXPECT_EQ(gauges::thrust_controls_header, second.header());
  }
  host.update();  // service 6 from each, in placing order
  EXPECT_EQ(gauges::thrust_controls_header, second.header());
}

}  // namespace
}  // namespace tavrel
