// A module made by hand for host tests: its own Linkage and ImportTable, and
// bitmaps of chosen sizes, so host rules can be tested on gauges that do
// not have to exist in the product.
#pragma once

#include <cstring>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "host/binding.h"
#include "host/host.h"

namespace tavrel::testing {

class FakeModule final : public host::ModuleBinding {
 public:
  explicit FakeModule(std::vector<GaugeHeader*> gauges) {
    linkage_.module_id = kModuleId;
    linkage_.version = kModuleVersion;
    gauges.push_back(nullptr);
    gauges_ = std::move(gauges);
    imports_.panels.id = kPanelsImportId;
  }

  ModuleLinkageHead* linkage() override {
    // The head's inline table is read up to its null; serve it from our vector.
    storage_.resize(sizeof(ModuleLinkageHead) + gauges_.size() * sizeof(GaugeHeader*));
    auto* head = reinterpret_cast<ModuleLinkageHead*>(storage_.data());
    *head = linkage_;
    for (size_t i = 0; i < gauges_.size(); ++i) head->gauges[i] = gauges_[i];
    return head;
  }
  ImportTableRecord* import_table() override { return imports_in_ ? imports_in_ : &imports_; }
  // Serves an import table that the test owns, so it can be checked after
  // the host (which owns this module) is gone.
  void use_import_table(ImportTableRecord* imports) { imports_in_ = imports; }
  uintptr_t module_handle() override { return 0x1234; }

  // Bitmaps: only their sizes matter to the host core (an empty 8-bit DIB
  // header is enough).
  void add_bitmap(int id, int width, int height) { bitmaps_[id] = {width, height}; }
  // Bitmaps with real pixels for the renderer: the bytes of a DIB or .bmp
  // file, in a language (French is the fallback, as in the module).
  void add_picture(int id, std::vector<uint8_t> bytes,
                   host::Language language = host::Language::kFrench) {
    pictures_[{id, language}] = std::move(bytes);
  }
  bool bitmap_bytes(int id, host::Language language, std::vector<uint8_t>& out) override {
    auto picture = pictures_.find({id, language});
    if (picture == pictures_.end()) picture = pictures_.find({id, host::Language::kFrench});
    if (picture != pictures_.end()) {
      out = picture->second;
      return true;
    }
    auto found = bitmaps_.find(id);
    if (found == bitmaps_.end()) return false;
    out.assign(40, 0);
    int32_t w = found->second.first, h = found->second.second;
    out[0] = 40;
    std::memcpy(&out[4], &w, 4);
    std::memcpy(&out[8], &h, 4);
    return true;
  }
  std::string description() const override { return "hand-made test module"; }

 private:
  ModuleLinkageHead linkage_{};
  std::vector<GaugeHeader*> gauges_;
  std::vector<unsigned char> storage_;
  ImportTableRecord imports_{};
  ImportTableRecord* imports_in_ = nullptr;
  std::map<int, std::pair<int, int>> bitmaps_;
  std::map<std::pair<int, host::Language>, std::vector<uint8_t>> pictures_;
};

}  // namespace tavrel::testing
