// The three host panel services this module calls, reached through the
// table the host stores in ImportTable.
#pragma once

#include "module/records.h"

namespace tavrel::host_services {

void panel_window_toggle(uint32_t ident);
void trigger_key_event(uint32_t event, uint32_t value);
void lookup_var(ModuleVar* var);

// Reads one token variable through lookup_var, as a 64-bit float or as the
// 32-bit integer that enumerated and flag variables hold.
double read_number(uint32_t token);
int32_t read_integer(uint32_t token);

}  // namespace tavrel::host_services
