// Any text as a number, and any eight bytes as a double: every number the program writes
// (fixed-point fields, the general float text) reads back to the value it was written from, and
// a whole number read back writes as the text it came from.
#include "FuzzSupport.h"
#include "core/TextFormat.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace {
void RequireRoundTrips(double value) {
  if (!std::isfinite(value))
    return;
  for (int decimals : {0, 2, 4}) {
    const auto back = TextToFloat(FormatFixed(value, 10, decimals), '.');
    Require(back.has_value());
    Require(std::fabs(*back - value) <= 0.5 * std::pow(10.0, -decimals) + std::fabs(value) * 1e-15);
  }
  for (char separator : {'.', ','}) {
    const auto back = TextToFloat(FloatToText(value, separator), separator);
    Require(back.has_value());
    Require(std::fabs(*back - value) <= std::fabs(value) * 1e-14);
  }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  for (char separator : {'.', ','})
    if (const auto value = TextToFloat(text, separator)) {
      Require(std::isfinite(*value));
      RequireRoundTrips(*value);
    }
  try {
    char separator = '.';
    RequireRoundTrips(StringToFloat(text, separator));
  } catch (const ConversionError&) {
  }
  if (const auto whole = TextToWholeNumber(text)) {
    // Saturated at the ends of the range; otherwise the digits without sign and leading zeros.
    const std::string digits = text.substr(text.find_first_not_of("+-0") == std::string::npos
                                               ? text.size() - 1
                                               : text.find_first_not_of("+-0"));
    const bool atEnd = *whole == std::numeric_limits<long long>::max() ||
                       *whole == std::numeric_limits<long long>::min();
    Require(atEnd || std::to_string(*whole < 0 ? -*whole : *whole) == digits);
  }
  if (size >= sizeof(double)) {
    double value;
    std::memcpy(&value, data, sizeof value);
    RequireRoundTrips(value);
  }
  return 0;
}
