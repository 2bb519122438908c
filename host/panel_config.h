// The host's panel configuration, as authors write it: a [Window Titles]
// section naming the windows, and one [WindowNN] section per window with
// its keys and its gauge lines
//   gaugeNN=Tavrel_Instr!Gauge_Name, x, y[, w[, h]][, parameter string]
// Section and key names are read without regard to case. "//" starts a
// comment anywhere on a line (a single '/' is text); a line whose first
// character is ';' is a comment too. Files are read as authors save them
// (host/text_file.h).
//
// The keys read from a window section (docs/gaugeview.md says what each
// does): ident, visible, position, window_pos, window_size, size_mm, file,
// background_color and the gauge lines. Other keys are the host's business
// and are passed over.
//
// Reading only, text to records: placing and drawing a panel are
// host/panel.h's.
#pragma once

#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrel::host {

// The largest window (size_mm) and the largest gauge (w, h) a panel may
// give, in pixels a side: larger ones are refused, so that a slip of the
// keyboard cannot ask for gigabytes.
constexpr int kLargestWindow = 4096;
constexpr int kLargestGauge = 4096;

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

// A point or size as fractions of the screen.
struct ScreenFraction {
  double x = 0.0;
  double y = 0.0;
};

// A [WindowNN] section.
struct PanelWindowConfig {
  std::string section;  // "Window00", as written
  int number = 0;       // NN
  int line = 0;         // the section's line
  std::string title;    // from [Window Titles]; empty when it has none
  std::optional<uint32_t> ident;
  bool visible = true;
  std::optional<int> position;  // 0 top left ... 8 bottom right
  std::optional<ScreenFraction> window_pos;
  std::optional<ScreenFraction> window_size;
  std::optional<int> width;  // size_mm: the pixels its gauges are placed in
  std::optional<int> height;
  std::optional<uint32_t> background;  // 0x00BBGGRR
  std::string bitmap;                  // file=, beside the configuration
  int bitmap_line = 0;
  std::vector<PanelGauge> gauges;  // in file order, which is drawing order
  int gauge_lines = 0;             // every gauge line, the skipped ones too
};

struct PanelConfig {
  std::string file;                        // the name used in messages
  std::string folder;                      // where file= bitmaps are found ("" for none)
  std::vector<PanelWindowConfig> windows;  // in file order, which is drawing order
  // Mistakes, as "FILE:LINE: what, and the way out": lines passed over (a
  // gauge of another module, a malformed line), keys refused.
  std::vector<std::string> problems;
  // What only `gaugeview check` lists: keys this reader does not know that
  // look like misspellings of ones it reads.
  std::vector<std::string> notes;
};

// The module whose gauges a panel line may name.
constexpr const char* kModuleName = "Tavrel_Instr";

// Reads a configuration from its bytes (in any of the encodings of
// host/text_file.h); an undecodable text gives no windows and a problem.
PanelConfig parse_panel_config(std::string_view bytes, const std::string& file);
PanelConfig parse_panel_config(std::istream& in, const std::string& file);
// False, with the reason (the system's where it gave one) in `error`, when
// the file cannot be read. The configuration's folder is the file's.
bool read_panel_config(const std::string& path, PanelConfig& out, std::string& error);

// The names nearest a misspelt one among `known` (by edit distance,
// ignoring case; at most three, the nearest first), none when nothing is
// close.
std::vector<std::string> nearest_names(std::string_view name,
                                       const std::vector<std::string>& known);

}  // namespace tavrel::host
