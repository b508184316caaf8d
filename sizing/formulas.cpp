#include "sizing/formulas.h"

#include <cmath>

#include "sizing/conversions.h"
#include "sizing/errors.h"

namespace sizing {
namespace {

constexpr double kOne = 1;
constexpr double kKilo = 1024;
constexpr double kCylinderBytes = 8225280;  // 512 bytes per sector * 255 heads * 63 sectors

// Every value a formula computes stays finite until a later one is derived from it, so a
// non-finite value at a status test means an invalid operation, a division by zero or an
// overflow has happened since the formula began.
void CheckFloatingPoint(double latest) {
  if (!std::isfinite(latest)) throw FloatingPointError("size beyond the double range");
}

}  // namespace

bool IsPureNumber(std::u16string_view input) {
  // Compared as "written length - 1" so that no input length can wrap.
  return SignedWrite(LenientRead(input)).size() - 1 == input.size();
}

std::u16string OldAlgorithm(std::u16string_view input, char16_t decimalSeparator) {
  double twiceLessOne = StrictRead(input, decimalSeparator) - kOne;
  twiceLessOne = twiceLessOne + twiceLessOne;
  CheckFloatingPoint(twiceLessOne);
  const double megabytes = StrictRead(input, decimalSeparator) * kKilo + twiceLessOne;
  CheckFloatingPoint(megabytes);
  return PlainWrite(megabytes, decimalSeparator);
}

std::u16string NewAlgorithm(std::u16string_view input, char16_t decimalSeparator) {
  const double cylinders =
      StrictRead(input, decimalSeparator) * kKilo * kKilo * kKilo / kCylinderBytes;
  CheckFloatingPoint(cylinders);
  // The whole part, toward minus infinity, and one more cylinder; then one more megabyte, even
  // when the figure is already whole.
  const double wholeCylinders = std::floor(cylinders) + kOne;
  const double megabytes = wholeCylinders * kCylinderBytes / kKilo / kKilo;
  CheckFloatingPoint(megabytes);
  const double wholeMegabytes = std::floor(megabytes) + kOne;
  CheckFloatingPoint(wholeMegabytes);
  return PlainWrite(wholeMegabytes, decimalSeparator);
}

}  // namespace sizing
