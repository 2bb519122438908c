// Facts about the seven element types, in one place: which record each type
// has and its size, the type's name, the source variables an element names
// and how many channel values it draws from; and a checked cast from an
// element's header to its record. The stand-in host, the state report,
// hosttrace, the tests and the module's callbacks all read elements through
// these (module/element_walk.h walks the trees). Header-only: the module
// carries only the checked casts its callbacks use.
#pragma once

#include <cassert>
#include <cstddef>
#include <type_traits>

#include "module/records.h"

namespace tavrel {

// The element type of each record.
template <typename Record>
constexpr ElementType record_type() {
  if constexpr (std::is_same_v<Record, NeedleElement>) return kNeedle;
  if constexpr (std::is_same_v<Record, StringElement>) return kString;
  if constexpr (std::is_same_v<Record, SliderElement>) return kSlider;
  if constexpr (std::is_same_v<Record, IconElement>) return kIcon;
  if constexpr (std::is_same_v<Record, MovingImageElement>) return kMovingImage;
  if constexpr (std::is_same_v<Record, SpriteElement>) return kSprite;
  static_assert(
      std::is_same_v<Record, StaticImageElement> || std::is_same_v<Record, NeedleElement> ||
          std::is_same_v<Record, StringElement> || std::is_same_v<Record, SliderElement> ||
          std::is_same_v<Record, IconElement> || std::is_same_v<Record, MovingImageElement> ||
          std::is_same_v<Record, SpriteElement>,
      "one of the seven element records");
  return kStaticImage;
}

// The record behind an element's header, which must be of the record's
// type: a callback bound to an element of another type is a fault of the
// gauge's records. Debug builds (the sanitizer build, in which every test
// runs) check it and stop there; the release module carries no check, so a
// callback costs what it did with a plain cast. Readers of elements of any
// type switch on the type first.
template <typename Record>
Record* element_as(ElementHeader* element) {
  using Plain = std::remove_const_t<Record>;
  static_assert(std::is_standard_layout_v<Plain> && offsetof(Plain, header) == 0,
                "an element record begins with its header");
  assert(element != nullptr && element->element_type == record_type<Plain>() &&
         "an element of another type");
  return reinterpret_cast<Record*>(element);
}
template <typename Record>
const Record* element_as(const ElementHeader* element) {
  return element_as<const Record>(const_cast<ElementHeader*>(element));
}

// The size of an element's record; an unknown type counts as the smallest
// record, a static image.
constexpr size_t record_size(int32_t type) {
  switch (type) {
    case kNeedle:
      return sizeof(NeedleElement);
    case kString:
      return sizeof(StringElement);
    case kSlider:
      return sizeof(SliderElement);
    case kIcon:
      return sizeof(IconElement);
    case kMovingImage:
      return sizeof(MovingImageElement);
    case kSprite:
      return sizeof(SpriteElement);
    default:
      return sizeof(StaticImageElement);
  }
}

// The name the state report and hosttrace print: static, needle, string,
// slider, icon, moving, sprite (unknown for anything else).
constexpr const char* element_type_name(int32_t type) {
  switch (type) {
    case kStaticImage:
      return "static";
    case kNeedle:
      return "needle";
    case kString:
      return "string";
    case kSlider:
      return "slider";
    case kIcon:
      return "icon";
    case kMovingImage:
      return "moving";
    case kSprite:
      return "sprite";
    default:
      return "unknown";
  }
}

// How many channel values an element draws from, each with its own source
// variable and callback: needles and icons one; sliders and moving images
// x, y; sprites x, y, rotation. A string's variables feed its text callback
// and draw no value; a static image has none.
constexpr int channel_count(int32_t type) {
  switch (type) {
    case kNeedle:
    case kIcon:
      return 1;
    case kSlider:
    case kMovingImage:
      return 2;
    case kSprite:
      return 3;
    default:
      return 0;
  }
}

// The source variables an element names, in record order, each with the
// value callback of its channel (a string's one callback stands with its
// first variable).
template <typename Var>
struct SourceVars {
  Var* vars[3] = {nullptr, nullptr, nullptr};
  ElementCallback callbacks[3] = {nullptr, nullptr, nullptr};
  int count = 0;
};

template <typename Header>
auto source_vars(Header& element) {
  using Var = std::conditional_t<std::is_const_v<Header>, const ModuleVar, ModuleVar>;
  SourceVars<Var> out;
  auto add = [&](Var& var, ElementCallback callback) {
    out.vars[out.count] = &var;
    out.callbacks[out.count] = callback;
    ++out.count;
  };
  Header* e = &element;
  switch (e->element_type) {
    case kNeedle: {
      auto* needle = element_as<NeedleElement>(e);
      add(needle->source_var, needle->callback);
      break;
    }
    case kString: {
      auto* text = element_as<StringElement>(e);
      for (int i = 0; i < 3; ++i) add(text->source_vars[i], i == 0 ? text->callback : nullptr);
      break;
    }
    case kSlider: {
      auto* slider = element_as<SliderElement>(e);
      add(slider->x.source_var, slider->x.callback);
      add(slider->y.source_var, slider->y.callback);
      break;
    }
    case kIcon: {
      auto* icon = element_as<IconElement>(e);
      add(icon->source_var, icon->callback);
      break;
    }
    case kMovingImage: {
      auto* moving = element_as<MovingImageElement>(e);
      add(moving->x.source_var, moving->x.callback);
      add(moving->y.source_var, moving->y.callback);
      break;
    }
    case kSprite: {
      auto* sprite = element_as<SpriteElement>(e);
      add(sprite->x.source_var, sprite->x.callback);
      add(sprite->y.source_var, sprite->y.callback);
      add(sprite->rotation.source_var, sprite->rotation.callback);
      break;
    }
    default:
      break;
  }
  return out;
}

}  // namespace tavrel
