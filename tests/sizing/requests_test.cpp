#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "sizing/sizing.h"

namespace {

constexpr char16_t kUntouched[] = u"untouched";

class FakeView : public sizing::View {
 public:
  FakeView(std::u16string input, bool oldSelected, char16_t separator = u'.')
      : input_(std::move(input)), oldSelected_(oldSelected), separator_(separator) {}

  std::u16string InputText() const override { return input_; }
  void SetOutputText(const std::u16string& text) override { output_ = text; }
  bool OldAlgorithmSelected() const override { return oldSelected_; }
  void ShowRefusal() override { ++refusals_; }
  char16_t DecimalSeparator() const override { return separator_; }

  std::u16string input_;
  bool oldSelected_;
  char16_t separator_;
  std::u16string output_ = kUntouched;
  int refusals_ = 0;
};

enum class Request { kCalculate, kRecalculateOld, kRecalculateNew };

void Send(Request request, sizing::View& view) {
  switch (request) {
    case Request::kCalculate:
      return sizing::Calculate(view);
    case Request::kRecalculateOld:
      return sizing::RecalculateOld(view);
    case Request::kRecalculateNew:
      return sizing::RecalculateNew(view);
  }
}

TEST(Requests, Outcomes) {
  struct Case {
    Request request;
    std::u16string input;
    bool oldSelected;
    std::u16string output;  // kUntouched when nothing is written
    int refusals;
  };
  using enum Request;
  const Case cases[] = {
      {kCalculate, u"", true, kUntouched, 1},
      {kCalculate, u"-5", true, kUntouched, 1},
      {kCalculate, u"4", true, u"4102", 0},
      {kCalculate, u"4", false, u"4103", 0},
      {kCalculate, u"-1e3", true, u"-1026002", 0},
      {kRecalculateOld, u"", true, kUntouched, 0},
      {kRecalculateNew, u"", true, kUntouched, 0},
      {kRecalculateOld, u"-5", true, kUntouched, 0},
      {kRecalculateNew, u"-5", false, kUntouched, 0},
      // An option click applies its own formula whatever the selection says.
      {kRecalculateNew, u"4", true, u"4103", 0},
      {kRecalculateOld, u"4", false, u"4102", 0},
      {kRecalculateNew, u"-1e3", false, u"-1023994", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.input.begin(), c.input.end()));
    FakeView view(c.input, c.oldSelected);
    Send(c.request, view);
    EXPECT_EQ(view.output_, c.output);
    EXPECT_EQ(view.refusals_, c.refusals);
  }
}

TEST(Requests, ErrorsLeaveTheOutputAlone) {
  struct Case {
    std::u16string input;
    bool conversion;  // else floating-point
  };
  const Case cases[] = {{u"a", true}, {u"1e3x", true}, {u"1e400", false}, {u"1.76E+305", false}};
  for (const Case& c : cases) {
    for (Request request : {Request::kCalculate, Request::kRecalculateOld}) {
      SCOPED_TRACE(std::string(c.input.begin(), c.input.end()));
      FakeView view(c.input, true);
      if (c.conversion) {
        EXPECT_THROW(Send(request, view), sizing::ConversionError);
      } else {
        EXPECT_THROW(Send(request, view), sizing::FloatingPointError);
      }
      EXPECT_EQ(view.output_, kUntouched);
      EXPECT_EQ(view.refusals_, 0);
    }
  }
}

TEST(Requests, UseTheViewsDecimalSeparator) {
  FakeView view(u"1.25", true, u',');
  sizing::Calculate(view);
  EXPECT_EQ(view.output_, u"1280,5");
}

}  // namespace
