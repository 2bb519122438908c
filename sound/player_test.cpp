// The click player and the sounding switches on the stand-in Windows calls:
// which window it looks for, what it loads, when it plays, and that every
// failure silences the clicks but not the switches, leaking nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "host/host.h"
#include "module/linkage.h"
#include "platform/script.h"
#include "sound/player.h"

namespace tavrel {
namespace {

using platform::Call;
using platform::DWORD;
using platform::HINSTANCE;
using platform::IDirectSound;
using platform::IDirectSoundBuffer;

struct Switch {
  const char* name;
  uint32_t event;
};

// The sounding switches and the events their clicks fire.
constexpr Switch kSoundingSwitches[] = {
    {"Avionics_Switch", 66293},   {"Beacon_Lights_Switch", 66239}, {"Landing_Lights_Switch", 65751},
    {"Nav_Lights_Switch", 66379}, {"Strobe_Lights_Switch", 65560}, {"Panel_Lights_Switch", 65750},
    {"Pitot_Heat", 65858},
};

// A point on the lever of a toggle switch.
constexpr int32_t kLeverX = 15, kLeverY = 20;

host::ClickOptions held(int repeats) {
  host::ClickOptions options;
  options.hold = repeats;
  return options;
}

// Every test starts with the module freshly loaded and Windows as the
// script has it out of the box.
void load_module_afresh() {
  platform::reset();
  sound::g_sound_enabled = 1;
  for (sound::SoundSlot& slot : sound::g_slots) slot = {};
}

// A RIFF/WAVE file: `before` chunks, the format, `between` chunks, the data.
struct Wave {
  uint16_t channels = 1;
  uint32_t rate = 22050;
  uint16_t bits = 16;
  std::vector<uint8_t> samples;
  std::vector<std::pair<std::string, std::vector<uint8_t>>> before, between;
};

void put(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void chunk(std::vector<uint8_t>& out, const std::string& id, const std::vector<uint8_t>& body) {
  out.insert(out.end(), id.begin(), id.end());
  put(out, static_cast<uint32_t>(body.size()), 4);
  out.insert(out.end(), body.begin(), body.end());
  if (body.size() % 2 != 0) out.push_back(0);
}

std::vector<uint8_t> wave_file(const Wave& w) {
  std::vector<uint8_t> format;
  uint16_t align = static_cast<uint16_t>(w.channels * w.bits / 8);
  put(format, 1, 2);
  put(format, w.channels, 2);
  put(format, w.rate, 4);
  put(format, w.rate * align, 4);
  put(format, align, 2);
  put(format, w.bits, 2);
  std::vector<uint8_t> body = {'W', 'A', 'V', 'E'};
  for (auto& [id, bytes] : w.before) chunk(body, id, bytes);
  chunk(body, "fmt ", format);
  for (auto& [id, bytes] : w.between) chunk(body, id, bytes);
  chunk(body, "data", w.samples);
  std::vector<uint8_t> file;
  chunk(file, "RIFF", body);
  return file;
}

std::vector<uint8_t> click_wav_data_chunk() {
  std::ifstream file(std::string(TAVREL_TEST_ART_DIR) + "/click.wav", std::ios::binary);
  std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file),
                             std::istreambuf_iterator<char>()};
  for (size_t at = 12; at + 8 <= bytes.size();) {
    uint32_t size;
    std::memcpy(&size, &bytes[at + 4], 4);
    if (std::memcmp(&bytes[at], "data", 4) == 0) {
      return {bytes.begin() + at + 8, bytes.begin() + at + 8 + size};
    }
    at += 8 + size + (size & 1);
  }
  return {};
}

// ---------------------------------------------------------------------------
// The host window.

class HostWindow : public ::testing::Test {
 protected:
  void SetUp() override { load_module_afresh(); }
};

TEST_F(HostWindow, ClassFollowsTheExecutablesFileNameAndOnlyOneIsSearched) {
  struct Case {
    const char* path;
    const char* window_class;
  };
  const Case cases[] = {
      {"C:\\FS2000\\FS2000.EXE", "FS98MAIN"},              // 'F' first, '0' fourth
      {"C:\\Program Files\\CFS2\\CFS2.EXE", "MSCFSMAIN"},  // 'C' first
      {"D:\\Games\\FLT2SIM.EXE", "MSCFSMAIN"},             // '2' fourth
      {"E:\\sim\\Combat.exe", "MSCFSMAIN"},
      {"E:\\sim\\cfs2.exe", "MSCFSMAIN"},  // '2' fourth, though 'c' is lower case
      {"E:\\sim\\cfs.exe", "FS98MAIN"},    // lower-case 'c' does not count
      {"E:\\C2\\FSIM.EXE", "FS98MAIN"},    // the folder does not count
      {"E:\\sim\\AB2.EXE", "FS98MAIN"},    // '2' third
      {"E:\\sim\\FS2.EXE", "FS98MAIN"},
      {"E:\\sim\\AB.EXE", "FS98MAIN"},  // three characters or fewer
      {"E:\\sim\\C.EXE", "MSCFSMAIN"},
      {"E:\\sim\\FS98.v2.exe", "FS98MAIN"},  // the extension is the last dot's
      {"E:/sim/ABC2", "MSCFSMAIN"},          // no extension, forward slashes
  };
  for (const Case& c : cases) {
    load_module_afresh();
    platform::set_executable_path(c.path);
    platform::set_window_classes({"FS98MAIN", "MSCFSMAIN"});
    EXPECT_NE(sound::find_host_window(), nullptr) << c.path;
    EXPECT_EQ(platform::count_calls("FindWindowA"), 1) << c.path;
    EXPECT_EQ(platform::count_calls(std::string("FindWindowA ") + c.window_class), 1) << c.path;
  }
}

TEST_F(HostWindow, NoSecondTryWithTheOtherClass) {
  platform::set_executable_path("C:\\FS2000\\FS2000.EXE");
  platform::set_window_classes({"MSCFSMAIN"});
  EXPECT_EQ(sound::find_host_window(), nullptr);
  EXPECT_EQ(platform::calls().back(), "FindWindowA FS98MAIN");
  EXPECT_EQ(platform::count_calls("FindWindowA"), 1);
}

// ---------------------------------------------------------------------------
// Loading the click.

class LoadClick : public ::testing::Test {
 protected:
  void SetUp() override { load_module_afresh(); }
  void TearDown() override {
    sound::release(&buffer);
    sound::release(&device);
    EXPECT_EQ(platform::live(), platform::Live{});
    EXPECT_TRUE(platform::misuse().empty()) << platform::misuse().front();
  }

