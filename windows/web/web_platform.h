#pragma once

#include <memory>
#include <vector>

#include "windows/engine.h"

namespace windows::web {

// The window operations over the page's DOM.
class WebPlatform final : public Engine {
 public:
  void InitCommonControls() override {}  // the page's form elements need no set-up
  char16_t DecimalSeparator() const override;

  // Windows unloaded by a close request, still inside it; gone before the page's next event.
  static void ForgetDiscarded();

 protected:
  void ShowBox(std::u16string_view text, MessageIcon icon, std::u16string_view title) override;
  std::unique_ptr<EngineWindow> BuildWindow(const WindowDesign& design,
                                            WindowEvents events) override;
  void Discard(std::unique_ptr<EngineWindow> window) override;
};

}  // namespace windows::web
