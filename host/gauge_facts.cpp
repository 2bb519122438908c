#include "host/gauge_facts.h"

#include <algorithm>
#include <map>

#include "host/catalogue.h"
#include "host/panel_config.h"
#include "host/state_report.h"
#include "module/builders.h"
#include "module/element_walk.h"
#include "module/elements.h"

namespace tavrel::host {
namespace {

// Values every token is set to in turn while the tokens a gauge's code looks
// up are gathered, so that lookups made only in some states (the low-fuel
// lamp reads its clock only while a selected tank is low) are seen too:
// zero, fractions, the selector positions, both signs and the host's large
// units (tank fractions times 8388608).
constexpr double kSpread[] = {0.0, 0.5, 1.0, 2.0, 2.5, 3.0, 6.0, -1.0, 100.0, 1000.0, 8388608.0};

void set_every_token(Host& host, double value) {
  for (const catalogue::Token& t : catalogue::kTokens) host.variables().set(t.number, value);
}

void add_once(std::vector<uint32_t>& list, uint32_t value) {
  if (std::find(list.begin(), list.end(), value) == list.end()) list.push_back(value);
}

// The tokens of the gauge's elements, then those its code looks up while it
// is placed, updated through the spread and removed.
std::vector<uint32_t> tokens_read(Host& host, const GaugeHeader& gauge) {
  std::vector<uint32_t> tokens;
  for_each_element(gauge, [&](const ElementHeader& e, int) {
    auto vars = source_vars(e);
    for (int i = 0; i < vars.count; ++i) {
      if (vars.vars[i]->id != build::kNoVariable) add_once(tokens, vars.vars[i]->id);
    }
  });
  std::vector<uint32_t> looked_up;
  host.log_lookups(&looked_up);
  set_every_token(host, 0.0);
  GaugeInstance& instance = host.place(gauge.name);
  for (double value : kSpread) {
    set_every_token(host, value);
    host.update();
  }
  host.remove(instance);
  host.log_lookups(nullptr);
  for (uint32_t token : looked_up) add_once(tokens, token);
  return tokens;
}

// A point of the box that hits this box, not an earlier one over it: the
// centre where it can, else the first such point of a grid over the box.
std::optional<PixPoint> point_hitting(const MouseMap& mouse, const MouseArea& area) {
  const PixBox& b = area.box;
  std::vector<PixPoint> points = {{b.x + b.width / 2, b.y + b.height / 2}};
  for (int j = 0; j < 8; ++j) {
    for (int i = 0; i < 8; ++i) {
      points.push_back({b.x + b.width * (2 * i + 1) / 16, b.y + b.height * (2 * j + 1) / 16});
    }
  }
  for (const PixPoint& p : points) {
    if (mouse.hit(p.x, p.y).child == &area) return p;
  }
  return std::nullopt;
}

// Panel windows a click may open or close, put back as they were.
class WindowsKept {
 public:
  explicit WindowsKept(Host& host) : host_(host) {
    for (const catalogue::PanelWindow& w : catalogue::kPanelWindows) {
      open_[w.ident] = host.window_open(w.ident);
    }
  }
  ~WindowsKept() {
    for (const auto& [ident, open] : open_) {
      if (host_.window_open(ident) != open)
        open ? host_.open_window(ident) : host_.close_window(ident);
    }
  }

