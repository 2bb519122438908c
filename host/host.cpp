#include "host/host.h"

#include <algorithm>

#include "host/key_events.h"

namespace tavrel::host {
namespace {

Host* g_current = nullptr;

// The three services our gauges call, as the host's table holds them.
void TAVREL_STDCALL service_panel_window_toggle(uint32_t ident) {
  if (Host* host = Host::current()) {
    host->toggle_window(ident);
  }
}

void TAVREL_STDCALL service_trigger_key_event(uint32_t event, uint32_t value) {
  if (Host* host = Host::current()) host->fire(event, value);
}

void TAVREL_STDCALL service_lookup_var(ModuleVar* var) {
  Host* host = Host::current();
  if (host == nullptr || var == nullptr) return;
  host->note_lookup(var->id);
  host->variables().fill(*var);
}

}  // namespace

Host* Host::current() {
  return g_current;
}

Host::Host(std::unique_ptr<ModuleBinding> binding)
    : binding_(std::move(binding)), bitmaps_(std::make_unique<BitmapStore>(*binding_)) {
  if (g_current != nullptr) throw HostError("only one host may be bound at a time");
  g_current = this;
  services_[kServicePanelWindowToggle] = reinterpret_cast<void*>(&service_panel_window_toggle);
  services_[kServiceTriggerKeyEvent] = reinterpret_cast<void*>(&service_trigger_key_event);
  services_[kServiceLookupVar] = reinterpret_cast<void*>(&service_lookup_var);
  ImportTableRecord* imports = binding_->import_table();
  if (imports->panels.id == kPanelsImportId) imports->panels.pointer = services_;
  ModuleLinkageHead* linkage = binding_->linkage();
  if (linkage->module_init != nullptr) linkage->module_init();
}

Host::~Host() {
  while (!instances_.empty()) remove(*instances_.back());
  ModuleLinkageHead* linkage = binding_->linkage();
  if (linkage->module_deinit != nullptr) linkage->module_deinit();
  binding_->import_table()->panels.pointer = nullptr;
  g_current = nullptr;
}

std::vector<GaugeHeader*> Host::gauges() const {
  std::vector<GaugeHeader*> table;
  GaugeHeader** slot = binding_->linkage()->gauges;
  for (int i = 0; i < 1024 && slot[i] != nullptr; ++i) table.push_back(slot[i]);
  return table;
}

GaugeHeader* Host::find_gauge(std::string_view name) const {
  for (GaugeHeader* gauge : gauges()) {
    if (gauge->name != nullptr && name == gauge->name) return gauge;
  }
  return nullptr;
}

GaugeInstance& Host::place(std::string_view name, std::string_view parameters, uint32_t window) {
  GaugeHeader* gauge = find_gauge(name);
  if (gauge == nullptr) throw HostError("unknown gauge \"" + std::string(name) + "\"");
  instances_.push_back(std::make_unique<GaugeInstance>(*this, *gauge, parameters, window));
  GaugeInstance& instance = *instances_.back();
  instance.call_gauge_callback(kServiceInstall, binding_->module_handle());
  if (window_open(window)) instance.call_gauge_callback(kServicePanelOpen);
  return instance;
}

void Host::remove(GaugeInstance& instance) {
  instance.call_gauge_callback(kServicePreKill);
  auto found = std::find_if(instances_.begin(), instances_.end(),
                            [&](const auto& owned) { return owned.get() == &instance; });
  if (found != instances_.end()) instances_.erase(found);
}

void Host::update() {
  updating_ = true;
  for (auto& instance : instances_) {
    if (window_open(instance->window())) instance->update();
  }
  updating_ = false;
  // Events fired during the update act now, between frames, in the order
  // they were fired (so every gauge of the frame saw the same variables).
  if (pending_.empty()) return;
  std::vector<FiredEvent> pending;
  pending.swap(pending_);
  for (const FiredEvent& e : pending) apply(e.event, e.value);
}

void Host::fire(uint32_t event, uint32_t value) {
  fired_.push_back({event, value});
  if (updating_) {
    pending_.push_back({event, value});
  } else {
    apply(event, value);
  }
}

void Host::apply(uint32_t event, uint32_t value) {
  switch (event) {
    case key_event::kPanelWindowToggle:
      window_open(value) ? close_window(value) : open_window(value);
      return;
    case key_event::kPanelWindowOpen:
      open_window(value);
      return;
    case key_event::kPanelWindowClose:
      close_window(value);
      return;
    default:
      if (!(outside_ && outside_(event, value, false))) apply_key_event(variables_, event, value);
      if (auto effect = key_effect(event); effect && effect->kind == KeyEffect::Kind::kMomentary &&
                                           std::find(momentary_held_.begin(), momentary_held_.end(),
                                                     event) == momentary_held_.end()) {
        momentary_held_.push_back(event);
      }
  }
}

void Host::release_button() {
  button_down_ = false;
  for (uint32_t event : momentary_held_) {
    if (!(outside_ && outside_(event, 0, true))) apply_key_release(variables_, event);
  }
  momentary_held_.clear();
}

void Host::open_window(uint32_t ident) {
  if (!open_windows_.insert(ident).second) return;
  // Opening tells the window's gauges; a gauge may open or close windows in
  // turn, so walk a snapshot.
  std::vector<GaugeInstance*> in_window;
  for (auto& instance : instances_) {
    if (instance->window() == ident) in_window.push_back(instance.get());
  }
  for (GaugeInstance* instance : in_window) instance->call_gauge_callback(kServicePanelOpen);
}

void Host::close_window(uint32_t ident) {
  open_windows_.erase(ident);
}

void Host::toggle_window(uint32_t ident) {
  // Recorded before the window's gauges hear of it (they may toggle too).
  toggled_windows_.push_back(ident);
  toggles_left_open_.push_back(!window_open(ident));
  window_open(ident) ? close_window(ident) : open_window(ident);
}

void Host::set_failure(uint32_t system, bool active) {
  if (active) {
    failures_.insert(system);
  } else {
    failures_.erase(system);
  }
}

}  // namespace tavrel::host
