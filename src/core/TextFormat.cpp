#include "core/TextFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

// Every conversion goes through std::to_chars / std::from_chars, which never consult the C or
// C++ locale: a desktop with a decimal comma writes and reads the same bytes as any other.
namespace {
std::string WithSeparator(std::string text, char separator) {
  if (separator != '.')
    for (char& c : text)
      if (c == '.')
        c = separator;
  return text;
}

std::string ToChars(double value, std::chars_format format, int precision) {
  // A fixed-point double has at most 309 digits before the point.
  std::string text(330 + static_cast<size_t>(std::max(precision, 0)), '\0');
  const auto result =
      std::to_chars(text.data(), text.data() + text.size(), value, format, precision);
  text.resize(result.ptr - text.data());
  return text;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
} // namespace

std::string FormatFixed(double value, int width, int decimals) {
  std::string text = ToChars(value, std::chars_format::fixed, std::max(decimals, 0));
  if (static_cast<int>(text.size()) < width)
    text.insert(0, width - text.size(), ' ');
  return text;
}

double RoundedTo(double value, int decimals) {
  if (!std::isfinite(value))
    return value;
  const std::string text = ToChars(value, std::chars_format::fixed, std::max(decimals, 0));
  double rounded = value;
  std::from_chars(text.data(), text.data() + text.size(), rounded);
  return rounded + 0.0;
}

std::string FormatFixedLocal(double value, int width, int decimals, char separator) {
  return WithSeparator(FormatFixed(value, width, decimals), separator);
}

std::string FloatToText(double value, char separator) {
  if (value == 0.0)
    return "0";
  std::string text = ToChars(value, std::chars_format::general, 15);
  for (char& c : text)
    if (c >= 'a' && c <= 'z')
      c = static_cast<char>(c - 'a' + 'A');
  const auto e = text.find('E');
  if (e != std::string::npos) {
    // The plain exponent form "1E-5" / "1.5E20", without "+" or leading zeros.
    int exponent = 0;
    std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(),
                    exponent);
    std::string mantissa = text.substr(0, e);
    // Rounded to 15 digits, the doubles next to the largest one print beyond it; the text
    // must read back, so their last digit is taken towards zero.
    if (!TextToFloat(mantissa + "E" + std::to_string(exponent), '.'))
      --mantissa.back();
    text = mantissa + "E" + std::to_string(exponent);
  }
  return WithSeparator(text, separator);
}

std::optional<double> TextToFloat(const std::string& text, char separator) {
  size_t i = 0;
  const size_t n = text.size();
  while (i < n && IsBlank(text[i]))
    ++i;
  std::string plain;
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-')
      plain += '-';
    ++i;
  }
  // Decimal position of the first significant digit, to tell an overflow from an underflow.
  long magnitude = 0;
  bool significant = false;
  size_t digits = 0;
  while (i < n && IsDigit(text[i])) {
    significant = significant || text[i] != '0';
    magnitude += significant ? 1 : 0;
    plain += text[i++];
    ++digits;
  }
  if (i < n && text[i] == separator) {
    plain += '.';
    ++i;
    while (i < n && IsDigit(text[i])) {
      significant = significant || text[i] != '0';
      magnitude -= significant ? 0 : 1;
      plain += text[i++];
      ++digits;
    }
  }
  if (digits == 0)
    return std::nullopt;
  long exponent = 0;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    plain += 'e';
    ++i;
    if (i < n && (text[i] == '+' || text[i] == '-'))
      plain += text[i++];
    size_t exponentDigits = 0;
    const size_t exponentStart = plain.size();
    while (i < n && IsDigit(text[i])) {
      plain += text[i++];
      ++exponentDigits;
    }
    if (exponentDigits == 0)
      return std::nullopt;
    const char* first = plain.data() + exponentStart - (plain[exponentStart - 1] == '-' ? 1 : 0);
    if (std::from_chars(first, plain.data() + plain.size(), exponent).ec != std::errc())
      exponent = plain[exponentStart - 1] == '-' ? -1000000 : 1000000;
    // Far beyond any double either way; kept small so that adding the magnitude cannot overflow.
    exponent = std::clamp(exponent, -1000000L, 1000000L);
  }
  while (i < n && IsBlank(text[i]))
    ++i;
  if (i != n)
    return std::nullopt;
  double value = 0.0;
  const auto result = std::from_chars(plain.data(), plain.data() + plain.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    if (significant && magnitude + exponent > 0)
      return std::nullopt;               // beyond the largest double
    return plain[0] == '-' ? -0.0 : 0.0; // below the smallest: zero, as the C library reads it
  }
  if (result.ec != std::errc() || !std::isfinite(value))
    return std::nullopt;
  return value;
}

std::optional<long long> TextToWholeNumber(const std::string& text) {
  const bool negative = !text.empty() && text[0] == '-';
  const size_t digits = !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
  if (digits == text.size() || !std::all_of(text.begin() + digits, text.end(), IsDigit))
    return std::nullopt;
  long long value = 0;
  const char* first = text.data() + digits - (negative ? 1 : 0);
  if (std::from_chars(first, text.data() + text.size(), value).ec != std::errc())
    return negative ? std::numeric_limits<long long>::min() : std::numeric_limits<long long>::max();
  return value;
}

std::string Counted(long long count, const std::string& one, const std::string& many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

double StringToFloat(const std::string& text, char& separator) {
  if (const auto value = TextToFloat(text, separator))
    return *value;
  const char remembered = separator;
  separator = remembered == ',' ? '.' : ',';
  const auto value = TextToFloat(text, separator);
  if (!value)
    throw ConversionError("'" + text + "' is not a valid floating point value");
  separator = remembered;
  return *value;
}
