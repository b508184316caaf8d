#include "sizing/exact_decimal.h"

#include <cctype>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace sizing {

// "digits e exponent": no point, so no locale's decimal separator is involved.
double NearestDouble(std::string_view digits, std::int64_t exponent) {
  std::string text(digits);
  text += 'e';
  text += std::to_string(exponent);
  return std::strtod(text.c_str(), nullptr);
}

// printf's %.14e rounds exactly; its digits are read one by one, past whatever decimal point
// the locale writes.
RoundedDecimal RoundToSignificantDigits(double value) {
  char text[48];
  const int length = std::snprintf(text, sizeof text, "%.14e", value);
  RoundedDecimal result{};
  const char* c = text;
  for (; c < text + length && *c != 'e'; ++c) {
    if (std::isdigit(static_cast<unsigned char>(*c))) result.digits[result.count++] = *c;
  }
  if (*c == 'e' && c[1] == '+') c += 1;  // from_chars takes a minus sign only
  std::from_chars(c + 1, text + length, result.exponent);
  while (result.count > 1 && result.digits[result.count - 1] == '0') --result.count;
  return result;
}

}  // namespace sizing
