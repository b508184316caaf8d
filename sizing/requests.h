#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sizing {

enum class Algorithm { kOld, kNew };

// A request of the main window: the acceptance check on the input, then the algorithm. Gives the
// text of the result, or nothing for a refused input; the caller decides whether to warn.
// Throws ConversionError or FloatingPointError where the algorithm fails.
std::optional<std::u16string> Calculate(std::u16string_view input, Algorithm algorithm,
                                        char16_t decimalSeparator = u'.');

}  // namespace sizing
