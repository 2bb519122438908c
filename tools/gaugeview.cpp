// gaugeview: renders the module's gauges and panels to PNG and answers
// clicks, on the stand-in host. See docs/gaugeview.md.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "host/catalogue.h"
#include "host/fonts.h"
#include "host/gauge_facts.h"
#include "host/host.h"
#include "host/panel.h"
#include "host/render.h"
#include "host/state_file.h"
#include "host/state_report.h"
#include "module/catalogue.h"
#include "resources/version.h"
#include "tools/png_file.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace tavrel::tools {
namespace {

using host::Canvas;
using host::GaugeInstance;
using host::Host;
using host::HostError;

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// Wrong use of the command line.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Each command's usage line(s), as --help prints them.
struct CommandHelp {
  const char* name;
  size_t arguments;  // positional arguments it takes
  const char* usage;
};
const CommandHelp kCommands[] = {
    {"list", 0,
     "  list\n         every gauge of the module: name, background bitmap, size_x_mm, tooltip\n"},
    {"render", 1,
     "  render GAUGE -o OUT.png [--set TOKEN=VALUE]... [--state FILE] [--param STRING]\n"
     "         [--width PX] [--night] [--lang en|fr] [--hotspots] [--reference]\n"},
    {"panel", 1,
     "  panel PANEL.cfg -o OUT.png [--screen WxH] [--window IDENT] [--click X Y]...\n"
     "         [--state FILE] [--set TOKEN=VALUE]... [--night] [--lang en|fr] [--hotspots]\n"
     "         [--strict] [--reference]\n"
     "         draws the screen: every open window at its place; --window: one window alone;\n"
     "         --click: clicks on the screen, in order, before the picture is drawn\n"},
    {"check", 1,
     "  check PANEL.cfg [--state FILE] [--set TOKEN=VALUE]... [--lang en|fr]\n"
     "         reads and places the whole panel without drawing and lists every finding;\n"
     "         exit 0 when clean, 1 with findings\n"},
    {"sheet", 0,
     "  sheet -o OUT.png [--state FILE] [--set TOKEN=VALUE]... [--night] [--lang en|fr]\n"
     "         [--hotspots] [--reference]\n"},
    {"click", 3,
     "  click GAUGE X Y [--hold N] [--drag X2 Y2] [--param STRING] [--set TOKEN=VALUE]...\n"
     "         [--state FILE] [--width PX] [--lang en|fr]\n"},
    {"hover", 3,
     "  hover GAUGE X Y [--param STRING] [--set TOKEN=VALUE]... [--state FILE] [--width PX]\n"},
    {"state", 1,
     "  state GAUGE [--set TOKEN=VALUE]... [--state FILE] [--param STRING] [--fail SYSTEM]...\n"
     "         [--next [--set TOKEN=VALUE]...]...\n"
     "         prints what every element shows after the updates, one line each:\n"
     "         PATH TYPE bitmap ID [value V[,V...]] [STATE] [frozen]\n"},
    {"catalogue", 0,
     "  catalogue [--json]\n"
     "         the host's numbers the gauges use: tokens, key events, tooltips, panel windows\n"},
};

const char kGlobalOptions[] =
    "options for every command, before or after it: --quiet (no progress on stderr),\n"
    "--module FILE.gau (the Windows build's module; the native build has its module linked in),\n"
    "--sim-folder DIR (the simulator's folder: hour meters keep their files in its gauges\n"
    "folder, created if missing; default: the current folder),\n"
    "--help (this text, or COMMAND --help for one command), --version\n";

// The version gaugeview reports.
#define TAVREL_TEXT(x) #x
#define TAVREL_VERSION_TEXT(a, b, c, d) \
  TAVREL_TEXT(a) "." TAVREL_TEXT(b) "." TAVREL_TEXT(c) "." TAVREL_TEXT(d)
// The module's version, as its version record and the release give it.
constexpr char kVersion[] = "gaugeview " TAVREL_VERSION_TEXT(
    TAVREL_VERSION_MAJOR, TAVREL_VERSION_MINOR, TAVREL_VERSION_PATCH,
    TAVREL_VERSION_BUILD) " (Tavrel_Instr, 51 gauges)";

std::string usage(const std::string& command) {
  std::string text = "usage: gaugeview COMMAND ...\n";
  for (const CommandHelp& c : kCommands) {
    if (command.empty() || command == c.name) text += c.usage;
  }
  return text + kGlobalOptions;
}

struct Options {
  std::string command;
  bool help = false;
  bool version = false;
  std::vector<std::string> positional;
  std::vector<host::VariableSetting> settings;  // --state first, then --set in order
  std::string state_file;
  std::vector<std::string> set_texts;
  std::string parameters;
  int width = 0;
  bool night = false;
  bool hotspots = false;
  bool reference = false;  // draw with the renderer's reference mode
  bool quiet = false;
  bool strict = false;
  host::Language language = host::Language::kFrench;
  std::string output;
  int hold = 0;
  std::optional<PixPoint> drag;
  std::string module;
  std::string sim_folder;  // --sim-folder: hours files under its gauges folder
  // panel: --screen, --window, --click
  std::optional<PixPoint> screen;
  std::string window;
  std::vector<PixPoint> clicks;
  // state: one entry per --next, holding the --set texts that follow it.
  std::vector<std::vector<std::string>> next_steps;
  std::vector<uint32_t> failures;  // --fail
  bool json = false;               // catalogue --json
  bool long_list = false;          // list --long
};

int parse_number(const std::string& text, const std::string& what, int low, int high) {
  bool ok = !text.empty() && text.size() <= 9;
  size_t start = !text.empty() && text[0] == '-' ? 1 : 0;
  ok =
      ok && start < text.size() && text.find_first_not_of("0123456789", start) == std::string::npos;
  int value = ok ? std::atoi(text.c_str()) : 0;
  if (!ok || value < low || value > high) {
    throw UsageError(what + " must be a whole number from " + std::to_string(low) + " to " +
                     std::to_string(high) + ", not \"" + text + "\"");
  }
  return value;
}

Options parse_options(int argc, char** argv) {
  Options o;
  struct Spec {
    int arguments;
    std::string commands;  // the commands that take it; "*": every one
  };
  const std::map<std::string, Spec> specs = {
      {"-o", {1, "render panel sheet"}},
      {"--set", {1, "render panel check sheet click hover state"}},
      {"--state", {1, "render panel check sheet click hover state"}},
      {"--param", {1, "render click hover state"}},
      {"--width", {1, "render click hover"}},
      {"--night", {0, "render panel sheet"}},
      {"--lang", {1, "list render panel check sheet click hover"}},
      {"--hotspots", {0, "render panel sheet"}},
      {"--reference", {0, "render panel sheet"}},
      {"--strict", {0, "panel"}},
      {"--screen", {1, "panel"}},
      {"--window", {1, "panel"}},
      {"--click", {2, "panel"}},
      {"--hold", {1, "click"}},
      {"--drag", {2, "click"}},
      {"--json", {0, "catalogue"}},
      {"--long", {0, "list"}},
      {"--next", {0, "state"}},
      {"--fail", {1, "state"}},
      {"--quiet", {0, "*"}},
      {"--module", {1, "*"}},
      {"--sim-folder", {1, "*"}},
      {"--help", {0, "*"}},
      {"-h", {0, "*"}},
      {"--version", {0, "*"}},
  };
  // Options are checked against the command once it is known: it may come
  // after global ones.
  std::vector<std::string> given;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    const bool option =
        arg.size() > 1 && arg[0] == '-' && !std::isdigit(static_cast<unsigned char>(arg[1]));
    if (!option) {
      if (o.command.empty() && !(arg == "help")) {
        o.command = arg;
      } else if (arg == "help" && o.command.empty()) {
        o.help = true;
      } else {
        o.positional.push_back(arg);
      }
      continue;
    }
    auto spec = specs.find(arg);
    if (spec == specs.end()) throw UsageError("unknown option " + arg);
    if (i + spec->second.arguments >= argc) throw UsageError("option " + arg + " needs a value");
    given.push_back(arg);
    std::string value = spec->second.arguments > 0 ? argv[i + 1] : "";
    if (arg == "-o") {
      o.output = value;
    } else if (arg == "--set") {
      (o.next_steps.empty() ? o.set_texts : o.next_steps.back()).push_back(value);
    } else if (arg == "--next") {
      o.next_steps.emplace_back();
    } else if (arg == "--fail") {
      o.failures.push_back(static_cast<uint32_t>(parse_number(value, "--fail", 1, 999999999)));
    } else if (arg == "--state") {
      o.state_file = value;
    } else if (arg == "--param") {
      o.parameters = value;
    } else if (arg == "--width") {
      o.width = parse_number(value, "--width", 1, 8192);
    } else if (arg == "--night") {
      o.night = true;
    } else if (arg == "--lang") {
      if (value == "en") {
        o.language = host::Language::kEnglish;
      } else if (value == "fr") {
        o.language = host::Language::kFrench;
      } else {
        throw UsageError("--lang takes en or fr, not \"" + value + "\"");
      }
    } else if (arg == "--hotspots") {
      o.hotspots = true;
    } else if (arg == "--reference") {
      o.reference = true;
    } else if (arg == "--strict") {
      o.strict = true;
    } else if (arg == "--screen") {
      const size_t x = value.find_first_of("xX");
      if (x == std::string::npos)
        throw UsageError("--screen takes WIDTHxHEIGHT, not \"" + value + "\"");
      o.screen =
          PixPoint{parse_number(value.substr(0, x), "--screen width", 1, host::kLargestScreen),
                   parse_number(value.substr(x + 1), "--screen height", 1, host::kLargestScreen)};
    } else if (arg == "--window") {
      o.window = value;
    } else if (arg == "--click") {
      o.clicks.push_back({parse_number(argv[i + 1], "--click X", -100000, 100000),
                          parse_number(argv[i + 2], "--click Y", -100000, 100000)});
    } else if (arg == "--hold") {
      o.hold = parse_number(value, "--hold", 0, 10000);
    } else if (arg == "--drag") {
      o.drag = PixPoint{parse_number(argv[i + 1], "--drag X2", -100000, 100000),
                        parse_number(argv[i + 2], "--drag Y2", -100000, 100000)};
    } else if (arg == "--quiet") {
      o.quiet = true;
    } else if (arg == "--module") {
      o.module = value;
    } else if (arg == "--sim-folder") {
      if (value.empty()) throw UsageError("--sim-folder needs a folder");
      o.sim_folder = value;
    } else if (arg == "--json") {
      o.json = true;
    } else if (arg == "--long") {
      o.long_list = true;
    } else if (arg == "--help" || arg == "-h") {
      o.help = true;
    } else if (arg == "--version") {
      o.version = true;
    }
    i += spec->second.arguments;
  }
  if (o.help || o.version) return o;
  if (o.command.empty()) throw UsageError("no command given");
  const CommandHelp* command = nullptr;
  for (const CommandHelp& c : kCommands) {
    if (o.command == c.name) command = &c;
  }
  if (command == nullptr) throw UsageError("unknown command \"" + o.command + "\"");
  for (const std::string& arg : given) {
    const std::string& commands = specs.at(arg).commands;
    if (commands != "*" &&
        (" " + commands + " ").find(" " + o.command + " ") == std::string::npos) {
      throw UsageError("option " + arg + " does not apply to " + o.command);
    }
  }
  if (o.positional.size() != command->arguments) {
    throw UsageError(o.command + " takes " + std::to_string(command->arguments) +
                     " argument(s), got " + std::to_string(o.positional.size()));
  }
  if ((o.command == "render" || o.command == "panel" || o.command == "sheet") && o.output.empty()) {
    throw UsageError(o.command + " needs -o OUT.png");
  }
  if (!o.output.empty()) {
    std::string suffix = o.output.size() >= 4 ? o.output.substr(o.output.size() - 4) : "";
    for (char& c : suffix) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (suffix != ".png") {
      throw UsageError("-o takes a .png file name (gaugeview writes PNG only), not \"" + o.output +
                       "\"");
    }
  }
  for (const std::string& text : o.set_texts) {
    host::VariableSetting setting;
    std::string error;
    if (!host::parse_setting(text, setting, error)) throw UsageError("--set: " + error);
  }
  for (const std::vector<std::string>& step : o.next_steps) {
    for (const std::string& text : step) {
      host::VariableSetting setting;
      std::string error;
      if (!host::parse_setting(text, setting, error)) throw UsageError("--set: " + error);
    }
  }
  return o;
}

