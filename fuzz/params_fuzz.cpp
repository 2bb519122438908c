// A hotspot's parameter string is a panel author's free text: whatever it
// holds, install, panel open and a click must stay inside the string and
// the gauge's records, choose only icons of the hotspot family, and fire a
// bounded number of events.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "host/host.h"

namespace {

tavrel::host::Host& shared_host() {
  static tavrel::host::Host host{tavrel::host::bind_module("", nullptr)};
  return host;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using tavrel::host::GaugeInstance;
  tavrel::host::Host& host = shared_host();
  std::string_view parameters(reinterpret_cast<const char*>(data), size);

  // In the open main panel (install, then panel open at once) ...
  host.clear_fired();
  GaugeInstance& open = host.place("View_Radios", parameters);
  int32_t icon = open.root()->resource_id;
  if (icon < 1300 || icon > 1360 || icon % 10 != 0) __builtin_trap();
  open.click(9, 9);
  // Each "o", "c" and "t" fires once at most, "p" a thousand times at most.
  if (host.fired().size() > 3 * size + 1000 + 1) __builtin_trap();
  (void)open.tooltip_at(9, 9);
  host.remove(open);

  // ... and in a window that opens later.
  host.clear_fired();
  GaugeInstance& later = host.place("Close_Subpanel", parameters, 7);
  host.fire(66507, 7);
  host.fire(66508, 7);
  host.remove(later);
  return 0;
}
