#include "module/services.h"

#include "module/linkage.h"

namespace tavrel::host_services {
namespace {

// The entry of the services table, or null while the host has not filled it
// in (the module then stays silent rather than jump through null).
template <typename Service>
Service entry(int index) {
  void** table = static_cast<void**>(ImportTable.panels.pointer);
  if (table == nullptr) return nullptr;
  return reinterpret_cast<Service>(table[index]);
}

ModuleVar looked_up(uint32_t token) {
  ModuleVar var{};
  var.id = token;
  lookup_var(&var);
  return var;
}

}  // namespace

void panel_window_toggle(uint32_t ident) {
  if (auto service = entry<PanelWindowToggleService>(kServicePanelWindowToggle)) service(ident);
}

void trigger_key_event(uint32_t event, uint32_t value) {
  if (auto service = entry<TriggerKeyEventService>(kServiceTriggerKeyEvent)) service(event, value);
}

void lookup_var(ModuleVar* var) {
  if (auto service = entry<LookupVarService>(kServiceLookupVar)) service(var);
}

double read_number(uint32_t token) {
  return looked_up(token).var_value.number;
}

int32_t read_integer(uint32_t token) {
  return looked_up(token).var_value.integer;
}

}  // namespace tavrel::host_services
