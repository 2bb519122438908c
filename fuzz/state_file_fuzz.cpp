// Flight-state files are written by hand: any text is accepted or refused
// with a message, never a crash.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "host/state_file.h"
#include "host/variables.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  std::vector<tavrel::host::VariableSetting> settings;
  std::string error;
  if (tavrel::host::parse_state(in, "fuzz.state", settings, error)) {
    tavrel::host::VariableStore variables;
    tavrel::host::apply_settings(settings, variables);
  }
  return 0;
}
