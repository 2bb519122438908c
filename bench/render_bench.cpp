// Full-panel frames at 1x: the default panel on the module, and a panel of
// 51 hand-made dials with the module's mix, for the cost of a complete
// panel: 280-pixel faces drawn at 140 and 125 pixels, a needle each, eight of
// them with a card turning behind a mask and eight with a readout.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "host/panel.h"
#include "host/render.h"
#include "host/state_file.h"
#include "module/builders.h"
#include "resources/dib/dib.h"
#include "tests/host/fake_module.h"

namespace tavrel {
namespace {

void BM_DefaultPanel(benchmark::State& state) {
  std::string error;
  auto binding = host::bind_module("", &error);
  host::Host h(std::move(binding));
  std::vector<host::VariableSetting> settings;
  if (!host::read_state_file(TAVREL_SOURCE_DIR "/panels/cruise.state", settings, error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  host::apply_settings(settings, h.variables());
  host::PanelConfig config;
  if (!host::read_panel_config(TAVREL_SOURCE_DIR "/panels/default.cfg", config, error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  host::FontLibrary fonts;
  host::Renderer renderer(h.bitmaps(), fonts);
  host::Panel panel(h);
  panel.place(config);
  host::Canvas canvas(panel.window().width, panel.window().height);
  host::Lighting lighting = host::lighting_of(h.variables(), false);
  for (auto _ : state) {
    h.update();
    panel.draw(renderer, canvas, lighting);
    benchmark::DoNotOptimize(canvas.pixels().data());
  }
  state.counters["gauges"] = static_cast<double>(panel.window().gauges.size());
}
BENCHMARK(BM_DefaultPanel)->Unit(benchmark::kMillisecond);

// ---- 51 hand-made dials ---------------------------------------------------

using namespace build;

extern GaugeHeader dial;
extern GaugeHeader card_dial;
extern GaugeHeader readout_dial;
NonlinearityEntry dial_table[] = {entry(140, 30, 0), entry(250, 140, 100), entry(140, 250, 200),
                                  entry(30, 140, 300)};
MouseRect dial_mouse[] = {outer_parent(0), close_parent(), end_of_list()};

NeedleElement dial_needle = needle(
    dial, {.bitmap = 10, .position = {140, 140}, .flags = kLitMovingPart, .offset = {20, 10}},
    {.var = 1, .table = table(dial_table)});
ElementHeader* dial_children[] = {&dial_needle.header, nullptr};
StaticImageElement dial_face =
    static_image(dial, {.bitmap = 1, .flags = kLitFace, .children = dial_children});
ElementHeader* dial_root[] = {&dial_face.header};
GaugeHeader dial =
    gauge_header({.name = "Dial", .size_x_mm = 100, .root = dial_root, .mouse = dial_mouse});

SpriteElement card = sprite(
    card_dial, {.bitmap = 20, .position = {40, 40}, .flags = kLitMovingPart, .offset = {140, 140}},
    {.x = {}, .y = {}, .rotation = {.var = 2, .scale = 1.0}});
NeedleElement card_needle = needle(
    card_dial, {.bitmap = 10, .position = {140, 140}, .flags = kLitMovingPart, .offset = {20, 10}},
    {.var = 1, .table = table(dial_table)});
ElementHeader* card_children[] = {&card.header, &card_needle.header, nullptr};
StaticImageElement card_face =
    static_image(card_dial, {.bitmap = 1, .flags = kLitFace, .children = card_children});
ElementHeader* card_root[] = {&card_face.header};
GaugeHeader card_dial =
    gauge_header({.name = "Card_Dial", .size_x_mm = 100, .root = card_root, .mouse = dial_mouse});

double TAVREL_STDCALL readout_text(ElementHeader* e) {
  std::memcpy(element_as<StringElement>(e)->text, "1234", 5);
  return 0;
}
StringElement readout =
    string_element(readout_dial, {.bitmap = -1, .position = {100, 190}, .flags = kBrightImage},
                   {.box = {80, 24},
                    .foreground = 0x000000FF,
                    .font = "Quartz",
                    .text_flags = kTextCenter | kTextVCenter | kTextSingleLine,
                    .char_count = 4,
                    .callback = readout_text});
NeedleElement readout_needle =
    needle(readout_dial,
           {.bitmap = 10, .position = {140, 140}, .flags = kLitMovingPart, .offset = {20, 10}},
           {.var = 1, .table = table(dial_table)});
ElementHeader* readout_children[] = {&readout_needle.header, &readout.header, nullptr};
StaticImageElement readout_face =
    static_image(readout_dial, {.bitmap = 1, .flags = kLitFace, .children = readout_children});
ElementHeader* readout_root[] = {&readout_face.header};
GaugeHeader readout_dial = gauge_header(
    {.name = "Readout_Dial", .size_x_mm = 100, .root = readout_root, .mouse = dial_mouse});

// A picture with rings and spokes, so that sampling does real work.
std::vector<uint8_t> pattern(int w, int h, bool black_ground) {
  std::vector<std::array<uint8_t, 3>> palette = {
      {0, 0, 0}, {20, 20, 20}, {235, 235, 225}, {200, 40, 30}};
  std::vector<uint8_t> indices(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      int dx = x - w / 2, dy = y - h / 2, r2 = dx * dx + dy * dy;
      uint8_t i = black_ground ? 0 : 1;
      if ((r2 / 97) % 7 == 0) i = 2;
      if ((x + y) % 23 == 0 && r2 < w * w / 4) i = 3;
      indices[static_cast<size_t>(y) * w + x] = i;
    }
  }
  return dib::encode_8bit(w, h, palette, indices);
}

void BM_FullPanelOf51Dials(benchmark::State& state) {
  std::vector<GaugeHeader*> gauges = {&dial, &card_dial, &readout_dial};
  auto module = std::make_unique<testing::FakeModule>(gauges);
  module->add_picture(1, pattern(280, 280, false));
  module->add_picture(10, pattern(130, 20, true));
  module->add_picture(20, pattern(256, 256, true));
  module->add_picture(21, pattern(200, 200, true));
  host::Host h(std::move(module));
  host::FontLibrary fonts;
  host::Renderer renderer(h.bitmaps(), fonts);
  host::PanelWindow panel;
  panel.width = 1320;
  panel.height = 640;
  for (int i = 0; i < 51; ++i) {
    const char* name = i % 6 == 1 ? "Card_Dial" : i % 6 == 4 ? "Readout_Dial" : "Dial";
    host::GaugeInstance& instance = h.place(name);
    double scale = i % 2 == 0 ? 0.5 : 125.0 / 280.0;  // 140 and 125 px
    double x = 10 + (i % 9) * 145, y = 10 + (i / 9) * 105;
    panel.gauges.push_back({&instance, {x, y, scale, scale}, 0, 0, {}, 0});  // drawn, not clicked
  }
  host::Canvas canvas(panel.width, panel.height);
  int frame = 0;
  for (auto _ : state) {
    h.variables().set(1, frame % 300);
    h.variables().set(2, frame * 0.7);
    ++frame;
    h.update();
    host::draw_window(panel, renderer, canvas, {});
    benchmark::DoNotOptimize(canvas.pixels().data());
  }
}
BENCHMARK(BM_FullPanelOf51Dials)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavrel

BENCHMARK_MAIN();
