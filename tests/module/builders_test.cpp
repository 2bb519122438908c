// The builders close what they open: a failure list ends with system 0, a
// group closes its parent, a mouse list closes the outer parent and ends,
// and the host reads what they build as the sheet meant it.
#include <gtest/gtest.h>

#include "host/mouse.h"
#include "module/builders.h"

namespace tavrel {
namespace {
using namespace build;

int32_t TAVREL_STDCALL nothing(ClickPoint*, uint32_t) {
  return 0;
}

TEST(Builders, FailureListsEndWithTheEndRecord) {
  constexpr auto list = failures({20, 1}, {11, 0}, {6, 2});
  ASSERT_EQ(std::size(list.records), 4u);
  EXPECT_EQ(list.records[0].system, 20u);
  EXPECT_EQ(list.records[0].action, 1u);
  EXPECT_EQ(list.records[2].system, 6u);
  EXPECT_EQ(list.records[2].action, 2u);
  EXPECT_EQ(list.records[3].system, 0u);
}

TEST(Builders, TablesCountTheirEntries) {
  static NonlinearityEntry points[] = {entry(0, -10, 0.0), entry(10, 0, 90.0), entry(0, 10, 180)};
  TableRef ref = table(points);
  EXPECT_EQ(ref.entries, points);
  EXPECT_EQ(ref.count, 3);
}

// A knob in a group beside a plain click spot, as the sheets nest them.
constinit MouseList knob_and_button = mouse_list(
    outer_parent(100), help_record(12808),
    group(
        parent({10, 20, 40, 40}, 200),
        click(
            {.box = {0, 0, 20, 40}, .cursor = kCursorMinus, .flags = kClickRepeat, .event = 65001}),
        click({.box = {20, 0, 20, 40},
               .cursor = kCursorPlus,
               .flags = kClickRepeat,
               .event = 65002})),
    click({.box = {60, 0, 10, 10}, .function = nothing}));

TEST(Builders, MouseListsCloseEveryParentAndEnd) {
  const uint32_t expected[] = {kMouseParent, kMouseHelp,  kMouseParent, kMouseChild, kMouseChild,
                               kMouseClose,  kMouseChild, kMouseClose,  kMouseEnd};
  for (size_t i = 0; i < std::size(expected); ++i) {
    EXPECT_EQ(knob_and_button.records[i].type, expected[i]) << "record " << i;
  }
  host::MouseMap map(knob_and_button);
  EXPECT_TRUE(map.well_formed()) << map.error();
}

TEST(Builders, NestedBoxesLandWhereTheSheetPutsThem) {
  host::MouseMap map(knob_and_button);
  host::MouseHit left = map.hit(15, 30);
  ASSERT_NE(left.child, nullptr);
  EXPECT_EQ(left.child->record->event_id, 65001u);
  EXPECT_EQ(left.child->record->cursor, kCursorMinus);
  EXPECT_EQ(left.child->record->mouse_flags, 0x20200000u);
  host::MouseHit right = map.hit(49, 59);
  ASSERT_NE(right.child, nullptr);
  EXPECT_EQ(right.child->record->event_id, 65002u);
  EXPECT_EQ(map.tooltip_at(30, 30), 200u);
  host::MouseHit button = map.hit(65, 5);
  ASSERT_NE(button.child, nullptr);
  EXPECT_EQ(button.child->record->function, &nothing);
  EXPECT_EQ(button.child->record->cursor, kCursorHand);
  EXPECT_EQ(button.child->record->mouse_flags, 0x20000000u);
}

}  // namespace
}  // namespace tavrel
