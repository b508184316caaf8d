#include <gtest/gtest.h>

#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "sizing/sizing.h"

namespace {

using sizing::ConversionError;
using sizing::FloatingPointError;

std::string Narrow(std::u16string_view text) { return std::string(text.begin(), text.end()); }
std::u16string Wide(const std::string& text) { return std::u16string(text.begin(), text.end()); }

TEST(Writing, SignedAndPlainForms) {
  struct Case {
    double value;
    const char16_t *signedForm, *plainForm;  // the plain form with a decimal comma
  };
  // clang-format off
  const Case cases[] = {
      {4, u" 4", u"4"}, {1.5, u" 1.5", u"1,5"}, {-5, u"-5", u"-5"}, {0, u" 0", u"0"},
      {-0.0, u" 0", u"0"}, {1e20, u" 1E+20", u"1E+20"}, {1.5e-5, u" 1.5E-05", u"1,5E-05"},
      {0.0001, u" 0.0001", u"0,0001"}, {0.00001, u" 1E-05", u"1E-05"}, {0.1 + 0.2, u" 0.3", u"0,3"},
      {1.0 / 3, u" 0.333333333333333", u"0,333333333333333"}, {1e100, u" 1E+100", u"1E+100"},
      {123456789012345, u" 123456789012345", u"123456789012345"}, {1e15, u" 1E+15", u"1E+15"},
      {999999999999999.5, u" 1E+15", u"1E+15"},  // rounds up into a sixteenth digit
      {DBL_MAX, u" 1.79769313486232E+308", u"1,79769313486232E+308"},
      {-DBL_TRUE_MIN, u"-4.94065645841247E-324", u"-4,94065645841247E-324"}};
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(sizing::SignedWrite(c.value), c.signedForm);
    EXPECT_EQ(sizing::PlainWrite(c.value, u','), c.plainForm);
  }
  for (double value : {HUGE_VAL, -HUGE_VAL, std::numeric_limits<double>::quiet_NaN()}) {
    EXPECT_THROW(sizing::SignedWrite(value), FloatingPointError);
  }
}

TEST(LenientReading, ReadsTheNumericStart) {
  const std::u16string halfway = u"9007199254740993";  // 2^53 + 1, between two doubles
  // clang-format off
  const std::pair<std::u16string, double> cases[] = {
      {u"", 0}, {u"  4", 4}, {u"\t\n4", 4}, {u"1 2", 12}, {u"- 5", -5}, {u"12a", 12}, {u"a", 0},
      {u"+5", 5}, {u".5", 0.5}, {u"5.", 5}, {u"1.2.3", 1.2}, {u"1,5", 1}, {u"1 e 3", 1000},
      {u"1e3x", 1000}, {u"1e+", 1}, {u"--5", 0}, {u"1d3", 1}, {u"&H10", 0}, {u"\uFF11", 0},
      {u"1\u00A02", 1}, {u"1e0000000000000000000003", 1000}, {u"1.7976931348623157e308", DBL_MAX},
      // A non-zero digit far behind decides the rounding, kept or not.
      {halfway + std::u16string(900, u'0') + u"e-900", 9007199254740992.0},
      {halfway + std::u16string(784, u'0') + u"1e-785", 9007199254740994.0}};  // the 801st digit
  // clang-format on
  for (const auto& [text, value] : cases) {
    SCOPED_TRACE(Narrow(text).substr(0, 40));
    EXPECT_EQ(sizing::LenientRead(text), value);
  }
  EXPECT_TRUE(std::signbit(sizing::LenientRead(u"-0")));
  EXPECT_FALSE(std::signbit(sizing::LenientRead(u"-")));  // no digits: plain zero
  EXPECT_TRUE(std::signbit(sizing::LenientRead(u"-1e-325")));  // below the smallest denormal
  const std::u16string megabyteOfZeros(1 << 20, u'0');
  EXPECT_EQ(sizing::LenientRead(u"0." + megabyteOfZeros + u"1e1048577"), 1);
  EXPECT_THROW(sizing::LenientRead(u"1" + megabyteOfZeros), FloatingPointError);
}

