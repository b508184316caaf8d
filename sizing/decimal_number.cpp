#include "sizing/decimal_number.h"

#include <cmath>
#include <string>

#include "sizing/errors.h"
#include "sizing/exact_decimal.h"

namespace sizing {
namespace {

constexpr std::int64_t kExponentCeiling = 1'000'000'000;

// Decimal exponents of a first significant digit beyond which the value is certainly outside
// the double range (above about 1.8e308) or rounds to zero (below about 2.5e-324).
constexpr std::int64_t kHighestExponent = 309;
constexpr std::int64_t kLowestExponent = -330;

// Up to 15 digits are a whole number below 2^53, exact in a double; so are the powers of ten up
// to 10^22. One multiplication or division of two exact operands is correctly rounded.
constexpr std::size_t kExactDigits = 15;
constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr std::int64_t kLargestExactPower = 22;

[[noreturn]] void ThrowOverflow() { throw FloatingPointError("number beyond the double range"); }

}  // namespace

void DecimalNumber::AddMantissaDigit(char digit) {
  hasMantissaDigits_ = true;
  if (significantCount_ == 0 && digit == '0') {
    if (afterPoint_) ++zerosAfterPoint_;
    return;
  }
  if (!afterPoint_) ++wholeDigits_;
  if (significantCount_ < kExactDigits) {
    leadingValue_ = leadingValue_ * 10 + static_cast<std::uint64_t>(digit - '0');
  }
  if (significantCount_ < kKeptDigits) {
    significant_[significantCount_++] = digit;
  } else if (digit != '0') {
    droppedNonZero_ = true;
  }
}

void DecimalNumber::AddExponentDigit(char digit) {
  if (exponent_ < kExponentCeiling) exponent_ = exponent_ * 10 + (digit - '0');
}

double DecimalNumber::Value() const {
  const double zero = negative_ ? -0.0 : 0.0;
  if (significantCount_ == 0) return zero;

  const std::int64_t firstDigitExponent =
      (wholeDigits_ > 0 ? wholeDigits_ - 1 : -(zerosAfterPoint_ + 1)) +
      (exponentNegative_ ? -exponent_ : exponent_);
  if (firstDigitExponent > kHighestExponent) ThrowOverflow();
  if (firstDigitExponent < kLowestExponent) return zero;

  double magnitude;
  const std::int64_t scale = firstDigitExponent - static_cast<std::int64_t>(significantCount_ - 1);
  if (significantCount_ <= kExactDigits && scale >= -kLargestExactPower &&
      scale <= kLargestExactPower) {
    const auto whole = static_cast<double>(leadingValue_);
    magnitude = scale >= 0 ? whole * kExactPowersOfTen[scale] : whole / kExactPowersOfTen[-scale];
  } else {
    magnitude = SlowValue(firstDigitExponent);
    if (magnitude == 0) return zero;
  }
  return negative_ ? -magnitude : magnitude;
}

// A dropped non-zero digit stands in as one more 1, so that the rounding still sees it.
double DecimalNumber::SlowValue(std::int64_t firstDigitExponent) const {
  std::string digits(significant_.data(), significantCount_);
  if (droppedNonZero_) digits += '1';
  const double magnitude =
      NearestDouble(digits, firstDigitExponent - static_cast<std::int64_t>(digits.size() - 1));
  if (std::isinf(magnitude)) ThrowOverflow();
  return magnitude;
}

}  // namespace sizing
