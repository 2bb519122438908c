// A panel configuration placed on a host and drawn: its gauges' instances
// where they land, over the panel's backdrop.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/host.h"
#include "host/panel_config.h"
#include "host/render.h"

namespace tavrel::host {

// A panel placed on a host: its gauges' instances where they land, in
// drawing order.
struct Panel {
  struct Gauge {
    GaugeInstance* instance = nullptr;
    Placement at;
  };
  int width = 0;
  int height = 0;
  uint32_t background = 0;  // 0x00BBGGRR
  std::vector<Gauge> gauges;
  std::vector<std::string> problems;  // the configuration's, then placing's
};

// The instrument panel's own colour where a configuration gives none.
constexpr uint32_t kPanelColour = 0x00484440;  // 0x00BBGGRR: dark grey

// Places every gauge of a configuration (install and panel-open services
// run as the host places them). A gauge the module lacks, or whose
// background bitmap is missing, is left out with a problem naming its line.
// A gauge with no size gets its design width (size_x_mm); a width alone
// keeps its proportions. Without size_mm the panel just holds its gauges.
Panel place_panel(const PanelConfig& config, Host& host, Renderer& renderer);

// One frame: the backdrop, then every gauge as its last update left it,
// then (on request) their click boxes and tooltip areas over all of them.
void draw_panel(const Panel& panel, Renderer& renderer, Canvas& canvas, const Lighting& lighting,
                bool hotspots = false);

}  // namespace tavrel::host
