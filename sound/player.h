// The click sound player on DirectSound: its five operations, the
// module-wide sound-enabled flag and the seven sound slots. On Windows it
// calls the real API; elsewhere the stand-in of platform/.
//
// Gauges use sound/click.h, which hides the Windows types.
#pragma once

#include <cstdint>

#if defined(_WIN32)
#include <windows.h>
// windows.h comes first.
#include <dsound.h>
#include <mmsystem.h>
#else
#include "platform/windows.h"
#endif

#include "sound/click.h"

namespace tavrel::sound {

#if !defined(_WIN32)
using namespace platform;
#endif

// One sounding switch's DirectSound objects (null when absent), the module
// handle its resources come from and the host window it plays for.
struct SoundSlot {
  IDirectSound* device;
  IDirectSoundBuffer* buffer;
  HINSTANCE module;
  HWND window;
};

// True (1) while the module is loaded and no sound call has failed; any
// failure clears it for good, which silences every switch.
extern int32_t g_sound_enabled;
extern SoundSlot g_slots[kSoundSlots];

// The host's main window: "MSCFSMAIN" when the executable's file name has
// '2' as its fourth character or begins with 'C', else "FS98MAIN".
HWND find_host_window();

// A DirectSound device on the default sound device, at the normal
// cooperative level for `window`. 1 when ready, 0 on failure.
int create_device(HWND window, IDirectSound** device);

// The WAVE resource `id` of `module` in a new secondary buffer of `device`:
// the number of sample bytes, 0 on failure or while sound is disabled.
DWORD load_click(IDirectSound** device, IDirectSoundBuffer** buffer, uint16_t id, HINSTANCE module);

// Plays the buffer from where it stands (a click still sounding goes on).
// 1 when playing started, 0 otherwise.
int play_click(IDirectSoundBuffer** buffer, DWORD flags);

// Gives the object back and empties the field.
void release(IDirectSound** field);
void release(IDirectSoundBuffer** field);

}  // namespace tavrel::sound
