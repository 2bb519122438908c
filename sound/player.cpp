#include "sound/player.h"

#include <cstdlib>
#include <cstring>

namespace tavrel::sound {

int32_t g_sound_enabled = 1;
SoundSlot g_slots[kSoundSlots] = {};

namespace {

// Numbers of the Windows API, named here once.
constexpr DWORD kCooperativeNormal = 1;
constexpr DWORD kMemoryFileFlags = 0x10002;  // read-write, with an allocated buffer
constexpr UINT kFindChunk = 0x10;
constexpr UINT kFindRiff = 0x20;
constexpr UINT kMovableMemory = 0x0002;
// Control of frequency, pan and volume, and global focus: the click is heard
// also while another application has the focus.
constexpr DWORD kClickBufferFlags = 0x80E0;
// DirectSound's buffer description in its 36-byte form (with the 3D
// algorithm), whatever the width of pointers where this is built.
constexpr DWORD kBufferDescriptionSize = 36;
#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(DSBUFFERDESC) == kBufferDescriptionSize);
#endif
constexpr LONG kWaveFormatBytes = 18;  // a wave format with its extra-size field
constexpr int kPathRoom = 260;

constexpr FOURCC fourcc(const char (&code)[5]) {
  return static_cast<DWORD>(static_cast<unsigned char>(code[0])) |
         static_cast<DWORD>(static_cast<unsigned char>(code[1])) << 8 |
         static_cast<DWORD>(static_cast<unsigned char>(code[2])) << 16 |
         static_cast<DWORD>(static_cast<unsigned char>(code[3])) << 24;
}

void silence() {
  g_sound_enabled = 0;
}

// What a load holds while it runs; a failure gives it all back.
struct Loading {
  HINSTANCE module;
  IDirectSoundBuffer** buffer;
  HGLOBAL resource = nullptr;
  HMMIO file = nullptr;
  HGLOBAL block = nullptr;

