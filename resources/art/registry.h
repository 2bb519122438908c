// Which routine draws which bitmap. Each gauge family keeps its drawers in its
// own file (switches.cpp, ...) and adds them in one function named in
// families.h; the registry holds them all, by bitmap id.
#ifndef TAVREL_RESOURCES_ART_REGISTRY_H
#define TAVREL_RESOURCES_ART_REGISTRY_H

#include <functional>
#include <vector>

#include "kit.h"
#include "resource_list.h"

namespace tavrel::art {

// Draws one bitmap in the given language on its canvas, which the registry
// makes at the size and depth of the resource list. A drawer of a bitmap
// with an English version is called once for each language.
using DrawFn = std::function<void(Canvas&, Lang)>;

struct Drawer {
  int id = 0;
  DrawFn draw;
};

class Registry {
 public:
  // Throws std::logic_error when the id already has a drawer.
  void add(int id, DrawFn draw);

  // nullptr when the id has no drawer yet.
  const Drawer* find(int id) const;

  // Every drawer, in ascending id order.
  const std::vector<Drawer>& drawers() const { return drawers_; }

 private:
  std::vector<Drawer> drawers_;
};

// A blank canvas of the bitmap's size and depth from the resource list.
// Throws std::runtime_error when the list has no such bitmap.
Canvas canvas_for(int id);

// The drawer's picture on a canvas of its bitmap's listed size and depth.
Canvas draw_picture(const Drawer& drawer, Lang lang);

// The drawers of every gauge family.
const Registry& all_drawers();

// The finished picture of another bitmap, for drawers that build on one (a
// mask cut from the face it lies on). Throws std::runtime_error when the
// bitmap has no drawer.
Canvas picture_of(int id, Lang lang);

}  // namespace tavrel::art

#endif  // TAVREL_RESOURCES_ART_REGISTRY_H
