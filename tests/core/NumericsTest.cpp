#include "core/Numerics.h"

#include <gtest/gtest.h>

#include <cfloat>

TEST(RoundHalfEven, TiesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(2.5L), 2);
  EXPECT_EQ(RoundHalfEven(3.5L), 4);
  EXPECT_EQ(RoundHalfEven(5.5L), 6);
  EXPECT_EQ(RoundHalfEven(0.5L), 0);
  EXPECT_EQ(RoundHalfEven(1.5L), 2);
  EXPECT_EQ(RoundHalfEven(-0.5L), 0);
  EXPECT_EQ(RoundHalfEven(-1.5L), -2);
  EXPECT_EQ(RoundHalfEven(2.4999L), 2);
  EXPECT_EQ(RoundHalfEven(2.5001L), 3);
}

TEST(RoundHalfEven, ResultMustFitInt32) {
  EXPECT_EQ(RoundHalfEven(2147483647.0L), 2147483647);
  EXPECT_EQ(RoundHalfEven(-2147483648.0L), INT32_MIN);
  EXPECT_THROW(RoundHalfEven(2147483647.5L), RangeError);
  EXPECT_THROW(RoundHalfEven(-2147483649.0L), RangeError);
  EXPECT_THROW(RoundHalfEven(2.2e9L), RangeError);
  EXPECT_THROW(RoundHalfEven(std::nanl("")), RangeError);
}

TEST(Store, RoundsExtendedToDoubleAndRejectsNonFinite) {
  const long double third = 1.0L / 3.0L;
  EXPECT_EQ(Store(third), static_cast<double>(third));
  EXPECT_NE(static_cast<long double>(Store(third)), third);
  EXPECT_THROW(Store(static_cast<long double>(DBL_MAX) * 2.0L), ArithmeticError);
  EXPECT_THROW(Store(std::nanl("")), ArithmeticError);
  EXPECT_EQ(Store(1e-320L), 1e-320); // underflow to a denormal is no error
}

TEST(Divide, ByZeroRaisesInsteadOfInfinity) {
  EXPECT_EQ(Divide(1.0L, 4.0L), 0.25L);
  try {
    Divide(1.0L, 0.0L);
    FAIL();
  } catch (const ArithmeticError& e) {
    EXPECT_STREQ(e.what(), "Floating point division by zero");
  }
  try {
    Divide(0.0L, 0.0L);
    FAIL();
  } catch (const ArithmeticError& e) {
    EXPECT_STREQ(e.what(), "Invalid floating point operation");
  }
}
