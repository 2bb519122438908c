// The stand-in Windows calls of the click player, answering as the script
// says and keeping every object until the next reset, so that a call on a
// released object is seen as misuse rather than undefined behaviour.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>

#include "platform/script.h"

#ifndef TAVREL_ART_DIR
#define TAVREL_ART_DIR "art"
#endif

namespace tavrel::platform {
namespace {

constexpr HRESULT kOk = 0;
constexpr HRESULT kInvalidParam = static_cast<HRESULT>(0x80070057);
constexpr HRESULT kNoDriver = static_cast<HRESULT>(0x88780078);
constexpr HRESULT kBadFormat = static_cast<HRESULT>(0x88780064);
constexpr HRESULT kOutOfMemory = static_cast<HRESULT>(0x8007000E);
constexpr HRESULT kFailed = static_cast<HRESULT>(0x80004005);
constexpr MMRESULT kChunkNotFound = 265;
constexpr DWORD kDescriptionSize = 36;  // the 32-bit record with its 3D algorithm
constexpr UINT kFindChunk = 0x10;
constexpr UINT kFindRiff = 0x20;
constexpr UINT kFindList = 0x40;
constexpr uint16_t kPcm = 1;

constexpr FOURCC fourcc(const char (&code)[5]) {
  return static_cast<DWORD>(static_cast<uint8_t>(code[0])) |
         static_cast<DWORD>(static_cast<uint8_t>(code[1])) << 8 |
         static_cast<DWORD>(static_cast<uint8_t>(code[2])) << 16 |
         static_cast<DWORD>(static_cast<uint8_t>(code[3])) << 24;
}

std::string fourcc_text(FOURCC code) {
  std::string text(4, ' ');
  for (int i = 0; i < 4; ++i) text[i] = static_cast<char>(code >> (8 * i) & 0xFF);
  return text;
}

class Device;

class Buffer final : public IDirectSoundBuffer {
 public:
  Buffer(Device* device, const DSBUFFERDESC& description);
  ULONG Release() override;
  HRESULT Lock(DWORD offset, DWORD bytes, LPVOID* audio1, LPDWORD bytes1, LPVOID* audio2,
               LPDWORD bytes2, DWORD flags) override;
  HRESULT Unlock(LPVOID audio1, DWORD bytes1, LPVOID audio2, DWORD bytes2) override;
  HRESULT SetCurrentPosition(DWORD position) override;
  HRESULT Play(DWORD reserved, DWORD priority, DWORD flags) override;

