// Number texts: fixed-point report fields (w:d) and the general float-to-text conversion. Texts
// for the screen take the decimal separator their caller shows; files always take a point. The
// C locale is never changed.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>

// Right-aligned fixed-point text of `value` in at least `width` characters with `decimals`
// decimals (always with a point: files are written with a decimal point).
std::string FormatFixed(double value, int width, int decimals);

// The double nearest to `value` rounded to `decimals` decimals, never −0: for numbers written as
// JSON, where 1.4 must not come out as 1.4000000000000001.
double RoundedTo(double value, int decimals);

// Fixed-point text with `separator` ('.' or ',') as the decimal separator (tick labels of the
// graph).
std::string FormatFixedLocal(double value, int width, int decimals, char separator);

// Up to 15 significant digits, no trailing zeros, `separator` as the decimal separator, and an
// exponent ("1E-5", "1.5E20") only below 0.0001 or from 1E15 on.
std::string FloatToText(double value, char separator = '.');

// Plain decimal number with optional sign and exponent, blanks allowed around it, `separator`
// as the decimal separator, no digit grouping. Empty or malformed text gives nothing.
std::optional<double> TextToFloat(const std::string& text, char separator);

// A whole number: digits with an optional sign, nothing else. A number beyond the range of
// long long gives the nearest end of that range, so that range checks never overflow.
std::optional<long long> TextToWholeNumber(const std::string& text);

// "1 file", "2 files": the count with the noun in the form that agrees with it.
std::string Counted(long long count, const std::string& one, const std::string& many);

// A number text that no conversion accepts.
class ConversionError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// Converts under `separator`, the decimal separator in force for the caller; failing that,
// under the other one of '.' and ',' (restoring `separator` afterwards), so that both notations
// are accepted. When both fail, raises ConversionError and leaves `separator` switched.
double StringToFloat(const std::string& text, char& separator);
