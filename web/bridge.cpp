// The panel in a web page: the module, the stand-in host and the renderer,
// built with Emscripten, driven from page.js through these plain C calls.
// The page owns the clock and the pointer; everything a gauge does goes
// through the same host calls as gaugeview's.
#include <emscripten.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "host/catalogue.h"
#include "host/fonts.h"
#include "host/host.h"
#include "host/panel.h"
#include "host/panel_config.h"
#include "host/render.h"
#include "host/state_file.h"
#include "host/state_report.h"
#include "platform/script.h"

#ifndef TAVREL_ART_DIR
#define TAVREL_ART_DIR "art"
#endif

namespace tavrel::web {
namespace {

// An hour meter placed without a file name keeps its hours under this one,
// so the page can keep them between visits.
constexpr char kHourmeterName[] = "Hourmeter";
constexpr char kHoursStem[] = "Tavrel_Panel";

struct Page {
  std::unique_ptr<host::Host> host;
  host::FontLibrary fonts;
  std::unique_ptr<host::Renderer> renderer;
  std::unique_ptr<host::Panel> panel;
  host::PanelConfig config;
  host::Canvas canvas;          // the display's pixels
  host::View view;              // where the panel lands on them
  host::ScreenPainter painter;  // what changed since the last frame
  std::vector<int32_t> drawn;   // the rectangles the last frame drew: x0 y0 x1 y1 each
  bool night = false;
  bool hotspots = false;
  std::vector<std::string> warnings;
  int sounds = 0;
  std::string text;  // the last string handed to the page
};

Page& page() {
  static Page p;
  return p;
}

const char* hand_over(std::string text) {
  page().text = std::move(text);
  return page().text.c_str();
}

void warn(const std::string& message) {
  page().warnings.push_back("warning: " + message);
}

void take_renderer_warnings() {
  for (const std::string& w : page().renderer->take_warnings()) warn(w);
}

// The page is told of every click the module plays; it sounds the module's
// own WAVE resource.
void on_play(const platform::BufferRecord&) {
  ++page().sounds;
  EM_ASM({
    if (Module.onClickSound) Module.onClickSound();
  });
}

// Places the configuration read last (the panel removes what it placed
// before), with a fresh renderer: its caches belong to the instances and
// the language they were made for.
void place() {
  Page& p = page();
  p.renderer = std::make_unique<host::Renderer>(p.host->bitmaps(), p.fonts);
  host::PanelConfig config = p.config;
  for (host::PanelWindowConfig& window : config.windows) {
    for (host::PanelGauge& gauge : window.gauges) {
      if (gauge.name == kHourmeterName && gauge.parameters.empty()) gauge.parameters = kHoursStem;
    }
  }
  p.panel->place(config);
  for (const std::string& problem : p.panel->problems()) warn(problem);
  p.host->clear_fired();
  p.painter.forget();
  // Until the page gives its display, the screen at its own size: every
  // open window at its place (the first window's size).
  if (p.canvas.width() == 0) {
    p.canvas = host::Canvas(p.panel->screen_width(), p.panel->screen_height());
  }
}

bool apply_state(std::string_view bytes, const std::string& name) {
  std::vector<host::VariableSetting> settings;
  std::string error;
  if (!host::parse_state(bytes, name, settings, error)) {
    page().warnings.push_back("error: " + error);
    return false;
  }
  host::apply_settings(settings, page().host->variables());
  return true;
}

std::string read_file(const std::string& path) {
  std::string text;
  if (FILE* file = std::fopen(path.c_str(), "rb")) {
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, n);
    std::fclose(file);
  }
  return text;
}

}  // namespace
}  // namespace tavrel::web

using namespace tavrel;
using namespace tavrel::web;

