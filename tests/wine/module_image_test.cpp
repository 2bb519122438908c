// The loaded image of the real module, read from its PE headers: what the
// Windows loader and the host see before any of our code runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>

#include "real_module.h"

namespace tavrel::wine {
namespace {

using LoadedModule = LoadedModuleTest;

TEST_F(LoadedModule, IsA32BitIntelDll) {
  ModuleImage image(module_);
  EXPECT_EQ(image.file_header().Machine, IMAGE_FILE_MACHINE_I386);
  EXPECT_NE(image.file_header().Characteristics & IMAGE_FILE_DLL, 0);
  EXPECT_EQ(image.optional_header().Magic, IMAGE_NT_OPTIONAL_HDR32_MAGIC);
}

TEST_F(LoadedModule, ExportsExactlyLinkageAndImportTableAsWritableData) {
  ModuleImage image(module_);
  const IMAGE_DATA_DIRECTORY& entry = image.directory(IMAGE_DIRECTORY_ENTRY_EXPORT);
  ASSERT_NE(entry.VirtualAddress, 0u) << "no export directory";
  auto* exports = image.at<IMAGE_EXPORT_DIRECTORY>(entry.VirtualAddress);
  EXPECT_EQ(exports->NumberOfFunctions, 2u) << "exports by ordinal only count too";
  ASSERT_EQ(exports->NumberOfNames, 2u);

  auto* names = image.at<DWORD>(exports->AddressOfNames);
  auto* ordinals = image.at<WORD>(exports->AddressOfNameOrdinals);
  auto* functions = image.at<DWORD>(exports->AddressOfFunctions);
  std::set<std::string> exported;
  for (DWORD i = 0; i < exports->NumberOfNames; ++i) {
    std::string name = image.at<char>(names[i]);
    exported.insert(name);
    ASSERT_LT(ordinals[i], exports->NumberOfFunctions);
    DWORD rva = functions[ordinals[i]];
    // Not a forwarder (which would point back into the export directory).
    EXPECT_FALSE(rva >= entry.VirtualAddress && rva < entry.VirtualAddress + entry.Size) << name;
    const uint8_t* address = image.base() + rva;
    EXPECT_TRUE(image.in_data(address)) << name << " is not data";
    const IMAGE_SECTION_HEADER* section = image.section_of(address);
    ASSERT_NE(section, nullptr) << name;
    EXPECT_NE(section->Characteristics & IMAGE_SCN_MEM_WRITE, 0u)
        << name << ": the host writes into the records";
    EXPECT_EQ(reinterpret_cast<const uint8_t*>(GetProcAddress(module_, name.c_str())), address);
  }
  EXPECT_EQ(exported, (std::set<std::string>{"ImportTable", "Linkage"}));
}

TEST_F(LoadedModule, ImportsOnlyWindowsSystemDlls) {
  // No MinGW runtime (libgcc, libstdc++, libwinpthread) and nothing else a
  // flight simulator's machine might not have.
  const std::set<std::string> system = {"kernel32.dll", "user32.dll", "winmm.dll", "dsound.dll",
                                        "msvcrt.dll"};
  ModuleImage image(module_);
  const IMAGE_DATA_DIRECTORY& entry = image.directory(IMAGE_DIRECTORY_ENTRY_IMPORT);
  ASSERT_NE(entry.VirtualAddress, 0u);
  int count = 0;
  for (auto* d = image.at<IMAGE_IMPORT_DESCRIPTOR>(entry.VirtualAddress); d->Name != 0; ++d) {
    std::string name = image.at<char>(d->Name);
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    EXPECT_EQ(system.count(name), 1u) << "imports " << name;
    ++count;
  }
  EXPECT_GT(count, 0);
  const IMAGE_DATA_DIRECTORY& delayed = image.directory(IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT);
  EXPECT_EQ(delayed.VirtualAddress, 0u) << "delay-loaded imports";
}

}  // namespace
}  // namespace tavrel::wine
