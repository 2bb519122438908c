// What each gauge of the bound module is and does, for panel authors: read
// from its records (size, background, source variables, mouse list) and
// found by running it on the host (the tokens its code looks up, what a
// click in each box fires). The gauge reference (docs/gauges/reference.md,
// the release's Manual.html) and `gaugeview list --long` print these facts;
// numbers are explained from the catalogue, never written again.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/host.h"

namespace tavrel::host {

// How a gauge reads its parameter string (the module's gauge callbacks
// decide; this says it for the tools and the documents).
enum class ParameterUse {
  kHotspotKeys,   // the hotspot keys b, h, o, c, t, p and a
  kRegistration,  // the registration plate's text, colour and font
  kHoursFile,     // the stem of the hours file's name
};

struct ParameterReader {
  const char* gauge;
  ParameterUse use;
  const char* example;  // a string worth copying
};

// The gauges that read their parameter string; every other gauge ignores it.
const std::vector<ParameterReader>& parameter_readers();
const ParameterReader* parameter_reader(const std::string& gauge);

// One box of a gauge's mouse list that takes clicks.
struct ClickFacts {
  PixBox box;  // background pixels of the gauge
  int32_t cursor = 0;
  uint32_t flags = 0;     // kMouseRepeatWhileHeld, kMouseDrag, ...
  uint32_t event_id = 0;  // the record's own event; 0: it calls the module's code
  // What a press at the box's centre did, on an instance placed without a
  // parameter string: the events fired (each event once, in order) and the
  // panel windows toggled through the host's service.
  std::vector<uint32_t> fired;
  std::vector<uint32_t> toggled;
};

struct GaugeFacts {
  int position = 0;  // 1-based, in the module's table
  std::string name;
  uint32_t size_x_mm = 0;
  int background = 0;  // the root element's bitmap
  int width = 0;       // its size, 0 x 0 when missing
  int height = 0;
  // Every token the gauge reads: its elements' source variables in tree
  // order, then what its code looks up.
  std::vector<uint32_t> tokens;
  // The help ids of its mouse list, the whole gauge's first (no zeros).
  std::vector<uint32_t> tooltips;
  std::vector<ClickFacts> clicks;
  const ParameterReader* parameters = nullptr;  // null: it reads none

  // A line of a panel configuration that places the gauge at its design
  // width, with the example string where it reads one.
  std::string panel_line() const;
};

// The facts of every gauge, in table order. Places, updates, clicks and
// removes instances on `host` (whose variables it leaves changed); the
// host must hold no instances.
std::vector<GaugeFacts> gauge_facts(Host& host);

// Words for the numbers in the facts.
std::string cursor_name(int32_t cursor);
// "repeats while held", "follows drags", or both joined; empty for neither.
std::string click_manner(uint32_t flags);
// The range a token's instruments show, in their unit: "0 to 175 kt".
std::string shown_range(const catalogue::Token& token);
std::string parameter_use_text(ParameterUse use);

// `gaugeview list --long`: the facts of one gauge as text, one fact a
// line under a heading line "N NAME".
std::string describe_facts(const GaugeFacts& facts);

}  // namespace tavrel::host