extern "C" {

// Binds the module and places the panel at `config_path` in the flight
// state at `state_path` (either may be empty). 1 when the panel holds a
// gauge.
EMSCRIPTEN_KEEPALIVE int tv_init(const char* config_path, const char* state_path) {
  Page& p = page();
  platform::set_play_listener(on_play);
  std::string error;
  p.host = std::make_unique<host::Host>(host::bind_module("", &error));
  p.panel = std::make_unique<host::Panel>(*p.host);
  if (*state_path != '\0') {
    std::vector<host::VariableSetting> settings;
    if (host::read_state_file(state_path, settings, error)) {
      host::apply_settings(settings, p.host->variables());
    } else {
      p.warnings.push_back("error: " + error);
    }
  }
  if (!host::read_panel_config(config_path, p.config, error)) {
    p.warnings.push_back("error: " + error);
    return 0;
  }
  try {
    place();
  } catch (const std::exception& e) {
    p.warnings.push_back(std::string("error: ") + e.what());
  }
  return p.panel->gauge_count() == 0 ? 0 : 1;
}

EMSCRIPTEN_KEEPALIVE const char* tv_art_dir() {
  return TAVREL_ART_DIR;
}

// The catalogue of the host's numbers (tokens with their units and ranges,
// key events, tooltips, panel windows) as JSON, for the page's sliders.
EMSCRIPTEN_KEEPALIVE const char* tv_catalogue() {
  return hand_over(host::catalogue_json());
}

// A panel configuration from the page (file picker or drop). Its problems
// join the warnings; 1 when it placed a gauge.
EMSCRIPTEN_KEEPALIVE int tv_load_panel(const char* text, const char* name) {
  try {
    std::istringstream in(text);
    page().config = host::parse_panel_config(in, name);
    place();
  } catch (const std::exception& e) {
    page().warnings.push_back(std::string("error: ") + e.what());
  }
  return page().panel->gauge_count() == 0 ? 0 : 1;
}

// A flight state from the page; 0 (with the reason in the warnings) at a
// bad line, and then nothing of it is applied.
EMSCRIPTEN_KEEPALIVE int tv_load_state(const char* text, const char* name) {
  return apply_state(text, name) ? 1 : 0;
}

// A panel configuration the page wrote into a folder of its file system
// ("/loaded/"), read as saved (a byte-order mark, UTF-16, CR LF), its file=
// bitmaps found beside it (the files dropped with it); its problems name
// the file as the pilot knows it. 1 when the panel holds a gauge.
EMSCRIPTEN_KEEPALIVE int tv_load_panel_file(const char* folder, const char* name) {
  Page& p = page();
  try {
    p.config =
        host::parse_panel_config(std::string_view(read_file(std::string(folder) + name)), name);
    p.config.folder = folder;
    place();
  } catch (const std::exception& e) {
    p.warnings.push_back(std::string("error: ") + e.what());
  }
  return p.panel->gauge_count() == 0 ? 0 : 1;
}

// A flight state the page wrote into a folder of its file system, read as
// saved.
EMSCRIPTEN_KEEPALIVE int tv_load_state_file(const char* folder, const char* name) {
  return apply_state(read_file(std::string(folder) + name), name) ? 1 : 0;
}

// The panel's windows, in order, as JSON: [[ident, "title", open], ...]
// (the title is the section's name where the configuration gives none).
EMSCRIPTEN_KEEPALIVE const char* tv_windows() {
  const host::Panel& panel = *page().panel;
  std::string json = "[";
  for (const host::PanelWindow& w : panel.windows()) {
    if (json.size() > 1) json += ",";
    json += "[" + std::to_string(w.ident) + "," +
            host::json_string(w.title.empty() ? w.section : w.title) + "," +
            (panel.is_open(w) ? "true" : "false") + "]";
  }
  return hand_over(json + "]");
}

// Opens or closes a window, as the host's menu does (opening tells its
// gauges).
EMSCRIPTEN_KEEPALIVE void tv_show_window(int ident, int open) {
  host::Host& host = *page().host;
  open ? host.open_window(static_cast<uint32_t>(ident))
       : host.close_window(static_cast<uint32_t>(ident));
}

// The window under a point of the screen that can be dragged from there
// (any but the first, where no click box is): its ident, or -1.
EMSCRIPTEN_KEEPALIVE int tv_draggable_window_at(double x, double y) {
  const host::Panel& panel = *page().panel;
  const host::PanelHit hit = panel.hit(x, y);
  if (hit.window == nullptr || hit.window == &panel.windows().front() ||
      panel.box_at(x, y) != nullptr) {
    return -1;
  }
  return static_cast<int>(hit.window->ident);
}

// Drags a window by (dx, dy) screen pixels; 1 when it moved.
EMSCRIPTEN_KEEPALIVE int tv_move_window(int ident, int dx, int dy) {
  host::Panel& panel = *page().panel;
  for (const host::PanelWindow& w : panel.windows()) {
    if (w.ident == static_cast<uint32_t>(ident)) return panel.move_window(w, dx, dy) ? 1 : 0;
  }
  return 0;
}

// The screen's size in panel pixels: every open window at its place (the
// first window's size).
EMSCRIPTEN_KEEPALIVE int tv_panel_width() {
  return page().panel->screen_width();
}
EMSCRIPTEN_KEEPALIVE int tv_panel_height() {
  return page().panel->screen_height();
}

// The display: a canvas of `width` x `height` device pixels on which screen
// point (x, y) lands at (x * scale - left, y * scale - top). The next frame
// draws it whole when any of it changed.
EMSCRIPTEN_KEEPALIVE void tv_set_view(int width, int height, double scale, double left,
                                      double top) {
  Page& p = page();
  width = std::max(1, width);
  height = std::max(1, height);
  if (p.canvas.width() != width || p.canvas.height() != height)
    p.canvas = host::Canvas(width, height);
  if (scale > 0) p.view = {scale, left, top};
}

EMSCRIPTEN_KEEPALIVE int tv_width() {
  return page().canvas.width();
}
EMSCRIPTEN_KEEPALIVE int tv_height() {
  return page().canvas.height();
}

// Time passes on the panel: engine time runs with the engine, and a held
// box repeats once a frame once the first wait is over.
EMSCRIPTEN_KEEPALIVE void tv_tick(double seconds) {
  page().panel->advance(seconds);
}

// One frame: every gauge updated, and the panel drawn again where it
// changed. The count of rectangles drawn (tv_drawn); 0 when nothing
// changed.
EMSCRIPTEN_KEEPALIVE int tv_frame() {
  Page& p = page();
  p.host->update();
  const std::vector<host::render::IntRect> drawn =
      p.painter.paint(*p.panel, *p.renderer, p.canvas,
                      host::lighting_of(p.host->variables(), p.night), p.view, p.hotspots);
  p.drawn.clear();
  for (const host::render::IntRect& r : drawn)
    p.drawn.insert(p.drawn.end(), {r.x0, r.y0, r.x1, r.y1});
  if (!drawn.empty()) take_renderer_warnings();
  return static_cast<int>(drawn.size());
}

// The next frame draws the whole panel.
EMSCRIPTEN_KEEPALIVE void tv_redraw_all() {
  page().painter.forget();
}

// The rectangles the last frame drew, four words each (x0 y0 x1 y1, the
// ends excluded).
EMSCRIPTEN_KEEPALIVE const int32_t* tv_drawn() {
  return page().drawn.data();
}

// The canvas's pixels as RGBA bytes for an ImageData: a drawn window is
// opaque everywhere, so its premultiplied words are straight bytes already.
EMSCRIPTEN_KEEPALIVE const uint8_t* tv_pixels() {
  return reinterpret_cast<const uint8_t*>(page().canvas.pixels().data());
}

// One pixel of the last frame (canvas pixels), straight RGBA in one word
// (red lowest); 0 outside the canvas.
EMSCRIPTEN_KEEPALIVE uint32_t tv_pixel(int x, int y) {
  Page& p = page();
  if (x < 0 || y < 0 || x >= p.canvas.width() || y >= p.canvas.height()) return 0;
  uint32_t c = p.canvas.at(x, y);
  uint32_t a = c >> 24;
  if (a == 0) return 0;
  auto straight = [a](uint32_t v) { return std::min<uint32_t>(255, (v * 255 + a / 2) / a); };
  return straight(c & 0xFF) | straight(c >> 8 & 0xFF) << 8 | straight(c >> 16 & 0xFF) << 16 |
         a << 24;
}

EMSCRIPTEN_KEEPALIVE void tv_set_night(int night) {
  page().night = night != 0;
}

// The click box under a point of the panel: "CURSOR FLAGS" (the host's
// cursor number and the box's mouse flags), empty where there is none.
EMSCRIPTEN_KEEPALIVE const char* tv_box_at(double x, double y) {
  const MouseRect* box = page().panel->box_at(x, y);
  if (box == nullptr) return hand_over("");
  return hand_over(std::to_string(box->cursor) + " " + std::to_string(box->mouse_flags));
}

// Every click box of the panel as JSON, in focus order: [[gauge, x, y,
// width, height, cursor], ...] in panel pixels.
EMSCRIPTEN_KEEPALIVE const char* tv_click_areas() {
  std::string json = "[";
  char number[64];
  for (const host::ClickArea& a : page().panel->click_areas()) {
    if (json.size() > 1) json += ",";
    json += "[\"" + a.gauge->instance->name() + "\"";
    for (double v : {a.x, a.y, a.width, a.height}) {
      std::snprintf(number, sizeof number, ",%.17g", v);
      json += number;
    }
    json += "," + std::to_string(a.record->cursor) + "]";
  }
  return hand_over(json + "]");
}

// The mouse wheel at a point of the panel: a knob there turns one step a
// notch (positive: up). The calls made.
EMSCRIPTEN_KEEPALIVE int tv_turn(double x, double y, int notches) {
  return page().panel->turn(x, y, notches);
}
EMSCRIPTEN_KEEPALIVE void tv_set_hotspots(int on) {
  page().hotspots = on != 0;
}
// 1: English bitmaps, 0: French. The panel is placed again (the hour
// meter saves and reloads its hours on the way).
EMSCRIPTEN_KEEPALIVE void tv_set_english(int english) {
  Page& p = page();
  p.host->set_language(english ? host::Language::kEnglish : host::Language::kFrench);
  place();
}

EMSCRIPTEN_KEEPALIVE double tv_token(int token) {
  return page().host->variables().number(static_cast<uint32_t>(token));
}
EMSCRIPTEN_KEEPALIVE void tv_set_token(int token, double value) {
  if (token > 0) page().host->variables().set(static_cast<uint32_t>(token), value);
}

// 1: an outside simulator flies the aircraft (the page's FlightGear link).
// The page's Module.onKeyEvent(event, value, release) is offered every key
// event and answers whether the simulator took it; the panel's own engine
// clock stops (the simulator gives the engine time). 0: all is the host's
// again.
EMSCRIPTEN_KEEPALIVE void tv_set_outside(int on) {
  Page& p = page();
  p.panel->set_engine_clock(on == 0);
  if (on == 0) {
    p.host->set_outside_events(nullptr);
    return;
  }
  p.host->set_outside_events([](uint32_t event, uint32_t value, bool release) {
    return EM_ASM_INT({ return Module.onKeyEvent && Module.onKeyEvent($0, $1, $2) ? 1 : 0; }, event,
                      value, release ? 1 : 0) != 0;
  });
}

// The button goes down at a point of the panel: 1 when it landed on a box.
EMSCRIPTEN_KEEPALIVE int tv_pointer_down(double x, double y) {
  return page().panel->press(x, y).child != nullptr ? 1 : 0;
}

// The pointer moves with the button down: the pressed box follows drags.
EMSCRIPTEN_KEEPALIVE int tv_pointer_move(double x, double y) {
  return page().panel->drag(x, y);
}

EMSCRIPTEN_KEEPALIVE void tv_pointer_up() {
  page().panel->release();
}

// The last press: "GAUGE X Y", then " X2 Y2" when a drag followed; empty
// before the first press on a box.
EMSCRIPTEN_KEEPALIVE const char* tv_last_press() {
  const host::Panel::Press& press = page().panel->last_press();
  if (press.gauge == nullptr) return hand_over("");
  std::string text = press.gauge->instance->name() + " " + std::to_string(press.at.x) + " " +
                     std::to_string(press.at.y);
  if (press.dragged_to) {
    text += " " + std::to_string(press.dragged_to->x) + " " + std::to_string(press.dragged_to->y);
  }
  return hand_over(text);
}

// Repeats made while held since the page started (for its tests).
EMSCRIPTEN_KEEPALIVE int tv_repeats() {
  return page().panel->repeats();
}
EMSCRIPTEN_KEEPALIVE int tv_sounds() {
  return page().sounds;
}

// What a point of the panel shows as its tooltip: "ID\tTEXT\tGAUGE", or an
// empty string where no gauge has one.
EMSCRIPTEN_KEEPALIVE const char* tv_tooltip(double x, double y) {
  const host::PanelGaugePlace* gauge = nullptr;
  const uint32_t id = page().panel->tooltip_at(x, y, &gauge);
  if (id == 0) return hand_over("");
  std::string text(host::help_text(id));
  return hand_over(std::to_string(id) + "\t" + text + "\t" + gauge->instance->name());
}

// A placed gauge's rectangle in screen pixels (its window's place on the
// screen) and its background's size: "X Y W H BW BH", empty when the panel
// has no such gauge.
EMSCRIPTEN_KEEPALIVE const char* tv_gauge_rect(const char* name) {
  const host::PanelGaugePlace* g = page().panel->gauge_named(name);
  if (g == nullptr) return hand_over("");
  const host::Placement at = page().panel->on_screen(*g);
  char text[128];
  std::snprintf(text, sizeof text, "%.17g %.17g %.17g %.17g %d %d", at.x, at.y,
                g->width * at.scale_x, g->height * at.scale_y, g->width, g->height);
  return hand_over(text);
}

// What every element of a placed gauge shows after the last update, in the
// lines `gaugeview state` prints.
EMSCRIPTEN_KEEPALIVE const char* tv_state_report(const char* name) {
  const host::PanelGaugePlace* g = page().panel->gauge_named(name);
  if (g == nullptr) return hand_over("");
  std::string text;
  for (const std::string& line : host::describe_elements(*g->instance)) text += line + "\n";
  return hand_over(text);
}

// The warnings so far, one a line.
EMSCRIPTEN_KEEPALIVE const char* tv_warnings() {
  std::string text;
  for (const std::string& w : page().warnings) text += w + "\n";
  return hand_over(text);
}
EMSCRIPTEN_KEEPALIVE void tv_clear_warnings() {
  page().warnings.clear();
}

// The hour meter writes its file as it is removed: each is removed and
// placed again where it was, so the file is current before the page syncs
// its storage. The total lives on in the module between the two.
EMSCRIPTEN_KEEPALIVE int tv_save_hours() {
  return page().panel->place_again(kHourmeterName);
}

// The text of a file of the page's file system (the hours file, for tests).
EMSCRIPTEN_KEEPALIVE const char* tv_read_file(const char* path) {
  return hand_over(read_file(path));
}

}  // extern "C"
