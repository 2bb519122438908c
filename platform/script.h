// What the stand-in Windows calls answer, and what they saw: tests set the
// host's executable path, the window classes that exist, the bytes of the
// WAVE resource (or none) and a failure at any call; they read back the
// calls made, in order, the buffers made and played, and how many objects
// are still alive.
//
// Out of the box the host is "C:\FS2000\FS2000.EXE" with a window of class
// "FS98MAIN", and the WAVE resource 10 is the click.wav the art program
// wrote (TAVREL_ART_DIR, or the build's art folder); so gaugeview and the
// host tests click with sound.
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/windows.h"

namespace tavrel::platform {

// Every call that can be made to fail. A DirectSound call then returns an
// error, a handle or pointer call null, mmioDescend an error, mmioRead -1.
enum class Call {
  kDirectSoundCreate,
  kSetCooperativeLevel,
  kFindResource,
  kLoadResource,
  kLockResource,
  kMmioOpen,
  kMmioDescend,
  kMmioRead,
  kGlobalAlloc,
  kGlobalLock,
  kCreateSoundBuffer,
  kBufferLock,
  kBufferUnlock,
  kSetCurrentPosition,
  kPlay,
};

// Back to the state out of the box, with every object forgotten.
void reset();

void set_executable_path(const std::string& path);
void set_window_classes(const std::set<std::string>& classes);
// The bytes of WAVE resource 10; nullopt: the module has no such resource.
void set_wave_resource(std::optional<std::vector<uint8_t>> bytes);

// Makes a call fail: every time (occurrence 0) or only its n-th time
// (counted from 1 since the last reset).
void fail(Call call, int occurrence = 0);

// The calls made since the last reset, one line each: the function's name,
// then its telling argument ("FindWindowA FS98MAIN", "mmioDescend data").
const std::vector<std::string>& calls();
// Adds a line of the test's own to the calls, to see what came before what.
void note(const std::string& line);
// How many of the calls begin with `name`.
int count_calls(const std::string& name);

// A sound buffer as CreateSoundBuffer received it, and what happened to it.
struct BufferRecord {
  DWORD description_size = 0;
  DWORD flags = 0;
  DWORD bytes = 0;
  WAVEFORMATEX format{};
  std::vector<uint8_t> samples;  // the buffer's contents
  DWORD position = 0;            // play position
  bool playing = false;
  int plays = 0;   // Play calls
  int starts = 0;  // Play calls that started it (it was not already sounding)
  bool released = false;
};
// Told of every Play call that succeeds, with the buffer as it then is (a
// page that sounds the click itself listens here); null: nobody is told.
// A reset forgets the listener.
using PlayListener = void (*)(const BufferRecord& buffer);
void set_play_listener(PlayListener listener);

// Every buffer created since the last reset, in order.
std::vector<BufferRecord> buffers();
// The sound of every playing buffer comes to its end.
void finish_sounds();

// Objects made and not yet given back.
struct Live {
  int devices = 0;
  int buffers = 0;
  int files = 0;          // multimedia files open
  int memory_blocks = 0;  // global memory blocks not freed
  int resources = 0;      // resources loaded and not freed
  bool operator==(const Live&) const = default;
};
Live live();

// Misuse seen: a call on an object already released, a device released
// while its buffers live, a lock or unlock out of turn. Empty when all went
// well.
const std::vector<std::string>& misuse();

}  // namespace tavrel::platform
