// Arithmetic rules of every model quantity: expressions are evaluated in x87 extended precision
// (long double) and rounded to double when stored; division by zero, overflow and invalid
// operations raise ArithmeticError instead of producing infinities or NaN.
#pragma once

#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <string>

class ArithmeticError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// A real that does not fit the 32-bit integer it is rounded to.
class RangeError : public ArithmeticError {
public:
  using ArithmeticError::ArithmeticError;
};

// The extended-precision type every expression is evaluated in.
using LD = long double;

inline constexpr long double kPi = 3.14159265358979323851L;

[[noreturn]] void ThrowNonFinite(long double value);
[[noreturn]] void ThrowDivisionByZero(long double numerator);

// Rounds an extended-precision result to the double it is stored as.
inline double Store(long double value) {
  const double stored = static_cast<double>(value);
  if (std::isfinite(stored)) [[likely]]
    return stored;
  ThrowNonFinite(value);
}

inline long double Divide(long double numerator, long double denominator) {
  if (denominator == 0.0L) [[unlikely]]
    ThrowDivisionByZero(numerator);
  return numerator / denominator;
}

// Nearest integer, exact halves to the even one; RangeError when outside int32_t.
int32_t RoundHalfEven(long double value);
