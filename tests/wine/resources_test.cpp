// The real module's resources, found the way the host and the module find
// them: bitmaps against the binding resource list and the art program's
// output, the click sound, the version record, and resource languages.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "module/element_walk.h"
#include "module/records.h"
#include "real_module.h"
#include "resource_list.h"

namespace tavrel::wine {
namespace {

constexpr WORD kFrench = MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH);        // 1036
constexpr WORD kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);  // 1033

struct Bitmap {
  int width = 0;
  int height = 0;
  int bits = 0;
  bool operator==(const Bitmap& o) const {
    return width == o.width && height == o.height && bits == o.bits;
  }
};

using BitmapKey = std::pair<int, int>;  // id, language

std::ostream& operator<<(std::ostream& out, const Bitmap& b) {
  return out << b.width << "x" << b.height << "x" << b.bits;
}

class ModuleResources : public LoadedModuleTest {
 protected:
  // The bytes of a resource in exactly this language, or empty.
  std::vector<uint8_t> resource(const char* type, int id, WORD language) const {
    HRSRC found = FindResourceExA(module_, type, MAKEINTRESOURCEA(id), language);
    if (found == nullptr) return {};
    HGLOBAL loaded = LoadResource(module_, found);
    auto* bytes = static_cast<const uint8_t*>(loaded != nullptr ? LockResource(loaded) : nullptr);
    DWORD size = SizeofResource(module_, found);
    if (bytes == nullptr) return {};
    return std::vector<uint8_t>(bytes, bytes + size);
  }

  // A bitmap resource's size and depth from its DIB header; bits 0 when
  // the resource is missing or is not a plain DIB.
  Bitmap bitmap(int id, WORD language) const {
    std::vector<uint8_t> bytes = resource(MAKEINTRESOURCEA(2) /* RT_BITMAP */, id, language);
    Bitmap b;
    BITMAPINFOHEADER info;
    if (bytes.size() < sizeof info) return b;
    std::memcpy(&info, bytes.data(), sizeof info);
    if (info.biSize < sizeof info || info.biPlanes != 1 || info.biCompression != BI_RGB) return b;
    b.width = info.biWidth;
    b.height = info.biHeight < 0 ? -info.biHeight : info.biHeight;
    b.bits = info.biBitCount;
    return b;
  }

  // Every bitmap the module holds: (id, language) with its DIB header. A
  // bitmap named by a text is listed as id -1.
  std::map<BitmapKey, Bitmap> all_bitmaps() const {
    std::map<BitmapKey, Bitmap> found;
    for (const ResourceName& name : names_of(name_from(MAKEINTRESOURCEA(2)))) {
      for (WORD language : languages(MAKEINTRESOURCEA(2), name.pointer())) {
        found[{name.id, language}] = name.id >= 0 ? bitmap(name.id, language) : Bitmap{};
      }
    }
    return found;
  }

  std::vector<WORD> languages(LPCSTR type, LPCSTR name) const {
    std::vector<WORD> list;
    EnumResourceLanguagesA(module_, type, name, collect_language,
                           reinterpret_cast<LONG_PTR>(&list));
    return list;
  }

  // A resource type or name: a number, or a text.
  struct ResourceName {
    int id = -1;  // -1: a text
    std::string name;
    LPCSTR pointer() const { return id >= 0 ? MAKEINTRESOURCEA(id) : name.c_str(); }
    std::string text() const { return id >= 0 ? std::to_string(id) : name; }
  };

  static ResourceName name_from(LPCSTR pointer) {
    ResourceName n;
    if (IS_INTRESOURCE(pointer)) {
      n.id = static_cast<int>(reinterpret_cast<uintptr_t>(pointer));
    } else {
      n.name = pointer;
    }
    return n;
  }

  static BOOL CALLBACK collect_type(HMODULE, LPSTR type, LONG_PTR out) {
    reinterpret_cast<std::vector<ResourceName>*>(out)->push_back(name_from(type));
    return TRUE;
  }
  static BOOL CALLBACK collect_name(HMODULE, LPCSTR, LPSTR name, LONG_PTR out) {
    reinterpret_cast<std::vector<ResourceName>*>(out)->push_back(name_from(name));
    return TRUE;
  }
  static BOOL CALLBACK collect_language(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR out) {
    reinterpret_cast<std::vector<WORD>*>(out)->push_back(language);
    return TRUE;
  }

  std::vector<ResourceName> names_of_types() const {
    std::vector<ResourceName> types;
    EnumResourceTypesA(module_, collect_type, reinterpret_cast<LONG_PTR>(&types));
    return types;
  }

  std::vector<ResourceName> names_of(const ResourceName& type) const {
    std::vector<ResourceName> names;
    EnumResourceNamesA(module_, type.pointer(), collect_name, reinterpret_cast<LONG_PTR>(&names));
    return names;
  }

