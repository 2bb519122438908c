#include "host/mouse.h"

#include <gtest/gtest.h>

#include "module/builders.h"

namespace tavrel::host {
namespace {
using namespace build;

int32_t TAVREL_STDCALL no_op(ClickPoint*, uint32_t) {
  return 0;
}

// A knob gauge: two nested parents with relative children, a help record.
MouseRect knob_list[] = {
    outer_parent(100),
    help_record(12808),
    parent({200, 240, 40, 40}, 200),
    click({.box = {0, 0, 20, 40}, .cursor = kCursorMinus, .flags = kClickRepeat, .event = 1001}),
    click({.box = {20, 0, 20, 40}, .cursor = kCursorPlus, .flags = kClickRepeat, .event = 1002}),
    close_parent(),
    parent({10, 240, 40, 40}, 300),
    parent({10, 10, 20, 20}, 301),  // a parent inside a parent
    click({.box = {5, 5, 10, 10}, .cursor = kCursorHand, .flags = kClickDrag, .function = no_op}),
    close_parent(),
    close_parent(),
    click({.box = {0, 0, 50, 50}, .cursor = kCursorHand, .flags = kClick, .event = 1003}),
    close_parent(),
    end_of_list(),
};

TEST(MouseMap, ReadsNestedParentsWithRelativeBoxes) {
  MouseMap map(knob_list);
  ASSERT_TRUE(map.well_formed()) << map.error();
  MouseHit left = map.hit(205, 250);
  ASSERT_NE(left.child, nullptr);
  EXPECT_EQ(left.child->record->event_id, 1001u);
  EXPECT_EQ(left.x, 5);
  EXPECT_EQ(left.y, 10);
  MouseHit right = map.hit(239, 279);
  ASSERT_NE(right.child, nullptr);
  EXPECT_EQ(right.child->record->event_id, 1002u);
  EXPECT_EQ(right.x, 19);
  EXPECT_EQ(right.y, 39);
  // The doubly nested child sits at 10 + 10 + 5 = 25, 240 + 10 + 5 = 255.
  MouseHit inner = map.hit(26, 256);
  ASSERT_NE(inner.child, nullptr);
  EXPECT_EQ(inner.child->record->mouse_flags, kClickDrag);
  EXPECT_EQ(inner.x, 1);
  EXPECT_EQ(inner.y, 1);
  EXPECT_EQ(inner.child->depth, 3);
}

TEST(MouseMap, FirstChildInListOrderWinsAndBoxesAreHalfOpen) {
  MouseMap map(knob_list);
  // (30, 30) is only inside the last child; (240, 250) is just past the knob.
  ASSERT_NE(map.hit(30, 30).child, nullptr);
  EXPECT_EQ(map.hit(30, 30).child->record->event_id, 1003u);
  EXPECT_EQ(map.hit(240, 250).child, nullptr);
  EXPECT_EQ(map.hit(199, 250).child, nullptr);
  // Right on the edge between the two halves: the right half's origin.
  EXPECT_EQ(map.hit(220, 250).child->record->event_id, 1002u);
}

TEST(MouseMap, TooltipIsTheInnermostParentHoldingThePoint) {
  MouseMap map(knob_list);
  EXPECT_EQ(map.tooltip_at(0, 0), 100u);  // outer parent: the whole gauge
  EXPECT_EQ(map.tooltip_at(5000, 5000), 100u);
  EXPECT_EQ(map.tooltip_at(210, 250), 200u);
  EXPECT_EQ(map.tooltip_at(12, 245), 300u);
  EXPECT_EQ(map.tooltip_at(25, 255), 301u);
  // The help record neither clicks nor changes the tooltip.
  EXPECT_EQ(map.hit(100, 100).child, nullptr);
}

TEST(MouseMap, KeepsTheHelpRecordAndTheRepeatAndDragFlags) {
  MouseMap map(knob_list);
  int help = 0, repeat = 0, drag = 0;
  for (const MouseArea& area : map.areas()) {
    if (area.record->type == kMouseHelp) {
      ++help;
      EXPECT_EQ(area.record->help_id, 12808u);
      EXPECT_TRUE(area.whole_gauge);
    }
    if (area.record->mouse_flags & kMouseRepeatWhileHeld) ++repeat;
    if (area.record->mouse_flags & kMouseDrag) ++drag;
  }
  EXPECT_EQ(help, 1);
  EXPECT_EQ(repeat, 2);
  EXPECT_EQ(drag, 1);
}

TEST(MouseMap, ReportsListsThatDoNotCloseAndEndProperly) {
  MouseRect no_close[] = {outer_parent(1),
                          click({.box = {0, 0, 5, 5}, .cursor = 5, .flags = kClick, .event = 9}),
                          end_of_list()};
  EXPECT_FALSE(MouseMap(no_close).well_formed());

  MouseRect stray_close[] = {outer_parent(1), close_parent(), close_parent(), end_of_list()};
  EXPECT_FALSE(MouseMap(stray_close).well_formed());

  MouseRect no_end[] = {outer_parent(1), close_parent(), outer_parent(2)};
  EXPECT_FALSE(MouseMap(no_end, 3).well_formed());

  MouseRect child_first[] = {click({.box = {0, 0, 5, 5}, .cursor = 5, .flags = kClick, .event = 9}),
                             end_of_list()};
  EXPECT_FALSE(MouseMap(child_first).well_formed());

  EXPECT_FALSE(MouseMap(nullptr).well_formed());

  MouseRect minimal[] = {outer_parent(0), close_parent(), end_of_list()};
  MouseMap ok(minimal);
  EXPECT_TRUE(ok.well_formed()) << ok.error();
  EXPECT_EQ(ok.tooltip_at(3, 3), 0u);
  EXPECT_EQ(ok.hit(3, 3).child, nullptr);
}

TEST(MouseMap, BoxesAtTheEdgesOfTheIntegerRangeDoNotOverflow) {
  // Damaged module data: a parent far out with a child that reaches past the
  // largest coordinate.
  MouseRect far_out[] = {
      outer_parent(1),
      parent({INT32_MAX - 10, INT32_MIN + 5, 100, 100}, 2),
      click({.box = {20, -20, INT32_MAX, INT32_MAX},
             .cursor = kCursorHand,
             .flags = kClick,
             .event = 7}),
      close_parent(),
      close_parent(),
      end_of_list(),
  };
  MouseMap map(far_out);
  EXPECT_TRUE(map.well_formed()) << map.error();
  EXPECT_EQ(map.hit(0, 0).child, nullptr);
  MouseHit hit = map.hit(INT32_MAX - 1, INT32_MIN + 6);
  EXPECT_EQ(hit.child, nullptr);  // outside the child, which starts at the largest x
  EXPECT_EQ(map.tooltip_at(INT32_MAX - 1, INT32_MIN + 6), 2u);
}

}  // namespace
}  // namespace tavrel::host
