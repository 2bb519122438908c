#include "params/params.h"

#include <cstring>
#include <iterator>

#include "module/services.h"

namespace tavrel::params {
namespace {

struct Name {
  const char* text;
  int32_t number;
};

// Panel windows by name, compared in this order; a name may be followed by
// anything.
constexpr Name kPanelIdents[] = {
    {"MAIN_PANEL", 0},          {"RADIO_STACK_PANEL", 50},    {"COMPASS_PANEL", 75},
    {"ANNUNCIATOR_PANEL", 125}, {"ANNUNCIATOR2_PANEL", 150},  {"COLLECTIVE_PANEL", 200},
    {"THROTTLE_PANEL", 10},     {"MINI_CONTROLS_PANEL", 100}, {"IFR_MAIN_PANEL", 175},
    {"GPS_PANEL", 225},         {"OVERHEAD_PANEL", 250},
};

// The host's tooltips by name, in the same manner.
constexpr Name kTooltips[] = {
    {"TOGGLE_RADIO_WINDOW", 43910},    {"TOGGLE_GPS_WINDOW", 43911},
    {"TOGGLE_THROTTLE_WINDOW", 43912}, {"TOGGLE_COMPASS_WINDOW", 43913},
    {"TOGGLE_FUEL_WINDOW", 43914},     {"TOGGLE_COLLECTIVE_WINDOW", 43915},
};

const Name* name_beginning(const char* value, const Name* names, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    if (std::strncmp(value, names[i].text, std::strlen(names[i].text)) == 0) return &names[i];
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
  const Name* name = name_beginning(value, kPanelIdents, std::size(kPanelIdents));
  return name != nullptr ? name->number : read_decimal(value);
}

uint32_t read_tooltip(const char* value) {
  if (empty(value)) return 0;
  const Name* name = name_beginning(value, kTooltips, std::size(kTooltips));
  int32_t id = name != nullptr ? name->number : read_decimal(value);
  return id < kFirstHelpId ? 0 : static_cast<uint32_t>(id);
}

int run_actions(const char* parameters) {
  if (empty(parameters)) return 0;
  // Opens first, then closes, then toggles, whatever their order in the text.
  fire_every(parameters, "o", kEventWindowOpen);
  fire_every(parameters, "c", kEventWindowClose);
  fire_every(parameters, "t", kEventWindowToggle);

  // Only the first "p" counts.
  const char* step = find_key(parameters, "p");
  if (step == nullptr) return 1;
  int32_t n = read_decimal(step + 1);
  if (n == 0) {
    host_services::trigger_key_event(kEventStepReset, 0);
  } else {
    uint32_t event = n > 0 ? kEventStepUp : kEventStepDown;
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
  if (ident >= 0) host_services::trigger_key_event(kEventWindowClose, static_cast<uint32_t>(ident));
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
    host_services::panel_window_toggle(0);
  }
  return 0;
}

}  // namespace tavrel::params
