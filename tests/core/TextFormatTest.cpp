#include "core/TextFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>

TEST(FormatFixed, RightAlignsAndWidensWhenNeeded) {
  EXPECT_EQ(FormatFixed(0.002, 10, 4), "    0.0020");
  EXPECT_EQ(FormatFixed(12.5, 10, 2), "     12.50");
  EXPECT_EQ(FormatFixed(0.126, 10, 2), "      0.13");
  EXPECT_EQ(FormatFixed(123456789.0, 6, 2), "123456789.00");
  EXPECT_EQ(FormatFixed(-3.0, 6, 2), " -3.00");
}

TEST(FloatToText, FifteenSignificantDigitsWithoutTrailingZeros) {
  EXPECT_EQ(FloatToText(0), "0");
  EXPECT_EQ(FloatToText(1.5), "1.5");
  EXPECT_EQ(FloatToText(12.0), "12");
  EXPECT_EQ(FloatToText(0.1), "0.1");
  EXPECT_EQ(FloatToText(0.002), "0.002");
  EXPECT_EQ(FloatToText(-4.25), "-4.25");
  EXPECT_EQ(FloatToText(0.0001), "0.0001");
  EXPECT_EQ(FloatToText(0.00001), "1E-5");
  EXPECT_EQ(FloatToText(123456789012345.0), "123456789012345");
  EXPECT_EQ(FloatToText(1e15), "1E15");
  EXPECT_EQ(FloatToText(1.25e20), "1.25E20");
  EXPECT_EQ(FloatToText(1.0 / 3.0), "0.333333333333333");
}

TEST(FloatToText, UsesTheDecimalSeparatorItIsGiven) {
  EXPECT_EQ(FloatToText(1.5, ','), "1,5");
  EXPECT_EQ(FormatFixedLocal(12.0, 3, 1, ','), "12,0");
  EXPECT_EQ(FormatFixed(12.0, 3, 1), "12.0");
}

TEST(TextToFloat, AcceptsPlainDecimalNumbersOnly) {
  EXPECT_EQ(TextToFloat("1.5", '.'), 1.5);
  EXPECT_EQ(TextToFloat("  -2.25e1 ", '.'), -22.5);
  EXPECT_EQ(TextToFloat("+3", '.'), 3.0);
  EXPECT_EQ(TextToFloat(".5", '.'), 0.5);
  EXPECT_EQ(TextToFloat("1,5", ','), 1.5);
  EXPECT_FALSE(TextToFloat("1,5", '.'));
  EXPECT_FALSE(TextToFloat("", '.'));
  EXPECT_FALSE(TextToFloat("   ", '.'));
  EXPECT_FALSE(TextToFloat("12x", '.'));
  EXPECT_FALSE(TextToFloat("1e", '.'));
  EXPECT_FALSE(TextToFloat("1,000.5", '.'));
  EXPECT_FALSE(TextToFloat("inf", '.'));
  EXPECT_FALSE(TextToFloat("nan", '.'));
  EXPECT_FALSE(TextToFloat("0x10", '.'));
  EXPECT_FALSE(TextToFloat("1e999", '.'));
  EXPECT_FALSE(TextToFloat("1e9223372036854775807", '.'));
  EXPECT_EQ(TextToFloat("1e-9223372036854775808", '.'), 0.0);
}

TEST(TextToWholeNumber, ReadsDigitsOnlyAndSaturatesInsteadOfOverflowing) {
  const long long most = std::numeric_limits<long long>::max();
  const long long least = std::numeric_limits<long long>::min();
  const struct {
    const char* text;
    std::optional<long long> value;
  } rows[] = {{"12", 12},
              {"+7", 7},
              {"-3", -3},
              {"0012", 12},
              {"99999999999999999999999", most},
              {"-99999999999999999999999", least},
              {"", std::nullopt},
              {"-", std::nullopt},
              {"1.0", std::nullopt},
              {" 2", std::nullopt},
              {"2x", std::nullopt},
              {"1e3", std::nullopt}};
  for (const auto& row : rows)
    EXPECT_EQ(TextToWholeNumber(row.text), row.value) << row.text;
}

TEST(Counted, NounAgreesWithTheCount) {
  EXPECT_EQ(Counted(0, "file", "files"), "0 files");
  EXPECT_EQ(Counted(1, "file", "files"), "1 file");
  EXPECT_EQ(Counted(2, "run", "runs"), "2 runs");
}

TEST(StringToFloat, AcceptsPointAndCommaWhateverTheSeparator) {
  for (const char inForce : {'.', ','}) {
    char separator = inForce;
    EXPECT_EQ(StringToFloat("1,5", separator), 1.5);
    EXPECT_EQ(StringToFloat("1.5", separator), 1.5);
    EXPECT_EQ(StringToFloat(" 2 ", separator), 2.0);
    EXPECT_EQ(separator, inForce);
  }
}

TEST(StringToFloat, FailureRaisesAndLeavesTheSeparatorSwitched) {
  char separator = '.';
  EXPECT_THROW(StringToFloat("12x", separator), ConversionError);
  EXPECT_EQ(separator, ',');
  separator = ';';
  EXPECT_THROW(StringToFloat("", separator), ConversionError);
  EXPECT_EQ(separator, ',');
}

// The conversions must give the bytes the C library gives in the C locale (the locale of this
// test program), without ever consulting a locale themselves.
TEST(NumberTexts, MatchTheCLibraryInTheCLocale) {
  std::mt19937_64 random(7);
  for (int k = 0; k < 200000; ++k) {
    double value;
    if (k % 2 == 0) {
      const uint64_t bits = random();
      std::memcpy(&value, &bits, sizeof value);
      if (!std::isfinite(value))
        continue;
    } else {
      // Exact binary fractions, among them the ties of every written decimal.
      value = std::ldexp(double(random() % 2000001) - 1000000, -int(random() % 24));
    }
    char expected[400];
    for (int decimals : {0, 2, 4, 9}) {
      std::snprintf(expected, sizeof expected, "%*.*f", 10, decimals, value);
      ASSERT_EQ(FormatFixed(value, 10, decimals), expected) << value;
    }
    std::snprintf(expected, sizeof expected, "%.15G", value);
    if (!std::strchr(expected, 'E')) {
      ASSERT_EQ(FloatToText(value), value == 0 ? "0" : expected);
    }
    ASSERT_EQ(TextToFloat(expected, '.'), std::strtod(expected, nullptr)) << expected;
  }
}

TEST(NumberTexts, ExtremesReadBack) {
  const double largest = std::numeric_limits<double>::max();
  EXPECT_EQ(FloatToText(largest), "1.79769313486231E308");
  EXPECT_EQ(FloatToText(-largest), "-1.79769313486231E308");
  EXPECT_TRUE(TextToFloat(FloatToText(largest), '.'));
  EXPECT_EQ(TextToFloat(FormatFixed(largest, 10, 4), '.'), largest);
  EXPECT_EQ(TextToFloat("1e-400", '.'), 0.0);
  EXPECT_EQ(TextToFloat("0.000001e-320", '.'), 0.0);
  EXPECT_FALSE(TextToFloat("100000e304", '.'));
}
