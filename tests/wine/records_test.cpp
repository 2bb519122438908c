// The real module's records as the host reads them: 32-bit words at the
// offsets of the host's layouts, written out here on their own rather than
// taken from module/records.h, so that a field that moves there shows up
// here. The module is loaded away from its preferred address, so every
// pointer in the records must also have been relocated by the loader.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <utility>

#include "host/host.h"
#include "real_module.h"
#include "trace.h"

namespace tavrel::wine {
namespace {

// Byte offsets of the fields the host reads.
namespace module_record {
constexpr size_t kId = 0, kInit = 4, kDeinit = 8, kFlags = 12, kPriority = 16, kVersion = 20,
                 kGaugeTable = 24;
}
namespace gauge_header {
constexpr size_t kVersion = 0, kName = 4, kElementList = 8, kFirstRoutine = 12, kRoutines = 7,
                 kSizeXmm = 40, kSizeYmm = 44, kXAdjust = 48, kYAdjust = 52, kMouseList = 56,
                 kCallback = 60, kUserData = 64, kParameters = 68, kUsage = 72;
}
namespace element {
constexpr size_t kType = 0, kResourceId = 4, kPosition = 8, kPreviousPosition = 16, kOffset = 24,
                 kGauge = 32, kPreviousElement = 36, kNextList = 40, kFailures = 44,
                 kImageFlags = 48, kSpecial = 52, kReserved = 56;
}
// MODULE_VAR, 32 bytes: token, then the host's working fields.
namespace module_var {
constexpr size_t kToken = 0, kValuePointer = 4, kValueType = 8, kValue = 16, kOldValue = 24;
}
namespace needle {
constexpr size_t kVar = 64, kCallback = 96, kTable = 100, kTableCount = 104, kMaxSpeed = 112,
                 kSavedAngle = 120;
}
namespace string_element {
constexpr size_t kVars = 64, kBox = 160, kForeground = 168, kFontHeight = 180, kFontWeight = 196,
                 kFaceName = 208, kTextFlags = 240, kCharCount = 244, kCallback = 248, kText = 252;
}
namespace slider {
constexpr size_t kXVar = 64, kXCallback = 96, kXScale = 104, kYVar = 112, kYCallback = 144,
                 kYScale = 152;
}
namespace icon {
constexpr size_t kVar = 64, kCallback = 96, kSwitchType = 100, kCount = 104, kScale = 112,
                 kOffset = 120;
}
namespace moving_image {
constexpr size_t kXVar = 64, kXCallback = 96, kXMinimum = 104, kXMaximum = 112, kYVar = 120,
                 kYCallback = 152, kYMinimum = 160, kYMaximum = 168;
}
namespace sprite {
constexpr size_t kTextureScaleX = 60, kTextureScaleY = 64, kXVar = 72, kXCallback = 104,
                 kXScale = 112, kYVar = 120, kYCallback = 152, kYScale = 160, kRotationVar = 168,
                 kRotationCallback = 200, kRotationScale = 208;
}
// MOUSERECT: eleven words.
namespace mouse {
constexpr size_t kSize = 44, kType = 0, kBox = 4, kCursor = 20, kHelp = 24, kFlags = 28,
                 kEvent = 32, kFunction = 36, kApiData = 40;
}
// Every record keeps 64 zero bytes after its last parameter for the host's
// own working fields: where that room begins, by element type.
constexpr size_t kWorkspaceBytes = 64;
constexpr size_t kWorkspaceOf[] = {60, 128, 256, 160, 124, 176, 216};
constexpr size_t kHeaderWorkspace = 76;
constexpr size_t kFailureSize = 12;
constexpr size_t kTableEntrySize = 24, kTableEntryValue = 8, kTableEntryAngle = 16;

// Reads host-layout fields at byte offsets from a record's address.
struct Raw {
  const uint8_t* p;

