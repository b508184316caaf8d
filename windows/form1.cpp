#include "windows/form1.h"

#include <string>

#include "sizing/sizing.h"

namespace windows {
namespace {

// The main window as the calculation requests see it.
class Form1View final : public sizing::View {
 public:
  explicit Form1View(Platform& platform) : platform_(platform) {}

  std::u16string InputText() const override { return Controls().Text("Text1"); }
  void SetOutputText(const std::u16string& text) override { Controls().SetText("Text2", text); }
  bool OldAlgorithmSelected() const override { return Controls().Value("Option1"); }
  void ShowRefusal() override {
    platform_.ShowMessage(u"请输入纯数字", MessageIcon::kExclamation, u"数据有误");
  }
  char16_t DecimalSeparator() const override { return platform_.DecimalSeparator(); }

 private:
  Window& Controls() const { return platform_.GetWindow(FormId::kForm1); }

  Platform& platform_;
};

}  // namespace

void Form1::Form_Initialize() { platform_.InitCommonControls(); }

void Form1::Form_Load() {
  Window& self = platform_.GetWindow(FormId::kForm1);
  self.SetText("Text1", u"");
  self.SetText("Text2", u"");
  // Should this raise Option1's click, the request finds the input empty and stays silent.
  self.SetValue("Option1", true);
}

void Form1::Click(std::string_view control) {
  if (control == "Command1") Command1_Click();
  if (control == "Option1") Option1_Click();
  if (control == "Option2") Option2_Click();
  if (control == "Command2") Command2_Click();
}

void Form1::Command1_Click() {
  Form1View view(platform_);
  sizing::Calculate(view);
}

void Form1::Option1_Click() {
  Form1View view(platform_);
  sizing::RecalculateOld(view);
}

void Form1::Option2_Click() {
  Form1View view(platform_);
  sizing::RecalculateNew(view);
}

// The main window stays visible but takes no input until the explanation window unloads.
void Form1::Command2_Click() {
  platform_.GetWindow(FormId::kForm1).SetEnabled(false);
  platform_.Show(FormId::kForm2);
}

}  // namespace windows
