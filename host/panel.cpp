#include "host/panel.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <map>

#include "host/parameter_check.h"
#include "host/text_file.h"
#include "resources/dib/dib.h"

namespace tavrel::host {
namespace {

// A window bitmap is read whole; the largest window's at 24 bits, and some.
constexpr size_t kLargestBitmapFile = size_t{64} << 20;

uint32_t lit_colour(uint32_t bgr, const Lighting& lighting) {
  const Light light = light_for(0, lighting);
  return rgba_word(((bgr & 0xFF) * light.r) >> 8, (((bgr >> 8) & 0xFF) * light.g) >> 8,
                   (((bgr >> 16) & 0xFF) * light.b) >> 8);
}

std::string size_text(double w, double h) {
  return std::to_string(static_cast<long long>(std::lround(w))) + "x" +
         std::to_string(static_cast<long long>(std::lround(h)));
}

bool reads_parameters(std::string_view gauge) {
  for (const char* hotspot : parameter_gauge::kHotspots) {
    if (gauge == hotspot) return true;
  }
  return gauge == parameter_gauge::kRegistration || gauge == parameter_gauge::kHourmeter;
}

// A window's bitmap file, decoded; null with a problem.
std::shared_ptr<Backdrop> load_bitmap(const std::string& path, std::string& problem) {
  std::string bytes, error;
  if (!read_file_bytes(path, kLargestBitmapFile, bytes, error)) {
    problem = error;
    return nullptr;
  }
  const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
  int width = 0, height = 0;
  if (dib::read_size(data, bytes.size(), width, height) &&
      (width > kLargestWindow || height > kLargestWindow)) {
    problem = path + " is " + std::to_string(width) + "x" + std::to_string(height) +
              ", larger than the largest window, " + std::to_string(kLargestWindow) + " x " +
              std::to_string(kLargestWindow) + "; it is not drawn";
    return nullptr;
  }
  dib::Image image;
  std::string reason;
  if (!dib::decode(data, bytes.size(), image, &reason)) {
    problem = path + " cannot be drawn (" + reason +
              "): save it as an uncompressed BMP of 8 or 24 bits a pixel";
    return nullptr;
  }
  return std::make_shared<Backdrop>(image);
}

}  // namespace

std::string PanelWindow::describe() const {
  std::string text = "window " + std::to_string(ident);
  if (!section.empty() || !title.empty()) {
    text += " (" + section + (section.empty() || title.empty() ? "" : ", ") + title + ")";
  }
  return text;
}

Placement placed_over(const PanelWindow& window, const ScreenRect& where,
                      const PanelGaugePlace& gauge) {
  const double sx = window.width > 0 ? static_cast<double>(where.width) / window.width : 1.0;
  const double sy = window.height > 0 ? static_cast<double>(where.height) / window.height : 1.0;
  return Placement{where.x + gauge.at.x * sx, where.y + gauge.at.y * sy, gauge.at.scale_x * sx,
                   gauge.at.scale_y * sy};
}

render::IntRect View::of(const ScreenRect& r) const {
  const Placement at = of(Placement{static_cast<double>(r.x), static_cast<double>(r.y), 1.0, 1.0});
  return {render::round_to_int(at.x), render::round_to_int(at.y),
          render::round_to_int(at.x + r.width * at.scale_x),
          render::round_to_int(at.y + r.height * at.scale_y)};
}

namespace {

bool overlap(const render::IntRect& a, const render::IntRect& b) {
  return !a.meet(b).empty();
}

// A window's backdrop on its canvas rectangle `area`, drawn only within
// `clip`: its colour where it has no bitmap (or under the bitmap's black
// when background_color= is given), its bitmap stretched over the area.
void draw_backdrop_of(const PanelWindow& window, Renderer& renderer, Canvas& canvas,
                      const Lighting& lighting, const render::IntRect& area,
                      const render::IntRect& clip) {
  if (window.bitmap == nullptr || window.colour_given) {
    canvas.fill(area.meet(clip), lit_colour(window.background, lighting));
  }
  if (window.bitmap != nullptr)
    renderer.draw_backdrop(canvas, *window.bitmap, area, lighting, clip);
}

}  // namespace

render::IntRect gauge_area(const PanelWindow& window, const PanelGaugePlace& gauge,
                           const View& view) {
  // As the renderer rounds the gauge's rectangle.
  const Placement at = view.of(placed_over(window, window.on_screen, gauge));
  const render::IntRect area{render::round_to_int(at.x), render::round_to_int(at.y),
                             render::round_to_int(at.x + gauge.width * at.scale_x),
                             render::round_to_int(at.y + gauge.height * at.scale_y)};
  return area.meet(view.of(window.on_screen));
}

void draw_window(const PanelWindow& window, Renderer& renderer, Canvas& canvas,
                 const Lighting& lighting, const ScreenRect& where, bool hotspots,
                 const View& view) {
  if (where.width <= 0 || where.height <= 0 || window.width <= 0 || window.height <= 0) return;
  const render::IntRect area = view.of(where);
  draw_backdrop_of(window, renderer, canvas, lighting, area, area);
  auto on_canvas = [&](const PanelGaugePlace& g) { return view.of(placed_over(window, where, g)); };
  for (const PanelGaugePlace& g : window.gauges) {
    renderer.draw(*g.instance, canvas, on_canvas(g), lighting, area);
  }
  if (hotspots) {
    for (const PanelGaugePlace& g : window.gauges) {
      renderer.draw_hotspots(*g.instance, canvas, on_canvas(g));
    }
  }
}

void draw_window(const PanelWindow& window, Renderer& renderer, Canvas& canvas,
                 const Lighting& lighting, bool hotspots) {
  draw_window(window, renderer, canvas, lighting, {0, 0, window.width, window.height}, hotspots);
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
  const DrawingConditions conditions{lighting, view, canvas.width(), canvas.height(), hotspots};
  // Click boxes are drawn over every gauge: with them, all is drawn.
  const bool whole = drawn_.size() != window.gauges.size() || open != open_ || hotspots ||
                     !(conditions == conditions_);
  open_ = open;
  conditions_ = conditions;
  if (!open) return {};
  const render::IntRect all{0, 0, canvas.width(), canvas.height()};
  if (whole) {
    drawn_.resize(window.gauges.size());
    for (size_t i = 0; i < drawn_.size(); ++i) look_of(*window.gauges[i].instance, drawn_[i]);
    draw_window(window, renderer, canvas, lighting, window.on_screen, hotspots, view);
    return {all};
  }

  // The gauges whose look changed, then those overlapping any of them.
  const size_t n = window.gauges.size();
  std::vector<char> redraw(n, 0);
  std::vector<render::IntRect> areas(n);
  Drawn now;
  bool any = false;
  for (size_t i = 0; i < n; ++i) {
    areas[i] = gauge_area(window, window.gauges[i], view).meet(all);
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
  const render::IntRect window_area = view.of(window.on_screen);
  for (size_t i = 0; i < n; ++i) {
    if (!redraw[i]) continue;
    draw_backdrop_of(window, renderer, canvas, lighting, window_area, areas[i]);
    drawn.push_back(areas[i]);
  }
  for (size_t i = 0; i < n; ++i) {
    if (redraw[i]) {
      const PanelGaugePlace& g = window.gauges[i];
      renderer.draw(*g.instance, canvas, view.of(placed_over(window, window.on_screen, g)),
                    lighting, window_area);
    }
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

bool Panel::place_line(PanelWindow& window, size_t index, const PanelGauge& line,
                       const std::string& file, double& right, double& bottom) {
  const std::string where = file + ":" + std::to_string(line.line) + ": ";
  if (host_.find_gauge(line.name) == nullptr) {
    std::vector<std::string> names;
    for (const GaugeHeader* gauge : host_.gauges()) {
      if (gauge->name != nullptr) names.push_back(gauge->name);
    }
    const std::vector<std::string> near = nearest_names(line.name, names);
    std::string text = "no gauge " + line.name;
    if (!near.empty() && near[0].size() == line.name.size() &&
        std::equal(near[0].begin(), near[0].end(), line.name.begin(), [](char a, char b) {
          return std::tolower(static_cast<unsigned char>(a)) ==
                 std::tolower(static_cast<unsigned char>(b));
        })) {
      text += ": gauge names are matched with their case, as the host matches them; did you mean " +
              near[0] + "?";
    } else if (!near.empty()) {
      text += "; did you mean " + near[0];
      for (size_t i = 1; i < near.size(); ++i) {
        text += (i + 1 == near.size() ? " or " : ", ") + near[i];
      }
      text += "?";
    } else {
      text += " in " + std::string(kModuleName) + "; gaugeview list lists its gauges";
    }
    problems_.push_back(where + text + " (line skipped)");
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
  // A parameter string that starts with a digit, written without both
  // sizes before it, was read as a size: out of all proportion.
  if (line.parameters.empty() && line.width && reads_parameters(line.name)) {
    const double natural = w * bh / bw;
    const bool tall = line.height && (h > 2 * natural || h < natural / 2);
    const bool wide = !line.height && design > 0 && w > 4.0 * design;
    if (tall || wide) {
      const int number = tall ? *line.height : *line.width;
      problems_.push_back(where + line.name + "'s " + (tall ? "height " : "width ") +
                          std::to_string(number) + " is far from its proportions (" +
                          size_text(tall ? w : design, tall ? natural : design * bh / bw) +
                          "): if " + std::to_string(number) +
                          " is its parameter string, give the width and height before it (x, y, "
                          "w, h, " +
                          std::to_string(number) + ")");
    }
  }
  for (const std::string& note : parameter_notes(line.name, line.parameters)) {
    notes_.push_back(where + line.name + ": " + note);
  }
  window.gauges.push_back(
      {&instance, {double(line.x), double(line.y), w / bw, h / bh}, bw, bh, line, index});
  right = std::max(right, line.x + w);
  bottom = std::max(bottom, line.y + h);
  return true;
}

void Panel::place(const PanelConfig& config) {
  clear();
  windows_.clear();
  alone_ = nullptr;
  problems_ = config.problems;
  notes_ = config.notes;
  std::map<uint32_t, std::string> sections_by_ident;
  for (size_t i = 0; i < config.windows.size(); ++i) {
    const PanelWindowConfig& c = config.windows[i];
    PanelWindow& w = windows_.emplace_back();
    w.ident = c.ident.value_or(i == 0 ? panel_window::kMain.ident
                                      : kUnnamedWindowIdents + static_cast<uint32_t>(c.number));
    w.section = c.section;
    w.title = c.title;
    w.visible_at_start = c.visible;
    w.background = c.background.value_or(kPanelColour);
    w.colour_given = c.background.has_value();
    w.position = c.position;
    w.window_pos = c.window_pos;
    w.window_size = c.window_size;
    const std::string where = config.file + ":" + std::to_string(c.line) + ": ";
    auto [other, fresh] = sections_by_ident.emplace(w.ident, c.section);
    if (!fresh) {
      problems_.push_back(where + "[" + c.section + "] has ident " + std::to_string(w.ident) +
                          " like [" + other->second +
                          "], so a hotspot opens and closes both at once: give it an ident of its "
                          "own");
    }
    if (!c.bitmap.empty()) {
      std::string problem;
      w.bitmap = load_bitmap(config.folder + c.bitmap, problem);
      if (w.bitmap == nullptr) {
        problems_.push_back(config.file + ":" + std::to_string(c.bitmap_line) +
                            ": file=" + c.bitmap + ": " + problem);
      }
    }
  }
  if (windows_.empty()) windows_.emplace_back();
  // Each window opens or closes as the configuration says before its gauges
  // are placed, so they hear of its opening as they are installed.
  for (const PanelWindow& w : windows_) {
    w.visible_at_start ? host_.open_window(w.ident) : host_.close_window(w.ident);
  }
  const int margin = 8;
  for (size_t i = 0; i < windows_.size(); ++i) {
    PanelWindow& w = windows_[i];
    const PanelWindowConfig* c = i < config.windows.size() ? &config.windows[i] : nullptr;
    double right = 0, bottom = 0;
    if (c != nullptr) {
      for (const PanelGauge& line : c->gauges) place_line(w, i, line, config.file, right, bottom);
    }
    auto extent = [&](double far) {
      return std::min(kLargestWindow, static_cast<int>(std::ceil(std::max(0.0, far))) + margin);
    };
    const Backdrop* bitmap = w.bitmap.get();
    if (c != nullptr && c->width) {
      w.width = *c->width;
      w.height = c->height ? *c->height
                 : bitmap  ? std::max(1, static_cast<int>(std::lround(
                                             double(w.width) * bitmap->height() / bitmap->width())))
                           : extent(bottom);
    } else if (bitmap != nullptr) {
      w.width = bitmap->width();
      w.height = bitmap->height();
    } else {
      w.width = extent(right);
      w.height = extent(bottom);
    }
    if (c == nullptr) continue;
    for (const PanelGaugePlace& g : w.gauges) {
      const double gx = g.at.x, gy = g.at.y;
      const double gw = g.width * g.at.scale_x, gh = g.height * g.at.scale_y;
      const bool inside = gx >= 0 && gy >= 0 && gx + gw <= w.width && gy + gh <= w.height;
      if (inside) continue;
      const bool wholly = gx >= w.width || gy >= w.height || gx + gw <= 0 || gy + gh <= 0;
      problems_.push_back(
          config.file + ":" + std::to_string(g.line.line) + ": " + g.line.name + " at " +
          std::to_string(g.line.x) + "," + std::to_string(g.line.y) + " (" + size_text(gw, gh) +
          ") lies " + (wholly ? "wholly" : "partly") + " off [" + w.section + "] (" +
          size_text(w.width, w.height) + ")" +
          (wholly ? ", so it can be neither seen nor clicked" : " and is cut at its edge") +
          ": move it, or make the window larger (size_mm)");
    }
  }
  // In the order of the file's lines, as an author reads them.
  const std::string prefix = config.file + ":";
  auto line_of = [&](const std::string& problem) {
    return problem.rfind(prefix, 0) == 0 ? std::atoi(problem.c_str() + prefix.size()) : 0;
  };
  auto by_line = [&](const std::string& a, const std::string& b) {
    return line_of(a) < line_of(b);
  };
  std::stable_sort(problems_.begin(), problems_.end(), by_line);
  std::stable_sort(notes_.begin(), notes_.end(), by_line);
  screen_width_ = std::max(1, windows_.front().width);
  screen_height_ = std::max(1, windows_.front().height);
  lay_out();
}

const PanelWindow* Panel::find_window(std::string_view ident_or_section) const {
  for (const PanelWindow& w : windows_) {
    if (std::to_string(w.ident) == ident_or_section) return &w;
    if (!w.section.empty() && w.section.size() == ident_or_section.size() &&
        std::equal(w.section.begin(), w.section.end(), ident_or_section.begin(),
                   [](char a, char b) {
                     return std::tolower(static_cast<unsigned char>(a)) ==
                            std::tolower(static_cast<unsigned char>(b));
                   })) {
      return &w;
    }
  }
  for (const catalogue::PanelWindow& named : catalogue::kPanelWindows) {
    if (ident_or_section == named.name) {
      for (const PanelWindow& w : windows_) {
        if (w.ident == static_cast<uint32_t>(named.ident)) return &w;
      }
    }
  }
  return nullptr;
}

Placement Panel::on_screen(const PanelGaugePlace& gauge) const {
  const PanelWindow& window = windows_.at(gauge.window);
  return placed_over(window, window.on_screen, gauge);
}

size_t Panel::gauge_count() const {
  size_t count = 0;
  for (const PanelWindow& window : windows_) count += window.gauges.size();
  return count;
}

const PanelGaugePlace* Panel::gauge_named(std::string_view name) const {
  for (const PanelWindow& window : windows_) {
    for (const PanelGaugePlace& g : window.gauges) {
      if (g.instance->name() == name) return &g;
    }
  }
  return nullptr;
}

void Panel::set_screen(int width, int height) {
  screen_width_ = std::clamp(width, 1, kLargestScreen);
  screen_height_ = std::clamp(height, 1, kLargestScreen);
  alone_ = nullptr;
  lay_out();
}

bool Panel::show_alone(const PanelWindow& window) {
  if (&window < windows_.data() || &window >= windows_.data() + windows_.size()) return false;
  alone_ = &window;
  if (!is_open(window)) host_.open_window(window.ident);
  screen_width_ = std::max(1, window.width);
  screen_height_ = std::max(1, window.height);
  lay_out();
  return true;
}

void Panel::lay_out() {
  const double sw = screen_width_, sh = screen_height_;
  for (PanelWindow& w : windows_) {
    if (alone_ != nullptr) {
      w.on_screen = &w == alone_ ? ScreenRect{0, 0, w.width, w.height} : ScreenRect{};
      continue;
    }
    int width = w.width, height = w.height;
    if (w.window_size) {
      width = std::max(1, static_cast<int>(std::lround(w.window_size->x * sw)));
      height = std::max(1, static_cast<int>(std::lround(w.window_size->y * sh)));
    }
    int x = 0, y = 0;
    if (w.dragged_to) {
      x = w.dragged_to->x;
      y = w.dragged_to->y;
    } else if (w.window_pos) {
      x = static_cast<int>(std::lround(w.window_pos->x * sw));
      y = static_cast<int>(std::lround(w.window_pos->y * sh));
    } else {
      const int code = w.position.value_or(0);
      auto along = [](int place, int room, int size) {
        return place == 0 ? 0 : place == 1 ? (room - size) / 2 : room - size;
      };
      x = along(code % 3, screen_width_, width);
      y = along(code / 3, screen_height_, height);
    }
    w.on_screen = {x, y, width, height};
  }
}

bool Panel::move_window(const PanelWindow& window, int dx, int dy) {
  if (windows_.empty() || &window == &windows_.front() || alone_ != nullptr) return false;
  for (PanelWindow& w : windows_) {
    if (&w != &window) continue;
    // At least a corner of it stays on the screen to take hold of again.
    const int x = std::clamp(w.on_screen.x + dx, -w.on_screen.width / 2,
                             screen_width_ - std::min(w.on_screen.width, 24));
    const int y =
        std::clamp(w.on_screen.y + dy, 0, screen_height_ - std::min(w.on_screen.height, 24));
    if (x == w.on_screen.x && y == w.on_screen.y) return false;
    w.dragged_to = PixPoint{x, y};
    lay_out();
    return true;
  }
  return false;
}

PanelHit Panel::hit(double x, double y) const {
  for (auto w = windows_.rbegin(); w != windows_.rend(); ++w) {
    if ((alone_ != nullptr && &*w != alone_) || !is_open(*w) || !w->on_screen.holds(x, y)) {
      continue;
    }
    PanelHit hit;
    hit.window = &*w;
    const double wx = (x - w->on_screen.x) * w->width / w->on_screen.width;
    const double wy = (y - w->on_screen.y) * w->height / w->on_screen.height;
    for (auto g = w->gauges.rbegin(); g != w->gauges.rend(); ++g) {
      if (wx >= g->at.x && wy >= g->at.y && wx < g->at.x + g->width * g->at.scale_x &&
          wy < g->at.y + g->height * g->at.scale_y) {
        hit.gauge = &*g;
        hit.at = to_background(*g, x, y);
        break;
      }
    }
    return hit;
  }
  return {};
}

PixPoint Panel::to_background(const PanelGaugePlace& gauge, double x, double y) const {
  const PanelWindow& w = windows_.at(gauge.window);
  double wx = x, wy = y;
  if (w.on_screen.width > 0 && w.on_screen.height > 0) {
    wx = (x - w.on_screen.x) * w.width / w.on_screen.width;
    wy = (y - w.on_screen.y) * w.height / w.on_screen.height;
  }
  auto pixel = [](double v) { return static_cast<int32_t>(std::floor(std::clamp(v, -1e9, 1e9))); };
  return {pixel((wx - gauge.at.x) / gauge.at.scale_x), pixel((wy - gauge.at.y) / gauge.at.scale_y)};
}

uint32_t Panel::tooltip_at(double x, double y, const PanelGaugePlace** gauge) const {
  const PanelHit h = hit(x, y);
  if (gauge != nullptr) *gauge = h.gauge;
  if (h.gauge == nullptr) return 0;
  return h.gauge->instance->tooltip_at(h.at.x, h.at.y);
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
  for (const PanelWindow& window : windows_) {
    if (!shown(window)) continue;
    for (const PanelGaugePlace& g : window.gauges) {
      const Placement at = on_screen(g);
      for (const MouseArea& a : g.instance->mouse().areas()) {
        if (a.record == nullptr || a.record->type != kMouseChild) continue;
        // The part of the box on the gauge: only there does a click land.
        const double x0 = std::max(0, a.box.x), y0 = std::max(0, a.box.y);
        const double x1 = std::min<double>(g.width, double(a.box.x) + a.box.width);
        const double y1 = std::min<double>(g.height, double(a.box.y) + a.box.height);
        if (x1 <= x0 || y1 <= y0) continue;
        areas.push_back({&g, a.record, at.x + x0 * at.scale_x, at.y + y0 * at.scale_y,
                         (x1 - x0) * at.scale_x, (y1 - y0) * at.scale_y});
      }
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
  const PanelHit h = hit(x, y);
  if (h.gauge == nullptr) return {};
  ClickResult result = h.gauge->instance->press(h.at.x, h.at.y);
  if (result.child == nullptr) return result;
  held_ = h.gauge;
  held_seconds_ = 0.0;
  repeat_due_ = kRepeatDelaySeconds;
  last_press_ = {h.gauge, h.at, std::nullopt};
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

void Panel::draw(Renderer& renderer, Canvas& canvas, const Lighting& lighting, bool hotspots,
                 const View& view) const {
  canvas.fill(lit_colour(kScreenColour, lighting));
  for (const PanelWindow& w : windows_) {
    if (shown(w)) draw_window(w, renderer, canvas, lighting, w.on_screen, hotspots, view);
  }
}

std::vector<render::IntRect> ScreenPainter::paint(const Panel& panel, Renderer& renderer,
                                                  Canvas& canvas, const Lighting& lighting,
                                                  const View& view, bool hotspots) {
  const std::vector<PanelWindow>& windows = panel.windows();
  std::vector<char> shown(windows.size());
  std::vector<ScreenRect> places(windows.size());
  for (size_t i = 0; i < windows.size(); ++i) {
    shown[i] = panel.shown(windows[i]);
    places[i] = windows[i].on_screen;
  }
  const DrawingConditions conditions{lighting, view, canvas.width(), canvas.height(), hotspots};
  const bool whole =
      shown != shown_ || places != places_ || hotspots || !(conditions == conditions_);
  shown_ = shown;
  places_ = places;
  conditions_ = conditions;
  const render::IntRect all{0, 0, canvas.width(), canvas.height()};
  if (whole) {
    windows_.assign(windows.size(), WindowPainter{});
    canvas.fill(lit_colour(kScreenColour, lighting));
  }
  std::vector<render::IntRect> drawn;
  for (size_t i = 0; i < windows.size(); ++i) {
    if (!shown[i]) continue;
    const render::IntRect area = view.of(windows[i].on_screen).meet(all);
    if (std::any_of(drawn.begin(), drawn.end(),
                    [&](const render::IntRect& r) { return overlap(r, area); })) {
      windows_[i].forget();
    }
    for (const render::IntRect& r :
         windows_[i].paint(windows[i], true, renderer, canvas, lighting, view, hotspots)) {
      drawn.push_back(r.meet(area));
    }
  }
  if (whole) return {all};
  return drawn;
}

}  // namespace tavrel::host