  uint32_t u32(size_t offset) const {
    uint32_t v;
    std::memcpy(&v, p + offset, 4);
    return v;
  }
  int32_t i32(size_t offset) const { return static_cast<int32_t>(u32(offset)); }
  float f32(size_t offset) const {
    float v;
    std::memcpy(&v, p + offset, 4);
    return v;
  }
  double f64(size_t offset) const {
    double v;
    std::memcpy(&v, p + offset, 8);
    return v;
  }
  bool zero(size_t offset, size_t bytes) const {
    for (size_t i = 0; i < bytes; ++i) {
      if (p[offset + i] != 0) return false;
    }
    return true;
  }
  const uint8_t* pointer(size_t offset) const {
    return reinterpret_cast<const uint8_t*>(static_cast<uintptr_t>(u32(offset)));
  }
  Raw at(size_t offset) const { return Raw{pointer(offset)}; }
};

// The module, loaded at an address other than the one its file prefers.
class RelocatedModule : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(module_path().empty()) << "TAVREL_MODULE names the .gau under test";
    ASSERT_EQ(GetModuleHandleA(module_path().c_str()), nullptr) << "already loaded";
    uint32_t preferred = 0, size = 0;
    ASSERT_TRUE(preferred_placement(read_file(module_path()), preferred, size));
    reserved_ = VirtualAlloc(reinterpret_cast<void*>(static_cast<uintptr_t>(preferred)), size,
                             MEM_RESERVE, PAGE_NOACCESS);
    module_ = LoadLibraryA(module_path().c_str());
    ASSERT_NE(module_, nullptr) << "cannot load " << module_path() << " away from its base";
    ASSERT_NE(reinterpret_cast<uintptr_t>(module_), preferred);
    image_ = std::make_unique<ModuleImage>(module_);
    linkage_ = Raw{reinterpret_cast<const uint8_t*>(GetProcAddress(module_, "Linkage"))};
    imports_ = Raw{reinterpret_cast<const uint8_t*>(GetProcAddress(module_, "ImportTable"))};
    ASSERT_NE(linkage_.p, nullptr);
    ASSERT_NE(imports_.p, nullptr);
  }
  void TearDown() override {
    image_.reset();
    if (module_ != nullptr) FreeLibrary(module_);
    if (reserved_ != nullptr) VirtualFree(reserved_, 0, MEM_RELEASE);
  }

  // The gauge table up to its null pointer.
  std::vector<Raw> gauges() const {
    std::vector<Raw> table;
    for (size_t i = 0; i < 64; ++i) {
      const uint8_t* header = linkage_.pointer(module_record::kGaugeTable + 4 * i);
      if (header == nullptr) break;
      table.push_back(Raw{header});
    }
    return table;
  }

  bool data(const uint8_t* p, size_t bytes) const {
    return image_->contains(p, bytes) && image_->in_data(p);
  }
  // A routine pointer: null, or into the module's code.
  bool routine_or_null(const uint8_t* p) const { return p == nullptr || image_->in_code(p); }

  std::string name_of(Raw header) const {
    const uint8_t* name = header.pointer(gauge_header::kName);
    if (!data(name, 1)) return "?";
    return reinterpret_cast<const char*>(name);
  }

  void check_module_var(Raw e, size_t var, const std::string& where) const {
    Raw v = Raw{e.p + var};
    EXPECT_EQ(v.u32(module_var::kValuePointer), 0u) << where;
    EXPECT_EQ(v.u32(module_var::kValueType), 0u) << where;
    EXPECT_TRUE(v.zero(module_var::kValue, 8)) << where;
    EXPECT_TRUE(v.zero(module_var::kOldValue, 8)) << where;
  }

