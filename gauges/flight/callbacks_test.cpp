// The flight instruments' value callbacks called directly, for the values
// the host rounds away when it draws (native only: they are not exported).
#include <gtest/gtest.h>

#include "gauges/flight/altimeter.h"
#include "module/records.h"

namespace tavrel {

namespace gauges {
double TAVREL_STDCALL attitude_pitch_cb(ElementHeader* element);
double TAVREL_STDCALL turn_ball_height_cb(ElementHeader* element);
double TAVREL_STDCALL turn_rate_cb(ElementHeader* element);
}  // namespace gauges

namespace {

TEST(FlightCallbacks, PitchAtTheLimitsIsKeptAsItIs) {
  SpriteElement card{};
  card.header.element_type = kSprite;
  for (double pitch : {40.0, -40.0, 39.5, 0.0}) {
    card.y.source_var.var_value.number = pitch;
    EXPECT_EQ(gauges::attitude_pitch_cb(&card.header), pitch);
  }
}

TEST(FlightCallbacks, BallHeightIsTheSquareOfItsDeflection) {
  SliderElement ball{};
  ball.header.element_type = kSlider;
  ball.y.source_var.var_value.number = -64.0;
  // 1.25 pixels up once the host applies the scale.
  EXPECT_DOUBLE_EQ(gauges::turn_ball_height_cb(&ball.header) * -0.00030517578125, -1.25);
  ball.y.source_var.var_value.number = 127.0;
  EXPECT_NEAR(gauges::turn_ball_height_cb(&ball.header) * -0.00030517578125, -4.92, 0.005);
}

TEST(FlightCallbacks, TurnRateIsScaledDownBy256) {
  NeedleElement pointer{};
  pointer.header.element_type = kNeedle;
  pointer.source_var.var_value.number = 576.0;
  EXPECT_DOUBLE_EQ(gauges::turn_rate_cb(&pointer.header), 2.25);
}

#ifndef NDEBUG
// A callback bound to an element of another type is a fault of the gauge's
// records: the checked cast stops a debug build there (the release module
// carries no check).
TEST(FlightCallbacks, AnElementOfAnotherTypeStopsADebugBuild) {
  SliderElement not_a_card{};
  not_a_card.header.element_type = kSlider;
  EXPECT_DEATH(gauges::attitude_pitch_cb(&not_a_card.header), "another type");
}
#endif

}  // namespace
}  // namespace tavrel
