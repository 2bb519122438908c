// The host's gauge records as this module fills them.
//
// The host reads these records straight out of the 32-bit DLL, so their
// layout in the win32 build is fixed (see the static_asserts at the end).
// In the native build pointers are 64-bit and the layout differs; only the
// stand-in host reads them there.
#pragma once

#include <cstddef>
#include <cstdint>

// Every routine the host calls and every host service we call uses the
// standard-call convention of 32-bit Windows.
#if defined(_WIN32) && !defined(_WIN64)
#define TAVREL_STDCALL __stdcall
#else
#define TAVREL_STDCALL
#endif

namespace tavrel {

struct GaugeHeader;
struct ElementHeader;

constexpr uint32_t kGaugeHeaderVersion = 800;
constexpr uint32_t kModuleId = 0x13;
constexpr uint32_t kModuleVersion = 0x800;
constexpr uint32_t kPanelsImportId = 0x0F;

// Gauge callback service ids this module acts on.
enum GaugeService : uint32_t {
  kServiceInstall = 2,
  kServiceUpdate = 6,
  kServicePreKill = 12,
  kServicePanelOpen = 16,
};

struct PixPoint {
  int32_t x;
  int32_t y;
};

struct PixBox {
  int32_t x;
  int32_t y;
  int32_t width;
  int32_t height;
};

// The current value of a token variable: a 64-bit float, or for enumerated
// and flag variables a 32-bit integer in the first four bytes.
union VarValue {
  double number;
  int32_t integer;
  uint32_t flags;
};

// The host's MODULE_VAR: the token number, then the host's working fields.
struct ModuleVar {
  uint32_t id;
  void* var_ptr;
  uint32_t var_type;
  VarValue var_value;
  VarValue var_old;
};

using ElementCallback = double(TAVREL_STDCALL*)(ElementHeader* element);
using GaugeCallback = void(TAVREL_STDCALL*)(GaugeHeader* gauge, uint32_t service, uintptr_t extra);

// What a mouse function receives: the point inside the clicked box, and as
// third word the header of the clicked instance.
struct ClickPoint {
  int32_t x;
  int32_t y;
  GaugeHeader* gauge;
};
using MouseFunction = int32_t(TAVREL_STDCALL*)(ClickPoint* point, uint32_t mouse_flags);

enum ElementType : int32_t {
  kStaticImage = 0,
  kNeedle = 1,
  kString = 2,
  kSlider = 3,
  kIcon = 4,
  kMovingImage = 5,
  kSprite = 6,
};

// Image flag bits.
enum ImageFlag : uint32_t {
  kTransparentBlack = 0x0001,
  kEraseBeforeDraw = 0x0002,
  kBright = 0x0004,
  kFiltered = 0x0080,
  kLuminous = 0x4000,
};

// One entry of a failure list; system 0 ends the list.
struct FailureRecord {
  uint32_t system;
  uint32_t action;
  uint32_t reserved;
};

// One entry of a needle's nonlinearity table. The angle is the host's to fill.
struct NonlinearityEntry {
  PixPoint point;
  double value;
  double degrees;
};

// Room after a record's last parameter for the host's own working fields.
// The real host keeps state there; as built it is all zero, and it keeps a
// host write from ever landing on the next static record.
struct HostWorkspace {
  uint8_t bytes[64];
};

struct ElementHeader {
  int32_t element_type;
  int32_t resource_id;
  PixPoint position;
  PixPoint previous_position;
  PixPoint offset;
  GaugeHeader* gauge;
  ElementHeader* previous_element;
  ElementHeader** next_element;  // null-terminated list of children, or null
  FailureRecord* failures;
  uint32_t image_flags;
  uint32_t aircraft_special_instrumentation;
  uint32_t reserved;
};

struct StaticImageElement {
  ElementHeader header;
  HostWorkspace workspace;
};

struct NeedleElement {
  ElementHeader header;
  ModuleVar source_var;
  ElementCallback callback;
  NonlinearityEntry* nonlinearity;
  int32_t nonlinearity_count;
  double max_degrees_per_tick;  // 0: unlimited
  double save_degrees;          // host working field
  HostWorkspace workspace;
};

// A Windows font description (LOGFONTA layout); the height is always 0.
struct FontDescription {
  int32_t height;
  int32_t width;
  int32_t escapement;
  int32_t orientation;
  int32_t weight;
  uint8_t italic;
  uint8_t underline;
  uint8_t strike_out;
  uint8_t char_set;
  uint8_t out_precision;
  uint8_t clip_precision;
  uint8_t quality;
  uint8_t pitch_and_family;
  char face_name[32];
};

struct StringElement {
  ElementHeader header;
  ModuleVar source_vars[3];
  PixPoint box_size;
  uint32_t foreground_color;  // 0x00BBGGRR
  uint32_t background_color;
  uint32_t highlight_color;
  FontDescription font;
  uint32_t text_flags;  // Windows text-drawing flags
  int32_t char_count;
  ElementCallback callback;
  char* text;  // host working field: the text buffer of char_count + 1 bytes
  HostWorkspace workspace;
};

// Windows text-drawing flags that string elements use.
enum TextFlag : uint32_t {
  kTextCenter = 0x0001,
  kTextRight = 0x0002,
  kTextVCenter = 0x0004,
  kTextSingleLine = 0x0020,
};

struct SliderAxis {
  ModuleVar source_var;
  ElementCallback callback;
  double scale;
};

struct SliderElement {
  ElementHeader header;
  SliderAxis x;
  SliderAxis y;
  HostWorkspace workspace;
};

struct IconElement {
  ElementHeader header;
  ModuleVar source_var;
  ElementCallback callback;
  int32_t switch_type;
  int32_t icon_count;
  double scale;
  int32_t offset;
  HostWorkspace workspace;
};

struct MovingImageAxis {
  ModuleVar source_var;
  ElementCallback callback;
  double minimum;
  double maximum;
};

struct MovingImageElement {
  ElementHeader header;
  MovingImageAxis x;
  MovingImageAxis y;
  HostWorkspace workspace;
};

struct SpriteChannel {
  ModuleVar source_var;
  ElementCallback callback;
  double scale;
};

struct SpriteElement {
  ElementHeader header;
  float texture_scale_x;
  float texture_scale_y;
  SpriteChannel x;
  SpriteChannel y;
  SpriteChannel rotation;
  HostWorkspace workspace;
};

// Mouse rectangle record types.
enum MouseRectType : uint32_t {
  kMouseEnd = 0,
  kMouseParent = 1,
  kMouseChild = 2,
  kMouseClose = 3,
  kMouseHelp = 4,
};

// Mouse flags.
enum MouseFlag : uint32_t {
  kMouseLeftSingle = 0x20000000,
  kMouseRepeatWhileHeld = 0x00200000,
  kMouseDrag = 0x00800000,
};

// Cursors the host shows over a click box: the hand of a click spot and
// the two halves of knobs and levers (turn up, turn down).
enum MouseCursor : int32_t {
  kMouseNoCursor = -1,
  kMouseCursorPlus = 1,
  kMouseCursorMinus = 2,
  kMouseCursorHand = 5,
};

struct MouseRect {
  uint32_t type;
  PixBox box;
  int32_t cursor;
  uint32_t help_id;
  uint32_t mouse_flags;
  uint32_t event_id;
  MouseFunction function;
  uint32_t api_data;
};

using HostRoutine = void*;  // the host's own drawing routines: null in every gauge

struct GaugeHeader {
  uint32_t header_version;
  const char* name;
  ElementHeader** element_list;  // points at the single root element
  HostRoutine query_routine;
  HostRoutine install_routine;
  HostRoutine initialize_routine;
  HostRoutine update_routine;
  HostRoutine generate_routine;
  HostRoutine draw_routine;
  HostRoutine kill_routine;
  uint32_t size_x_mm;
  uint32_t size_y_mm;
  float x_adjust;
  float y_adjust;
  MouseRect* mouse_rect;
  GaugeCallback gauge_callback;
  uint32_t user_data;
  char* parameters;
  uint32_t usage;
  HostWorkspace workspace;
};

using ModuleRoutine = void(TAVREL_STDCALL*)();

// The module record. The gauge table is inline and ends with a null pointer;
// readers walk it up to the null and never rely on its declared length.
template <size_t kSlots>
struct ModuleLinkageRecord {
  uint32_t module_id;
  ModuleRoutine module_init;
  ModuleRoutine module_deinit;
  uint32_t flags;
  uint32_t priority;
  uint32_t version;
  GaugeHeader* gauges[kSlots];
};

// How a reader sees a module record whose table length it does not know:
// the fields, then the first slot of the table.
using ModuleLinkageHead = ModuleLinkageRecord<1>;

struct ImportEntry {
  uint32_t id;
  void* pointer;
};

struct ImportTableRecord {
  ImportEntry panels;  // id 0x0F; the host writes its services table here
  ImportEntry end;     // two zero words
};

// Entries of the host's panel services table that this module calls.
constexpr int kServicePanelWindowToggle = 35;
constexpr int kServiceTriggerKeyEvent = 36;
constexpr int kServiceLookupVar = 40;
constexpr int kServiceTableEntries = 64;

using PanelWindowToggleService = void(TAVREL_STDCALL*)(uint32_t ident);
using TriggerKeyEventService = void(TAVREL_STDCALL*)(uint32_t event, uint32_t value);
using LookupVarService = void(TAVREL_STDCALL*)(ModuleVar* var);

#if defined(_WIN32) && !defined(_WIN64)
// The layouts the host reads: every parameter at its offset, and every record
// with its 64-byte workspace after the last parameter.
static_assert(sizeof(PixPoint) == 8 && sizeof(PixBox) == 16);
static_assert(sizeof(ModuleVar) == 32 && offsetof(ModuleVar, var_ptr) == 4 &&
              offsetof(ModuleVar, var_type) == 8 && offsetof(ModuleVar, var_value) == 16 &&
              offsetof(ModuleVar, var_old) == 24);
static_assert(sizeof(FailureRecord) == 12 && offsetof(FailureRecord, action) == 4);
static_assert(sizeof(NonlinearityEntry) == 24 && offsetof(NonlinearityEntry, value) == 8 &&
              offsetof(NonlinearityEntry, degrees) == 16);
static_assert(sizeof(HostWorkspace) == 64);

static_assert(sizeof(ElementHeader) == 60);
static_assert(offsetof(ElementHeader, resource_id) == 4 && offsetof(ElementHeader, position) == 8 &&
              offsetof(ElementHeader, previous_position) == 16 &&
              offsetof(ElementHeader, offset) == 24 && offsetof(ElementHeader, gauge) == 32 &&
              offsetof(ElementHeader, previous_element) == 36 &&
              offsetof(ElementHeader, next_element) == 40 &&
              offsetof(ElementHeader, failures) == 44 &&
              offsetof(ElementHeader, image_flags) == 48 &&
              offsetof(ElementHeader, aircraft_special_instrumentation) == 52 &&
              offsetof(ElementHeader, reserved) == 56);

static_assert(offsetof(StaticImageElement, workspace) == 60 && sizeof(StaticImageElement) == 124);

static_assert(offsetof(NeedleElement, source_var) == 64 &&
              offsetof(NeedleElement, callback) == 96 &&
              offsetof(NeedleElement, nonlinearity) == 100 &&
              offsetof(NeedleElement, nonlinearity_count) == 104 &&
              offsetof(NeedleElement, max_degrees_per_tick) == 112 &&
              offsetof(NeedleElement, save_degrees) == 120 &&
              offsetof(NeedleElement, workspace) == 128 && sizeof(NeedleElement) == 192);

static_assert(sizeof(FontDescription) == 60 && offsetof(FontDescription, weight) == 16 &&
              offsetof(FontDescription, char_set) == 23 &&
              offsetof(FontDescription, face_name) == 28);
static_assert(offsetof(StringElement, source_vars) == 64 &&
              offsetof(StringElement, box_size) == 160 &&
              offsetof(StringElement, foreground_color) == 168 &&
              offsetof(StringElement, background_color) == 172 &&
              offsetof(StringElement, highlight_color) == 176 &&
              offsetof(StringElement, font) == 180 && offsetof(StringElement, text_flags) == 240 &&
              offsetof(StringElement, char_count) == 244 &&
              offsetof(StringElement, callback) == 248 && offsetof(StringElement, text) == 252 &&
              offsetof(StringElement, workspace) == 256 && sizeof(StringElement) == 320);

static_assert(sizeof(SliderAxis) == 48 && offsetof(SliderAxis, callback) == 32 &&
              offsetof(SliderAxis, scale) == 40);
static_assert(offsetof(SliderElement, x) == 64 && offsetof(SliderElement, y) == 112 &&
              offsetof(SliderElement, workspace) == 160 && sizeof(SliderElement) == 224);

static_assert(offsetof(IconElement, source_var) == 64 && offsetof(IconElement, callback) == 96 &&
              offsetof(IconElement, switch_type) == 100 &&
              offsetof(IconElement, icon_count) == 104 && offsetof(IconElement, scale) == 112 &&
              offsetof(IconElement, offset) == 120 && offsetof(IconElement, workspace) == 124 &&
              sizeof(IconElement) == 192);

static_assert(sizeof(MovingImageAxis) == 56 && offsetof(MovingImageAxis, callback) == 32 &&
              offsetof(MovingImageAxis, minimum) == 40 && offsetof(MovingImageAxis, maximum) == 48);
static_assert(offsetof(MovingImageElement, x) == 64 && offsetof(MovingImageElement, y) == 120 &&
              offsetof(MovingImageElement, workspace) == 176 && sizeof(MovingImageElement) == 240);

static_assert(sizeof(SpriteChannel) == 48 && offsetof(SpriteChannel, callback) == 32 &&
              offsetof(SpriteChannel, scale) == 40);
static_assert(offsetof(SpriteElement, texture_scale_x) == 60 &&
              offsetof(SpriteElement, texture_scale_y) == 64 && offsetof(SpriteElement, x) == 72 &&
              offsetof(SpriteElement, y) == 120 && offsetof(SpriteElement, rotation) == 168 &&
              offsetof(SpriteElement, workspace) == 216 && sizeof(SpriteElement) == 280);

static_assert(sizeof(MouseRect) == 44 && offsetof(MouseRect, box) == 4 &&
              offsetof(MouseRect, cursor) == 20 && offsetof(MouseRect, help_id) == 24 &&
              offsetof(MouseRect, mouse_flags) == 28 && offsetof(MouseRect, event_id) == 32 &&
              offsetof(MouseRect, function) == 36 && offsetof(MouseRect, api_data) == 40);
static_assert(sizeof(ClickPoint) == 12 && offsetof(ClickPoint, gauge) == 8);
static_assert(sizeof(ImportEntry) == 8 && sizeof(ImportTableRecord) == 16);

static_assert(offsetof(GaugeHeader, name) == 4 && offsetof(GaugeHeader, element_list) == 8 &&
              offsetof(GaugeHeader, query_routine) == 12 &&
              offsetof(GaugeHeader, kill_routine) == 36 && offsetof(GaugeHeader, size_x_mm) == 40 &&
              offsetof(GaugeHeader, size_y_mm) == 44 && offsetof(GaugeHeader, x_adjust) == 48 &&
              offsetof(GaugeHeader, y_adjust) == 52 && offsetof(GaugeHeader, mouse_rect) == 56 &&
              offsetof(GaugeHeader, gauge_callback) == 60 &&
              offsetof(GaugeHeader, user_data) == 64 && offsetof(GaugeHeader, parameters) == 68 &&
              offsetof(GaugeHeader, usage) == 72 && offsetof(GaugeHeader, workspace) == 76 &&
              sizeof(GaugeHeader) == 140);
static_assert(offsetof(ModuleLinkageHead, module_init) == 4 &&
              offsetof(ModuleLinkageHead, version) == 20 &&
              offsetof(ModuleLinkageHead, gauges) == 24);
#endif

}  // namespace tavrel
