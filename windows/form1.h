#pragma once

#include <string_view>

#include "windows/form.h"

namespace windows {

// The main window: the size in GB, the size to enter in MB, the two rules and two buttons.
class Form1 final : public Form {
 public:
  explicit Form1(Platform& platform) : platform_(platform) {}

  const WindowDesign& Design() const override { return Form1Design(); }
  void Form_Initialize() override;
  void Form_Load() override;
  void Click(std::string_view control) override;

  void Command1_Click();
  void Option1_Click();
  void Option2_Click();
  void Command2_Click();

 private:
  Platform& platform_;
};

}  // namespace windows
