#include "TextFormat.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {
char decimalSeparator = '.';

std::string Printf(const char* format, int width, int decimals, double value) {
  char buffer[400];
  std::snprintf(buffer, sizeof buffer, format, width, decimals, value);
  return buffer;
}

std::string WithSeparator(std::string text, char separator) {
  if (separator != '.')
    for (char& c : text)
      if (c == '.')
        c = separator;
  return text;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
} // namespace

char DecimalSeparator() { return decimalSeparator; }
void SetDecimalSeparator(char separator) { decimalSeparator = separator; }

std::string FormatFixed(double value, int width, int decimals) {
  return Printf("%*.*f", width, decimals, value);
}

std::string FormatFixedLocal(double value, int width, int decimals) {
  return WithSeparator(FormatFixed(value, width, decimals), decimalSeparator);
}

std::string FloatToText(double value) {
  if (value == 0.0)
    return "0";
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.15G", value);
  std::string text = buffer;
  // %G trims trailing zeros itself; only the exponent needs the plain form "E-5" / "E20".
  const auto e = text.find('E');
  if (e != std::string::npos) {
    std::string mantissa = text.substr(0, e);
    const int exponent = std::atoi(text.c_str() + e + 1);
    text = mantissa + "E" + std::to_string(exponent);
  }
  return WithSeparator(text, decimalSeparator);
}

std::optional<double> TextToFloat(const std::string& text, char separator) {
  size_t i = 0;
  const size_t n = text.size();
  while (i < n && IsBlank(text[i]))
    ++i;
  std::string plain;
  if (i < n && (text[i] == '+' || text[i] == '-'))
    plain += text[i++];
  size_t digits = 0;
  while (i < n && IsDigit(text[i])) {
    plain += text[i++];
    ++digits;
  }
  if (i < n && text[i] == separator) {
    plain += '.';
    ++i;
    while (i < n && IsDigit(text[i])) {
      plain += text[i++];
      ++digits;
    }
  }
  if (digits == 0)
    return std::nullopt;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    plain += 'e';
    ++i;
    if (i < n && (text[i] == '+' || text[i] == '-'))
      plain += text[i++];
    size_t exponentDigits = 0;
    while (i < n && IsDigit(text[i])) {
      plain += text[i++];
      ++exponentDigits;
    }
    if (exponentDigits == 0)
      return std::nullopt;
  }
  while (i < n && IsBlank(text[i]))
    ++i;
  if (i != n)
    return std::nullopt;
  errno = 0;
  const double value = std::strtod(plain.c_str(), nullptr);
  if (!std::isfinite(value))
    return std::nullopt;
  return value;
}

double StringToFloat(const std::string& text) {
  if (const auto value = TextToFloat(text, decimalSeparator))
    return *value;
  const char remembered = decimalSeparator;
  decimalSeparator = remembered == ',' ? '.' : ',';
  const auto value = TextToFloat(text, decimalSeparator);
  if (!value)
    throw ConversionError("'" + text + "' is not a valid floating point value");
  decimalSeparator = remembered;
  return *value;
}
