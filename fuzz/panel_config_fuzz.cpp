// Panel configurations are written by hand: any text must parse to gauges
// and problems, never crash.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "host/panel_config.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  tavrel::host::PanelConfig config = tavrel::host::parse_panel_config(in, "fuzz.cfg");
  (void)config;
  return 0;
}