// The settings in force: the state file's, then the --set ones.
std::vector<host::VariableSetting> settings_of(const Options& o) {
  std::vector<host::VariableSetting> settings;
  std::string error;
  if (!o.state_file.empty() && !host::read_state_file(o.state_file, settings, error)) {
    throw HostError(error);
  }
  for (const std::string& text : o.set_texts) {
    host::VariableSetting setting;
    host::parse_setting(text, setting, error);
    settings.push_back(setting);
  }
  return settings;
}

std::unique_ptr<Host> make_host(const Options& o) {
#if !defined(_WIN32)
  if (!o.module.empty()) {
    std::fprintf(stderr,
                 "gaugeview: warning: --module %s ignored: this build has the module linked in\n",
                 o.module.c_str());
  }
#endif
  std::string error;
  std::unique_ptr<host::ModuleBinding> binding = host::bind_module(o.module, &error);
  if (!binding) throw HostError(error);
  auto h = std::make_unique<Host>(std::move(binding));
  h->set_language(o.language);
  host::apply_settings(settings_of(o), h->variables());
  return h;
}

void progress(const Options& o, const std::string& message) {
  if (!o.quiet) std::fprintf(stderr, "%s\n", message.c_str());
}

// Hour meters with a file name keep their hours in the gauges folder of
// the folder gaugeview runs in (the simulator's): it is created if missing,
// and the file named, before they are placed (they read it at install and
// write it when removed).
void prepare_hours_folder(const Options& o,
                          const std::vector<std::pair<std::string, std::string>>& placed) {
  namespace fs = std::filesystem;
  for (const auto& [name, parameters] : placed) {
    if (name != parameter_gauge::kHourmeter || parameters.empty()) continue;
    const fs::path folder = parameter_gauge::kHoursFolder;
    std::error_code failed;
    const bool created = fs::create_directories(folder, failed);
    const fs::path file = fs::absolute(folder / (parameters + parameter_gauge::kHoursExtension));
    if (failed) {
      std::fprintf(stderr,
                   "gaugeview: warning: hour meter: cannot create %s: %s; its hours are not kept\n",
                   fs::absolute(folder).string().c_str(), failed.message().c_str());
      return;
    }
    progress(o,
             "hour meter: hours kept in " + file.string() + (created ? " (folder created)" : ""));
  }
}

