// The module's bitmaps: every id with its size, colour depth and languages.
// The art program checks each picture it draws against this list.
#ifndef TAVREL_RESOURCES_ART_RESOURCE_LIST_H
#define TAVREL_RESOURCES_ART_RESOURCE_LIST_H

#include <vector>

namespace tavrel::art {

// Windows language ids of the two picture versions.
enum class Lang { kFrench = 1036, kEnglish = 1033 };

struct BitmapEntry {
  int id;
  int width;
  int height;
  int bits_per_pixel;  // 8 (paletted) or 24
  bool has_english;    // a second, different picture under language 1033
};

// All 150 bitmaps, in ascending id order.
const std::vector<BitmapEntry>& resource_list();

// The entry for a bitmap id, or nullptr when the module has no such bitmap.
const BitmapEntry* find_bitmap(int id);

}  // namespace tavrel::art

#endif  // TAVREL_RESOURCES_ART_RESOURCE_LIST_H
