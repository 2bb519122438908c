// What the flight instrument tests share: a host with one gauge placed, and
// angles compared on the dial (360 degrees apart draw the same).
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "host/host.h"

namespace tavrel::flight_testing {

// An angle reduced to (-180, 180].
inline double on_dial(double degrees) {
  double a = std::fmod(degrees, 360.0);
  if (a <= -180.0) a += 360.0;
  if (a > 180.0) a -= 360.0;
  return a;
}

class PlacedGauge : public ::testing::Test {
 protected:
  explicit PlacedGauge(const char* name) : gauge(host.place(name)) {}

  // Sets a token, runs one update and returns the element's draw state.
  const host::ElementState& after(uint32_t token, double value, size_t element) {
    host.variables().set(token, value);
    host.update();
    return gauge.elements().at(element);
  }
  const host::ElementState& state(size_t element) {
    host.update();
    return gauge.elements().at(element);
  }
  // Clicks a point and returns the events it fired.
  std::vector<host::FiredEvent> click(int x, int y, int hold = 0) {
    host.clear_fired();
    gauge.click(x, y, {.hold = hold, .drag_to = {}});
    return host.fired();
  }

  host::Host host{host::bind_module("", nullptr)};
  host::GaugeInstance& gauge;
};

}  // namespace tavrel::flight_testing
