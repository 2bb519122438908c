// The whole default panel, soaked: ten thousand frames with every token the
// gauges read swept through and far beyond its range, clicks, holds and drags
// on every box, instances removed and placed again and panel windows closed
// and reopened, so that every install and kill runs hundreds of times, and
// every instance drawn now and then as the sweep left it. Run
// under AddressSanitizer it must neither crash nor leak; natively the
// process must not grow after its first frames. At the end the hours file
// holds one finite number and no sound object is left alive.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "host/host.h"
#include "host/panel_config.h"
#include "host/render.h"
#include "module/catalogue.h"
#include "platform/script.h"
#include "sound/player.h"

namespace tavrel {
namespace {

namespace fs = std::filesystem;

constexpr int kFrames = 10000;
constexpr int kSettleFrames = 500;  // resident size measured from here
constexpr int kDrawEvery = 1000;    // frames between drawings of every instance
constexpr char kHoursStem[] = "Soak";
// Every token the gauges read, named by an element or looked up by a
// callback: the catalogue's (which holds exactly those).
std::vector<uint32_t> tokens_read() {
  std::vector<uint32_t> tokens;
  for (const catalogue::Token& t : catalogue::kTokens) tokens.push_back(t.number);
  std::sort(tokens.begin(), tokens.end());
  return tokens;
}

// Resident pages of this process.
long resident_pages() {
  std::ifstream statm("/proc/self/statm");
  long size = 0, resident = 0;
  statm >> size >> resident;
  return resident;
}

// Bytes the sound stand-in keeps of its own for every call and buffer, so
// that its bookkeeping is not mistaken for growth of the module or host.
size_t stand_in_records() {
  size_t bytes = platform::calls().capacity() * sizeof(std::string);
  for (const std::string& call : platform::calls()) bytes += call.capacity();
  // Each sound loaded leaves a buffer record, and a device, a file, a
  // resource and a memory block record of a few words each.
  constexpr size_t kOtherRecords = 4 * 64;
  for (const platform::BufferRecord& buffer : platform::buffers()) {
    bytes += buffer.samples.size() + sizeof buffer + kOtherRecords;
  }
  return bytes;
}

bool sanitized() {
#if defined(__SANITIZE_ADDRESS__)
  return true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
  return true;
#endif
#endif
  return false;
}

class Soak : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = fs::current_path();
    char pattern[] = "/tmp/tavrel-soak-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder_ = pattern;
    fs::create_directory(folder_ / "gauges");
    fs::current_path(folder_);
  }
  void TearDown() override {
    fs::current_path(previous_);
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  fs::path previous_;
  fs::path folder_;
};

struct Slot {
  std::string name;
  std::string parameters;
  uint32_t window;
};

TEST_F(Soak, TenThousandFramesOfTheDefaultPanelWithEveryTokenSweptAndEveryBoxClicked) {
  host::PanelConfig config;
  std::string error;
  ASSERT_TRUE(host::read_panel_config(std::string(TAVREL_SOURCE_DIR) + "/panels/default.cfg",
                                      config, error))
      << error;
  ASSERT_TRUE(config.problems.empty());

  std::vector<Slot> slots;
  {
    host::Host host{host::bind_module("", nullptr)};
    host::FontLibrary fonts;
    host::Renderer renderer(host.bitmaps(), fonts);
    const std::vector<host::PanelGauge>& gauges = config.windows.at(0).gauges;
    for (const host::PanelGauge& gauge : gauges) {
      slots.push_back({gauge.name, gauge.parameters, panel_window::kMain});
    }
    // A second copy of every gauge in three other windows, and the hour
    // meter with a file to keep.
    for (size_t i = 0; i < gauges.size(); ++i) {
      slots.push_back({gauges[i].name, gauges[i].parameters, static_cast<uint32_t>(1 + i % 3)});
    }
    slots.push_back({"Hourmeter", kHoursStem, 2});
    std::ofstream(folder_ / "gauges" / "Soak.fhr") << "12.5\n";

    std::vector<host::GaugeInstance*> placed;
    for (const Slot& slot : slots) {
      placed.push_back(&host.place(slot.name, slot.parameters, slot.window));
    }
    const std::vector<uint32_t> tokens = tokens_read();
    ASSERT_GT(tokens.size(), 40u);

    std::mt19937 random(20261208);
    auto below = [&](size_t n) { return static_cast<size_t>(random() % n); };
    const double kWild[] = {std::numeric_limits<double>::quiet_NaN(),
                            std::numeric_limits<double>::infinity(),
                            -std::numeric_limits<double>::infinity(),
                            std::numeric_limits<double>::max(),
                            -std::numeric_limits<double>::max(),
                            std::numeric_limits<double>::denorm_min(),
                            1e18,
                            -1e18,
                            4294967296.0,
                            -2147483649.0,
                            65536.0,
                            -1.0,
                            0.0};
    auto sweep_value = [&](uint32_t token, int frame) -> double {
      switch (below(4)) {
        case 0:
          return kWild[below(std::size(kWild))];
        case 1:
          return std::uniform_real_distribution<double>(-1000, 1000)(random);
        case 2:
          return static_cast<double>(static_cast<int>(below(40)) - 5);
        default:  // a slow ramp through and past every plausible range
          return std::fmod((frame + token) * 0.37, 600.0) * (frame % 2 ? 100.0 : -1.0);
      }
    };

    int hits = 0;  // clicks that landed on a child box
    long settled_pages = 0;
    size_t settled_records = 0;
    for (int frame = 0; frame < kFrames; ++frame) {
      // Tokens: a handful each frame, every one of them many times over.
      for (int i = 0; i < 12; ++i) {
        const uint32_t token = tokens[below(tokens.size())];
        if (host::VariableStore::is_enumerated(token) && below(2) == 0) {
          const int32_t wild[] = {-1, 99, 255, 256, INT32_MAX, INT32_MIN};
          host.variables().set_integer(token, wild[below(std::size(wild))]);
        } else {
          host.variables().set(token, sweep_value(token, frame));
        }
      }
      // A click on a box, held, dragged or both: instance after instance,
      // and box after box of each, so that every box is pressed many times.
      host::GaugeInstance& target = *placed[frame % placed.size()];
      const auto& areas = target.mouse().areas();
      if (!areas.empty()) {
        const host::MouseArea& area = areas[(frame / placed.size()) % areas.size()];
        host::ClickOptions options;
        options.hold = static_cast<int>(below(4));
        if (below(2) == 0) {
          options.drag_to = PixPoint{static_cast<int32_t>(below(600)) - 100,
                                     static_cast<int32_t>(below(600)) - 100};
        }
        const int32_t w = std::max(1, area.box.width), h = std::max(1, area.box.height);
        hits += target
                    .click(area.box.x + static_cast<int32_t>(below(w)),
                           area.box.y + static_cast<int32_t>(below(h)), options)
                    .child != nullptr;
      }
      host.clear_fired();
      // One instance goes and comes back each frame.
      const size_t again = below(placed.size());
      host.remove(*placed[again]);
      placed[again] = &host.place(slots[again].name, slots[again].parameters, slots[again].window);
      // Windows close and open again.
      if (frame % 7 == 0) {
        const uint32_t window = static_cast<uint32_t>(below(4));
        if (host.window_open(window)) {
          host.close_window(window);
        } else {
          host.open_window(window);
        }
      }
      if (frame % 97 == 0) platform::finish_sounds();
      host.update();

      // Now and then every instance is drawn as the sweep left it, by day
      // and by night, at half size; the first time before the resident size
      // is taken, so that the renderer's caches are full by then.
      if (frame % kDrawEvery == kSettleFrames - 1) {
        host::Canvas canvas(400, 400);
        for (bool night : {false, true}) {
          const host::Lighting lighting = host::lighting_of(host.variables(), night);
          for (host::GaugeInstance* instance : placed) {
            renderer.draw(*instance, canvas, {.scale_x = 0.5, .scale_y = 0.5}, lighting);
          }
        }
        const std::vector<std::string> warnings = renderer.take_warnings();
        EXPECT_TRUE(warnings.empty()) << "frame " << frame << ": " << warnings.front();
      }

      if (frame == kSettleFrames) {
        settled_pages = resident_pages();
        settled_records = stand_in_records();
      }
    }
    // Half the presses land on a child (the rest on gauges that only show
    // a tooltip).
    EXPECT_GT(hits, kFrames / 3);
    const long grown_bytes = (resident_pages() - settled_pages) * sysconf(_SC_PAGESIZE);
    const long stand_in_grown = static_cast<long>(stand_in_records() - settled_records);
    if (!sanitized()) {
      // A megabyte for the allocator's own slack, beyond what the sound
      // stand-in records of every call and buffer.
      EXPECT_LT(grown_bytes - stand_in_grown, 1 << 20)
          << "resident size grew by " << grown_bytes << " bytes after frame " << kSettleFrames
          << " (the sound stand-in's records: " << stand_in_grown << ")";
    }

    // Every instance removed: the hour meter saves, the switches give their
    // sounds back.
    while (!host.instances().empty()) host.remove(*host.instances().back());
    EXPECT_EQ(sound::g_sound_enabled, 1) << "a sound call failed";
    for (const sound::SoundSlot& slot : sound::g_slots) {
      EXPECT_EQ(slot.device, nullptr);
      EXPECT_EQ(slot.buffer, nullptr);
    }
  }
  const platform::Live live = platform::live();
  EXPECT_EQ(live.buffers, 0);
  EXPECT_EQ(live.devices, 0);
  EXPECT_EQ(live.files, 0);
  EXPECT_EQ(live.memory_blocks, 0);
  EXPECT_EQ(live.resources, 0);
  EXPECT_TRUE(platform::misuse().empty()) << platform::misuse().front();

  std::ifstream hours(folder_ / "gauges" / "Soak.fhr");
  std::stringstream text;
  text << hours.rdbuf();
  const std::string line = text.str();
  ASSERT_FALSE(line.empty());
  EXPECT_EQ(line.find('\n'), line.size() - 1) << line;
  char* end = nullptr;
  const double saved = std::strtod(line.c_str(), &end);
  EXPECT_TRUE(std::isfinite(saved)) << line;
  // Rises only add and every reload reads what was saved: the 12.5 hours
  // the file began with are never lost.
  EXPECT_GE(saved, 12.5) << line;
  EXPECT_EQ(end, line.c_str() + line.size() - 1) << line;
}

}  // namespace
}  // namespace tavrel