// --sim-folder: the paths of the command line stay as given, then
// gaugeview runs in that folder.
void enter_sim_folder(Options& o) {
  if (o.sim_folder.empty()) return;
  namespace fs = std::filesystem;
  auto keep = [](std::string& path) {
    if (!path.empty()) path = fs::absolute(path).string();
  };
  if (o.command == "panel" || o.command == "check") keep(o.positional[0]);
  keep(o.state_file);
  keep(o.output);
  keep(o.module);
  std::error_code failed;
  fs::create_directories(o.sim_folder, failed);
  if (!failed) fs::current_path(o.sim_folder, failed);
  if (failed) throw HostError("--sim-folder " + o.sim_folder + ": " + failed.message());
}

host::RenderMode render_mode(const Options& o) {
  return o.reference ? host::RenderMode::kReference : host::RenderMode::kFast;
}

void report_warnings(host::Renderer& renderer) {
  for (const std::string& w : renderer.take_warnings()) {
    std::fprintf(stderr, "gaugeview: warning: %s\n", w.c_str());
  }
}

void save(const Options& o, const Canvas& canvas) {
  std::string error;
  if (!write_png(o.output, canvas, error)) throw HostError(error);
  progress(o, "wrote " + o.output + " (" + std::to_string(canvas.width()) + "x" +
                  std::to_string(canvas.height()) + ")");
}