  // One element and its subtree; counts elements by type.
  void check_element(Raw header, Raw e, int depth, int* counts) const {
    std::string where = name_of(header) + " element " + std::to_string(e.i32(element::kResourceId));
    ASSERT_TRUE(data(e.p, 60)) << where;
    ASSERT_LT(depth, 16) << where << ": the tree does not end";
    int32_t type = e.i32(element::kType);
    ASSERT_GE(type, 0) << where;
    ASSERT_LE(type, 6) << where;
    ++counts[type];
    EXPECT_EQ(e.pointer(element::kGauge), header.p) << where << ": owner";
    EXPECT_EQ(e.pointer(element::kPreviousElement), nullptr) << where;
    EXPECT_TRUE(e.zero(element::kPreviousPosition, 8)) << where;
    EXPECT_EQ(e.u32(element::kImageFlags) & ~0x4087u, 0u) << where << ": image flags";
    uint32_t special = e.u32(element::kSpecial);
    EXPECT_TRUE(special == 0 || (special == 2 && type == 1)) << where << ": special " << special;
    EXPECT_EQ(e.u32(element::kReserved), 0u) << where;
    ASSERT_TRUE(data(e.p, kWorkspaceOf[type] + kWorkspaceBytes)) << where;
    EXPECT_TRUE(e.zero(kWorkspaceOf[type], kWorkspaceBytes)) << where << ": host workspace";
    if (type == 2) {
      EXPECT_EQ(e.i32(element::kResourceId), -1) << where << ": strings draw no bitmap";
    } else {
      EXPECT_GT(e.i32(element::kResourceId), 0) << where;
    }
    if (type == 0 || type == 4) {
      EXPECT_TRUE(e.zero(element::kOffset, 8)) << where << ": offset";
    }

    if (const uint8_t* failures = e.pointer(element::kFailures)) {
      int i = 0;
      for (; i < 64; ++i) {
        Raw f{failures + kFailureSize * i};
        ASSERT_TRUE(data(f.p, kFailureSize)) << where << ": failure list";
        if (f.u32(0) == 0) break;
        EXPECT_EQ(f.u32(8), 0u) << where << ": failure reserved word";
      }
      EXPECT_LT(i, 64) << where << ": the failure list does not end";
      EXPECT_GT(i, 0) << where << ": an empty failure list stands for none";
    }

    switch (type) {
      case 1: {  // needle
        check_module_var(e, needle::kVar, where);
        EXPECT_TRUE(routine_or_null(e.pointer(needle::kCallback))) << where;
        const uint8_t* table = e.pointer(needle::kTable);
        int32_t count = e.i32(needle::kTableCount);
        if (table == nullptr) {
          EXPECT_EQ(count, 0) << where;
        } else {
          ASSERT_GE(count, 2) << where;
          ASSERT_TRUE(data(table, kTableEntrySize * count)) << where << ": table";
          for (int32_t i = 0; i < count; ++i) {
            Raw entry{table + kTableEntrySize * i};
            EXPECT_TRUE(std::isfinite(entry.f64(kTableEntryValue))) << where << " entry " << i;
            EXPECT_TRUE(entry.zero(kTableEntryAngle, 8)) << where << ": the host fills angles";
          }
        }
        EXPECT_TRUE(e.zero(needle::kMaxSpeed, 8)) << where << ": unlimited speed";
        EXPECT_TRUE(e.zero(needle::kSavedAngle, 8)) << where;
        break;
      }
      case 2: {  // string
        for (int i = 0; i < 3; ++i) check_module_var(e, string_element::kVars + 32 * i, where);
        EXPECT_GT(e.i32(string_element::kBox), 0) << where;
        EXPECT_GT(e.i32(string_element::kBox + 4), 0) << where;
        EXPECT_EQ(e.u32(string_element::kForeground) >> 24, 0u) << where << ": 0x00BBGGRR";
        EXPECT_EQ(e.i32(string_element::kFontHeight), 0) << where;
        EXPECT_GT(e.i32(string_element::kFontWeight), 0) << where;
        const char* face = reinterpret_cast<const char*>(e.p + string_element::kFaceName);
        EXPECT_LT(strnlen(face, 32), 32u) << where << ": face name";
        EXPECT_GT(strnlen(face, 32), 0u) << where << ": face name";
        EXPECT_GT(e.i32(string_element::kCharCount), 0) << where;
        EXPECT_EQ(e.u32(string_element::kTextFlags) & ~0xFFFFu, 0u) << where;
        const uint8_t* callback = e.pointer(string_element::kCallback);
        EXPECT_NE(callback, nullptr) << where << ": a string's text comes from its callback";
        EXPECT_TRUE(routine_or_null(callback)) << where;
        EXPECT_EQ(e.u32(string_element::kText), 0u) << where << ": the host gives the buffer";
        break;
      }
      case 3:  // slider
        check_module_var(e, slider::kXVar, where);
        check_module_var(e, slider::kYVar, where);
        EXPECT_TRUE(routine_or_null(e.pointer(slider::kXCallback))) << where;
        EXPECT_TRUE(routine_or_null(e.pointer(slider::kYCallback))) << where;
        EXPECT_TRUE(std::isfinite(e.f64(slider::kXScale))) << where;
        EXPECT_TRUE(std::isfinite(e.f64(slider::kYScale))) << where;
        break;
      case 4:  // icon
        check_module_var(e, icon::kVar, where);
        EXPECT_TRUE(routine_or_null(e.pointer(icon::kCallback))) << where;
        EXPECT_EQ(e.i32(icon::kSwitchType), 0) << where;
        EXPECT_GE(e.i32(icon::kCount), 1) << where;
        EXPECT_EQ(e.f64(icon::kScale), 1.0) << where;
        EXPECT_EQ(e.i32(icon::kOffset), 0) << where;
        break;
      case 5:  // moving image
        check_module_var(e, moving_image::kXVar, where);
        check_module_var(e, moving_image::kYVar, where);
        EXPECT_TRUE(routine_or_null(e.pointer(moving_image::kXCallback))) << where;
        EXPECT_TRUE(routine_or_null(e.pointer(moving_image::kYCallback))) << where;
        for (size_t field : {moving_image::kXMinimum, moving_image::kXMaximum,
                             moving_image::kYMinimum, moving_image::kYMaximum}) {
          EXPECT_TRUE(std::isfinite(e.f64(field))) << where;
        }
        break;
      case 6:  // sprite
        EXPECT_GT(e.f32(sprite::kTextureScaleX), 0.0f) << where;
        EXPECT_GT(e.f32(sprite::kTextureScaleY), 0.0f) << where;
        for (auto [var, callback, scale] :
             {std::tuple{sprite::kXVar, sprite::kXCallback, sprite::kXScale},
              std::tuple{sprite::kYVar, sprite::kYCallback, sprite::kYScale},
              std::tuple{sprite::kRotationVar, sprite::kRotationCallback,
                         sprite::kRotationScale}}) {
          check_module_var(e, var, where);
          EXPECT_TRUE(routine_or_null(e.pointer(callback))) << where;
          EXPECT_TRUE(std::isfinite(e.f64(scale))) << where;
        }
        break;
      default:
        break;
    }

    const uint8_t* children = e.pointer(element::kNextList);
    if (children == nullptr) return;
    for (int i = 0;; ++i) {
      ASSERT_LT(i, 256) << where << ": the child list does not end";
      ASSERT_TRUE(data(children + 4 * i, 4)) << where << ": child list";
      Raw list{children};
      if (list.pointer(4 * i) == nullptr) {
        EXPECT_GT(i, 0) << where << ": an empty child list stands for none";
        break;
      }
      check_element(header, list.at(4 * i), depth + 1, counts);
    }
  }

