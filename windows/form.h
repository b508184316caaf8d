#pragma once

#include <memory>
#include <string_view>

#include "windows/design.h"
#include "windows/platform.h"

namespace windows {

// One window's event handlers. An engine runs them through Dispatch.
class Form {
 public:
  virtual ~Form() = default;
  virtual const WindowDesign& Design() const = 0;
  virtual void Form_Initialize() {}
  virtual void Form_Load() {}
  virtual void Form_Unload() {}
  // Runs the named control's click handler, if it has one.
  virtual void Click(std::string_view /*control*/) {}
};

std::unique_ptr<Form> CreateForm(FormId form, Platform& platform);

}  // namespace windows
