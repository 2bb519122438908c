// Draw states as text: what `gaugeview state` prints, in the stable format
// that panel authors and scripts read (docs/gaugeview.md). Numbers are
// printed with integer arithmetic only, so the native and the Win32 builds
// print the same bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "host/host.h"
#include "host/state_file.h"

namespace tavrel::host {

// At most 4 decimals, rounded half away from zero, trailing zeros and a
// trailing point dropped ("90", "4.5", "-13", "0.0278"); "nan", "inf" and
// "-inf"; zero never has a sign. Every finite double prints exactly to its
// fourth decimal, the largest too.
std::string format_number(double value);

// A bearing in degrees reduced to [0, 360) and printed as format_number does
// (a bearing that rounds to 360 prints as 0).
std::string format_bearing(double degrees);

// The text in double quotes; '"' and '\' escaped with a backslash, bytes
// outside printable ASCII as \xNN (two lower-case hex digits).
std::string quote_text(std::string_view text);

// A fired key event in the words of `gaugeview click`: "event N value V",
// and which window the three panel-window events act on.
std::string describe_event(const FiredEvent& event);
// A panel window toggled through the host service, and how it was left.
std::string describe_window_toggle(uint32_t ident, bool now_open);

// "panel windows open: 0 50", the idents in increasing order ("none" when
// every window is closed).
std::string describe_open_windows(const Host& host);

// The key events fired and the panel windows toggled since the host's last
// clear_fired(), one a line: the events first, then the windows.
std::vector<std::string> describe_activity(const Host& host);

// One line per element in tree order: "PATH TYPE bitmap ID [value V[,V...]]
// [STATE] [frozen]" with PATH dotted and 1-based (the root "1", its
// children "1.1", "1.2", ...).
std::vector<std::string> describe_elements(const GaugeInstance& instance);

// A `gaugeview state` run: placed with the first step's settings (and the
// failure systems active), then one update per further step with its
// settings applied after it, and a final update.
struct StateScript {
  std::string gauge;
  std::string parameters;
  std::vector<uint32_t> failures;
  std::vector<std::vector<VariableSetting>> steps;  // [0]: before placing
};

// Runs the script on the host and returns what the updates fired, the
// panel windows open when the updates opened or closed one, then the
// elements after the final update; the instance is removed (service 12)
// before returning. Throws HostError for an unknown gauge.
std::vector<std::string> run_state_script(Host& host, const StateScript& script);

}  // namespace tavrel::host
