#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace sizing {

// Collects a decimal number as its readers find it, digit by digit, and gives the correctly
// rounded double. Memory stays fixed however many digits arrive: past the digits that can still
// change the rounding, only whether any of them is non-zero is kept.
class DecimalNumber {
 public:
  void SetNegative() { negative_ = true; }
  void AddMantissaDigit(char digit);
  void MarkDecimalPoint() { afterPoint_ = true; }
  void SetExponentNegative() { exponentNegative_ = true; }
  void AddExponentDigit(char digit);

  bool HasMantissaDigits() const { return hasMantissaDigits_; }

  // Throws FloatingPointError when the number lies beyond the double range; a number too small
  // for a double reads as zero.
  double Value() const;

 private:
  // A double is decided by at most 767 significant decimal digits.
  static constexpr std::size_t kKeptDigits = 800;

  double SlowValue(std::int64_t firstDigitExponent) const;

  bool negative_ = false;
  bool afterPoint_ = false;
  bool hasMantissaDigits_ = false;
  std::array<char, kKeptDigits> significant_;  // from the first non-zero digit on
  std::size_t significantCount_ = 0;
  std::uint64_t leadingValue_ = 0;    // the first kExactDigits significant digits as a number
  bool droppedNonZero_ = false;       // a non-zero digit beyond the kept ones
  std::int64_t wholeDigits_ = 0;      // significant digits before the point, kept or not
  std::int64_t zerosAfterPoint_ = 0;  // zeros between the point and the first significant digit
  bool exponentNegative_ = false;
  std::int64_t exponent_ = 0;  // saturates far beyond any double's exponent
};

}  // namespace sizing