  // The gauge table, read through the records the host reads.
  std::vector<const GaugeHeader*> gauge_table() const {
    auto* linkage = reinterpret_cast<const ModuleLinkageHead*>(GetProcAddress(module_, "Linkage"));
    std::vector<const GaugeHeader*> table;
    for (int i = 0; linkage != nullptr && i < 64 && linkage->gauges[i] != nullptr; ++i) {
      table.push_back(linkage->gauges[i]);
    }
    return table;
  }
};

// The art program's list of what it drew: "id width height bpp language".
std::map<BitmapKey, Bitmap> art_program_bitmaps(std::string& error) {
  std::map<BitmapKey, Bitmap> drawn;
  std::string path = art_dir() + "/bitmaps.txt";
  FILE* file = std::fopen(path.c_str(), "r");
  if (file == nullptr) {
    error = "cannot read " + path + " (TAVREL_ART_DIR names the native build's art folder)";
    return drawn;
  }
  int id, width, height, bits, language;
  while (std::fscanf(file, "%d %d %d %d %d", &id, &width, &height, &bits, &language) == 5) {
    drawn[{id, language}] = Bitmap{width, height, bits};
  }
  std::fclose(file);
  if (drawn.empty()) error = path + " lists no bitmaps";
  return drawn;
}

// The binding list, with its English versions.
std::map<BitmapKey, Bitmap> listed_bitmaps() {
  std::map<BitmapKey, Bitmap> listed;
  for (const auto& entry : art::resource_list()) {
    Bitmap b{entry.width, entry.height, entry.bits_per_pixel};
    listed[{entry.id, kFrench}] = b;
    if (entry.has_english) listed[{entry.id, kEnglish}] = b;
  }
  return listed;
}

// Every bitmap id a gauge's records draw: backgrounds and images, each
// icon's run, each moving image's and sprite's picture and mask.
std::set<int> referenced_ids(const GaugeHeader& gauge) {
  std::set<int> ids;
  for_each_element(gauge, [&](const ElementHeader& e, int) {
    switch (e.element_type) {
      case kString:
        break;
      case kIcon: {
        auto* icon = element_as<IconElement>(&e);
        for (int i = 0; i < icon->icon_count && i < 64; ++i) ids.insert(e.resource_id + i);
        break;
      }
      case kMovingImage:
      case kSprite:
        ids.insert(e.resource_id);
        ids.insert(e.resource_id + 1);
        break;
      default:
        ids.insert(e.resource_id);
    }
  });
  return ids;
}

TEST_F(ModuleResources, BitmapsAreExactlyWhatTheArtProgramDrew) {
  std::string error;
  std::map<BitmapKey, Bitmap> drawn = art_program_bitmaps(error);
  ASSERT_TRUE(error.empty()) << error;
  std::map<BitmapKey, Bitmap> held = all_bitmaps();
  for (const auto& [key, b] : drawn) {
    auto found = held.find(key);
    if (found == held.end()) {
      ADD_FAILURE() << "bitmap " << key.first << " language " << key.second
                    << " is not in the module";
    } else {
      EXPECT_EQ(found->second, b) << "bitmap " << key.first << " language " << key.second;
    }
  }
  for (const auto& [key, b] : held) {
    EXPECT_EQ(drawn.count(key), 1u) << "bitmap " << key.first << " language " << key.second
                                    << " in the module was not drawn by the art program";
  }
}

TEST_F(ModuleResources, EveryBitmapMatchesTheResourceList) {
  std::map<BitmapKey, Bitmap> listed = listed_bitmaps();
  std::map<BitmapKey, Bitmap> held = all_bitmaps();
  ASSERT_FALSE(held.empty());
  for (const auto& [key, b] : held) {
    auto found = listed.find(key);
    if (found == listed.end()) {
      ADD_FAILURE() << "bitmap " << key.first << " language " << key.second << " is not listed";
      continue;
    }
    EXPECT_EQ(b, found->second) << "bitmap " << key.first << " language " << key.second;
    if (key.second == kEnglish) {
      EXPECT_EQ(held.count({key.first, kFrench}), 1u) << key.first << ": English without French";
    }
  }
}

TEST_F(ModuleResources, EveryBitmapTheGaugesDrawIsInTheModule) {
  std::map<BitmapKey, Bitmap> listed = listed_bitmaps();
  std::vector<const GaugeHeader*> table = gauge_table();
  ASSERT_FALSE(table.empty());
  for (const GaugeHeader* gauge : table) {
    for (int id : referenced_ids(*gauge)) {
      Bitmap held = bitmap(id, kFrench);
      EXPECT_NE(held.bits, 0) << gauge->name << " draws bitmap " << id
                              << ", which the module does not hold (in French)";
      auto found = listed.find({id, kFrench});
      if (found == listed.end()) {
        ADD_FAILURE() << gauge->name << " draws bitmap " << id << ", which is not listed";
      } else if (held.bits != 0) {
        EXPECT_EQ(held, found->second) << gauge->name << " bitmap " << id;
      }
    }
  }
}

