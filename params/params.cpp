#include "params/params.h"

#include <cstring>
#include <iterator>

#include "module/catalogue.h"
#include "module/services.h"

namespace tavrel::params {
namespace {

// The first of the names (compared in table order) that begins the value;
// further text may follow the name.
template <typename Named, size_t kCount>
const Named* name_beginning(const char* value, const Named (&names)[kCount]) {
  for (const Named& named : names) {
    if (std::strncmp(value, named.name, std::strlen(named.name)) == 0) return &named;
  }
  return nullptr;
}

bool empty(const char* text) {
  return text == nullptr || text[0] == '\0';
}

// Every occurrence of a panel-ident key, each firing `event` with its ident.
void fire_every(const char* parameters, const char* key, uint32_t event) {
  for (const char* at = find_key(parameters, key); at != nullptr; at = find_key(at + 1, key)) {
    int32_t ident = read_panel_ident(at + 1);
    if (ident >= 0) host_services::trigger_key_event(event, static_cast<uint32_t>(ident));
  }
}

}  // namespace

// One pass from the start: the first place the key begins, unless a comment
// character comes first (a key that itself begins with one is found where
// it stands). The registration plate runs this on every update.
const char* find_key(const char* text, const char* key) {
  if (text == nullptr || key == nullptr) return nullptr;
  for (const char* at = text;; ++at) {
    size_t matched = 0;
    while (key[matched] != '\0' && at[matched] == key[matched]) ++matched;
    if (key[matched] == '\0') return at;
    if (*at == '\0' || *at == '/' || *at == '#' || *at == '\'') return nullptr;
  }
}

int32_t read_decimal(const char* text) {
  if (text == nullptr) return 0;
  const char* p = text;
  while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  // Counted toward the sign's own limit, so INT32_MIN itself is reached.
  const int64_t limit = negative ? -int64_t{INT32_MIN} : int64_t{INT32_MAX};
  int64_t magnitude = 0;
  for (; *p >= '0' && *p <= '9'; ++p) {
    magnitude = magnitude * 10 + (*p - '0');
    if (magnitude > limit) magnitude = limit;
  }
  return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

int32_t read_panel_ident(const char* value) {
  if (empty(value)) return -1;
  const auto* window = name_beginning(value, catalogue::kPanelWindows);
  return window != nullptr ? window->ident : read_decimal(value);
}

uint32_t read_tooltip(const char* value) {
  if (empty(value)) return 0;
  const auto* named = name_beginning(value, catalogue::kTooltipNames);
  int32_t id = named != nullptr ? static_cast<int32_t>(named->id) : read_decimal(value);
  return id < kFirstHelpId ? 0 : static_cast<uint32_t>(id);
}

int run_actions(const char* parameters) {
  if (empty(parameters)) return 0;
  // Opens first, then closes, then toggles, whatever their order in the text.
  fire_every(parameters, "o", key_event::kPanelWindowOpen);
  fire_every(parameters, "c", key_event::kPanelWindowClose);
  fire_every(parameters, "t", key_event::kPanelWindowToggle);

  // Only the first "p" counts.
  const char* step = find_key(parameters, "p");
  if (step == nullptr) return 1;
  int32_t n = read_decimal(step + 1);
  if (n == 0) {
    host_services::trigger_key_event(key_event::kViewStepReset, 0);
  } else {
    uint32_t event = n > 0 ? key_event::kViewStepUp.number : key_event::kViewStepDown.number;
    int64_t count = n > 0 ? int64_t{n} : -int64_t{n};
    if (count > kMaxSteps) count = kMaxSteps;
    for (int64_t i = 0; i < count; ++i) host_services::trigger_key_event(event, 0);
  }
  return 1;
}

void install(GaugeHeader* gauge) {
  if (gauge == nullptr || empty(gauge->parameters)) return;
  const char* parameters = gauge->parameters;

  if (const char* background = find_key(parameters, "b")) {
    int32_t id = read_decimal(background + 1);
    ElementHeader* root = gauge->element_list != nullptr ? gauge->element_list[0] : nullptr;
    if (root == nullptr) return;
    // An id outside the icon family leaves the gauge as built, tooltip too.
    if (id % 10 != 0 || id < kFirstIcon || id > kLastIcon) return;
    root->resource_id = id;
  }

  if (const char* help = find_key(parameters, "h")) {
    if (gauge->mouse_rect != nullptr) gauge->mouse_rect[0].help_id = read_tooltip(help + 1);
  }
}

void panel_open(GaugeHeader* gauge) {
  if (gauge == nullptr || empty(gauge->parameters)) return;
  const char* close = find_key(gauge->parameters, "a");
  if (close == nullptr) return;
  int32_t ident = read_panel_ident(close + 1);
  if (ident >= 0) {
    host_services::trigger_key_event(key_event::kPanelWindowClose, static_cast<uint32_t>(ident));
  }
}

void TAVREL_STDCALL parameter_gauge_cb(GaugeHeader* gauge, uint32_t service, uintptr_t) {
  if (service == kServiceInstall) install(gauge);
  if (service == kServicePanelOpen) panel_open(gauge);
}

int32_t TAVREL_STDCALL parameter_mouse(ClickPoint* point, uint32_t) {
  GaugeHeader* gauge = point != nullptr ? point->gauge : nullptr;
  // Without a string a hotspot still does something useful: back to the
  // main panel.
  if (gauge == nullptr || run_actions(gauge->parameters) == 0) {
    host_services::panel_window_toggle(panel_window::kMain);
  }
  return 0;
}

}  // namespace tavrel::params
