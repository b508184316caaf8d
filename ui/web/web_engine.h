#pragma once

#include <memory>
#include <vector>

#include "ui/engine.h"

namespace ui::web {

// The engine over the page's DOM (page.js). Implemented: windows of real form elements at the
// designed CSS pixels, modal boxes the program waits for, the browser's decimal separator.
class WebEngine final : public Engine {
 public:
  std::unique_ptr<EngineWindow> BuildWindow(const WindowDesign& design,
                                            WindowEvents events) override;
  void Discard(std::unique_ptr<EngineWindow> window) override;
  void ShowBox(const EngineWindow* owner, std::u16string_view text, MessageIcon icon,
               std::u16string_view title) override;
  char16_t DecimalSeparator() const override;

  // Windows unloaded by an event of the page, still inside it; gone before the page's next event.
  void ForgetDiscarded() { discarded_.clear(); }

 private:
  std::vector<std::unique_ptr<EngineWindow>> discarded_;
};

}  // namespace ui::web
