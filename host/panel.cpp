#include "host/panel.h"

#include <algorithm>
#include <cmath>

namespace tavrel::host {

Panel place_panel(const PanelConfig& config, Host& host, Renderer& renderer) {
  Panel panel;
  panel.problems = config.problems;
  panel.background = config.background.value_or(kPanelColour);
  double right = 0, bottom = 0;
  for (const PanelGauge& line : config.gauges) {
    std::string where = config.file + ":" + std::to_string(line.line) + ": ";
    if (host.find_gauge(line.name) == nullptr) {
      panel.problems.push_back(where + "the module has no gauge " + line.name + "; skipped");
      continue;
    }
    GaugeInstance& instance = host.place(line.name, line.parameters);
    int bw = 0, bh = 0;
    if (!renderer.background_size(instance, bw, bh)) {
      panel.problems.push_back(where + line.name + ": background bitmap missing (" +
                               renderer.bitmaps().error() + "); skipped");
      continue;
    }
    uint32_t design = instance.gauge().size_x_mm;
    double w = line.width ? *line.width : (design > 0 ? design : bw);
    double h = line.height ? *line.height : w * bh / bw;
    panel.gauges.push_back({&instance, {double(line.x), double(line.y), w / bw, h / bh}});
    right = std::max(right, line.x + w);
    bottom = std::max(bottom, line.y + h);
  }
  const int margin = 8;
  panel.width = config.width.value_or(static_cast<int>(std::ceil(right)) + margin);
  panel.height = config.height.value_or(static_cast<int>(std::ceil(bottom)) + margin);
  return panel;
}

void draw_panel(const Panel& panel, Renderer& renderer, Canvas& canvas, const Lighting& lighting,
                bool hotspots) {
  const Light light = light_for(0, lighting);
  const uint32_t bgr = panel.background;
  const uint32_t backdrop =
      rgba_word(((bgr & 0xFF) * light.r) >> 8, (((bgr >> 8) & 0xFF) * light.g) >> 8,
                (((bgr >> 16) & 0xFF) * light.b) >> 8);
  canvas.fill(backdrop);
  for (const Panel::Gauge& g : panel.gauges) renderer.draw(*g.instance, canvas, g.at, lighting);
  if (hotspots) {
    for (const Panel::Gauge& g : panel.gauges) renderer.draw_hotspots(*g.instance, canvas, g.at);
  }
}

}  // namespace tavrel::host