  HMODULE module_ = nullptr;
  void* reserved_ = nullptr;
  std::unique_ptr<ModuleImage> image_;
  Raw linkage_{};
  Raw imports_{};
};

TEST_F(RelocatedModule, LinkageIsTheModuleRecordWithTheGaugeTable) {
  EXPECT_EQ(linkage_.u32(module_record::kId), 0x13u);
  const uint8_t* init = linkage_.pointer(module_record::kInit);
  EXPECT_NE(init, nullptr);
  EXPECT_TRUE(image_->in_code(init));
  EXPECT_EQ(linkage_.pointer(module_record::kDeinit), init) << "one empty routine for both";
  EXPECT_EQ(linkage_.u32(module_record::kFlags), 0u);
  EXPECT_EQ(linkage_.u32(module_record::kPriority), 0u);
  EXPECT_EQ(linkage_.u32(module_record::kVersion), 0x800u);
  std::vector<Raw> table = gauges();
  EXPECT_GE(table.size(), 1u);
  EXPECT_LE(table.size(), 51u) << "the table does not end at a null pointer";
  for (Raw header : table) EXPECT_TRUE(data(header.p, 76)) << "a gauge header outside the module";
}

TEST_F(RelocatedModule, ImportTableIsThePanelsEntryThenTheEnd) {
  ASSERT_TRUE(data(imports_.p, 16));
  EXPECT_EQ(imports_.u32(0), 0x0Fu);
  EXPECT_EQ(imports_.u32(4), 0u) << "the host fills the services pointer";
  EXPECT_EQ(imports_.u32(8), 0u);
  EXPECT_EQ(imports_.u32(12), 0u);
}