TEST(StrictReading, OneNumberBetweenBlanks) {
  struct Case {
    std::u16string text;
    char16_t separator;
    double value;  // NaN: refused
  };
  const double refused = std::numeric_limits<double>::quiet_NaN();
  // clang-format off
  const Case cases[] = {
      {u" 4 ", u'.', 4}, {u"\t-4\t", u'.', -4}, {u"+4", u'.', 4}, {u".5", u'.', 0.5}, {u"5.", u'.', 5},
      {u"1E+3", u'.', 1000}, {u"1e-3", u'.', 0.001}, {u"1,5", u',', 1.5}, {u"1.5", u',', 1.5},
      {u"12", u'\0', 12},  // the end of the text is no decimal mark
      {u"", u'.', refused}, {u" ", u'.', refused}, {u"12a", u'.', refused}, {u"1 2", u'.', refused},
      {u"1e", u'.', refused}, {u"1e+", u'.', refused}, {u"1e3x", u'.', refused},
      {u"1.2.3", u'.', refused}, {u"1,5", u'.', refused}, {u"1.5,0", u',', refused},
      {u"0x10", u'.', refused}, {u"inf", u'.', refused}, {u"\n4", u'.', refused},
      {u"-", u'.', refused}, {u".", u'.', refused}, {u"e3", u'.', refused}};
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.text) + " with " + static_cast<char>(c.separator));
    if (std::isnan(c.value)) {
      EXPECT_THROW(sizing::StrictRead(c.text, c.separator), ConversionError);
    } else {
      EXPECT_EQ(sizing::StrictRead(c.text, c.separator), c.value);
    }
  }
  EXPECT_THROW(sizing::StrictRead(u"1e400"), FloatingPointError);
}

TEST(AcceptanceCheck, PassesNumbersTypedAsWritten) {
  // clang-format off
  const std::pair<std::u16string, bool> cases[] = {
      {u"4", true}, {u"1000", true}, {u"1.5", true}, {u"0", true}, {u"0.5", true}, {u"1E+20", true},
      {u"-1e3", true}, {u"1e3x", true}, {u"a", true}, {u"1E-05", true}, {u"", false},
      {u"-5", false}, {u"-0", false}, {u"007", false}, {u"1.50", false}, {u"1e3", false},
      {u"1 2", false}, {u"12a", false}, {u".5", false}, {u" 4", false}, {u"0.00001", false},
      {u"1" + std::u16string(20, u'0'), false}, {std::u16string(1 << 20, u' '), false}};
  // clang-format on
  for (const auto& [input, accepted] : cases) {
    SCOPED_TRACE(Narrow(input).substr(0, 40));
    EXPECT_EQ(sizing::IsPureNumber(input), accepted);
  }
  EXPECT_THROW(sizing::IsPureNumber(u"1e400"), FloatingPointError);
}

TEST(Formulas, WorkedValuesAndFailures) {
  struct Case {
    std::u16string gigabytes;
    char16_t separator;
    const char16_t *oldMegabytes, *newMegabytes;  // null: a floating-point error
  };
  // clang-format off
  const Case cases[] = {
      {u"0", u'.', u"-2", u"8"}, {u"1", u'.', u"1024", u"1028"}, {u"1.5", u'.', u"1537", u"1538"},
      {u"4", u'.', u"4102", u"4103"},              // 523 cylinders
      {u"16065", u'.', u"16482688", u"16450568"},  // exactly 2097152 cylinders, and one more
      {u"15.685", u'.', u"16090.81", u"16066"},    // 2048 cylinders: 16065 MB exactly, and one more
      {u"-1e3", u'.', u"-1026002", u"-1023994"}, {u"1,25", u',', u"1280,5", u"1287"},
      {u"1E+20", u'.', u"1.026E+23", u"1.024E+23"},
      {u"1.67e299", u'.', u"1.71342E+302", u"1.71008E+302"},  // old: 1026 GB
      {u"1.68e299", u'.', u"1.72368E+302", nullptr},  // the size in bytes overflows
      {u"1.75e305", u'.', u"1.7955E+308", nullptr},
      {u"1.76e305", u'.', nullptr, nullptr}, {u"-1.76e305", u'.', nullptr, nullptr}};  // GB * 1024
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.gigabytes));
    for (const auto& [rule, megabytes] : {std::pair{&sizing::OldAlgorithm, c.oldMegabytes},
                                          std::pair{&sizing::NewAlgorithm, c.newMegabytes}}) {
      if (megabytes) EXPECT_EQ(rule(c.gigabytes, c.separator), megabytes);
      else EXPECT_THROW(rule(c.gigabytes, c.separator), FloatingPointError);
    }
  }
  for (const char16_t* text : {u"a", u"1e3x", u"", u"1 2"}) {
    EXPECT_THROW(sizing::OldAlgorithm(text), ConversionError);
    EXPECT_THROW(sizing::NewAlgorithm(text), ConversionError);
  }
}

