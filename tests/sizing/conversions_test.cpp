#include <gtest/gtest.h>

#include <cfloat>
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

// The value rounded to 15 significant digits, by the C library rather than the code under test.
double RoundedTo15Digits(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.14e", value);
  return std::strtod(text, nullptr);
}

// Finite doubles spread over the whole range, both signs, denormals included.
double RandomFiniteDouble(std::mt19937_64& random) {
  for (;;) {
    const std::uint64_t bits = random();
    double value;
    static_assert(sizeof value == sizeof bits);
    std::memcpy(&value, &bits, sizeof value);
    if (std::isfinite(value)) return value;
  }
}

TEST(Writing, SignedAndPlainForms) {
  struct Case {
    double value;
    const char16_t* signedForm;
    const char16_t* plainForm;
  };
  const Case cases[] = {
      {4, u" 4", u"4"},
      {1.5, u" 1.5", u"1.5"},
      {1000, u" 1000", u"1000"},
      {-5, u"-5", u"-5"},
      {4103, u" 4103", u"4103"},
      {-2, u"-2", u"-2"},
      {0, u" 0", u"0"},
      {-0.0, u" 0", u"0"},
      {1e20, u" 1E+20", u"1E+20"},
      {1.5e-5, u" 1.5E-05", u"1.5E-05"},
      {0.5, u" 0.5", u"0.5"},
      {0.0001, u" 0.0001", u"0.0001"},
      {0.00001, u" 1E-05", u"1E-05"},
      {0.1 + 0.2, u" 0.3", u"0.3"},
      {1.0 / 3, u" 0.333333333333333", u"0.333333333333333"},
      {123456789012345, u" 123456789012345", u"123456789012345"},
      {1e15, u" 1E+15", u"1E+15"},
      // Rounds up to a sixteenth digit, and so into exponent notation.
      {999999999999999.5, u" 1E+15", u"1E+15"},
      {-1026002, u"-1026002", u"-1026002"},
      {1e100, u" 1E+100", u"1E+100"},
      {DBL_MAX, u" 1.79769313486232E+308", u"1.79769313486232E+308"},
      {-DBL_TRUE_MIN, u"-4.94065645841247E-324", u"-4.94065645841247E-324"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(sizing::SignedWrite(c.value), c.signedForm);
    EXPECT_EQ(sizing::PlainWrite(c.value), c.plainForm);
  }
}

TEST(Writing, PlainUsesTheGivenDecimalSeparator) {
  EXPECT_EQ(sizing::PlainWrite(2.5, u','), u"2,5");
  EXPECT_EQ(sizing::PlainWrite(-1.5e-5, u','), u"-1,5E-05");
  EXPECT_EQ(sizing::PlainWrite(4103, u','), u"4103");
}

TEST(Writing, NonFiniteValuesAreFloatingPointErrors) {
  for (double value :
       {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
        std::numeric_limits<double>::quiet_NaN()}) {
    EXPECT_THROW(sizing::SignedWrite(value), FloatingPointError);
    EXPECT_THROW(sizing::PlainWrite(value), FloatingPointError);
  }
}

TEST(LenientReading, ReadsTheNumericStart) {
  struct Case {
    std::u16string text;
    double value;
  };
  const Case cases[] = {
      {u"", 0},
      {u"4", 4},
      {u"  4", 4},
      {u"\t\n4", 4},
      {u"1 2", 12},
      {u"- 5", -5},
      {u"12a", 12},
      {u"a", 0},
      {u"-5", -5},
      {u"+5", 5},
      {u"1.5", 1.5},
      {u".5", 0.5},
      {u"5.", 5},
      {u"1.2.3", 1.2},
      {u"1,5", 1},
      {u"1e3", 1000},
      {u"1E3", 1000},
      {u"1 e 3", 1000},
      {u"1e-2", 0.01},
      {u"-1e3", -1000},
      {u"1e3x", 1000},
      {u"1e", 1},
      {u"1e+", 1},
      {u"1ex", 1},
      {u"--5", 0},
      {u"1d3", 1},
      {u"&H10", 0},
      {u"\uFF11", 0},    // full-width digit
      {u"1\u00A02", 1},  // a no-break space is no blank
      {u"0.1", 0.1},
      {u"0000000000000000000000001", 1},
      {u"1e0000000000000000000003", 1000},
      {u"1.7976931348623157e308", DBL_MAX},
      {u"4e-320", 4e-320},
      {u"1e-400", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
    EXPECT_EQ(sizing::LenientRead(c.text), c.value);
  }
  EXPECT_TRUE(std::signbit(sizing::LenientRead(u"-0")));
}

TEST(LenientReading, BeyondTheDoubleRangeIsAFloatingPointError) {
  const std::u16string texts[] = {u"1e400", u"1.8e308", u"-1e309", u"1" + std::u16string(400, u'0'),
                                  u"1e999999999999999"};
  for (const std::u16string& text : texts) {
    EXPECT_THROW(sizing::LenientRead(text), FloatingPointError);
  }
}

TEST(LenientReading, LongTextsAreReadExactly) {
  const std::u16string megabyteOfZeros(1 << 20, u'0');
  EXPECT_THROW(sizing::LenientRead(u"1" + megabyteOfZeros), FloatingPointError);
  EXPECT_EQ(sizing::LenientRead(u"0." + megabyteOfZeros + u"1"), 0);
  EXPECT_EQ(sizing::LenientRead(u"0." + megabyteOfZeros + u"1e1048577"), 1);
  EXPECT_EQ(sizing::LenientRead(megabyteOfZeros + u"7"), 7);
  // 2^53 + 1 lies halfway between two doubles: a non-zero digit far behind decides the rounding.
  const std::u16string halfway = u"9007199254740993";
  const std::u16string zeros(900, u'0');
  EXPECT_EQ(sizing::LenientRead(halfway + zeros + u"e-900"), 9007199254740992.0);
  EXPECT_EQ(sizing::LenientRead(halfway + zeros + u"1e-901"), 9007199254740994.0);
}

// Decimal texts of every shape, read both ways, against the C library's correctly rounded reading.
TEST(Reading, AgreesWithTheCLibrary) {
  std::mt19937_64 random(2026);
  for (int i = 0; i < 100000; ++i) {
    std::string text = random() % 2 ? "-" : "";
    const int digits = 1 + static_cast<int>(random() % 25);
    const int point = static_cast<int>(random() % (digits + 1));
    for (int d = 0; d < digits; ++d) {
      if (d == point) text += '.';
      text += static_cast<char>('0' + random() % 10);
    }
    text += "e" + std::to_string(static_cast<int>(random() % 81) - 40);
    const std::u16string wide(text.begin(), text.end());
    SCOPED_TRACE(text);
    const double expected = std::strtod(text.c_str(), nullptr);
    ASSERT_EQ(sizing::LenientRead(wide), expected);
    ASSERT_EQ(sizing::StrictRead(wide), expected);
  }
}

TEST(StrictReading, AcceptsOneNumberBetweenBlanks) {
  struct Case {
    std::u16string text;
    char16_t separator;
    double value;
  };
  const Case cases[] = {
      {u"4", u'.', 4},       {u" 4 ", u'.', 4},      {u"\t4\t", u'.', 4},
      {u"+4", u'.', 4},      {u"-4", u'.', -4},      {u"1.5", u'.', 1.5},
      {u".5", u'.', 0.5},    {u"5.", u'.', 5},       {u"1e3", u'.', 1000},
      {u"1E+3", u'.', 1000}, {u"1e-3", u'.', 0.001}, {u"-1e3", u'.', -1000},
      {u"1,5", u',', 1.5},   {u"1.5", u',', 1.5},    {u"1e-400", u'.', 0},
      {u"12", u'\0', 12},  // the end of the text is no decimal mark
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
    EXPECT_EQ(sizing::StrictRead(c.text, c.separator), c.value);
  }
}

TEST(StrictReading, RefusesEverythingElse) {
  struct Case {
    std::u16string text;
    char16_t separator;
  };
  const Case cases[] = {
      {u"", u'.'},      {u" ", u'.'},     {u"a", u'.'},    {u"12a", u'.'},    {u"1 2", u'.'},
      {u"1e", u'.'},    {u"1e+", u'.'},   {u"1e3x", u'.'}, {u"1.2.3", u'.'},  {u"1,5", u'.'},
      {u"1,000", u'.'}, {u"1.5,0", u','}, {u"$1", u'.'},   {u"0x10", u'.'},   {u"&H10", u'.'},
      {u"inf", u'.'},   {u"nan", u'.'},   {u"\n4", u'.'},  {u"+", u'.'},      {u"-", u'.'},
      {u".", u'.'},     {u"e3", u'.'},    {u"1d3", u'.'},  {u"\uFF11", u'.'}, {u"--4", u'.'},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
    EXPECT_THROW(sizing::StrictRead(c.text, c.separator), ConversionError);
  }
  EXPECT_THROW(sizing::StrictRead(u"1e400"), FloatingPointError);
}

TEST(WholePart, RoundsTowardMinusInfinity) {
  const std::pair<double, double> cases[] = {{522.17, 522}, {7, 7},         {-1.5, -2},
                                             {-0.5, -1},    {1e300, 1e300}, {0.999999999999, 0}};
  for (const auto& [value, whole] : cases) EXPECT_EQ(sizing::WholePart(value), whole);
}

// Every finite double survives writing and reading back, to 15 significant digits; and a
// non-negative number typed exactly as it is written passes the acceptance check.
TEST(RoundTrip, WritingThenReadingKeepsFifteenDigits) {
  std::mt19937_64 random(20261207);
  for (int i = 0; i < 30000; ++i) {
    const double value = RandomFiniteDouble(random);
    const double expected = RoundedTo15Digits(value);
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

}  // namespace