TEST_F(RelocatedModule, EveryGaugeHeaderHasTheHostsLayout) {
  std::set<std::string> names;
  for (Raw h : gauges()) {
    ASSERT_TRUE(data(h.p, kHeaderWorkspace + kWorkspaceBytes));
    const uint8_t* name_pointer = h.pointer(gauge_header::kName);
    ASSERT_TRUE(data(name_pointer, 1)) << "name pointer";
    std::string name(reinterpret_cast<const char*>(name_pointer));
    EXPECT_FALSE(name.empty());
    EXPECT_EQ(
        name.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789_"),
        std::string::npos)
        << name;
    EXPECT_TRUE(names.insert(name).second) << name << " twice";
    EXPECT_EQ(h.u32(gauge_header::kVersion), 800u) << name;
    for (size_t i = 0; i < gauge_header::kRoutines; ++i) {
      EXPECT_EQ(h.u32(gauge_header::kFirstRoutine + 4 * i), 0u) << name << " routine " << i;
    }
    EXPECT_GT(h.u32(gauge_header::kSizeXmm), 0u) << name;
    EXPECT_EQ(h.u32(gauge_header::kSizeYmm), 0u) << name;
    EXPECT_EQ(h.u32(gauge_header::kXAdjust), 0u) << name << ": 0.0f";
    EXPECT_EQ(h.u32(gauge_header::kYAdjust), 0u) << name << ": 0.0f";
    EXPECT_TRUE(data(h.pointer(gauge_header::kMouseList), mouse::kSize)) << name << ": mouse list";
    EXPECT_TRUE(routine_or_null(h.pointer(gauge_header::kCallback))) << name;
    EXPECT_EQ(h.u32(gauge_header::kUserData), 0u) << name;
    EXPECT_EQ(h.u32(gauge_header::kParameters), 0u) << name << ": the host stores parameters";
    EXPECT_EQ(h.u32(gauge_header::kUsage), 0u) << name;
    EXPECT_TRUE(h.zero(kHeaderWorkspace, kWorkspaceBytes)) << name << ": host workspace";

    // The element list is a single pointer to the root, a static image.
    const uint8_t* list = h.pointer(gauge_header::kElementList);
    ASSERT_TRUE(data(list, 4)) << name << ": element list";
    Raw root = Raw{list}.at(0);
    ASSERT_TRUE(data(root.p, 60)) << name << ": root";
    EXPECT_EQ(root.i32(element::kType), 0) << name << ": the root is the background";
  }
}

TEST_F(RelocatedModule, EveryElementHasTheHostsLayout) {
  int counts[7] = {};
  for (Raw h : gauges()) {
    Raw root = h.at(gauge_header::kElementList).at(0);
    check_element(h, root, 0, counts);
  }
}

TEST_F(RelocatedModule, TheWholeTableHas51GaugesWithTheirElements) {
  std::vector<Raw> table = gauges();
  ASSERT_EQ(table.size(), 51u);
  int counts[7] = {};
  for (Raw h : table) check_element(h, h.at(gauge_header::kElementList).at(0), 0, counts);
  // Static images, needles, strings, sliders, icons, moving images, sprites.
  const int expected[7] = {72, 34, 7, 6, 18, 8, 7};
  for (int type = 0; type < 7; ++type) EXPECT_EQ(counts[type], expected[type]) << "type " << type;
}

