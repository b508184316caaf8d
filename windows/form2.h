#pragma once

#include "windows/form.h"

namespace windows {

// The explanation window: both rules, with a worked example for 4 GB.
class Form2 final : public Form {
 public:
  explicit Form2(Platform& platform) : platform_(platform) {}

  const WindowDesign& Design() const override { return Form2Design(); }
  void Form_Load() override;
  void Form_Unload() override;

 private:
  Platform& platform_;
};

}  // namespace windows
