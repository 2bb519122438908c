#include "tools/gaugedoc/reference.h"

#include <algorithm>
#include <cmath>

#include "host/catalogue.h"
#include "host/panel.h"
#include "host/state_report.h"
#include "tools/png_file.h"

namespace tavrel::gaugedoc {
namespace {

using host::ClickFacts;
using host::GaugeFacts;
using host::ParameterUse;

// Pictures at most this many pixels on their longer side; small ones
// (hotspots, the lamps) at twice their size, so they can be seen.
constexpr int kPictureSide = 150;
constexpr int kSmallSide = 48;

int picture_width(const GaugeFacts& f) {
  const int side = std::max(f.width, f.height);
  if (side <= 0) return 0;
  if (side < kSmallSide) return 2 * f.width;
  if (side <= kPictureSide) return f.width;
  return std::max(
      1, static_cast<int>(std::lround(static_cast<double>(f.width) * kPictureSide / side)));
}

std::string events_text(const std::vector<uint32_t>& events) {
  std::string out;
  for (uint32_t number : events) {
    if (!out.empty()) out += "; ";
    const catalogue::KeyEvent* e = host::find_key_event(number);
    out += std::to_string(number);
    if (e != nullptr) out += " `" + std::string(e->name) + "`: " + e->effect;
  }
  return out;
}

// What a click in a box does, in a table cell.
std::string click_text(const GaugeFacts& f, const ClickFacts& c) {
  if (f.parameters != nullptr && f.parameters->use == ParameterUse::kHotspotKeys) {
    std::string text = "what its parameter string says (below)";
    if (std::find(c.toggled.begin(), c.toggled.end(), 0u) != c.toggled.end()) {
      text += "; with none, it toggles the main panel (window 0)";
    }
    return text;
  }
  std::string text = events_text(c.fired);
  for (uint32_t ident : c.toggled) {
    text +=
        (text.empty() ? "" : "; ") + std::string("toggles panel window ") + std::to_string(ident);
  }
  return text.empty() ? "nothing" : text;
}

std::string parameter_section(const host::ParameterReader& r) {
  switch (r.use) {
    case ParameterUse::kHotspotKeys:
      return "**Parameter string**: " + host::parameter_use_text(r.use) +
             "; see [Hotspot parameter strings](../parameters.md#hotspot-parameter-strings). "
             "Without a string a click toggles the main panel.";
    case ParameterUse::kRegistration:
      return "**Parameter string**: " + host::parameter_use_text(r.use) +
             "; see [The registration plate](../parameters.md#the-registration-plate). "
             "Without one the plate reads N700MS in white.";
    case ParameterUse::kHoursFile:
      return "**Parameter string**: " + host::parameter_use_text(r.use) +
             "; see [The hour meter's file](../parameters.md#the-hour-meters-file).";
  }
  return "";
}

}  // namespace

std::string reference_markdown(const std::vector<GaugeFacts>& facts, const std::string& pictures) {
  std::string md =
      "# Gauge reference\n\n"
      "<!-- Written by gaugedoc from the module's records and its catalogue; the build writes\n"
      "     it again and a test compares (docs/gaugeview.md, \"The gauge reference\"). -->\n\n"
      "The " +
      std::to_string(facts.size()) +
      " gauges of `Tavrel_Instr.gau`, in the module's order. Each is drawn as the stand-in "
      "host draws it, in cruise by day and at night with the panel lights on. Below each "
      "picture: the width the gauge gets when its panel line gives no size (its design "
      "width, `size_x_mm`) and its background bitmap; the token variables it reads, in the "
      "unit its instruments are marked in and over the range they show; its tooltips; its "
      "click boxes, in pixels of its background, with the key events a click there fires "
      "and what the simulator does with them; what it reads from a parameter string, if "
      "anything; and a line to copy into a panel configuration (give the position, and "
      "the size you want).\n";
  for (const GaugeFacts& f : facts) {
    md += "\n## " + std::to_string(f.position) + ". " + f.name + "\n\n";
    md += "| By day | At night |\n| --- | --- |\n";
    md += "| ![" + f.name + " by day](" + pictures + "/" + f.name + "-day.png) | ![" + f.name +
          " at night](" + pictures + "/" + f.name + "-night.png) |\n\n";
    md += "Design width " + std::to_string(f.size_x_mm) + " (`size_x_mm`); background bitmap " +
          std::to_string(f.background) + ", " + std::to_string(f.width) + " × " +
          std::to_string(f.height) + " pixels.\n\n";
    if (f.tokens.empty()) {
      md += "Reads no token variable.\n\n";
    } else {
      md += "| Token | Name | What it is | Shown |\n| --- | --- | --- | --- |\n";
      for (uint32_t number : f.tokens) {
        const catalogue::Token* t = host::find_token(number);
        md += "| " + std::to_string(number) + " | " +
              (t != nullptr ? "`" + std::string(t->name) + "` | " + t->meaning + " | " +
                                  host::shown_range(*t)
                            : std::string(" | | ")) +
              " |\n";
      }
      md += "\n";
    }
    if (f.tooltips.empty()) {
      md += "No tooltip.\n\n";
    } else {
      md += std::string(f.tooltips.size() == 1 ? "Tooltip" : "Tooltips") + ": ";
      for (size_t i = 0; i < f.tooltips.size(); ++i) {
        md += (i > 0 ? ", " : "") + std::to_string(f.tooltips[i]) + " \"" +
              std::string(host::help_text(f.tooltips[i])) + "\"";
      }
      md += ".\n\n";
    }
    if (f.clicks.empty()) {
      md += "Takes no clicks.\n\n";
    } else {
      md += "| Click box | Cursor | A click | Fires |\n| --- | --- | --- | --- |\n";
      for (const ClickFacts& c : f.clicks) {
        std::string how = c.event_id != 0 ? "fires its event" : "runs the module's code";
        if (std::string manner = host::click_manner(c.flags); !manner.empty()) how += ", " + manner;
        md += "| " + std::to_string(c.box.x) + "," + std::to_string(c.box.y) + " " +
              std::to_string(c.box.width) + " × " + std::to_string(c.box.height) + " | " +
              host::cursor_name(c.cursor) + " | " + how + " | " + click_text(f, c) + " |\n";
      }
      md += "\n";
    }
    if (f.parameters != nullptr) md += parameter_section(*f.parameters) + "\n\n";
    md += "```ini\n" + f.panel_line() + "\n```\n";
  }
  return md;
}

void draw_reference_pictures(host::Host& host, host::Renderer& renderer,
                             const std::vector<GaugeFacts>& facts,
                             const std::vector<host::VariableSetting>& state,
                             const std::string& folder) {
  for (const catalogue::Token& t : catalogue::kTokens) host.variables().set(t.number, 0.0);
  host::apply_settings(state, host.variables());
  for (const GaugeFacts& f : facts) {
    // Drawn with its example string (an hour meter without one, so that no
    // hours file is read or written).
    const bool example = f.parameters != nullptr && f.parameters->use != ParameterUse::kHoursFile;
    host::GaugeInstance& instance = host.place(f.name, example ? f.parameters->example : "");
    host.update();
    const int width = picture_width(f);
    const double scale = f.width > 0 ? static_cast<double>(width) / f.width : 1.0;
    host::PanelWindow window;
    window.width = std::max(1, width);
    window.height = std::max(1, static_cast<int>(std::lround(f.height * scale)));
    host::PanelGaugePlace place;
    place.instance = &instance;
    place.at = host::Placement{0.0, 0.0, scale, scale};
    place.width = f.width;
    place.height = f.height;
    window.gauges.push_back(place);
    for (bool night : {false, true}) {
      host::Canvas canvas(window.width, window.height);
      host::draw_window(window, renderer, canvas, host::lighting_of(host.variables(), night));
      const std::string path = folder + "/" + f.name + (night ? "-night" : "-day") + ".png";
      std::string error;
      if (!tools::write_png(path, canvas, error, true)) throw host::HostError(error);
    }
    host.remove(instance);
  }
  for (const std::string& w : renderer.take_warnings()) throw host::HostError(w);
}

}  // namespace tavrel::gaugedoc
