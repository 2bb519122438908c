// The host's panel configuration, as far as gaugeview reads it: the first
// window section, its gauge lines
//   gaugeNN=Tavrel_Instr!Gauge_Name, x, y[, w[, h]][, parameter string]
// and the panel size (size_mm=W[,H]) and backdrop (background_color=R,G,B).
// Other sections and keys are the host's business and are passed over.
// "//" starts a comment anywhere on a line (a single '/' is text); a line
// whose first character is ';' is a comment too.
//
// Reading only, text to records: placing and drawing a panel are
// host/panel.h's.
#pragma once

#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <vector>

namespace tavrel::host {

struct PanelGauge {
  int line = 0;      // line number in the file, for messages
  std::string key;   // "gauge00"
  std::string name;  // the gauge's name in the module
  int x = 0;
  int y = 0;
  std::optional<int> width;
  std::optional<int> height;
  std::string parameters;
};

struct PanelConfig {
  std::string file;    // the name used in messages
  std::string window;  // the section read, "Window00"
  std::optional<int> width;
  std::optional<int> height;
  std::optional<uint32_t> background;  // 0x00BBGGRR
  std::vector<PanelGauge> gauges;      // in file order, which is drawing order
  int gauge_lines = 0;                 // every gauge line of the window, skipped ones too
  // Lines passed over, as "FILE:LINE: reason" (a gauge of another module, a
  // malformed line).
  std::vector<std::string> problems;
};

// The module whose gauges a panel line may name.
constexpr const char* kModuleName = "Tavrel_Instr";

PanelConfig parse_panel_config(std::istream& in, const std::string& file);
// False, with the reason in `error`, when the file cannot be read.
bool read_panel_config(const std::string& path, PanelConfig& out, std::string& error);

}  // namespace tavrel::host