  Device* device;
  BufferRecord record;
  bool locked = false;
  LPVOID locked1 = nullptr;
  LPVOID locked2 = nullptr;
};

class Device final : public IDirectSound {
 public:
  ULONG Release() override;
  HRESULT SetCooperativeLevel(HWND window, DWORD level) override;
  HRESULT CreateSoundBuffer(LPCDSBUFFERDESC description, IDirectSoundBuffer** buffer,
                            IUnknown* outer) override;
  bool released = false;
};

struct Resource {
  std::vector<uint8_t> bytes;
  bool freed = false;
};

struct Block {
  std::vector<uint8_t> bytes;
  bool freed = false;
};

struct File {
  const uint8_t* data = nullptr;
  size_t size = 0;
  size_t position = 0;
  bool closed = false;
};

struct State {
  std::string executable = "C:\\FS2000\\FS2000.EXE";
  std::set<std::string> classes = {"FS98MAIN"};
  bool wave_from_art = true;
  std::optional<std::vector<uint8_t>> wave;
  std::map<Call, std::set<int>> failures;
  std::map<Call, int> made;
  std::vector<std::string> calls;
  std::vector<std::string> misuse;
  std::vector<std::unique_ptr<Device>> devices;
  std::vector<std::unique_ptr<Buffer>> buffers;
  std::vector<std::unique_ptr<Resource>> resources;
  std::vector<std::unique_ptr<Block>> blocks;
  std::vector<std::unique_ptr<File>> files;
  PlayListener play_listener = nullptr;
};

State& state() {
  static State s;
  return s;
}

void log(std::string line) {
  state().calls.push_back(std::move(line));
}

void misused(std::string what) {
  state().misuse.push_back(std::move(what));
}

// Counts the call and says whether the script makes this one fail.
bool fails(Call call) {
  State& s = state();
  int n = ++s.made[call];
  auto found = s.failures.find(call);
  return found != s.failures.end() && (found->second.count(0) != 0 || found->second.count(n) != 0);
}

template <typename Record, typename Handle>
Record* find(std::vector<std::unique_ptr<Record>>& owned, Handle handle) {
  for (auto& record : owned) {
    if (reinterpret_cast<Handle>(record.get()) == handle) return record.get();
  }
  return nullptr;
}

const std::optional<std::vector<uint8_t>>& wave() {
  State& s = state();
  if (s.wave_from_art) {
    s.wave_from_art = false;
    const char* art = std::getenv("TAVREL_ART_DIR");
    std::string path = std::string(art != nullptr && *art != '\0' ? art : TAVREL_ART_DIR);
    std::ifstream file(path + "/click.wav", std::ios::binary);
    if (file) {
      s.wave.emplace(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
  }
  return s.wave;
}

// The one resource the module has: type "WAVE", integer id 10.
HRSRC const kWaveResource = reinterpret_cast<HRSRC>(uintptr_t{0x5741});

bool is_integer_id(LPCSTR name) {
  return reinterpret_cast<uintptr_t>(name) <= 0xFFFF;
}

Buffer::Buffer(Device* owner, const DSBUFFERDESC& description) : device(owner) {
  record.description_size = description.dwSize;
  record.flags = description.dwFlags;
  record.bytes = description.dwBufferBytes;
  record.format = *description.lpwfxFormat;
  record.samples.assign(description.dwBufferBytes, 0);
}

ULONG Buffer::Release() {
  log("Release buffer");
  if (record.released) {
    misused("Release of a buffer already released");
    return 0;
  }
  record.released = true;
  record.playing = false;
  // The record stays, to catch later calls; its sound goes, memory and
  // all (assigning {} would keep the capacity).
  std::vector<uint8_t>().swap(record.samples);
  return 0;
}

HRESULT Buffer::Lock(DWORD offset, DWORD bytes, LPVOID* audio1, LPDWORD bytes1, LPVOID* audio2,
                     LPDWORD bytes2, DWORD flags) {
  log("Lock " + std::to_string(offset) + " " + std::to_string(bytes) + " " + std::to_string(flags));
  if (record.released) misused("Lock of a released buffer");
  if (fails(Call::kBufferLock)) return kFailed;
  if (locked) {
    misused("Lock of a buffer already locked");
    return kInvalidParam;
  }
  if (audio1 == nullptr || bytes1 == nullptr || offset >= record.bytes || bytes > record.bytes) {
    return kInvalidParam;
  }
  DWORD first = std::min(bytes, record.bytes - offset);
  *audio1 = record.samples.data() + offset;
  *bytes1 = first;
  // A lock that runs past the end wraps to the start, in the second region.
  LPVOID second = first < bytes ? record.samples.data() : nullptr;
  if (audio2 != nullptr) *audio2 = second;
  if (bytes2 != nullptr) *bytes2 = bytes - first;
  locked = true;
  locked1 = *audio1;
  locked2 = second;
  return kOk;
}

HRESULT Buffer::Unlock(LPVOID audio1, DWORD bytes1, LPVOID audio2, DWORD bytes2) {
  log("Unlock " + std::to_string(bytes1) + " " + std::to_string(bytes2));
  if (record.released) misused("Unlock of a released buffer");
  if (!locked) misused("Unlock of a buffer not locked");
  if (locked && (audio1 != locked1 || audio2 != locked2)) {
    misused("Unlock with regions other than the lock gave");
  }
  locked = false;
  if (fails(Call::kBufferUnlock)) return kFailed;
  return kOk;
}

HRESULT Buffer::SetCurrentPosition(DWORD position) {
  log("SetCurrentPosition " + std::to_string(position));
  if (record.released) misused("SetCurrentPosition on a released buffer");
  if (fails(Call::kSetCurrentPosition)) return kFailed;
  if (position > record.bytes) return kInvalidParam;
  record.position = position;
  return kOk;
}

HRESULT Buffer::Play(DWORD reserved, DWORD priority, DWORD flags) {
  log("Play " + std::to_string(reserved) + " " + std::to_string(priority) + " " +
      std::to_string(flags));
  if (record.released) misused("Play of a released buffer");
  if (locked) misused("Play of a locked buffer");
  if (fails(Call::kPlay)) return kFailed;
  ++record.plays;
  // A buffer that is still sounding goes on from where it is.
  if (!record.playing) {
    record.playing = true;
    ++record.starts;
  }
  if (state().play_listener != nullptr) state().play_listener(record);
  return kOk;
}

ULONG Device::Release() {
  log("Release device");
  if (released) {
    misused("Release of a device already released");
    return 0;
  }
  released = true;
  for (auto& buffer : state().buffers) {
    if (buffer->device == this && !buffer->record.released) {
      misused("device released while one of its buffers lives");
    }
  }
  return 0;
}

HRESULT Device::SetCooperativeLevel(HWND window, DWORD level) {
  log("SetCooperativeLevel " + std::to_string(level));
  if (released) misused("SetCooperativeLevel on a released device");
  if (fails(Call::kSetCooperativeLevel)) return kFailed;
  // DirectSound wants the application's window.
  if (window == nullptr) return kInvalidParam;
  return kOk;
}

HRESULT Device::CreateSoundBuffer(LPCDSBUFFERDESC description, IDirectSoundBuffer** buffer,
                                  IUnknown* outer) {
  log("CreateSoundBuffer");
  if (released) misused("CreateSoundBuffer on a released device");
  if (buffer == nullptr) return kInvalidParam;
  *buffer = nullptr;
  if (fails(Call::kCreateSoundBuffer)) return kOutOfMemory;
  if (description == nullptr || description->dwSize != kDescriptionSize || outer != nullptr ||
      description->dwBufferBytes == 0) {
    return kInvalidParam;
  }
  const WAVEFORMATEX* format = description->lpwfxFormat;
  if (format == nullptr || format->wFormatTag != kPcm || format->nChannels == 0 ||
      format->nBlockAlign == 0) {
    return kBadFormat;
  }
  state().buffers.push_back(std::make_unique<Buffer>(this, *description));
  *buffer = state().buffers.back().get();
  return kOk;
}

}  // namespace

// ---------------------------------------------------------------------------
// The script.

void reset() {
  state() = State{};
}

void set_play_listener(PlayListener listener) {
  state().play_listener = listener;
}

void set_executable_path(const std::string& path) {
  state().executable = path;
}

void set_window_classes(const std::set<std::string>& classes) {
  state().classes = classes;
}

void set_wave_resource(std::optional<std::vector<uint8_t>> bytes) {
  state().wave_from_art = false;
  state().wave = std::move(bytes);
}

void fail(Call call, int occurrence) {
  state().failures[call].insert(occurrence);
}

const std::vector<std::string>& calls() {
  return state().calls;
}

void note(const std::string& line) {
  log(line);
}

int count_calls(const std::string& name) {
  return static_cast<int>(std::count_if(
      state().calls.begin(), state().calls.end(),
      [&](const std::string& line) { return line.compare(0, name.size(), name) == 0; }));
}

std::vector<BufferRecord> buffers() {
  std::vector<BufferRecord> records;
  for (auto& buffer : state().buffers) records.push_back(buffer->record);
  return records;
}

void finish_sounds() {
  for (auto& buffer : state().buffers) {
    // A sound played to its end stops with its position back at the start.
    if (buffer->record.playing) {
      buffer->record.playing = false;
      buffer->record.position = 0;
    }
  }
}

Live live() {
  State& s = state();
  Live l;
  for (auto& d : s.devices) l.devices += d->released ? 0 : 1;
  for (auto& b : s.buffers) l.buffers += b->record.released ? 0 : 1;
  for (auto& f : s.files) l.files += f->closed ? 0 : 1;
  for (auto& b : s.blocks) l.memory_blocks += b->freed ? 0 : 1;
  for (auto& r : s.resources) l.resources += r->freed ? 0 : 1;
  return l;
}

const std::vector<std::string>& misuse() {
  return state().misuse;
}

// ---------------------------------------------------------------------------
// User interface and process.

HWND FindWindowA(LPCSTR class_name, LPCSTR window_name) {
  std::string name = class_name != nullptr ? class_name : "";
  log("FindWindowA " + name);
  if (window_name != nullptr) return nullptr;  // no window of ours has a title
  const std::set<std::string>& classes = state().classes;
  auto found = classes.find(name);
  if (found == classes.end()) return nullptr;
  return reinterpret_cast<HWND>(uintptr_t{0x100} + std::distance(classes.begin(), found));
}

DWORD GetModuleFileNameA(HMODULE module, LPSTR file_name, DWORD size) {
  log("GetModuleFileNameA");
  if (module != nullptr || file_name == nullptr || size == 0) return 0;
  const std::string& path = state().executable;
  DWORD n = static_cast<DWORD>(std::min<size_t>(path.size(), size - 1));
  std::memcpy(file_name, path.data(), n);
  file_name[n] = '\0';
  return n;
}

void _splitpath(const char* path, char* drive, char* dir, char* file_name, char* ext) {
  log("_splitpath");
  std::string p = path != nullptr ? path : "";
  std::string d, folder;
  if (p.size() >= 2 && p[1] == ':') {
    d = p.substr(0, 2);
    p = p.substr(2);
  }
  size_t slash = p.find_last_of("\\/");
  if (slash != std::string::npos) {
    folder = p.substr(0, slash + 1);
    p = p.substr(slash + 1);
  }
  size_t dot = p.find_last_of('.');
  std::string name = dot == std::string::npos ? p : p.substr(0, dot);
  std::string extension = dot == std::string::npos ? "" : p.substr(dot);
  // The runtime's own limits: 3, 256, 256 and 256 characters with the zero.
  auto put = [](char* out, const std::string& text, size_t room) {
    if (out == nullptr) return;
    size_t n = std::min(text.size(), room - 1);
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
  };
  put(drive, d, 3);
  put(dir, folder, 256);
  put(file_name, name, 256);
  put(ext, extension, 256);
}

// ---------------------------------------------------------------------------
// Resources and memory.

HRSRC FindResourceA(HMODULE module, LPCSTR name, LPCSTR type) {
  log("FindResourceA");
  if (fails(Call::kFindResource) || module == nullptr) return nullptr;
  if (!is_integer_id(name) || reinterpret_cast<uintptr_t>(name) != 10) return nullptr;
  if (is_integer_id(type) || std::strcmp(type, "WAVE") != 0) return nullptr;
  return wave().has_value() ? kWaveResource : nullptr;
}

HGLOBAL LoadResource(HMODULE module, HRSRC resource) {
  log("LoadResource");
  if (fails(Call::kLoadResource) || module == nullptr || resource != kWaveResource) return nullptr;
  auto loaded = std::make_unique<Resource>();
  loaded->bytes = *wave();
  state().resources.push_back(std::move(loaded));
  return reinterpret_cast<HGLOBAL>(state().resources.back().get());
}

LPVOID LockResource(HGLOBAL resource) {
  log("LockResource");
  if (fails(Call::kLockResource)) return nullptr;
  Resource* loaded = find(state().resources, resource);
  if (loaded == nullptr) return nullptr;
  if (loaded->freed) misused("LockResource of a freed resource");
  return loaded->bytes.data();
}

DWORD SizeofResource(HMODULE module, HRSRC resource) {
  log("SizeofResource");
  if (module == nullptr || resource != kWaveResource) return 0;
  return static_cast<DWORD>(wave()->size());
}

BOOL FreeResource(HGLOBAL resource) {
  log("FreeResource");
  Resource* loaded = find(state().resources, resource);
  if (loaded == nullptr) return 0;
  if (loaded->freed) misused("FreeResource twice");
  loaded->freed = true;
  std::vector<uint8_t>().swap(loaded->bytes);
  return 0;
}

HGLOBAL GlobalAlloc(UINT flags, size_t bytes) {
  log("GlobalAlloc " + std::to_string(flags) + " " + std::to_string(bytes));
  if (fails(Call::kGlobalAlloc)) return nullptr;
  auto block = std::make_unique<Block>();
  block->bytes.assign(bytes, 0xCD);  // not zeroed, as without GMEM_ZEROINIT
  state().blocks.push_back(std::move(block));
  return reinterpret_cast<HGLOBAL>(state().blocks.back().get());
}

LPVOID GlobalLock(HGLOBAL handle) {
  log("GlobalLock");
  if (fails(Call::kGlobalLock)) return nullptr;
  Block* block = find(state().blocks, handle);
  if (block == nullptr) return nullptr;
  if (block->freed) misused("GlobalLock of a freed block");
  return block->bytes.data();
}

BOOL GlobalUnlock(HGLOBAL /*block*/) {
  log("GlobalUnlock");
  return 0;
}

HGLOBAL GlobalFree(HGLOBAL handle) {
  log("GlobalFree");
  Block* block = find(state().blocks, handle);
  if (block == nullptr) return handle;
  if (block->freed) misused("GlobalFree twice");
  block->freed = true;
  std::vector<uint8_t>().swap(block->bytes);
  return nullptr;
}

// ---------------------------------------------------------------------------
// Multimedia files: a RIFF file in memory.

HMMIO mmioOpenA(LPSTR file_name, LPMMIOINFO info, DWORD flags) {
  log("mmioOpenA " + std::to_string(flags));
  if (fails(Call::kMmioOpen)) return nullptr;
  // Only the memory form: no file name, the "MEM " procedure, a buffer.
  if (file_name != nullptr || info == nullptr || info->fccIOProc != fourcc("MEM ") ||
      info->pIOProc != nullptr || info->pchBuffer == nullptr || info->cchBuffer <= 0) {
    return nullptr;
  }
  auto file = std::make_unique<File>();
  file->data = reinterpret_cast<const uint8_t*>(info->pchBuffer);
  file->size = static_cast<size_t>(info->cchBuffer);
  state().files.push_back(std::move(file));
  return reinterpret_cast<HMMIO>(state().files.back().get());
}

MMRESULT mmioDescend(HMMIO handle, LPMMCKINFO chunk, const MMCKINFO* parent, UINT flags) {
  File* file = find(state().files, handle);
  bool riff = (flags & kFindRiff) != 0;
  log("mmioDescend " + (chunk != nullptr ? fourcc_text(riff ? chunk->fccType : chunk->ckid) : ""));
  if (fails(Call::kMmioDescend)) return kChunkNotFound;
  if (file == nullptr || chunk == nullptr) return kChunkNotFound;
  if (file->closed) misused("mmioDescend on a closed file");
  size_t end = file->size;
  if (parent != nullptr) end = std::min(end, size_t{parent->dwDataOffset} + parent->cksize);
  auto word = [&](size_t at) {
    DWORD w;
    std::memcpy(&w, file->data + at, 4);
    return w;
  };
  for (size_t at = file->position; at + 8 <= end;) {
    FOURCC id = word(at);
    DWORD size = word(at + 4);
    bool form = id == fourcc("RIFF") || id == fourcc("LIST");
    FOURCC type = form && at + 12 <= end ? word(at + 8) : 0;
    bool match = true;
    if (riff) match = id == fourcc("RIFF") && type == chunk->fccType;
    if (flags & kFindList) match = id == fourcc("LIST") && type == chunk->fccType;
    if (flags & kFindChunk) match = id == chunk->ckid;
    if (match) {
      chunk->ckid = id;
      chunk->cksize = size;
      chunk->fccType = type;
      chunk->dwDataOffset = static_cast<DWORD>(at + 8);
      chunk->dwFlags = 0;
      file->position = at + (form ? 12 : 8);
      return 0;
    }
    at += 8 + size_t{size} + (size & 1);
  }
  return kChunkNotFound;
}

LONG mmioRead(HMMIO handle, HPSTR buffer, LONG bytes) {
  log("mmioRead " + std::to_string(bytes));
  if (fails(Call::kMmioRead)) return -1;
  File* file = find(state().files, handle);
  if (file == nullptr || buffer == nullptr || bytes < 0) return -1;
  if (file->closed) misused("mmioRead on a closed file");
  size_t n = std::min(size_t(bytes), file->size - std::min(file->position, file->size));
  std::memcpy(buffer, file->data + file->position, n);
  file->position += n;
  return static_cast<LONG>(n);
}

MMRESULT mmioAscend(HMMIO handle, LPMMCKINFO chunk, UINT /*flags*/) {
  log("mmioAscend");
  File* file = find(state().files, handle);
  if (file == nullptr || chunk == nullptr) return kChunkNotFound;
  file->position = size_t{chunk->dwDataOffset} + chunk->cksize + (chunk->cksize & 1);
  return 0;
}

MMRESULT mmioClose(HMMIO handle, UINT /*flags*/) {
  log("mmioClose");
  File* file = find(state().files, handle);
  if (file == nullptr) return kChunkNotFound;
  if (file->closed) misused("mmioClose twice");
  file->closed = true;
  return 0;
}

// ---------------------------------------------------------------------------
// DirectSound.

HRESULT DirectSoundCreate(LPCGUID device, IDirectSound** sound, IUnknown* outer) {
  log("DirectSoundCreate");
  if (sound == nullptr) return kInvalidParam;
  *sound = nullptr;
  if (fails(Call::kDirectSoundCreate)) return kNoDriver;
  if (device != nullptr || outer != nullptr) return kInvalidParam;
  state().devices.push_back(std::make_unique<Device>());
  *sound = state().devices.back().get();
  return kOk;
}

}  // namespace tavrel::platform
