// Registration plate: the aircraft's registration mark as one line of text
// on a wholly black (transparent) plate. The parameter string chooses the
// text, its colour and its font:
//
//   tN123AB r255 g200 b0 fArial Black
//
// "t" at the very start and the registration up to the first blank
// (underscores stand for blanks); after that blank the colour keys "r", "g",
// "b" (0..255) and last "f" with a font name to the end of the string.
// Without a string the plate reads N700MS in white Arial.
#include <cstring>

#include "module/builders.h"
#include "module/catalogue.h"
#include "module/elements.h"
#include "module/gauge_table.h"
#include "params/params.h"

namespace tavrel::gauges {
namespace {
using namespace build;

extern StaticImageElement plate;
extern StringElement plate_text;
extern MouseList mouse;

void TAVREL_STDCALL registration_gauge_cb(GaugeHeader* gauge, uint32_t service, uintptr_t extra);
double TAVREL_STDCALL registration_text_cb(ElementHeader* element);

constexpr const char* kDefaultRegistration = "N700MS";

}  // namespace

constinit GaugeHeader registration = gauge_header({.name = parameter_gauge::kRegistration,
                                                   .size_x_mm = 150,
                                                   .root = root<plate>,
                                                   .mouse = mouse,
                                                   .callback = registration_gauge_cb});

namespace {

// The plate: 150 x 25, black throughout, so only the text shows.
constinit StaticImageElement plate =
    static_image(registration, {.bitmap = 250, .children = children<plate_text>});
// One line, centred in the box; install may change the font and colour.
constinit StringElement plate_text =
    string_element(registration, {.position = {0, 0}, .flags = kOrdinaryImage},
                   {.box = {150, 25},
                    .foreground = 0xFFFFFF,
                    .background = 0x000000,
                    .highlight = 0x5C5C5C,
                    .font = "Arial",
                    .weight = 400,
                    .char_set = 1,
                    .text_flags = kTextCenter | kTextVCenter | kTextSingleLine,  // 0x25
                    .char_count = 7,
                    .callback = registration_text_cb});

// --- Install: font and colour ------------------------------------------------

// A colour key's number, or `current` when the key is absent. Read as an
// unsigned number, so anything past 255, negatives too, is full intensity.
uint32_t colour_component(const char* text, const char* key, uint32_t current) {
  const char* at = params::find_key(text, key);
  if (at == nullptr) return current;
  uint32_t n = static_cast<uint32_t>(params::read_decimal(at + 1));
  return n > 255 ? 255 : n;
}

void registration_install(GaugeHeader* gauge) {
  if (gauge == nullptr || gauge->parameters == nullptr || gauge->parameters[0] == '\0') return;
  ElementHeader* root = gauge->element_list != nullptr ? gauge->element_list[0] : nullptr;
  if (root == nullptr || root->next_element == nullptr) return;
  ElementHeader* first_child = root->next_element[0];
  if (first_child == nullptr || first_child->element_type != kString) return;
  auto* text = element_as<StringElement>(first_child);

  // Everything after the registration: colour keys, then the font.
  const char* blank = params::find_key(gauge->parameters, " ");
  if (blank == nullptr) return;
  char* rest = gauge->parameters + (blank - gauge->parameters) + 1;

  // The font runs to the end of the string; cut to the 31 characters the
  // face name holds. Ending the string at the "f" keeps the font's letters
  // from reading as colour keys.
  if (const char* font = params::find_key(rest, "f")) {
    char* face = text->font.face_name;
    size_t length = std::strlen(font + 1);
    if (length > sizeof text->font.face_name - 1) length = sizeof text->font.face_name - 1;
    std::memcpy(face, font + 1, length);
    face[length] = '\0';
    rest[font - rest] = '\0';
  }

  uint32_t colour = text->foreground_color;  // 0x00BBGGRR
  uint32_t red = colour_component(rest, "r", colour & 0xFF);
  uint32_t green = colour_component(rest, "g", (colour >> 8) & 0xFF);
  uint32_t blue = colour_component(rest, "b", (colour >> 16) & 0xFF);
  text->foreground_color = blue * 65536 + green * 256 + red;
}

void TAVREL_STDCALL registration_gauge_cb(GaugeHeader* gauge, uint32_t service, uintptr_t) {
  if (service == kServiceInstall) registration_install(gauge);
}

// --- The plate text, on every update -------------------------------------------

double TAVREL_STDCALL registration_text_cb(ElementHeader* element) {
  auto* text = element_as<StringElement>(element);
  if (text->text != nullptr) {
    // The host's buffer holds char_count characters and a zero; a longer
    // registration is cut there.
    size_t room = text->char_count > 0 ? static_cast<size_t>(text->char_count) : 0;
    const char* parameters = element->gauge != nullptr ? element->gauge->parameters : nullptr;
    const char* source = kDefaultRegistration;
    if (parameters != nullptr && params::find_key(parameters, "t") == parameters) {
      source = parameters + 1;
    }
    size_t length = 0;
    while (length < room && source[length] != '\0') ++length;
    std::memcpy(text->text, source, length);
    text->text[length] = '\0';

    // The registration ends at its first blank, unless a comment character
    // comes first; underscores before any comment character are blanks.
    if (char* blank = const_cast<char*>(params::find_key(text->text, " "))) *blank = '\0';
    while (char* underscore = const_cast<char*>(params::find_key(text->text, "_"))) {
      *underscore = ' ';
    }
  }
  return text->source_vars[0].var_value.number;
}

constinit MouseList mouse = mouse_list(outer_parent(0));

}  // namespace
}  // namespace tavrel::gauges
