// The click sound of the real module, for real: DirectSound on Wine's
// audio driver (ALSA's null device under the test wrapper), with a window
// of the host's main-window class that this program registers.
//
// Which gauges sound is not decided here: every gauge with a gauge callback
// and a mouse function is installed, clicked and killed between markers on
// standard error, and expect-click-sound.sh reads Wine's DirectSound trace
// between the markers (a gauge that makes a sound buffer at install must
// play it on the click; at least one gauge must).
//
// The program's file name starts with 't' and its fourth letter is not
// '2', so the module looks for the window class "FS98MAIN".
#include <windows.h>

#include <dsound.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "host/host.h"
#include "real_module.h"

namespace tavrel::wine {
namespace {

constexpr char kHostWindowClass[] = "FS98MAIN";

bool audio_disabled() {
  const char* audio = std::getenv("TAVREL_WINE_AUDIO");
  return audio != nullptr && std::strcmp(audio, "none") == 0;
}

// The host's main window: registered and created by this program.
class HostWindow {
 public:
  HostWindow() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kHostWindowClass;
    registered_ = RegisterClassA(&wc) != 0;
    window_ = CreateWindowA(kHostWindowClass, "Tavrel test host", WS_OVERLAPPEDWINDOW, 0, 0, 320,
                            240, nullptr, nullptr, wc.hInstance, nullptr);
  }
  ~HostWindow() {
    if (window_ != nullptr) DestroyWindow(window_);
    if (registered_) UnregisterClassA(kHostWindowClass, GetModuleHandleA(nullptr));
  }
  HWND handle() const { return window_; }
  bool registered() const { return registered_; }

 private:
  bool registered_ = false;
  HWND window_ = nullptr;
};

// Gauges that may sound: a gauge callback (which loads the click at
// install) and at least one child that calls a mouse function.
std::vector<const GaugeHeader*> clickable_gauges_with_callbacks(host::Host& host) {
  std::vector<const GaugeHeader*> found;
  for (const GaugeHeader* gauge : host.gauges()) {
    if (gauge->gauge_callback == nullptr) continue;
    for (const MouseRect* r = gauge->mouse_rect; r != nullptr && r->type != kMouseEnd; ++r) {
      if (r->type == kMouseChild && r->function != nullptr) {
        found.push_back(gauge);
        break;
      }
    }
  }
  return found;
}

void marker(const std::string& text) {
  std::fprintf(stderr, "tavrel-sound: %s\n", text.c_str());
  std::fflush(stderr);
}

// Clicks the centre of every child that calls a mouse function; true when
// each click made the host act (an event fired or a panel window toggled).
bool click_functions(host::GaugeInstance& instance, host::Host& host, std::string& silent) {
  bool all_acted = true;
  for (const host::MouseArea& area : instance.mouse().areas()) {
    if (area.record->type != kMouseChild || area.record->function == nullptr) continue;
    host.clear_fired();
    instance.click(area.box.x + area.box.width / 2, area.box.y + area.box.height / 2);
    if (host.fired().empty() && host.toggled_windows().empty()) {
      all_acted = false;
      silent += " mouse record " + std::to_string(area.index);
    }
  }
  return all_acted;
}

std::unique_ptr<host::Host> real_host() {
  std::string error;
  auto binding = host::bind_module(module_path(), &error);
  if (binding == nullptr) {
    ADD_FAILURE() << error;
    return nullptr;
  }
  return std::make_unique<host::Host>(std::move(binding));
}

TEST(Harness, HostWindowAndDirectSoundWork) {
  if (audio_disabled()) GTEST_SKIP() << "runs where the wrapper gives Wine an audio device";
  HostWindow window;
  ASSERT_TRUE(window.registered());
  ASSERT_NE(window.handle(), nullptr) << "no window: is there an X server (DISPLAY)?";
  EXPECT_EQ(FindWindowA(kHostWindowClass, nullptr), window.handle());

  IDirectSound* sound = nullptr;
  ASSERT_EQ(DirectSoundCreate(nullptr, &sound, nullptr), DS_OK)
      << "no audio device: is HOME's .asoundrc the null device?";
  EXPECT_EQ(sound->SetCooperativeLevel(window.handle(), DSSCL_NORMAL), DS_OK);

  // A buffer like the click's: 16-bit mono at 22,050 Hz, played once.
  WAVEFORMATEX format{WAVE_FORMAT_PCM, 1, 22050, 44100, 2, 16, 0};
  DSBUFFERDESC description{};
  description.dwSize = sizeof description;
  description.dwFlags =
      DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME | DSBCAPS_GLOBALFOCUS;
  description.dwBufferBytes = 3828;
  description.lpwfxFormat = &format;
  IDirectSoundBuffer* buffer = nullptr;
  EXPECT_EQ(sound->CreateSoundBuffer(&description, &buffer, nullptr), DS_OK);
  if (buffer != nullptr) {
    EXPECT_EQ(buffer->Play(0, 0, 0), DS_OK);
    buffer->Release();
  }
  sound->Release();
}

TEST(ClickSound, GaugesThatLoadTheClickPlayItWhenClicked) {
  if (audio_disabled()) GTEST_SKIP() << "runs where the wrapper gives Wine an audio device";
  HostWindow window;
  ASSERT_NE(window.handle(), nullptr) << "no window: is there an X server (DISPLAY)?";
  auto host = real_host();
  ASSERT_NE(host, nullptr);
  std::vector<const GaugeHeader*> gauges = clickable_gauges_with_callbacks(*host);
  ASSERT_FALSE(gauges.empty()) << "no sounding switch in the gauge table (no gauge has both a "
                                  "gauge callback and a child with a mouse function)";
  for (const GaugeHeader* gauge : gauges) {
    std::string name = gauge->name;
    marker("install " + name);
    host::GaugeInstance& instance = host->place(name);
    marker("click " + name);
    std::string silent;
    EXPECT_TRUE(click_functions(instance, *host, silent)) << name << ": nothing fired by" << silent;
    marker("kill " + name);
    host->remove(instance);
    marker("done " + name);
  }
}

TEST(SilentClick, SwitchesStillFireWithoutAWindowOrAnAudioDevice) {
  if (!audio_disabled()) {
    GTEST_SKIP() << "runs where the wrapper gives Wine no audio driver (TAVREL_WINE_AUDIO=none)";
  }
  // The conditions this test is about.
  EXPECT_EQ(FindWindowA(kHostWindowClass, nullptr), nullptr);
  IDirectSound* sound = nullptr;
  HRESULT created = DirectSoundCreate(nullptr, &sound, nullptr);
  if (created == DS_OK) sound->Release();
  ASSERT_NE(created, DS_OK) << "DirectSound opened although Wine has no audio driver";

  auto host = real_host();
  ASSERT_NE(host, nullptr);
  std::vector<const GaugeHeader*> gauges = clickable_gauges_with_callbacks(*host);
  ASSERT_FALSE(gauges.empty()) << "no sounding switch in the gauge table (no gauge has both a "
                                  "gauge callback and a child with a mouse function)";
  for (const GaugeHeader* gauge : gauges) {
    host::GaugeInstance& instance = host->place(gauge->name);
    // Twice: the first failure silences the module, the second click must
    // still act.
    for (int round = 0; round < 2; ++round) {
      std::string silent;
      EXPECT_TRUE(click_functions(instance, *host, silent))
          << gauge->name << ": nothing fired by" << silent;
    }
    host->remove(instance);
  }
}

}  // namespace
}  // namespace tavrel::wine
