#include "host/panel.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tavrel::host {

namespace {

// The window's backdrop under the lighting (opaque: the canvas of a drawn
// window is opaque everywhere).
uint32_t backdrop(const PanelWindow& window, const Lighting& lighting) {
  const Light light = light_for(0, lighting);
  const uint32_t bgr = window.background;
  return rgba_word(((bgr & 0xFF) * light.r) >> 8, (((bgr >> 8) & 0xFF) * light.g) >> 8,
                   (((bgr >> 16) & 0xFF) * light.b) >> 8);
}

bool overlap(const render::IntRect& a, const render::IntRect& b) {
  return !a.meet(b).empty();
}

}  // namespace

render::IntRect gauge_area(const PanelGaugePlace& gauge, const View& view) {
  // As the renderer rounds the gauge's rectangle.
  const Placement at = view.of(gauge.at);
  return {render::round_to_int(at.x), render::round_to_int(at.y),
          render::round_to_int(at.x + gauge.width * at.scale_x),
          render::round_to_int(at.y + gauge.height * at.scale_y)};
}

void draw_window(const PanelWindow& window, Renderer& renderer, Canvas& canvas,
                 const Lighting& lighting, bool hotspots, const View& view) {
  canvas.fill(backdrop(window, lighting));
  for (const PanelGaugePlace& g : window.gauges) {
    renderer.draw(*g.instance, canvas, view.of(g.at), lighting);
  }
  if (hotspots) {
    for (const PanelGaugePlace& g : window.gauges) {
      renderer.draw_hotspots(*g.instance, canvas, view.of(g.at));
    }
  }
}

void WindowPainter::look_of(const GaugeInstance& instance, Drawn& drawn) {
  drawn.instance = &instance;
  drawn.looks.clear();
  for (const ElementState& s : instance.elements()) {
    const PixPoint moving = s.moving_offset.value_or(PixPoint{0, 0});
    drawn.looks.push_back({s.element, s.element->image_flags, s.icon_index, s.needle_bearing,
                           s.slider_offset.x, s.slider_offset.y, s.moving_offset.has_value(),
                           moving.x, moving.y, s.sprite_center_x, s.sprite_center_y,
                           s.sprite_rotation, s.text});
  }
}