int command_list(const Options& o) {
  auto h = make_host(o);
  if (o.long_list) {
    for (const host::GaugeFacts& facts : host::gauge_facts(*h)) {
      std::printf("%s", host::describe_facts(facts).c_str());
    }
    return 0;
  }
  std::printf("%-3s %-24s %-16s %-9s %s\n", "#", "gauge", "background", "size_x_mm", "tooltip");
  int index = 0;
  for (GaugeHeader* gauge : h->gauges()) {
    ++index;
    std::string background = "-";
    if (gauge->element_list != nullptr && gauge->element_list[0] != nullptr) {
      int id = gauge->element_list[0]->resource_id;
      int w = 0, hgt = 0;
      background = std::to_string(id) + " ";
      background += h->bitmap_size(id, w, hgt) ? std::to_string(w) + "x" + std::to_string(hgt)
                                               : std::string("missing");
    }
    uint32_t tooltip = 0;
    if (gauge->mouse_rect != nullptr && gauge->mouse_rect[0].type == kMouseParent) {
      tooltip = gauge->mouse_rect[0].help_id;
    }
    std::printf("%-3d %-24s %-16s %-9u %u\n", index, gauge->name ? gauge->name : "?",
                background.c_str(), gauge->size_x_mm, tooltip);
  }
  return 0;
}

