#include "ui/forms.h"

#include "sizing/errors.h"

namespace ui {
namespace {

constexpr ClickHandler kForm1Clicks[] = {
    {"Command1", form1::Command1_Click},
    {"Option1", form1::Option1_Click},
    {"Option2", form1::Option2_Click},
    {"Command2", form1::Command2_Click},
};

// In the order of FormId.
constexpr Form kForms[] = {
    {Form1Design, form1::Form_Load, nullptr, kForm1Clicks},
    {Form2Design, form2::Form_Load, form2::Form_Unload, {}},
};

// As the runtime of the program's platform words them.
std::u16string_view Failure(const std::exception& error) {
  if (dynamic_cast<const sizing::ConversionError*>(&error)) return u"类型不匹配";
  if (dynamic_cast<const sizing::FloatingPointError*>(&error)) return u"溢出";
  return u"无法访问控件";  // the toolkit refused an operation on a window
}

constexpr Program kCalculator{kForms, Failure,
                              {.boxButton = u"确定",
                               .closeBox = u"关闭",
                               .closeMark = u"\u00d7",
                               .closeKey = u"^W",
                               .ended = u"Prelvane 已关闭。",
                               .startAgain = u"重新打开",
                               .tooSmall = u"窗口太小，至少需要"}};

}  // namespace

const Program& Calculator() { return kCalculator; }

}  // namespace ui
