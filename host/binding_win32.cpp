// The win32 binding: the real .gau, loaded by the Windows loader; bitmaps
// come from its resources.
#include <windows.h>

#include <cstring>

#include "host/binding.h"

namespace tavrel::host {
namespace {

class LoadedModule final : public ModuleBinding {
 public:
  LoadedModule(HMODULE module, std::string path) : module_(module), path_(std::move(path)) {
    linkage_ = reinterpret_cast<ModuleLinkageHead*>(GetProcAddress(module_, "Linkage"));
    import_table_ = reinterpret_cast<ImportTableRecord*>(GetProcAddress(module_, "ImportTable"));
  }
  ~LoadedModule() override { FreeLibrary(module_); }

  bool complete() const { return linkage_ != nullptr && import_table_ != nullptr; }

  ModuleLinkageHead* linkage() override { return linkage_; }
  ImportTableRecord* import_table() override { return import_table_; }
  uintptr_t module_handle() override { return reinterpret_cast<uintptr_t>(module_); }

  bool bitmap_bytes(int id, Language language, std::vector<uint8_t>& out) override {
    HRSRC found =
        FindResourceExA(module_, MAKEINTRESOURCEA(2) /* RT_BITMAP */, MAKEINTRESOURCEA(id),
                        MAKELANGID(PRIMARYLANGID(static_cast<WORD>(language)),
                                   SUBLANGID(static_cast<WORD>(language))));
    if (found == nullptr && language != Language::kFrench) {
      found = FindResourceExA(module_, MAKEINTRESOURCEA(2), MAKEINTRESOURCEA(id),
                              static_cast<WORD>(Language::kFrench));
    }
    if (found == nullptr) return false;
    HGLOBAL loaded = LoadResource(module_, found);
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    DWORD size = SizeofResource(module_, found);
    if (bytes == nullptr || size == 0) return false;
    out.resize(size);
    std::memcpy(out.data(), bytes, size);
    return true;
  }

  std::string description() const override { return path_; }
  std::string bitmap_source() const override { return "the resources of " + path_; }

 private:
  HMODULE module_;
  std::string path_;
  ModuleLinkageHead* linkage_ = nullptr;
  ImportTableRecord* import_table_ = nullptr;
};

// The module beside the program, or, as a release unpacks them
// (Preview\gaugeview.exe, Gauges\Tavrel_Instr.gau), in ..\Gauges.
std::string default_module_path() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  size_t slash = folder.find_last_of("\\/");
  folder = slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
  const std::string beside = folder + "Tavrel_Instr.gau";
  const std::string released = folder + "..\\Gauges\\Tavrel_Instr.gau";
  if (GetFileAttributesA(beside.c_str()) == INVALID_FILE_ATTRIBUTES &&
      GetFileAttributesA(released.c_str()) != INVALID_FILE_ATTRIBUTES) {
    return released;
  }
  return beside;
}

// The system's words for a Windows error code ("The specified module could
// not be found."), without the line end Windows puts after them.
std::string windows_reason(DWORD code) {
  char text[512] = {};
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                code, 0, text, sizeof text, nullptr);
  std::string reason(text, length);
  while (!reason.empty() &&
         (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' ')) {
    reason.pop_back();
  }
  return reason.empty() ? "Windows error " + std::to_string(code) : reason;
}

}  // namespace

std::unique_ptr<ModuleBinding> bind_module(const std::string& path, std::string* error) {
  std::string module_path = path.empty() ? default_module_path() : path;
  HMODULE module = LoadLibraryA(module_path.c_str());
  if (module == nullptr) {
    if (error) *error = "cannot load module " + module_path + ": " + windows_reason(GetLastError());
    return nullptr;
  }
  auto binding = std::make_unique<LoadedModule>(module, module_path);
  if (!binding->complete()) {
    if (error) *error = module_path + " does not export Linkage and ImportTable";
    return nullptr;
  }
  return binding;
}

}  // namespace tavrel::host
