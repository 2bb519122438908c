#include "host/panel.h"

#include <algorithm>
#include <cmath>

namespace tavrel::host {

void draw_window(const PanelWindow& window, Renderer& renderer, Canvas& canvas,
                 const Lighting& lighting, bool hotspots) {
  const Light light = light_for(0, lighting);
  const uint32_t bgr = window.background;
  canvas.fill(rgba_word(((bgr & 0xFF) * light.r) >> 8, (((bgr >> 8) & 0xFF) * light.g) >> 8,
                        (((bgr >> 16) & 0xFF) * light.b) >> 8));
  for (const PanelGaugePlace& g : window.gauges) renderer.draw(*g.instance, canvas, g.at, lighting);
  if (hotspots) {
    for (const PanelGaugePlace& g : window.gauges) {
      renderer.draw_hotspots(*g.instance, canvas, g.at);
    }
  }
}

Panel::Panel(Host& host) : host_(host), windows_(1) {}

Panel::~Panel() {
  clear();
}

void Panel::clear() {
  if (held_ != nullptr) release();
  last_press_ = {};
  for (PanelWindow& window : windows_) {
    for (auto g = window.gauges.rbegin(); g != window.gauges.rend(); ++g) {
      host_.remove(*g->instance);
    }
    window.gauges.clear();
  }
}

bool Panel::place_line(PanelWindow& window, const PanelGauge& line, const std::string& file,
                       double& right, double& bottom) {
  const std::string where = file + ":" + std::to_string(line.line) + ": ";
  if (host_.find_gauge(line.name) == nullptr) {
    problems_.push_back(where + "the module has no gauge " + line.name + "; skipped");
    return false;
  }
  GaugeInstance& instance = host_.place(line.name, line.parameters, window.ident);
  int bw = 0, bh = 0;
  if (!background_size(host_.bitmaps(), instance, bw, bh)) {
    problems_.push_back(where + line.name + ": background bitmap missing (" +
                        host_.bitmaps().error() + "); skipped");
    host_.remove(instance);  // a gauge left out is not left installed
    return false;
  }
  const uint32_t design = instance.gauge().size_x_mm;
  const double w = line.width ? *line.width : (design > 0 ? design : bw);
  const double h = line.height ? *line.height : w * bh / bw;
  window.gauges.push_back(
      {&instance, {double(line.x), double(line.y), w / bw, h / bh}, bw, bh, line});
  right = std::max(right, line.x + w);
  bottom = std::max(bottom, line.y + h);
  return true;
}

void Panel::place(const PanelConfig& config) {
  clear();
  windows_.assign(1, PanelWindow{});
  PanelWindow& window = windows_.front();
  problems_ = config.problems;
  window.background = config.background.value_or(kPanelColour);
  double right = 0, bottom = 0;
  for (const PanelGauge& line : config.gauges) place_line(window, line, config.file, right, bottom);
  const int margin = 8;
  window.width = config.width.value_or(static_cast<int>(std::ceil(right)) + margin);
  window.height = config.height.value_or(static_cast<int>(std::ceil(bottom)) + margin);
}

const PanelGaugePlace* Panel::gauge_named(std::string_view name) const {
  for (const PanelWindow& window : windows_) {
    for (const PanelGaugePlace& g : window.gauges) {
      if (g.instance->name() == name) return &g;
    }
  }
  return nullptr;
}

PixPoint Panel::to_background(const PanelGaugePlace& gauge, double x, double y) {
  auto pixel = [](double v) { return static_cast<int32_t>(std::floor(std::clamp(v, -1e9, 1e9))); };
  return {pixel((x - gauge.at.x) / gauge.at.scale_x), pixel((y - gauge.at.y) / gauge.at.scale_y)};
}

const PanelGaugePlace* Panel::gauge_at(double x, double y) const {
  const std::vector<PanelGaugePlace>& gauges = window().gauges;
  for (auto g = gauges.rbegin(); g != gauges.rend(); ++g) {
    if (x >= g->at.x && y >= g->at.y && x < g->at.x + g->width * g->at.scale_x &&
        y < g->at.y + g->height * g->at.scale_y) {
      return &*g;
    }
  }
  return nullptr;
}

uint32_t Panel::tooltip_at(double x, double y, const PanelGaugePlace** gauge) const {
  const PanelGaugePlace* g = gauge_at(x, y);
  if (gauge != nullptr) *gauge = g;
  if (g == nullptr) return 0;
  const PixPoint at = to_background(*g, x, y);
  return g->instance->tooltip_at(at.x, at.y);
}

ClickResult Panel::press(double x, double y) {
  if (held_ != nullptr) release();
  const PanelGaugePlace* g = gauge_at(x, y);
  if (g == nullptr) return {};
  const PixPoint at = to_background(*g, x, y);
  ClickResult result = g->instance->press(at.x, at.y);
  if (result.child == nullptr) return result;
  held_ = g;
  held_seconds_ = 0.0;
  repeat_due_ = kRepeatDelaySeconds;
  last_press_ = {g, at, std::nullopt};
  return result;
}

int Panel::repeat() {
  if (held_ == nullptr) return 0;
  const int calls = held_->instance->repeat();
  repeats_ += calls;
  return calls;
}

int Panel::drag(double x, double y) {
  if (held_ == nullptr) return 0;
  const PixPoint at = to_background(*held_, x, y);
  const int calls = held_->instance->drag(at.x, at.y);
  if (calls > 0) last_press_.dragged_to = at;
  return calls;
}

void Panel::release() {
  if (held_ != nullptr) {
    held_->instance->release();
  } else {
    host_.release_button();
  }
  held_ = nullptr;
}

void Panel::advance(double seconds) {
  if (!(seconds > 0.0)) return;
  VariableStore& vars = host_.variables();
  if (engine_clock_runs_ && vars.number(token::kEngineRpm) >= kRunningRpm) {
    vars.set(token::kEngineTime, vars.number(token::kEngineTime) + seconds);
  }
  if (held_ == nullptr) return;
  held_seconds_ += seconds;
  while (held_ != nullptr && held_seconds_ >= repeat_due_) {
    repeat();
    repeat_due_ += 1.0 / kRepeatsPerSecond;
  }
}

int Panel::place_again(std::string_view name) {
  int placed = 0;
  for (PanelWindow& window : windows_) {
    for (PanelGaugePlace& g : window.gauges) {
      if (g.instance->name() != name) continue;
      if (held_ == &g) release();
      const std::string parameters = g.instance->parameters();
      host_.remove(*g.instance);
      g.instance = &host_.place(name, parameters, window.ident);
      ++placed;
    }
  }
  return placed;
}

void Panel::draw(Renderer& renderer, Canvas& canvas, const Lighting& lighting,
                 bool hotspots) const {
  draw_window(window(), renderer, canvas, lighting, hotspots);
}

}  // namespace tavrel::host
