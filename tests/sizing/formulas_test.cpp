#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <string>

#include "sizing/sizing.h"

namespace {

using sizing::ConversionError;
using sizing::FloatingPointError;

std::string Narrow(const std::u16string& text) { return std::string(text.begin(), text.end()); }

TEST(AcceptanceCheck, PassesNumbersTypedAsWritten) {
  struct Case {
    std::u16string input;
    bool accepted;
  };
  const Case cases[] = {
      {u"4", true},
      {u"12", true},
      {u"1000", true},
      {u"1.5", true},
      {u"0", true},
      {u"0.5", true},
      {u"0.0001", true},
      {u"1E+20", true},
      {u"-1e3", true},
      {u"1e3x", true},
      {u"a", true},
      {u"-", true},
      {u"", false},
      {u"-5", false},
      {u"-0", false},
      {u"007", false},
      {u"1.50", false},
      {u"1e3", false},
      {u"1 2", false},
      {u"12a", false},
      {u".5", false},
      {u" 4", false},
      {u"1E-05", true},
      {u"0.00001", false},
      {u"1" + std::u16string(20, u'0'), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.input));
    EXPECT_EQ(sizing::IsPureNumber(c.input), c.accepted);
  }
}

TEST(AcceptanceCheck, HugeTextsAreRefusedOrFailCleanly) {
  EXPECT_FALSE(sizing::IsPureNumber(std::u16string(1 << 20, u' ')));
  EXPECT_FALSE(sizing::IsPureNumber(u"1." + std::u16string(1 << 20, u'5')));
  EXPECT_THROW(sizing::IsPureNumber(u"1e400"), FloatingPointError);
}

TEST(Formulas, WorkedValues) {
  struct Case {
    std::u16string gigabytes;
    std::u16string oldMegabytes;
    std::u16string newMegabytes;
  };
  const Case cases[] = {
      {u"0", u"-2", u"8"},
      {u"1", u"1024", u"1028"},
      {u"1.5", u"1537", u"1538"},
      {u"4", u"4102", u"4103"},              // 523 cylinders
      {u"16065", u"16482688", u"16450568"},  // exactly 2097152 cylinders, and one more
      {u"-1e3", u"-1026002", u"-1023994"},
      {u"1.25", u"1280.5", u"1287"},
      {u"1E+20", u"1.026E+23", u"1.024E+23"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.gigabytes));
    EXPECT_EQ(sizing::OldAlgorithm(c.gigabytes), c.oldMegabytes);
    EXPECT_EQ(sizing::NewAlgorithm(c.gigabytes), c.newMegabytes);
  }
}

TEST(Formulas, FollowTheDecimalSeparator) {
  EXPECT_EQ(sizing::OldAlgorithm(u"1,25", u','), u"1280,5");
  EXPECT_EQ(sizing::OldAlgorithm(u"1.25", u','), u"1280,5");
  EXPECT_EQ(sizing::NewAlgorithm(u"1,5", u','), u"1538");
}

TEST(Formulas, FailuresEndTheFormula) {
  struct Case {
    std::u16string gigabytes;
    bool oldFails;  // with FloatingPointError
    bool newFails;
  };
  const Case cases[] = {
      {u"1.67e299", false, false}, {u"1.68e299", false, true},  // the size in bytes overflows
      {u"1.75e305", false, true},  {u"1.76e305", true, true},   // GB * 1024 overflows
      {u"-1.76e305", true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.gigabytes));
    const auto fails = [](auto formula, const std::u16string& text) {
      try {
        formula(text, u'.');
        return false;
      } catch (const FloatingPointError&) {
        return true;
      }
    };
    EXPECT_EQ(fails(sizing::OldAlgorithm, c.gigabytes), c.oldFails);
    EXPECT_EQ(fails(sizing::NewAlgorithm, c.gigabytes), c.newFails);
  }
  for (const char16_t* text : {u"a", u"1e3x", u"", u"1 2"}) {
    EXPECT_THROW(sizing::OldAlgorithm(text), ConversionError);
    EXPECT_THROW(sizing::NewAlgorithm(text), ConversionError);
  }
}

// For sizes up to a million GB in 1/256 GB steps, double arithmetic is exact but for the one
// division, which cannot cross a whole cylinder there: the new rule must then agree with integer
// arithmetic, and always leave more than the whole cylinders' exact megabytes.
TEST(Formulas, NewAlgorithmAgreesWithExactCylinderArithmetic) {
  constexpr std::int64_t kCylinderBytes = 512 * 255 * 63;
  constexpr std::int64_t kMegabyte = 1 << 20;
  std::mt19937_64 random(4103);
  for (int i = 0; i < 100000; ++i) {
    const int fractionBits = static_cast<int>(random() % 9);
    const auto scaled =
        static_cast<std::int64_t>(random() % (std::uint64_t{1'000'000} << fractionBits));
    const double gigabytes = std::ldexp(static_cast<double>(scaled), -fractionBits);
    const auto bytes = static_cast<std::int64_t>(std::ldexp(gigabytes, 30));
    const std::int64_t cylinders = bytes / kCylinderBytes + 1;
    const std::int64_t megabytes = cylinders * kCylinderBytes / kMegabyte + 1;

    const std::u16string input = sizing::PlainWrite(gigabytes);  // exact: at most 15 digits
    SCOPED_TRACE(Narrow(input));
    const std::u16string result = sizing::NewAlgorithm(input);
    ASSERT_EQ(result, sizing::PlainWrite(static_cast<double>(megabytes)));
    ASSERT_GT(megabytes * kMegabyte, cylinders * kCylinderBytes);
    ASSERT_GE(megabytes, 8);
  }
}

}  // namespace
