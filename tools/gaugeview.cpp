// gaugeview: renders the module's gauges and panels to PNG and answers
// clicks, on the stand-in host. See docs/gaugeview.md.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/catalogue.h"
#include "host/fonts.h"
#include "host/gauge_facts.h"
#include "host/host.h"
#include "host/panel.h"
#include "host/render.h"
#include "host/state_file.h"
#include "host/state_report.h"
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

const char kUsage[] =
    "usage: gaugeview COMMAND ...\n"
    "  list [--long]\n"
    "         --long: each gauge's facts (tokens, tooltips, click boxes, parameter string)\n"
    "  render GAUGE -o OUT.png [--set TOKEN=VALUE]... [--state FILE] [--param STRING]\n"
    "         [--width PX] [--night] [--lang en|fr] [--hotspots] [--reference]\n"
    "  panel PANEL.cfg -o OUT.png [--state FILE] [--set TOKEN=VALUE]... [--night]\n"
    "         [--lang en|fr] [--hotspots] [--strict] [--reference]\n"
    "  sheet -o OUT.png [--state FILE] [--set TOKEN=VALUE]... [--night] [--lang en|fr]\n"
    "         [--hotspots] [--reference]\n"
    "  click GAUGE X Y [--hold N] [--drag X2 Y2] [--param STRING] [--set TOKEN=VALUE]...\n"
    "         [--state FILE] [--width PX] [--lang en|fr]\n"
    "  hover GAUGE X Y [--param STRING] [--set TOKEN=VALUE]... [--state FILE] [--width PX]\n"
    "  state GAUGE [--set TOKEN=VALUE]... [--state FILE] [--param STRING] [--fail SYSTEM]...\n"
    "         [--next [--set TOKEN=VALUE]...]...\n"
    "         prints what every element shows after the updates, one line each:\n"
    "         PATH TYPE bitmap ID [value V[,V...]] [STATE] [frozen]\n"
    "  catalogue [--json]\n"
    "         the host's numbers the gauges use: tokens, key events, tooltips, panel windows\n"
    "every command also takes --quiet (no progress on stderr) and --module FILE.gau\n"
    "(the Windows build's module; the native build has its module linked in)\n";

struct Options {
  std::string command;
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
  if (argc < 2) throw UsageError("no command given");
  Options o;
  o.command = argv[1];
  if (o.command == "-h" || o.command == "--help" || o.command == "help") return o;
  struct Spec {
    int arguments;
    std::string commands;  // the commands that take it
  };
  const std::map<std::string, Spec> specs = {
      {"-o", {1, "render panel sheet"}},
      {"--set", {1, "render panel sheet click hover state"}},
      {"--state", {1, "render panel sheet click hover state"}},
      {"--param", {1, "render click hover state"}},
      {"--width", {1, "render click hover"}},
      {"--night", {0, "render panel sheet"}},
      {"--lang", {1, "list render panel sheet click hover"}},
      {"--hotspots", {0, "render panel sheet"}},
      {"--reference", {0, "render panel sheet"}},
      {"--strict", {0, "panel"}},
      {"--hold", {1, "click"}},
      {"--drag", {2, "click"}},
      {"--quiet", {0, "list render panel sheet click hover state catalogue"}},
      {"--module", {1, "list render panel sheet click hover state catalogue"}},
      {"--json", {0, "catalogue"}},
      {"--long", {0, "list"}},
      {"--next", {0, "state"}},
      {"--fail", {1, "state"}},
  };
  const std::map<std::string, size_t> positional_count = {
      {"list", 0},  {"render", 1}, {"panel", 1}, {"sheet", 0},
      {"click", 3}, {"hover", 3},  {"state", 1}, {"catalogue", 0}};
  auto command = positional_count.find(o.command);
  if (command == positional_count.end()) throw UsageError("unknown command \"" + o.command + "\"");

  for (int i = 2; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg.size() > 1 && arg[0] == '-' &&
        !(arg.size() > 1 && std::isdigit(static_cast<unsigned char>(arg[1])))) {
      auto spec = specs.find(arg);
      if (spec == specs.end()) throw UsageError("unknown option " + arg);
      if ((" " + spec->second.commands + " ").find(" " + o.command + " ") == std::string::npos) {
        throw UsageError("option " + arg + " does not apply to " + o.command);
      }
      if (i + spec->second.arguments >= argc) throw UsageError("option " + arg + " needs a value");
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
      } else if (arg == "--hold") {
        o.hold = parse_number(value, "--hold", 0, 10000);
      } else if (arg == "--drag") {
        o.drag = PixPoint{parse_number(argv[i + 1], "--drag X2", -100000, 100000),
                          parse_number(argv[i + 2], "--drag Y2", -100000, 100000)};
      } else if (arg == "--quiet") {
        o.quiet = true;
      } else if (arg == "--module") {
        o.module = value;
      } else if (arg == "--json") {
        o.json = true;
      } else if (arg == "--long") {
        o.long_list = true;
      }
      i += spec->second.arguments;
    } else {
      o.positional.push_back(arg);
    }
  }
  if (o.positional.size() != command->second) {
    throw UsageError(o.command + " takes " + std::to_string(command->second) +
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

int command_panel(const Options& o) {
  host::PanelConfig config;
  std::string error;
  if (!host::read_panel_config(o.positional[0], config, error)) throw HostError(error);
  auto h = make_host(o);
  host::FontLibrary fonts;
  host::Renderer renderer(h->bitmaps(), fonts, render_mode(o));
  host::Panel panel(*h);
  panel.place(config);
  for (const std::string& p : panel.problems()) {
    std::fprintf(stderr, "gaugeview: warning: %s\n", p.c_str());
  }
  progress(o, "panel: placed " + std::to_string(panel.window().gauges.size()) + " gauge(s) of " +
                  std::to_string(config.gauge_lines) + " line(s)");
  // Gauges act as their window opens (a hotspot's "a" key closes another).
  for (const host::FiredEvent& e : h->fired()) {
    progress(o, "panel: as the window opened, " + describe_event(e));
  }
  h->update();
  Canvas canvas(panel.window().width, panel.window().height);
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
    sheet.gauges.push_back(line);
    x += cell_width + gap;
    width = std::max(width, x - gap + margin);
    row_height = std::max(row_height, bh + 4 + label);
  }
  sheet.width = std::max(width, 2 * margin);
  sheet.height = y + row_height + margin;
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
  host::PanelGauge line;
  line.name = o.positional[0];
  line.width = o.width > 0 ? o.width : bw;
  line.parameters = o.parameters;
  alone.gauges.push_back(line);
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
  PixPoint at = host::Panel::to_background(placed, x, y);
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
  if (o.command == "-h" || o.command == "--help" || o.command == "help") {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (o.command == "list") return command_list(o);
  if (o.command == "render") return command_render(o);
  if (o.command == "panel") return command_panel(o);
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
