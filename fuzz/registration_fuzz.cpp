// The registration plate copies its text and font name out of the parameter
// string into the host's fields: whatever the string, the text stays within
// the element's buffer and the face name within its 32 bytes.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "host/host.h"

namespace {

tavrel::host::Host& shared_host() {
  static tavrel::host::Host host{tavrel::host::bind_module("", nullptr)};
  return host;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tavrel::host::Host& host = shared_host();
  std::string_view parameters(reinterpret_cast<const char*>(data), size);
  tavrel::host::GaugeInstance& plate = host.place("Registration", parameters);
  host.update();
  host.update();
  const tavrel::host::ElementState& text = plate.elements().at(1);
  const auto* element = tavrel::element_as<tavrel::StringElement>(text.element);
  if (text.text.size() > 7) __builtin_trap();
  if (std::memchr(element->font.face_name, '\0', sizeof element->font.face_name) == nullptr) {
    __builtin_trap();
  }
  if (element->foreground_color > 0xFFFFFF) __builtin_trap();
  host.remove(plate);
  return 0;
}
