// Outside Windows: the few Windows, multimedia-file and DirectSound calls
// that the click player makes, with the types they take, under their
// Windows names. The player's source compiles unchanged against these or
// against the real headers. What the calls answer is scripted through
// platform/script.h.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tavrel::platform {

using BOOL = int32_t;
using WORD = uint16_t;
using DWORD = uint32_t;
using LONG = int32_t;
using UINT = uint32_t;
using ULONG = uint32_t;
using HRESULT = int32_t;
using MMRESULT = uint32_t;
using FOURCC = DWORD;
using LPVOID = void*;
using LPDWORD = DWORD*;
using LPSTR = char*;
using LPCSTR = const char*;
using HPSTR = char*;

// Opaque handles, as Windows hands them out.
struct HWND__;
struct HINSTANCE__;
struct HRSRC__;
struct HGLOBAL__;
struct HMMIO__;
using HWND = HWND__*;
using HINSTANCE = HINSTANCE__*;
using HMODULE = HINSTANCE;
using HRSRC = HRSRC__*;
using HGLOBAL = HGLOBAL__*;
using HMMIO = HMMIO__*;

struct GUID {
  uint32_t data1;
  uint16_t data2;
  uint16_t data3;
  uint8_t data4[8];
};
using LPCGUID = const GUID*;

// The wave format record, 18 bytes with its extra-size field.
#pragma pack(push, 1)
struct WAVEFORMATEX {
  WORD wFormatTag;
  WORD nChannels;
  DWORD nSamplesPerSec;
  DWORD nAvgBytesPerSec;
  WORD nBlockAlign;
  WORD wBitsPerSample;
  WORD cbSize;
};
#pragma pack(pop)
static_assert(sizeof(WAVEFORMATEX) == 18);
using LPWAVEFORMATEX = WAVEFORMATEX*;

// A multimedia file opened on memory.
using LPMMIOPROC = LONG (*)(LPSTR, UINT, intptr_t, intptr_t);
struct MMIOINFO {
  DWORD dwFlags;
  FOURCC fccIOProc;
  LPMMIOPROC pIOProc;
  UINT wErrorRet;
  void* htask;
  LONG cchBuffer;
  HPSTR pchBuffer;
  HPSTR pchNext;
  HPSTR pchEndRead;
  HPSTR pchEndWrite;
  LONG lBufOffset;
  LONG lDiskOffset;
  DWORD adwInfo[3];
  DWORD dwReserved1;
  DWORD dwReserved2;
  HMMIO hmmio;
};
using LPMMIOINFO = MMIOINFO*;

struct MMCKINFO {
  FOURCC ckid;
  DWORD cksize;
  FOURCC fccType;
  DWORD dwDataOffset;
  DWORD dwFlags;
};
using LPMMCKINFO = MMCKINFO*;

// DirectSound's buffer description. Here pointers are as wide as the
// machine's; the size field still says 36, the size of the 32-bit record.
struct DSBUFFERDESC {
  DWORD dwSize;
  DWORD dwFlags;
  DWORD dwBufferBytes;
  DWORD dwReserved;
  LPWAVEFORMATEX lpwfxFormat;
  GUID guid3DAlgorithm;
};
using LPCDSBUFFERDESC = const DSBUFFERDESC*;

struct IUnknown;

// The methods of the two DirectSound interfaces that the player calls.
struct IDirectSoundBuffer {
  virtual ULONG Release() = 0;
  virtual HRESULT Lock(DWORD offset, DWORD bytes, LPVOID* audio1, LPDWORD bytes1, LPVOID* audio2,
                       LPDWORD bytes2, DWORD flags) = 0;
  virtual HRESULT Unlock(LPVOID audio1, DWORD bytes1, LPVOID audio2, DWORD bytes2) = 0;
  virtual HRESULT SetCurrentPosition(DWORD position) = 0;
  virtual HRESULT Play(DWORD reserved, DWORD priority, DWORD flags) = 0;

 protected:
  ~IDirectSoundBuffer() = default;
};

struct IDirectSound {
  virtual ULONG Release() = 0;
  virtual HRESULT SetCooperativeLevel(HWND window, DWORD level) = 0;
  virtual HRESULT CreateSoundBuffer(LPCDSBUFFERDESC description, IDirectSoundBuffer** buffer,
                                    IUnknown* outer) = 0;

 protected:
  ~IDirectSound() = default;
};

// User interface and process.
HWND FindWindowA(LPCSTR class_name, LPCSTR window_name);
DWORD GetModuleFileNameA(HMODULE module, LPSTR file_name, DWORD size);
void _splitpath(const char* path, char* drive, char* dir, char* file_name, char* ext);

// Resources and memory.
HRSRC FindResourceA(HMODULE module, LPCSTR name, LPCSTR type);
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
LPVOID LockResource(HGLOBAL resource);
DWORD SizeofResource(HMODULE module, HRSRC resource);
BOOL FreeResource(HGLOBAL resource);
HGLOBAL GlobalAlloc(UINT flags, size_t bytes);
LPVOID GlobalLock(HGLOBAL block);
BOOL GlobalUnlock(HGLOBAL block);
HGLOBAL GlobalFree(HGLOBAL block);

// An integer resource id in the place of a name.
inline LPCSTR MAKEINTRESOURCEA(uint16_t id) {
  return reinterpret_cast<LPCSTR>(static_cast<uintptr_t>(id));
}

// Multimedia files.
HMMIO mmioOpenA(LPSTR file_name, LPMMIOINFO info, DWORD flags);
MMRESULT mmioDescend(HMMIO file, LPMMCKINFO chunk, const MMCKINFO* parent, UINT flags);
LONG mmioRead(HMMIO file, HPSTR buffer, LONG bytes);
MMRESULT mmioAscend(HMMIO file, LPMMCKINFO chunk, UINT flags);
MMRESULT mmioClose(HMMIO file, UINT flags);

// DirectSound.
HRESULT DirectSoundCreate(LPCGUID device, IDirectSound** sound, IUnknown* outer);

}  // namespace tavrel::platform