TEST_F(ModuleResources, HoldsTheWholeList) {
  ASSERT_EQ(gauge_table().size(), 51u) << "the list is every gauge's bitmaps";
  std::map<BitmapKey, Bitmap> listed = listed_bitmaps();
  EXPECT_EQ(listed.size(), 155u) << "150 bitmaps and 5 English versions";
  std::map<BitmapKey, Bitmap> held = all_bitmaps();
  EXPECT_EQ(held.size(), listed.size());
  for (const auto& [key, b] : listed) {
    auto found = held.find(key);
    ASSERT_NE(found, held.end()) << "bitmap " << key.first << " language " << key.second;
    EXPECT_EQ(found->second, b) << "bitmap " << key.first << " language " << key.second;
  }
}

uint32_t le32(const uint8_t* p) {
  return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}
uint16_t le16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | p[1] << 8);
}

TEST_F(ModuleResources, ClickSoundIsMonoPcmAt22050HzWith3828SampleBytes) {
  std::vector<uint8_t> wave = resource("WAVE", 10, kFrench);
  ASSERT_GE(wave.size(), 12u) << "no WAVE resource 10 in French";
  ASSERT_EQ(std::memcmp(wave.data(), "RIFF", 4), 0);
  EXPECT_EQ(le32(&wave[4]) + 8, wave.size()) << "RIFF size";
  ASSERT_EQ(std::memcmp(&wave[8], "WAVE", 4), 0);
  bool format = false, data = false;
  for (size_t at = 12; at + 8 <= wave.size();) {
    uint32_t size = le32(&wave[at + 4]);
    ASSERT_LE(at + 8 + size, wave.size()) << "chunk past the end";
    const uint8_t* body = &wave[at + 8];
    if (std::memcmp(&wave[at], "fmt ", 4) == 0) {
      format = true;
      ASSERT_GE(size, 16u);
      EXPECT_EQ(le16(body), 1) << "PCM";
      EXPECT_EQ(le16(body + 2), 1) << "channels";
      EXPECT_EQ(le32(body + 4), 22050u) << "samples per second";
      EXPECT_EQ(le32(body + 8), 44100u) << "bytes per second";
      EXPECT_EQ(le16(body + 12), 2) << "block alignment";
      EXPECT_EQ(le16(body + 14), 16) << "bits per sample";
    } else if (std::memcmp(&wave[at], "data", 4) == 0) {
      data = true;
      EXPECT_TRUE(format) << "the format comes before the samples";
      EXPECT_EQ(size, 3828u) << "sample bytes";
    }
    at += 8 + size + (size & 1);
  }
  EXPECT_TRUE(format) << "no fmt chunk";
  EXPECT_TRUE(data) << "no data chunk";
}

std::string version_string(const std::vector<char>& info, WORD language, WORD code_page,
                           const char* name) {
  char query[96];
  std::snprintf(query, sizeof query, "\\StringFileInfo\\%04x%04x\\%s", language, code_page, name);
  void* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(info.data(), query, &value, &length) || value == nullptr) return {};
  return static_cast<const char*>(value);
}

TEST(VersionRecord, SaysVersion1000AndFlightSimulator2000Gauge) {
  std::string path = module_path();
  ASSERT_FALSE(path.empty()) << "TAVREL_MODULE names the .gau under test";
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
  ASSERT_GT(size, 0u) << "no version record";
  std::vector<char> info(size);
  ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, info.data()));

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  ASSERT_NE(fixed, nullptr);
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u) << "file version 1.0";
  EXPECT_EQ(fixed->dwFileVersionLS, 0x00000000u) << "file version .0.0";
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u) << "product version 1.0";
  EXPECT_EQ(fixed->dwProductVersionLS, 0x00000000u) << "product version .0.0";
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));

  WORD* translation = nullptr;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\VarFileInfo\\Translation",
                             reinterpret_cast<void**>(&translation), &length));
  ASSERT_GE(length, 4u);
  EXPECT_EQ(version_string(info, translation[0], translation[1], "FileDescription"),
            "Flight Simulator 2000 Gauge");
  EXPECT_EQ(version_string(info, translation[0], translation[1], "FileVersion"), "1.0.0.0");
  EXPECT_EQ(version_string(info, translation[0], translation[1], "ProductVersion"), "1.0.0.0");
}

TEST_F(ModuleResources, EveryResourceIsFrenchAndOnlyListedBitmapsAlsoEnglish) {
  std::set<int> bilingual;
  for (const auto& entry : art::resource_list()) {
    if (entry.has_english) bilingual.insert(entry.id);
  }
  int count = 0;
  for (const ResourceName& type : names_of_types()) {
    for (const ResourceName& name : names_of(type)) {
      ++count;
      std::string what = "resource " + type.text() + "/" + name.text();
      bool french = false;
      for (WORD language : languages(type.pointer(), name.pointer())) {
        if (language == kFrench) {
          french = true;
        } else if (language == kEnglish && type.id == 2 && bilingual.count(name.id) == 1) {
          // One of the listed English bitmaps.
        } else {
          ADD_FAILURE() << what << " in language " << language;
        }
      }
      EXPECT_TRUE(french) << what << " has no French version";
    }
  }
  EXPECT_GT(count, 0);
}

}  // namespace
}  // namespace tavrel::wine