int command_render(const Options& o) {
  auto h = make_host(o);
  GaugeInstance& instance = h->place(o.positional[0], o.parameters);
  h->update();
  host::FontLibrary fonts;
  host::Renderer renderer(h->bitmaps(), fonts, render_mode(o));
  Canvas canvas = host::render_gauge(renderer, instance, o.width,
                                     host::lighting_of(h->variables(), o.night), o.hotspots);
  report_warnings(renderer);
  save(o, canvas);
  return 0;
}

void print_problems(const std::vector<std::string>& problems) {
  for (const std::string& p : problems) std::fprintf(stderr, "gaugeview: warning: %s\n", p.c_str());
}

// "window 50 (Window01, Radio stack) open at 640,0 200x300"
std::string window_line(const host::Panel& panel, const host::PanelWindow& w) {
  const host::ScreenRect& r = w.on_screen;
  return w.describe() + (panel.is_open(w) ? " open" : " closed") + " at " + std::to_string(r.x) +
         "," + std::to_string(r.y) + " " + std::to_string(r.width) + "x" + std::to_string(r.height);
}

// Reads a panel configuration and places it; its problems go to stderr.
void place_panel(const Options& o, Host& h, host::Panel& panel) {
  host::PanelConfig config;
  std::string error;
  if (!host::read_panel_config(o.positional[0], config, error)) throw HostError(error);
  // A file without a window places nothing: no picture of nothing.
  if (config.windows.empty()) throw HostError(config.problems.back());
  std::vector<std::pair<std::string, std::string>> placed;
  for (const host::PanelWindowConfig& w : config.windows) {
    for (const host::PanelGauge& g : w.gauges) placed.emplace_back(g.name, g.parameters);
  }
  prepare_hours_folder(o, placed);
  panel.place(config);
  size_t lines = 0;
  for (const host::PanelWindowConfig& w : config.windows) lines += w.gauge_lines;
  progress(o, "panel: placed " + std::to_string(panel.gauge_count()) + " gauge(s) of " +
                  std::to_string(lines) + " line(s) in " + std::to_string(panel.windows().size()) +
                  " window(s)");
  // Gauges act as their window opens (a hotspot's "a" key closes another).
  for (const host::FiredEvent& e : h.fired()) {
    progress(o, "panel: as the windows opened, " + describe_event(e));
  }
  h.clear_fired();
}

// One click on the screen: the button goes down and comes up, then a frame
// passes. Prints what it hit, what it fired and the windows it opened or
// closed.
void click_screen(Host& h, host::Panel& panel, PixPoint at) {
  const std::string where = "click " + std::to_string(at.x) + "," + std::to_string(at.y) + ": ";
  const host::PanelHit hit = panel.hit(at.x, at.y);
  if (hit.window == nullptr) {
    std::printf("%sno open window there\n", where.c_str());
    return;
  }
  std::vector<bool> was_open;
  for (const host::PanelWindow& w : panel.windows()) was_open.push_back(panel.is_open(w));
  h.clear_fired();
  const host::ClickResult result = panel.press(at.x, at.y);
  panel.release();
  h.update();
  if (hit.gauge == nullptr) {
    std::printf("%s%s, no gauge there\n", where.c_str(), hit.window->describe().c_str());
  } else if (result.child == nullptr) {
    std::printf("%s%s, %s pixel %d,%d: no click box\n", where.c_str(),
                hit.window->describe().c_str(), hit.gauge->instance->name().c_str(), hit.at.x,
                hit.at.y);
  } else {
    std::printf("%s%s, %s pixel %d,%d: %d call(s)\n", where.c_str(), hit.window->describe().c_str(),
                hit.gauge->instance->name().c_str(), hit.at.x, hit.at.y, result.calls);
  }
  for (const std::string& line : host::describe_activity(h)) std::printf("  %s\n", line.c_str());
  for (size_t i = 0; i < panel.windows().size(); ++i) {
    const host::PanelWindow& w = panel.windows()[i];
    if (panel.is_open(w) != was_open[i]) {
      std::printf("  %s %s\n", w.describe().c_str(), panel.is_open(w) ? "opened" : "closed");
    }
  }
}

// The panel read and placed, not drawn: every finding on stdout, one a
// line.
int command_check(const Options& o) {
  auto h = make_host(o);
  host::Panel panel(*h);
  place_panel(o, *h, panel);
  std::vector<std::string> findings = panel.problems();
  findings.insert(findings.end(), panel.notes().begin(), panel.notes().end());
  for (const std::string& f : findings) std::printf("%s\n", f.c_str());
  progress(o, "check: " + std::to_string(findings.size()) + " finding(s)");
  return findings.empty() ? 0 : kExitFailure;
}

