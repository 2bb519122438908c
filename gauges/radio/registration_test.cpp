// The registration plate on the stand-in host: its text, font and colour
// from the parameter string.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "host/host.h"

namespace tavrel {
namespace {

constexpr uint32_t kWhite = 0xFFFFFF;

class RegistrationPlate : public ::testing::Test {
 protected:
  host::Host host{host::bind_module("", nullptr)};

  struct Plate {
    std::string text;
    uint32_t colour;  // 0x00BBGGRR
    std::string font;
    std::string parameters;  // as install left it
  };

  Plate place(const std::string& parameters) {
    host::GaugeInstance& g = host.place("Registration", parameters);
    host.update();
    const host::ElementState& state = g.elements().at(1);
    const auto* text = element_as<StringElement>(state.element);
    EXPECT_LT(std::strlen(text->font.face_name), sizeof text->font.face_name);
    return {state.text, text->foreground_color, text->font.face_name, g.parameters()};
  }
};

TEST_F(RegistrationPlate, WithoutAStringReadsN700MSInWhiteArial) {
  for (const char* nothing : {"", "t"}) {
    Plate plate = place(nothing);
    EXPECT_EQ(plate.colour, kWhite);
    EXPECT_EQ(plate.font, "Arial");
  }
  EXPECT_EQ(place("").text, "N700MS");
  EXPECT_EQ(place("t").text, "");  // a "t" with nothing after it: an empty plate
}

TEST_F(RegistrationPlate, TextWithoutABlankKeepsFontAndColour) {
  Plate plate = place("tN123AB");
  EXPECT_EQ(plate.text, "N123AB");
  EXPECT_EQ(plate.colour, kWhite);
  EXPECT_EQ(plate.font, "Arial");
}

TEST_F(RegistrationPlate, UnderscoresAreBlanksAndColourKeysFollowTheFirstBlank) {
  Plate plate = place("tN12_AB r0 g0 b255");
  EXPECT_EQ(plate.text, "N12 AB");
  EXPECT_EQ(plate.colour, 0xFF0000u);
  EXPECT_EQ(place("tN1 g128").colour, 0xFF80FFu);  // missing keys keep their part
}

TEST_F(RegistrationPlate, ColourNumbersPast255OrBelow0AreFull) {
  EXPECT_EQ(place("tN1 r300 g0 b0").colour, 0x0000FFu);
  EXPECT_EQ(place("tN1 r0 g-5 b0").colour, 0x00FF00u);
  EXPECT_EQ(place("tN1 r0 g0 b99999999999999").colour, 0xFF0000u);
  EXPECT_EQ(place("tN1 r0 g0 bX").colour, 0u);  // no digits: 0
}

TEST_F(RegistrationPlate, FontKeyTakesTheRestOfTheStringAndEndsIt) {
  Plate plate = place("tF-GTAV fCourier New r0");
  EXPECT_EQ(plate.font, "Courier New r0");
  EXPECT_EQ(plate.colour, kWhite);  // the string ended at "f" before the colours
  EXPECT_EQ(plate.parameters, "tF-GTAV ");
  EXPECT_EQ(plate.text, "F-GTAV");

  Plate after = place("tF-GTAV r0 g0 fDejaVu Sans");
  EXPECT_EQ(after.font, "DejaVu Sans");
  EXPECT_EQ(after.colour, 0xFF0000u);  // "b" of the font name is no colour key
}

TEST_F(RegistrationPlate, AStringNotStartingWithTShowsN700MS) {
  for (const char* other : {" tN123", "xtN123", "N1t", "T123", "# tN1"}) {
    EXPECT_EQ(place(other).text, "N700MS") << other;
  }
}

TEST_F(RegistrationPlate, ACommentCharacterBeforeTheFirstBlankKeepsTheTextWhole) {
  // The blank is hidden, so neither the text is cut there nor are the
  // colours read; the plate holds its seven characters.
  Plate plate = place("tN/A r0 g0");
  EXPECT_EQ(plate.text, "N/A r0 ");
  EXPECT_EQ(plate.colour, kWhite);
  // Underscores after a comment character stay.
  EXPECT_EQ(place("tA#_B_C").text, "A#_B_C");
  EXPECT_EQ(place("tA_B#_C").text, "A B#_C");
}

TEST_F(RegistrationPlate, LongTextsAndFontNamesAreCutToTheirFields) {
  // The plate holds 7 characters, the face name 31 and a zero.
  EXPECT_EQ(place("tN12345678").text, "N123456");
  std::string long_text = "t" + std::string(300, 'X');
  EXPECT_EQ(place(long_text).text, "XXXXXXX");
  std::string font(100, 'F');
  Plate plate = place("tN1 r1 g2 b3 f" + font);
  EXPECT_EQ(plate.font, std::string(31, 'F'));
  EXPECT_EQ(plate.colour, 0x030201u);
  Plate both = place("t" + std::string(150, 'Y') + " f" + std::string(150, 'Z'));
  EXPECT_EQ(both.text, "YYYYYYY");
  EXPECT_EQ(both.font, std::string(31, 'Z'));
}

TEST_F(RegistrationPlate, TextIsRebuiltOnEveryUpdateFromTheShortenedString) {
  host::GaugeInstance& g = host.place("Registration", "tN_1 fArial r0");
  for (int frame = 0; frame < 3; ++frame) {
    host.update();
    EXPECT_EQ(g.elements().at(1).text, "N 1");
  }
}

TEST_F(RegistrationPlate, InstallChangesOnlyItsOwnInstance) {
  Plate gold = place("tN1 r255 g200 b0 fDejaVu Sans");
  Plate plain = place("");
  EXPECT_EQ(gold.colour, 0x00C8FFu);
  EXPECT_EQ(plain.colour, kWhite);
  EXPECT_EQ(plain.font, "Arial");
}

}  // namespace
}  // namespace tavrel
