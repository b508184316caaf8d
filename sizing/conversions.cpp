#include "sizing/conversions.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "sizing/decimal_number.h"
#include "sizing/errors.h"
#include "sizing/exact_decimal.h"

namespace sizing {
namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsExponentMark(char16_t c) { return c == u'E' || c == u'e'; }
bool IsSign(char16_t c) { return c == u'+' || c == u'-'; }

// Reads a text front to back, seeing past the blanks of its reading: space and tab always,
// line feed too for the lenient reading.
class Scanner {
 public:
  Scanner(std::u16string_view text, bool skipsLineFeeds)
      : text_(text), skipsLineFeeds_(skipsLineFeeds) {}

  void SkipBlanks() {
    while (position_ < text_.size() && IsBlank(text_[position_])) ++position_;
  }
  bool AtEnd() const { return position_ == text_.size(); }
  char16_t Peek() const { return AtEnd() ? u'\0' : text_[position_]; }
  void Advance() { ++position_; }
  std::size_t Position() const { return position_; }
  void Rewind(std::size_t position) { position_ = position; }

 private:
  bool IsBlank(char16_t c) const {
    return c == u' ' || c == u'\t' || (skipsLineFeeds_ && c == u'\n');
  }

  std::u16string_view text_;
  bool skipsLineFeeds_;
  std::size_t position_ = 0;
};

void ReadSign(Scanner& scanner, DecimalNumber& number) {
  if (!IsSign(scanner.Peek())) return;
  if (scanner.Peek() == u'-') number.SetNegative();
  scanner.Advance();
}

// Digits with at most one decimal mark; `skipBlanks` lets blanks stand between them.
void ReadMantissa(Scanner& scanner, DecimalNumber& number, char16_t decimalSeparator,
                  bool skipBlanks) {
  bool seenMark = false;
  for (;;) {
    if (skipBlanks) scanner.SkipBlanks();
    if (scanner.AtEnd()) return;
    const char16_t c = scanner.Peek();
    if (IsDigit(c)) {
      number.AddMantissaDigit(static_cast<char>(c));
    } else if (!seenMark && (c == u'.' || c == decimalSeparator)) {
      seenMark = true;
      number.MarkDecimalPoint();
    } else {
      return;
    }
    scanner.Advance();
  }
}

// The exponent after an E: an optional sign and at least one digit. Returns false, having read
// nothing, when no digit follows.
bool ReadExponent(Scanner& scanner, DecimalNumber& number, bool skipBlanks) {
  const std::size_t start = scanner.Position();
  scanner.Advance();
  if (skipBlanks) scanner.SkipBlanks();
  const bool negative = scanner.Peek() == u'-';
  if (IsSign(scanner.Peek())) scanner.Advance();
  if (skipBlanks) scanner.SkipBlanks();
  if (!IsDigit(scanner.Peek())) {
    scanner.Rewind(start);
    return false;
  }
  if (negative) number.SetExponentNegative();
  while (IsDigit(scanner.Peek())) {
    number.AddExponentDigit(static_cast<char>(scanner.Peek()));
    scanner.Advance();
    if (skipBlanks) scanner.SkipBlanks();
  }
  return true;
}

// Plain for decimal exponents from -4 to 14, otherwise mantissa, E, sign and at least two
// exponent digits; no trailing zeros after the point.
char* WriteDigits(const RoundedDecimal& rounded, char* end) {
  const char* digits = rounded.digits.data();
  const int count = rounded.count;
  const int exponent = rounded.exponent;
  const auto put = [&end](const char* from, int n) { end = std::copy_n(from, n, end); };
  const auto putFraction = [&](const char* from, int n) {
    if (n <= 0) return;
    *end++ = '.';
    put(from, n);
  };
  if (exponent < -4 || exponent >= RoundedDecimal::kDigits) {
    put(digits, 1);
    putFraction(digits + 1, count - 1);
    *end++ = 'E';
    *end++ = exponent < 0 ? '-' : '+';
    if (std::abs(exponent) < 10) *end++ = '0';
    return std::to_chars(end, end + 4, std::abs(exponent)).ptr;
  }
  if (exponent >= 0) {
    const int wholeDigits = exponent + 1;
    put(digits, std::min(wholeDigits, count));
    end = std::fill_n(end, std::max(0, wholeDigits - count), '0');
    putFraction(digits + wholeDigits, count - wholeDigits);
    return end;
  }
  *end++ = '0';
  *end++ = '.';
  end = std::fill_n(end, -exponent - 1, '0');
  put(digits, count);
  return end;
}

// The value to 15 significant digits. The decimal mark is written as '.' here and replaced when
// the text is widened. Negative values start with a minus sign; others with a blank when
// `signColumn` asks for one.
std::u16string WriteNumber(double value, bool signColumn, char16_t decimalSeparator) {
  if (!std::isfinite(value)) throw FloatingPointError("number beyond the double range");

  char out[40];
  char* end = out;
  if (value < 0) {
    *end++ = '-';
  } else if (signColumn) {
    *end++ = ' ';
  }
  const double magnitude = std::fabs(value);
  if (magnitude < 1e15 && magnitude == std::floor(magnitude)) {
    // Whole numbers below 10^15 are written as they are: the common case, and exact.
    end = std::to_chars(end, std::end(out), static_cast<std::int64_t>(magnitude)).ptr;
  } else {
    end = WriteDigits(RoundToSignificantDigits(magnitude), end);
  }
  std::u16string text(out, end);
  std::replace(text.begin(), text.end(), u'.', decimalSeparator);
  return text;
}

}  // namespace

double LenientRead(std::u16string_view text) {
  Scanner scanner(text, /*skipsLineFeeds=*/true);
  DecimalNumber number;
  scanner.SkipBlanks();
  ReadSign(scanner, number);
  ReadMantissa(scanner, number, u'.', /*skipBlanks=*/true);
  if (!number.HasMantissaDigits()) return 0.0;
  scanner.SkipBlanks();
  if (IsExponentMark(scanner.Peek())) ReadExponent(scanner, number, /*skipBlanks=*/true);
  return number.Value();
}

double StrictRead(std::u16string_view text, char16_t decimalSeparator) {
  Scanner scanner(text, /*skipsLineFeeds=*/false);
  DecimalNumber number;
  scanner.SkipBlanks();
  ReadSign(scanner, number);
  ReadMantissa(scanner, number, decimalSeparator, /*skipBlanks=*/false);
  if (!number.HasMantissaDigits()) throw ConversionError("not a number");
  if (IsExponentMark(scanner.Peek()) && !ReadExponent(scanner, number, /*skipBlanks=*/false)) {
    throw ConversionError("exponent without digits");
  }
  scanner.SkipBlanks();
  if (!scanner.AtEnd()) throw ConversionError("not a number");
  return number.Value();
}

std::u16string SignedWrite(double value) { return WriteNumber(value, true, u'.'); }

std::u16string PlainWrite(double value, char16_t decimalSeparator) {
  return WriteNumber(value, false, decimalSeparator);
}

}  // namespace sizing