int command_panel(const Options& o) {
  auto h = make_host(o);
  host::FontLibrary fonts;
  host::Renderer renderer(h->bitmaps(), fonts, render_mode(o));
  host::Panel panel(*h);
  place_panel(o, *h, panel);
  print_problems(panel.problems());
  if (!o.window.empty()) {
    const host::PanelWindow* alone = panel.find_window(o.window);
    if (alone == nullptr) {
      std::string known;
      for (const host::PanelWindow& w : panel.windows()) {
        known += (known.empty() ? "" : ", ") + std::to_string(w.ident) + " (" + w.section + ")";
      }
      throw UsageError("--window " + o.window +
                       ": the panel has no such window; its windows: " + known);
    }
    panel.show_alone(*alone);
  } else if (o.screen) {
    panel.set_screen(o.screen->x, o.screen->y);
  }
  h->update();
  for (const host::PanelWindow& w : panel.windows()) {
    std::printf("%s\n", window_line(panel, w).c_str());
  }
  for (const PixPoint& at : o.clicks) click_screen(*h, panel, at);
  h->update();
  Canvas canvas(panel.screen_width(), panel.screen_height());
  panel.draw(renderer, canvas, host::lighting_of(h->variables(), o.night), o.hotspots);
  report_warnings(renderer);
  save(o, canvas);
  return o.strict && !panel.problems().empty() ? kExitFailure : 0;
}

// The size of a gauge's background bitmap as its records name it, or false
// (with the reason in `error`).
bool record_background(Host& h, const GaugeHeader& gauge, int& width, int& height) {
  const ElementHeader* root = gauge.element_list != nullptr ? gauge.element_list[0] : nullptr;
  return root != nullptr && h.bitmap_size(root->resource_id, width, height);
}

int command_sheet(const Options& o) {
  auto h = make_host(o);
  host::FontLibrary fonts;
  host::Renderer renderer(h->bitmaps(), fonts, render_mode(o));

  // Rows of gauges at their own size, each labelled with its name below.
  const int margin = 16, gap = 24, label = 14, max_row = 1400;
  host::PanelConfig sheet;
  sheet.file = "sheet";
  host::PanelWindowConfig& window = sheet.windows.emplace_back();
  int x = margin, y = margin, row_height = 0, width = 0;
  std::vector<GaugeHeader*> gauges = h->gauges();
  for (size_t i = 0; i < gauges.size(); ++i) {
    const std::string name = gauges[i]->name != nullptr ? gauges[i]->name : "";
    progress(o,
             "sheet: " + std::to_string(i + 1) + "/" + std::to_string(gauges.size()) + " " + name);
    int bw = 0, bh = 0;
    if (!record_background(*h, *gauges[i], bw, bh)) {
      std::fprintf(stderr, "gaugeview: warning: %s: background bitmap missing (%s)\n", name.c_str(),
                   h->bitmaps().error().c_str());
      continue;
    }
    int cell_width = std::max(bw, static_cast<int>(std::ceil(renderer.text_width(name, label))));
    if (x > margin && x + cell_width > max_row) {
      x = margin;
      y += row_height + gap;
      row_height = 0;
    }
    host::PanelGauge line;
    line.line = static_cast<int>(i) + 1;
    line.name = name;
    line.x = x;
    line.y = y;
    line.width = bw;
    line.height = bh;
    window.gauges.push_back(line);
    x += cell_width + gap;
    width = std::max(width, x - gap + margin);
    row_height = std::max(row_height, bh + 4 + label);
  }
  window.width = std::max(width, 2 * margin);
  window.height = y + row_height + margin;
  host::Panel panel(*h);
  panel.place(sheet);
  for (const std::string& p : panel.problems()) {
    std::fprintf(stderr, "gaugeview: warning: %s\n", p.c_str());
  }
  h->update();
  Canvas canvas(panel.window().width, panel.window().height);
  panel.draw(renderer, canvas, host::lighting_of(h->variables(), o.night), o.hotspots);
  for (const host::PanelGaugePlace& g : panel.window().gauges) {
    renderer.draw_text(canvas, g.at.x, g.at.y + g.height + 4, g.instance->name(), label,
                       0x00DCDCDC);
  }
  report_warnings(renderer);
  save(o, canvas);
  return 0;
}

