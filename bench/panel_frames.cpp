// Runs frames of the default panel for a profiler:
//   tavrel_panel_frames [--frames N] [--render] [--night] [--reference] [--copies N]
// Ten frames first warm the caches (bitmap sizes, resampled pictures,
// glyphs); then measured_frames runs N updates (and renders with --render).
// Under callgrind, collect the measured frames alone with
//   --toggle-collect='measured_frames(*'
// and divide by N (bench/callgrind_split.py splits the count into module
// code and host code).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>

#include "bench/panel_setup.h"

// The frames a profiler counts; kept out of line so that it can be named.
__attribute__((noinline)) void measured_frames(tavrel::bench::PanelRig& rig,
                                               tavrel::host::Canvas& canvas,
                                               const tavrel::host::Lighting& lighting, int frames,
                                               bool render) {
  for (int i = 0; i < frames; ++i) {
    rig.host->update();
    if (render) rig.panel->draw(*rig.renderer, canvas, lighting);
  }
}

int main(int argc, char** argv) {
  using namespace tavrel;
  int frames = 100, copies = 0;
  bool render = false, night = false, reference = false;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--frames") && i + 1 < argc) {
      frames = std::atoi(argv[++i]);
    } else if (!std::strcmp(argv[i], "--copies") && i + 1 < argc) {
      copies = std::atoi(argv[++i]);
    } else if (!std::strcmp(argv[i], "--render")) {
      render = true;
    } else if (!std::strcmp(argv[i], "--night")) {
      night = true;
    } else if (!std::strcmp(argv[i], "--reference")) {
      reference = true;
    } else {
      std::fprintf(stderr,
                   "usage: tavrel_panel_frames [--frames N] [--render] [--night] [--reference]\n"
                   "                           [--copies N]\n");
      return 2;
    }
  }
  try {
    bench::PanelRig rig;
    if (copies > 0) {
      bench::place_copies(rig, TAVREL_SOURCE_DIR, "Airspeed_Kts", copies, 140);
    } else {
      bench::place_default_panel(rig, TAVREL_SOURCE_DIR);
    }
    if (reference) rig.renderer->set_mode(host::RenderMode::kReference);
    host::Lighting lighting = rig.lighting(night);
    host::Canvas canvas(rig.panel->window().width, rig.panel->window().height);
    for (int i = 0; i < 10; ++i) {
      rig.host->update();
      if (render) rig.panel->draw(*rig.renderer, canvas, lighting);
    }
    measured_frames(rig, canvas, lighting, frames, render);
    std::printf("%zu gauges, %d frames after 10 to warm up\n", rig.panel->window().gauges.size(),
                frames);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tavrel_panel_frames: %s\n", e.what());
    return 1;
  }
  return 0;
}
