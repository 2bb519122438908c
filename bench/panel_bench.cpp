// The default panel on the linked module, frame by frame: one update of all
// its gauges, one render at 1x day and night against copying the same
// pixels and against the reference drawing, and the cost per gauge as the
// panel grows. Every ratio is taken in
// the same loop as the figure it compares, so a loaded machine slows both.
#include <benchmark/benchmark.h>

#include <time.h>

#include <cstring>
#include <vector>

#include "bench/panel_setup.h"

namespace tavrel::bench {
namespace {

// This thread's processor time: other programs on a shared machine do not
// count in it (though they still share its caches).
double cpu_seconds() {
  timespec t;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Time per gauge, from the gauge count and the time per iteration.
benchmark::Counter per_gauge(size_t gauges) {
  return benchmark::Counter(
      static_cast<double>(gauges),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_PanelUpdate(benchmark::State& state) {
  PanelRig rig;
  place_default_panel(rig, TAVREL_SOURCE_DIR);
  for (auto _ : state) {
    rig.host->update();
    benchmark::ClobberMemory();
  }
  state.counters["gauges"] = static_cast<double>(rig.panel->window().gauges.size());
  state.counters["per_gauge"] = per_gauge(rig.panel->window().gauges.size());
}
BENCHMARK(BM_PanelUpdate)->Unit(benchmark::kMicrosecond);

// The render alone (the update is outside the timing, as a frame's state
// stands still while it is drawn). After each render the same number of
// pixels is copied with memcpy into a second canvas: the floor, the least a
// frame could cost. Both are timed on this thread's processor clock; the
// reported time is the render's, x_memcpy the render's over the copy's.
void panel_render(benchmark::State& state, host::RenderMode mode) {
  const bool night = state.range(0) != 0;
  PanelRig rig;
  place_default_panel(rig, TAVREL_SOURCE_DIR);
  rig.renderer->set_mode(mode);
  host::Lighting lighting = rig.lighting(night);
  rig.host->update();
  host::Canvas canvas(rig.panel->window().width, rig.panel->window().height);
  std::vector<uint32_t> copy(canvas.pixels().size());
  rig.panel->draw(*rig.renderer, canvas, lighting);  // caches filled
  double render = 0, floor = 0;
  for (auto _ : state) {
    double t0 = cpu_seconds();
    rig.panel->draw(*rig.renderer, canvas, lighting);
    benchmark::DoNotOptimize(canvas.pixels().data());
    double t1 = cpu_seconds();
    std::memcpy(copy.data(), canvas.pixels().data(), copy.size() * sizeof(uint32_t));
    benchmark::DoNotOptimize(copy.data());
    benchmark::ClobberMemory();
    double t2 = cpu_seconds();
    state.SetIterationTime(t1 - t0);
    render += t1 - t0;
    floor += t2 - t1;
  }
  state.SetLabel(night ? "night, panel lights on" : "day");
  state.counters["pixels"] = static_cast<double>(canvas.pixels().size());
  state.counters["memcpy_us"] = floor / static_cast<double>(state.iterations()) * 1e6;
  state.counters["x_memcpy"] = floor > 0 ? render / floor : 0;
}

void BM_PanelRender(benchmark::State& state) {
  panel_render(state, host::RenderMode::kFast);
}
BENCHMARK(BM_PanelRender)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond);

// The same drawn in the renderer's reference mode (every pixel on its own,
// nothing kept): what the fast drawing is measured against.
void BM_PanelRenderReference(benchmark::State& state) {
  panel_render(state, host::RenderMode::kReference);
}
BENCHMARK(BM_PanelRenderReference)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond);

// N copies of the airspeed indicator (140 px): update, then render, each
// with its time per gauge, which should not grow with N.
constexpr const char* kCopiedGauge = "Airspeed_Kts";
constexpr int kCopiedWidth = 140;

void BM_CopiesUpdate(benchmark::State& state) {
  PanelRig rig;
  place_copies(rig, TAVREL_SOURCE_DIR, kCopiedGauge, static_cast<int>(state.range(0)),
               kCopiedWidth);
  for (auto _ : state) {
    rig.host->update();
    benchmark::ClobberMemory();
  }
  state.counters["per_gauge"] = per_gauge(rig.panel->window().gauges.size());
}
BENCHMARK(BM_CopiesUpdate)->Arg(1)->Arg(10)->Arg(51)->Arg(200)->Unit(benchmark::kMicrosecond);

void BM_CopiesRender(benchmark::State& state) {
  PanelRig rig;
  place_copies(rig, TAVREL_SOURCE_DIR, kCopiedGauge, static_cast<int>(state.range(0)),
               kCopiedWidth);
  host::Lighting lighting = rig.lighting(false);
  rig.host->update();
  host::Canvas canvas(rig.panel->window().width, rig.panel->window().height);
  rig.panel->draw(*rig.renderer, canvas, lighting);
  for (auto _ : state) {
    rig.panel->draw(*rig.renderer, canvas, lighting);
    benchmark::DoNotOptimize(canvas.pixels().data());
  }
  state.counters["per_gauge"] = per_gauge(rig.panel->window().gauges.size());
}
BENCHMARK(BM_CopiesRender)->Arg(1)->Arg(10)->Arg(51)->Arg(200)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tavrel::bench

BENCHMARK_MAIN();