// One gauge alone on a panel at (0, 0): at its own size, or drawn --width
// pixels wide, so that a point of the command line is a point of the panel.
void place_alone(Host& h, host::Panel& panel, const Options& o) {
  const GaugeHeader* gauge = h.find_gauge(o.positional[0]);
  if (gauge == nullptr) throw HostError("unknown gauge \"" + o.positional[0] + "\"");
  int bw = 0, bh = 0;
  if (!record_background(h, *gauge, bw, bh)) {
    throw HostError(o.positional[0] + ": its background bitmap is missing (" + h.bitmaps().error() +
                    ")");
  }
  host::PanelConfig alone;
  alone.file = "command line";
  host::PanelWindowConfig& window = alone.windows.emplace_back();
  host::PanelGauge line;
  line.name = o.positional[0];
  line.width = o.width > 0 ? o.width : bw;
  line.parameters = o.parameters;
  window.gauges.push_back(line);
  panel.place(alone);
  if (panel.window().gauges.empty()) throw HostError(panel.problems().back());
}

std::string number_text(double v) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.10g", v);
  return buffer;
}

// What placing the gauge changed: records its install step rewrote (from
// the parameter string), and the key events it fired as its panel window
// opened.
void report_placing(Host& h, GaugeInstance& instance) {
  const GaugeHeader& built = instance.gauge();
  ElementHeader* root = instance.root();
  if (root != nullptr && built.element_list != nullptr && built.element_list[0] != nullptr &&
      root->resource_id != built.element_list[0]->resource_id) {
    std::printf("install: background bitmap %d (built with %d)\n", root->resource_id,
                built.element_list[0]->resource_id);
  }
  const MouseRect* mouse = instance.header()->mouse_rect;
  if (mouse != nullptr && built.mouse_rect != nullptr &&
      mouse[0].help_id != built.mouse_rect[0].help_id) {
    std::printf("install: tooltip %u (built with %u)\n", mouse[0].help_id,
                built.mouse_rect[0].help_id);
  }
  for (const host::FiredEvent& e : h.fired()) {
    std::printf("panel window %u opened: %s\n", instance.window(), describe_event(e).c_str());
  }
}

// Prints every token variable that differs from `before`, as the key-event
// model changed it.
void print_changes(Host& h, const std::map<uint32_t, VarValue>& before, const char* prefix) {
  for (const auto& [token, value] : h.variables().all()) {
    auto old = before.find(token);
    double was = 0.0;
    if (old != before.end()) {
      if (std::memcmp(&old->second, &value, sizeof(VarValue)) == 0) continue;
      was = host::VariableStore::is_enumerated(token) ? old->second.integer : old->second.number;
    }
    std::printf("%stoken %u: %s -> %s\n", prefix, token, number_text(was).c_str(),
                number_text(h.variables().number(token)).c_str());
  }
}