  void close_file_and_resource() {
    if (file != nullptr) mmioClose(file, 0);
    file = nullptr;
    if (resource != nullptr) FreeResource(resource);
    resource = nullptr;
  }
  void free_block() {
    if (block != nullptr) {
      GlobalUnlock(block);
      GlobalFree(block);
    }
    block = nullptr;
  }
  DWORD fail() {
    close_file_and_resource();
    free_block();
    release(buffer);
    silence();
    return 0;
  }
};

}  // namespace

HWND find_host_window() {
  char path[kPathRoom] = {};
  GetModuleFileNameA(nullptr, path, kPathRoom);
  // The runtime's limits for the parts of a path.
  char drive[3] = {}, folder[256] = {}, name[256] = {}, extension[256] = {};
  _splitpath(path, drive, folder, name, extension);
  // The buffers start zeroed, so a name of three characters or fewer has no
  // '2' in fourth place.
  const char* window_class = name[3] == '2' || name[0] == 'C' ? "MSCFSMAIN" : "FS98MAIN";
  return FindWindowA(window_class, nullptr);
}

int create_device(HWND window, IDirectSound** device) {
  release(device);
  if (DirectSoundCreate(nullptr, device, nullptr) != 0) {
    *device = nullptr;
    silence();
    return 0;
  }
  if ((*device)->SetCooperativeLevel(window, kCooperativeNormal) != 0) {
    release(device);
    silence();
    return 0;
  }
  return 1;
}

DWORD load_click(IDirectSound** device, IDirectSoundBuffer** buffer, uint16_t id,
                 HINSTANCE module) {
  if (!g_sound_enabled) return 0;
  release(buffer);
  Loading loading{module, buffer};

  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), "WAVE");
  if (found == nullptr) return loading.fail();
  loading.resource = LoadResource(module, found);
  if (loading.resource == nullptr) return loading.fail();
  void* bytes = LockResource(loading.resource);
  if (bytes == nullptr) return loading.fail();
  DWORD size = SizeofResource(module, found);

  // The resource read in place as a multimedia file in memory.
  MMIOINFO info{};
  info.fccIOProc = fourcc("MEM ");
  info.pIOProc = nullptr;
  info.pchBuffer = static_cast<char*>(bytes);
  info.cchBuffer = static_cast<LONG>(size);
  loading.file = mmioOpenA(nullptr, &info, kMemoryFileFlags);
  if (loading.file == nullptr) return loading.fail();

  MMCKINFO riff{};
  riff.fccType = fourcc("WAVE");
  if (mmioDescend(loading.file, &riff, nullptr, kFindRiff) != 0) return loading.fail();
  MMCKINFO chunk{};
  chunk.ckid = fourcc("fmt ");
  if (mmioDescend(loading.file, &chunk, &riff, kFindChunk) != 0) return loading.fail();
  WAVEFORMATEX format{};
  if (mmioRead(loading.file, reinterpret_cast<char*>(&format), kWaveFormatBytes) == -1) {
    return loading.fail();
  }
  mmioAscend(loading.file, &chunk, 0);
  chunk.ckid = fourcc("data");
  if (mmioDescend(loading.file, &chunk, &riff, kFindChunk) != 0) return loading.fail();
  DWORD sample_size = chunk.cksize;

  loading.block = GlobalAlloc(kMovableMemory, sample_size);
  if (loading.block == nullptr) return loading.fail();
  char* samples = static_cast<char*>(GlobalLock(loading.block));
  if (samples == nullptr) return loading.fail();
  if (mmioRead(loading.file, samples, static_cast<LONG>(sample_size)) == -1) return loading.fail();
  loading.close_file_and_resource();

  DSBUFFERDESC description{};
  description.dwSize = kBufferDescriptionSize;
  description.dwFlags = kClickBufferFlags;
  description.dwBufferBytes = sample_size;
  description.dwReserved = 0;
  description.lpwfxFormat = &format;
  // Only a caller that skipped the device step gets here without one.
  if (*device == nullptr) return loading.fail();
  if ((*device)->CreateSoundBuffer(&description, buffer, nullptr) != 0) return loading.fail();

  void* region1 = nullptr;
  void* region2 = nullptr;
  DWORD bytes1 = 0, bytes2 = 0;
  if ((*buffer)->Lock(0, sample_size, &region1, &bytes1, &region2, &bytes2, 0) != 0) {
    return loading.fail();
  }
  // The first region is the whole buffer; never copy past what the lock gave.
  std::memcpy(region1, samples, bytes1 < sample_size ? bytes1 : sample_size);
  if ((*buffer)->Unlock(region1, bytes1, region2, bytes2) != 0) return loading.fail();
  if ((*buffer)->SetCurrentPosition(0) != 0) return loading.fail();
  loading.free_block();
  return sample_size;
}

int play_click(IDirectSoundBuffer** buffer, DWORD flags) {
  if (!g_sound_enabled) return 0;
  // A slot emptied by the pre-kill of another instance of the same switch:
  // nothing to play, and nothing wrong.
  if (*buffer == nullptr) return 0;
  if ((*buffer)->Play(0, 0, flags) != 0) {
    release(buffer);
    silence();
    return 0;
  }
  return 1;
}

// Objects are given back whatever the flag says: a device or buffer made
// before a failure must not outlive its gauge.
void release(IDirectSound** field) {
  if (*field != nullptr) {
    (*field)->Release();
    *field = nullptr;
  }
}

void release(IDirectSoundBuffer** field) {
  if (*field != nullptr) {
    (*field)->Release();
    *field = nullptr;
  }
}

// ---------------------------------------------------------------------------
// The slots of the sounding switches.

void install_slot(int slot, uintptr_t module_handle) {
  if (slot < 0 || slot >= kSoundSlots) return;
  SoundSlot& s = g_slots[slot];
  // A second instance of the same switch installs into the same slot: what
  // the first made is given back, buffer before device.
  release(&s.buffer);
  release(&s.device);
  s.module = reinterpret_cast<HINSTANCE>(module_handle);
  s.window = find_host_window();
  create_device(s.window, &s.device);
  load_click(&s.device, &s.buffer, kClickResource, s.module);
}

void release_slot(int slot) {
  if (slot < 0 || slot >= kSoundSlots) return;
  release(&g_slots[slot].buffer);
  release(&g_slots[slot].device);
}

void play_slot(int slot) {
  if (slot < 0 || slot >= kSoundSlots) return;
  play_click(&g_slots[slot].buffer, 0);
}

}  // namespace tavrel::sound
