#pragma once

#include <string_view>

// One scenario for every engine: a user's steps through both windows, and what each step leaves
// on the screen. The fake engine, the Qt windows and the Windows program all run these rows, so an
// engine that differs from the others fails. The results come from the rules' worked values.
namespace scenario {

enum class Action { kType, kClick, kClose };

// The box a step brings up, answered with its one button.
enum class Box { kNone, kRefusal, kConversionError, kOverflow };

struct ExpectedBox {
  std::u16string_view title;
  std::u16string_view text;
  bool critical;  // else the exclamation icon
};

constexpr ExpectedBox Expected(Box box) {
  constexpr ExpectedBox kBoxes[] = {{}, {u"数据有误", u"请输入纯数字", false},
                                    {u"Prelvane", u"类型不匹配", true}, {u"Prelvane", u"溢出", true}};
  return kBoxes[static_cast<int>(box)];
}

struct Step {
  Action action;
  std::string_view target;     // the control typed into or clicked, or the window asked to close
  std::u16string_view typed;   // for kType
  std::u16string_view output;  // the output box afterwards
  Box box = Box::kNone;
  bool explanationOpen = false;  // and so the main window disabled
};

using enum Action;
using enum Box;

// The old rule is selected at start-up.
// clang-format off
constexpr Step kSteps[] = {
    {kType,  "Text1",    u"4",        u""},
    {kClick, "Command1", {},          u"4102"},
    {kClick, "Option2",  {},          u"4103"},
    {kClick, "Option1",  {},          u"4102"},
    {kType,  "Text1",    u"1.5",      u"4102"},
    {kClick, "Option1",  {},          u"1537"},      // the option already selected, clicked again
    {kType,  "Text1",    u"16065",    u"1537"},
    {kClick, "Option2",  {},          u"16450568"},  // a whole number of cylinders, and one more
    {kType,  "Text1",    u"-1e3",     u"16450568"},
    {kClick, "Command1", {},          u"-1023994"},
    {kType,  "Text1",    u"",         u"-1023994"},
    {kClick, "Command1", {},          u"-1023994", kRefusal},
    {kClick, "Option1",  {},          u"-1023994"},  // refused, silently
    {kClick, "Option2",  {},          u"-1023994"},  // by either rule
    {kType,  "Text1",    u"a",        u"-1023994"},
    {kClick, "Command1", {},          u"-1023994", kConversionError},
    {kType,  "Text1",    u"1e400",    u"-1023994"},
    {kClick, "Option2",  {},          u"-1023994", kOverflow},
    {kType,  "Text1",    u"1.8E+305", u"-1023994"},
    {kClick, "Option1",  {},          u"-1023994", kOverflow},
    {kType,  "Text1",    u"1.25",     u"-1023994"},
    {kClick, "Command1", {},          u"1280.5"},
    {kClick, "Command2", {},          u"1280.5",   kNone, true},
    {kClose, "Form1",    {},          u"1280.5",   kNone, true},   // refused while disabled
    {kClose, "Form2",    {},          u"1280.5"},
    {kClick, "Command2", {},          u"1280.5",   kNone, true},
    {kClose, "Form2",    {},          u"1280.5"},
    {kType,  "Text1",    u"1",        u"1280.5"},
    {kClick, "Command1", {},          u"1024"},
};
// clang-format on

}  // namespace scenario