int command_click(const Options& o, bool hover_only) {
  auto h = make_host(o);
  host::Panel panel(*h);
  place_alone(*h, panel, o);
  const host::PanelGaugePlace& placed = panel.window().gauges.front();
  GaugeInstance& instance = *placed.instance;
  h->update();
  int x = parse_number(o.positional[1], "X", -100000, 100000);
  int y = parse_number(o.positional[2], "Y", -100000, 100000);
  PixPoint at = panel.to_background(placed, x, y);
  if (o.width > 0) {
    std::printf("point %d,%d at width %d is background pixel %d,%d\n", x, y, o.width, at.x, at.y);
  }
  const host::MouseMap& mouse = instance.mouse();
  if (!mouse.on_gauge(at.x, at.y)) {
    int w = mouse.gauge_width(), hgt = mouse.gauge_height();
    std::string size = o.width > 0 ? "drawn " + std::to_string(o.width) + "x" +
                                         std::to_string(static_cast<int>(
                                             std::lround(static_cast<double>(o.width) * hgt / w)))
                                   : std::to_string(w) + "x" + std::to_string(hgt);
    std::fprintf(stderr, "gaugeview: warning: point %d,%d is outside %s (%s)\n", x, y,
                 instance.name().c_str(), size.c_str());
  }
  if (hover_only) {
    std::printf("tooltip %u\n", panel.tooltip_at(x, y));
    return 0;
  }
  report_placing(*h, instance);
  std::map<uint32_t, VarValue> before = h->variables().all();
  h->clear_fired();
  // The button goes down, is held for the repeats, dragged, and let go
  // after what it did while down is reported.
  host::ClickResult result = panel.press(x, y);
  if (result.child != nullptr) {
    for (int i = 0; i < o.hold; ++i) result.calls += panel.repeat();
    if (o.drag) result.calls += panel.drag(o.drag->x, o.drag->y);
  }
  if (result.child == nullptr) {
    std::printf("no click box at %d,%d\n", at.x, at.y);
  } else {
    const MouseRect& rect = *result.child->record;
    const PixBox& box = result.child->box;
    char flags[16];
    std::snprintf(flags, sizeof flags, "0x%08X", static_cast<unsigned>(rect.mouse_flags));
    std::printf("box %d,%d %dx%d (mouse record %d), cursor %d, flags %s: %s, %d call(s)\n", box.x,
                box.y, box.width, box.height, result.child->index, rect.cursor, flags,
                rect.event_id != 0 ? ("fires key event " + std::to_string(rect.event_id)).c_str()
                                   : "calls module code",
                result.calls);
    if (o.hold > 0 && !(rect.mouse_flags & kMouseRepeatWhileHeld)) {
      std::fprintf(stderr,
                   "gaugeview: warning: --hold %d does nothing: this box does not repeat while "
                   "held (flag 0x00200000)\n",
                   o.hold);
    }
    if (o.drag && !(rect.mouse_flags & kMouseDrag)) {
      std::fprintf(stderr,
                   "gaugeview: warning: --drag does nothing: this box does not follow drags "
                   "(flag 0x00800000)\n");
    }
  }
  for (const std::string& line : host::describe_activity(*h)) std::printf("%s\n", line.c_str());
  // What the click changed while the button was down, then what its
  // release changed (a momentary button lets go).
  print_changes(*h, before, "");
  std::map<uint32_t, VarValue> held = h->variables().all();
  panel.release();
  print_changes(*h, held, "release: ");
  std::printf("tooltip %u\n", panel.tooltip_at(x, y));
  return 0;
}

// Places one instance with the settings before the first --next, runs one
// update per --next and a final one, and prints what was fired and what
// every element shows.
int command_state(const Options& o) {
  auto h = make_host(o);  // the state file and the first --set ones are applied
  host::StateScript script;
  script.gauge = o.positional[0];
  script.parameters = o.parameters;
  script.failures = o.failures;
  script.steps.emplace_back();
  for (const std::vector<std::string>& texts : o.next_steps) {
    std::vector<host::VariableSetting>& step = script.steps.emplace_back();
    for (const std::string& text : texts) {
      host::VariableSetting setting;
      std::string error;
      host::parse_setting(text, setting, error);
      step.push_back(setting);
    }
  }
  std::vector<std::string> lines = host::run_state_script(*h, script);
#ifdef _WIN32
  // Line ends as the native build writes them, so the outputs compare byte
  // for byte.
  std::fflush(stdout);
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  for (const std::string& line : lines) std::printf("%s\n", line.c_str());
  return 0;
}

int run(int argc, char** argv) {
  Options o = parse_options(argc, argv);
  if (!o.help && !o.version) enter_sim_folder(o);
  if (o.command == "render" || o.command == "click" || o.command == "hover" ||
      o.command == "state") {
    prepare_hours_folder(o, {{o.positional[0], o.parameters}});
  }
  if (o.version) {
    std::printf("%s\n", kVersion);
    return 0;
  }
  if (o.help) {
    std::fputs(usage(o.command).c_str(), stdout);
    return 0;
  }
  if (o.command == "list") return command_list(o);
  if (o.command == "render") return command_render(o);
  if (o.command == "panel") return command_panel(o);
  if (o.command == "check") return command_check(o);
  if (o.command == "sheet") return command_sheet(o);
  if (o.command == "click") return command_click(o, false);
  if (o.command == "state") return command_state(o);
  if (o.command == "catalogue") {
    // Host data compiled into gaugeview: no module is bound.
    std::fputs((o.json ? host::catalogue_json() + "\n" : host::catalogue_markdown()).c_str(),
               stdout);
    return 0;
  }
  return command_click(o, true);  // hover
}

}  // namespace
}  // namespace tavrel::tools

int main(int argc, char** argv) {
  try {
    return tavrel::tools::run(argc, argv);
  } catch (const tavrel::tools::UsageError& e) {
    std::fprintf(stderr, "gaugeview: %s (gaugeview --help lists the commands)\n", e.what());
    return tavrel::tools::kExitUsage;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "gaugeview: error: %s\n", e.what());
    return tavrel::tools::kExitFailure;
  }
}