  DWORD load() {
    EXPECT_EQ(sound::create_device(sound::find_host_window(), &device), 1);
    return sound::load_click(&device, &buffer, 10, reinterpret_cast<HINSTANCE>(0x10000000));
  }

  IDirectSound* device = nullptr;
  IDirectSoundBuffer* buffer = nullptr;
};

TEST_F(LoadClick, TheModulesClickFillsABufferOfItsFormatAndSize) {
  EXPECT_EQ(load(), 3828u);
  ASSERT_NE(buffer, nullptr);
  ASSERT_EQ(platform::buffers().size(), 1u);
  platform::BufferRecord made = platform::buffers()[0];
  EXPECT_EQ(made.description_size, 36u);
  EXPECT_EQ(made.flags, 0x80E0u);
  EXPECT_EQ(made.bytes, 3828u);
  EXPECT_EQ(made.format.wFormatTag, 1);
  EXPECT_EQ(made.format.nChannels, 1);
  EXPECT_EQ(made.format.nSamplesPerSec, 22050u);
  EXPECT_EQ(made.format.nAvgBytesPerSec, 44100u);
  EXPECT_EQ(made.format.nBlockAlign, 2);
  EXPECT_EQ(made.format.wBitsPerSample, 16);
  EXPECT_EQ(made.samples, click_wav_data_chunk());
  EXPECT_EQ(made.position, 0u);
  EXPECT_FALSE(made.playing);
  // Nothing of the load outlives it but the buffer.
  EXPECT_EQ(platform::live(), (platform::Live{.devices = 1, .buffers = 1}));
}

TEST_F(LoadClick, AnyPcmWaveIsReadThroughItsChunks) {
  Wave w;
  w.channels = 2;
  w.rate = 11025;
  w.bits = 8;
  for (int i = 0; i < 301; ++i) w.samples.push_back(static_cast<uint8_t>(i * 7));
  w.samples.push_back(0x55);                                    // 302 bytes: whole frames
  w.before.push_back({"LIST", {'I', 'N', 'F', 'O', 1, 2, 3}});  // odd size: padded
  w.between.push_back({"fact", {1, 0, 0, 0}});
  platform::set_wave_resource(wave_file(w));

  EXPECT_EQ(load(), 302u);
  ASSERT_EQ(platform::buffers().size(), 1u);
  platform::BufferRecord made = platform::buffers()[0];
  EXPECT_EQ(made.bytes, 302u);
  EXPECT_EQ(made.format.nChannels, 2);
  EXPECT_EQ(made.format.nSamplesPerSec, 11025u);
  EXPECT_EQ(made.format.wBitsPerSample, 8);
  EXPECT_EQ(made.format.nBlockAlign, 2);
  EXPECT_EQ(made.samples, w.samples);
}

TEST_F(LoadClick, TheStepsInTheirOrder) {
  load();
  std::vector<std::string> seen;
  for (const std::string& call : platform::calls()) {
    if (call.rfind("FindWindowA", 0) == 0 || call == "GetModuleFileNameA" || call == "_splitpath") {
      continue;
    }
    seen.push_back(call);
  }
  const std::vector<std::string> expected = {
      "DirectSoundCreate",    "SetCooperativeLevel 1",
      "FindResourceA",        "LoadResource",
      "LockResource",         "SizeofResource",
      "mmioOpenA 65538",      "mmioDescend WAVE",
      "mmioDescend fmt ",     "mmioRead 18",
      "mmioAscend",           "mmioDescend data",
      "GlobalAlloc 2 3828",   "GlobalLock",
      "mmioRead 3828",        "mmioClose",
      "FreeResource",         "CreateSoundBuffer",
      "Lock 0 3828 0",        "Unlock 3828 0",
      "SetCurrentPosition 0", "GlobalUnlock",
      "GlobalFree",
  };
  EXPECT_EQ(seen, expected);
}

TEST_F(LoadClick, NothingLoadsOnceSoundIsDisabled) {
  sound::g_sound_enabled = 0;
  // The device is still made: that step does not look at the flag.
  EXPECT_EQ(load(), 0u);
  EXPECT_EQ(buffer, nullptr);
  EXPECT_EQ(platform::count_calls("FindResourceA"), 0);
  EXPECT_EQ(platform::live(), (platform::Live{.devices = 1}));
}

// ---------------------------------------------------------------------------
// Every failure, through the host: the first silences every switch for
// good, the switches keep switching, and everything made is given back.

struct FailurePoint {
  std::string name;
  std::function<void()> arrange;
  bool at_click = false;  // the failure comes with the first click, not at install
};

void PrintTo(const FailurePoint& point, std::ostream* out) {
  *out << point.name;
}

// A call made once per install fails at the third switch's install; the
// calls made several times per install fail at their k-th time there.
std::vector<FailurePoint> failure_points() {
  auto third_install = [](std::string name, Call call, int per_install = 1, int k = 1) {
    return FailurePoint{name, [=] { platform::fail(call, 2 * per_install + k); }};
  };
  return {
      third_install("DirectSoundCreate", Call::kDirectSoundCreate),
      third_install("SetCooperativeLevel", Call::kSetCooperativeLevel),
      {"NoHostWindow", [] { platform::set_window_classes({}); }},
      third_install("FindResource", Call::kFindResource),
      {"NoWaveResource", [] { platform::set_wave_resource(std::nullopt); }},
      third_install("LoadResource", Call::kLoadResource),
      third_install("LockResource", Call::kLockResource),
      third_install("MmioOpen", Call::kMmioOpen),
      third_install("MmioDescendRiff", Call::kMmioDescend, 3, 1),
      third_install("MmioDescendFormat", Call::kMmioDescend, 3, 2),
      third_install("MmioReadFormat", Call::kMmioRead, 2, 1),
      third_install("MmioDescendData", Call::kMmioDescend, 3, 3),
      third_install("GlobalAlloc", Call::kGlobalAlloc),
      third_install("GlobalLock", Call::kGlobalLock),
      third_install("MmioReadData", Call::kMmioRead, 2, 2),
      third_install("CreateSoundBuffer", Call::kCreateSoundBuffer),
      third_install("BufferLock", Call::kBufferLock),
      third_install("BufferUnlock", Call::kBufferUnlock),
      third_install("SetCurrentPosition", Call::kSetCurrentPosition),
      {"Play", [] { platform::fail(Call::kPlay, 1); }, true},
      {"NotAWave", [] { platform::set_wave_resource(std::vector<uint8_t>(64, 'x')); }},
  };
}

class SoundFailure : public ::testing::TestWithParam<FailurePoint> {
 protected:
  void SetUp() override { load_module_afresh(); }
};

TEST_P(SoundFailure, SilencesEveryClickButNotTheSwitchesAndLeaksNothing) {
  host::Host host{host::bind_module("", nullptr)};
  GetParam().arrange();
  std::vector<host::GaugeInstance*> placed;
  for (const Switch& s : kSoundingSwitches) placed.push_back(&host.place(s.name));
  placed.push_back(&host.place("Battery_Switch"));
  placed.push_back(&host.place("Starter_Switch"));
  EXPECT_EQ(sound::g_sound_enabled, GetParam().at_click ? 1 : 0);

  // Two rounds of clicks on every switch: each fires its event; after the
  // failure nothing plays.
  for (int round = 0; round < 2; ++round) {
    for (size_t i = 0; i < std::size(kSoundingSwitches); ++i) {
      host.clear_fired();
      placed[i]->click(kLeverX, kLeverY);
      ASSERT_EQ(host.fired().size(), 1u) << kSoundingSwitches[i].name;
      EXPECT_EQ(host.fired()[0], (host::FiredEvent{kSoundingSwitches[i].event, 0}));
    }
    host.clear_fired();
    placed[7]->click(10, 10);
    placed[8]->click(10, 10);
    EXPECT_EQ(host.fired(), (std::vector<host::FiredEvent>{{66241, 0}, {66300, 0}}));
  }
  EXPECT_EQ(sound::g_sound_enabled, 0);
  EXPECT_EQ(platform::count_calls("Play"), GetParam().at_click ? 1 : 0);

  // A later install still makes a device but loads nothing.
  int loads = platform::count_calls("FindResourceA");
  int devices = platform::count_calls("DirectSoundCreate");
  size_t buffers = platform::buffers().size();
  host::GaugeInstance& late = host.place("Nav_Lights_Switch");
  EXPECT_EQ(platform::count_calls("FindResourceA"), loads);
  EXPECT_EQ(platform::count_calls("DirectSoundCreate"), devices + 1);
  EXPECT_EQ(platform::buffers().size(), buffers);
  late.click(kLeverX, kLeverY);
  EXPECT_EQ(platform::count_calls("Play"), GetParam().at_click ? 1 : 0);

  // Killing every gauge gives back every object ever made.
  while (!host.instances().empty()) host.remove(*host.instances().back());
  EXPECT_EQ(platform::live(), platform::Live{});
  EXPECT_TRUE(platform::misuse().empty()) << platform::misuse().front();
  for (const sound::SoundSlot& slot : sound::g_slots) {
    EXPECT_EQ(slot.device, nullptr);
    EXPECT_EQ(slot.buffer, nullptr);
  }
}

INSTANTIATE_TEST_SUITE_P(EveryPoint, SoundFailure, ::testing::ValuesIn(failure_points()),
                         [](const auto& info) { return info.param.name; });

// ---------------------------------------------------------------------------
// Clicks with sound.

class SoundingSwitch : public ::testing::Test {
 protected:
  void SetUp() override { load_module_afresh(); }
  void TearDown() override {
    while (!host.instances().empty()) host.remove(*host.instances().back());
    EXPECT_EQ(platform::live(), platform::Live{});
    EXPECT_TRUE(platform::misuse().empty()) << platform::misuse().front();
  }
  host::Host host{host::bind_module("", nullptr)};
};

TEST_F(SoundingSwitch, EachLoadsItsOwnClickAndPlaysItOnce) {
  std::vector<host::GaugeInstance*> placed;
  for (const Switch& s : kSoundingSwitches) placed.push_back(&host.place(s.name));
  ASSERT_EQ(platform::buffers().size(), std::size(kSoundingSwitches));
  EXPECT_EQ(platform::live(), (platform::Live{.devices = 7, .buffers = 7}));
  for (size_t i = 0; i < placed.size(); ++i) {
    placed[i]->click(kLeverX, kLeverY);
    // This switch's buffer, and no other, started.
    for (size_t j = 0; j < placed.size(); ++j) {
      EXPECT_EQ(platform::buffers()[j].plays, j <= i ? 1 : 0) << i << " " << j;
    }
  }
  EXPECT_EQ(sound::g_sound_enabled, 1);
}

TEST_F(SoundingSwitch, ASecondClickWhileTheFirstSoundsDoesNotRestartIt) {
  host::GaugeInstance& nav = host.place("Nav_Lights_Switch");
  int positions = platform::count_calls("SetCurrentPosition");
  nav.click(kLeverX, kLeverY);
  nav.click(kLeverX, kLeverY);
  EXPECT_EQ(platform::buffers()[0].plays, 2);
  EXPECT_EQ(platform::buffers()[0].starts, 1);
  EXPECT_EQ(platform::count_calls("SetCurrentPosition"), positions);
  EXPECT_EQ(platform::calls().back(), "Play 0 0 0");  // once, not looping
  platform::finish_sounds();
  nav.click(kLeverX, kLeverY);
  EXPECT_EQ(platform::buffers()[0].starts, 2);
}

TEST_F(SoundingSwitch, HoldingTheButtonClicksOnce) {
  host::GaugeInstance& strobe = host.place("Strobe_Lights_Switch");
  strobe.click(kLeverX, kLeverY, held(5));
  EXPECT_EQ(host.fired().size(), 1u);
  EXPECT_EQ(platform::count_calls("Play"), 1);
}

// What a listener to the stand-in's plays heard.
std::vector<size_t> heard_sample_bytes;
void hear(const platform::BufferRecord& buffer) {
  heard_sample_bytes.push_back(buffer.samples.size());
}

TEST_F(SoundingSwitch, AListenerHearsEveryPlayWithTheClicksSamplesButNoFailedOne) {
  heard_sample_bytes.clear();
  platform::set_play_listener(hear);
  host::GaugeInstance& nav = host.place("Nav_Lights_Switch");
  nav.click(kLeverX, kLeverY);
  nav.click(kLeverX, kLeverY);  // still sounding: the page is told all the same
  ASSERT_EQ(heard_sample_bytes.size(), 2u);
  EXPECT_EQ(heard_sample_bytes[0], platform::buffers()[0].bytes);
  EXPECT_GT(heard_sample_bytes[0], 0u);
  platform::fail(platform::Call::kPlay);
  nav.click(kLeverX, kLeverY);
  EXPECT_EQ(heard_sample_bytes.size(), 2u);
  platform::set_play_listener(nullptr);
}

TEST_F(SoundingSwitch, ASecondInstanceTakesOverTheSlotAndTheFirstsObjectsAreGivenBack) {
  host::GaugeInstance& first = host.place("Pitot_Heat");
  host::GaugeInstance& second = host.place("Pitot_Heat");
  EXPECT_EQ(platform::live(), (platform::Live{.devices = 1, .buffers = 1}));
  ASSERT_EQ(platform::buffers().size(), 2u);
  EXPECT_TRUE(platform::buffers()[0].released);
  first.click(kLeverX, kLeverY);
  EXPECT_EQ(platform::buffers()[1].plays, 1);

  // Killing either empties the slot: the other still switches, silently,
  // and sound stays on for the rest.
  host.remove(first);
  EXPECT_EQ(platform::live(), platform::Live{});
  host.clear_fired();
  second.click(kLeverX, kLeverY);
  EXPECT_EQ(host.fired(), (std::vector<host::FiredEvent>{{65858, 0}}));
  EXPECT_EQ(sound::g_sound_enabled, 1);
  host.place("Avionics_Switch").click(kLeverX, kLeverY);
  EXPECT_EQ(platform::buffers().back().plays, 1);
}

TEST_F(SoundingSwitch, BatteryAndStarterNeverTouchSound) {
  host.place("Battery_Switch").click(10, 10);
  host.place("Starter_Switch").click(10, 10, held(3));
  host.place("Magnetos_Switch").click(20, 50);
  EXPECT_EQ(host.fired().size(), 6u);
  EXPECT_TRUE(platform::calls().empty()) << platform::calls().front();
}

// ---------------------------------------------------------------------------
// The mouse function itself: the event goes out before the click plays,
// also when the play fails and once sound is off.

void TAVREL_STDCALL note_event(uint32_t event, uint32_t value) {
  platform::note("event " + std::to_string(event) + " " + std::to_string(value));
}

class MouseFunction : public ::testing::Test {
 protected:
  void SetUp() override {
    load_module_afresh();
    saved_ = ImportTable.panels.pointer;
    services_[kServiceTriggerKeyEvent] = reinterpret_cast<void*>(&note_event);
    ImportTable.panels.pointer = services_;
  }
  void TearDown() override { ImportTable.panels.pointer = saved_; }

