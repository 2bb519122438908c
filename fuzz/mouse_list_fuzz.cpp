// Mouse lists are read out of a module: a damaged list must be reported,
// never followed out of bounds, and hit-testing it must stay inside it.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "host/mouse.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  constexpr size_t kRecordBytes = 40;  // every word of a record but its function
  if (size < 8) return 0;
  int32_t probe[2];
  std::memcpy(probe, data, sizeof probe);
  data += 8;
  size -= 8;
  std::vector<tavrel::MouseRect> records(size / kRecordBytes);
  for (size_t i = 0; i < records.size(); ++i) {
    const uint8_t* r = data + i * kRecordBytes;
    tavrel::MouseRect& rect = records[i];
    std::memcpy(&rect.type, r, 4);
    rect.type %= 6;
    std::memcpy(&rect.box, r + 4, 16);
    std::memcpy(&rect.cursor, r + 20, 4);
    std::memcpy(&rect.help_id, r + 24, 4);
    std::memcpy(&rect.mouse_flags, r + 28, 4);
    std::memcpy(&rect.event_id, r + 32, 4);
    std::memcpy(&rect.api_data, r + 36, 4);
    rect.function = nullptr;
  }
  if (records.empty()) return 0;
  tavrel::host::MouseMap map(records.data(), static_cast<int>(records.size()));
  tavrel::host::MouseHit hit = map.hit(probe[0], probe[1]);
  if (hit.child != nullptr && (hit.child->record < records.data() ||
                               hit.child->record >= records.data() + records.size())) {
    __builtin_trap();
  }
  (void)map.tooltip_at(probe[0], probe[1]);
  // Again with the gauge's size known (any size, the records' own words):
  // a point off the gauge is on nothing.
  map.set_gauge_size(records[0].box.width, records[0].box.height);
  hit = map.hit(probe[0], probe[1]);
  if ((hit.child != nullptr || map.tooltip_at(probe[0], probe[1]) != 0) &&
      !map.on_gauge(probe[0], probe[1])) {
    __builtin_trap();
  }
  return 0;
}
