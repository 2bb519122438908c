// Short English texts for the help ids our gauges carry, for pages and
// tools that show a tooltip (the simulator shows its own text for an id; the
// stand-in host has only these).
#pragma once

#include <cstdint>
#include <string_view>

namespace tavrel::host {

// The text for a help id, or an empty view when the host knows none.
std::string_view help_text(uint32_t help_id);

}  // namespace tavrel::host