 private:
  Host& host_;
  std::map<uint32_t, bool> open_;
};

std::vector<ClickFacts> clicks_of(Host& host, const GaugeHeader& gauge) {
  // The boxes as a placed instance maps them, copied out: its records go
  // with it.
  std::vector<std::pair<ClickFacts, std::optional<PixPoint>>> boxes;
  GaugeInstance& layout = host.place(gauge.name);
  for (const MouseArea& area : layout.mouse().areas()) {
    if (area.record->type != kMouseChild) continue;
    ClickFacts click;
    click.box = area.box;
    click.cursor = area.record->cursor;
    click.flags = area.record->mouse_flags;
    click.event_id = area.record->event_id;
    boxes.emplace_back(click, point_hitting(layout.mouse(), area));
  }
  host.remove(layout);
  std::vector<ClickFacts> clicks;
  for (auto& [click, point] : boxes) {
    if (point) {
      WindowsKept windows(host);
      set_every_token(host, 0.0);
      GaugeInstance& probe = host.place(gauge.name);
      host.clear_fired();
      probe.click(point->x, point->y);
      for (const FiredEvent& e : host.fired()) add_once(click.fired, e.event);
      for (uint32_t ident : host.toggled_windows()) add_once(click.toggled, ident);
      host.remove(probe);
      host.clear_fired();
    }
    clicks.push_back(std::move(click));
  }
  return clicks;
}

std::vector<uint32_t> tooltips_of(const GaugeHeader& gauge) {
  std::vector<uint32_t> ids;
  MouseMap mouse(gauge.mouse_rect);
  for (const MouseArea& area : mouse.areas()) {
    if (area.record->help_id != 0) add_once(ids, area.record->help_id);
  }
  return ids;
}

std::string token_text(uint32_t number) {
  const catalogue::Token* t = find_token(number);
  if (t == nullptr) return "token " + std::to_string(number);
  return "token " + std::to_string(number) + " " + t->name + ": " + t->meaning + ", " +
         shown_range(*t);
}

std::string event_text(uint32_t number) {
  const catalogue::KeyEvent* e = find_key_event(number);
  if (e == nullptr) return "event " + std::to_string(number);
  return "event " + std::to_string(number) + " " + e->name + ": " + e->effect;
}

}  // namespace

const std::vector<ParameterReader>& parameter_readers() {
  static const std::vector<ParameterReader> readers = {
      {"Registration", ParameterUse::kRegistration, "tF-GTAV r240 g200 b90 fArial"},
      {"Hourmeter", ParameterUse::kHoursFile, "Tavrel_Hours"},
      {"Instrument_Zoom", ParameterUse::kHotspotKeys, "hTOGGLE_THROTTLE_WINDOW tTHROTTLE_PANEL"},
      {"Fuel_Zoom", ParameterUse::kHotspotKeys, "hTOGGLE_FUEL_WINDOW t300 # a fuel window"},
      {"Close_Subpanel", ParameterUse::kHotspotKeys, "cRADIO_STACK_PANEL cCOMPASS_PANEL"},
      {"View_Radios", ParameterUse::kHotspotKeys, "hTOGGLE_RADIO_WINDOW tRADIO_STACK_PANEL"},
      {"Show_Yoke", ParameterUse::kHotspotKeys, "tMINI_CONTROLS_PANEL"},
      {"Landing_View_Toggle", ParameterUse::kHotspotKeys, "p1 # one view step on"},
      {"Nav_Instruments_Toggle", ParameterUse::kHotspotKeys,
       "b1360 hTOGGLE_COMPASS_WINDOW tCOMPASS_PANEL"},
  };
  return readers;
}

const ParameterReader* parameter_reader(const std::string& gauge) {
  for (const ParameterReader& r : parameter_readers()) {
    if (gauge == r.gauge) return &r;
  }
  return nullptr;
}

std::string GaugeFacts::panel_line() const {
  std::string line =
      "gauge00=" + std::string(kModuleName) + "!" + name + ", 0, 0, " + std::to_string(size_x_mm);
  if (parameters != nullptr) {
    // A string needs its height before it, or it would be read as one.
    int h = width > 0 ? (static_cast<int>(size_x_mm) * height + width / 2) / width : 0;
    line += ", " + std::to_string(h) + ", " + parameters->example;
  }
  return line;
}

std::vector<GaugeFacts> gauge_facts(Host& host) {
  std::vector<GaugeFacts> all;
  int position = 0;
  for (GaugeHeader* gauge : host.gauges()) {
    GaugeFacts facts;
    facts.position = ++position;
    facts.name = gauge->name != nullptr ? gauge->name : "";
    facts.size_x_mm = gauge->size_x_mm;
    if (gauge->element_list != nullptr && gauge->element_list[0] != nullptr) {
      facts.background = gauge->element_list[0]->resource_id;
      if (!host.bitmap_size(facts.background, facts.width, facts.height)) {
        facts.width = facts.height = 0;
      }
    }
    facts.tokens = tokens_read(host, *gauge);
    facts.tooltips = tooltips_of(*gauge);
    facts.clicks = clicks_of(host, *gauge);
    facts.parameters = parameter_reader(facts.name);
    all.push_back(std::move(facts));
  }
  return all;
}

std::string cursor_name(int32_t cursor) {
  switch (cursor) {
    case build::kCursorHand:
      return "hand";
    case build::kCursorPlus:
      return "plus";
    case build::kCursorMinus:
      return "minus";
    default:
      return "cursor " + std::to_string(cursor);
  }
}

std::string click_manner(uint32_t flags) {
  std::string manner;
  if (flags & kMouseRepeatWhileHeld) manner = "repeats while held";
  if (flags & kMouseDrag) manner += (manner.empty() ? "" : ", ") + std::string("follows drags");
  return manner;
}

std::string shown_range(const catalogue::Token& t) {
  const char* unit = t.shown.unit != nullptr ? t.shown.unit : t.unit;
  std::string range = format_number(t.low) + " to " + format_number(t.high);
  const bool symbol = std::string(unit).find_first_of(" ,") == std::string::npos;
  return symbol ? range + " " + unit : range + " (" + unit + ")";
}

std::string parameter_use_text(ParameterUse use) {
  switch (use) {
    case ParameterUse::kHotspotKeys:
      return "the hotspot keys: icon (b), tooltip (h), windows to open, close and toggle (o, c, "
             "t), view steps (p), a window to close as its own opens (a)";
    case ParameterUse::kRegistration:
      return "the registration (t), the colour of its text (r, g, b) and its font (f)";
    case ParameterUse::kHoursFile:
      return "the name of its hours file: gauges\\NAME.fhr in the simulator's folder; without "
             "a string the hours are not kept";
  }
  return "";
}

std::string describe_facts(const GaugeFacts& f) {
  std::string out = std::to_string(f.position) + " " + f.name + "\n";
  out += "  design width " + std::to_string(f.size_x_mm) + " (size_x_mm), background bitmap " +
         std::to_string(f.background) + " " + std::to_string(f.width) + "x" +
         std::to_string(f.height) + "\n";
  for (uint32_t token : f.tokens) out += "  reads " + token_text(token) + "\n";
  for (uint32_t id : f.tooltips) {
    out += "  tooltip " + std::to_string(id) + " " + quote_text(help_text(id)) + "\n";
  }
  for (const ClickFacts& c : f.clicks) {
    out += "  click box " + std::to_string(c.box.x) + "," + std::to_string(c.box.y) + " " +
           std::to_string(c.box.width) + "x" + std::to_string(c.box.height) + ", " +
           cursor_name(c.cursor) + " cursor";
    if (std::string manner = click_manner(c.flags); !manner.empty()) out += ", " + manner;
    out += c.event_id != 0 ? ": fires" : ": calls the module, which fires";
    if (c.fired.empty() && c.toggled.empty()) out += " nothing";
    out += "\n";
    for (uint32_t event : c.fired) out += "    " + event_text(event) + "\n";
    for (uint32_t ident : c.toggled) {
      out += "    toggles panel window " + std::to_string(ident) + " (service)\n";
    }
  }
  if (f.parameters != nullptr) {
    out += "  parameter string: " + parameter_use_text(f.parameters->use) + "\n";
  }
  out += "  panel.cfg: " + f.panel_line() + "\n";
  return out;
}

}  // namespace tavrel::host
