// The stand-in host: binds a module, gives it a services table, keeps the
// token variables and panel windows, creates gauge instances and applies the
// key events they fire.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "host/binding.h"
#include "host/bitmaps.h"
#include "host/error.h"
#include "host/instance.h"
#include "host/variables.h"
#include "module/catalogue.h"

namespace tavrel::host {

struct FiredEvent {
  uint32_t event;
  uint32_t value;
  bool operator==(const FiredEvent& other) const {
    return event == other.event && value == other.value;
  }
};

class Host {
 public:
  // Binds the module: writes the services table into its ImportTable, then
  // calls module init. Only one Host may exist at a time (the services are
  // plain routines that find it).
  explicit Host(std::unique_ptr<ModuleBinding> binding);
  ~Host();
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;

  ModuleBinding& binding() { return *binding_; }

  // The module's gauge table, walked up to its null pointer.
  std::vector<GaugeHeader*> gauges() const;
  // The gauge with exactly this name, or null.
  GaugeHeader* find_gauge(std::string_view name) const;

  // Places a gauge in a panel window: copies its records, stores the
  // parameter string, installs it (service 2) and, when the window is open,
  // tells it the window opened (service 16). Throws HostError for an
  // unknown name.
  GaugeInstance& place(std::string_view name, std::string_view parameters = {},
                       uint32_t window = panel_window::kMain);
  // Destroys an instance (service 12 first).
  void remove(GaugeInstance& instance);
  const std::vector<std::unique_ptr<GaugeInstance>>& instances() const { return instances_; }

  // One frame: updates every instance whose panel window is open.
  void update();

  VariableStore& variables() { return variables_; }
  // While a log is given, every token the module reads through lookup_var
  // is appended to it (what a gauge's code reads, for its facts).
  void log_lookups(std::vector<uint32_t>* log) { lookup_log_ = log; }
  void note_lookup(uint32_t token) {
    if (lookup_log_ != nullptr) lookup_log_->push_back(token);
  }

  // Key events: fired by gauges (trigger_key_event or a child's event id),
  // recorded and applied to the variables through the key-event model: at
  // once, or, when fired during an update (by a value callback), after that
  // update, as the host applies them between frames.
  void fire(uint32_t event, uint32_t value);
  const std::vector<FiredEvent>& fired() const { return fired_; }
  void clear_fired() {
    fired_.clear();
    toggled_windows_.clear();
    toggles_left_open_.clear();
  }

  // An outside simulator (the page's FlightGear link) may fly the
  // aircraft: it is offered every key event but the panel windows' first,
  // with `release` true when the button lets go of a momentary control. An
  // event it takes is not applied to the variables here: its answer comes
  // back as token values. Empty: every event is applied here.
  using OutsideEvents = std::function<bool(uint32_t event, uint32_t value, bool release)>;
  void set_outside_events(OutsideEvents outside) { outside_ = std::move(outside); }

  // The mouse button. A click presses it, fires or calls while it is held,
  // then releases it; momentary controls (the starter) fired since the
  // press, or fired by code while the button was up, let go at the release.
  void press_button() { button_down_ = true; }
  void release_button();
  bool button_down() const { return button_down_; }

  // Panel windows by ident.
  bool window_open(uint32_t ident) const { return open_windows_.count(ident) != 0; }
  const std::set<uint32_t>& open_windows() const { return open_windows_; }
  void open_window(uint32_t ident);
  void close_window(uint32_t ident);
  void toggle_window(uint32_t ident);
  // Idents passed to panel_window_toggle, in order, and whether each toggle
  // left its window open.
  const std::vector<uint32_t>& toggled_windows() const { return toggled_windows_; }
  const std::vector<bool>& toggles_left_open() const { return toggles_left_open_; }

  // Failure systems set active freeze the elements that name them.
  void set_failure(uint32_t system, bool active);
  bool failure_active(uint32_t system) const { return failures_.count(system) != 0; }

  // The bound module's bitmaps, the one store everything draws from.
  BitmapStore& bitmaps() { return *bitmaps_; }
  // A bitmap's size in the current language, from its header; false when
  // it is missing or its header gives no size.
  bool bitmap_size(int id, int& width, int& height) {
    return bitmaps_->size(id, bitmaps_->language(), width, height);
  }
  Language language() const { return bitmaps_->language(); }
  void set_language(Language language) { bitmaps_->set_language(language); }

  // The host currently bound (the services reach it through here).
  static Host* current();

  // The services table written into the module's ImportTable.
  void** services_table() { return services_; }

 private:
  std::unique_ptr<ModuleBinding> binding_;
  VariableStore variables_;
  std::vector<uint32_t>* lookup_log_ = nullptr;
  std::vector<std::unique_ptr<GaugeInstance>> instances_;
  void apply(uint32_t event, uint32_t value);

  std::vector<FiredEvent> fired_;
  bool updating_ = false;
  std::vector<FiredEvent> pending_;  // fired during the update under way
  std::vector<uint32_t> toggled_windows_;
  std::vector<bool> toggles_left_open_;
  std::set<uint32_t> open_windows_{panel_window::kMain.ident};
  std::set<uint32_t> failures_;
  bool button_down_ = false;
  std::vector<uint32_t> momentary_held_;  // momentary events not yet released
  OutsideEvents outside_;
  std::unique_ptr<BitmapStore> bitmaps_;
  void* services_[kServiceTableEntries] = {};
};

}  // namespace tavrel::host
