// The native binding: the module is linked into the program, and its
// bitmaps are the files the art program wrote.
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "host/binding.h"
#include "module/linkage.h"

#ifndef TAVREL_ART_DIR
#define TAVREL_ART_DIR "art"
#endif

namespace tavrel::host {
namespace {

class LinkedModule final : public ModuleBinding {
 public:
  explicit LinkedModule(std::string art_dir) : art_dir_(std::move(art_dir)) {}

  ModuleLinkageHead* linkage() override { return reinterpret_cast<ModuleLinkageHead*>(&Linkage); }
  ImportTableRecord* import_table() override { return &ImportTable; }
  uintptr_t module_handle() override { return kNativeModuleHandle; }

  bool bitmap_bytes(int id, Language language, std::vector<uint8_t>& out) override {
    if (language == Language::kEnglish && read(path_of(id, "_en"), out)) return true;
    return read(path_of(id, ""), out);
  }

  std::string description() const override { return "linked module (art in " + art_dir_ + ")"; }
  std::string bitmap_source() const override { return "the art folder " + art_dir_ + "/bitmaps"; }

 private:
  // Any non-null value: the native sound stand-in accepts it as a module.
  static constexpr uintptr_t kNativeModuleHandle = 0x10000000;

  std::string path_of(int id, const char* suffix) const {
    return art_dir_ + "/bitmaps/" + std::to_string(id) + suffix + ".bmp";
  }

  static bool read(const std::string& path, std::vector<uint8_t>& out) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    out.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return true;
  }

  std::string art_dir_;
};

}  // namespace

std::unique_ptr<ModuleBinding> bind_module(const std::string& /*path*/, std::string* /*error*/) {
  const char* art_dir = std::getenv("TAVREL_ART_DIR");
  return std::make_unique<LinkedModule>(art_dir != nullptr && *art_dir != '\0' ? art_dir
                                                                               : TAVREL_ART_DIR);
}

}  // namespace tavrel::host
