// A panel on the linked module, ready to update and draw: the default panel
// from its configuration, or any number of copies of one gauge in rows.
// Shared by the panel benchmarks and the frame driver run under callgrind.
#pragma once

#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/panel.h"
#include "host/render.h"
#include "host/state_file.h"

namespace tavrel::bench {

struct PanelRig {
  std::unique_ptr<host::Host> host;
  std::unique_ptr<host::FontLibrary> fonts;
  std::unique_ptr<host::Renderer> renderer;
  std::unique_ptr<host::Panel> panel;

  // Day, or night with the panel lights on.
  host::Lighting lighting(bool night) {
    host->variables().set(token::kPanelLights, night ? 1 : 0);
    return host::lighting_of(host->variables(), night);
  }
};

// The host with the cruise state applied (every gauge has something to show).
inline void start_host(PanelRig& rig, const std::string& source_dir) {
  std::string error;
  auto binding = host::bind_module("", &error);
  if (!binding) throw std::runtime_error(error);
  rig.host = std::make_unique<host::Host>(std::move(binding));
  std::vector<host::VariableSetting> settings;
  if (!host::read_state_file(source_dir + "/panels/cruise.state", settings, error)) {
    throw std::runtime_error(error);
  }
  host::apply_settings(settings, rig.host->variables());
  rig.panel = std::make_unique<host::Panel>(*rig.host);
  rig.fonts = std::make_unique<host::FontLibrary>();
  rig.renderer = std::make_unique<host::Renderer>(rig.host->bitmaps(), *rig.fonts);
}

inline void place_default_panel(PanelRig& rig, const std::string& source_dir) {
  start_host(rig, source_dir);
  host::PanelConfig config;
  std::string error;
  if (!host::read_panel_config(source_dir + "/panels/default.cfg", config, error)) {
    throw std::runtime_error(error);
  }
  rig.panel->place(config);
  if (!rig.panel->problems().empty()) throw std::runtime_error(rig.panel->problems().front());
}

// `count` copies of one gauge, `width` pixels wide, ten to a row; the panel
// is just big enough to hold them, so its backdrop grows with the count too.
inline void place_copies(PanelRig& rig, const std::string& source_dir, const char* name, int count,
                         int width) {
  start_host(rig, source_dir);
  std::string lines = "[Window00]\n";
  for (int i = 0; i < count; ++i) {
    int x = (i % 10) * (width + 4), y = (i / 10) * (width + 4);
    lines += "gauge" + std::to_string(i) + "=Tavrel_Instr!" + name + ", " + std::to_string(x) +
             ", " + std::to_string(y) + ", " + std::to_string(width) + "\n";
  }
  std::istringstream in(lines);
  rig.panel->place(host::parse_panel_config(in, "copies"));
  if (!rig.panel->problems().empty()) throw std::runtime_error(rig.panel->problems().front());
}

}  // namespace tavrel::bench