  static GaugeHeader& gauge(const char* name) {
    for (int i = 0; Linkage.gauges[i] != nullptr; ++i) {
      if (std::strcmp(Linkage.gauges[i]->name, name) == 0) return *Linkage.gauges[i];
    }
    throw std::runtime_error(name);
  }
  static int32_t click(GaugeHeader& g) {
    const MouseRect& child = g.mouse_rect[1];
    ClickPoint point{5, 5, &g};
    return child.function(&point, child.mouse_flags);
  }
  // The lines of the calls that are events or plays.
  static std::vector<std::string> events_and_plays() {
    std::vector<std::string> lines;
    for (const std::string& call : platform::calls()) {
      if (call.rfind("event", 0) == 0 || call.rfind("Play", 0) == 0) lines.push_back(call);
    }
    return lines;
  }

  void* services_[kServiceTableEntries] = {};
  void* saved_ = nullptr;
};

TEST_F(MouseFunction, FiresTheEventWithValueZeroThenPlays) {
  for (const Switch& s : kSoundingSwitches) {
    load_module_afresh();
    GaugeHeader& g = gauge(s.name);
    g.gauge_callback(&g, kServiceInstall, 0x10000000);
    EXPECT_EQ(click(g), 0);
    platform::fail(Call::kPlay);
    EXPECT_EQ(click(g), 0);  // the play fails: sound goes off
    EXPECT_EQ(click(g), 0);  // and stays off
    std::string event = "event " + std::to_string(s.event) + " 0";
    EXPECT_EQ(events_and_plays(),
              (std::vector<std::string>{event, "Play 0 0 0", event, "Play 0 0 0", event}))
        << s.name;
    g.gauge_callback(&g, kServicePreKill, 0);
    EXPECT_EQ(platform::live(), platform::Live{}) << s.name;
  }
}

TEST_F(MouseFunction, OtherServicesDoNothing) {
  GaugeHeader& g = gauge("Beacon_Lights_Switch");
  for (uint32_t service : {0u, 1u, 3u, 6u, 10u, 16u}) g.gauge_callback(&g, service, 0x10000000);
  EXPECT_TRUE(platform::calls().empty());
}

}  // namespace
}  // namespace tavrel
