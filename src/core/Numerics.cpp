#include "core/Numerics.h"

#include <cfenv>

void ThrowNonFinite(long double value) {
  if (std::isnan(value))
    throw ArithmeticError("Invalid floating point operation");
  throw ArithmeticError("Floating point overflow");
}

void ThrowDivisionByZero(long double numerator) {
  if (numerator == 0.0L || std::isnan(numerator))
    throw ArithmeticError("Invalid floating point operation");
  throw ArithmeticError("Floating point division by zero");
}

int32_t RoundHalfEven(long double value) {
  // nearbyintl follows the current rounding mode, which is round-to-nearest-even by default.
  const long double rounded = std::nearbyintl(value);
  if (!(rounded >= -2147483648.0L && rounded <= 2147483647.0L))
    throw RangeError("Range check error");
  return static_cast<int32_t>(rounded);
}
