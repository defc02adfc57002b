#include "support/numbers.h"

#include <gtest/gtest.h>

namespace quillmere {
namespace {

TEST(ParseNumber, ReadsDecimalForms) {
  EXPECT_EQ(ParseNumber("0.5"), 0.5);
  EXPECT_EQ(ParseNumber("  -12.25  "), -12.25);
  EXPECT_EQ(ParseNumber("+3"), 3.0);
  EXPECT_EQ(ParseNumber(".5"), 0.5);
  EXPECT_EQ(ParseNumber("5."), 5.0);
  EXPECT_EQ(ParseNumber("-4.2e-014"), -4.2e-14);
  EXPECT_EQ(ParseNumber("1E3"), 1000.0);
  EXPECT_EQ(ParseNumber("1e+3"), 1000.0);
  EXPECT_EQ(ParseNumber("10.0"), 10.0);
}

TEST(ParseNumber, RejectsWhatIsNoNumber) {
  for (const char* text : {"", " ", ".", "0,5", "x", "1.2.3", "1e", "1e+", "e5", "--1", "+-1",
                           "nan", "NaN", "inf", "-inf", "infinity", "0x10", "1 2", "1\t2",
                           "\t", "1e400", " 1e400\t", "-1e400", "1f", "0x1p3", "\x7f" "1"}) {
    EXPECT_FALSE(ParseNumber(text).has_value()) << text;
  }
}

// Every character up to code 32 around a value is ignored, as in the
// comparison of lines; bytes above 127 are characters and make no number.
TEST(ParseNumber, IgnoresControlCharactersAndBlanksAround) {
  EXPECT_EQ(ParseNumber("1.0\t"), 1.0);
  EXPECT_EQ(ParseNumber("\t -2.5e1\r\x01"), -25.0);
  EXPECT_EQ(ParseNumber("\v123456789012345\f"), 123456789012345.0);
  EXPECT_FALSE(ParseNumber("1.0\xa0").has_value());
}

TEST(ParseNumber, TinyValuesReadAsZero) {
  EXPECT_EQ(ParseNumber("1e-400"), 0.0);
  EXPECT_EQ(ParseNumber("-1e-400"), 0.0);
  EXPECT_EQ(ParseNumber("0.0000"), 0.0);
  EXPECT_EQ(ParseNumber("0e999999"), 0.0);
}

// The quick check takes plain decimals without reading them: it must agree
// with the reader at the edges of that form too.
TEST(IsNumber, AgreesWithTheReader) {
  for (const char* text :
       {"0.5", " -12.25 ", "+3", ".5", "5.", "-", "-.", ".", "", "1.2.3", "--1", "123456789012345",
        "1234567890123456", "-123456789012.345", "00000000000000001", "0000000000000000.1",
        "12345678901234567890", "1e400", "1e-400", "-4.2e-014", "0,5", "1.0\t", "1.0\xa0",
        "nan", "0x10", "-0", "9999999999999999999999"}) {
    EXPECT_EQ(IsNumber(text), ParseNumber(text).has_value()) << text;
  }
}

TEST(ParseWholeNumber, ReadsSignedDigitsWithBlanksAround) {
  EXPECT_EQ(ParseWholeNumber("     1"), 1);
  EXPECT_EQ(ParseWholeNumber("1 "), 1);
  EXPECT_EQ(ParseWholeNumber("\t64\r"), 64);
  EXPECT_EQ(ParseWholeNumber("-8"), -8);
  EXPECT_EQ(ParseWholeNumber("+64"), 64);
  EXPECT_FALSE(ParseWholeNumber("1.0").has_value());
  EXPECT_FALSE(ParseWholeNumber("").has_value());
  EXPECT_FALSE(ParseWholeNumber("1 2").has_value());
  EXPECT_FALSE(ParseWholeNumber("+-1").has_value());
  EXPECT_FALSE(ParseWholeNumber("99999999999").has_value());
}

TEST(FormatGeneral, WritesBulgesInTheGeneralFormat) {
  EXPECT_EQ(FormatGeneral(0.41421356237309503), "0.414213562373095");
  EXPECT_EQ(FormatGeneral(-1.0), "-1");
  EXPECT_EQ(FormatGeneral(0.0001), "0.0001");
  EXPECT_EQ(FormatGeneral(0.000025), "2.5E-5");
  EXPECT_EQ(FormatGeneral(0.00002), "2E-5");
  EXPECT_EQ(FormatGeneral(0.00012), "0.00012");
  EXPECT_EQ(FormatGeneral(-0.198912367379658), "-0.198912367379658");
  EXPECT_EQ(FormatGeneral(2.414213562373095), "2.41421356237309");
  EXPECT_EQ(FormatGeneral(123.5), "123.5");
  EXPECT_EQ(FormatGeneral(0), "0");
  // Rounding to 15 digits can carry into the next power of ten.
  EXPECT_EQ(FormatGeneral(0.99999999999999999), "1");
  EXPECT_EQ(FormatGeneral(0.00009999999999999999), "0.0001");
}

TEST(FormatFixed, UsesPointAndDecimals) {
  EXPECT_EQ(FormatFixed(0.1, 5), "0.10000");
  EXPECT_EQ(FormatFixed(1000000, 7), "1000000.0000000");
  EXPECT_EQ(FormatFixed(100, 0), "100");
}

}  // namespace
}  // namespace quillmere
