// The parameter-string language of the configurable hotspots: single-letter
// keys found by a plain search, hidden by a comment character before them,
// each key's value running from the letter to the end of the string.
//
//   "b" install     background bitmap id, 1300..1360 in steps of 10
//   "h" install     tooltip name or help id (40960 and up)
//   "a" panel open  close the panel window named
//   "o" click       open the panel window named, every "o"
//   "c" click       close it, every "c"
//   "t" click       toggle it, every "t"
//   "p" click       n view steps up (n > 0), -n down, or once a reset
//
// The key events, panel-window names and tooltip names are the
// catalogue's (module/catalogue.h).
//
// The registration plate reads keys of its own with the same key finder.
#pragma once

#include <cstdint>

#include "module/records.h"

namespace tavrel::params {

// One click fires at most this many step events each way, so a string like
// "p99999999999" cannot hold the host in one click for hours.
constexpr int32_t kMaxSteps = 1000;

// The background ids key "b" may choose.
constexpr int32_t kFirstIcon = 1300;
constexpr int32_t kLastIcon = 1360;

// Help ids below this are no tooltip of the host's.
constexpr int32_t kFirstHelpId = 40960;

// The position of `key` in `text`, or null when it is absent or a '/', '#'
// or apostrophe stands before it. Null text finds nothing.
const char* find_key(const char* text, const char* key);

// A decimal integer as atoi reads it (leading white space, an optional sign,
// digits up to the first other character, 0 without digits), except that a
// number beyond the 32-bit range stops at INT32_MIN or INT32_MAX.
int32_t read_decimal(const char* text);

// A panel window ident from a name ("GPS_PANEL", ...) that begins the value,
// or from its digits; -1 (no ident) for an empty value.
int32_t read_panel_ident(const char* value);

// A help id from a tooltip name ("TOGGLE_GPS_WINDOW", ...) that begins the
// value, or from its digits; 0 (no tooltip) for an empty value, an unknown
// name or a number below 40960.
uint32_t read_tooltip(const char* value);

// Fires the click actions of a parameter string; 0 when it is missing or
// empty (nothing fired), 1 otherwise.
int run_actions(const char* parameters);

// Service 2: keys "b" and "h" rewrite the instance's background and tooltip.
void install(GaugeHeader* gauge);
// Service 16: key "a".
void panel_open(GaugeHeader* gauge);

// The gauge callback and the click function of the configurable hotspots.
void TAVREL_STDCALL parameter_gauge_cb(GaugeHeader* gauge, uint32_t service, uintptr_t extra);
int32_t TAVREL_STDCALL parameter_mouse(ClickPoint* point, uint32_t mouse_flags);

}  // namespace tavrel::params