std::vector<render::IntRect> WindowPainter::paint(const PanelWindow& window, bool open,
                                                  Renderer& renderer, Canvas& canvas,
                                                  const Lighting& lighting, const View& view,
                                                  bool hotspots) {
  const bool whole = drawn_.size() != window.gauges.size() || open != open_ ||
                     !(lighting == lighting_) || !(view == view_) || hotspots ||
                     hotspots != hotspots_ || canvas.width() != canvas_width_ ||
                     canvas.height() != canvas_height_;
  open_ = open;
  lighting_ = lighting;
  view_ = view;
  hotspots_ = hotspots;
  canvas_width_ = canvas.width();
  canvas_height_ = canvas.height();
  if (!open) return {};
  const render::IntRect all{0, 0, canvas.width(), canvas.height()};
  if (whole) {
    drawn_.resize(window.gauges.size());
    for (size_t i = 0; i < drawn_.size(); ++i) look_of(*window.gauges[i].instance, drawn_[i]);
    draw_window(window, renderer, canvas, lighting, hotspots, view);
    return {all};
  }

  // The gauges whose look changed, then those overlapping any of them.
  const size_t n = window.gauges.size();
  std::vector<char> redraw(n, 0);
  std::vector<render::IntRect> areas(n);
  Drawn now;
  bool any = false;
  for (size_t i = 0; i < n; ++i) {
    areas[i] = gauge_area(window.gauges[i], view).meet(all);
    look_of(*window.gauges[i].instance, now);
    if (now.instance != drawn_[i].instance || now.looks != drawn_[i].looks) {
      std::swap(drawn_[i], now);
      redraw[i] = !areas[i].empty();
      any = any || redraw[i];
    }
  }
  if (!any) return {};
  for (bool grew = true; grew;) {
    grew = false;
    for (size_t i = 0; i < n; ++i) {
      if (redraw[i] || areas[i].empty()) continue;
      for (size_t j = 0; j < n && !redraw[i]; ++j) {
        if (redraw[j] && overlap(areas[i], areas[j])) redraw[i] = grew = true;
      }
    }
  }
  std::vector<render::IntRect> drawn;
  const uint32_t fill = backdrop(window, lighting);
  for (size_t i = 0; i < n; ++i) {
    if (!redraw[i]) continue;
    canvas.blend(areas[i], fill);
    drawn.push_back(areas[i]);
  }
  for (size_t i = 0; i < n; ++i) {
    if (redraw[i])
      renderer.draw(*window.gauges[i].instance, canvas, view.of(window.gauges[i].at), lighting);
  }
  return drawn;
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

const MouseRect* Panel::box_at(double x, double y) const {
  const PanelGaugePlace* g = gauge_at(x, y);
  if (g == nullptr) return nullptr;
  const PixPoint at = to_background(*g, x, y);
  const MouseArea* child = g->instance->mouse().hit(at.x, at.y).child;
  return child != nullptr ? child->record : nullptr;
}

std::vector<ClickArea> Panel::click_areas() const {
  std::vector<ClickArea> areas;
  for (const PanelGaugePlace& g : window().gauges) {
    const MouseMap& mouse = g.instance->mouse();
    for (const MouseArea& a : mouse.areas()) {
      if (a.record == nullptr || a.record->type != kMouseChild) continue;
      // The part of the box on the gauge: only there does a click land.
      const double x0 = std::max(0, a.box.x), y0 = std::max(0, a.box.y);
      const double x1 = std::min<double>(g.width, double(a.box.x) + a.box.width);
      const double y1 = std::min<double>(g.height, double(a.box.y) + a.box.height);
      if (x1 <= x0 || y1 <= y0) continue;
      areas.push_back({&g, a.record, g.at.x + x0 * g.at.scale_x, g.at.y + y0 * g.at.scale_y,
                       (x1 - x0) * g.at.scale_x, (y1 - y0) * g.at.scale_y});
    }
  }
  return areas;
}

int Panel::turn(double x, double y, int notches) {
  const PanelGaugePlace* g = gauge_at(x, y);
  const MouseRect* under = box_at(x, y);
  if (g == nullptr || under == nullptr || notches == 0 ||
      (under->cursor != kMouseCursorPlus && under->cursor != kMouseCursorMinus)) {
    return 0;
  }
  // The knob's half that turns the wanted way: the nearest box with its
  // cursor (the box under the pointer when it is that half).
  const int32_t wanted = notches > 0 ? kMouseCursorPlus : kMouseCursorMinus;
  const ClickArea* half = nullptr;
  double best = 0;
  const std::vector<ClickArea> areas = click_areas();
  for (const ClickArea& a : areas) {
    if (a.gauge != g || a.record->cursor != wanted) continue;
    const double dx = std::max({a.x - x, 0.0, x - (a.x + a.width)});
    const double dy = std::max({a.y - y, 0.0, y - (a.y + a.height)});
    if (half == nullptr || dx * dx + dy * dy < best) {
      half = &a;
      best = dx * dx + dy * dy;
    }
  }
  if (half == nullptr) return 0;
  int calls = 0;
  for (int i = 0; i < std::abs(notches); ++i) {
    calls += press(half->x + half->width / 2, half->y + half->height / 2).calls;
    release();
  }
  return calls;
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
  if (vars.number(token::kEngineRpm) >= kRunningRpm) {
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

void Panel::draw(Renderer& renderer, Canvas& canvas, const Lighting& lighting, bool hotspots,
                 const View& view) const {
  draw_window(window(), renderer, canvas, lighting, hotspots, view);
}

}  // namespace tavrel::host
