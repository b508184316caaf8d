#include "sizing/exact_decimal.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

namespace sizing {
namespace {

// A non-negative integer of any size, in 32-bit limbs, least significant first. Only what the
// two conversions need.
class BigInteger {
 public:
  explicit BigInteger(std::uint64_t value = 0) {
    for (; value; value >>= 32) limbs_.push_back(static_cast<std::uint32_t>(value));
  }

  bool IsZero() const { return limbs_.empty(); }

  std::int64_t BitLength() const {
    if (limbs_.empty()) return 0;
    std::int64_t length = static_cast<std::int64_t>(limbs_.size() - 1) * 32;
    for (std::uint32_t top = limbs_.back(); top; top >>= 1) ++length;
    return length;
  }

  bool Bit(std::int64_t index) const {
    const auto limb = static_cast<std::size_t>(index / 32);
    return limb < limbs_.size() && ((limbs_[limb] >> (index % 32)) & 1);
  }

  // Whether any bit below `index` is set.
  bool AnyBitBelow(std::int64_t index) const {
    const auto whole = std::min(limbs_.size(), static_cast<std::size_t>(index / 32));
    for (std::size_t i = 0; i < whole; ++i) {
      if (limbs_[i]) return true;
    }
    const int part = static_cast<int>(index % 32);
    return part && whole < limbs_.size() && (limbs_[whole] & ((std::uint32_t{1} << part) - 1));
  }

  void MultiplyAdd(std::uint32_t factor, std::uint32_t addend = 0) {
    std::uint64_t carry = addend;
    for (std::uint32_t& limb : limbs_) {
      const std::uint64_t product = static_cast<std::uint64_t>(limb) * factor + carry;
      limb = static_cast<std::uint32_t>(product);
      carry = product >> 32;
    }
    if (carry) limbs_.push_back(static_cast<std::uint32_t>(carry));
    Trim();
  }

  void MultiplyByPowerOfFive(std::int64_t power) {
    for (; power >= 13; power -= 13) MultiplyAdd(1220703125);  // 5^13
    std::uint32_t rest = 1;
    for (; power > 0; --power) rest *= 5;
    MultiplyAdd(rest);
  }

  void ShiftLeft(std::int64_t bits) {
    if (IsZero() || bits <= 0) return;
    const auto whole = static_cast<std::size_t>(bits / 32);
    const int part = static_cast<int>(bits % 32);
    if (part) {
      std::uint32_t carry = 0;
      for (std::uint32_t& limb : limbs_) {
        const std::uint32_t next = limb >> (32 - part);
        limb = (limb << part) | carry;
        carry = next;
      }
      if (carry) limbs_.push_back(carry);
    }
    limbs_.insert(limbs_.begin(), whole, 0);
  }

  void ShiftRightOne() {
    for (std::size_t i = 0; i < limbs_.size(); ++i) {
      limbs_[i] >>= 1;
      if (i + 1 < limbs_.size()) limbs_[i] |= limbs_[i + 1] << 31;
    }
    Trim();
  }

  std::uint64_t Low64() const {
    std::uint64_t low = 0;
    for (std::size_t i = std::min<std::size_t>(limbs_.size(), 2); i-- > 0;)
      low = (low << 32) | limbs_[i];
    return low;
  }

  friend int Compare(const BigInteger& a, const BigInteger& b) {
    if (a.limbs_.size() != b.limbs_.size()) return a.limbs_.size() < b.limbs_.size() ? -1 : 1;
    for (std::size_t i = a.limbs_.size(); i-- > 0;) {
      if (a.limbs_[i] != b.limbs_[i]) return a.limbs_[i] < b.limbs_[i] ? -1 : 1;
    }
    return 0;
  }

  void Subtract(const BigInteger& other) {  // requires *this >= other
    std::int64_t borrow = 0;
    for (std::size_t i = 0; i < limbs_.size(); ++i) {
      std::int64_t difference = static_cast<std::int64_t>(limbs_[i]) - borrow -
                                (i < other.limbs_.size() ? other.limbs_[i] : 0);
      borrow = difference < 0;
      if (borrow) difference += std::int64_t{1} << 32;
      limbs_[i] = static_cast<std::uint32_t>(difference);
    }
    Trim();
  }

  void SetBit(std::int64_t index) {
    const auto limb = static_cast<std::size_t>(index / 32);
    if (limbs_.size() <= limb) limbs_.resize(limb + 1, 0);
    limbs_[limb] |= std::uint32_t{1} << (index % 32);
  }

 private:
  void Trim() {
    while (!limbs_.empty() && limbs_.back() == 0) limbs_.pop_back();
  }