TEST_F(RelocatedModule, EveryMouseListHasTheHostsLayout) {
  for (Raw h : gauges()) {
    std::string name = name_of(h);
    const uint8_t* list = h.pointer(gauge_header::kMouseList);
    int open = 0;
    bool ended = false;
    uint32_t previous_type = 0;
    for (int i = 0; i < 1024 && !ended; ++i) {
      Raw r{list + mouse::kSize * i};
      std::string where = name + " mouse record " + std::to_string(i);
      ASSERT_TRUE(data(r.p, mouse::kSize)) << where;
      uint32_t type = r.u32(mouse::kType);
      EXPECT_EQ(r.u32(mouse::kApiData), 0u) << where;
      if (i == 0) {
        ASSERT_EQ(type, 1u) << where << ": the outer parent comes first";
        EXPECT_TRUE(r.zero(mouse::kBox, 16)) << where << ": the whole gauge";
      }
      if (type == 2) {
        ASSERT_GT(open, 0) << where << ": a child outside every parent";
        bool event = r.u32(mouse::kEvent) != 0;
        const uint8_t* function = r.pointer(mouse::kFunction);
        EXPECT_NE(event, function != nullptr) << where << ": an event or a function";
        EXPECT_TRUE(routine_or_null(function)) << where;
        uint32_t flags = r.u32(mouse::kFlags);
        EXPECT_TRUE(flags == 0x20000000 || flags == 0x20200000 || flags == 0x20800000)
            << where << ": flags " << flags;
        int32_t cursor = r.i32(mouse::kCursor);
        EXPECT_TRUE(cursor == 1 || cursor == 2 || cursor == 5) << where << ": cursor " << cursor;
        EXPECT_EQ(r.u32(mouse::kHelp), 0u) << where << ": help ids stand on parents";
        EXPECT_GT(r.i32(mouse::kBox + 8), 0) << where << ": width";
        EXPECT_GT(r.i32(mouse::kBox + 12), 0) << where << ": height";
      } else {
        EXPECT_EQ(r.i32(mouse::kCursor), -1) << where;
        EXPECT_EQ(r.u32(mouse::kFlags), 0u) << where;
        EXPECT_EQ(r.u32(mouse::kEvent), 0u) << where;
        EXPECT_EQ(r.u32(mouse::kFunction), 0u) << where;
      }
      switch (type) {
        case 0:
          EXPECT_EQ(open, 0) << where << ": the list ends inside a parent";
          EXPECT_EQ(previous_type, 3u) << where << ": the outer parent closes last";
          ended = true;
          [[fallthrough]];
        case 3:
          EXPECT_EQ(r.u32(mouse::kHelp), 0u) << where;
          EXPECT_TRUE(r.zero(mouse::kBox, 16)) << where;
          if (type == 3) {
            ASSERT_GT(open, 0) << where << ": a close without a parent";
            --open;
          }
          break;
        case 1:
          ASSERT_TRUE(i == 0 || open > 0) << where << ": a second outer parent";
          ++open;
          break;
        case 2:
          break;
        case 4:
          EXPECT_EQ(i, 1) << where << ": the help record follows the outer parent";
          EXPECT_TRUE(r.zero(mouse::kBox, 16)) << where;
          break;
        default:
          ADD_FAILURE() << where << ": type " << type;
          ended = true;
      }
      previous_type = type;
    }
    EXPECT_TRUE(ended) << name << ": no end record";
  }
}

// Every service entry but the three the module may use: reaching one ends
// the program with a message (its arguments are unknown, so returning
// could leave the stack wrong).
template <int kEntry>
void TAVREL_STDCALL forbidden_service() {
  std::fprintf(stderr, "the module called entry %d of the panel services table\n", kEntry);
  std::fflush(stderr);
  std::_Exit(3);
}

template <int... kEntries>
void fill_forbidden(void** table, std::integer_sequence<int, kEntries...>) {
  ((table[kEntries] = reinterpret_cast<void*>(&forbidden_service<kEntries>)), ...);
}

// Calls `routine` with `count` argument words pushed right to left, as the
// host does, and returns how many bytes of arguments the routine took off
// the stack itself: 4 * count under the standard-call convention, 0 under
// the C one. A routine that returns a double leaves it on the x87 stack,
// where it is dropped.
extern "C" uint32_t tavrel_call_counting_pops(const void* routine, const uint32_t* args, int count,
                                              int returns_double);
asm(R"(
  .text
  .globl _tavrel_call_counting_pops
_tavrel_call_counting_pops:
  pushl %ebp
  movl %esp, %ebp
  pushl %esi
  pushl %edi
  pushl %ebx
  movl 8(%ebp), %eax
  movl 12(%ebp), %edx
  movl 16(%ebp), %ecx
1:
  testl %ecx, %ecx
  jz 2f
  pushl -4(%edx,%ecx,4)
  decl %ecx
  jmp 1b
2:
  movl %esp, %edi
  call *%eax
  movl %esp, %eax
  subl %edi, %eax
  cmpl $0, 20(%ebp)
  je 3f
  fstp %st(0)
3:
  leal -12(%ebp), %esp
  popl %ebx
  popl %edi
  popl %esi
  popl %ebp
  ret
)");

