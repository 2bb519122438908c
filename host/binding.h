// How the stand-in host reaches a module: the linked one in the native
// build, or the real .gau loaded by the Windows loader in the win32 build.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "module/records.h"

namespace tavrel::host {

// Resource languages the module carries.
enum class Language : uint16_t { kFrench = 1036, kEnglish = 1033 };

class ModuleBinding {
 public:
  virtual ~ModuleBinding() = default;

  // The records the module exports.
  virtual ModuleLinkageHead* linkage() = 0;
  virtual ImportTableRecord* import_table() = 0;

  // The module instance handle passed to gauge callbacks at install.
  virtual uintptr_t module_handle() = 0;

  // The bytes of bitmap resource `id` (a DIB, with or without the 14-byte
  // file header) in `language`, falling back to French where the bitmap has
  // no version in that language. False when the module has no such bitmap.
  virtual bool bitmap_bytes(int id, Language language, std::vector<uint8_t>& out) = 0;

  // Where the module comes from, for messages.
  virtual std::string description() const = 0;

  // Where bitmaps are looked for, for the message about a missing one
  // ("the folder build/native/art/bitmaps", "the resources of X.gau").
  virtual std::string bitmap_source() const { return description(); }
};

// Binds the module: in the native build `path` is ignored and the linked
// module is used (its art is read from `art_dir`, or from the folder the
// build wrote when empty); in the win32 build `path` is the .gau to load
// (empty: Tavrel_Instr.gau next to the program, else in ..\Gauges as a
// release unpacks). Returns null and sets `error` when the module cannot be
// loaded.
std::unique_ptr<ModuleBinding> bind_module(const std::string& path, std::string* error);

}  // namespace tavrel::host
