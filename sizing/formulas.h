#pragma once

#include <string>
#include <string_view>

namespace sizing {

// True when the lenient value of the input, written with its sign column, is exactly one
// character longer than the input: a non-negative number typed the way it is written.
bool IsPureNumber(std::u16string_view input);

// MB = (GB - 1) * 2 + GB * 1024.
std::u16string OldAlgorithm(std::u16string_view input, char16_t decimalSeparator = u'.');

// Rounds the size up to whole cylinders, then up to whole megabytes.
std::u16string NewAlgorithm(std::u16string_view input, char16_t decimalSeparator = u'.');

}  // namespace sizing