  std::vector<std::uint32_t> limbs_;
};

// value × 2^scale, rounded to the nearest double (ties to even); `inexact` tells that the true
// value lies a little above value × 2^scale.
double RoundToDouble(const BigInteger& value, std::int64_t scale, bool inexact) {
  constexpr std::int64_t kMantissaBits = 53;
  constexpr std::int64_t kLowestNormalExponent = -1022;
  if (value.IsZero()) return 0;
  const std::int64_t length = value.BitLength();
  const std::int64_t topExponent = length - 1 + scale;
  if (topExponent >= 1024) return HUGE_VAL;
  // Denormals keep fewer bits; below the smallest one, none at all.
  const std::int64_t keep =
      std::min(kMantissaBits, kMantissaBits - (kLowestNormalExponent - topExponent));
  if (keep < 0) return 0;
  const std::int64_t dropped = length - keep;  // bits below the kept ones

  std::uint64_t kept = 0;
  for (std::int64_t i = length - 1; i >= std::max<std::int64_t>(dropped, 0); --i) {
    kept = (kept << 1) | (value.Bit(i) ? 1 : 0);
  }
  if (dropped <= 0) return std::ldexp(static_cast<double>(kept), static_cast<int>(scale));
  const bool half = value.Bit(dropped - 1);
  const bool aboveHalf = inexact || value.AnyBitBelow(dropped - 1);
  if (half && (aboveHalf || (kept & 1))) ++kept;
  return std::ldexp(static_cast<double>(kept), static_cast<int>(dropped + scale));
}

// Long division, a bit at a time: returns the quotient and leaves the remainder in `value`.
BigInteger Divide(BigInteger& value, const BigInteger& divisor) {
  BigInteger quotient;
  std::int64_t bit = value.BitLength() - divisor.BitLength();
  if (bit < 0) return quotient;
  BigInteger shifted = divisor;
  shifted.ShiftLeft(bit);
  for (; bit >= 0; --bit, shifted.ShiftRightOne()) {
    if (Compare(value, shifted) >= 0) {
      value.Subtract(shifted);
      quotient.SetBit(bit);
    }
  }
  return quotient;
}

}  // namespace

double NearestDouble(std::string_view digits, std::int64_t exponent) {
  BigInteger value;
  for (const char digit : digits) value.MultiplyAdd(10, static_cast<std::uint32_t>(digit - '0'));
  if (exponent >= 0) {
    value.MultiplyByPowerOfFive(exponent);
    value.ShiftLeft(exponent);
    return RoundToDouble(value, 0, false);
  }

  // digits / 10^-exponent: enough quotient bits for the rounding, by long division, with the
  // remainder telling whether the quotient is exact.
  BigInteger divisor(1);
  divisor.MultiplyByPowerOfFive(-exponent);
  const std::int64_t extraBits =
      std::max<std::int64_t>(0, 66 - (value.BitLength() - divisor.BitLength()));
  value.ShiftLeft(extraBits);
  const BigInteger quotient = Divide(value, divisor);
  return RoundToDouble(quotient, exponent - extraBits, !value.IsZero());
}

// The first 17 digits of the value, by one exact division, rounded to 15.
RoundedDecimal RoundToSignificantDigits(double value) {
  constexpr std::uint64_t kSmallest15Digits = 100'000'000'000'000;
  constexpr std::uint64_t kSmallest16Digits = kSmallest15Digits * 10;
  constexpr std::uint64_t kSmallest17Digits = kSmallest16Digits * 10;
  constexpr std::uint64_t kSmallest18Digits = kSmallest17Digits * 10;

  // value = mantissa × 2^power exactly, with value in [2^(binaryExponent-1), 2^binaryExponent).
  int binaryExponent = 0;
  const double fraction = std::frexp(value, &binaryExponent);
  const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
  const std::int64_t power = binaryExponent - 53;
  // The decimal exponent of the first digit: this estimate is exact or one too small.
  auto exponent = static_cast<std::int64_t>(
      std::floor((binaryExponent - 1) * 0.30102999566398119521373889472449));

  for (;;) {
    // leading = value / 10^(exponent - 16), which has 17 digits when the exponent is right.
    const std::int64_t scale = exponent - 16;
    BigInteger numerator(mantissa);
    BigInteger denominator(1);
    (power >= 0 ? numerator : denominator).ShiftLeft(power >= 0 ? power : -power);
    BigInteger& scaled = scale >= 0 ? denominator : numerator;
    scaled.MultiplyByPowerOfFive(scale >= 0 ? scale : -scale);
    scaled.ShiftLeft(scale >= 0 ? scale : -scale);
    const std::uint64_t leading = Divide(numerator, denominator).Low64();
    if (leading >= kSmallest18Digits) {
      ++exponent;
      continue;
    }
    if (leading < kSmallest17Digits) {
      --exponent;
      continue;
    }

    std::uint64_t rounded = leading / 100;
    const std::uint64_t rest = leading % 100;
    if (rest > 50 || (rest == 50 && (!numerator.IsZero() || rounded % 2 == 1))) ++rounded;
    if (rounded == kSmallest16Digits) {  // 999…9 rounded up to 1000…0
      rounded = kSmallest15Digits;
      ++exponent;
    }
    RoundedDecimal result{};
    result.exponent = static_cast<int>(exponent);
    for (int i = RoundedDecimal::kDigits - 1; i >= 0; --i, rounded /= 10) {
      result.digits[i] = static_cast<char>('0' + rounded % 10);
    }
    result.count = RoundedDecimal::kDigits;
    while (result.count > 1 && result.digits[result.count - 1] == '0') --result.count;
    return result;
  }
}

}  // namespace sizing
