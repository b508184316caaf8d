#include "sizing/requests.h"

#include "sizing/formulas.h"

namespace sizing {

std::optional<std::u16string> Calculate(std::u16string_view input, Algorithm algorithm,
                                        char16_t decimalSeparator) {
  if (!IsPureNumber(input)) return std::nullopt;
  return algorithm == Algorithm::kOld ? OldAlgorithm(input, decimalSeparator)
                                      : NewAlgorithm(input, decimalSeparator);
}

}  // namespace sizing