// The three services, declared here with the standard-call convention on
// their own (not through the module's headers).
void __stdcall plain_panel_window_toggle(uint32_t) {}
void __stdcall plain_trigger_key_event(uint32_t, uint32_t) {}
void __stdcall plain_lookup_var(ModuleVar* var) {
  if (var != nullptr) std::memset(reinterpret_cast<uint8_t*>(var) + 4, 0, 28);
}

// Byte sizes of the element records, by type, for copies.
constexpr size_t kElementSizes[7] = {60, 128, 256, 160, 128, 176, 216};

TEST_F(RelocatedModule, EveryRoutineTheHostCallsTakesItsOwnArgumentsOffTheStack) {
  void* services[kServiceTableEntries];
  fill_forbidden(services, std::make_integer_sequence<int, kServiceTableEntries>{});
  services[35] = reinterpret_cast<void*>(&plain_panel_window_toggle);
  services[36] = reinterpret_cast<void*>(&plain_trigger_key_event);
  services[40] = reinterpret_cast<void*>(&plain_lookup_var);
  uint32_t* imports = reinterpret_cast<uint32_t*>(const_cast<uint8_t*>(imports_.p));
  imports[1] = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(services));

  int routines = 0;
  auto expect_pops = [&](const uint8_t* routine, std::vector<uint32_t> args, bool returns_double,
                         const std::string& what) {
    ++routines;
    uint32_t popped = tavrel_call_counting_pops(routine, args.data(), static_cast<int>(args.size()),
                                                returns_double);
    EXPECT_EQ(popped, 4 * args.size()) << what << ": not the standard-call convention";
  };
  auto word = [](const void* p) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(p)); };

  // Gauge callbacks, with a service id no gauge acts on.
  for (Raw h : gauges()) {
    if (const uint8_t* callback = h.pointer(gauge_header::kCallback)) {
      expect_pops(callback, {word(h.p), 0xFFFFu, 0u}, false, name_of(h) + " gauge callback");
    }
  }
  // Element callbacks, on copies (a string gets a text buffer).
  struct Walk {
    static void collect(Raw e, std::vector<Raw>& all) {
      all.push_back(e);
      const uint8_t* children = e.pointer(element::kNextList);
      for (int i = 0; children != nullptr && i < 256; ++i) {
        Raw list{children};
        if (list.pointer(4 * i) == nullptr) break;
        collect(list.at(4 * i), all);
      }
    }
  };
  for (Raw h : gauges()) {
    std::vector<Raw> elements;
    Walk::collect(h.at(gauge_header::kElementList).at(0), elements);
    for (Raw e : elements) {
      int32_t type = e.i32(element::kType);
      if (type < 1 || type > 6) continue;
      std::vector<size_t> callbacks;
      switch (type) {
        case 1:
          callbacks = {needle::kCallback};
          break;
        case 2:
          callbacks = {string_element::kCallback};
          break;
        case 3:
          callbacks = {slider::kXCallback, slider::kYCallback};
          break;
        case 4:
          callbacks = {icon::kCallback};
          break;
        case 5:
          callbacks = {moving_image::kXCallback, moving_image::kYCallback};
          break;
        case 6:
          callbacks = {sprite::kXCallback, sprite::kYCallback, sprite::kRotationCallback};
          break;
      }
      for (size_t field : callbacks) {
        const uint8_t* callback = e.pointer(field);
        if (callback == nullptr) continue;
        std::vector<uint8_t> copy(e.p, e.p + kElementSizes[type]);
        std::vector<char> text(4096, '\0');
        if (type == 2) {
          uint32_t buffer = word(text.data());
          std::memcpy(copy.data() + string_element::kText, &buffer, 4);
        }
        expect_pops(
            callback, {word(copy.data())}, true,
            name_of(h) + " element " + std::to_string(e.i32(element::kResourceId)) + " callback");
      }
    }
  }
  // Mouse functions, with a click point whose third word is the header.
  for (Raw h : gauges()) {
    const uint8_t* list = h.pointer(gauge_header::kMouseList);
    for (int i = 0; i < 1024; ++i) {
      Raw r{list + mouse::kSize * i};
      if (r.u32(mouse::kType) == 0) break;
      const uint8_t* function = r.pointer(mouse::kFunction);
      if (r.u32(mouse::kType) != 2 || function == nullptr) continue;
      uint32_t point[3] = {1, 1, word(h.p)};
      expect_pops(function, {word(point), 0x20000000u}, false,
                  name_of(h) + " mouse record " + std::to_string(i));
    }
  }
  imports[1] = 0;
  EXPECT_GT(routines, 0) << "no gauge in the table has a routine with arguments (gauge "
                            "callback, element callback or mouse function)";
}