// The Qt program runs under the user's LC_NUMERIC: a decimal comma in the C library changes
// nothing that the rules read or write.
TEST(Locale, TheCLibrarysDecimalCommaChangesNothing) {
  const bool german =
      std::setlocale(LC_NUMERIC, "de_DE.UTF-8") || std::setlocale(LC_NUMERIC, "German");
  if (!german || std::string(std::localeconv()->decimal_point) != ",") {
    std::setlocale(LC_NUMERIC, "C");
    GTEST_SKIP() << "no locale with a decimal comma here";
  }
  const std::u16string third = sizing::SignedWrite(1.0 / 3);
  const double longText = sizing::LenientRead(u"0.1000000000000000000000001");
  const double strict = sizing::StrictRead(u"2.5e-1");
  std::setlocale(LC_NUMERIC, "C");
  EXPECT_EQ(third, u" 0.333333333333333");
  EXPECT_EQ(longText, 0.1);
  EXPECT_EQ(strict, 0.25);
}

// Every finite double survives writing and reading back, to 15 significant digits; and a
// non-negative number typed as written passes the check.
TEST(Properties, WritingThenReadingKeepsFifteenDigits) {
  std::mt19937_64 random(20261207);
  for (int i = 0; i < 30000; ++i) {
    double value;
    do {
      const std::uint64_t bits = random();
      std::memcpy(&value, &bits, sizeof value);
    } while (!std::isfinite(value));
    char rounded[64];  // to 15 significant digits, by the C library
    std::snprintf(rounded, sizeof rounded, "%.14e", value);
    const double expected = std::strtod(rounded, nullptr);
    SCOPED_TRACE(value);
    const std::u16string written = sizing::SignedWrite(value);
    if (std::isinf(expected)) {  // the largest doubles round up past the range when written
      ASSERT_THROW(sizing::LenientRead(written), FloatingPointError);
      continue;
    }
    ASSERT_EQ(sizing::LenientRead(written), expected);
    ASSERT_EQ(sizing::StrictRead(sizing::PlainWrite(value, u','), u','), expected);
    if (value >= 0) {
      ASSERT_TRUE(sizing::IsPureNumber(std::u16string_view(written).substr(1)));
    }
  }
}

// Decimal texts of every shape, read both ways, against the C library's correctly rounded reading:
// half of them near 1, the others over the whole range, past both ends.
TEST(Properties, ReadingAgreesWithTheCLibrary) {
  std::mt19937_64 random(2026);
  for (int i = 0; i < 100000; ++i) {
    std::string text = random() % 2 ? "-" : "";
    const int digits = 1 + static_cast<int>(random() % 25);
    const int point = static_cast<int>(random() % (digits + 1));
    for (int d = 0; d < digits; ++d) {
      if (d == point) text += '.';
      text += static_cast<char>('0' + random() % 10);
    }
    const int exponent =
        i % 2 ? static_cast<int>(random() % 81) - 40 : static_cast<int>(random() % 701) - 360;
    text += "e" + std::to_string(exponent);
    SCOPED_TRACE(text);
    const double expected = std::strtod(text.c_str(), nullptr);
    if (std::isinf(expected)) {
      ASSERT_THROW(sizing::LenientRead(Wide(text)), FloatingPointError);
      ASSERT_THROW(sizing::StrictRead(Wide(text)), FloatingPointError);
      continue;
    }
    ASSERT_EQ(sizing::LenientRead(Wide(text)), expected);
    ASSERT_EQ(sizing::StrictRead(Wide(text)), expected);
  }
}

}  // namespace
