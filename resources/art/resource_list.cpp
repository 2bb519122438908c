#include "resource_list.h"

#include <algorithm>

namespace tavrel::art {
namespace {

// An 8-bit paletted bitmap in French only.
constexpr BitmapEntry bmp(int id, int width, int height) {
  return {id, width, height, 8, false};
}

// A 24-bit bitmap in French only.
constexpr BitmapEntry deep(int id, int width, int height) {
  return {id, width, height, 24, false};
}

// An 8-bit bitmap with a French and a different English picture.
constexpr BitmapEntry bilingual(int id, int width, int height) {
  return {id, width, height, 8, true};
}

}  // namespace

const std::vector<BitmapEntry>& resource_list() {
  // Every bitmap the module carries, by id, with width x height in pixels.
  static const std::vector<BitmapEntry> list = {
      bmp(20, 30, 46),         bmp(30, 30, 46),
      bmp(31, 30, 46),         deep(40, 19, 19),
      bmp(50, 12, 12),         bmp(60, 19, 19),
      bmp(70, 200, 200),       bmp(80, 70, 4),
      bmp(90, 200, 200),       bmp(100, 200, 200),
      bmp(110, 162, 70),       bmp(120, 26, 38),
      bmp(130, 186, 60),       bmp(150, 200, 200),
      bmp(160, 340, 290),      bmp(170, 60, 129),
      bmp(180, 90, 139),       bmp(190, 83, 118),
      bmp(200, 70, 45),        bmp(210, 70, 45),
      bmp(211, 70, 45),        bmp(220, 250, 250),
      bmp(230, 130, 16),       bmp(240, 250, 250),
      bmp(250, 150, 25),       bmp(260, 280, 280),
      bmp(270, 176, 20),       bmp(280, 280, 280),
      bmp(290, 280, 280),      bmp(300, 120, 22),
      bmp(310, 280, 280),      bmp(320, 111, 111),
      bmp(330, 531, 82),       bmp(331, 111, 111),
      bmp(340, 280, 280),      bmp(350, 74, 14),
      bmp(360, 280, 280),      bmp(370, 280, 280),
      bmp(380, 176, 20),       bmp(390, 280, 280),
      bmp(400, 80, 80),        bmp(401, 35, 55),
      bmp(410, 280, 280),      bmp(420, 256, 256),
      bmp(421, 45, 44),        bmp(430, 256, 256),
      bmp(431, 45, 44),        bmp(440, 120, 30),
      bmp(450, 77, 34),        bmp(460, 177, 113),
      bmp(470, 280, 280),      bmp(480, 51, 51),
      bmp(490, 280, 280),      bmp(1000, 158, 90),
      bmp(1010, 13, 43),       bmp(1020, 280, 280),
      bmp(1030, 176, 20),      bmp(1040, 280, 280),
      bmp(1050, 250, 275),     bmp(1060, 190, 340),
      bmp(1061, 250, 250),     bmp(1070, 95, 10),
      bmp(1080, 128, 81),      bmp(1090, 250, 275),
      deep(1100, 150, 150),    bmp(1110, 90, 18),
      bmp(1120, 150, 150),     bilingual(1130, 200, 200),
      bmp(1140, 200, 200),     bmp(1150, 17, 264),
      bmp(1151, 17, 24),       bmp(1160, 17, 264),
      bmp(1161, 17, 24),       bmp(1170, 17, 264),
      bmp(1171, 17, 24),       bmp(1180, 99, 103),
      bmp(1190, 76, 69),       bmp(1191, 76, 69),
      bmp(1192, 76, 69),       bmp(1193, 76, 69),
      bmp(1200, 280, 280),     bmp(1210, 176, 20),
      bmp(1220, 75, 16),       bmp(1230, 280, 280),
      bmp(1240, 280, 280),     deep(1250, 142, 10),
      bmp(1260, 280, 280),     bmp(1270, 200, 200),
      bmp(1280, 70, 4),        bmp(1290, 200, 200),
      bmp(1300, 19, 19),       bmp(1310, 19, 19),
      bmp(1320, 19, 19),       bmp(1330, 19, 19),
      bmp(1340, 19, 19),       bmp(1350, 19, 19),
      bmp(1360, 19, 19),       bmp(1370, 15, 15),
      bmp(1380, 15, 15),       bmp(1400, 272, 272),
      bmp(1410, 230, 230),     bmp(1420, 210, 32),
      bmp(1430, 210, 12),      bmp(1440, 272, 272),
      bmp(2000, 128, 165),     bmp(2010, 638, 31),
      bmp(2011, 62, 31),       bmp(2020, 36, 36),
      bmp(2030, 286, 295),     bmp(2040, 256, 256),
      bmp(2041, 256, 256),     bmp(2050, 48, 48),
      bmp(2060, 286, 295),     bmp(2070, 25, 25),
      bmp(2080, 48, 48),       bmp(2090, 19, 19),
      bmp(2100, 19, 19),       bmp(2110, 73, 73),
      bmp(2120, 73, 73),       bmp(2121, 73, 73),
      bmp(2122, 73, 73),       bmp(2123, 73, 73),
      bmp(2130, 119, 59),      bmp(2140, 15, 15),
      bmp(2141, 15, 15),       bmp(2150, 58, 58),
      bmp(2160, 300, 300),     bmp(2170, 154, 4),
      bmp(2180, 154, 4),       bmp(2190, 29, 23),
      bmp(2191, 29, 23),       bmp(2200, 25, 6),
      bmp(2201, 25, 6),        bmp(2210, 256, 256),
      bmp(2211, 264, 264),     bmp(2220, 300, 300),
      bmp(2230, 300, 300),     bmp(2240, 62, 62),
      bmp(2250, 300, 300),     bmp(2260, 186, 22),
      bmp(2270, 260, 260),     bmp(2271, 260, 260),
      bmp(2280, 73, 73),       bilingual(2290, 73, 73),
      bilingual(2291, 73, 73), bilingual(2292, 73, 73),
      bilingual(2293, 73, 73), bmp(2300, 45, 100),
      bmp(2310, 20, 90),       bmp(2311, 20, 90),
  };
  return list;
}

const BitmapEntry* find_bitmap(int id) {
  const auto& list = resource_list();
  const auto it =
      std::lower_bound(list.begin(), list.end(), id,
                       [](const BitmapEntry& entry, int key) { return entry.id < key; });
  return it != list.end() && it->id == id ? &*it : nullptr;
}

}  // namespace tavrel::art
