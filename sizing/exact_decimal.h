#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// Exact conversions between decimal digits and doubles, on the C library's correctly rounded
// strtod and printf. Neither sees a decimal point, so the user's locale cannot change them.
namespace sizing {

// The double nearest to digits × 10^exponent (ties to even), where `digits` is a run of decimal
// digits; infinity beyond the double range, zero or a denormal below it.
double NearestDouble(std::string_view digits, std::int64_t exponent);

// A positive finite double rounded to `kDigits` significant decimal digits (ties to even).
struct RoundedDecimal {
  static constexpr int kDigits = 15;
  std::array<char, kDigits> digits;  // trailing zeros dropped, at least one digit
  int count;
  int exponent;  // of the first digit: the value is d.ddd × 10^exponent
};
RoundedDecimal RoundToSignificantDigits(double value);

}  // namespace sizing
