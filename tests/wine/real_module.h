// The real module for the checks that run under Wine: where the build put
// it, and a view of its loaded image (sections, directories) from the PE
// headers, read without help from the module's own code.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tavrel::wine {

// A path the test's environment names; a Unix path becomes a Windows path
// on drive Z:, where Wine maps the Unix root. Empty when not set.
std::string path_from_environment(const char* name);

// TAVREL_MODULE: the .gau under test.
std::string module_path();

// TAVREL_ART_DIR: the folder the art program wrote (bitmaps.txt).
std::string art_dir();

// The whole file, or empty when it cannot be read.
std::vector<uint8_t> read_file(const std::string& path);

class ModuleImage {
 public:
  explicit ModuleImage(HMODULE module);

  const uint8_t* base() const { return base_; }
  size_t size() const { return size_; }
  const IMAGE_FILE_HEADER& file_header() const { return nt_->FileHeader; }
  const IMAGE_OPTIONAL_HEADER32& optional_header() const { return nt_->OptionalHeader; }
  const IMAGE_DATA_DIRECTORY& directory(int index) const {
    return nt_->OptionalHeader.DataDirectory[index];
  }
  template <typename T>
  const T* at(uint32_t rva) const {
    return reinterpret_cast<const T*>(base_ + rva);
  }

  // Whether [p, p + bytes) lies inside the loaded image.
  bool contains(const void* p, size_t bytes = 1) const;
  // The section holding p, or null.
  const IMAGE_SECTION_HEADER* section_of(const void* p) const;
  // Inside an executable section (routines the host calls).
  bool in_code(const void* p) const;
  // Inside a section that is readable and not executable (records).
  bool in_data(const void* p) const;

 private:
  const uint8_t* base_;
  const IMAGE_NT_HEADERS32* nt_;
  size_t size_;
};

// A test that loads the module under test with LoadLibrary for each case.
class LoadedModuleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(module_path().empty()) << "TAVREL_MODULE names the .gau under test";
    module_ = LoadLibraryA(module_path().c_str());
    ASSERT_NE(module_, nullptr) << "cannot load " << module_path();
  }
  void TearDown() override {
    if (module_ != nullptr) FreeLibrary(module_);
  }

  HMODULE module_ = nullptr;
};

// The preferred load address and image size written in a DLL file.
bool preferred_placement(const std::vector<uint8_t>& file, uint32_t& base, uint32_t& size);

}  // namespace tavrel::wine
