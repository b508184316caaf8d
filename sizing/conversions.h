#pragma once

#include <string>
#include <string_view>

namespace sizing {

// Reads the number at the start of the text and ignores the rest; blanks, tabs and line feeds
// are skipped wherever they stand. A text without a numeric start reads as 0.
double LenientRead(std::u16string_view text);

// A sign column (blank or minus), then the magnitude to 15 significant digits.
std::u16string SignedWrite(double value);

// The whole text must be one number; the point or `decimalSeparator` marks the decimals.
double StrictRead(std::u16string_view text, char16_t decimalSeparator = u'.');

// Like SignedWrite without the sign column for non-negative values.
std::u16string PlainWrite(double value, char16_t decimalSeparator = u'.');

}  // namespace sizing
