#include "real_module.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace tavrel::wine {

std::string path_from_environment(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0') return {};
  std::string path = value;
  if (path[0] == '/') path = "Z:" + path;
  return path;
}

std::string module_path() {
  return path_from_environment("TAVREL_MODULE");
}

std::string art_dir() {
  return path_from_environment("TAVREL_ART_DIR");
}

std::vector<uint8_t> read_file(const std::string& path) {
  std::vector<uint8_t> bytes;
  FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return bytes;
  uint8_t buffer[65536];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    bytes.insert(bytes.end(), buffer, buffer + got);
  }
  std::fclose(file);
  return bytes;
}

ModuleImage::ModuleImage(HMODULE module)
    : base_(reinterpret_cast<const uint8_t*>(module)),
      nt_(reinterpret_cast<const IMAGE_NT_HEADERS32*>(
          base_ + reinterpret_cast<const IMAGE_DOS_HEADER*>(module)->e_lfanew)),
      size_(nt_->OptionalHeader.SizeOfImage) {}

bool ModuleImage::contains(const void* p, size_t bytes) const {
  auto* q = static_cast<const uint8_t*>(p);
  return q >= base_ && q <= base_ + size_ && bytes <= static_cast<size_t>(base_ + size_ - q);
}

const IMAGE_SECTION_HEADER* ModuleImage::section_of(const void* p) const {
  if (!contains(p)) return nullptr;
  auto rva = static_cast<uint32_t>(static_cast<const uint8_t*>(p) - base_);
  const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt_);
  for (int i = 0; i < nt_->FileHeader.NumberOfSections; ++i, ++section) {
    uint32_t length =
        section->Misc.VirtualSize != 0 ? section->Misc.VirtualSize : section->SizeOfRawData;
    if (rva >= section->VirtualAddress && rva < section->VirtualAddress + length) return section;
  }
  return nullptr;
}

bool ModuleImage::in_code(const void* p) const {
  const IMAGE_SECTION_HEADER* section = section_of(p);
  return section != nullptr && (section->Characteristics & IMAGE_SCN_MEM_EXECUTE) != 0;
}

bool ModuleImage::in_data(const void* p) const {
  const IMAGE_SECTION_HEADER* section = section_of(p);
  return section != nullptr && (section->Characteristics & IMAGE_SCN_MEM_READ) != 0 &&
         (section->Characteristics & IMAGE_SCN_MEM_EXECUTE) == 0;
}

bool preferred_placement(const std::vector<uint8_t>& file, uint32_t& base, uint32_t& size) {
  if (file.size() < sizeof(IMAGE_DOS_HEADER)) return false;
  IMAGE_DOS_HEADER dos;
  std::memcpy(&dos, file.data(), sizeof dos);
  if (dos.e_magic != IMAGE_DOS_SIGNATURE || dos.e_lfanew < 0 ||
      file.size() < static_cast<size_t>(dos.e_lfanew) + sizeof(IMAGE_NT_HEADERS32)) {
    return false;
  }
  IMAGE_NT_HEADERS32 nt;
  std::memcpy(&nt, file.data() + dos.e_lfanew, sizeof nt);
  if (nt.Signature != IMAGE_NT_SIGNATURE) return false;
  base = nt.OptionalHeader.ImageBase;
  size = nt.OptionalHeader.SizeOfImage;
  return true;
}

}  // namespace tavrel::wine
