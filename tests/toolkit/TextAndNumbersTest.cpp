#include <gtest/gtest.h>

#include "toolkit/NumberFormat.h"
#include "toolkit/Rounding.h"
#include "toolkit/Text.h"

using namespace toolkit;

TEST(Cp1252, UmlautsAndSymbolsAreSingleBytes) {
  EXPECT_EQ(Ansi("Dateigrößenfehler"), "Dateigr\xF6\xDF" "enfehler");
  EXPECT_EQ(Ansi("°€"), "\xB0\x80");
  EXPECT_EQ(Cp1252ToUtf8("\xF6\xB0\x80"), "ö°€");
}

TEST(Cp1252, EveryByteSurvivesTheRoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

TEST(Cp1252, UnmappableAndMalformedBecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToCp1252("a\xE4\xB8\xAD" "b"), "a?b");  // a CJK character
  EXPECT_EQ(Utf8ToCp1252("\xC3"), "?");                 // cut sequence
  EXPECT_EQ(Utf8ToCp1252("\xFF" "x"), "?x");
}

TEST(Cp1252, UpperAsciiLeavesUmlautsAlone) {
  EXPECT_EQ(UpperAscii(Ansi("teil_ä.bmp")), Ansi("TEIL_ä.BMP"));
  EXPECT_TRUE(EqualsIgnoreCaseAscii("Bild.PCX", "bild.pcx"));
  EXPECT_FALSE(EqualsIgnoreCaseAscii("Bild.PCX", "bild.pc"));
}

TEST(Cp1252, TrimCutsOnlyTheGivenBlanksAtBothEnds) {
  EXPECT_EQ(Trim(" \t a b \t "), "a b");
  EXPECT_EQ(Trim(" \t "), "");
  EXPECT_EQ(Trim("\tx ", " "), "\tx");
}

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundToInt32(0.5), 0);
  EXPECT_EQ(RoundToInt32(1.5), 2);
  EXPECT_EQ(RoundToInt32(2.5), 2);
  EXPECT_EQ(RoundToInt32(-2.5), -2);
  EXPECT_EQ(RoundToInt32(36.5), 36);
  EXPECT_EQ(RoundToInt32(37.5), 38);
  EXPECT_EQ(RoundToInt32(1e12), 2147483647);
  EXPECT_EQ(RoundToInt32(-1e12), -2147483647 - 1);
  EXPECT_EQ(RoundToInt32(std::nan("")), 0);
}

TEST(NumberFormat, FixedNotationWithEitherSeparator) {
  EXPECT_EQ(FormatFixed(-12.5, 3), "-12.500");
  EXPECT_EQ(FormatFixed(10.0, 3, ','), "10,000");
  EXPECT_EQ(FormatFixed(-0.0, 3), "0.000");
  EXPECT_EQ(FormatFixed(-1e-9, 3), "0.000");
  EXPECT_EQ(FormatFixed(0.0625, 3), "0.062");  // exact binary tie goes to even
  EXPECT_EQ(FormatFixed(2.5, 0), "2");
  EXPECT_EQ(FormatFixed(1.0 / 0.0, 3), "INF");
}

TEST(NumberFormat, StrictDecimalParsing) {
  EXPECT_EQ(ParseDecimal("-12.5"), -12.5);
  EXPECT_EQ(ParseDecimal("+.5"), 0.5);
  EXPECT_EQ(ParseDecimal("7."), 7.0);
  EXPECT_EQ(ParseDecimal("3,25", ','), 3.25);
  EXPECT_FALSE(ParseDecimal("10.5.3"));
  EXPECT_FALSE(ParseDecimal("-"));
  EXPECT_FALSE(ParseDecimal("."));
  EXPECT_FALSE(ParseDecimal(""));
  EXPECT_FALSE(ParseDecimal("1e5"));
  EXPECT_FALSE(ParseDecimal("3,25"));
  EXPECT_EQ(ParseInteger("255"), 255);
  EXPECT_FALSE(ParseInteger("99999999999"));
  EXPECT_FALSE(ParseInteger("+-1"));
  EXPECT_FALSE(ParseInteger("1x"));
}