bool has_module_code(host::Host& host) {
  for (GaugeHeader* gauge : host.gauges()) {
    if (gauge->gauge_callback != nullptr) return true;
    for (const MouseRect* r = gauge->mouse_rect; r != nullptr && r->type != kMouseEnd; ++r) {
      if (r->function != nullptr) return true;
    }
  }
  // Element callbacks: place each gauge and look at its copies.
  for (GaugeHeader* gauge : host.gauges()) {
    host::GaugeInstance& instance = host.place(gauge->name);
    bool found = false;
    for (const host::ElementState& s : instance.elements()) {
      const ElementHeader* e = s.element;
      switch (e->element_type) {
        case kNeedle:
          found |= element_as<NeedleElement>(e)->callback != nullptr;
          break;
        case kString:
          found |= element_as<StringElement>(e)->callback != nullptr;
          break;
        case kSlider:
          found |=
              element_as<SliderElement>(e)->x.callback || element_as<SliderElement>(e)->y.callback;
          break;
        case kIcon:
          found |= element_as<IconElement>(e)->callback != nullptr;
          break;
        case kMovingImage:
          found |= element_as<MovingImageElement>(e)->x.callback ||
                   element_as<MovingImageElement>(e)->y.callback;
          break;
        case kSprite: {
          auto* s = element_as<SpriteElement>(e);
          found |= s->x.callback || s->y.callback || s->rotation.callback;
          break;
        }
        default:
          break;
      }
    }
    host.remove(instance);
    if (found) return true;
  }
  return false;
}

TEST(Services, TheHostsTableGoesIntoTheRealImportTableAndOnlyEntries35_36And40AreUsed) {
  std::string error;
  auto binding = host::bind_module(module_path(), &error);
  ASSERT_NE(binding, nullptr) << error;
  auto* exported = reinterpret_cast<const uint8_t*>(
      GetProcAddress(reinterpret_cast<HMODULE>(binding->module_handle()), "ImportTable"));
  ASSERT_NE(exported, nullptr);
  host::Host host(std::move(binding));
  Raw imports{exported};
  EXPECT_EQ(imports.u32(0), 0x0Fu);
  EXPECT_EQ(imports.pointer(4), reinterpret_cast<const uint8_t*>(host.services_table()))
      << "the services pointer in the module's own ImportTable";

  void** table = host.services_table();
  void* kept[3] = {table[kServicePanelWindowToggle], table[kServiceTriggerKeyEvent],
                   table[kServiceLookupVar]};
  fill_forbidden(table, std::make_integer_sequence<int, kServiceTableEntries>{});
  table[kServicePanelWindowToggle] = kept[0];
  table[kServiceTriggerKeyEvent] = kept[1];
  table[kServiceLookupVar] = kept[2];

  ASSERT_TRUE(has_module_code(host))
      << "no gauge in the table has module code (a gauge callback, an element callback or a "
         "mouse function), so nothing can reach the services";
  hosttrace::Tracer tracer(host);
  tracer.run_all();
  const hosttrace::ServiceCalls& calls = tracer.service_calls();
  std::printf("services called: lookup_var %lu, trigger_key_event %lu, panel_window_toggle %lu\n",
              static_cast<unsigned long>(calls.lookups.size()),
              static_cast<unsigned long>(calls.triggers.size()),
              static_cast<unsigned long>(calls.toggles.size()));
}

}  // namespace
}  // namespace tavrel::wine
