// The shared walk over element trees: the host's order, early stops, finding
// an element by bitmap, and damaged trees that must not run away.
#include "module/element_walk.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace tavrel {
namespace {

ElementHeader element(int32_t bitmap, ElementHeader** children = nullptr,
                      int32_t type = kStaticImage) {
  ElementHeader e{};
  e.element_type = type;
  e.resource_id = bitmap;
  e.next_element = children;
  return e;
}

// 10 ─┬─ 20 ─┬─ 21
//     │      └─ 22
//     ├─ 30 ── 21 (a needle sharing 21's bitmap)
//     └─ 40
struct Tree {
  ElementHeader e21 = element(21), e22 = element(22), e31 = element(21, nullptr, kNeedle);
  ElementHeader* under20[3] = {&e21, &e22, nullptr};
  ElementHeader* under30[2] = {&e31, nullptr};
  ElementHeader e20 = element(20, under20), e30 = element(30, under30), e40 = element(40);
  ElementHeader* under10[4] = {&e20, &e30, &e40, nullptr};
  ElementHeader root = element(10, under10);
  ElementHeader* list[1] = {&root};
  GaugeHeader gauge{};
  Tree() { gauge.element_list = list; }
};

TEST(ElementWalk, VisitsParentsBeforeChildrenInListOrderWithTheirDepth) {
  Tree t;
  std::vector<std::pair<int, int>> seen;
  for_each_element(
      t.gauge, [&](const ElementHeader& e, int depth) { seen.emplace_back(e.resource_id, depth); });
  const std::vector<std::pair<int, int>> want = {{10, 0}, {20, 1}, {21, 2}, {22, 2},
                                                 {30, 1}, {21, 2}, {40, 1}};
  EXPECT_EQ(seen, want);
}

TEST(ElementWalk, AVisitorReturningFalseStopsTheWholeWalk) {
  Tree t;
  std::vector<int> seen;
  for_each_element(t.gauge, [&](const ElementHeader& e, int) {
    seen.push_back(e.resource_id);
    return e.resource_id != 22;  // stop inside the first subtree
  });
  EXPECT_EQ(seen, (std::vector<int>{10, 20, 21, 22}));
}

TEST(ElementWalk, FindsTheFirstElementOfABitmapInTreeOrder) {
  Tree t;
  EXPECT_EQ(find_element(t.gauge, 21), &t.e21);  // not the needle under 30
  EXPECT_EQ(find_element(t.gauge, 40), &t.e40);
  EXPECT_EQ(find_element(t.gauge, 10), &t.root);
  EXPECT_EQ(find_element(t.gauge, 99), nullptr);
  GaugeHeader empty{};
  EXPECT_EQ(find_element(empty, 10), nullptr);
}

TEST(ElementWalk, ACycleInTheRecordsEndsWithinTheBounds) {
  // Two children that both lead back to the root: unbounded, this would
  // never end.
  ElementHeader* loop[3] = {nullptr, nullptr, nullptr};
  ElementHeader root = element(1, loop);
  loop[0] = &root;
  loop[1] = &root;
  int visits = 0, deepest = 0;
  for_each_element(&root, [&](const ElementHeader&, int depth) {
    ++visits;
    deepest = std::max(deepest, depth);
  });
  EXPECT_EQ(visits, kMaxWalkElements);
  EXPECT_LE(deepest, kMaxWalkDepth);
}

}  // namespace
}  // namespace tavrel
